#pragma once

#include "calendar/CalendarModel.h"
#include "calendar/MonthView.h"
#include "calendar/ProgramSettings.h"

// Creating, opening, saving, locking and closing a calendar: every check, question and
// message of those commands, apart from the window that shows the result.

namespace custodex {

class FileDialogs;
class Prompter;

struct LifecycleContext {
    CalendarDocument& Doc;
    ProgramSettings& Settings;
    Prompter& Messages;
    FileDialogs& Dialogs;
    QString& OpenDialogFileName; // preset of the next open dialog: the last file opened or saved
    int CurrentYear = 2026;
};

inline const QString CalendarFileFilter = QStringLiteral("Client Data Base Files (*.cdb)");

// Where Start puts the focus.
enum class StartFocus { ClientName, UserYear, SelUserMonth, MonthArea };

// What Start reads from the window.
struct StartEntries {
    QString ClientName;
    QString UserYear;
    QString SelUserMonth;
};

// The window's side of Start.
class StartHost {
public:
    virtual ~StartHost() = default;
    virtual void ShowClientName(const QString& name) = 0;
    virtual void Focus(StartFocus field) = 0;
    // Shows the document as it now is: controls, menus, month view, counters.
    virtual void ShowDocument() = 0;
    // The preferences of the new calendar, modally.
    virtual void OpenPreferences() = 0;
};

// The Start button: leading blanks leave the client name; the name, the year and the month
// are checked in that order (each refusal one message, the focus on its field); then the
// span is built with empty default reasons, the preferences open, and the month view shows
// the first month in overnights mode. A started calendar has changes pending: its name was
// typed and has never been saved. True when a calendar was started.
bool StartCalendar(CalendarDocument& doc, MonthView& view, const StartEntries& entries,
                   StartHost& host, Prompter& prompter);

// The state after Close File or New: no calendar, every setting at its default.
void ResetToNoCalendar(LifecycleContext& context);

// Each returns true when the command went through (false: refused, cancelled or failed).
bool CloseCalendar(LifecycleContext& context);
// With `recentPath` (a recent-file entry), the open dialog starts in that file's folder, and a
// file that no longer exists is reported without showing the dialog.
bool OpenCalendar(LifecycleContext& context, const QString& recentPath = QString());
// Open of a file named on the command line: Open without its dialog, every check and message
// the same. A relative path is taken from the current folder.
bool OpenCalendarFile(LifecycleContext& context, const QString& path);
// Reads a calendar beside the one shown (to compare the two) with Open's refusals and messages;
// the calendar shown, the recent files and the open dialog's preset stay as they are.
bool ReadCalendarToCompare(const QString& path, CalendarDocument& other, Prompter& messages);
bool SaveCalendar(LifecycleContext& context);
bool SaveCalendarAs(LifecycleContext& context);
bool LockOrUnlockFile(LifecycleContext& context, bool lock);

// Before the main window closes: true when it may close. A failed save keeps asking, so
// nothing is lost without the user saying so.
bool CloseQuery(LifecycleContext& context);

// Where Save writes: the folder of the calendar's own file; the client folder only for a
// calendar never saved. Exports move the client folder, never this one.
QString SaveFolder(const CalendarDocument& doc);

// The close query's notice about days marked both ways.
extern const QString BothMarksNotice;

// Days marked with both an overnight and a day visit, neither an annotation.
bool HasDaysMarkedBothWays(const CalendarDocument& doc);

} // namespace custodex
