#include "app/MainWindow.h"
#include "app/StartWizard.h"
#include "calendar/CalendarFile.h"
#include "calendar/ui/AboutBox.h"
#include "calendar/ui/ExtendedMessageBox.h"
#include "calendar/ui/Tutorials.h"
#include "entry/ui/FindDialog.h"
#include "platform/MessageBoxPrompter.h"
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
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using namespace custodex;
using namespace custodex::testing;

namespace {

// One run of the program.
struct ProgramRun : ScriptedWindowServices {
    explicit ProgramRun(const TestMachine& machine) : Window(ServicesFor(machine.Paths())) {}
    void Show()
    {
        Window.show();
        QCoreApplication::processEvents();
    }
    void Trigger(const char* action)
    {
        QAction* found = Window.Action(QLatin1String(action));
        ASSERT_NE(found, nullptr) << action;
        found->trigger();
    }
    TQDLMainCalendar Window;
};

TEST(LifecycleFlow, StartMarkSaveExitStartAgainAndOpenFromTheRecentList)
{
    TestMachine machine;
    {
        ProgramRun run(machine);
        run.Show();
        EXPECT_FALSE(run.Window.Action(QStringLiteral("Save"))->isEnabled());
        run.Window.ClientName->setText(QStringLiteral("Jones"));
        run.Window.UserYear->setCurrentText(QStringLiteral("2024"));
        ClickStart(run.Window);
        ASSERT_TRUE(run.Window.Document().HasCalendar());
        EXPECT_TRUE(run.Window.Action(QStringLiteral("Save"))->isEnabled());
        // A mark made through the model (the clicks are covered by the month-view flows).
        run.Window.Document().Days[0].HasOvernight = true;
        run.Window.Document().Days[0].OvernightReason = QStringLiteral("Weekend");
        run.Window.Document().ChangesPending = true;
        run.Window.RefreshWindow();
        run.Trigger("Save");
        EXPECT_FALSE(run.Window.Document().ChangesPending);
        EXPECT_TRUE(QFile::exists(machine.Client(QStringLiteral("Jones.cdb"))));
        EXPECT_TRUE(run.Window.Action(QStringLiteral("Lastfile1"))->isVisible());
        run.Window.close();
    }
    EXPECT_EQ(machine.Ini(), QByteArray("CLIENTDIR=") + machine.Client(QString()).toUtf8() +
                                 "\r\nWIZARD=FALSE\r\nCHKMARK" +
                                 machine.Client(QStringLiteral("Jones.cdb")).toUtf8() + "\r\n");
    {
        ProgramRun run(machine);
        run.Show();
        QAction* recent = run.Window.Action(QStringLiteral("Lastfile1"));
        ASSERT_TRUE(recent->isVisible());
        EXPECT_TRUE(recent->isChecked());
        EXPECT_EQ(recent->text(), machine.Client(QStringLiteral("Jones.cdb")));
        run.Dialogs.Paths = {machine.Client(QStringLiteral("Jones.cdb"))};
        recent->trigger();
        ASSERT_TRUE(run.Window.Document().HasCalendar());
        EXPECT_EQ(run.Dialogs.Requests.back().FileName, QStringLiteral("Jones.cdb"));
        EXPECT_EQ(run.Dialogs.Requests.back().Folder, machine.Client(QString()));
        EXPECT_TRUE(run.Window.Document().Days[0].HasOvernight);
        EXPECT_EQ(run.Window.windowTitle(), QStringLiteral("Calendar File=Jones.cdb"));
        EXPECT_EQ(run.Window.ClientName->text(), QStringLiteral("Jones"));
        EXPECT_FALSE(run.Window.StartBtn->isEnabled());
        EXPECT_EQ(run.Window.MonthYearLbl->text(), QStringLiteral("January    2024"));

        // New with pending changes: No, then Yes to closing without saving.
        run.Window.Document().ChangesPending = true;
        run.Prompts.Expect(QStringLiteral("Save changes to Jones?"), PromptAnswer::No);
        run.Prompts.Expect(
            QStringLiteral("Are you sure you want to close without\n\rsaving changes to Jones?"),
            PromptAnswer::Yes);
        run.Trigger("New");
        EXPECT_FALSE(run.Window.Document().HasCalendar());
        EXPECT_TRUE(run.Window.StartBtn->isEnabled());
        EXPECT_EQ(run.Window.windowTitle(), QStringLiteral("Calendar File=NewClient.cdb"));
        EXPECT_FALSE(run.Window.Action(QStringLiteral("Save"))->isEnabled());
        EXPECT_EQ(run.Window.UserYear->currentText(), QStringLiteral("2026"));
        EXPECT_TRUE(run.Window.ClientName->text().isEmpty());
    }
}

// The window comes back at the size and place it was left, kept beside "Calendar.ini" and not
// in it; a save says where it wrote in the status bar.
TEST(LifecycleFlow, TheWindowComesBackAsItWasLeft)
{
    TestMachine machine;
    QRect left;
    {
        ProgramRun run(machine);
        run.Show();
        run.Window.ClientName->setText(QStringLiteral("Jones"));
        ClickStart(run.Window);
        run.Trigger("Save");
        EXPECT_TRUE(run.Window.statusBar()->currentMessage().startsWith(
            QStringLiteral("Saved Jones.cdb in ")))
            << run.Window.statusBar()->currentMessage().toStdString();
        run.Window.setGeometry(run.Window.geometry().adjusted(7, 9, 57, 39));
        left = run.Window.geometry();
        run.Window.close();
    }
    EXPECT_FALSE(machine.Ini().contains("WIDTH"));
    ProgramRun again(machine);
    again.Show();
    // As it was left, but fitted to the screen: the test screen is narrower than the window
    // was left, and never as high as the window's least height.
    const QRect available = again.Window.screen()->availableGeometry();
    const QRect shown = again.Window.geometry();
    EXPECT_GT(left.width(), available.width());
    EXPECT_GE(shown.left(), available.left());
    EXPECT_LE(shown.right(), available.right());
    EXPECT_EQ(shown.height(), left.height());
}

TEST(LifecycleFlow, ExitWithChangesAsksToSaveAndCanStayOpen)
{
    TestMachine machine;
    ProgramRun run(machine);
    run.Show();
    run.Window.ClientName->setText(QStringLiteral("Smith"));
    ClickStart(run.Window);
    CalendarDay& day = run.Window.Document().Days[10];
    day.HasOvernight = true;
    day.OvernightReason = QStringLiteral("Weekend");
    day.HasDayVisit = true;
    day.DayVisitReason = QStringLiteral("Zoo");
    run.Window.Document().ChangesPending = true;

    const QString notice = BothMarksNotice; // its text is checked in the lifecycle tests
    run.Prompts.Expect(notice, PromptAnswer::Yes);
    EXPECT_FALSE(run.Window.close());
    EXPECT_TRUE(run.Window.isVisible());
    EXPECT_TRUE(run.Window.Document().Days[10].HasDayVisit);

    run.Prompts.Expect(notice, PromptAnswer::No);
    run.Prompts.Expect(QStringLiteral("Save Pending Changes?"), PromptAnswer::Yes);
    run.Dialogs.Paths = {machine.Client(QStringLiteral("Smith"))};
    EXPECT_TRUE(run.Window.close());
    EXPECT_EQ(run.Help.CloseAllCalls, 1);
    CalendarDocument saved;
    ASSERT_TRUE(ReadCalendarFile(saved, machine.Client(QStringLiteral("Smith.cdb"))).Ok);
    EXPECT_TRUE(saved.Days[10].HasDayVisit);
    EXPECT_TRUE(machine.Ini().contains("CHKMARK"));
}

// The program with real message boxes, for what only a real box does: keys, its close button.
struct ProgramWithMessageBoxes : ScriptedWindowServices {
    explicit ProgramWithMessageBoxes(const TestMachine& machine)
        : Window(MainWindowServices{Boxes, Help, Dialogs, Launcher, Colours, Output, Printing,
                                    machine.Paths(), [] {}, [] { return 2026; },
                                    [] { return QStringLiteral("Generated"); }})
    {
    }
    MessageBoxPrompter Boxes;
    TQDLMainCalendar Window;
};

// Escape and the box's close button answer a question only where it has Cancel; a Yes/No
// question waits for Yes or No.
TEST(MessageBoxes, EscapeIsCancelOrNothing)
{
    const struct {
        PromptButtons Buttons;
        bool Escapable;
    } cases[] = {
        {PromptButtons::YesNo, false},
        {PromptButtons::YesNoCancel, true},
        {PromptButtons::YesCancel, true},
        {PromptButtons::OkCancel, true},
        {PromptButtons::YesYesToAllNoCancel, true},
    };
    for (const auto& c : cases) {
        MessageBoxPrompter boxes;
        bool stayed = false;
        auto ran = WhenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, Qt::Key_Escape);
            box->close();
            QCoreApplication::processEvents();
            stayed = box->isVisible();
            if (stayed)
                box->button(QMessageBox::Yes)->click();
        });
        const PromptAnswer answer =
            boxes.Ask(PromptKind::Confirmation, QStringLiteral("Sure?"), c.Buttons);
        ASSERT_TRUE(*ran);
        EXPECT_EQ(stayed, !c.Escapable) << static_cast<int>(c.Buttons);
        EXPECT_EQ(answer, c.Escapable ? PromptAnswer::Cancel : PromptAnswer::Yes)
            << static_cast<int>(c.Buttons);
    }
}

