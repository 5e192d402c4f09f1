#pragma once

#include "calendar/CalendarModel.h"

#include <QString>

#include <cstdint>

// What the quality time and care time reports share: the texts of minutes and shares of a
// period, the period a report covers, and how their pie charts turn shares into slices.

namespace custodex {

// minutes / 60 + " Hrs " + remainder + " Mins" ("624 Hrs 0 Mins").
QString HoursMinutesText(std::int64_t minutes);
// The same with two blanks after "Hrs", as the day-visit and total-time fields show it.
QString HoursMinutesWideText(std::int64_t minutes);

// The share of `days` × 1440 minutes that `minutes` are, with one decimal: hundredths of a
// percent by truncating division, the tenths rounded half up on the hundredths, at least two
// digits before the point ("00.1%", "10.0%", "100.0%"). A negative share keeps its sign.
QString PercentageText(std::int64_t minutes, int days);

// The share `part` of `whole` with the same rule ("28.5%"); empty when `whole` is not positive.
QString ShareText(std::int64_t part, std::int64_t whole);

// Tenths of a percent read back from a percentage text: the digits before "." and the one
// after it ("52.3%" is 523). Anything that does not read gives 0.
int PercentTenths(const QString& percentageText);

// The custodial slice of a pie: the background colour, or, when that is white, a lighter
// shade derived from the overnight colour so the slice stands out from the page.
std::int32_t CustodialSliceColour(std::int32_t backgroundColour, std::int32_t overnightColour);

// A slice of tenths of a percent, in hundredths of a degree (523 tenths are 18828, 188.28°).
constexpr int SliceHundredthsOfDegree(int tenths)
{
    return tenths * 36;
}

// The months a report covers (1..24 of the span) and the days in them.
struct ReportPeriod {
    int FirstMonth = 1;
    int LastMonth = 24;
    int FirstDay = 0; // index into the day list
    int EndDay = 0;   // one past the period's last day

    int Days() const { return EndDay - FirstDay; }
};

// Months `firstMonth` to `lastMonth` of the calendar's span.
ReportPeriod PeriodOfMonths(const CalendarDocument& doc, int firstMonth, int lastMonth);

// month name + " " + year of month 1..24 ("March 2024").
QString MonthOfSpanText(const CalendarDocument& doc, int monthNumber);

// "For Calendar Year Beginning " + first month + " through " + last month; the report pages
// say "Beginning on".
QString PeriodLabel(const CalendarDocument& doc, const ReportPeriod& period);
QString PeriodPageLabel(const CalendarDocument& doc, const ReportPeriod& period);

// The date of a day of the span as YYYY-MM-DD.
QString IsoDateOfDay(const CalendarDocument& doc, int dayIndex);

// A row of a summary window: its caption, the result field it shows and an optional note.
struct SummaryRow {
    QString Caption;
    QString Field;
    QString Note;
};

// Both parental titles are needed on a printed or previewed report.
inline const QString ParentTitlesMissingMessage =
    QStringLiteral("Please enter the names of the Custodial\n\rand Non-Custodial parents.");
bool ParentTitlesMissing(const CalendarDocument& doc);

} // namespace custodex
