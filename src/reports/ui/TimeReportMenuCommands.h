#pragma once

// The "Quality Time Report" and "Care Time Report" menu commands: the checks every time report
// makes (running the hourly distribution first when its figures are stale), then the away-times
// dialog or the care time window, kept from their first use.

namespace custodex {

class CommandHost;

void RunQualityTimeReport(CommandHost& host);
void RunCareTimeReport(CommandHost& host);
// "Day Count Report": a calendar with marks whose hours can be counted, then its window
// (src/reports/ui/DayCountWindow).
void RunDayCountReport(CommandHost& host);

} // namespace custodex
