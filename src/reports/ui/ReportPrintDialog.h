#pragma once

#include <QString>

class QPrinter;
class QWidget;

// The print dialog of the report windows: the system's printers (and Qt's PDF file printer),
// and a choice to print to a file, which each report turns into its own files (pictures of
// the pages, a log of the messages). Tests answer it from a script.

namespace custodex {

enum class PrintTarget {
    Cancelled,
    Printer, // the printer is set up as the user chose
    File,    // the report writes its own files
};

struct ReportPrintRequest {
    QString JobTitle;
    QString FileChoice; // caption of the print-to-file choice
};

class ReportPrintDialog {
public:
    virtual ~ReportPrintDialog() = default;
    virtual PrintTarget ChoosePrinter(QPrinter& printer, const ReportPrintRequest& request,
                                      QWidget* parent) = 0;
};

// QPrintDialog with a "print to file" check box under the printer choice.
class QtReportPrintDialog : public ReportPrintDialog {
public:
    PrintTarget ChoosePrinter(QPrinter& printer, const ReportPrintRequest& request,
                              QWidget* parent) override;
};

} // namespace custodex
