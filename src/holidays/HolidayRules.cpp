#include "holidays/HolidayRules.h"

#include <algorithm>

namespace custodex {

namespace {

constexpr int May = 4;
constexpr int June = 5;
constexpr int Monday = 1;

const CalendarDay& DayAt(const CalendarDocument& doc, int index)
{
    return doc.Days[static_cast<std::size_t>(index)];
}

bool InMonth(const CalendarDay& day, int monthIndex)
{
    return day.MonthName.compare(MonthKeys().at(monthIndex), Qt::CaseInsensitive) == 0;
}

bool OnWeekday(const CalendarDay& day, int weekday)
{
    return day.WeekdayName.compare(WeekdayKeys().at(weekday), Qt::CaseInsensitive) == 0;
}

// The first day of the month inside the selected year, or the year's end.
int FirstDayOfMonth(const CalendarDocument& doc, const SelectedYear& year, int monthIndex)
{
    int i = year.First;
    while (i < year.End && !InMonth(DayAt(doc, i), monthIndex))
        ++i;
    return i;
}

} // namespace

SelectedYear SelectYear(const CalendarDocument& doc, bool secondYear)
{
    const auto count = static_cast<int>(doc.Days.size());
    const int split = doc.SecondYearFirstDay < 0 ? count : std::min(doc.SecondYearFirstDay, count);
    if (secondYear)
        return {split, count, true};
    return {0, split, false};
}

int YearOfMonth(const CalendarDocument& doc, const SelectedYear& year, int monthIndex)
{
    const int first = doc.FirstYearOfMonth.at(static_cast<std::size_t>(monthIndex));
    return year.IsSecondYear ? first + 1 : first;
}

int FindFixedDay(const CalendarDocument& doc, const SelectedYear& year, int dayOfMonth,
                 int monthIndex)
{
    for (int i = year.First; i < year.End; ++i) {
        const CalendarDay& day = DayAt(doc, i);
        if (day.DayOfMonth == dayOfMonth && InMonth(day, monthIndex))
            return i;
    }
    return -1;
}

int FindNthWeekday(const CalendarDocument& doc, const SelectedYear& year, int ordinal, int weekday,
                   int monthIndex)
{
    int seen = 0;
    for (int i = FirstDayOfMonth(doc, year, monthIndex); i < year.End; ++i) {
        if (OnWeekday(DayAt(doc, i), weekday) && ++seen == ordinal)
            return i;
    }
    return -1;
}

int FindLastWeekday(const CalendarDocument& doc, const SelectedYear& year, int weekday,
                    int monthIndex)
{
    int found = -1;
    for (int i = FirstDayOfMonth(doc, year, monthIndex);
         i < year.End && InMonth(DayAt(doc, i), monthIndex); ++i) {
        if (OnWeekday(DayAt(doc, i), weekday))
            found = i;
    }
    return found;
}

int FindVictoriaDay(const CalendarDocument& doc, const SelectedYear& year)
{
    int monday = -1;
    for (int i = year.First; i < year.End; ++i) {
        const CalendarDay& day = DayAt(doc, i);
        if (OnWeekday(day, Monday))
            monday = i;
        if (day.DayOfMonth == 24 && InMonth(day, May))
            return monday;
    }
    return -1;
}

std::optional<EasterTableEntry> EasterTableDate(EasterVariant variant, int year)
{
    if (year < EasterFirstYear || year > EasterLastYear)
        return std::nullopt;
    const auto row = static_cast<std::size_t>(year - EasterFirstYear);
    switch (variant) {
    case EasterVariant::EasterSunday:
        return EasterSundayTable.at(row);
    case EasterVariant::GoodFriday:
        return GoodFridayTable.at(row);
    case EasterVariant::EasterMonday:
        return EasterMondayTable.at(row);
    case EasterVariant::MotheringSunday:
        return MotheringSundayTable.at(row);
    }
    return std::nullopt;
}

std::optional<EasterVariant> EasterVariantOfCaption(const QString& caption)
{
    if (caption.contains(QStringLiteral("Easter Sunday")))
        return EasterVariant::EasterSunday;
    if (caption.contains(QStringLiteral("Monday")))
        return EasterVariant::EasterMonday;
    if (caption.contains(QStringLiteral("Friday")))
        return EasterVariant::GoodFriday;
    if (caption.contains(QStringLiteral("Mothering")))
        return EasterVariant::MotheringSunday;
    return std::nullopt;
}

bool MayIn2002(const CalendarDocument& doc, const SelectedYear& year)
{
    return YearOfMonth(doc, year, May) == 2002;
}

bool JuneIn2002(const CalendarDocument& doc, const SelectedYear& year)
{
    return YearOfMonth(doc, year, June) == 2002;
}

int FindRuleDay(const CalendarDocument& doc, const SelectedYear& year, const HolidayRule& rule)
{
    if (rule.Special == HolidaySpecial::GoldenJubilee && !JuneIn2002(doc, year))
        return -1;
    // In 2002 the late-May holiday moved to June 4, 2002. A year from June 2001 to May 2002
    // holds that May but not that June: its only June 4 is in 2001, which was no holiday, so
    // nothing is marked.
    if (rule.Special == HolidaySpecial::LateMayBankHoliday && MayIn2002(doc, year))
        return JuneIn2002(doc, year) ? FindFixedDay(doc, year, 4, June) : -1;
    switch (rule.Kind) {
    case HolidayRuleKind::FixedDate:
        return FindFixedDay(doc, year, rule.DayOfMonth, rule.MonthIndex);
    case HolidayRuleKind::NthWeekday:
        return FindNthWeekday(doc, year, rule.Ordinal, rule.Weekday, rule.MonthIndex);
    case HolidayRuleKind::LastWeekday:
        return FindLastWeekday(doc, year, rule.Weekday, rule.MonthIndex);
    case HolidayRuleKind::VictoriaDay:
        return FindVictoriaDay(doc, year);
    case HolidayRuleKind::EasterBased:
        break;
    }
    return -1;
}

} // namespace custodex
