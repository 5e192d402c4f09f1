#include "platform/PrintDialog.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace custodex {

PageSpan ChosenPages(const QPrinter& printer, const PrintRequest& request)
{
    if (request.MaxPage <= 0)
        return {};
    if (!request.PageRange)
        return {request.FromPage, request.ToPage};
    int first = request.MinPage;
    int last = request.MaxPage;
    // A range the user typed; 0 stands for all pages.
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::clamp(printer.fromPage(), request.MinPage, request.MaxPage);
        last = std::clamp(printer.toPage(), first, request.MaxPage);
    }
    return {first, last};
}

PrintTarget QtPrintDialog::ChoosePrinter(QPrinter& printer, const PrintRequest& request,
                                         QWidget* parent)
{
    printer.setDocName(request.JobTitle);
    if (request.MaxPage > 0) {
        printer.setPrintRange(request.PageRange ? QPrinter::AllPages : QPrinter::PageRange);
        printer.setFromTo(request.FromPage, request.ToPage);
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (request.MaxPage > 0) {
        dialog.setMinMax(request.MinPage, request.MaxPage);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, request.PageRange);
    }
    auto* toFile = new QCheckBox(request.FileChoice);
    toFile->setObjectName(QStringLiteral("PrintToFile"));
    // Under the printer choice, where a user looks for it; the options tabs are the fallback
    // for a dialog laid out some other way.
    if (auto* box = qobject_cast<QBoxLayout*>(dialog.layout())) {
        toFile->setParent(&dialog);
        box->insertWidget(std::max(0, box->count() - 1), toFile);
    }
    else {
        auto* tab = new QWidget;
        tab->setWindowTitle(QStringLiteral("Print to File"));
        auto* layout = new QVBoxLayout(tab);
        layout->addWidget(toFile);
        layout->addStretch();
        dialog.setOptionTabs({tab});
    }
    if (dialog.exec() != QDialog::Accepted)
        return PrintTarget::Cancelled;
    return toFile->isChecked() ? PrintTarget::File : PrintTarget::Printer;
}

} // namespace custodex