// A short question once showed "Custod... alendar" on its title bar.
TEST(MessageBoxes, AShortQuestionIsWideEnoughForItsTitle)
{
    const QString testName = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Custodex Calendar"));
    MessageBoxPrompter boxes;
    auto ran = WhenModal([&](QWidget* modal) {
        QFont bold = modal->font();
        bold.setBold(true);
        EXPECT_GT(modal->width(), QFontMetrics(bold).horizontalAdvance(modal->windowTitle()) + 100);
        static_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    boxes.Ask(PromptKind::Confirmation, QStringLiteral("Save Pending Changes?"),
              PromptButtons::YesNo);
    QCoreApplication::setApplicationName(testName);
    ASSERT_TRUE(*ran);
}

// Escape at "Save Pending Changes?" used to answer No and quit without saving.
TEST(LifecycleFlow, EscapeAtTheExitQuestionLosesNothing)
{
    TestMachine machine;
    ProgramWithMessageBoxes run(machine);
    run.Window.show();
    run.Window.ClientName->setText(QStringLiteral("Smith"));
    ClickStart(run.Window);
    run.Window.Document().Days[10].HasOvernight = true;
    run.Window.Document().Days[10].OvernightReason = QStringLiteral("Weekend");
    run.Window.Document().ChangesPending = true;

    QString asked;
    bool stayedAfterEscape = false;
    auto ran = WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        asked = box->text();
        QTest::keyClick(box, Qt::Key_Escape);
        box->close();
        QCoreApplication::processEvents();
        stayedAfterEscape = box->isVisible() && run.Window.isVisible();
        box->button(QMessageBox::Yes)->click();
    });
    run.Dialogs.Paths = {machine.Client(QStringLiteral("Smith"))};
    EXPECT_TRUE(run.Window.close());
    ASSERT_TRUE(*ran);
    EXPECT_EQ(asked, QStringLiteral("Save Pending Changes?"));
    EXPECT_TRUE(stayedAfterEscape);
    CalendarDocument saved;
    ASSERT_TRUE(ReadCalendarFile(saved, machine.Client(QStringLiteral("Smith.cdb"))).Ok);
    EXPECT_TRUE(saved.Days[10].HasOvernight);
}

