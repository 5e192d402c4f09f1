#pragma once

#include "calendar/Guidelines.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// The in-memory calendar: every day of a 24-month span plus the calendar-wide settings,
// flags and counters that the calendar file stores or the main window shows.

namespace custodex {

inline const QString NoTimeText = QStringLiteral("<None>");
inline const QString BlankReason = QStringLiteral(" ");
// A reason starting with this marks a day on which the child takes no nap.
inline const QString NoNapPrefix = QStringLiteral("NN-");

// Capacities of the stored texts, in characters.
constexpr int MonthNameCapacity = 10;
constexpr int WeekdayNameCapacity = 10;
constexpr int ReasonCapacity = 100;
constexpr int TimeTextCapacity = 10;
constexpr int DurationCapacity = 10;
constexpr int AuthorCapacity = 40;
constexpr int TitleCapacity = 40;
constexpr int ParentNameCapacity = 50;
constexpr int YearTextCapacity = 6;
constexpr int MonthTableNameCapacity = 20;

constexpr int MonthsInSpan = 24;

// The longest each assumed duration may be, in hours.
constexpr int OvernightHoursLimit = 24;
constexpr int SleepTimeLimit = 12;
constexpr int DayVisitHoursLimit = 16;
constexpr int NapTimeLimit = 12;

// Keeps the first `capacity` characters, never splitting a surrogate pair.
QString CutText(const QString& text, int capacity);
// The same cut as a view, without a copy.
QStringView CutView(QStringView text, int capacity);
// How many characters a user sees in `text` (grapheme clusters: "é" written as e and a
// combining accent, a flag, a family emoji each count one), for the limits of names.
int UserCharacterCount(const QString& text);
// Keeps the first `capacity` characters as a user sees them, for names.
QString CutToUserCharacters(const QString& text, int capacity);

const QStringList& DisplayMonthNames();   // "January" .. "December"
const QStringList& MonthKeys();           // "JANUARY" .. "DECEMBER"
const QStringList& DisplayWeekdayNames(); // "Sunday" .. "Saturday"
const QStringList& WeekdayKeys();         // "SUNDAY" .. "SATURDAY"

// Index 0..11 of a month name compared ignoring case, or -1.
int MonthIndexOf(const QString& monthName);

struct CalendarDay {
    int DayOfMonth = 0;
    QString MonthName;
    QString WeekdayName;
    bool HasOvernight = false;
    QString OvernightReason = BlankReason;
    QString OvernightPickup = NoTimeText;
    QString OvernightDropoff = NoTimeText;
    bool HasDayVisit = false;
    QString DayVisitReason = BlankReason;
    QString DayVisitStart = NoTimeText;
    QString DayVisitEnd = NoTimeText;

    bool operator==(const CalendarDay&) const = default;
};

using DayList = std::vector<CalendarDay>;

struct CounterSet {
    int Days = 0;
    int Overnights = 0;
    int DayVisits = 0;
    int CustodialOvernights = 0;
    int CustodialDayVisits = 0;
    // Overnights, CustodialOvernights, their two percentages, DayVisits, CustodialDayVisits,
    // their two percentages.
    std::array<QString, 8> Texts;
};

struct MonthTableEntry {
    int FirstDay = -1; // index into CalendarDocument::Days
    int Year = 0;
    QString MonthName;
};

// A default-reason combo box's content: its text and its item list.
struct ReasonList {
    QString Text;
    QStringList Items;
    bool operator==(const ReasonList&) const = default;
};

enum class SnapshotKind { Entry, Undo };

struct CalendarDocument {
    // The day list in span order; empty when no calendar exists.
    DayList Days;
    int SecondYearFirstDay = -1; // index of the first day of month 13, -1 without a calendar

    // Span addressing.
    int StartMonthIndex = 0;
    int ShownMonthIndex = 0;
    bool ShowingFirstYear = true;
    int ShownMonthNumber = 1;
    std::array<MonthTableEntry, MonthsInSpan> MonthTable{};
    std::array<int, 12> FirstYearOfMonth{};
    std::array<QString, MonthsInSpan> MonthButtonCaptions;
    QString StartYearText;
    QString EndYearText;
    int DayCount = 0;

    // Values the main window holds in its controls.
    QString ClientName;
    QString UserYear;     // start year as typed
    QString SelUserMonth; // start month as shown
    ReasonList OverniteReasons;
    ReasonList DayVisitReasons;
    QString OverNiteStrtTime = NoTimeText;
    QString OverNiteEndTime = NoTimeText;
    QString DayVisitStrtTime = NoTimeText;
    QString DayVisitEndTime = NoTimeText;
    QString CurrentFileName;
    // Where the dialogs start; exports and pictures move it.
    QString ClientFolder;
    // The folder of the calendar's own file (last opened from or saved to), where Save
    // writes; empty for a calendar never saved.
    QString DocumentFolder;
    QString WindowCaption = QStringLiteral("Calendar File=");

