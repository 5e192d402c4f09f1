#include "patterns/BulkDialogRules.h"

namespace custodex {

void UndoLastRun(CalendarDocument& doc, bool& undoEnabled, bool& undoCounted)
{
    if (!undoEnabled)
        return;
    RestoreSnapshot(doc, SnapshotKind::Undo);
    RecountCounters(doc);
    if (undoCounted)
        --doc.AppliedChangeCount;
    undoEnabled = false;
    undoCounted = false;
}

bool MayCancelChanges(CalendarDocument* doc, bool& changes, Prompter& prompter)
{
    if (!changes)
        return true;
    if (prompter.Ask(PromptKind::Warning, CancelChangesQuestion, PromptButtons::YesNo) !=
        PromptAnswer::Yes)
        return false;
    if (doc)
        doc->AppliedChangeCount = 0;
    changes = false;
    return true;
}

bool MayCloseWithChanges(CalendarDocument* doc, bool& changes, Prompter& prompter)
{
    if (!changes)
        return true;
    if (prompter.Ask(PromptKind::Confirmation, CloseChangesQuestion, PromptButtons::YesNo) !=
        PromptAnswer::Yes) {
        prompter.Ask(PromptKind::Information, UseSaveCloseMessage, PromptButtons::Ok);
        return false;
    }
    if (doc)
        doc->AppliedChangeCount = 0;
    changes = false;
    return true;
}

QString ReasonAsStored(const QString& reason)
{
    QString text = reason;
    for (QChar separator : {QLatin1Char('!'), QLatin1Char('\r'), QLatin1Char('\n')})
        text.replace(separator, QLatin1Char(' '));
    return CutText(text, ReasonCapacity);
}

} // namespace custodex