TEST(LifecycleFlow, WizardCreatesACalendarStepByStep)
{
    TestMachine machine(true); // no settings file: the wizard is on
    ProgramRun run(machine);
    std::shared_ptr<bool> preferencesShown;
    auto ran = WhenModal([&](QWidget* modal) {
        auto* wizard = qobject_cast<TTheStartWizard*>(modal);
        ASSERT_NE(wizard, nullptr);
        EXPECT_EQ(wizard->windowTitle(), QStringLiteral("Start Wizard"));
        EXPECT_FALSE(wizard->BackButton->isEnabled());
        QTest::mouseClick(wizard->NextButton, Qt::LeftButton);
        EXPECT_EQ(wizard->Step(), 2);
        EXPECT_EQ(wizard->InfoLabel->text(),
                  QStringLiteral("Step 1.  Enter a meaningful name for your Calendar."));

        wizard->WizardClientName->setText(QStringLiteral("   "));
        run.Prompts.Expect(QStringLiteral("You must enter a client name before you can continue."));
        QTest::mouseClick(wizard->NextButton, Qt::LeftButton);
        wizard->WizardClientName->setText(QStringLiteral("Jones.Smith"));
        run.Prompts.Expect(QStringLiteral(
            "Error!  Please restrict your filename characters to\n\rupper and lower case "
            "letters, numbers, spaces, underscores,\n\rdashes, and apostrophes.\n\r\n\rPlease "
            "try again."));
        QTest::mouseClick(wizard->NextButton, Qt::LeftButton);
        EXPECT_EQ(wizard->Step(), 2);

        wizard->WizardClientName->setText(QStringLiteral("Thorntons_For_Billy"));
        QTest::mouseClick(wizard->NextButton, Qt::LeftButton);
        EXPECT_EQ(run.Window.ClientName->text(), QStringLiteral("Thorntons_For_Billy"));
        QTest::mouseClick(wizard->BackButton,
                          Qt::LeftButton); // back to step 2 empties the main name
        EXPECT_TRUE(run.Window.ClientName->text().isEmpty());
        EXPECT_EQ(wizard->WizardClientName->text(), QStringLiteral("Thorntons_For_Billy"));
        QTest::mouseClick(wizard->NextButton, Qt::LeftButton);
        EXPECT_EQ(wizard->Step(), 3);

        wizard->WizardUserYear->setCurrentText(QStringLiteral("3000"));
        run.Prompts.Expect(
            QStringLiteral("The Calendar year must be greater than 1000\n\rand less than 3000"));
        QTest::mouseClick(wizard->NextButton, Qt::LeftButton);
        wizard->WizardUserYear->setCurrentText(QStringLiteral("2023"));
        QTest::mouseClick(wizard->NextButton, Qt::LeftButton);
        EXPECT_EQ(wizard->Step(), 4);
        wizard->WizardSelUserMonth->setCurrentText(QStringLiteral("September"));
        QTest::mouseClick(wizard->NextButton, Qt::LeftButton);
        EXPECT_EQ(wizard->Step(), 5);
        EXPECT_EQ(wizard->CloseButton->text(), QStringLiteral("&Done"));
        EXPECT_FALSE(wizard->NextButton->isEnabled());
        preferencesShown = AcceptPreferencesWhenShown();
        QTest::mouseClick(wizard->CloseButton, Qt::LeftButton);
    });
    run.Show();
    ASSERT_TRUE(*ran);
    ASSERT_TRUE(preferencesShown && *preferencesShown);
    ASSERT_TRUE(run.Window.Document().HasCalendar());
    EXPECT_EQ(run.Window.Document().StartYear, 2023);
    EXPECT_EQ(run.Window.Document().StartMonthIndex, 8);
    EXPECT_EQ(run.Window.windowTitle(), QStringLiteral("Calendar File=Thorntons_For_Billy"));
}

