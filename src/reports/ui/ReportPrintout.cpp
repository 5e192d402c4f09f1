#include "reports/ui/ReportPrintout.h"

#include "output/DrawingSurface.h"
#include "output/ExportFile.h"
#include "output/PrinterSurface.h"
#include "platform/FileDialogs.h"
#include "platform/PrintDialog.h"
#include "platform/Prompter.h"

#include <QPrinter>

namespace custodex {

namespace {

QString Generated(MainWindowServices& services)
{
    return services.GeneratedStamp ? services.GeneratedStamp() : GeneratedNow();
}

} // namespace

void PrintReport(const ReportPrintout& printout, CalendarDocument& doc,
                 MainWindowServices& services, QWidget* parent)
{
    QPrinter printer;
    const PrintTarget target = services.Printing.ChoosePrinter(
        printer, {printout.Title, QStringLiteral("Save as PDF instead of printing")}, parent);
    if (target == PrintTarget::File) {
        SaveReportPdf(printout, doc, services);
        return;
    }
    if (target != PrintTarget::Printer)
        return;
    printer.setDocName(printout.JobName);
    UsePrintoutResolution(printer);
    PrinterSurface surface(printer);
    if (!surface.Active()) {
        services.Messages.Ask(PromptKind::Error,
                              QStringLiteral("The printer could not start printing."),
                              PromptButtons::Ok);
        return;
    }
    printout.Draw(surface, Generated(services));
}

bool SaveReportPdf(const ReportPrintout& printout, CalendarDocument& doc,
                   MainWindowServices& services)
{
    const QString chosen =
        services.Dialogs.SaveFileName({printout.PdfCaption, doc.ClientFolder, printout.PdfName,
                                       QStringLiteral("PDF Files (*.pdf)"), QStringLiteral("pdf")});
    if (chosen.isEmpty())
        return false;
    const QString path = ExportFilePath(chosen, QStringLiteral(".pdf"));
    const QString generated = Generated(services);
    return SaveExportFile(
        doc, path, [&] { return printout.PdfBytes(generated); }, services.Messages);
}

} // namespace custodex
