#include "platform/PrintDialog.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <memory>

namespace custodex {

namespace {

// Qt's dialog asks whether to replace its PDF file whenever that file's name field is in use,
// even when pictures are saved instead and no PDF is written. The field is set aside while
// the pictures are chosen and comes back as it was.
void KeepPdfNameOutOfPictures(QPrintDialog& dialog, QCheckBox& toFile)
{
    auto* fileName = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    if (!fileName)
        return;
    auto inUse = std::make_shared<bool>(false);
    QObject::connect(&toFile, &QCheckBox::toggled, fileName, [fileName, inUse](bool pictures) {
        if (pictures) {
            *inUse = fileName->isEnabled();
            fileName->setEnabled(false);
        }
        else {
            fileName->setEnabled(*inUse);
        }
    });
    // Choosing another printer sets the field again; with pictures chosen it stays aside.
    if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers")))
        QObject::connect(printers, &QComboBox::currentIndexChanged, fileName,
                         [fileName, inUse, &toFile](int) {
                             if (!toFile.isChecked())
                                 return;
                             *inUse = fileName->isEnabled();
                             fileName->setEnabled(false);
                         });
}

} // namespace

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

void UsePrintoutResolution(QPrinter& printer)
{
    printer.setResolution(PrintoutDotsPerInch);
}

PrintTarget QtPrintDialog::ChoosePrinter(QPrinter& printer, const PrintRequest& request,
                                         QWidget* parent)
{
    // Qt names its PDF file after the job: a "/" in the title would put it in a folder that
    // does not exist. The printout sets its own title before it prints.
    QString title = request.JobTitle;
    title.replace(QLatin1Char('/'), QLatin1Char('-'));
    printer.setDocName(title);
    // A range is proposed only where the user may choose one. Without the page-range option
    // a range left on the printer would go to the print server, which would pick it out of
    // pages already chosen here: the current month alone is page 1 of its job, not page 15.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    if (request.MaxPage > 0 && request.PageRange)
        printer.setFromTo(request.FromPage, request.ToPage);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (request.MaxPage > 0)
        dialog.setMinMax(request.MinPage, request.MaxPage);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange,
                     request.MaxPage > 0 && request.PageRange);
    auto* toFile = new QCheckBox(QLatin1Char('&') + request.FileChoice);
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
    KeepPdfNameOutOfPictures(dialog, *toFile);
    if (dialog.exec() != QDialog::Accepted)
        return PrintTarget::Cancelled;
    return toFile->isChecked() ? PrintTarget::File : PrintTarget::Printer;
}

} // namespace custodex
