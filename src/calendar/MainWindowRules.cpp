#include "calendar/MainWindowRules.h"

#include "calendar/MonthView.h"
#include "calendar/ProgramSettings.h"
#include "platform/Prompter.h"

#include <algorithm>

namespace custodex {

bool ClientNameLeft(const QString& name, Qt::FocusReason reason, Prompter& prompter)
{
    // Focus going to a menu or another window is no leaving of the field: the command chosen
    // there (Save, Save As) checks the name itself and gives the one message, and switching to
    // another program must not raise a box behind it.
    if (reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason ||
        reason == Qt::ActiveWindowFocusReason)
        return false;
    // The client name becomes the file name.
    if (name.isEmpty() || IsValidFileNameText(name))
        return false;
    prompter.Ask(PromptKind::Error,
                 QStringLiteral("Error!  Please restrict your filename characters to\n\rupper and "
                                "lower case letters, numbers, spaces, underscores,\n\rdashes, and "
                                "apostrophes."),
                 PromptButtons::Ok);
    return true;
}

bool StartFocusRefused(const QString& name, Qt::FocusReason reason, Prompter& prompter)
{
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason)
        return false;
    if (!name.trimmed().isEmpty())
        return false;
    prompter.Ask(PromptKind::Error, QStringLiteral("A Client Name is a required entry."),
                 PromptButtons::Retry);
    return true;
}

void CommitTypedReason(ReasonList& list, const QString& text)
{
    if (text.isEmpty())
        return;
    list.Text = text;
    AddReasonItem(list, text);
}

QString DefaultTimePrompt(int which)
{
    static const QString prompts[4] = {QStringLiteral("Set Calendar Default Overnight Start Time"),
                                       QStringLiteral("Set Calendar Default Overnight End Time"),
                                       QStringLiteral("Set Calendar Default Day Visit Start Time"),
                                       QStringLiteral("Set Calendar Default Day Visit End Time")};
    return prompts[std::clamp(which, 0, 3)];
}

QString& DefaultTimeOf(CalendarDocument& doc, int which)
{
    QString* values[4] = {&doc.OverNiteStrtTime, &doc.OverNiteEndTime, &doc.DayVisitStrtTime,
                          &doc.DayVisitEndTime};
    return *values[std::clamp(which, 0, 3)];
}

} // namespace custodex
