#include "reports/ui/DayCountWindow.h"

#include "reports/ui/ReportPrintout.h"
#include "reports/ui/TimeReportMenuCommands.h"

#include "calendar/MenuChecks.h"
#include "output/DrawingSurface.h"
#include "platform/HelpService.h"
#include "platform/Prompter.h"
#include "reports/HourlyDistribution.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace custodex {

TDayCountReport::TDayCountReport(CalendarDocument& doc, DayCounts counts, bool approximate,
                                 MainWindowServices& services, QWidget* parent)
    : QDialog(parent), Doc(doc), Figures(std::move(counts)), Services(services)
{
    setObjectName(QStringLiteral("TDayCountReport"));
    setWindowTitle(DayCountTitle);
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    ClientLabel = new QLabel(QStringLiteral("Client: ") + Doc.ClientName, this);
    ClientLabel->setObjectName(QStringLiteral("ClientLabel"));
    QFont clientFont = ClientLabel->font();
    clientFont.setBold(true);
    ClientLabel->setFont(clientFont);
    layout->addWidget(ClientLabel);

    // A row naming each period, then a row per method: the count and its share for each parent.
    const int rows = static_cast<int>(AllPeriods.size() * (AllDayCountMethods.size() + 1));
    Table = new QTableWidget(rows, 4, this);
    Table->setObjectName(QStringLiteral("DayCountTable"));
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    auto parentHead = [](const QString& title, const QString& name) {
        // The stored title under the column's, unless it only repeats it.
        return name.isEmpty() || name.compare(title, Qt::CaseInsensitive) == 0
                   ? title
                   : title + QLatin1Char('\n') + name;
    };
    Table->setHorizontalHeaderLabels(
        {parentHead(QStringLiteral("Non-custodial"), Doc.NonCustodialName),
         QStringLiteral("Share of days"),
         parentHead(QStringLiteral("Custodial"), Doc.CustodialName),
         QStringLiteral("Share of days")});
    QStringList heads;
    QFont bold = font();
    bold.setBold(true);
    int row = 0;
    for (const CarePeriod period : AllPeriods) {
        const ReportPeriod range = CareReportPeriod(Doc, period);
        const PeriodDayCounts& figures = Figures.Periods[static_cast<std::size_t>(period)];
        heads << DayCountPeriodCaption(period);
        auto* title = new QTableWidgetItem(
            IsoDateOfDay(Doc, range.FirstDay) + QStringLiteral(" to ") +
            IsoDateOfDay(Doc, range.EndDay - 1) + QStringLiteral(" (%1 days)").arg(range.Days()));
        title->setFont(bold);
        Table->setItem(row, 0, title);
        Table->setSpan(row, 0, 1, 4);
        ++row;
        for (const DayCountMethod method : AllDayCountMethods) {
            heads << DayCountMethodCaption(method);
            const QString cells[4] = {
                figures.NonCustodial.CountText(method), figures.NonCustodial.ShareText(method),
                figures.Custodial.CountText(method), figures.Custodial.ShareText(method)};
            for (int c = 0; c < 4; ++c) {
                auto* item = new QTableWidgetItem(cells[c]);
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                Table->setItem(row, c, item);
            }
            ++row;
        }
    }
    Table->setVerticalHeaderLabels(heads);
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    Table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(Table);

    Approximate = new QLabel(DayCountApproximateNote, this);
    Approximate->setObjectName(QStringLiteral("Approximate"));
    Approximate->setWordWrap(true);
    Approximate->setVisible(approximate);
    layout->addWidget(Approximate);

    QStringList definitions;
    for (const DayCountMethod method : AllDayCountMethods)
        definitions << DayCountMethodDefinition(method);
    definitions << QStringLiteral("Shares are of the period's days. Hours are those of the "
                                  "Hourly Distribution Report, each counted once.")
                << DayCountNeutralNote;
    Definitions = new QLabel(definitions.join(QLatin1Char('\n')), this);
    Definitions->setObjectName(QStringLiteral("Definitions"));
    Definitions->setWordWrap(true);
    Definitions->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(Definitions);

    auto* buttons = new QDialogButtonBox(this);
    PrintBtn = buttons->addButton(QStringLiteral("&Print..."), QDialogButtonBox::ActionRole);
    SavePdfBtn =
        buttons->addButton(QStringLiteral("&Save as PDF..."), QDialogButtonBox::ActionRole);
    HelpBtn = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    CloseBtn = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    SavePdfBtn->setObjectName(QStringLiteral("SavePdfBtn"));
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    connect(PrintBtn, &QPushButton::clicked, this, &TDayCountReport::PrintClick);
    connect(SavePdfBtn, &QPushButton::clicked, this, [this] { SavePdfClick(); });
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { Services.Help.ShowHelpTopic(this, HelpDayCounts); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    CloseBtn->setDefault(true);
    resize(820, 620);
}

ReportPrintout TDayCountReport::Printout() const
{
    return {DayCountTitle,
            DayCountTitle + QLatin1Char(' ') + Doc.ClientName,
            QStringLiteral("Save the Day Count Report as PDF"),
            Doc.ClientName + QStringLiteral(" Day Counts.pdf"),
            [this](DrawingSurface& surface, const QString& generated) {
                DrawDayCountPage(surface, Doc, Figures, generated);
            },
            [this](const QString& generated) { return DayCountPdfBytes(Doc, Figures, generated); }};
}

void TDayCountReport::PrintClick()
{
    PrintReport(Printout(), Doc, Services, this);
}

bool TDayCountReport::SavePdfClick()
{
    return SaveReportPdf(Printout(), Doc, Services);
}

void RunDayCountReport(CommandHost& host)
{
    CalendarDocument& doc = host.Document();
    Prompter& prompts = host.Services().Messages;
    if (!doc.HasCalendar()) {
        prompts.Ask(PromptKind::Error,
                    QStringLiteral("Please create a calendar before counting its days."),
                    PromptButtons::Ok);
        return;
    }
    RecountCounters(doc); // as every time report does before its checks
    if (NothingMarked(doc)) {
        prompts.Ask(PromptKind::Error,
                    QStringLiteral("You must mark at least one overnight stay or\n\rone day "
                                   "visit on your calendar before you can\n\rcreate a Day Count "
                                   "report."),
                    PromptButtons::Ok);
        return;
    }
    // Counted on the calendar as it is, so the figures are never stale; the calendar is not
    // changed.
    const DistributionResult run = ComputeDistribution(doc);
    if (HasUncountableDayVisits(run)) {
        prompts.Ask(PromptKind::Error, UncountableVisitsMessage, PromptButtons::Ok);
        return;
    }
    TDayCountReport window(doc, CountDays(doc, run), run.HasProblems(), host.Services(),
                           host.ParentWidget());
    window.exec();
    host.RefreshWindow(); // a PDF saved moves the client folder
}

} // namespace custodex
