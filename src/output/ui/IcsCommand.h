#pragma once

// The menu command "Write Calendar to .ICS File": the CSV export's checks in its order, a save
// dialog, then the file written with both kinds of events, annotations as free time and
// floating local times.

namespace custodex {

class CommandHost;

void RunIcsExport(CommandHost& host);

} // namespace custodex
