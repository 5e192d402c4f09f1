#include "reports/ui/ComparisonWindow.h"

#include "calendar/DocumentLifecycle.h"
#include "output/DrawingSurface.h"
#include "platform/FileDialogs.h"
#include "platform/Prompter.h"
#include "reports/ComparisonPages.h"
#include "reports/ComparisonTexts.h"
#include "reports/ui/ReportPrintout.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace custodex {

MonthBarsChart::MonthBarsChart(const Comparison& comparison, QWidget* parent)
    : QWidget(parent), Figures(comparison)
{
    setObjectName(QStringLiteral("MonthBarsChart"));
    setMinimumSize(480, 180);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MonthBarsChart::ShowOvernights(bool overnights)
{
    Overnights = overnights;
    setAccessibleName(overnights ? QStringLiteral("Overnights per month, A beside B")
                                 : QStringLiteral("Day visits per month, A beside B"));
    update();
}

void MonthBarsChart::paintEvent(QPaintEvent*)
{
    PainterSurface surface(*this);
    surface.FillRect(rect(), 0xFFFFFF);
    DrawMonthBars(surface, rect().adjusted(6, 4, -6, -2), Figures, Overnights);
}

TCompareCalendars::TCompareCalendars(Comparison comparison, CalendarDocument& doc,
                                     MainWindowServices& services, QWidget* parent)
    : QDialog(parent), Compared(std::move(comparison)), Doc(doc), Services(services)
{
    setObjectName(QStringLiteral("TCompareCalendars"));
    setWindowTitle(ComparisonTitle);
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);

    SideA = new QLabel(QStringLiteral("A: ") + SideDescription(Compared.A), this);
    SideB = new QLabel(QStringLiteral("B: ") + SideDescription(Compared.B), this);
    SideA->setObjectName(QStringLiteral("SideA"));
    SideB->setObjectName(QStringLiteral("SideB"));
    SideA->setToolTip(Compared.A.File);
    SideB->setToolTip(Compared.B.File);
    SpanNote = new QLabel(SpanDifferenceNote(Compared), this);
    SpanNote->setObjectName(QStringLiteral("SpanNote"));
    SpanNote->setWordWrap(true);
    SpanNote->setVisible(!Compared.SameSpan());
    QFont bold = SideA->font();
    bold.setBold(true);
    SideA->setFont(bold);
    SideB->setFont(bold);
    layout->addWidget(SideA);
    layout->addWidget(SideB);
    layout->addWidget(SpanNote);

    Table = new QTableWidget(static_cast<int>(AllMeasures.size()), 9, this);
    Table->setObjectName(QStringLiteral("ComparisonTable"));
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList heads;
    for (const CarePeriod period : AllPeriods)
        for (const QString& side :
             {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("B - A")})
            heads << ComparisonPeriodCaption(period) + QLatin1Char('\n') + side;
    Table->setHorizontalHeaderLabels(heads);
    QStringList rows;
    for (const Measure measure : AllMeasures)
        rows << MeasureCaption(measure);
    Table->setVerticalHeaderLabels(rows);
    for (int r = 0; r < static_cast<int>(AllMeasures.size()); ++r)
        for (int p = 0; p < 3; ++p) {
            const auto cells = MeasureCells(Compared, AllMeasures[static_cast<std::size_t>(r)],
                                            AllPeriods[static_cast<std::size_t>(p)]);
            for (int c = 0; c < 3; ++c) {
                auto* item = new QTableWidgetItem(cells[static_cast<std::size_t>(c)]);
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                if (item->text() == NotCountableCell)
                    item->setToolTip(ComparisonNotes(Compared).join(QLatin1Char('\n')));
                Table->setItem(r, 3 * p + c, item);
            }
        }
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Shared out evenly, a narrow window cut "Second year" short: every column keeps its head.
    const QFontMetrics headMetrics(Table->horizontalHeader()->font());
    int widestHead = 0;
    for (const QString& head : heads)
        for (const QString& line : head.split(QLatin1Char('\n')))
            widestHead = std::max(widestHead, headMetrics.horizontalAdvance(line));
    Table->horizontalHeader()->setMinimumSectionSize(widestHead + 16);
    Table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    Table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Table->resizeRowsToContents();
    layout->addWidget(Table);
    // What cannot be counted, or is only approximate, is said under the table.
    const QStringList notes = ComparisonNotes(Compared);
    Notes = new QLabel(notes.join(QLatin1Char('\n')), this);
    Notes->setObjectName(QStringLiteral("ComparisonNotes"));
    Notes->setWordWrap(true);
    Notes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Notes->setVisible(!notes.isEmpty());
    layout->addWidget(Notes);
    const QStringList guidelines = ComparisonGuidelineLines(Compared);
    Guidelines = new QLabel(guidelines.join(QLatin1Char('\n')), this);
    Guidelines->setObjectName(QStringLiteral("ComparisonGuidelines"));
    Guidelines->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Guidelines->setVisible(!guidelines.isEmpty());
    layout->addWidget(Guidelines);

    auto* choice = new QHBoxLayout;
    OvernightBars = new QRadioButton(QStringLiteral("&Overnights per month"), this);
    DayVisitBars = new QRadioButton(QStringLiteral("&Day visits per month"), this);
    OvernightBars->setObjectName(QStringLiteral("OvernightBars"));
    DayVisitBars->setObjectName(QStringLiteral("DayVisitBars"));
    OvernightBars->setChecked(true);
    choice->addWidget(OvernightBars);
    choice->addWidget(DayVisitBars);
    choice->addStretch();
    layout->addLayout(choice);
    Chart = new MonthBarsChart(Compared, this);
    Chart->ShowOvernights(true);
    layout->addWidget(Chart, 1);
    connect(OvernightBars, &QRadioButton::toggled, this,
            [this](bool on) { Chart->ShowOvernights(on); });

    auto* buttons = new QDialogButtonBox(this);
    PrintBtn = buttons->addButton(QStringLiteral("&Print..."), QDialogButtonBox::ActionRole);
    SavePdfBtn =
        buttons->addButton(QStringLiteral("&Save as PDF..."), QDialogButtonBox::ActionRole);
    CloseBtn = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    SavePdfBtn->setObjectName(QStringLiteral("SavePdfBtn"));
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    connect(PrintBtn, &QPushButton::clicked, this, &TCompareCalendars::PrintClick);
    connect(SavePdfBtn, &QPushButton::clicked, this, [this] { SavePdfClick(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    CloseBtn->setDefault(true);
    resize(980, 700);
}

ReportPrintout TCompareCalendars::Printout() const
{
    return {ComparisonTitle,
            ComparisonTitle,
            QStringLiteral("Save the Comparison as PDF"),
            Compared.A.Client + QStringLiteral(" and ") + Compared.B.Client +
                QStringLiteral(" Comparison.pdf"),
            [this](DrawingSurface& surface, const QString& generated) {
                DrawComparisonPage(surface, Compared, generated);
            },
            [this](const QString& generated) { return ComparisonPdfBytes(Compared, generated); }};
}

void TCompareCalendars::PrintClick()
{
    PrintReport(Printout(), Doc, Services, this);
}

bool TCompareCalendars::SavePdfClick()
{
    return SaveReportPdf(Printout(), Doc, Services);
}

void RunCompareCalendars(CommandHost& host)
{
    CalendarDocument& doc = host.Document();
    MainWindowServices& services = host.Services();
    const QString path = services.Dialogs.OpenFileName(
        {QStringLiteral("Compare With Another Calendar"), doc.ClientFolder, QString(),
         CalendarFileFilter, QStringLiteral("cdb")});
    if (path.isEmpty())
        return;
    CalendarDocument other;
    if (!ReadCalendarToCompare(QFileInfo(path).absoluteFilePath(), other, services.Messages))
        return;
    const QString shown = doc.CurrentFileName.isEmpty() ? doc.ClientName : doc.CurrentFileName;
    TCompareCalendars window(CompareCalendars(doc, shown, other, path), doc, services,
                             host.ParentWidget());
    window.exec();
    host.RefreshWindow(); // a PDF saved moves the client folder
}

} // namespace custodex
