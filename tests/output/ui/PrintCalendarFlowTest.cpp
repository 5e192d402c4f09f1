#include "app/MainWindow.h"
#include "output/ui/PrintCalendarDialog.h"
#include "platform/PrintDialog.h"
#include "support/FullDisk.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedServices.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

const QString NoSelection =
    QStringLiteral("Error!  No selection made.  Please\n\rmake a selection and try again.");

class PrintCalendarFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    PrintCalendarFlow() : Window(ServicesFor(Machine.Paths()))
    {
        Window.show();
        QCoreApplication::processEvents();
        QDir(Machine.Root.path()).mkpath(QStringLiteral("pictures"));
        Printing.PdfPath = Machine.Root.filePath(QStringLiteral("printed.pdf"));
    }
    // A calendar from January 2004, so month 15 is March 2005; a weekend stay in January.
    void Start(const QString& client = QStringLiteral("Smith"))
    {
        Window.ClientName->setText(client);
        Window.UserYear->setCurrentText(QStringLiteral("2004"));
        Window.SelUserMonth->setCurrentText(QStringLiteral("January"));
        ClickStart(Window);
    }
    void MarkStay()
    {
        CalendarDay& day = Window.Document().Days[9];
        day.HasOvernight = true;
        day.OvernightReason = QStringLiteral("Weekend");
        RecountCounters(Window.Document());
    }
    std::unique_ptr<TPrintCalendar> Dialog(PrintMode mode = PrintMode::All)
    {
        auto dialog = std::make_unique<TPrintCalendar>(
            Window.Document(),
            PrintCalendarServices{Prompts, Dialogs, Output, Printing,
                                  [] { return QStringLiteral("Generated 12/10/26  3:00:00 AM"); }},
            mode, &Window);
        dialog->show();
        return dialog;
    }
    // The month pages start from a timer after the click; wait until they have run.
    void WaitForMonthPages(TPrintCalendar& dialog)
    {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return !dialog.TwelvePageTimer->isActive() && !dialog.Printing(); }, 5000));
    }
    QString Picture(const QString& name) const
    {
        return Machine.Root.filePath(QStringLiteral("pictures/") + name);
    }
    int PrintedPages() const
    {
        QFile pdf(Printing.PdfPath);
        if (!pdf.open(QIODevice::ReadOnly))
            return 0;
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
        return static_cast<int>(QString::fromLatin1(pdf.readAll()).count(page));
    }

    TestMachine Machine;
    TQDLMainCalendar Window;
    QString Chosen = Picture(QStringLiteral("(Names Auto Generated)"));
};

// Month pages chosen in the dialog reach a real print queue chosen by name: the PDF that the
// cups-pdf queue writes holds them.
TEST_F(PrintCalendarFlow, MonthPagesReachARealPrintQueue)
{
    const QString queue = QStringLiteral("CustodexPDF");
    if (QPrinterInfo::printerInfo(queue).isNull())
        GTEST_SKIP() << "no CustodexPDF print queue here; scripts/print-queue.sh sets one up";
    Start(QStringLiteral("QueueFlow"));
    MarkStay();
    auto dialog = Dialog();
    dialog->TwelvePage->setChecked(true);
    Printing.Answers = {PrintTarget::Printer};
    Printing.Ranges = {{3, 5}};
    Printing.QueueName = queue;
    const QDateTime sent = QDateTime::currentDateTime().addSecs(-2);
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    WaitForMonthPages(*dialog);

    // cups-pdf writes into PDF/ in the home of the user the job ran as, or its spool folder.
    const passwd* user = getpwuid(getuid());
    const QStringList folders{QString::fromLocal8Bit(user ? user->pw_dir : "/root") +
                                  QStringLiteral("/PDF"),
                              QStringLiteral("/var/spool/cups-pdf/ANONYMOUS")};
    QString written;
    const bool arrived = QTest::qWaitFor(
        [&] {
            for (const QString& folder : folders)
                for (const QFileInfo& file :
                     QDir(folder).entryInfoList({QStringLiteral("*QueueFlow*.pdf")}, QDir::Files))
                    if (file.lastModified() >= sent && file.size() > 0)
                        written = file.filePath();
            return !written.isEmpty();
        },
        60000);
    ASSERT_TRUE(arrived) << "no PDF from the queue in "
                         << folders.join(QLatin1Char(' ')).toStdString();
    QTest::qWait(500); // the queue may still be finishing the file
    QFile pdf(written);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    EXPECT_EQ(QString::fromLatin1(pdf.readAll()).count(page), 3) << written.toStdString();
    pdf.close();
    QFile::remove(written);
}