TEST(LifecycleFlow, WizardOpensAFileOrIsTurnedOff)
{
    TestMachine machine(true);
    {
        CalendarDocument doc;
        doc.ClientName = QStringLiteral("Old");
        doc.UserYear = QStringLiteral("2020");
        BuildSpan(doc, 0, 2020);
        ASSERT_TRUE(WriteCalendarFile(doc, machine.Client(QStringLiteral("Old.cdb")), true).Ok);
    }
    {
        ProgramRun run(machine);
        auto ran = WhenModal([&](QWidget* modal) {
            auto* wizard = qobject_cast<TTheStartWizard*>(modal);
            ASSERT_NE(wizard, nullptr);
            wizard->RadioOld->setChecked(true);
            run.Dialogs.Paths = {QString()}; // cancelled: stays on the first page
            run.Prompts.Expect(QStringLiteral("Request for \"OPEN\" aborted!"));
            QTest::mouseClick(wizard->NextButton, Qt::LeftButton);
            EXPECT_TRUE(wizard->State1Panel->isVisible());
            run.Dialogs.Paths = {machine.Client(QStringLiteral("Old.cdb"))};
            QTest::mouseClick(wizard->NextButton, Qt::LeftButton);
            EXPECT_TRUE(wizard->DonePanel->isVisible());
            EXPECT_EQ(wizard->CloseButton->text(), QStringLiteral("&Done"));
            run.Prompts.Expect(QStringLiteral(
                "You have turned the Startup Wizard off.\n\rThe Startup Wizard will be off "
                "whenever\n\ryou start the Calendar program."));
            wizard->DisableBox->setChecked(true);
            QTest::mouseClick(wizard->CloseButton, Qt::LeftButton);
        });
        run.Show();
        ASSERT_TRUE(*ran);
        EXPECT_EQ(run.Window.Document().ClientName, QStringLiteral("Old"));
        EXPECT_EQ(run.Window.Action(QStringLiteral("UseStartupWizard"))->text(),
                  QStringLiteral("Startup Wizard Off (Toggles)"));
        run.Window.close();
    }
    EXPECT_TRUE(machine.Ini().contains("WIZARD=FALSE"));
}

