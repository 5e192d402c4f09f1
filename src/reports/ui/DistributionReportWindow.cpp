#include "reports/ui/DistributionReportWindow.h"

#include "output/ImageFiles.h"
#include "output/PrinterSurface.h"
#include "platform/FileAccess.h"
#include "platform/FileDialogs.h"
#include "platform/HelpService.h"
#include "platform/OutputPrompts.h"
#include "platform/PrintDialog.h"
#include "platform/Prompter.h"
#include "reports/DistributionPictures.h"
#include "reports/DistributionReport.h"
#include "reports/ui/DistributionErrorsWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace custodex {

namespace {

// The pointer scrolls the report up while it is more than 20 and less than 100 pixels below
// the window's top (the menu bar stays usable), and down within 100 pixels of the screen's
// bottom.
constexpr int TopBandStart = 20;
constexpr int EdgeBand = 100;
constexpr int ScrollPixels = 20;
constexpr int ScrollInterval = 100;

class ReportCanvas : public QWidget {
public:
    ReportCanvas(const QImage& picture, QWidget* parent) : QWidget(parent), Picture(picture)
    {
        setMouseTracking(true);
        setCursor(Qt::PointingHandCursor);
        setToolTip(QStringLiteral("Click anywhere to close the report"));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, Picture);
    }

private:
    const QImage& Picture;
};

QLineEdit* ReadOnlyField(QWidget* parent, const QString& name, const QString& hint)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setToolTip(hint);
    field->setAlignment(Qt::AlignCenter);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("000:000")) + 12);
    return field;
}

} // namespace

