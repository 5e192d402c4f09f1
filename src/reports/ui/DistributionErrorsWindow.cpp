#include "reports/ui/DistributionErrorsWindow.h"

#include "calendar/CalendarModel.h"
#include "output/PrinterSurface.h"
#include "platform/FileAccess.h"
#include "platform/FileDialogs.h"
#include "platform/PrintDialog.h"
#include "platform/Prompter.h"
#include "reports/DistributionReport.h"

#include <QListWidget>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace custodex {

TShowErrors::TShowErrors(CalendarDocument& doc, Prompter& prompter, FileDialogs& dialogs,
                         PrintDialog& printing, QWidget* parent)
    : QDialog(parent), Doc(doc), Messages(prompter), Dialogs(dialogs), Printing(printing)
{
    setObjectName(QStringLiteral("TShowErrors"));
    setWindowTitle(QStringLiteral("Hourly Distribution Report Errors and Warnings"));
    auto* menu = new QMenuBar(this);
    PrintItem = menu->addAction(QStringLiteral("&Print"));
    PrintItem->setObjectName(QStringLiteral("Print"));
    CloseItem = menu->addAction(QStringLiteral("&Close"));
    CloseItem->setObjectName(QStringLiteral("Close"));
    connect(PrintItem, &QAction::triggered, this, &TShowErrors::PrintClick);
    connect(CloseItem, &QAction::triggered, this, &QDialog::accept);

    ErrorList = new QListWidget(this);
    ErrorList->setObjectName(QStringLiteral("ErrorList"));
    ErrorList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    CloseBtn = new QPushButton(QStringLiteral("&Close"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setDefault(true);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(ErrorList, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CloseBtn);
    layout->addLayout(buttons);
    // Wide enough for the longest message of a long month and weekday name.
    resize(fontMetrics().horizontalAdvance(QLatin1Char('m')) * 72, 460);
}

void TShowErrors::Execute(const QStringList& messages)
{
    Lines = messages;
    ErrorList->clear();
    ErrorList->addItems(Lines);
    exec();
}

void TShowErrors::done(int result)
{
    ErrorList->clear();
    Lines.clear();
    QDialog::done(result);
}

void TShowErrors::PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    const PrintTarget target = Printing.ChoosePrinter(
        printer,
        {QStringLiteral("Hourly Distribution Report Errors and Warnings"),
         QStringLiteral("Save the list as a log file (.log) instead of printing")},
        this);
    if (target == PrintTarget::File) {
        SaveLogFile();
    }
    else if (target == PrintTarget::Printer) {
        UsePrintoutResolution(printer);
        PrinterSurface surface(printer);
        DrawDistributionErrorList(surface, Lines);
    }
}

void TShowErrors::SaveLogFile()
{
    const QString path = Dialogs.SaveFileName(
        {QStringLiteral("Save Distribution Report Error Log File"), Doc.ClientFolder,
         FileNamePart(Doc.ClientName) + QStringLiteral("_DistRpt.log"),
         QStringLiteral("Logfile (*.log)"), QStringLiteral("log"), true});
    if (path.isEmpty())
        return;
    if (WriteWholeFile(path, DistributionLogBytes(Lines)) == FileWriteError::None)
        Messages.Ask(PromptKind::Information,
                     QStringLiteral("Hourly Distribution Errors have been saved to file\n\r") +
                         path,
                     PromptButtons::Ok);
    else
        Messages.Ask(PromptKind::Error,
                     QStringLiteral("Unable to save error log file as\n\r") + path,
                     PromptButtons::Ok);
}

} // namespace custodex
