#include "reports/ui/CareTimeWindow.h"

#include "output/DrawingSurface.h"
#include "output/ImageFiles.h"
#include "platform/PrintDialog.h"
#include "platform/Prompter.h"
#include "reports/GuidelineStanding.h"
#include "reports/TimeReportPages.h"
#include "reports/ui/CarePreview.h"

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
    SummaryHeading(this, layout, CareSummaryTitle, Title, YearLabel);

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

    layout->addLayout(SummaryPanels(this, CareCustodialRows(), CareNonCustodialRows(), Fields));
    GuidelineLines = new QLabel(this);
    GuidelineLines->setObjectName(QStringLiteral("GuidelineLines"));
    GuidelineLines->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(GuidelineLines);
    auto* buttons = new QHBoxLayout;
    PrintReportBtn =
        RowButton(this, buttons, QStringLiteral("Print Care Time Report"), "PrintReportBtn");
    PreviewBtn = RowButton(this, buttons, QStringLiteral("Preview Care Time Report"), "PreviewBtn");
    PrintFormBtn = RowButton(this, buttons, QStringLiteral("Print Form"), "PrintFormBtn");
    CloseBtn = RowButton(this, buttons, QStringLiteral("&Close"), "CloseBtn");
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
    SetPanelTitles(*this, Doc);
    // The calendar's guidelines for the period chosen, as the main window words them.
    QStringList lines;
    for (const GuidelineStanding& standing : EvaluateGuidelines(Doc))
        lines << MarkedGuidelineLine(standing.Rule,
                                     standing.Periods[static_cast<std::size_t>(Chosen)]);
    GuidelineLines->setText(lines.isEmpty() ? QString()
                                            : QStringLiteral("Guidelines:\n") +
                                                  lines.join(QLatin1Char('\n')));
    GuidelineLines->setVisible(!lines.isEmpty());
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
         QStringLiteral("Save the page as a picture (.bmp or .jpg) instead of printing")},
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
