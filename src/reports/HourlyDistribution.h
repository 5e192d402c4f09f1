#pragma once

#include "calendar/CalendarModel.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The hourly distribution: custody minutes of the marked overnight stays and day visits by
// weekday for each of the two years, the quarter hours each day covers for the report's
// graphs, and the warnings and errors about contradictory or missing times. Every run starts
// from zero, so running it again gives the same result.

namespace custodex {

constexpr int QuartersPerDay = 96;
constexpr int DaysPerWeek = 7;

// The seven lines every message list starts with.
const QStringList& DistributionLegend();

// What the report says when it closes after a run without (with) problems.
inline const QString DistributionCleanMessage =
    QStringLiteral("Congratulations!  The hourly distribution\n\rreport has not found any "
                   "warnings or errors.");
inline const QString DistributionProblemsMessage =
    QStringLiteral("The Hourly Distribution Report has found errors and/or warnings.\n\rWould "
                   "you like to view these messages now?");
inline const QString DistributionAccuracyNote =
    QStringLiteral("NOTE:  Actual times in hours and minutes will only be accurate when ALL "
                   "warnings and errors have been eliminated.\n\r\n\rNOTE:  ANY warnings or "
                   "errors will potentially cause Care Time and Quality Time Calculations to be "
                   "in error");
inline const QString DistributionCanceledMessage =
    QStringLiteral("Hourly Distribution Report canceled by user.");

struct WeekdayFigures {
    std::int32_t Count = 0;
    std::int32_t Minutes = 0;

    bool operator==(const WeekdayFigures&) const = default;
};
// Indexed Sunday (0) to Saturday (6).
using WeekdayTable = std::array<WeekdayFigures, DaysPerWeek>;

std::int32_t TableCount(const WeekdayTable& table);
std::int32_t TableMinutes(const WeekdayTable& table);

// A run of quarter hours of one day: 0 is the midnight that starts the day, 96 the midnight
// that ends it.
struct QuarterSpan {
    int FirstQuarter = 0;
    int Length = 0;
    // The evening part of an overnight (reaching the day's end), drawn down from the graph's top
    // edge; everything else is drawn up from the bottom edge.
    bool FromTop = false;

    bool operator==(const QuarterSpan&) const = default;
};

// What one day shows in the two graphs. A day holds at most its own evening (or whole day)
// and the morning of the previous day's stay, and at most one visit.
class DaySpans {
public:
    std::span<const QuarterSpan> Overnight() const
    {
        return {m_overnight.data(), static_cast<std::size_t>(m_overnightCount)};
    }
    std::span<const QuarterSpan> DayVisit() const
    {
        return {m_dayVisit.data(), static_cast<std::size_t>(m_dayVisitCount)};
    }
    // The overnight (day-visit) pass gave this day a message: drawn in red.
    bool OvernightProblem = false;
    bool DayVisitProblem = false;

    bool Problem() const { return OvernightProblem || DayVisitProblem; }
    bool IsEmpty() const { return m_overnightCount == 0 && m_dayVisitCount == 0 && !Problem(); }

    // Spans of no length are not kept; a span is kept within the day.
    void AddOvernight(QuarterSpan span);
    void AddDayVisit(QuarterSpan span);

private:
    std::array<QuarterSpan, 2> m_overnight{};
    std::array<QuarterSpan, 1> m_dayVisit{};
    int m_overnightCount = 0;
    int m_dayVisitCount = 0;
};

// One of the two years of the span (months 1..12 or 13..24).
struct DistributionYear {
    int FirstDay = 0; // index into CalendarDocument::Days
    int EndDay = 0;   // one past its last day
    WeekdayTable OvernightWeekdays{};
    WeekdayTable DayVisitWeekdays{};
    // A day of this year was flagged by the overnight (day-visit) pass, so the report notes
    // that the assumed time was applied.
    bool OvernightProblems = false;
    bool DayVisitProblems = false;

    int DayCount() const { return EndDay - FirstDay; }
};

// A run of minutes of one day (0 is the midnight that starts it, 1440 the one that ends it) that
// the distribution counts; `Known` when it comes from times given rather than assumed ones.
struct MinuteSpan {
    int From = 0;
    int To = 0;
    bool Known = true;

