#pragma once

#include "reports/ProposalComparison.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

class QJsonObject;

// The comparison in words: the table's captions and cells, the notes under it, the text and
// JSON the command line prints.

namespace custodex {

// The title of the window, the printout and the text.
inline const QString ComparisonTitle = QStringLiteral("Comparison of Two Calendars");
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

} // namespace custodex
