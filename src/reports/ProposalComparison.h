#pragma once

#include "calendar/CalendarModel.h"
#include "reports/CareTime.h"
#include "reports/DayCounts.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

class QJsonObject;

// Two calendars side by side (two proposed schedules): each one's counters, the minutes the
// hourly distribution gives the non-custodial parent and the care time share, per year and for
// both years, and each month's overnights and day visits. Nothing is written to either calendar.

namespace custodex {

class DrawingSurface;

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

// The measures in their fixed order, with the texts a table shows for them.
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
// What a cell shows in place of a figure that cannot be counted.
inline const QString NotCountableCell = QStringLiteral("\u2014");
QString MeasureKey(Measure measure);                // "overnights", as the JSON names it
QString MeasureCaption(Measure measure);            // "Overnights", as the table names it
QString ComparisonPeriodCaption(CarePeriod period); // "First year"

// The difference of two percent texts in tenths, written with a sign and one decimal
// ("+6.9", "-0.3"); "0.0" when equal.
QString PercentDifference(const QString& a, const QString& b);
// Minutes as hours and minutes ("526:24"); with `signed_` a leading "+" or "-" ("+0:15").
QString HoursMinutesFigure(std::int64_t minutes, bool signed_ = false);

// The three cells (A, B, B - A) of a measure in a period, as the table writes them.
std::array<QString, 3> MeasureCells(const Comparison& comparison, Measure measure,
                                    CarePeriod period);

// "Garcia: March 1, 2025 to February 28, 2027"
QString SideDescription(const CalendarFigures& side);
// Said when the spans start on different days; empty when they start together.
QString SpanDifferenceNote(const Comparison& comparison);
// Said under the table: a side whose hours cannot be counted (why, and the first days
// concerned), or whose distribution found warnings (its hours are only approximate).
QStringList ComparisonNotes(const Comparison& comparison);

// The JSON object of `custodex-cli compare --json`; each side lists its own guidelines.
QJsonObject ComparisonJson(const Comparison& comparison);
// Each side's guidelines in every period, one marked line each ("A, first year: ...").
QStringList ComparisonGuidelineLines(const Comparison& comparison);
// The table as aligned text, and the guidelines under it.
QString ComparisonText(const Comparison& comparison);

// Two bars per month (A solid, B striped) of overnights or day visits in `area`, with the
// month names under them and a legend above.
void DrawMonthBars(DrawingSurface& surface, const QRect& area, const Comparison& comparison,
                   bool overnights);
// The printout: the names, the table, its notes and both charts on the first page; the
// guidelines after them, continued on further pages as needed, every page with its footer.
// The number of pages drawn.
inline const QString ComparisonTitle = QStringLiteral("Comparison of Two Calendars");
int DrawComparisonPage(DrawingSurface& surface, const Comparison& comparison,
                       const QString& generated);
// The printout as a Letter PDF at the pictures' 150 dots per inch.
QByteArray ComparisonPdfBytes(const Comparison& comparison, const QString& generated);

} // namespace custodex