TEST_F(PrintCalendarFlow, MenuChecksComeBeforeTheDialog)
{
    Start(QStringLiteral("No Name"));
    Prompts.Expect(QStringLiteral("No Overnight Stays or Day Visits are marked on your "
                                  "calendar.\n\rDo you really want to print a blank calendar?"),
                   PromptAnswer::No);
    Window.Action(QStringLiteral("PrintAllMonths"))->trigger();

    Prompts.Expect(QStringLiteral("No Overnight Stays or Day Visits are marked on your calendar."
                                  "\n\rDo you really want to print a blank calendar month?"),
                   PromptAnswer::Yes);
    Prompts.Expect(QStringLiteral("Invalid Client name.  Print anyway?"), PromptAnswer::Cancel);
    Window.Action(QStringLiteral("PrintCurrentMonth"))->trigger();

    // Yes to both: the dialog opens with nothing chosen and the empty lists unavailable.
    MarkStay();
    Prompts.Expect(QStringLiteral("Invalid Client name.  Print anyway?"), PromptAnswer::Yes);
    Prompts.Expect(NoSelection);
    auto ran = WhenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<TPrintCalendar*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Printing Calendar"));
        for (QRadioButton* choice :
             {dialog->OnePage, dialog->TwelvePage, dialog->OvrChecked, dialog->DailyChecked})
            EXPECT_FALSE(choice->isChecked()) << choice->objectName().toStdString();
        EXPECT_TRUE(dialog->OvrChecked->isEnabled());
        EXPECT_FALSE(dialog->DailyChecked->isEnabled()); // no day visit marked
        EXPECT_TRUE(dialog->InclHeaders->isChecked());
        EXPECT_TRUE(dialog->InclTrailer->isChecked());
        QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton); // no selection: the error only
        QTest::mouseClick(dialog->CancelBtn, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("PrintAllMonths"))->trigger();
    EXPECT_TRUE(*ran);
    EXPECT_TRUE(Printing.Requests.empty());
}

TEST_F(PrintCalendarFlow, MonthPagesToThePrinterAskBeforeSixOrMore)
{
    Start();
    MarkStay();
    auto dialog = Dialog();
    dialog->TwelvePage->setChecked(true);
    QSignalSpy progress(dialog->PrntProg, &QProgressBar::valueChanged);

    // All 24 pages: the question, and No prints nothing.
    Printing.Answers = {PrintTarget::Printer};
    Prompts.Expect(QStringLiteral("Are you sure you want to send 24 pages to your print device?"),
                   PromptAnswer::No);
    Prompts.Expect(QStringLiteral("Printout aborted at user request."));
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    EXPECT_TRUE(Printing.Requests.empty()) << "the month pages wait for the click to return";
    WaitForMonthPages(*dialog);
    ASSERT_EQ(Printing.Requests.size(), 1u);
    EXPECT_EQ(Printing.Requests[0].JobTitle, QStringLiteral("Calendar Smith"));
    EXPECT_EQ(Printing.Requests[0].FromPage, 1);
    EXPECT_EQ(Printing.Requests[0].ToPage, 24);
    EXPECT_TRUE(Printing.Requests[0].PageRange);
    EXPECT_EQ(PrintedPages(), 0);

    // Six pages are the first to ask.
    Printing.Answers = {PrintTarget::Printer};
    Printing.Ranges = {{1, 6}};
    Prompts.Expect(QStringLiteral("Are you sure you want to send 6 pages to your print device?"),
                   PromptAnswer::No);
    Prompts.Expect(QStringLiteral("Printout aborted at user request."));
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    WaitForMonthPages(*dialog);
    EXPECT_EQ(PrintedPages(), 0);

    // Pages 3 to 7: five pages, no question; the bar grows by a fifth a page.
    Printing.Answers = {PrintTarget::Printer};
    Printing.Ranges = {{3, 7}};
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    WaitForMonthPages(*dialog);
    EXPECT_EQ(PrintedPages(), 5);
    QList<int> values;
    for (const QList<QVariant>& change : progress)
        values << change.at(0).toInt();
    EXPECT_EQ(values, (QList<int>{72, 144, 216, 288, 360}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->PrntProg->value() == 0; }, 3000));
    EXPECT_TRUE(dialog->isVisible()) << "the full dialog stays open for further printouts";

    // Colours that are not the defaults: the colour question, and the calendar keeps its own.
    Window.Document().OvernightColour = 0xFF0000;
    Printing.Answers = {PrintTarget::Printer};
    Printing.Ranges = {{1, 1}};
    Output.ColourAnswers = {false};
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    WaitForMonthPages(*dialog);
    EXPECT_EQ(Output.ColourQuestions, 1);
    EXPECT_EQ(Window.Document().OvernightColour, 0xFF0000);

    // After a PDF, another printout is proposed beside it under its own name.
    dialog->OvrChecked->setChecked(true);
    Printing.Answers = {PrintTarget::Cancelled};
    Prompts.Expect(QStringLiteral("Print canceled by user!"));
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    EXPECT_EQ(Printing.OutputNames.back(),
              Machine.Root.filePath(QStringLiteral("Smith_overnights.pdf")));
    dialog->TwelvePage->setChecked(true);

    // A cancelled printer dialog: nothing at all. To pictures the format comes before the
    // folder: closing it asks for no folder and says nothing.
    Printing.Answers = {PrintTarget::Cancelled, PrintTarget::File};
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    WaitForMonthPages(*dialog);
    Output.Formats = {std::nullopt};
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    WaitForMonthPages(*dialog);
    EXPECT_TRUE(Dialogs.Requests.empty());
    EXPECT_TRUE(dialog->isVisible());

    // A second click before the month pages start is ignored.
    Printing.Answers = {PrintTarget::Cancelled};
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    dialog->OnePage->setChecked(true);
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    WaitForMonthPages(*dialog);
    EXPECT_EQ(Printing.Requests.back().JobTitle, QStringLiteral("Calendar Smith"));
}

