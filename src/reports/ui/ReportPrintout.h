#pragma once

#include "calendar/ui/CommandHost.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;

// Printing a one-report window's page, or saving it as PDF, the same way in every such window.

namespace custodex {

class DrawingSurface;

struct ReportPrintout {
    QString Title;      // the print dialog's title
    QString JobName;    // the print job's name
    QString PdfCaption; // the save dialog's title
    QString PdfName;    // the file name proposed in the client folder
    // The page(s), with the "Generated" stamp of this printout.
    std::function<void(DrawingSurface&, const QString& generated)> Draw;
    std::function<QByteArray(const QString& generated)> PdfBytes;
};

// To the printer the user chooses; to a PDF when the user chooses a file instead.
void PrintReport(const ReportPrintout& printout, CalendarDocument& doc,
                 MainWindowServices& services, QWidget* parent);
// The PDF to a file the user names; false when nothing was written.
bool SaveReportPdf(const ReportPrintout& printout, CalendarDocument& doc,
                   MainWindowServices& services);

} // namespace custodex
