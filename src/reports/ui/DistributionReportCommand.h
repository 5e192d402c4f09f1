#pragma once

// The Hourly Distribution Report menu command, and the report run on the way to the quality
// time and care time reports when the stored figures are stale.

namespace custodex {

class CommandHost;

enum class DistributionAssumptions {
    All,
    WithoutSleepAndNap, // the care time report uses neither
};

// Refused without a calendar; otherwise the report window, modally.
void RunDistributionReport(CommandHost& host);

// The report window made for this use, shown modally and freed; for the time reports' check.
void ShowDistributionReport(CommandHost& host, DistributionAssumptions shown);

} // namespace custodex
