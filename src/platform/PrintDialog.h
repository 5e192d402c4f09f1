#pragma once

#include "platform/PrintResolution.h"

#include <QString>

class QPrinter;
class QWidget;

// The print dialog of every printout: the system's printers (and Qt's PDF file printer), the
// pages to print when the printout has several, and a choice to print to a file, which each
// printout turns into its own files (pictures of the pages, a log of the messages). Tests
// answer it from a script.

namespace custodex {

enum class PrintTarget {
    Cancelled,
    Printer, // the printer is set up as the user chose
    File,    // the printout writes its own files
};

struct PrintRequest {
    QString JobTitle;
    QString FileChoice; // caption of the print-to-file choice
    // Pages the printout has (0: the dialog offers no pages) and the range proposed; with
    // `PageRange` false the proposed range is the only one.
    int MinPage = 0;
    int MaxPage = 0;
    int FromPage = 0;
    int ToPage = 0;
    bool PageRange = false;
};

// The pages chosen: the printer's range, or all of the request's pages when the user chose
// all of them; always within MinPage..MaxPage.
struct PageSpan {
    int First = 0;
    int Last = 0;
};
PageSpan ChosenPages(const QPrinter& printer, const PrintRequest& request);

// Pages on paper are laid out at PrintoutDotsPerInch. Call before painting starts.
void UsePrintoutResolution(QPrinter& printer);

class PrintDialog {
public:
    virtual ~PrintDialog() = default;
    // Sets up `printer` (job title, proposed pages) and asks.
    virtual PrintTarget ChoosePrinter(QPrinter& printer, const PrintRequest& request,
                                      QWidget* parent) = 0;
};

// QPrintDialog with a "print to file" check box under the printer choice.
class QtPrintDialog : public PrintDialog {
public:
    PrintTarget ChoosePrinter(QPrinter& printer, const PrintRequest& request,
                              QWidget* parent) override;
};

} // namespace custodex
