#pragma once

#include "calendar/CalendarModel.h"
#include "calendar/DayEditorEntry.h"

#include <QString>

// The day editor's OK: the checks of an overnight against its neighbours and of a day
// visit's own times, and the staleness of the hourly figures.

namespace custodex {

class Prompter;

struct DayEditorContext {
    int DayIndex = -1;         // the day being edited
    bool OvernightMode = true; // the month view's mode
    QString RememberedReason;  // the reason as the editor opened ("" counts as " ")
    bool Changed = false;      // a time or the no-nap box changed in this showing
};

QString DayVisitTimesMessage(int outcomeCode);

// Returns true when the editor may close with OK. Messages go through `prompter`;
// `doc.DistributionStale` is set as the checks decide. An empty reason becomes " ".
bool DayEditorAccept(CalendarDocument& doc, const DayEditorContext& context, DayEditorEntry& entry,
                     Prompter& prompter);

struct ReasonTextCheck {
    QString Text;    // the text to keep
    QString Message; // shown when not empty
    bool IsError = false;
};
ReasonTextCheck CheckTypedReason(const QString& text);

} // namespace custodex
