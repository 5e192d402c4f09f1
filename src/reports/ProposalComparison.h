#pragma once

#include "calendar/CalendarModel.h"
#include "reports/CareTime.h"
#include "reports/DayCounts.h"

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// Two calendars side by side (two proposed schedules): each one's counters, the minutes the
// hourly distribution gives the non-custodial parent and the care time share, per year and for
// both years, and each month's overnights and day visits. Nothing is written to either calendar.

namespace custodex {

// One period's figures of one calendar, as its counters panel and care report show them.
struct PeriodFigures {
    int Overnights = 0;
    int DayVisits = 0;
    QString OvernightPercent; // the counters' "% of Year's Total" text ("21.6%")
    QString DayVisitPercent;
    std::int64_t NonCustodialMinutes = 0; // overnight + day-visit minutes of the distribution
    QString NonCustodialCarePercent;      // the care report's non-custodial "Care Time"
    DayCountFigures Counts;               // the non-custodial parent's day counts
};

struct MonthFigures {
    int Year = 0;
    int Month = 0; // 1..12
    int Overnights = 0;
    int DayVisits = 0;
};

struct CalendarFigures {
    QString File;
    QString Client;
    QDate From;
    QDate To;
    bool DistributionHadErrors = false;
    // Why no figure of hours, care time or day counts is shown (the care report's rule), with
    // the first days concerned; empty when they are shown.
    QString NotCountable;
    bool Countable() const { return NotCountable.isEmpty(); }
    std::array<PeriodFigures, 3> Periods{}; // in CarePeriod order: first, second, both years
    std::array<MonthFigures, MonthsInSpan> Months{};
    std::vector<Guideline> Guidelines; // the calendar's own
    // For the charts: the calendar's own mark colours.
    std::int32_t OvernightColour = 0;
    std::int32_t DayVisitColour = 0;
};

// Works out a calendar's figures on a copy: counters recounted, the distribution run in memory
// when its stored figures are stale (as the care report does). Without `distribution` the
// minutes and care texts stay empty and nothing but counting is done.
CalendarFigures FiguresOf(const CalendarDocument& doc, const QString& file,
                          bool distribution = true);

struct Comparison {
    CalendarFigures A;
    CalendarFigures B;
    bool SameSpan() const { return A.From == B.From; }
};

Comparison CompareCalendars(const CalendarDocument& a, const QString& fileA,
                            const CalendarDocument& b, const QString& fileB);

// The measures in their fixed order; ComparisonTexts gives the texts a table shows for them.
enum class Measure {
    Overnights,
    OvernightPercent,
    DayVisits,
    DayVisitPercent,
    NonCustodialMinutes,
    NonCustodialCarePercent,
    Hours24,
    Hours24Percent,
    DaysOver12Hours,
    DaysOver12HoursPercent,
    WeightedDays,
    WeightedDaysPercent
};
inline constexpr std::array<Measure, 12> AllMeasures{Measure::Overnights,
                                                     Measure::OvernightPercent,
                                                     Measure::DayVisits,
                                                     Measure::DayVisitPercent,
                                                     Measure::NonCustodialMinutes,
                                                     Measure::NonCustodialCarePercent,
                                                     Measure::Hours24,
                                                     Measure::Hours24Percent,
                                                     Measure::DaysOver12Hours,
                                                     Measure::DaysOver12HoursPercent,
                                                     Measure::WeightedDays,
                                                     Measure::WeightedDaysPercent};
// A measure the hourly distribution's hours give: shown only when the calendar can be counted.
bool NeedsCountableHours(Measure measure);

} // namespace custodex
