#pragma once

#include "reports/ui/ReportPrintDialog.h"

#include <QPrinter>
#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace custodex::testing {

// Answers the report print dialog from a script; "printing" goes to a PDF file, so a test can
// count the pages that reached the printer.
class ScriptedPrintDialog : public ReportPrintDialog {
public:
    PrintTarget ChoosePrinter(QPrinter& printer, const ReportPrintRequest& request,
                              QWidget*) override
    {
        Requests.push_back(request);
        Orientations.push_back(printer.pageLayout().orientation());
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected print dialog";
            return PrintTarget::Cancelled;
        }
        const PrintTarget answer = Answers.front();
        Answers.pop_front();
        if (answer == PrintTarget::Printer) {
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
    QString PdfPath;
    std::vector<ReportPrintRequest> Requests;
    std::vector<QPageLayout::Orientation> Orientations;
};

} // namespace custodex::testing
