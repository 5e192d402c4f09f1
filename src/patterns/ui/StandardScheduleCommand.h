#pragma once

// Lists › "Apply a Standard Schedule…": its window kept from the first use, run in the frame of
// every day-changing dialog.

namespace custodex {

class CommandHost;
class TStandardSchedule;

void RunStandardSchedule(CommandHost& host);
TStandardSchedule& StandardScheduleWindow(CommandHost& host);

} // namespace custodex