TShowDistribution::TShowDistribution(CalendarDocument& doc, DistributionWindowServices services,
                                     bool withSleepAndNap, QWidget* parent)
    : QDialog(parent), Doc(doc), Services(std::move(services))
{
    setObjectName(QStringLiteral("TShowDistribution"));
    setWindowTitle(QStringLiteral("Hourly Distribution Report"));

    auto* menu = new QMenuBar(this);
    FileMenu = menu->addMenu(QStringLiteral("&File"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    PrintReport = FileMenu->addAction(QStringLiteral("&Print Report"));
    PrintReport->setObjectName(QStringLiteral("PrintReport"));
    FileMenu->setEnabled(false);
    CloseItem = menu->addAction(QStringLiteral("&Close"));
    CloseItem->setObjectName(QStringLiteral("Close"));
    HelpItem = menu->addAction(QStringLiteral("&Help"));
    HelpItem->setObjectName(QStringLiteral("Help"));
    connect(PrintReport, &QAction::triggered, this, &TShowDistribution::PrintReportClick);
    connect(CloseItem, &QAction::triggered, this, &QDialog::close);
    connect(HelpItem, &QAction::triggered, this,
            [this] { Services.Help.ShowHelpTopic(this, HelpDistribution); });

    AssumptionsGroupBox =
        new QGroupBox(QStringLiteral("Overnight/Day Visit Hourly Assumptions"), this);
    AssumptionsGroupBox->setObjectName(QStringLiteral("AssumptionsGroupBox"));
    auto* grid = new QGridLayout(AssumptionsGroupBox);
    grid->setHorizontalSpacing(12);
    OvernightHours = ReadOnlyField(AssumptionsGroupBox, QStringLiteral("OvernightHours"),
                                   QStringLiteral("Length of Overnight Stay (Max = 24 Hrs)"));
    SleepTime = ReadOnlyField(
        AssumptionsGroupBox, QStringLiteral("SleepTime"),
        QStringLiteral("How long does the child sleep at night? (Max Sleep Time = 12 Hours)"));
    DayVisitHours = ReadOnlyField(AssumptionsGroupBox, QStringLiteral("DayVisitHours"),
                                  QStringLiteral("How long is a day visit? "));
    NapTime = ReadOnlyField(AssumptionsGroupBox, QStringLiteral("NapTime"),
                            QStringLiteral("How long does the child nap?"));
    auto addRow = [&](int row, const QString& caption, QLineEdit* field) {
        auto* label = new QLabel(caption, AssumptionsGroupBox);
        label->setToolTip(field->toolTip());
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        return label;
    };
    addRow(0, QStringLiteral("Overnight Total Hours"), OvernightHours);
    SleepTimeLabel = addRow(1, QStringLiteral("Overnight Sleep Time:"), SleepTime);
    addRow(2, QStringLiteral("Day Visit Total Hours:"), DayVisitHours);
    NapTimeLabel = addRow(3, QStringLiteral("Day Visit Nap Time:"), NapTime);
    grid->setColumnStretch(2, 1);
    ChangeAssumptions = new QPushButton(QStringLiteral("Change Assumptions"), AssumptionsGroupBox);
    ChangeAssumptions->setObjectName(QStringLiteral("ChangeAssumptions"));
    grid->addWidget(ChangeAssumptions, 4, 0, 1, 3, Qt::AlignLeft);
    connect(ChangeAssumptions, &QPushButton::clicked, this,
            &TShowDistribution::ChangeAssumptionsClick);
    if (!withSleepAndNap) {
        for (QWidget* hidden :
             {static_cast<QWidget*>(SleepTimeLabel), static_cast<QWidget*>(SleepTime),
              static_cast<QWidget*>(NapTimeLabel), static_cast<QWidget*>(NapTime)})
            hidden->hide();
    }

    RunBtn = new QPushButton(QStringLiteral("Run Hourly Distribution Report"), this);
    RunBtn->setObjectName(QStringLiteral("RunBtn"));
    RunBtn->setDefault(true);
    connect(RunBtn, &QPushButton::clicked, this, &TShowDistribution::RunBtnClick);

    Report = new QScrollArea(this);
    Report->setObjectName(QStringLiteral("Report"));
    Report->setFrameShape(QFrame::NoFrame);
    Report->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Report->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Canvas = new ReportCanvas(Shown, Report);
    Report->setWidget(Canvas);
    Report->viewport()->setMouseTracking(true);
    Report->viewport()->installEventFilter(this);
    Canvas->installEventFilter(this);
    Report->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(AssumptionsGroupBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(RunBtn);
    layout->addLayout(buttons);
    layout->addWidget(Report, 1);

    ScrollTimer = new QTimer(this);
    ScrollTimer->setInterval(ScrollInterval);
    connect(ScrollTimer, &QTimer::timeout, this, &TShowDistribution::ScrollStep);
    setMouseTracking(true);
    ShowAssumptions();

    // Tall enough for every row and wide enough for the caption on the title bar (the window
    // manager adds the program's name, an icon and three buttons).
    const QSize wanted = layout->totalSizeHint();
    const int caption = fontMetrics().horizontalAdvance(
                            windowTitle() + QStringLiteral(" \u2014 Custodex Calendar")) +
                        160;
    setMinimumSize(wanted);
    resize(std::max(wanted.width(), caption), wanted.height());
}

void TShowDistribution::ShowAssumptions()
{
    OvernightHours->setText(Doc.OvernightHours);
    SleepTime->setText(Doc.SleepTime);
    DayVisitHours->setText(Doc.DayVisitHours);
    NapTime->setText(Doc.NapTime);
}

void TShowDistribution::ChangeAssumptionsClick()
{
    if (Services.ChangeAssumptions)
        Services.ChangeAssumptions();
    ShowAssumptions();
}

void TShowDistribution::RunBtnClick()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1280, 1024);
    AssumptionsGroupBox->hide();
    RunBtn->hide();
    layout()->setContentsMargins(0, 0, 0, 0);
    setMinimumSize(0, 0);
    Report->show();
    FileMenu->setEnabled(true);
    setGeometry(area);
    layout()->activate();
    RecountCounters(Doc);
    Run = RunDistribution(Doc);
    HasRun = true;
    DrawReport();
    Report->verticalScrollBar()->setValue(0);
    Report->horizontalScrollBar()->setValue(0);
}

void TShowDistribution::DrawReport()
{
    const int width = std::max(1, Report->viewport()->width());
    QImage probe(1, 1, QImage::Format_RGB32);
    int H = 1;
    {
        PainterSurface measure(probe);
        H = DistributionFontHeight(measure, width);
    }
    Shown = QImage(width, DistributionScreenLines * H, QImage::Format_RGB32);
    Shown.fill(Qt::white);
    {
        PainterSurface surface(Shown);
        DrawDistributionScreen(
            surface, {Doc, Run, Services.Generated ? Services.Generated() : GeneratedNow()});
    }
    Canvas->resize(Shown.size());
    Canvas->update();
}

void TShowDistribution::PrintReportClick()
{
    if (!HasRun)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    const PrintTarget target = Services.Printing.ChoosePrinter(
        printer,
        {QStringLiteral("Hourly Distribution Report ") + Doc.ClientName,
         QStringLiteral("Save the two pages as pictures (.bmp or .jpg) instead of printing")},
        this);
    if (target == PrintTarget::File)
        SavePictures();
    else if (target == PrintTarget::Printer)
        PrintOnPaper(printer);
    Canvas->update();
}

void TShowDistribution::PrintOnPaper(QPrinter& printer)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    UsePrintoutResolution(printer);
    PrinterSurface surface(printer);
    DrawDistributionPaper(surface,
                          {Doc, Run, Services.Generated ? Services.Generated() : GeneratedNow()});
}

