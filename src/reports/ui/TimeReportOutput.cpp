#include "reports/ui/TimeReportOutput.h"

#include "output/DrawingSurface.h"
#include "output/ImageFiles.h"
#include "output/PrintColours.h"
#include "output/PrinterSurface.h"
#include "platform/FileAccess.h"
#include "platform/FileDialogs.h"
#include "platform/PrintDialog.h"
#include "platform/Prompter.h"
#include "reports/DistributionPictures.h"
#include "reports/TimeReportPages.h"
#include "reports/TimeReportTexts.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QWidget>

namespace custodex {

QString GeneratedText(const TimeReportServices& services)
{
    return services.Generated ? services.Generated() : GeneratedNow();
}

std::optional<PictureTarget> ChoosePictureTarget(CalendarDocument& doc,
                                                 TimeReportServices& services, QWidget* parent)
{
    if (!ChoosePictureFolder(doc, services.Dialogs))
        return std::nullopt;
    const std::optional<ImageFormat> format = services.Output.ChooseImageFormat(parent);
    if (!format)
        return std::nullopt;
    return PictureTarget{doc.ClientFolder, *format};
}

bool SavePictures(const std::vector<std::pair<QString, QImage>>& pictures, ImageFormat format,
                  Prompter& messages)
{
    // Every page is checked before the first is written, and they are put in place together:
    // a refusal or a full disk leaves every old page as it was.
    QStringList paths;
    for (const auto& picture : pictures)
        paths << picture.first;
    FileSetWriter files;
    if (files.CheckTargets(paths) == FileWriteError::None)
        for (const auto& [path, image] : pictures)
            AddPictureFile(files, path, image, format, ReportPictures);
    if (files.Commit() == FileWriteError::None)
        return true;
    messages.Ask(PromptKind::Error, WriteRefusalMessage(files.Error(), files.FailedPath()),
                 PromptButtons::Ok);
    return false;
}

void PrintOnPaper(CalendarDocument& doc, QPrinter& printer, const QString& jobTitle,
                  TimeReportServices& services, QWidget* parent,
                  const std::function<void(DrawingSurface&)>& draw)
{
    const PrinterColoursScope colours(doc, services.Output, parent);
    printer.setDocName(jobTitle);
    printer.setPageOrientation(QPageLayout::Portrait);
    UsePrintoutResolution(printer);
    PrinterSurface surface(printer);
    draw(surface);
}

void PrintWindowForm(CalendarDocument& doc, QWidget& window, const FormPrint& form,
                     TimeReportServices& services)
{
    const QImage image = window.grab().toImage().convertToFormat(QImage::Format_RGB888);
    QPrinter printer(QPrinter::HighResolution);
    const PrintTarget target = services.Printing.ChoosePrinter(
        printer,
        {form.JobTitle,
         QStringLiteral("Save the window as a picture (.bmp or .jpg) instead of printing")},
        &window);
    if (target == PrintTarget::File) {
        const std::optional<PictureTarget> where = ChoosePictureTarget(doc, services, &window);
        if (!where)
            return;
        const QString path = where->Folder + FileNamePart(doc.ClientName) + form.FileSuffix +
                             PictureSuffix(where->Format);
        if (SavePictures({{path, image}}, where->Format, services.Messages))
            services.Messages.Ask(PromptKind::Information, form.SavedMessage + path,
                                  PromptButtons::Ok);
        return;
    }
    if (target != PrintTarget::Printer)
        return;
    printer.setDocName(form.JobTitle);
    QPainter painter(&printer);
    // 7 by 4.78 inches, both reduced by one factor when the page is smaller.
    const QRect page = painter.viewport();
    double width = 7.0 * printer.resolution();
    double height = 4.78 * printer.resolution();
    const double factor = std::min({1.0, page.width() / width, page.height() / height});
    width *= factor;
    height *= factor;
    const QRectF area((page.width() - width) / 2, (page.height() - height) / 2, width, height);
    painter.drawImage(area, image);
}

QGroupBox* SummaryPanel(QWidget* parent, const QString& objectName,
                        const std::vector<SummaryRow>& rows, std::map<QString, QLabel*>& values)
{
    auto* panel = new QGroupBox(parent);
    panel->setObjectName(objectName);
    auto* grid = new QGridLayout(panel);
    grid->setColumnStretch(2, 1);
    int line = 0;
    for (const SummaryRow& row : rows) {
        grid->addWidget(new QLabel(row.Caption, panel), line, 0);
        auto* value = new QLabel(panel);
        value->setObjectName(row.Field);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, line, 1);
        values[row.Field] = value;
        ++line;
        if (!row.Note.isEmpty()) {
            auto* note = new QLabel(row.Note, panel);
            QPalette palette = note->palette();
            palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
            note->setPalette(palette);
            grid->addWidget(note, line++, 0, 1, 3);
        }
    }
    return panel;
}

void SummaryHeading(QWidget* window, QVBoxLayout* layout, const QString& title, QLabel*& titleLabel,
                    QLabel*& periodLabel)
{
    titleLabel = new QLabel(title, window);
    QFont big = titleLabel->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    titleLabel->setFont(big);
    titleLabel->setAlignment(Qt::AlignHCenter);
    periodLabel = new QLabel(window);
    periodLabel->setObjectName(QStringLiteral("YearLabel"));
    periodLabel->setAlignment(Qt::AlignHCenter);
    layout->addWidget(titleLabel);
    layout->addWidget(periodLabel);
}

QHBoxLayout* SummaryPanels(QWidget* window, const std::vector<SummaryRow>& custodial,
                           const std::vector<SummaryRow>& nonCustodial,
                           std::map<QString, QLabel*>& values)
{
    auto* panels = new QHBoxLayout;
    panels->addWidget(SummaryPanel(window, QStringLiteral("CustodialPanel"), custodial, values), 0,
                      Qt::AlignTop);
    panels->addWidget(
        SummaryPanel(window, QStringLiteral("NonCustodialPanel"), nonCustodial, values), 0,
        Qt::AlignTop);
    return panels;
}

void SetPanelTitles(QWidget& window, const CalendarDocument& doc)
{
    window.findChild<QGroupBox*>(QStringLiteral("CustodialPanel"))
        ->setTitle(QStringLiteral("Custodial Parent:  ") + doc.CustodialName);
    window.findChild<QGroupBox*>(QStringLiteral("NonCustodialPanel"))
        ->setTitle(QStringLiteral("Non-Custodial Parent:  ") + doc.NonCustodialName);
}

QPushButton* RowButton(QWidget* parent, QBoxLayout* row, const QString& caption, const char* name)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    row->addWidget(button);
    return button;
}

} // namespace custodex
