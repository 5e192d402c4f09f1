#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// Guidelines: figures a user measures a schedule against (a number of overnights a year, a
// share of nights or of care time). The program never says which applies; it keeps the
// user's list with the calendar and tells, per period, whether each is reached.

namespace custodex {

struct CalendarDocument;

enum class GuidelineMeasure {
    Overnights,
    DayVisits,
    OvernightPercent,
    NonCustodialCarePercent,
    // The day counts of the hourly distribution's hours (a count a year, or its share of days).
    Hours24,
    DaysOver12Hours,
    WeightedDays,
    Hours24Percent,
    DaysOver12HoursPercent,
    WeightedDaysPercent
};
inline constexpr std::array<GuidelineMeasure, 10> AllGuidelineMeasures{
    GuidelineMeasure::Overnights,
    GuidelineMeasure::DayVisits,
    GuidelineMeasure::OvernightPercent,
    GuidelineMeasure::NonCustodialCarePercent,
    GuidelineMeasure::Hours24,
    GuidelineMeasure::DaysOver12Hours,
    GuidelineMeasure::WeightedDays,
    GuidelineMeasure::Hours24Percent,
    GuidelineMeasure::DaysOver12HoursPercent,
    GuidelineMeasure::WeightedDaysPercent};

struct Guideline {
    QString Name;
    GuidelineMeasure Measure = GuidelineMeasure::Overnights;
    int AtLeast = 0; // a count a year, or tenths of a percent for the percentages

    bool operator==(const Guideline&) const = default;
};

inline constexpr int GuidelineNameCapacity = 50;
inline constexpr int GuidelineCountLimit = 366;
inline const QString GuidelineKey = QStringLiteral("GUIDELINE=");
// Most guidelines a calendar holds (its guideline lines, read or not); a calendar file with
// more is refused.
inline constexpr int GuidelineLimit = 1000;
// "A calendar holds at most 1,000 guidelines."
QString GuidelineLimitMessage();

// "overnights", "dayVisits", "overnightPercent", "nonCustodialCarePercent", "hours24",
// "daysOver12Hours", "weightedDays" and their "...Percent" forms.
QString GuidelineMeasureKey(GuidelineMeasure measure);
std::optional<GuidelineMeasure> GuidelineMeasureFromKey(const QString& key);
// "Overnights a year", as the preferences list it.
QString GuidelineMeasureCaption(GuidelineMeasure measure);
bool IsPercentMeasure(GuidelineMeasure measure);
// A measure that needs the hourly distribution's hours (care time and the day counts).
bool NeedsDistribution(GuidelineMeasure measure);

// Why a name cannot be a guideline's (empty, too long, "!" or ";"), or empty when it can.
QString GuidelineNameProblem(const QString& name);
// The at-least value typed for a measure: a whole number 0..366 for a count; 0..100 with at
// most one decimal for a percentage, with or without "%" ("40", "40.0", "40.0%"). Tenths for
// a percentage. Nothing when it cannot be one.
std::optional<int> ReadGuidelineValue(GuidelineMeasure measure, const QString& text);
// What the value may be, for the message when it is refused.
QString GuidelineValueRule(GuidelineMeasure measure);
// "146" or "40.0%".
QString GuidelineValueText(const Guideline& guideline);
// Tenths of a percent as "40.0%".
QString TenthsPercentText(int tenths);

// The calendar file's line without its line end: "GUIDELINE=overnights,146,Overnight minimum".
QString GuidelineFileLine(const Guideline& guideline);
// A line's value after "GUIDELINE=", or nothing when it does not hold a valid guideline.
std::optional<Guideline> ReadGuidelineValueText(const QString& value);

// What a reader of the calendar is told about its guidelines: how many guideline lines could
// not be read (they are kept as written) and which names several guidelines share (all are
// shown). Empty when there is nothing to say.
QStringList GuidelineNotes(const std::vector<Guideline>& guidelines, qsizetype unreadLines);

// Why a guideline cannot be set by its name: several guidelines share the name, so which of
// them to replace would be a guess. Names them with their figures; empty when it can be set.
QString GuidelineSetProblem(const std::vector<Guideline>& list, const QString& name);
// Sets a guideline: the one of the same name is replaced in its place, else it is added last.
// False, with nothing changed, when several share the name (see GuidelineSetProblem).
bool SetGuideline(std::vector<Guideline>& list, const Guideline& guideline);
// Removes every guideline of that name; how many there were.
std::size_t RemoveGuideline(std::vector<Guideline>& list, const QString& name);

} // namespace custodex
