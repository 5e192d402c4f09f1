#include "reports/ui/PrntQual.h"

#include "output/DrawingSurface.h"
#include "output/ImageFiles.h"
#include "platform/Prompter.h"
#include "reports/TimeReportTexts.h"
#include "reports/ui/PrevQual.h"
#include "reports/ui/ReportPrintDialog.h"

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
    Title = new QLabel(QualitySummaryTitle, this);
    QFont big = Title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    Title->setFont(big);
    Title->setAlignment(Qt::AlignHCenter);
    YearLabel = new QLabel(this);
    YearLabel->setObjectName(QStringLiteral("YearLabel"));
    YearLabel->setAlignment(Qt::AlignHCenter);
    layout->addWidget(Title);
    layout->addWidget(YearLabel);
    auto* panels = new QHBoxLayout;
    panels->addWidget(
        SummaryPanel(this, QStringLiteral("CustodialPanel"), QualityCustodialRows(), Fields), 0,
        Qt::AlignTop);
    panels->addWidget(
        SummaryPanel(this, QStringLiteral("NonCustodialPanel"), QualityNonCustodialRows(), Fields),
        0, Qt::AlignTop);
    layout->addLayout(panels);

    auto* buttons = new QHBoxLayout;
    auto button = [this, buttons](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    PrintReportBtn = button(QStringLiteral("Print Quality Time Report"), "PrintReportBtn");
    PreviewBtn = button(QStringLiteral("Preview Quality Time Report"), "PreviewBtn");
    PrintFormBtn = button(QStringLiteral("Print Form"), "PrintFormBtn");
    CloseBtn = button(QStringLiteral("&Close"), "CloseBtn");
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
    findChild<QGroupBox*>(QStringLiteral("CustodialPanel"))
        ->setTitle(QStringLiteral("Custodial Parent:  ") + Doc.CustodialName);
    findChild<QGroupBox*>(QStringLiteral("NonCustodialPanel"))
        ->setTitle(QStringLiteral("Non-Custodial Parent:  ") + Doc.NonCustodialName);
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
    printer.setFromTo(1, 2);
    const PrintTarget target = Services.Printing.ChoosePrinter(
        printer,
        {QStringLiteral("Calendar ") + Doc.ClientName,
         QStringLiteral("Print to file: save the two pages as pictures (.bmp or .jpg)")},
        this);
    if (target == PrintTarget::File) {
        SavePictures();
        return;
    }
    if (target != PrintTarget::Printer)
        return;
    // A range of page 2 alone prints only the pie page.
    const bool first = printer.fromPage() <= 1;
    const bool second = printer.toPage() == 0 || printer.toPage() >= 2;
    const QString generated = GeneratedText(Services);
    PrintOnPaper(Doc, printer, QStringLiteral("Calendar ") + Doc.ClientName, Services, this,
                 [&](DrawingSurface& surface) {
                     if (first)
                         DrawQualitySummaryPage(surface, Doc, Report, generated);
                     if (first && second)
                         surface.NewPage();
                     if (second)
                         DrawQualityPiePage(surface, Doc, Report, generated);
                 });
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
