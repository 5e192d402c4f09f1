#pragma once

#include "calendar/CalendarModel.h"

#include <QString>
#include <Qt>

// What the main window's fields and keys do, apart from the widgets: the check made when the
// client name is left, Tab onto Start with no client, the default reasons taking what was
// typed, and the keys that turn the month view.

namespace custodex {

class Prompter;

// The client name field is left for `reason`. A menu, a popup or another window takes the
// focus only for a while, so only leaving for another control checks the characters (the
// command chosen from a menu makes its own check: one action, one message). True when the
// name was refused and the focus goes back to the field.
bool ClientNameLeft(const QString& name, Qt::FocusReason reason, Prompter& prompter);

// The Start button takes the focus for `reason` with `name` in the client name field. Tabbing
// onto Start with no client refuses; true then, and the caller empties the field and puts the
// focus on it.
bool StartFocusRefused(const QString& name, Qt::FocusReason reason, Prompter& prompter);

// A default-reason box is left (or Enter pressed in it): its text becomes the default reason
// and joins the list unless it is empty or already there.
void CommitTypedReason(ReasonList& list, const QString& text);

// The four default time fields, 0..3: overnight start and end, day-visit start and end.
QString DefaultTimePrompt(int which);
QString& DefaultTimeOf(CalendarDocument& doc, int which);

} // namespace custodex
