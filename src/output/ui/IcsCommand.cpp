#include "output/ui/IcsCommand.h"

#include "calendar/MenuChecks.h"
#include "calendar/ui/CommandHost.h"
#include "output/IcsExport.h"
#include "platform/FileDialogs.h"
#include "platform/Prompter.h"

namespace custodex {

namespace {

// The CSV export's checks, worded for this file.
bool CheckIcsExport(CalendarDocument& doc, Prompter& prompter)
{
    if (!doc.HasCalendar()) {
        prompter.Ask(PromptKind::Error,
                     QStringLiteral("Error!  You must create a calendar to write an .ics file!"),
                     PromptButtons::Ok);
        return false;
    }
    if ((doc.ClientName.isEmpty() || doc.ClientName == QStringLiteral("No Name")) &&
        prompter.Ask(PromptKind::Confirmation,
                     QStringLiteral("Invalid Client name.  Write an .ics file anyway?"),
                     PromptButtons::YesCancel) != PromptAnswer::Yes)
        return false;
    RecountCounters(doc);
    return !NothingMarked(doc) ||
           prompter.Ask(PromptKind::Warning,
                        QStringLiteral("No Overnight Stays or Day Visits are marked on your "
                                       "calendar.\n\rDo you really want to create an empty "
                                       "calendar .ics file?"),
                        PromptButtons::YesNo) == PromptAnswer::Yes;
}

} // namespace

void RunIcsExport(CommandHost& host)
{
    CalendarDocument& doc = host.Document();
    MainWindowServices& services = host.Services();
    if (!CheckIcsExport(doc, services.Messages))
        return;
    // The program asks about the file written once ".ics" is added, not about the name typed.
    const FileDialogRequest request{QStringLiteral("Create a Calendar .ics file"), doc.ClientFolder,
                                    doc.ClientName, QStringLiteral("iCalendar Files (*.ics)"),
                                    QStringLiteral("ics")};
    const QString chosen = services.Dialogs.SaveFileName(request);
    if (!chosen.isEmpty() && SaveIcsFile(doc, chosen, IcsOptions{}, services.Messages))
        host.Say(QStringLiteral("Exported ") + IcsFilePath(chosen));
}

} // namespace custodex
