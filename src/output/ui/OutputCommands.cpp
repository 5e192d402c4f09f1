#include "output/ui/OutputCommands.h"

#include "calendar/MenuChecks.h"
#include "calendar/ui/CommandHost.h"
#include "output/DrawingSurface.h"
#include "output/ui/CalendarPreview.h"
#include "output/ui/CsvExportDialog.h"
#include "output/ui/PrintCalendarDialog.h"

#include <QApplication>

namespace custodex {

TPreviewer& PreviewWindow(CommandHost& host)
{
    return KeptWindow<TPreviewer>(host, [](QWidget* parent) { return new TPreviewer(parent); });
}

TCsvConvert& CsvWindow(CommandHost& host)
{
    return KeptWindow<TCsvConvert>(host, [&host](QWidget* parent) {
        return new TCsvConvert(host.Services().Messages, host.Services().Dialogs, parent);
    });
}

void RunPreview(CommandHost& host)
{
    CalendarDocument& doc = host.Document();
    if (!CheckPreview(doc, host.Services().Messages))
        return;
    RecountCounters(doc);
    TPreviewer& preview = PreviewWindow(host);
    // Opened from a modal dialog's Preview button, the preview must take the input itself:
    // a plain window would be shown but blocked by the dialog, and could not be closed.
    const Qt::WindowModality modality =
        QApplication::activeModalWidget() ? Qt::ApplicationModal : Qt::NonModal;
    if (preview.windowModality() != modality) {
        preview.hide();
        preview.setWindowModality(modality);
    }
    preview.ShowFor(doc, [&host] {
        return host.Services().GeneratedStamp ? host.Services().GeneratedStamp() : GeneratedNow();
    });
}

void RunPrintCalendar(CommandHost& host, PrintMode mode)
{
    CalendarDocument& doc = host.Document();
    if (!CheckPrint(doc, mode == PrintMode::Single, host.Services().Messages))
        return;
    MainWindowServices& services = host.Services();
    {
        TPrintCalendar dialog(doc,
                              {services.Messages, services.Dialogs, services.Output,
                               services.Printing, services.GeneratedStamp},
                              mode, host.ParentWidget());
        dialog.exec();
        if (!dialog.Said().isEmpty())
            host.Say(dialog.Said());
    }
    host.RedrawMonth();
}

void RunCsvExport(CommandHost& host)
{
    if (!CheckCsvExport(host.Document(), host.Services().Messages))
        return;
    TCsvConvert& window = CsvWindow(host);
    window.Execute(host.Document());
    if (!window.Said().isEmpty())
        host.Say(window.Said());
    host.RedrawMonth();
}

} // namespace custodex