TEST_F(PrintCalendarFlow, YearPagesAsJpegPicturesAskBeforeWritingOver)
{
    Start();
    MarkStay();
    auto dialog = Dialog();
    dialog->OnePage->setChecked(true);
    const QString first = Picture(QStringLiteral("Smith_1st OnePageCal.jpg"));
    const QString second = Picture(QStringLiteral("Smith_2nd OnePageCal.jpg"));

    Printing.Answers = {PrintTarget::Cancelled};
    Prompts.Expect(QStringLiteral("Print canceled by user!"));
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    ASSERT_EQ(Printing.Requests.size(), 1u);
    EXPECT_EQ(Printing.Requests[0].JobTitle,
              QStringLiteral("Printing/Saving Single Page Calendars"));
    EXPECT_EQ(Printing.Requests[0].MaxPage, 2);

    Printing.Answers = {PrintTarget::File};
    Dialogs.Paths = {QString()};
    Prompts.Expect(QStringLiteral("Calendar image save aborted by user"));
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);

    // Pictures keep the calendar's own colours (blue: red is the low byte): no colour question.
    Window.Document().OvernightColour = 0xFF0000;
    QSignalSpy progress(dialog->PrntProg, &QProgressBar::valueChanged);
    Printing.Answers = {PrintTarget::File};
    Dialogs.Paths = {Chosen};
    Output.Formats = {ImageFormat::Jpeg};
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    EXPECT_EQ(Dialogs.Requests.back().FileName, QStringLiteral("(Names Auto Generated)"));
    EXPECT_EQ(Window.Document().ClientFolder, Picture(QString()));
    for (const QString& path : {first, second}) {
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), QByteArray("jpeg")) << path.toStdString();
        EXPECT_EQ(reader.size(), QSize(1200, 1575)) << path.toStdString();
    }
    const QImage firstPage(first);
    int blue = 0;
    for (int y = 0; y < firstPage.height(); y += 3)
        for (int x = 0; x < firstPage.width(); x += 3) {
            const QColor pixel = firstPage.pixelColor(x, y);
            blue += pixel.blue() > 200 && pixel.red() < 60 && pixel.green() < 60;
        }
    EXPECT_GT(blue, 100) << "the stay is drawn in the calendar's blue";
    // Each page: 30 a month frame, back to 0, then 30 a month's days.
    ASSERT_EQ(progress.count(), 2 * 25);
    EXPECT_EQ(progress.at(11).at(0).toInt(), 360);
    EXPECT_EQ(progress.at(12).at(0).toInt(), 0);
    EXPECT_EQ(progress.at(24).at(0).toInt(), 360);
    EXPECT_EQ(Output.ColourQuestions, 0);

    // Again: two questions; Yes writes the first over, Cancel keeps the second as it was.
    QFile::resize(first, 10);
    QFile::resize(second, 10);
    Printing.Answers = {PrintTarget::File};
    Dialogs.Paths = {Chosen};
    Output.Formats = {ImageFormat::Jpeg};
    Prompts.Expect(QStringLiteral("File ") + first +
                       QStringLiteral(" already exists!\n\rOverwrite?"),
                   PromptAnswer::Yes);
    Prompts.Expect(QStringLiteral("File ") + second +
                       QStringLiteral(" already exists!\n\rOverwrite?"),
                   PromptAnswer::Cancel);
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    EXPECT_GT(QFileInfo(first).size(), 10);
    EXPECT_EQ(QFileInfo(second).size(), 10);
}