TEST(LifecycleFlow, FindWalksTheCalendarWithTheMonthViewFollowing)
{
    TestMachine machine;
    ProgramRun run(machine);
    run.Show();
    run.Prompts.Expect(
        QStringLiteral("You must open or create a calendar\n\rbefore you can find items in it."));
    run.Window.FindClick();

    run.Window.ClientName->setText(QStringLiteral("Smith"));
    run.Window.UserYear->setCurrentText(QStringLiteral("2024"));
    run.Window.SelUserMonth->setCurrentText(QStringLiteral("March"));
    ClickStart(run.Window);
    CalendarDocument& doc = run.Window.Document();
    doc.Days[40].HasOvernight = true;
    doc.Days[40].OvernightReason = QStringLiteral("Summer CAMP"); // 10 April 2024
    doc.Days.back().HasDayVisit = true;
    doc.Days.back().DayVisitReason = QStringLiteral("camp ends"); // 28 February 2026
    RecountCounters(doc);

    auto ran = WhenModal([&](QWidget* modal) {
        auto* find = qobject_cast<TFindThings*>(modal);
        ASSERT_NE(find, nullptr);
        find->FindThis->setText(QStringLiteral("camp"));
        QTest::mouseClick(find->FindNowBtn, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!find->IsSearching(), 5000);
        EXPECT_EQ(find->FoundNotFound->text(), QStringLiteral("Found in Overnight:"));
        EXPECT_EQ(find->MonthTextual->text(), QStringLiteral("April 10, 2024"));
        EXPECT_EQ(find->DayText->text(), QStringLiteral("WEDNESDAY"));
        EXPECT_EQ(run.Window.MonthYearLbl->text(), QStringLiteral("April    2024"));
        EXPECT_EQ(find->FindNowBtn->text(), QStringLiteral("Find Next"));
        // The found day is never left under the dialog.
        const QRect found = run.Window.DayOnScreen(40);
        ASSERT_FALSE(found.isEmpty());
        EXPECT_FALSE(find->frameGeometry().intersects(found));

        QTest::mouseClick(find->FindNowBtn, Qt::LeftButton); // Find Next: the last day
        QTRY_VERIFY_WITH_TIMEOUT(!find->IsSearching(), 10000);
        EXPECT_EQ(find->FoundNotFound->text(), QStringLiteral("Found in Day Visit:"));
        EXPECT_EQ(find->MonthTextual->text(), QStringLiteral("February 28, 2026"));
        EXPECT_EQ(run.Window.MonthYearLbl->text(), QStringLiteral("February    2026"));

        run.Prompts.Expect(
            QStringLiteral("Encountered the end of the Calendar.\n\rSearch Calendar again?"),
            PromptAnswer::Yes);
        find->MatchBox->setChecked(true);
        find->FindThis->setText(QStringLiteral("CAMP"));
        QTest::mouseClick(find->FindNowBtn, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!find->IsSearching(), 10000);
        EXPECT_EQ(find->MonthTextual->text(), QStringLiteral("April 10, 2024"));

        find->FindThis->setText(QStringLiteral("nowhere"));
        run.Prompts.Expect(QStringLiteral("String \"nowhere\" not found."));
        QTest::mouseClick(find->FindNowBtn, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!find->IsSearching(), 10000);
        EXPECT_EQ(find->FoundNotFound->text(), QStringLiteral("String Not Found"));
        QTest::mouseClick(find->ExitFindBtn, Qt::LeftButton);
    });
    run.Trigger("Find");
    ASSERT_TRUE(*ran);
}

