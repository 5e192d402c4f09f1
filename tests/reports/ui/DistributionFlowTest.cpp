#include "app/MainWindow.h"
#include "cli/DistributionCliFixture.h"
#include "reports/DistributionReport.h"
#include "reports/ui/DistributionErrorsWindow.h"
#include "reports/ui/DistributionReportCommand.h"
#include "reports/ui/DistributionReportWindow.h"
#include "support/FullDisk.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedOutputPrompts.h"
#include "support/ScriptedPrintDialog.h"
#include "support/ScriptedServices.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace custodex;
using namespace custodex::testing;
using custodex::distribution_test::FileBytes;
using custodex::distribution_test::T;

namespace {

int PdfPages(const QString& path)
{
    return static_cast<int>(
        QString::fromLatin1(FileBytes(path)).count(QRegularExpression(T("/Type\\s*/Page[^s]"))));
}

const QString Canceled = T("Hourly Distribution Report canceled by user.");
const QString Clean =
    T("Congratulations!  The hourly distribution\n\rreport has not found any warnings or errors.");
const QString Problems = T("The Hourly Distribution Report has found errors and/or "
                           "warnings.\n\rWould you like to view these messages now?");
const QString Accuracy =
    T("NOTE:  Actual times in hours and minutes will only be accurate when ALL warnings and "
      "errors have been eliminated.\n\r\n\rNOTE:  ANY warnings or errors will potentially cause "
      "Care Time and Quality Time Calculations to be in error");

// The report window on a calendar from March 2024 with one Friday overnight with both times,
// driven with scripted services.
class DistributionWindowFlow : public ::testing::Test {
protected:
    DistributionWindowFlow()
    {
        Doc.ClientName = T("Smith");
        BuildSpan(Doc, 2, 2024);
        Doc.ClientFolder = Dir.path() + QLatin1Char('/');
        Mark(Day(1, 1), T("06:00PM"), T("09:00AM"));
        Doc.DistributionStale = true;
        Doc.ChangesPending = false;
        Printing.PdfPath = Dir.filePath(T("report.pdf"));
    }

    CalendarDay& Day(int monthNumber, int dayOfMonth)
    {
        const MonthTableEntry& month = Doc.MonthTable.at(static_cast<std::size_t>(monthNumber - 1));
        return Doc.Days.at(static_cast<std::size_t>(month.FirstDay + dayOfMonth - 1));
    }

    static void Mark(CalendarDay& day, const QString& pickup, const QString& dropoff)
    {
        day.HasOvernight = true;
        day.OvernightReason = T("Weekend");
        day.OvernightPickup = pickup;
        day.OvernightDropoff = dropoff;
    }

    // A Saturday dinner visit without its dropoff: one "DV Error" line.
    void AddProblem()
    {
        CalendarDay& saturday = Day(1, 2);
        saturday.HasDayVisit = true;
        saturday.DayVisitReason = T("Dinner");
        saturday.DayVisitStart = T("05:00PM");
    }

    std::unique_ptr<TShowDistribution> MakeWindow(bool withSleepAndNap = true)
    {
        return std::make_unique<TShowDistribution>(
            Doc,
            DistributionWindowServices{Prompts, Help, Dialogs, Output, Printing,
                                       [] { return T("Generated 12/10/26  3:00:00 AM"); },
                                       [this] {
                                           ++PreferencesShown;
                                           Doc.OvernightHours = T("13:15");
                                           Doc.OvernightMinutes = 795;
                                       }},
            withSleepAndNap);
    }

    // Shows the window modally and runs `act` on it while it is up.
    void Drive(TShowDistribution& window, const std::function<void(TShowDistribution&)>& act)
    {
        auto ran = WhenModal([&](QWidget* modal) {
            ASSERT_EQ(modal, &window);
            act(window);
            if (window.isVisible())
                window.close();
        });
        window.exec();
        ASSERT_TRUE(*ran);
    }

    static void Run(TShowDistribution& window) { QTest::mouseClick(window.RunBtn, Qt::LeftButton); }