    bool operator==(const MinuteSpan&) const = default;
};

// The minutes of one day that the distribution gives the non-custodial parent: the morning of
// the previous night's stay, the day's own evening (or whole day) and its visit, each exactly
// as the weekday tables count them.
class DayMinutes {
public:
    // Spans of no length are not kept; a span is kept within the day.
    void Add(MinuteSpan span);
    // A visit picked up after its dropoff: the tables get a negative time.
    void AddBackwards() { m_backwards = true; }

    std::span<const MinuteSpan> Spans() const
    {
        return {m_spans.data(), static_cast<std::size_t>(m_count)};
    }
    int Counted() const; // the sum the weekday tables get
    int Covered() const; // each minute once, where a visit and a stay overlap too
    // False when known hours are counted twice (a visit within a stay, stays that overlap), the
    // day would hold more than 24 hours, or a visit runs backwards: no share of time can be told.
    bool Countable() const;

private:
    std::array<MinuteSpan, 4> m_spans{};
    int m_count = 0;
    bool m_backwards = false;
};

struct DistributionResult {
    std::array<DistributionYear, 2> Years{};
    std::vector<DayMinutes> Minutes; // one per day of the calendar, in span order

    std::vector<DaySpans> Days; // one per day of the calendar, in span order
    QStringList DistributionMessages;
    QString AssumedOvernightText; // " 24 Hrs. 00 Mins. "
    QString AssumedDayVisitText;

    std::int32_t QTotOvernights = 0;
    std::int32_t QTotOvernightMinutes = 0;
    std::int32_t QTotDayVisits = 0;
    std::int32_t QTotDayVisitMinutes = 0;
    // Only for this run's reports; never saved.
    std::int32_t OvernightSleepNapMinutes = 0;
    std::int32_t DayVisitNapMinutes = 0;

    // True when the list holds more than the legend.
    bool HasProblems() const;
};

// The refusal of the time reports when visits or stays cannot be counted as they stand (a day
// visit within an overnight stay's hours, stays whose times overlap, or a visit picked up after
// its dropoff): the figures would show more than all the period's hours, or negative hours.
inline const QString UncountableVisitsMessage = QStringLiteral(
    "Some day visits or overnight stays cannot be counted as they stand: their hours fall\n\r"
    "within the hours of another stay or visit, or their pickup comes after their dropoff.\n\r"
    "The report would show negative hours or more than 100% of the time.\n\rRun the Hourly "
    "Distribution Report to see them (DV Error, ON_Error),\n\rcorrect their times, then try "
    "again.");

// True when a day of the run cannot be counted (see `DayMinutes::Countable`).
bool HasUncountableDayVisits(const DistributionResult& result);
// The days that cannot be counted, as indices in span order.
std::vector<int> UncountableDays(const DistributionResult& result);
// What every figure of hours or shares says in place of the figure when the run cannot be
// counted: the reason and the first days concerned; empty when every day counts.
QString NotCountableReason(const CalendarDocument& doc, const DistributionResult& result);

// " " + hours + " Hrs. " + minutes + " Mins. " of an "HH:MM" duration text.
QString AssumedDurationText(const QString& durationText);
// Quarter hours of n minutes: a remainder of 8 minutes or more counts as a quarter.
int QuartersOfMinutes(int minutes);
// Quarter hours of a day visit of n minutes: here a remainder of 7 minutes already counts.
int DayVisitQuartersOfMinutes(int minutes);
// Quarter hours of an "HH:MM" duration text.
int QuartersOfDuration(const QString& durationText);

// The whole computation on the calendar as it is; the calendar is not changed.
DistributionResult ComputeDistribution(const CalendarDocument& doc);
// A run of the report: computes and stores the four totals in the calendar.
DistributionResult RunDistribution(CalendarDocument& doc);
// When the report closes after a run: records whether the run found problems, marks the
// calendar changed when its figures were stale, and clears the stale flag.
void CompleteDistribution(CalendarDocument& doc, const DistributionResult& result);

// The report table's cells: a count with at least three digits ("007") and a time as
// "0123 Hrs. 05 Mins.".
QString WeekdayCountText(std::int32_t count);
QString WeekdayTimeText(std::int32_t minutes);

// The messages as the ".log" file holds them: one line each, ended by CR LF.
QByteArray DistributionLogBytes(const QStringList& messages);

} // namespace custodex