// Saved as pictures on a disk that fills up half-way, with Yes to every question: the pages
// are all new or all old, never page 1 new beside an old page 2.
TEST_F(PrintCalendarFlow, AFullDiskLeavesEveryOldPicture)
{
    Start();
    MarkStay();
    auto dialog = Dialog();
    dialog->OnePage->setChecked(true);
    QDir().mkpath(Picture(QStringLiteral("full")));
    const QString folder = Picture(QStringLiteral("full/"));
    ExpectWrittenAllOrNothing(Picture(QStringLiteral("full")), [&](const QString& failing) {
        Printing.Answers = {PrintTarget::File};
        Dialogs.Paths = {folder + QStringLiteral("(Names Auto Generated)")};
        Output.Formats = {ImageFormat::Bitmap};
        // Asked page by page until a page cannot be written.
        for (const char* page : {"Smith_1st OnePageCal.bmp", "Smith_2nd OnePageCal.bmp"}) {
            const QString path = folder + QLatin1String(page);
            if (QFile::exists(path))
                Prompts.Expect(QStringLiteral("File ") + path +
                                   QStringLiteral(" already exists!\n\rOverwrite?"),
                               PromptAnswer::Yes);
            if (path == failing)
                break;
        }
        if (!failing.isEmpty())
            Prompts.Expect(QStringLiteral("Error!  Could not create file named\n\r") + failing +
                           QStringLiteral("\n\rNo space left on device"));
        const std::size_t seen = Prompts.Seen.size();
        QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
        return Prompts.Seen.size() > seen && Prompts.Seen.back().Kind == PromptKind::Error
                   ? Prompts.Seen.back().Text
                   : QString();
    });
    EXPECT_FALSE(dialog->Printing());
}

TEST_F(PrintCalendarFlow, TheOvernightListAsBitmapsUnderItsNames)
{
    Start();
    MarkStay();
    auto dialog = Dialog();
    dialog->OvrChecked->setChecked(true);
    Printing.Answers = {PrintTarget::File};
    Dialogs.Paths = {Chosen};
    Output.Formats = {ImageFormat::Bitmap};
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    EXPECT_EQ(Printing.Requests.at(0).JobTitle, QStringLiteral("Printing textual Overnights"));
    EXPECT_EQ(Printing.Requests.at(0).MaxPage, 0) << "a list offers no page range";
    QImageReader reader(Picture(QStringLiteral("Smith_01_ONText_0.bmp")));
    EXPECT_EQ(reader.format(), QByteArray("bmp"));
    EXPECT_EQ(reader.read().depth(), 32); // Qt reads a 24-bit bitmap as RGB32
    EXPECT_EQ(dialog->PrntProg->value(), 360);
}

TEST_F(PrintCalendarFlow, APictureThatCannotBeWrittenSaysSoOnceAndStops)
{
    Start();
    MarkStay();
    auto dialog = Dialog();
    dialog->OnePage->setChecked(true);
    // The chosen "folder" is a file: nothing can be written in it.
    const QString blocker = Picture(QStringLiteral("not-a-folder"));
    QFile(blocker).open(QIODevice::WriteOnly);
    Printing.Answers = {PrintTarget::File};
    Dialogs.Paths = {blocker + QStringLiteral("/(Names Auto Generated)")};
    Output.Formats = {ImageFormat::Bitmap};
    Prompts.Expect(QStringLiteral("Error!  Could not create file named\n\r") + blocker +
                   QStringLiteral("/Smith_1st OnePageCal.bmp\n\rIts folder does not exist."));
    QTest::mouseClick(dialog->PrintBtn, Qt::LeftButton);
    EXPECT_FALSE(dialog->Printing());
    EXPECT_TRUE(dialog->PrintBtn->isEnabled());
    EXPECT_TRUE(dialog->CancelBtn->isEnabled());
}