    QTemporaryDir Dir;
    CalendarDocument Doc;
    ScriptedPrompter Prompts;
    RecordingHelp Help;
    ScriptedFileDialogs Dialogs;
    ScriptedOutputPrompts Output;
    ScriptedPrintDialog Printing;
    int PreferencesShown = 0;
};

TEST_F(DistributionWindowFlow, ClosingWithoutARunChangesNothing)
{
    auto window = MakeWindow();
    EXPECT_EQ(window->OvernightHours->text(), T("24:00"));
    EXPECT_EQ(window->SleepTime->text(), T("08:00"));
    EXPECT_EQ(window->DayVisitHours->text(), T("12:00"));
    EXPECT_EQ(window->NapTime->text(), T("00:00"));
    EXPECT_FALSE(window->FileMenu->isEnabled());
    Prompts.Expect(Canceled);
    Drive(*window, [](TShowDistribution& w) { w.CloseItem->trigger(); });
    EXPECT_TRUE(Doc.DistributionStale);
    EXPECT_FALSE(Doc.ChangesPending);
    EXPECT_EQ(Doc.QTotOvernights, 0);
    EXPECT_EQ(Prompts.Seen.size(), 1u);
    EXPECT_EQ(Prompts.Seen[0].Kind, PromptKind::Information);
}

// A click on the window's surface closes it before the run too, as after it.
TEST_F(DistributionWindowFlow, AClickBeforeTheRunClosesTheWindow)
{
    auto window = MakeWindow();
    Prompts.Expect(Canceled);
    bool closedByClick = false;
    Drive(*window, [&](TShowDistribution& w) {
        QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(2, w.height() - 2));
        closedByClick = !w.isVisible();
    });
    EXPECT_TRUE(closedByClick);
    EXPECT_TRUE(Doc.DistributionStale);
}

TEST_F(DistributionWindowFlow, ChangeAssumptionsRefreshesTheFieldsAndHelpOpensItsTopic)
{
    auto window = MakeWindow();
    QTest::mouseClick(window->ChangeAssumptions, Qt::LeftButton);
    EXPECT_EQ(PreferencesShown, 1);
    EXPECT_EQ(window->OvernightHours->text(), T("13:15"));
    window->HelpItem->trigger();
    ASSERT_EQ(Help.Shown.size(), 1u);
    EXPECT_EQ(Help.Shown[0].second, T("html/cale46t0.htm"));
    EXPECT_EQ(Help.Shown[0].first, window.get());

    // From the care time report the sleep and nap rows are not shown.
    auto care = MakeWindow(false);
    EXPECT_TRUE(care->SleepTime->isHidden());
    EXPECT_TRUE(care->NapTime->isHidden());
    EXPECT_TRUE(care->SleepTimeLabel->isHidden());
    EXPECT_TRUE(care->NapTimeLabel->isHidden());
    EXPECT_FALSE(care->OvernightHours->isHidden());
}

TEST_F(DistributionWindowFlow, ACleanRunFillsTheScreenAndCongratulates)
{
    auto window = MakeWindow();
    Prompts.Expect(Clean);
    Drive(*window, [](TShowDistribution& w) {
        Run(w);
        const QRect screen = w.screen()->geometry();
        EXPECT_EQ(w.geometry().topLeft(), screen.topLeft());
        EXPECT_EQ(w.width(), screen.width());
        EXPECT_TRUE(w.AssumptionsGroupBox->isHidden());
        EXPECT_TRUE(w.RunBtn->isHidden());
        EXPECT_TRUE(w.FileMenu->isEnabled());
        EXPECT_TRUE(w.ReportRun());
        // W × 176 lines of the report font.
        const QImage& picture = w.Picture();
        EXPECT_EQ(picture.width(), w.Report->viewport()->width());
        EXPECT_EQ(picture.height() % DistributionScreenLines, 0);
        EXPECT_GT(picture.height(), 2 * w.Report->viewport()->height());
        EXPECT_EQ(w.Report->verticalScrollBar()->value(), 0);
        // The stored totals are there at once; the flags wait for the close.
        EXPECT_EQ(w.Result().QTotOvernights, 1);
    });
    EXPECT_EQ(Doc.QTotOvernights, 1);
    EXPECT_EQ(Doc.QTotOvernightMinutes, 900);
    EXPECT_FALSE(Doc.DistributionStale);
    EXPECT_FALSE(Doc.DistributionHadErrors);
    EXPECT_TRUE(Doc.ChangesPending);
}