// Typing while a search runs stops it safely; an empty text searches nothing.
TEST(LifecycleFlow, EditingTheSearchTextStopsARunningSearch)
{
    TestMachine machine;
    ProgramRun run(machine);
    run.Show();
    run.Window.ClientName->setText(QStringLiteral("Smith"));
    run.Window.UserYear->setCurrentText(QStringLiteral("2024"));
    ClickStart(run.Window);
    CalendarDocument& doc = run.Window.Document();
    doc.Days[700].HasOvernight = true;
    doc.Days[700].OvernightReason = QStringLiteral("Camp");
    RecountCounters(doc);

    auto ran = WhenModal([&](QWidget* modal) {
        auto* find = qobject_cast<TFindThings*>(modal);
        ASSERT_NE(find, nullptr);
        find->FindThis->clear();
        run.Prompts.Expect(
            QStringLiteral("Please type the text to search for in \"Search For?\"."));
        QTest::mouseClick(find->FindNowBtn, Qt::LeftButton);
        EXPECT_FALSE(find->IsSearching());

        QTest::keyClicks(find->FindThis, QStringLiteral("Cam"));
        QTest::mouseClick(find->FindNowBtn, Qt::LeftButton);
        ASSERT_TRUE(find->IsSearching());
        QTest::qWait(20);
        QTest::keyClick(find->FindThis, Qt::Key_P);
        EXPECT_FALSE(find->IsSearching());
        QTest::qWait(50); // a step still queued must not run on
        EXPECT_FALSE(find->IsSearching());
        EXPECT_EQ(find->FindNowBtn->text(), QStringLiteral("Search Now"));

        QTest::mouseClick(find->FindNowBtn, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!find->IsSearching(), 10000);
        EXPECT_EQ(find->FoundNotFound->text(), QStringLiteral("Found in Overnight:"));
        QTest::mouseClick(find->ExitFindBtn, Qt::LeftButton);
    });
    run.Trigger("Find");
    ASSERT_TRUE(*ran);
}

