#pragma once

#include "calendar/CalendarModel.h"

#include <QStringList>

#include <functional>

// The checks the main window's menu commands make before they hand over, in their fixed
// order; each refusal is one message and ends the command.

namespace custodex {

class Prompter;

enum class DayChangingGroup { Holidays, Patterns, RepeatPatterns, CustomLists };
enum class ListKind { Overnights, DayVisits };
enum class TimeReport { Quality, Care };

// No overnight and no day visit counted in either year.
bool NothingMarked(const CalendarDocument& doc);

bool CheckDayChangingDialog(const CalendarDocument& doc, DayChangingGroup group,
                            Prompter& prompter);
// Runs a day-changing dialog: `show` returns false for Cancel. Cancel brings every day back
// as it was; otherwise applied changes mark the calendar changed and the figures stale.
// Returns what the dialog did to the days, in the words of DescribeDayChanges.
QString RunDayChangingDialog(CalendarDocument& doc, const std::function<bool()>& show);

// A short account of the marks that differ between two copies of the days, for the status
// bar: "Applied: 104 days of Alt weekend (2 replaced)", "Removed: 12 days", or empty when
// none differ.
QString DescribeDayChanges(const DayList& before, const DayList& after);

bool CheckFind(CalendarDocument& doc, Prompter& prompter);
bool CheckPrint(CalendarDocument& doc, bool currentMonthOnly, Prompter& prompter);
bool CheckCsvExport(CalendarDocument& doc, Prompter& prompter);
bool CheckDistributionReport(const CalendarDocument& doc, Prompter& prompter);
// `runDistribution` shows the hourly distribution report (which clears the staleness).
// `uncountable` (when given) tells, with the figures current, why the marks cannot be counted
// at all: that is said once, before any question whose Yes could not help.
bool CheckTimeReport(CalendarDocument& doc, TimeReport report, Prompter& prompter,
                     const std::function<void()>& runDistribution,
                     const std::function<QString()>& uncountable = {});
bool CheckPreview(const CalendarDocument& doc, Prompter& prompter);
bool CheckPreferences(const CalendarDocument& doc, Prompter& prompter);

// Toggles the start-wizard switch with its message; returns the item's new caption.
QString ToggleStartWizard(bool& wizardOn, Prompter& prompter);

// The list builder's arguments for this calendar: start year, start month, client, folder.
QStringList CustomListArguments(const CalendarDocument& doc);

} // namespace custodex