TEST_F(DistributionWindowFlow, ProblemsOfferTheErrorsWindowThenTheNote)
{
    AddProblem();
    for (const PromptAnswer answer : {PromptAnswer::Yes, PromptAnswer::No}) {
        Doc.DistributionStale = true;
        auto window = MakeWindow();
        Prompts.Expect(Problems, answer);
        Prompts.Expect(Accuracy);
        bool listShown = false;
        Drive(*window, [&](TShowDistribution& w) {
            Run(w);
            if (answer == PromptAnswer::Yes)
                WhenModal([&](QWidget* modal) {
                    auto* errors = qobject_cast<TShowErrors*>(modal);
                    ASSERT_NE(errors, nullptr);
                    EXPECT_EQ(errors->windowTitle(),
                              T("Hourly Distribution Report Errors and Warnings"));
                    const QStringList& messages = w.Result().DistributionMessages;
                    ASSERT_EQ(errors->ErrorList->count(), messages.size());
                    EXPECT_EQ(errors->ErrorList->item(0)->text(), T("Legend"));
                    EXPECT_TRUE(errors->ErrorList->item(messages.size() - 1)
                                    ->text()
                                    .startsWith(T("DV Error - SATURDAY March 2 2024")));
                    listShown = true;
                    QTest::mouseClick(errors->CloseBtn, Qt::LeftButton);
                    EXPECT_EQ(errors->ErrorList->count(), 0);
                });
        });
        EXPECT_EQ(listShown, answer == PromptAnswer::Yes);
        EXPECT_TRUE(Doc.DistributionHadErrors);
        EXPECT_FALSE(Doc.DistributionStale);
        ASSERT_GE(Prompts.Seen.size(), 2u);
        EXPECT_EQ(Prompts.Seen[Prompts.Seen.size() - 2].Kind, PromptKind::Confirmation);
        EXPECT_EQ(Prompts.Seen[Prompts.Seen.size() - 2].Buttons, PromptButtons::YesNo);
    }
}

TEST_F(DistributionWindowFlow, PrintsTwoPortraitPagesOnThePrinter)
{
    auto window = MakeWindow();
    Printing.Answers = {PrintTarget::Cancelled, PrintTarget::Printer};
    Prompts.Expect(Clean);
    Drive(*window, [](TShowDistribution& w) {
        Run(w);
        w.PrintReport->trigger(); // cancelled: nothing
        w.PrintReport->trigger();
    });
    ASSERT_EQ(Printing.Orientations.size(), 2u);
    EXPECT_EQ(Printing.Orientations[1], QPageLayout::Portrait);
    EXPECT_EQ(PdfPages(Printing.PdfPath), 2);
    EXPECT_TRUE(Printing.Requests[1].JobTitle.contains(T("Smith")));
}

TEST_F(DistributionWindowFlow, PrintToFileSavesTwoPicturesNamedAfterTheClient)
{
    struct Case {
        ImageFormat Format;
        const char* Suffix;
    };
    for (const Case& c : {Case{ImageFormat::Bitmap, ".bmp"}, Case{ImageFormat::Jpeg, ".jpg"}}) {
        QTemporaryDir chosen;
        const QString folder = chosen.path() + QLatin1Char('/');
        auto window = MakeWindow();
        Printing.Answers = {PrintTarget::File};
        Dialogs.Paths = {folder + T("(Names Auto Generated)")};
        Output.Formats = {c.Format};
        const QString first = folder + T("Smith_01_DistRpt") + QLatin1String(c.Suffix);
        const QString second = folder + T("Smith_02_DistRpt") + QLatin1String(c.Suffix);
        Prompts.Expect(T("The Hourly Distribution report has been saved as files:\n\r") + first +
                       T("\n\r") + second);
        Prompts.Expect(Clean);
        Doc.DistributionStale = true;
        Drive(*window, [](TShowDistribution& w) {
            Run(w);
            w.PrintReport->trigger();
        });
        ASSERT_EQ(Dialogs.Requests.size(), 1u);
        EXPECT_EQ(Dialogs.Requests[0].FileName, T("(Names Auto Generated)"));
        EXPECT_EQ(Dialogs.Requests[0].Folder, Dir.path() + QLatin1Char('/'));
        Dialogs.Requests.clear();
        EXPECT_EQ(Doc.ClientFolder, folder); // the chosen folder becomes the calendar's
        Doc.ClientFolder = Dir.path() + QLatin1Char('/');
        for (const QString& path : {first, second}) {
            const QImage picture(path);
            EXPECT_EQ(picture.size(), QSize(1200, 1575)) << path.toStdString();
        }
        EXPECT_FALSE(QFile::exists(folder + T("(Names Auto Generated)")));
        if (c.Format == ImageFormat::Bitmap) {
            const QByteArray header = FileBytes(first).left(30);
            EXPECT_EQ(header.left(2), QByteArray("BM"));
            EXPECT_EQ(static_cast<int>(header.at(28)), 8); // bits per pixel
        }
        else {
            EXPECT_TRUE(FileBytes(first).startsWith(QByteArray("\xFF\xD8\xFF")));
        }
    }
}

