#include "reports/ui/ReportPrintDialog.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QPrintDialog>
#include <QPrinter>

namespace custodex {

PrintTarget QtReportPrintDialog::ChoosePrinter(QPrinter& printer, const ReportPrintRequest& request,
                                               QWidget* parent)
{
    printer.setDocName(request.JobTitle);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
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