void TShowDistribution::SavePictures()
{
    if (!ChoosePictureFolder(Doc, Services.Dialogs,
                             QStringLiteral("Save the Hourly Distribution Report as Pictures")))
        return;
    const std::optional<ImageFormat> format = Services.Output.ChooseImageFormat(this);
    if (!format)
        return;
    const DistributionPicturesResult saved = SaveDistributionPictures(
        {Doc, Run, Services.Generated ? Services.Generated() : GeneratedNow()}, Doc.ClientFolder,
        *format);
    if (saved.Error != FileWriteError::None) {
        Services.Messages.Ask(PromptKind::Error, WriteRefusalMessage(saved.Error, saved.FailedPath),
                              PromptButtons::Ok);
        return;
    }
    Services.Messages.Ask(PromptKind::Information, DistributionPicturesSavedMessage(saved.Paths),
                          PromptButtons::Ok);
}

void TShowDistribution::done(int result)
{
    if (!Closing) {
        Closing = true;
        ScrollTimer->stop();
        SayHowItWent();
    }
    QDialog::done(result);
}

void TShowDistribution::SayHowItWent()
{
    Prompter& messages = Services.Messages;
    if (!HasRun) {
        messages.Ask(PromptKind::Information, DistributionCanceledMessage, PromptButtons::Ok);
        return;
    }
    if (!Run.HasProblems()) {
        messages.Ask(PromptKind::Information, DistributionCleanMessage, PromptButtons::Ok);
    }
    else {
        if (messages.Ask(PromptKind::Confirmation, DistributionProblemsMessage,
                         PromptButtons::YesNo) == PromptAnswer::Yes) {
            TShowErrors errors(Doc, messages, Services.Dialogs, Services.Printing, this);
            errors.Execute(Run.DistributionMessages);
        }
        messages.Ask(PromptKind::Information, DistributionAccuracyNote, PromptButtons::Ok);
    }
    CompleteDistribution(Doc, Run);
}

bool TShowDistribution::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        PointerAt(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    }
    else if (event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TShowDistribution::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    close();
}

void TShowDistribution::PointerAt(const QPoint& global)
{
    Pointer = global;
    if (HasRun && ScrollDirection() != 0) {
        if (!ScrollTimer->isActive())
            ScrollTimer->start();
    }
    else {
        ScrollTimer->stop();
    }
}

int TShowDistribution::ScrollDirection() const
{
    const int fromTop = Pointer.y() - geometry().top();
    if (fromTop > TopBandStart && fromTop < EdgeBand)
        return -1;
    const QScreen* screen = this->screen();
    const int screenBottom = screen ? screen->geometry().bottom() : geometry().bottom();
    if (screenBottom - Pointer.y() < EdgeBand)
        return 1;
    return 0;
}

void TShowDistribution::ScrollStep()
{
    const int direction = ScrollDirection();
    if (direction == 0) {
        ScrollTimer->stop();
        return;
    }
    QScrollBar* bar = Report->verticalScrollBar();
    bar->setValue(bar->value() + direction * ScrollPixels);
}

} // namespace custodex