// A long or odd path in "Calendar.ini" never pushes the File menu off the screen.
TEST(LifecycleFlow, RecentEntriesAreShownShortened)
{
    TestMachine machine;
    const QString longPath = QStringLiteral("/home/user/") + QString(400, QLatin1Char('x')) +
                             QStringLiteral("/R&D Smith.cdb");
    machine.WriteIni("WIZARD=FALSE\r\nCHKMARK" + longPath.toLatin1() + "\r\n");
    ProgramRun run(machine);
    run.Show();
    QTRY_VERIFY(run.Window.Action(QStringLiteral("Lastfile1"))->isVisible());
    QAction* entry = run.Window.Action(QStringLiteral("Lastfile1"));
    EXPECT_LT(run.Window.fontMetrics().horizontalAdvance(entry->text()), 800);
    EXPECT_TRUE(entry->text().endsWith(QStringLiteral("R&&D Smith.cdb")));
    EXPECT_EQ(entry->toolTip(), longPath);
    EXPECT_TRUE(entry->isChecked());
}

TEST(LifecycleFlow, ScanShowsTheBoxAndConverts)
{
    TestMachine machine;
    ProgramRun run(machine);
    run.Show();
    run.Window.ClientName->setText(QStringLiteral("Smith"));
    ClickStart(run.Window);
    CalendarDocument& doc = run.Window.Document();
    for (int i : {40, 41}) {
        doc.Days[static_cast<std::size_t>(i)].HasOvernight = true;
        doc.Days[static_cast<std::size_t>(i)].OvernightReason = QStringLiteral("Camp");
        doc.Days[static_cast<std::size_t>(i)].OvernightPickup = QStringLiteral("07:00PM");
        doc.Days[static_cast<std::size_t>(i)].OvernightDropoff = QStringLiteral("09:00AM");
    }
    auto ran = WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<TExtendedMsgBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("ExtendedMsgBox"));
        EXPECT_EQ(box->Message2->text(), QStringLiteral("February 10, Reason:  Camp"));
        QTest::mouseClick(box->YesButton, Qt::LeftButton);
    });
    run.Prompts.Expect(QStringLiteral(
        "1 Possible Extended Overnights were\n\rConverted to Definite Extended Overnights."));
    run.Trigger("ScanExtended");
    ASSERT_TRUE(*ran);
    EXPECT_EQ(doc.Days[40].OvernightDropoff, QStringLiteral("<None>"));
    EXPECT_EQ(run.Window.MonthYearLbl->text(), QStringLiteral("February    2026"));
}

