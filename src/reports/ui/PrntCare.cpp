#include "reports/ui/PrntCare.h"

#include "output/DrawingSurface.h"
#include "output/ImageFiles.h"
#include "platform/Prompter.h"
#include "reports/TimeReportPages.h"
#include "reports/ui/PrevCare.h"
#include "reports/ui/ReportPrintDialog.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

namespace custodex {

TPrintCareTime::TPrintCareTime(CalendarDocument& doc, TimeReportServices services, QWidget* parent)
    : QDialog(parent), Doc(doc), Services(services)
{
    setObjectName(QStringLiteral("TPrintCareTime"));
    setWindowTitle(QStringLiteral("Check before Printing"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    Title = new QLabel(CareSummaryTitle, this);
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

    auto* periods = new QHBoxLayout;
    auto radio = [this, periods](const QString& caption, const char* name, CarePeriod period) {
        auto* button = new QRadioButton(caption, this);
        button->setObjectName(QLatin1String(name));
        periods->addWidget(button);
        connect(button, &QRadioButton::clicked, this, [this, period] { ChoosePeriod(period); });
        return button;
    };
    periods->addStretch();
    FirstYearBtn = radio(QStringLiteral("First Year"), "FirstYearBtn", CarePeriod::FirstYear);
    SecondYearBtn = radio(QStringLiteral("Second Year"), "SecondYearBtn", CarePeriod::SecondYear);
    BothYearsBtn = radio(QStringLiteral("Both Years"), "BothYearsBtn", CarePeriod::BothYears);
    periods->addStretch();
    layout->addLayout(periods);

    auto* panels = new QHBoxLayout;
    panels->addWidget(
        SummaryPanel(this, QStringLiteral("CustodialPanel"), CareCustodialRows(), Fields), 0,
        Qt::AlignTop);
    panels->addWidget(
        SummaryPanel(this, QStringLiteral("NonCustodialPanel"), CareNonCustodialRows(), Fields), 0,
        Qt::AlignTop);
    layout->addLayout(panels);

    auto* buttons = new QHBoxLayout;
    auto button = [this, buttons](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        buttons->addWidget(b);
        return b;
    };
    PrintReportBtn = button(QStringLiteral("Print Care Time Report"), "PrintReportBtn");
    PreviewBtn = button(QStringLiteral("Preview Care Time Report"), "PreviewBtn");
    PrintFormBtn = button(QStringLiteral("Print Form"), "PrintFormBtn");
    CloseBtn = button(QStringLiteral("&Close"), "CloseBtn");
    PreviewBtn->setDefault(true);
    layout->addLayout(buttons);
    connect(PrintReportBtn, &QPushButton::clicked, this, &TPrintCareTime::PrintReportClick);
    connect(PreviewBtn, &QPushButton::clicked, this, &TPrintCareTime::PreviewClick);
    connect(PrintFormBtn, &QPushButton::clicked, this, &TPrintCareTime::PrintFormClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TPrintCareTime::ShowFor(const std::array<DistributionYear, 2>& years)
{
    Years = years;
    ChoosePeriod(Chosen);
}

void TPrintCareTime::ChoosePeriod(CarePeriod period)
{
    Chosen = period;
    QRadioButton* button = period == CarePeriod::FirstYear    ? FirstYearBtn
                           : period == CarePeriod::SecondYear ? SecondYearBtn
                                                              : BothYearsBtn;
    button->setChecked(true);
    Fill();
    PrintReportBtn->setEnabled(true);
    PreviewBtn->setEnabled(true);
}

void TPrintCareTime::Fill()
{
    Current = ComputeCare(Doc, Years, Chosen);
    YearLabel->setText(PeriodLabel(Doc, Current.Period));
    const auto texts = CareTexts(Current);
    for (std::size_t i = 0; i < texts.size(); ++i)
        Fields.at(CareFieldNames()[i])->setText(texts[i]);
    findChild<QGroupBox*>(QStringLiteral("CustodialPanel"))
        ->setTitle(QStringLiteral("Custodial Parent:  ") + Doc.CustodialName);
    findChild<QGroupBox*>(QStringLiteral("NonCustodialPanel"))
        ->setTitle(QStringLiteral("Non-Custodial Parent:  ") + Doc.NonCustodialName);
}

bool TPrintCareTime::Refused(CareOutput output)
{
    const std::optional<QString> refusal = CareReportRefusal(Doc, Current, output);
    if (refusal)
        Services.Messages.Ask(PromptKind::Error, *refusal, PromptButtons::Ok);
    return refusal.has_value();
}

void TPrintCareTime::PrintReportClick()
{
    if (Refused(CareOutput::Print))
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    const PrintTarget target = Services.Printing.ChoosePrinter(
        printer,
        {QStringLiteral("Calendar ") + Doc.ClientName,
         QStringLiteral("Print to file: save the page as a picture (.bmp or .jpg)")},
        this);
    const QString generated = GeneratedText(Services);
    const PageDrawing page = [&](DrawingSurface& surface) {
        DrawCarePage(surface, Doc, Current, generated);
    };
    if (target == PrintTarget::Printer) {
        PrintOnPaper(Doc, printer, QStringLiteral("Calendar ") + Doc.ClientName, Services, this,
                     page);
        return;
    }
    if (target != PrintTarget::File)
        return;
    const std::optional<PictureTarget> where = ChoosePictureTarget(Doc, Services, this);
    if (!where)
        return;
    const QString path =
        CarePictureName(where->Folder, Doc.ClientName, Chosen, PictureSuffix(where->Format));
    if (SavePictures({{path, ReportPagePicture(page)}}, where->Format, Services.Messages))
        Services.Messages.Ask(PromptKind::Information, CarePictureSavedMessage(path),
                              PromptButtons::Ok);
}

void TPrintCareTime::PreviewClick()
{
    if (Refused(CareOutput::Preview))
        return;
    const QString generated = GeneratedText(Services);
    TPreviewCare preview(
        [&](DrawingSurface& surface) { DrawCarePage(surface, Doc, Current, generated); }, this);
    preview.exec();
}

void TPrintCareTime::PrintFormClick()
{
    PrintWindowForm(Doc, *this,
                    {QStringLiteral("Printing Care Time Summary Form"),
                     QStringLiteral("_caretime_form"),
                     QStringLiteral("Parental Care Time Form has been saved to file\n\r")},
                    Services);
}

} // namespace custodex
