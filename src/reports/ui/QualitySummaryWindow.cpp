#include "reports/ui/QualitySummaryWindow.h"

#include "output/DrawingSurface.h"
#include "output/ImageFiles.h"
#include "platform/PrintDialog.h"
#include "platform/Prompter.h"
#include "reports/TimeReportTexts.h"
#include "reports/ui/QualityPreview.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>

namespace custodex {

TPrintQuality::TPrintQuality(CalendarDocument& doc, TimeReportServices services, QWidget* parent)
    : QDialog(parent), Doc(doc), Services(services)
{
    setObjectName(QStringLiteral("TPrintQuality"));
    setWindowTitle(QStringLiteral("Check before Printing"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    SummaryHeading(this, layout, QualitySummaryTitle, Title, YearLabel);
    layout->addLayout(
        SummaryPanels(this, QualityCustodialRows(), QualityNonCustodialRows(), Fields));
    auto* buttons = new QHBoxLayout;
    PrintReportBtn =
        RowButton(this, buttons, QStringLiteral("Print Quality Time Report"), "PrintReportBtn");
    PreviewBtn =
        RowButton(this, buttons, QStringLiteral("Preview Quality Time Report"), "PreviewBtn");
    PrintFormBtn = RowButton(this, buttons, QStringLiteral("Print Form"), "PrintFormBtn");
    CloseBtn = RowButton(this, buttons, QStringLiteral("&Close"), "CloseBtn");
    for (QPushButton* button : {PrintReportBtn, PreviewBtn, PrintFormBtn, CloseBtn})
        button->setAutoDefault(false);
    layout->addLayout(buttons);
    connect(PrintReportBtn, &QPushButton::clicked, this, &TPrintQuality::PrintReportClick);
    connect(PreviewBtn, &QPushButton::clicked, this, &TPrintQuality::PreviewClick);
    connect(PrintFormBtn, &QPushButton::clicked, this, &TPrintQuality::PrintFormClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TPrintQuality::ShowReport(const QualityReport& report)
{
    Report = report;
    YearLabel->setText(PeriodLabel(Doc, report.Period));
    const auto texts = QualityTexts(report.Results);
    for (std::size_t i = 0; i < texts.size(); ++i)
        Fields.at(QualityFieldNames()[i])->setText(texts[i]);
    SetPanelTitles(*this, Doc);
    adjustSize();
}

bool TPrintQuality::TitlesMissing()
{
    if (!ParentTitlesMissing(Doc))
        return false;
    Services.Messages.Ask(PromptKind::Error, ParentTitlesMissingMessage, PromptButtons::Ok);
    return true;
}

void TPrintQuality::PrintReportClick()
{
    if (TitlesMissing())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    const PrintRequest request{
        QStringLiteral("Calendar ") + Doc.ClientName,
        QStringLiteral("Save the two pages as pictures (.bmp or .jpg) instead of printing"),
        1,
        2,
        1,
        2,
        true};
    const PrintTarget target = Services.Printing.ChoosePrinter(printer, request, this);
    if (target == PrintTarget::File) {
        SavePictures();
        return;
    }
    if (target != PrintTarget::Printer)
        return;
    // A range of page 2 alone prints only the pie page.
    const PageSpan pages = ChosenPages(printer, request);
    const bool first = pages.First <= 1;
    const bool second = pages.Last >= 2;
    const QString generated = GeneratedText(Services);
    int notDrawn = 0;
    PrintOnPaper(Doc, printer, QStringLiteral("Calendar ") + Doc.ClientName, Services, this,
                 [&](DrawingSurface& surface) {
                     if (first)
                         notDrawn = DrawQualitySummaryPage(surface, Doc, Report, generated);
                     if (first && second)
                         surface.NewPage();
                     if (second)
                         DrawQualityPiePage(surface, Doc, Report, generated);
                 });
    // Paper says so too when lines were left out, as the pictures and the preview do.
    if (notDrawn > 0)
        Services.Messages.Ask(PromptKind::Information, TooManyActivitiesNotice, PromptButtons::Ok);
}

void TPrintQuality::SavePictures()
{
    const std::optional<PictureTarget> where = ChoosePictureTarget(Doc, Services, this);
    if (!where)
        return;
    const QString generated = GeneratedText(Services);
    const QString suffix = PictureSuffix(where->Format);
    const QString first = QualityPictureName(where->Folder, Doc.ClientName, 1, suffix);
    const QString second = QualityPictureName(where->Folder, Doc.ClientName, 2, suffix);
    int notDrawn = 0;
    const QImage summary = ReportPagePicture([&](DrawingSurface& surface) {
        notDrawn = DrawQualitySummaryPage(surface, Doc, Report, generated);
    });
    if (notDrawn > 0)
        Services.Messages.Ask(PromptKind::Information, TooManyActivitiesNotice, PromptButtons::Ok);
    const QImage pie = ReportPagePicture(
        [&](DrawingSurface& surface) { DrawQualityPiePage(surface, Doc, Report, generated); });
    if (custodex::SavePictures({{first, summary}, {second, pie}}, where->Format, Services.Messages))
        Services.Messages.Ask(PromptKind::Information, QualityPicturesSavedMessage(first, second),
                              PromptButtons::Ok);
}

void TPrintQuality::PreviewClick()
{
    if (TitlesMissing())
        return;
    const QString generated = GeneratedText(Services);
    bool noticeShown = false;
    TPreviewQuality preview(
        [&](DrawingSurface& surface) {
            const int notDrawn = DrawQualitySummaryPage(surface, Doc, Report, generated, true);
            if (notDrawn > 0 && !noticeShown) {
                noticeShown = true;
                Services.Messages.Ask(PromptKind::Information, TooManyActivitiesNotice,
                                      PromptButtons::Ok);
            }
        },
        [&](DrawingSurface& surface) { DrawQualityPiePage(surface, Doc, Report, generated); },
        this);
    preview.exec();
}

void TPrintQuality::PrintFormClick()
{
    if (Services.Messages.Ask(PromptKind::Confirmation,
                              QStringLiteral("Printing the Quality Time Summary report will use a "
                                             "lot of ink\n\r\n\rAre you sure you want to "
                                             "continue?"),
                              PromptButtons::YesCancel) != PromptAnswer::Yes) {
        Services.Messages.Ask(PromptKind::Information, QStringLiteral("Okay, maybe later"),
                              PromptButtons::Ok);
        return;
    }
    PrintWindowForm(Doc, *this,
                    {QStringLiteral("Printing Quality Time Summary Form"),
                     QStringLiteral("_qualtime_pie"),
                     QStringLiteral("Parental Quality Time Form has been saved to file\n\r")},
                    Services);
}

} // namespace custodex
