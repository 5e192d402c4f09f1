#include "output/ui/PrintCalendarDialog.h"

#include "calendar/MonthView.h"
#include "calendar/ui/TimeEntryDialog.h"
#include "output/CalendarPrintout.h"
#include "output/ImageFiles.h"
#include "output/PrintColours.h"
#include "platform/FileAccess.h"
#include "platform/FileDialogs.h"
#include "platform/PrintDialog.h"
#include "platform/Prompter.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace custodex {

namespace {

constexpr int ProgressPixels = 360;

const QString PicturesChoice =
    QStringLiteral("Save the pages as pictures (.bmp or .jpg) instead of printing");

QRadioButton* Choice(QWidget* parent, const QString& caption, const char* name)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

// The month label of the main window: "March, 2024".
QString PrintedMonth(const CalendarDocument& doc)
{
    return DisplayMonthNames().at(doc.ShownMonthIndex) + QStringLiteral(", ") +
           QString::number(ShownMonthYear(doc));
}

QString SingleCaption(const CalendarDocument& doc)
{
    return QStringLiteral("Printing Current Month = ") + PrintedMonth(doc);
}

} // namespace

TPrintCalendar::TPrintCalendar(CalendarDocument& doc, PrintCalendarServices services,
                               PrintMode mode, QWidget* parent)
    : QDialog(parent), Doc(doc), Services(std::move(services)), Mode(mode)
{
    setObjectName(QStringLiteral("TPrintCalendar"));
    setWindowTitle(mode == PrintMode::Single ? SingleCaption(doc)
                                             : QStringLiteral("Printing Calendar"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* layout = new QVBoxLayout(this);
    auto* choices = new QGroupBox(QStringLiteral("Select Printout"), this);
    choices->setObjectName(QStringLiteral("PrintoutGroup"));
    auto* grid = new QGridLayout(choices);
    OnePage = Choice(choices, QStringLiteral("One year per page"), "OnePage");
    TwelvePage = Choice(choices, QStringLiteral("One month per page"), "TwelvePage");
    OvrChecked = Choice(choices, QStringLiteral("OverNights (Textual Printout)"), "OvrChecked");
    DailyChecked = Choice(choices, QStringLiteral("DayVisits (Textual Printout)"), "DailyChecked");
    // None of the four is chosen when the dialog opens; the group keeps them exclusive.
    auto* group = new QButtonGroup(this);
    for (QRadioButton* each : {OnePage, TwelvePage, OvrChecked, DailyChecked})
        group->addButton(each);
    auto* brace = new QLabel(QStringLiteral("}"), choices);
    brace->setObjectName(QStringLiteral("Brace"));
    QFont braceFont = brace->font();
    braceFont.setPixelSize(2 * OnePage->sizeHint().height());
    brace->setFont(braceFont);
    InclHeaders = new QCheckBox(QStringLiteral("Include Header Information"), choices);
    InclHeaders->setObjectName(QStringLiteral("InclHeaders"));
    InclHeaders->setChecked(true);
    InclTrailer = new QCheckBox(QStringLiteral("Include Trailer Information"), choices);
    InclTrailer->setObjectName(QStringLiteral("InclTrailer"));
    InclTrailer->setChecked(true);
    grid->addWidget(OnePage, 0, 0);
    grid->addWidget(TwelvePage, 1, 0);
    grid->addWidget(brace, 0, 1, 2, 1, Qt::AlignVCenter);
    grid->addWidget(InclHeaders, 0, 2);
    grid->addWidget(InclTrailer, 1, 2);
    grid->addWidget(OvrChecked, 2, 0, 1, 3);
    grid->addWidget(DailyChecked, 3, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    if (mode == PrintMode::Single) {
        // A title bar may be cut short or not read out; the month printed stays in view here.
        auto* month = new QLabel(QStringLiteral("Month: ") + PrintedMonth(doc), this);
        month->setObjectName(QStringLiteral("MonthPrinted"));
        layout->addWidget(month);
    }
    layout->addWidget(choices);

    auto* progress = new QGroupBox(QStringLiteral("Progress"), this);
    progress->setObjectName(QStringLiteral("ProgressGroup"));
    auto* progressLayout = new QHBoxLayout(progress);
    PrntProg = new QProgressBar(progress);
    PrntProg->setObjectName(QStringLiteral("PrntProg"));
    PrntProg->setRange(0, ProgressPixels);
    PrntProg->setValue(0);
    PrntProg->setTextVisible(false);
    PrntProg->setMinimumWidth(ProgressPixels);
    progressLayout->addWidget(PrntProg);
    layout->addWidget(progress);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    PrintBtn = new QPushButton(QStringLiteral("&Print"), this);
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    PrintBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("&Quit"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    buttons->addWidget(PrintBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    TwelvePageTimer = new QTimer(this);
    TwelvePageTimer->setObjectName(QStringLiteral("TwelvePageTimer"));
    TwelvePageTimer->setInterval(250);
    TwelvePageTimer->setSingleShot(true);
    connect(TwelvePageTimer, &QTimer::timeout, this, [this] { TwelvePageTimerTick(); });
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { reject(); });

    if (mode == PrintMode::All) {
        OvrChecked->setEnabled(Doc.BothYearsCounters.Overnights > 0);
        DailyChecked->setEnabled(Doc.BothYearsCounters.DayVisits > 0);
        OnePage->setFocus(); // the arrow keys then choose, nothing is chosen yet
    }
    else {
        TwelvePage->setChecked(true);
        for (QRadioButton* each : {OnePage, TwelvePage, OvrChecked, DailyChecked})
            each->setEnabled(false);
        PrintBtn->setEnabled(false); // it prints by itself
        FitCaption(this, choices);
    }
}

void TPrintCalendar::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (Mode != PrintMode::Single || Started)
        return;
    Started = true;
    // The current month prints straight away. The dialog stays where it opened, over the
    // calendar: window managers keep windows on the screen, and there it shows the progress.
    TwelvePageTimer->start();
}

void TPrintCalendar::closeEvent(QCloseEvent* event)
{
    if (Running)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TPrintCalendar::reject()
{
    // Escape and the close box wait until the printout has finished.
    if (!Running)
        QDialog::reject();
}

void TPrintCalendar::PrintBtnClick()
{
    // Month pages start from a timer: a second click before it fires would open a second
    // printout inside the first one's printer dialog.
    if (Running || TwelvePageTimer->isActive())
        return;
    if (OnePage->isChecked())
        PrintSinglePages(PrintLayout::YearPages);
    else if (TwelvePage->isChecked())
        TwelvePageTimer->start();
    else if (OvrChecked->isChecked())
        PrintSinglePages(PrintLayout::OvernightList);
    else if (DailyChecked->isChecked())
        PrintSinglePages(PrintLayout::DayVisitList);
    else
        Services.Messages.Ask(
            PromptKind::Error,
            QStringLiteral("Error!  No selection made.  Please\n\rmake a selection and try again."),
            PromptButtons::Ok);
}

void TPrintCalendar::PrintSinglePages(PrintLayout layout)
{
    PrintRequest request;
    request.FileChoice = PicturesChoice;
    switch (layout) {
    case PrintLayout::YearPages:
        request.JobTitle = QStringLiteral("Printing/Saving Single Page Calendars");
        request.MinPage = request.FromPage = 1;
        request.MaxPage = request.ToPage = 2;
        request.PageRange = true;
        break;
    case PrintLayout::OvernightList:
        request.JobTitle = QStringLiteral("Printing textual Overnights");
        break;
    default:
        request.JobTitle = QStringLiteral("Printing textual Daily Visits");
        break;
    }
    ProposePdfName(layout);
    const PrintTarget target = Services.Printing.ChoosePrinter(ThePrinter, request, this);
    if (target == PrintTarget::Cancelled) {
        Services.Messages.Ask(PromptKind::Information, QStringLiteral("Print canceled by user!"),
                              PromptButtons::Ok);
        return;
    }
    const PageSpan pages = ChosenPages(ThePrinter, request);
    std::optional<ImageFormat> pictures;
    MarkColours colours = MarkColoursOf(Doc);
    if (target == PrintTarget::File) {
        if (!ChoosePictureFolder(Doc, Services.Dialogs)) {
            Services.Messages.Ask(PromptKind::Information,
                                  QStringLiteral("Calendar image save aborted by user"),
                                  PromptButtons::Ok);
            return;
        }
        const std::optional<ImageFormat> format = Services.Output.ChooseImageFormat(this);
        if (!format)
            return;
        pictures = *format;
    }
    else if (layout == PrintLayout::YearPages) {
        colours = ColoursForPrinter(Doc, Services.Output, this);
    }

    if (layout == PrintLayout::YearPages) {
        RunPrintout(
            layout, pages.First, pages.Last, pictures, colours, [](int) {},
            [this](int months) { SetProgress(30 * months); });
    }
    else {
        if (RunPrintout(
                layout, 1, 0, pictures, colours, [](int) {}, [](int) {}))
            SetProgress(ProgressPixels);
    }
    Finished();
}

void TPrintCalendar::TwelvePageTimerTick()
{
    TwelvePageTimer->stop();
    if (Running)
        return;
    // A current-month printout that ends without printing closes its dialog too: there is
    // nothing else it could do.
    const auto giveUp = [this] {
        if (Mode == PrintMode::Single)
            QTimer::singleShot(100, this, [this] { accept(); });
    };
    PrintRequest request;
    request.JobTitle = QStringLiteral("Calendar ") + Doc.ClientName;
    request.FileChoice = PicturesChoice;
    request.MinPage = 1;
    request.MaxPage = MonthsInSpan;
    if (Mode == PrintMode::Single) {
        request.FromPage = request.ToPage = std::clamp(Doc.ShownMonthNumber, 1, MonthsInSpan);
        request.PageRange = false;
    }
    else {
        request.FromPage = 1;
        request.ToPage = MonthsInSpan;
        request.PageRange = true;
    }
    ProposePdfName(PrintLayout::MonthPages);
    const PrintTarget target = Services.Printing.ChoosePrinter(ThePrinter, request, this);
    if (target == PrintTarget::Cancelled)
        return giveUp();
    const PageSpan pages = ChosenPages(ThePrinter, request);
    const int count = pages.Last - pages.First + 1;

    std::optional<ImageFormat> pictures;
    MarkColours colours = MarkColoursOf(Doc);
    if (target == PrintTarget::File) {
        const std::optional<ImageFormat> format = Services.Output.ChooseImageFormat(this);
        if (!format || !ChoosePictureFolder(Doc, Services.Dialogs))
            return giveUp();
        pictures = *format;
    }
    else {
        if (count >= 6 && Services.Messages.Ask(PromptKind::Confirmation,
                                                QStringLiteral("Are you sure you want to send ") +
                                                    QString::number(count) +
                                                    QStringLiteral(" pages to your print device?"),
                                                PromptButtons::YesNo) != PromptAnswer::Yes) {
            Services.Messages.Ask(PromptKind::Information,
                                  QStringLiteral("Printout aborted at user request."),
                                  PromptButtons::Ok);
            return giveUp();
        }
        colours = ColoursForPrinter(Doc, Services.Output, this);
    }

    RunPrintout(
        PrintLayout::MonthPages, pages.First, pages.Last, pictures, colours,
        [this, &pages, count](int page) {
            SetProgress(ProgressPixels * (page - pages.First + 1) / count);
        },
        [](int) {});
    if (Mode == PrintMode::Single)
        QTimer::singleShot(100, this, [this] { accept(); });
    else
        Finished();
}

bool TPrintCalendar::RunPrintout(PrintLayout layout, int first, int last,
                                 std::optional<ImageFormat> pictures, const MarkColours& colours,
                                 const std::function<void(int)>& pageDone,
                                 const std::function<void(int)>& monthsDone)
{
    SetRunning(true);
    // Whatever happens while drawing, the dialog can be used and closed again afterwards.
    struct RunningScope {
        TPrintCalendar* Dialog;
        ~RunningScope() { Dialog->SetRunning(false); }
    } running{this};
    CalendarPrintout printout({Doc,
                               colours,
                               Services.Generated ? Services.Generated() : GeneratedNow(),
                               layout,
                               first,
                               last,
                               {InclHeaders->isChecked(), InclTrailer->isChecked()},
                               ThePrinter.pageLayout().orientation() == QPageLayout::Landscape});
    printout.PageDone = pageDone;
    printout.MonthsDone = monthsDone;
    if (pictures) {
        const PrintoutPictures format =
            *pictures == ImageFormat::Bitmap ? PrintoutPictures::Bitmap : PrintoutPictures::Jpeg;
        // Every page's file is checked before the first is written, so a page that can never
        // be written (a folder in its place, a name too long) stops the printout before it
        // replaces anything.
        const PrintoutTargetCheck check = printout.CheckTargets(
            printout.PicturePaths(Doc.ClientFolder, format), ExistingFiles::AskEach);
        if (check.Problem != PrintoutTargetCheck::Fine) {
            Services.Messages.Ask(PromptKind::Error, WriteRefusalMessage(check.Error, check.Path),
                                  PromptButtons::Ok);
            return false;
        }
        // Asked before writing over a file; No leaves that page out, the printout goes on.
        printout.KeepPage = [this](const QString& path) {
            return Services.Messages.Ask(PromptKind::Confirmation,
                                         QStringLiteral("File ") + path +
                                             QStringLiteral(" already exists!\n\rOverwrite?"),
                                         PromptButtons::YesCancel) == PromptAnswer::Yes;
        };
        // The pages are put in place together once the last is complete: a full disk or a
        // refusal half-way leaves every old picture as it was.
        FileSetWriter files;
        PicturesWritten = 0;
        if (!printout.WritePictures(files, Doc.ClientFolder, format, ExistingFiles::AskEach)) {
            Words.clear();
            if (files.Error() != FileWriteError::None)
                Services.Messages.Ask(PromptKind::Error,
                                      WriteRefusalMessage(files.Error(), files.FailedPath()),
                                      PromptButtons::Ok);
            return false;
        }
        PicturesWritten = static_cast<int>(files.Paths().size());
        Words =
            QStringLiteral("Wrote %1 %2 to %3")
                .arg(PicturesWritten)
                .arg(PicturesWritten == 1 ? QStringLiteral("picture") : QStringLiteral("pictures"))
                .arg(QDir::toNativeSeparators(QDir::cleanPath(Doc.ClientFolder)));
    }
    else {
        ThePrinter.setDocName(QStringLiteral("Calendar ") + Doc.ClientName);
        UsePrintoutResolution(ThePrinter);
        int pages = 0;
        if (!printout.DrawOn(ThePrinter, pages)) {
            Services.Messages.Ask(PromptKind::Error,
                                  QStringLiteral("Error!  Printing could not start on ") +
                                      (ThePrinter.outputFileName().isEmpty()
                                           ? ThePrinter.printerName()
                                           : ThePrinter.outputFileName()) +
                                      QStringLiteral(".\n\rNothing was printed."),
                                  PromptButtons::Ok);
            return false;
        }
        Words = QStringLiteral("Wrote %1 %2 to %3")
                    .arg(pages)
                    .arg(pages == 1 ? QStringLiteral("page") : QStringLiteral("pages"))
                    .arg(ThePrinter.outputFileName().isEmpty()
                             ? ThePrinter.printerName()
                             : QDir::toNativeSeparators(ThePrinter.outputFileName()));
    }
    return true;
}

void TPrintCalendar::ProposePdfName(PrintLayout layout)
{
    // Once a printout went to a PDF file, the next one is proposed in the same folder under a
    // name of its own, as the companion names them, not over the last printout's file.
    if (ThePrinter.outputFormat() != QPrinter::PdfFormat || ThePrinter.outputFileName().isEmpty())
        return;
    ThePrinter.setOutputFileName(QFileInfo(ThePrinter.outputFileName()).absolutePath() +
                                 QLatin1Char('/') + CalendarPdfFileName(Doc, layout));
}

void TPrintCalendar::SetProgress(int pixels)
{
    PrntProg->setValue(std::clamp(pixels, 0, ProgressPixels));
    // The work runs inside a click or a timer tick: let the bar be painted as it grows.
    PrntProg->repaint();
    QCoreApplication::processEvents();
}

void TPrintCalendar::Finished()
{
    QTimer::singleShot(1000, this, [this] {
        if (!Running)
            PrntProg->setValue(0);
    });
}

void TPrintCalendar::SetRunning(bool running)
{
    Running = running;
    // Clicks during the work are dropped rather than queued for afterwards.
    PrintBtn->setEnabled(!running && Mode == PrintMode::All);
    CancelBtn->setEnabled(!running);
    // The choices keep their own enabled state underneath.
    findChild<QGroupBox*>(QStringLiteral("PrintoutGroup"))->setEnabled(!running);
}

} // namespace custodex