TEST(LifecycleFlow, MenusCompanionsTutorialsAndPrintItems)
{
    TestMachine machine;
    QFile(machine.Paths().TutorialsFolder + QStringLiteral("Intro.EXE")).open(QIODevice::WriteOnly);
    ProgramRun run(machine);
    run.Show();
    // A missing list builder is said, not silently skipped.
    run.Prompts.Expect(QStringLiteral("The list builder (custodex-list-builder) is not installed "
                                      "in ") +
                           machine.Paths().ProgramFolder +
                           QStringLiteral(".\n\rInstall Custodex Calendar again to make custom "
                                          "lists."),
                       PromptAnswer::Ok);
    run.Trigger("RunCollato");
    EXPECT_TRUE(run.Launcher.Started.empty());
    QFile(machine.Paths().ProgramFolder + QStringLiteral("custodex-list-builder"))
        .open(QIODevice::WriteOnly);
    // The print items come with a calendar, as the other output items do.
    for (const char* print : {"PrintAllMonths", "PrintCurrentMonth"}) {
        QAction* action = run.Window.Action(QLatin1String(print));
        ASSERT_NE(action, nullptr) << print;
        EXPECT_FALSE(action->isEnabled()) << print;
    }
    run.Trigger("RunCollato");
    run.Trigger("GotoWebsite"); // not installed: nothing starts, nothing is said
    ASSERT_EQ(run.Launcher.Started.size(), 1u);
    EXPECT_EQ(run.Launcher.Started[0].first,
              machine.Paths().ProgramFolder + QStringLiteral("custodex-list-builder"));
    EXPECT_TRUE(run.Launcher.Started[0].second.isEmpty());

    run.Window.ClientName->setText(QStringLiteral("Smith"));
    run.Window.UserYear->setCurrentText(QStringLiteral("2024"));
    ClickStart(run.Window);
    EXPECT_TRUE(run.Window.Action(QStringLiteral("PrintAllMonths"))->isEnabled());
    EXPECT_TRUE(run.Window.Action(QStringLiteral("PrintCurrentMonth"))->isEnabled());
    run.Trigger("CreateCustomList");
    ASSERT_EQ(run.Launcher.Started.size(), 2u);
    EXPECT_EQ(run.Launcher.Started[1].second,
              (QStringList{QStringLiteral("2024"), QStringLiteral("January"),
                           QStringLiteral("Smith"), machine.Client(QString())}));

    auto* overnightLists = run.Window.findChild<QMenu*>(QStringLiteral("OvernightLists"));
    auto* dayVisitLists = run.Window.findChild<QMenu*>(QStringLiteral("DayVisitLists"));
    ASSERT_NE(overnightLists, nullptr);
    emit dayVisitLists->aboutToShow();
    EXPECT_EQ(run.Window.CurrentListKind(), ListKind::DayVisits);
    emit overnightLists->aboutToShow();
    EXPECT_EQ(run.Window.CurrentListKind(), ListKind::Overnights);

    auto ran = WhenModal([&](QWidget* modal) {
        auto* tutorials = qobject_cast<TVTutorials*>(modal);
        ASSERT_NE(tutorials, nullptr);
        EXPECT_EQ(tutorials->TutorialList->currentText(), QStringLiteral("Intro"));
        QTest::mouseClick(tutorials->ViewBtn, Qt::LeftButton);
        run.Prompts.Expect(
            QStringLiteral(
                "Check our website for new tutorials added since this software release:\n\r") +
            ProgramWebSite);
        run.Prompts.Expect(
            QStringLiteral(
                "To make new tutorials permanently available on your system download\n\rthem "
                "to the following directory:\n\r") +
            machine.Paths().TutorialsFolder);
        QTest::mouseClick(tutorials->CloseBtn, Qt::LeftButton);
    });
    run.Trigger("ViewTutorials");
    ASSERT_TRUE(*ran);
    ASSERT_EQ(run.Launcher.Started.size(), 3u);
    EXPECT_EQ(run.Launcher.Started[2].first,
              machine.Paths().TutorialsFolder + QStringLiteral("Intro.EXE"));
}

TEST(LifecycleFlow, AboutBoxOpensTheRevisionHistory)
{
    TestMachine machine;
    ProgramRun run(machine);
    run.Show();
    std::shared_ptr<bool> history;
    auto about = WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<TTheAboutBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->VersionLabel->text(), QStringLiteral("Version 4.10"));
        history = WhenModal([&](QWidget* inner) {
            auto* notes = qobject_cast<TRevisionHistory*>(inner);
            ASSERT_NE(notes, nullptr);
            EXPECT_EQ(notes->windowTitle(), QStringLiteral("The Calendar Revision History"));
            EXPECT_TRUE(notes->Memo->toPlainText().startsWith(QStringLiteral("Version 4.10")));
            notes->accept();
        });
        QTest::mouseClick(box->VersionLabel, Qt::LeftButton);
        box->accept();
    });
    run.Trigger("About");
    ASSERT_TRUE(*about);
    ASSERT_TRUE(history && *history);
}

TEST(ProgramPaths, RepairsTheQualityTimeSampleName)
{
    QTemporaryDir dir;
    QFile(dir.filePath(QStringLiteral("ualityTimeAnalysis.cdb"))).open(QIODevice::WriteOnly);
    RepairQualityTimeSample(dir.path());
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("QualityTimeAnalysis.cdb"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("ualityTimeAnalysis.cdb"))));
}

} // namespace