TEST_F(PrintCalendarFlow, CurrentMonthPrintsTheMonthShownAndCloses)
{
    Start();
    MarkStay();
    Window.ShowMonth(15);
    Printing.Answers = {PrintTarget::File};
    Output.Formats = {ImageFormat::Bitmap};
    Dialogs.Paths = {Chosen};
    QString caption;
    auto ran = WhenModal([&](QWidget* modal) {
        caption = modal->windowTitle();
        auto* dialog = qobject_cast<TPrintCalendar*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->TwelvePage->isChecked());
        EXPECT_FALSE(dialog->TwelvePage->isEnabled());
        EXPECT_FALSE(dialog->OnePage->isEnabled());
        EXPECT_FALSE(dialog->PrintBtn->isEnabled()) << "it prints by itself";
    });
    Window.Action(QStringLiteral("PrintCurrentMonth"))->trigger(); // returns once it closed
    EXPECT_TRUE(*ran);
    EXPECT_EQ(caption, QStringLiteral("Printing Current Month = March, 2005"));
    ASSERT_EQ(Printing.Requests.size(), 1u);
    EXPECT_EQ(Printing.Requests[0].FromPage, 15);
    EXPECT_EQ(Printing.Requests[0].ToPage, 15);
    EXPECT_FALSE(Printing.Requests[0].PageRange);
    QImageReader reader(Picture(QStringLiteral("Smith_15_March.bmp")));
    EXPECT_EQ(reader.size(), QSize(1200, 1575));
    EXPECT_EQ(QDir(Picture(QString())).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(Window.statusBar()->currentMessage(),
              QStringLiteral("Wrote 1 picture to ") +
                  QDir::toNativeSeparators(QDir::cleanPath(Picture(QString()))));

    // Cancelling the printer dialog closes it as well: nothing is left waiting off screen.
    Printing.Answers = {PrintTarget::Cancelled};
    Window.Action(QStringLiteral("PrintCurrentMonth"))->trigger();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace

namespace {

// The real print dialog: what it proposes, and its PDF file name set aside for pictures.
TEST(QtPrintDialogFlow, ProposesOnlyChoosableRangesAndKeepsThePdfNameOutOfPictures)
{
    QtPrintDialog printing;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPrintRange(QPrinter::PageRange); // left over from an earlier printout
    printer.setFromTo(3, 7);

    // The current month: no range goes with the printer, so a print server picks nothing out.
    PrintRequest single{
        QStringLiteral("Calendar Smith"), QStringLiteral("Pictures"), 1, 24, 15, 15, false};
    auto ran = WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->printRange(), QAbstractPrintDialog::AllPages);
        EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
        auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        auto* pictures = dialog->findChild<QCheckBox*>(QStringLiteral("PrintToFile"));
        ASSERT_NE(fileName, nullptr);
        ASSERT_NE(pictures, nullptr);
        // With a print queue on the machine the dialog proposes it; the file name belongs to
        // the PDF entry, which is the one this checks.
        if (auto* queues = dialog->findChild<QComboBox*>(QStringLiteral("printers"))) {
            const int pdf = queues->findText(QStringLiteral("Print to File (PDF)"));
            ASSERT_GE(pdf, 0);
            queues->setCurrentIndex(pdf);
        }
        EXPECT_TRUE(fileName->isEnabled());
        pictures->setChecked(true);
        EXPECT_FALSE(fileName->isEnabled()) << "Qt would ask to replace a PDF never written";
        pictures->setChecked(false);
        EXPECT_TRUE(fileName->isEnabled());
        dialog->reject();
    });
    EXPECT_EQ(printing.ChoosePrinter(printer, single, nullptr), PrintTarget::Cancelled);
    EXPECT_TRUE(*ran);
    EXPECT_EQ(ChosenPages(printer, single).First, 15);
    EXPECT_EQ(ChosenPages(printer, single).Last, 15);

    // Month pages: the whole span proposed; a typed range comes back clamped to it.
    PrintRequest months{
        QStringLiteral("Calendar Smith"), QStringLiteral("Pictures"), 1, 24, 1, 24, true};
    ran = WhenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
        EXPECT_EQ(dialog->minPage(), 1);
        EXPECT_EQ(dialog->maxPage(), 24);
        dialog->reject();
    });
    printing.ChoosePrinter(printer, months, nullptr);
    EXPECT_TRUE(*ran);
    EXPECT_EQ(ChosenPages(printer, months).First, 1);
    EXPECT_EQ(ChosenPages(printer, months).Last, 24);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(20, 30);
    EXPECT_EQ(ChosenPages(printer, months).First, 20);
    EXPECT_EQ(ChosenPages(printer, months).Last, 24);
}

} // namespace