TEST_F(DistributionWindowFlow, CancelledSaveOrFormatWritesNothingAndClaimsNothing)
{
    auto window = MakeWindow();
    Printing.Answers = {PrintTarget::File, PrintTarget::File};
    Dialogs.Paths = {QString(), Dir.filePath(T("(Names Auto Generated)"))};
    Output.Formats = {std::nullopt};
    Prompts.Expect(Clean);
    Drive(*window, [](TShowDistribution& w) {
        Run(w);
        w.PrintReport->trigger(); // the save dialog cancelled: no format question
        w.PrintReport->trigger(); // the format dialog closed without OK
    });
    EXPECT_EQ(Output.FormatQuestions, 1);
    EXPECT_TRUE(QDir(Dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(Prompts.Seen.size(), 1u); // only the closing message
}

TEST_F(DistributionWindowFlow, APictureThatCannotBeWrittenIsReportedNotClaimed)
{
    // A folder where the first picture should go: no file can replace it.
    const QString blocked = Dir.filePath(T("Smith_01_DistRpt.bmp"));
    ASSERT_TRUE(QDir().mkpath(blocked));
    auto window = MakeWindow();
    Printing.Answers = {PrintTarget::File};
    Dialogs.Paths = {Dir.filePath(T("(Names Auto Generated)"))};
    Output.Formats = {ImageFormat::Bitmap};
    Prompts.Expect(T("Error!  Could not create file named\n\r") + blocked +
                   T("\n\rIt is a folder, not a file."));
    Prompts.Expect(Clean);
    Drive(*window, [](TShowDistribution& w) {
        Run(w);
        w.PrintReport->trigger();
    });
    EXPECT_EQ(Prompts.Seen[0].Kind, PromptKind::Error);
    EXPECT_FALSE(QFile::exists(Dir.filePath(T("Smith_02_DistRpt.bmp"))));
}

// Both pages on a disk that fills up half-way: both new or both old (page 1 used to be left
// new beside an old page 2).
TEST_F(DistributionWindowFlow, AFullDiskLeavesBothOldPictures)
{
    QTemporaryDir chosen;
    const QString folder = chosen.path() + QLatin1Char('/');
    ExpectWrittenAllOrNothing(chosen.path(), [&](const QString& failing) {
        auto window = MakeWindow();
        Printing.Answers = {PrintTarget::File};
        Dialogs.Paths = {folder + T("(Names Auto Generated)")};
        Output.Formats = {ImageFormat::Bitmap};
        Prompts.Expect(failing.isEmpty()
                           ? T("The Hourly Distribution report has been saved as files:\n\r") +
                                 folder + T("Smith_01_DistRpt.bmp\n\r") + folder +
                                 T("Smith_02_DistRpt.bmp")
                           : T("Error!  Could not create file named\n\r") + failing +
                                 T("\n\rNo space left on device"));
        Prompts.Expect(Clean);
        Doc.DistributionStale = true;
        Drive(*window, [](TShowDistribution& w) {
            Run(w);
            w.PrintReport->trigger();
        });
        Doc.ClientFolder = Dir.path() + QLatin1Char('/');
        const RecordedPrompt shown = Prompts.Seen.at(Prompts.Seen.size() - 2);
        return shown.Kind == PromptKind::Error ? shown.Text : QString();
    });
}

TEST_F(DistributionWindowFlow, ErrorsWindowPrintsAndSavesTheLog)
{
    AddProblem();
    const QString log = Dir.filePath(T("Smith_DistRpt.log"));
    const QString nowhere = Dir.filePath(T("missing/Smith_DistRpt.log"));
    auto window = MakeWindow();
    Printing.Answers = {PrintTarget::Printer, PrintTarget::File, PrintTarget::File};
    Dialogs.Paths = {log, nowhere};
    Prompts.Expect(Problems, PromptAnswer::Yes);
    Prompts.Expect(T("Hourly Distribution Errors have been saved to file\n\r") + log);
    Prompts.Expect(T("Unable to save error log file as\n\r") + nowhere);
    Prompts.Expect(Accuracy);
    QStringList shown;
    Drive(*window, [&](TShowDistribution& w) {
        Run(w);
        WhenModal([&](QWidget* modal) {
            auto* errors = qobject_cast<TShowErrors*>(modal);
            ASSERT_NE(errors, nullptr);
            errors->PrintItem->trigger(); // on paper
            errors->PrintItem->trigger(); // the log file
            errors->PrintItem->trigger(); // a folder that does not exist
            EXPECT_EQ(errors->ErrorList->count(), w.Result().DistributionMessages.size());
            shown = w.Result().DistributionMessages;
            errors->CloseItem->trigger();
        });
    });
    EXPECT_EQ(PdfPages(Printing.PdfPath), 1);
    ASSERT_EQ(Dialogs.Requests.size(), 2u);
    const FileDialogRequest& request = Dialogs.Requests[0];
    EXPECT_EQ(request.Title, T("Save Distribution Report Error Log File"));
    EXPECT_EQ(request.Folder, Dir.path() + QLatin1Char('/'));
    EXPECT_EQ(request.FileName, T("Smith_DistRpt.log"));
    EXPECT_EQ(request.Filter, T("Logfile (*.log)"));
    EXPECT_TRUE(request.ConfirmOverwrite);
    EXPECT_EQ(FileBytes(log), (shown.join(T("\r\n")) + T("\r\n")).toLatin1());
    EXPECT_EQ(Prompts.Seen[2].Kind, PromptKind::Error);
}

TEST_F(DistributionWindowFlow, PointerNearTheEdgesScrollsAndAClickCloses)
{
    auto window = MakeWindow();
    Prompts.Expect(Clean);
    Drive(*window, [](TShowDistribution& w) {
        Run(w);
        QScrollBar* bar = w.Report->verticalScrollBar();
        // Distances from the window's top, or from the screen's bottom when negative.
        for (const auto& [distance, direction] :
             std::vector<std::pair<int, int>>{{50, -1}, {10, 0}, {100, 0}, {-50, 1}, {300, 0}}) {
            const int top = w.geometry().top();
            const int y =
                distance >= 0 ? top + distance : w.screen()->geometry().bottom() + distance;
            bar->setValue(200);
            w.PointerAt(QPoint(w.geometry().center().x(), y));
            EXPECT_EQ(w.ScrollTimer->isActive(), direction != 0) << distance;
            QTest::qWait(250);
            const int moved = bar->value() - 200;
            if (direction == 0) {
                EXPECT_EQ(moved, 0) << distance;
            }
            else {
                EXPECT_TRUE(moved * direction >= 20 && moved % 20 == 0) << distance << " " << moved;
            }
        }
        QTest::mouseClick(w.Report->viewport(), Qt::LeftButton, {}, QPoint(200, 200));
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_FALSE(Doc.DistributionStale);
}

// Through the main window's menu.
class DistributionMenuFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    DistributionMenuFlow() : Window(ServicesFor(Machine.Paths())) { Window.show(); }
    TestMachine Machine;
    TQDLMainCalendar Window;
};

TEST_F(DistributionMenuFlow, RefusedWithoutACalendarOpenedWithOne)
{
    QAction* item = Window.Action(T("HourlyDistribution"));
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isEnabled());
    Prompts.Expect(T("Please create a calendar before showing a distribution report."));
    RunDistributionReport(Window);
    EXPECT_EQ(Prompts.Seen.back().Kind, PromptKind::Error);

    Window.ClientName->setText(T("Jones"));
    ClickStart(Window);
    EXPECT_TRUE(item->isEnabled());
    Prompts.Expect(Canceled);
    auto shown = WhenModal([](QWidget* modal) {
        auto* report = qobject_cast<TShowDistribution*>(modal);
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(report->windowTitle(), T("Hourly Distribution Report"));
        report->CloseItem->trigger();
    });
    item->trigger();
    ASSERT_TRUE(*shown);
    // Made for each use and freed afterwards.
    EXPECT_EQ(Window.findChild<TShowDistribution*>(), nullptr);
    EXPECT_TRUE(Window.Document().DistributionStale);
}

} // namespace
