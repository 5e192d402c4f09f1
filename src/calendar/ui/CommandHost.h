#pragma once

#include "calendar/CalendarModel.h"
#include "calendar/MenuChecks.h"
#include "platform/ProgramPaths.h"

#include <QString>
#include <QWidget>

#include <functional>

// What a menu command reaches in the main window. Each feature's commands (their checks,
// their dialog, the refresh afterwards) live with the feature and see the window only
// through this interface, so a new command is its feature's code plus one line in the menu.

namespace custodex {

class CalendarHistory;
class ColourChooser;
class FileDialogs;
class HelpService;
class OutputPrompts;
class PrintDialog;
class ProgramLauncher;
class Prompter;
class TUserClock;

// What the main window needs from outside; tests replace each.
struct MainWindowServices {
    Prompter& Messages;
    HelpService& Help;
    FileDialogs& Dialogs;
    ProgramLauncher& Launcher;
    ColourChooser& Colours;
    OutputPrompts& Output; // image format and colour printer questions
    PrintDialog& Printing;
    ProgramPaths Paths;
    std::function<void()> Beep;
    std::function<int()> CurrentYear;
    std::function<QString()> GeneratedStamp; // "Generated " + date and time, for pictures
};

class CommandHost {
public:
    virtual ~CommandHost() = default;
    virtual CalendarDocument& Document() = 0;
    virtual MainWindowServices& Services() = 0;
    // The owner of the command's windows.
    virtual QWidget* ParentWidget() = 0;
    // The program's one time-entry dialog.
    virtual TUserClock& Clock() = 0;
    // Every control from the document (titles, colours and default times may have changed).
    virtual void RefreshWindow() = 0;
    // Recounts and redraws the month shown.
    virtual void RedrawMonth() = 0;
    // Turns the month view to a month of the span (1..24).
    virtual void ShowMonth(int monthNumber) = 0;
    // Where on the screen the month shown has the day's cell; empty when it is not shown.
    virtual QRect DayOnScreen(int dayIndex) const = 0;
    // Puts the month view's keyboard cursor on a day of the month shown (a found day, say).
    virtual void PlaceDayCursor(int /*dayIndex*/) {}
    // The kind of the lists submenu last opened, which a holiday dialog works on.
    virtual ListKind CurrentListKind() const = 0;
    // Runs `action` whenever another calendar replaces the one shown (New, Open, Start), for
    // as long as `receiver` lives; a kept dialog resets itself this way.
    virtual void WhenCalendarReplaced(QObject* receiver, std::function<void()> action) = 0;
    // Says in the status bar what an action did ("Exported Garcia.csv"), without a dialog.
    virtual void Say(const QString& text) = 0;
    // The calendar's undo history: a command that changes the calendar records one step.
    virtual CalendarHistory& History() = 0;
};

// A window a command keeps from its first use to the end of the program, so it opens again
// as it was left; `make` creates it as a child of `parent`.
template <typename Window, typename Make> Window& KeptWindow(CommandHost& host, Make make)
{
    QWidget* parent = host.ParentWidget();
    if (auto* kept = parent->findChild<Window*>(QString(), Qt::FindDirectChildrenOnly))
        return *kept;
    return *make(parent);
}

} // namespace custodex