    // Calendar-wide settings.
    std::int32_t BackgroundColour = 16777215;
    std::int32_t DayVisitColour = 0;
    std::int32_t OvernightColour = 12632256;
    QString OvernightHours = QStringLiteral("24:00");
    QString SleepTime = QStringLiteral("08:00");
    QString DayVisitHours = QStringLiteral("12:00");
    QString NapTime = QStringLiteral("00:00");
    int OvernightMinutes = 24 * 60;
    int SleepMinutes = 8 * 60;
    int DayVisitMinutes = 12 * 60;
    int NapMinutes = 0;
    std::int32_t QTotOvernights = 0;
    std::int32_t QTotDayVisits = 0;
    std::int32_t QTotOvernightMinutes = 0;
    std::int32_t QTotDayVisitMinutes = 0;
    QString Author;
    QString Title;
    QString CustodialName = QStringLiteral("Custodial");
    QString NonCustodialName = QStringLiteral("Non-Custodial");
    QStringList Exclusions;
    std::vector<Guideline> Guidelines; // kept after the exclusions, in the user's order
    // Guideline lines of the file the reader could not take (a value out of range, a name it
    // refuses, a line cut off), written back after the guidelines exactly as they were read.
    QStringList UnreadGuidelineLines;

    // Flags.
    bool ChangesPending = false;
    bool DistributionStale = true;
    bool DistributionHadErrors = false;

    CounterSet FirstYearCounters;
    CounterSet SecondYearCounters;
    CounterSet BothYearsCounters;

    DayList EntrySnapshot;
    DayList UndoSnapshot;
    int AppliedChangeCount = 0;
    // Called as each Apply or Remove of a bulk dialog takes its Undo copy, before it changes a
    // day: the frame of the day-changing dialogs makes one history step of each run this way,
    // and the engines need not know of the history.
    std::function<void()> BeforeBulkRun;

    int StartYear = 0; // calendar year of month 1

    bool HasCalendar() const { return !Days.empty(); }
};

// Year value of a year text: the digits after its last "/", below 100 taken as 20xx.
// The digits are not checked; callers validate the year first.
int YearFromYearText(const QString& yearText);

// The 12 months from the start month of the year in `yearText`.
DayList BuildYear(const QString& yearText, int startMonthIndex);
void BuildSpan(CalendarDocument& doc, int startMonthIndex, int startYear);
void BuildMonthTables(CalendarDocument& doc);

// Index of the day, or -1.
int FindDay(const CalendarDocument& doc, int monthIndex, bool inFirstYear, int dayOfMonth);

// The calendar year a day of the span falls in.
int YearOfDay(const CalendarDocument& doc, int dayIndex);

void RecountCounters(CalendarDocument& doc);
QString PercentText(int count, int days);
QString ReasonDisplayText(const QString& reason);
bool IsAnnotationReason(const QString& reason);

// The four fields of one kind of mark on a day (overnight or day visit), so code that works on
// either kind is written once.
struct DayMarkFields {
    bool& Has;
    QString& Reason;
    QString& Pickup;
    QString& Dropoff;
};
struct ConstDayMarkFields {
    bool Has;
    const QString& Reason;
    const QString& Pickup;
    const QString& Dropoff;
};
DayMarkFields MarkFieldsOf(CalendarDay& day, bool overnight);
ConstDayMarkFields MarkFieldsOf(const CalendarDay& day, bool overnight);

void TakeSnapshot(CalendarDocument& doc, SnapshotKind kind);
void RestoreSnapshot(CalendarDocument& doc, SnapshotKind kind);

// Drops the day list and everything derived from it; settings are left alone.
void ClearCalendar(CalendarDocument& doc);
// The settings and flags a calendar starts from (program start, Close, before reading a file).
void ResetSettingsToDefaults(CalendarDocument& doc);

// Minutes of an "hh:mm" duration text, or -1 when it is not of that form.
int DurationMinutes(const QString& durationText);
void RecomputeDurationMinutes(CalendarDocument& doc);
// An "hh:mm" duration text brought within `limitHours` ("99:99" with 24 gives "24:00");
// a text already within the limit, or not of that form, comes back unchanged.
QString DurationWithinLimit(const QString& durationText, int limitHours);

} // namespace custodex
