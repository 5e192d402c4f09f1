#pragma once

#include "calendar/MenuChecks.h"

// The holiday menu commands: one dialog per country, made on first use and kept.

namespace custodex {

class CommandHost;
class THolidayDialog;
struct HolidayCountry;

// The group's refusal without a calendar; otherwise the country's dialog for `kind`, and
// Cancel brings every day back as it was when the dialog opened.
void RunHolidays(CommandHost& host, const HolidayCountry& country, ListKind kind);

THolidayDialog& HolidayWindow(CommandHost& host, const HolidayCountry& country);

} // namespace custodex
