#pragma once

// The "Quality Time Report" and "Care Time Report" menu commands: the checks every time report
// makes (running the hourly distribution first when its figures are stale), then the away-times
// dialog or the care time window, kept from their first use.

namespace custodex {

class CommandHost;

void RunQualityTimeReport(CommandHost& host);
void RunCareTimeReport(CommandHost& host);

} // namespace custodex
