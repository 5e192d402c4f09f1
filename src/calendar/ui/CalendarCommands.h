#pragma once

#include "calendar/MenuChecks.h"

#include <QString>

#include <functional>

// The calendar subsystem's own menu commands apart from the file commands: the extended
// overnight scan, the companion programs, the tutorials, the about box and the help; and the
// frame every day-changing dialog's command runs in.

namespace custodex {

class CommandHost;

// A day-changing dialog's command (patterns, holidays, repeat patterns, custom lists): the
// group's refusal without a calendar; otherwise `showDialog` runs modally (false for Cancel,
// which brings every day back), applied changes mark the calendar changed and the figures
// stale, and the window shows the calendar again (month, counters, reason lists).
// Each Apply or Remove that changed days becomes one step of the history when the dialog
// closes, named "Apply " or "Remove " + `stepName` (the dialog's title when empty); a run the
// dialog's own Undo took back leaves no step, and Cancel none at all.
void RunDayChangingCommand(CommandHost& host, DayChangingGroup group,
                           const std::function<bool()>& showDialog,
                           const QString& stepName = QString());
// Runs `change` (which may ask, and may change nothing) as one step of the history named `name`,
// then shows the calendar again.
void RunRecordedChange(CommandHost& host, const QString& name, const std::function<void()>& change);

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
