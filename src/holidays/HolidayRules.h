#pragma once

#include "calendar/CalendarModel.h"

#include <QString>

#include <array>
#include <optional>

// How the day of a holiday is found in one half of the span. The rules walk the day list
// only; no date library is involved, so a holiday lands exactly where the calendar's own
// days put it.

namespace custodex {

// Months 1 to 12 or 13 to 24 of the span, as the day-list range [First, End).
struct SelectedYear {
    int First = 0;
    int End = 0;
    bool IsSecondYear = false;
};

SelectedYear SelectYear(const CalendarDocument& doc, bool secondYear);

// The calendar year that month (0 = January) has within the selected year.
int YearOfMonth(const CalendarDocument& doc, const SelectedYear& year, int monthIndex);

// Each returns the index of the day found in the selected year, or -1 when the walk reaches
// the end of the selected year first. Months are 0 = January, weekdays 0 = Sunday.
int FindFixedDay(const CalendarDocument& doc, const SelectedYear& year, int dayOfMonth,
                 int monthIndex);
int FindNthWeekday(const CalendarDocument& doc, const SelectedYear& year, int ordinal, int weekday,
                   int monthIndex);
int FindLastWeekday(const CalendarDocument& doc, const SelectedYear& year, int weekday,
                    int monthIndex);
// The last Monday before May 25.
int FindVictoriaDay(const CalendarDocument& doc, const SelectedYear& year);

enum class EasterVariant { EasterSunday, GoodFriday, EasterMonday, MotheringSunday };

constexpr int EasterFirstYear = 1998;
constexpr int EasterLastYear = 2051;
constexpr int EasterTableYears = EasterLastYear - EasterFirstYear + 1;

struct EasterTableEntry {
    int DayOfMonth = 0;
    int MonthIndex = 0; // 2 = March, 3 = April
};

extern const std::array<EasterTableEntry, EasterTableYears> EasterSundayTable;
extern const std::array<EasterTableEntry, EasterTableYears> GoodFridayTable;
extern const std::array<EasterTableEntry, EasterTableYears> EasterMondayTable;
extern const std::array<EasterTableEntry, EasterTableYears> MotheringSundayTable;

// Nothing for a year outside 1998 to 2051.
std::optional<EasterTableEntry> EasterTableDate(EasterVariant variant, int year);

// The variant a holiday's caption names, or nothing for a caption that names none.
std::optional<EasterVariant> EasterVariantOfCaption(const QString& caption);

enum class HolidayRuleKind { FixedDate, NthWeekday, LastWeekday, VictoriaDay, EasterBased };

// Year-bound exceptions of the United Kingdom list.
enum class HolidaySpecial {
    None,
    LateMayBankHoliday, // June 4 when May of the selected year is in 2002
    GoldenJubilee,      // only when June of the selected year is in 2002
};

struct HolidayRule {
    HolidayRuleKind Kind = HolidayRuleKind::FixedDate;
    int DayOfMonth = 0; // fixed date
    int Ordinal = 0;    // nth weekday, 1 to 4
    int Weekday = 0;    // nth and last weekday, 0 = Sunday
    int MonthIndex = 0; // 0 = January
    HolidaySpecial Special = HolidaySpecial::None;
};

constexpr HolidayRule FixedRule(int monthIndex, int dayOfMonth)
{
    return {HolidayRuleKind::FixedDate, dayOfMonth, 0, 0, monthIndex, HolidaySpecial::None};
}
constexpr HolidayRule NthRule(int ordinal, int weekday, int monthIndex)
{
    return {HolidayRuleKind::NthWeekday, 0, ordinal, weekday, monthIndex, HolidaySpecial::None};
}
constexpr HolidayRule LastRule(int weekday, int monthIndex)
{
    return {HolidayRuleKind::LastWeekday, 0, 0, weekday, monthIndex, HolidaySpecial::None};
}
constexpr HolidayRule VictoriaRule()
{
    return {HolidayRuleKind::VictoriaDay, 0, 0, 0, 4, {}};
}
constexpr HolidayRule EasterRule()
{
    return {HolidayRuleKind::EasterBased, 0, 0, 0, 0, {}};
}

// The 2002 exceptions, in the years they apply to.
bool MayIn2002(const CalendarDocument& doc, const SelectedYear& year);
bool JuneIn2002(const CalendarDocument& doc, const SelectedYear& year);

// The day a non-Easter rule gives in the selected year, or -1; special rules included
// (a jubilee outside 2002 gives -1).
int FindRuleDay(const CalendarDocument& doc, const SelectedYear& year, const HolidayRule& rule);

} // namespace custodex
