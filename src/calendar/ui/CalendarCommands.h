#pragma once

// The calendar subsystem's own menu commands apart from the file commands: the extended
// overnight scan, the companion programs, the tutorials, the about box and the help.

namespace custodex {

class CommandHost;

// Offers each possible extended overnight in its month, then redraws the month.
void RunExtendedScan(CommandHost& host);
// The companion programs start beside the program; a missing one simply does not start.
void RunCollato(CommandHost& host);
void RunCustomListBuilder(CommandHost& host); // with this calendar's year, month, client, folder
void RunWebsite(CommandHost& host);
void ShowTutorials(CommandHost& host);
void ShowAbout(CommandHost& host);
void ShowCalendarHelp(CommandHost& host);

} // namespace custodex
