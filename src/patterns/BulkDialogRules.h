#pragma once

#include "calendar/CalendarModel.h"
#include "platform/Prompter.h"

#include <QString>

// What every day-changing dialog of the lists menu does alike: its one level of Undo, its
// Cancel and window close when it has changes, and the form a reason takes on a day.

namespace custodex {

inline const QString CancelChangesQuestion = QStringLiteral(
    "Warning!  If you cancel you will lose all changes!\n\rAre you sure you want to cancel?");
inline const QString CloseChangesQuestion =
    QStringLiteral("Closing now will cause all changes to be lost!\n\rClose anyway?");
inline const QString UseSaveCloseMessage =
    QStringLiteral("Please use the \"Save/Close\" button\n\rto save your changes and close.");

// Undo: the days as they were before the last Apply or Remove. Only a run that counted itself
// is taken off AppliedChangeCount, so the count never goes below the runs still applied.
void UndoLastRun(CalendarDocument& doc, bool& undoEnabled, bool& undoCounted);

// Cancel: without changes it may close; with them it asks, and Yes forgets them
// (AppliedChangeCount 0, so the main window restores the days). True when it may close.
bool MayCancelChanges(CalendarDocument* doc, bool& changes, Prompter& prompter);
// The window's close box: the same with its own question, and a hint when declined.
bool MayCloseWithChanges(CalendarDocument* doc, bool& changes, Prompter& prompter);

// A reason as the calendar file can keep it: "!" separates its fields and a line break ends
// its records, so each becomes a blank, and the text is cut to the reason capacity. Marks are
// written in this form, so the month view shows what a save keeps.
QString ReasonAsStored(const QString& reason);

} // namespace custodex
