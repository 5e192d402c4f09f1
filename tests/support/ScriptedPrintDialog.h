#pragma once

#include "platform/PrintDialog.h"

#include <QPrinter>
#include <gtest/gtest.h>

#include <deque>
#include <utility>
#include <vector>

namespace custodex::testing {

// Answers the report print dialog from a script; "printing" goes to a PDF file, so a test can
// count the pages that reached the printer.
class ScriptedPrintDialog : public PrintDialog {
public:
    PrintTarget ChoosePrinter(QPrinter& printer, const PrintRequest& request, QWidget*) override
    {
        Requests.push_back(request);
        // As the real dialog: the printer starts from all pages, with the proposed range.
        printer.setPrintRange(QPrinter::AllPages);
        printer.setFromTo(0, 0);
        if (request.MaxPage > 0 && request.PageRange)
            printer.setFromTo(request.FromPage, request.ToPage);
        Orientations.push_back(printer.pageLayout().orientation());
        OutputNames.push_back(printer.outputFileName());
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected print dialog";
            return PrintTarget::Cancelled;
        }
        const PrintTarget answer = Answers.front();
        Answers.pop_front();
        if (answer != PrintTarget::Cancelled && !Ranges.empty()) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(Ranges.front().first, Ranges.front().second);
            Ranges.pop_front();
        }
        if (answer == PrintTarget::Printer && !QueueName.isEmpty()) {
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrinterName(QueueName);
        }
        else if (answer == PrintTarget::Printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(PdfPath);
        }
        return answer;
    }

    ~ScriptedPrintDialog() override
    {
        if (!Answers.empty())
            ADD_FAILURE() << Answers.size() << " print dialog answer(s) never asked for";
    }

    std::deque<PrintTarget> Answers;
    // Page ranges the user types, one per answer that is not a cancel, while any are left;
    // without one the dialog returns the proposed pages.
    std::deque<std::pair<int, int>> Ranges;
    QString PdfPath;
    QString QueueName; // when set, "printing" goes to this real print queue instead
    std::vector<PrintRequest> Requests;
    std::vector<QPageLayout::Orientation> Orientations;
    std::vector<QString> OutputNames; // the PDF file the printer proposed
};

} // namespace custodex::testing
