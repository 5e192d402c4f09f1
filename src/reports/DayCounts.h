#pragma once

#include "calendar/CalendarModel.h"
#include "reports/CareTime.h"
#include "reports/HourlyDistribution.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// The same schedule counted the ways child-support rules count time: overnights, 24-hour
// periods, days over 12 hours and weighted days, for each period and as shares of its days.
// Every count comes from the minutes of each day that the hourly distribution gives the
// non-custodial parent, each minute once. The program never says which rule applies.

namespace custodex {

enum class DayCountMethod { Overnights, Hours24, DaysOver12Hours, WeightedDays };
inline constexpr std::array<DayCountMethod, 4> AllDayCountMethods{
    DayCountMethod::Overnights, DayCountMethod::Hours24, DayCountMethod::DaysOver12Hours,
    DayCountMethod::WeightedDays};

// A day's weight in quarters: 12 hours or more is a whole day, 6 hours half, 3 hours a quarter.
int WeightQuarters(int minutes);

// One period's counts of the non-custodial parent's time.
struct DayCountFigures {
    int Days = 0;             // the period's days
    int Overnights = 0;       // counted overnight marks, as the counters count them
    std::int64_t Minutes = 0; // non-custodial minutes of the period's days
    int DaysOver12Hours = 0;  // days with more than 720 minutes
    int WeightedQuarters = 0; // weighted days in quarters of a day

    // The count in its unit: overnights and days as they are, 24-hour periods in tenths,
    // weighted days in quarters.
    std::int64_t Units(DayCountMethod method) const;
    // The count as the report writes it: "104", "151.3", "52.75".
    QString CountText(DayCountMethod method) const;
    // The count as a share of the period's days ("28.5%"), with the rule of every percentage.
    QString ShareText(DayCountMethod method) const;
    double CountValue(DayCountMethod method) const;
};

// Units of a count per one: 1, or 10 for 24-hour periods, 4 for weighted days.
int UnitsPerOne(DayCountMethod method);
// Units as the report writes them.
QString UnitsText(DayCountMethod method, std::int64_t units);

// Both parents' counts of one period's days (the custodial parent has each day's other minutes
// and the nights the other parent does not have).
struct PeriodDayCounts {
    DayCountFigures NonCustodial;
    DayCountFigures Custodial;
};

struct DayCounts {
    // Why nothing can be counted (the rule of the care report); empty when counted.
    QString NotCountable;
    // The distribution found warnings or errors: the counts stand, but only approximately.
    bool Approximate = false;
    std::array<PeriodDayCounts, 3> Periods{}; // in CarePeriod order

    bool Countable() const { return NotCountable.isEmpty(); }
};

// The counts from a run of the distribution on the calendar as it is.
DayCounts CountDays(const CalendarDocument& doc, const DistributionResult& run);
// The same with the distribution run in memory; the calendar is not changed.
DayCounts CountDays(const CalendarDocument& doc);

QString DayCountMethodKey(DayCountMethod method);     // "hours24", as the JSON names it
QString DayCountMethodCaption(DayCountMethod method); // "24-hour periods"
QString DayCountMethodDefinition(DayCountMethod method);

// The report.
inline const QString DayCountTitle = QStringLiteral("Day Count Report");
inline const QString DayCountApproximateNote =
    QStringLiteral("The hourly distribution found warnings or errors in this calendar's times; "
                   "the counts are only approximate.");
inline const QString DayCountNeutralNote =
    QStringLiteral("The program does not say which of these counts a rule or a court applies.");
// "First year", "Second year", "Both years".
QString DayCountPeriodCaption(CarePeriod period);
// The table's rows for the periods given: the method, then per period the non-custodial
// count, its share, the custodial count and its share.
QStringList DayCountTextLines(const CalendarDocument& doc, const DayCounts& counts,
                              const std::vector<CarePeriod>& periods);
// `custodex-cli day-counts --json`.
QJsonObject DayCountsJson(const CalendarDocument& doc, const DayCounts& counts,
                          const std::vector<CarePeriod>& periods);

class DrawingSurface;
// The printed page: title, client, span, the table, the definitions and the note.
void DrawDayCountPage(DrawingSurface& surface, const CalendarDocument& doc, const DayCounts& counts,
                      const QString& generated);
// The page as a one-page Letter PDF.
QByteArray DayCountPdfBytes(const CalendarDocument& doc, const DayCounts& counts,
                            const QString& generated);

} // namespace custodex
