#include "app/MainWindow.h"
#include "calendar/CalendarFile.h"
#include "cli/CliRun.h"
#include "patterns/ui/BulkDialogParts.h"
#include "patterns/ui/SchedulePicture.h"
#include "patterns/ui/StandardScheduleDialog.h"
#include "platform/MessageBoxPrompter.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedServices.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace custodex;
using namespace custodex::testing;
using custodex::cli_test::CliRun;
using custodex::cli_test::RunCommand;

namespace {

const QString LaborQuestion = QStringLiteral(
    "FRIDAY, September 5  is already marked as an Overnight because of Labor weekend.\n\r"
    "Overwrite it with Every other weekend?");

// A calendar from September 2025 (Friday the 5th holds an overnight) in the real main window.
class StandardScheduleFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    StandardScheduleFlow() : Window(ServicesFor(Machine.Paths()))
    {
        Window.show();
        QCoreApplication::processEvents();
        StartCalendar(Window, QStringLiteral("Jones"), QStringLiteral("2025"),
                      QStringLiteral("September"));
        CalendarDay& friday = Window.Document().Days.at(4);
        friday.HasOvernight = true;
        friday.OvernightReason = QStringLiteral("Labor weekend");
        friday.OvernightPickup = QStringLiteral("09:00AM");
        friday.OvernightDropoff = QStringLiteral("05:00PM");
        Window.Document().ChangesPending = false;
        Window.RefreshWindow();
    }

    // The choices every test makes, by keyboard where a user would use it: every other
    // weekend with long weekends, the custodial parent's weekend first, exchanges at 6 PM, a
    // Wednesday visit 4 to 7:30, Thanksgiving in odd years.
    static void Choose(TStandardSchedule* dialog)
    {
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        EXPECT_EQ(dialog->focusWidget(), dialog->ScheduleList);
        EXPECT_EQ(dialog->ScheduleList->currentItem()->text(0),
                  QStringLiteral("Alternating weeks"));
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(dialog->ScheduleList, Qt::Key_Down);
        EXPECT_EQ(dialog->ScheduleList->currentItem()->text(0),
                  QStringLiteral("Every other weekend"));
        EXPECT_EQ(dialog->Reason->text(), QStringLiteral("Every other weekend"));
        EXPECT_TRUE(dialog->LongWeekend->isEnabled());
        dialog->LongWeekend->setFocus();
        QTest::keyClick(dialog->LongWeekend, Qt::Key_Space);
        dialog->FirstParent->setFocus();
        QTest::keyClick(dialog->FirstParent, Qt::Key_Down);
        EXPECT_EQ(dialog->FirstParent->currentIndex(), 1);
        dialog->ExchangeTime->setFocus();
        dialog->ExchangeTime->selectAll();
        // Typed as a keyboard does, into whatever holds the focus.
        for (const char key : {'6', 'p', 'm'})
            QTest::keyClick(dialog->windowHandle(), key);
        QTest::keyClick(dialog->windowHandle(), Qt::Key_Tab);
        EXPECT_EQ(dialog->ExchangeTime->text(), QStringLiteral("06:00PM"));
        dialog->VisitDay->setCurrentIndex(3); // Wednesday
        dialog->VisitFrom->setText(QStringLiteral("4pm"));
        dialog->VisitTo->setText(QStringLiteral("7:30 pm"));
        // The range ends on December 31, 2025.
        dialog->findChild<TDateRangeGroup*>()->LastMonth->setCurrentText(
            QStringLiteral("December"));
        dialog->findChild<TDateRangeGroup*>()->LastYear->setCurrentText(QStringLiteral("2025"));
        dialog->findChild<TDateRangeGroup*>()->LastDay->setCurrentText(QStringLiteral("31"));

        QTest::keyClick(dialog->Pages, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(dialog->Pages->currentIndex(), 1);
        QComboBox* thanksgiving = dialog->findChild<QComboBox*>(QStringLiteral("ThanksgivingDay"));
        ASSERT_NE(thanksgiving, nullptr);
        thanksgiving->setCurrentIndex(2); // odd years
    }

    // The same choices through the command line on the calendar as it was.
    CalendarDocument ThroughTheCommandLine(const CalendarDocument& opened)
    {
        CalendarDocument in = opened;
        const QString path = Folder.filePath(QStringLiteral("in.cdb"));
        EXPECT_TRUE(WriteCalendarFile(in, path, false).Ok);
        const CliRun schedule = RunCommand(
            {QStringLiteral("apply-schedule"), path, path, QStringLiteral("--schedule"),
             QStringLiteral("every-other-weekend"), QStringLiteral("--first"),
             QStringLiteral("custodial"), QStringLiteral("--long-weekend"), QStringLiteral("--to"),
             QStringLiteral("2025-12-31"), QStringLiteral("--exchange"), QStringLiteral("18:00"),
             QStringLiteral("--midweek-visit"), QStringLiteral("wed=04:00PM,07:30PM"),
             QStringLiteral("--overwrite"), QStringLiteral("all")});
        EXPECT_EQ(schedule.Status, 0) << schedule.Err.toStdString();
        const CliRun holidays = RunCommand(
            {QStringLiteral("apply-holidays-by-year"), path, path, QStringLiteral("--country"),
             QStringLiteral("us"), QStringLiteral("--overnights"), QStringLiteral("--odd-years"),
             QStringLiteral("Thanksgiving Day"), QStringLiteral("--overwrite"),
             QStringLiteral("all")});
        EXPECT_EQ(holidays.Status, 0) << holidays.Err.toStdString();
        CalendarDocument out;
        EXPECT_TRUE(ReadCalendarFile(out, path).Ok);
        return out;
    }

    // The window's calendar as a file keeps it, for a comparison with the command line's.
    CalendarDocument AsSaved(const CalendarDocument& doc)
    {
        CalendarDocument copy = doc;
        const QString path = Folder.filePath(QStringLiteral("window.cdb"));
        EXPECT_TRUE(WriteCalendarFile(copy, path, false).Ok);
        CalendarDocument read;
        EXPECT_TRUE(ReadCalendarFile(read, path).Ok);
        return read;
    }

    TestMachine Machine;
    TQDLMainCalendar Window;
    QTemporaryDir Folder;
};

TEST_F(StandardScheduleFlow, ApplyMarksWhatTheCommandLineMarksAndSaysSo)
{
    const CalendarDocument opened = Window.Document();
    auto ran = WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TStandardSchedule*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Apply a Standard Schedule"));
        Choose(dialog);
        // Custodial first: the weekend of the 5th is the custodial parent's, so the labor
        // weekend is not asked about; the weekend of the 12th is the first one marked.
        QTest::keyClick(dialog->ApplyBtn, Qt::Key_Space);
    });
    Window.Action(QStringLiteral("ApplyStandardSchedule"))->trigger();
    ASSERT_TRUE(*ran);
    const CalendarDocument& doc = Window.Document();
    EXPECT_EQ(MarkFieldsOf(doc.Days.at(11), true).Reason, QStringLiteral("Every other weekend"));
    EXPECT_EQ(doc.Days.at(11).OvernightPickup, QStringLiteral("06:00PM"));
    EXPECT_EQ(doc.Days.at(13).OvernightDropoff, QStringLiteral("06:00PM"));
    EXPECT_EQ(doc.Days.at(2).DayVisitStart, QStringLiteral("04:00PM"));
    EXPECT_EQ(doc.Days.at(2).DayVisitEnd, QStringLiteral("07:30PM"));
    EXPECT_EQ(doc.Days.at(4).OvernightReason, QStringLiteral("Labor weekend"));
    EXPECT_TRUE(doc.ChangesPending);
    EXPECT_TRUE(Window.statusBar()->currentMessage().startsWith(QStringLiteral("Applied: ")))
        << Window.statusBar()->currentMessage().toStdString();
    EXPECT_EQ(AsSaved(doc).Days, ThroughTheCommandLine(opened).Days);

    // The rotation and the holidays of one Apply are one step of Edit > Undo.
    QAction* undo = Window.Action(QStringLiteral("Undo"));
    ASSERT_NE(undo, nullptr);
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo Apply Standard Schedule"));
    undo->trigger();
    EXPECT_EQ(Window.Document().Days, opened.Days);
    EXPECT_FALSE(Window.Action(QStringLiteral("Undo"))->isEnabled());
}

TEST_F(StandardScheduleFlow, TheOverwriteQuestionAndCancelInIt)
{
    const DayList opened = Window.Document().Days;
    auto ran = WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TStandardSchedule*>(modal);
        ASSERT_NE(dialog, nullptr);
        Choose(dialog);
        dialog->Pages->setCurrentIndex(0);
        dialog->FirstParent->setCurrentIndex(0); // the non-custodial parent's weekend first
        EXPECT_EQ(Prompts.Seen.size(), 0u);

        // Cancel in the question: nothing changed, the window stays open.
        Prompts.Expect(LaborQuestion, PromptAnswer::Cancel);
        QTest::mouseClick(dialog->ApplyBtn, Qt::LeftButton);
        EXPECT_EQ(Prompts.Seen.back().Buttons, PromptButtons::YesYesToAllNoNoToAllCancel);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(Window.Document().Days, opened);

        // A time that is no time is refused where it was typed.
        dialog->ExchangeTime->setText(QStringLiteral("sixish"));
        Prompts.Expect(
            QStringLiteral("\"sixish\" is no time.\n\rPlease type a time such as 6:00 PM, "
                           "6pm or 18:00."));
        QTest::mouseClick(dialog->ApplyBtn, Qt::LeftButton);
        EXPECT_EQ(dialog->focusWidget(), dialog->ExchangeTime);
        dialog->ExchangeTime->setText(QStringLiteral("6pm"));

        // No to All keeps the labor weekend and asks no more.
        Prompts.Expect(LaborQuestion, PromptAnswer::NoToAll);
        QTest::mouseClick(dialog->ApplyBtn, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("ApplyStandardSchedule"))->trigger();
    ASSERT_TRUE(*ran);
    const CalendarDocument& doc = Window.Document();
    EXPECT_EQ(doc.Days.at(4).OvernightReason, QStringLiteral("Labor weekend"));
    // The stay keeps its shape around the day kept: Saturday and Sunday still end it.
    EXPECT_EQ(doc.Days.at(5).OvernightReason, QStringLiteral("Every other weekend"));
    EXPECT_EQ(doc.Days.at(6).OvernightDropoff, QStringLiteral("06:00PM"));
    EXPECT_TRUE(doc.Days.at(18).HasOvernight); // the 19th, two weeks on
    EXPECT_FALSE(doc.Days.at(11).HasOvernight);
}

TEST_F(StandardScheduleFlow, ThePictureShowsTheFirstFourWeeksAndCancelChangesNothing)
{
    const DayList opened = Window.Document().Days;
    auto ran = WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TStandardSchedule*>(modal);
        ASSERT_NE(dialog, nullptr);
        // Alternating weeks from Monday, September 1: the first week is the non-custodial
        // parent's.
        EXPECT_EQ(dialog->Picture->accessibleDescription(),
                  QStringLiteral("Non-Custodial nights: 1, 2, 3, 4, 5, 6, 7, 15, 16, 17, 18, 19, "
                                 "20, 21"));
        dialog->FirstParent->setCurrentIndex(1);
        EXPECT_EQ(dialog->Picture->accessibleDescription(),
                  QStringLiteral("Non-Custodial nights: 8, 9, 10, 11, 12, 13, 14, 22, 23, 24, "
                                 "25, 26, 27, 28"));
        // Holidays only: the schedule's controls rest.
        dialog->ScheduleList->setCurrentItem(dialog->ScheduleList->topLevelItem(0));
        EXPECT_FALSE(dialog->ExchangeTime->isEnabled());
        Prompts.Expect(ChooseScheduleMessage);
        QTest::mouseClick(dialog->ApplyBtn, Qt::LeftButton);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    Window.Action(QStringLiteral("ApplyStandardSchedule"))->trigger();
    ASSERT_TRUE(*ran);
    EXPECT_EQ(Window.Document().Days, opened);
    EXPECT_FALSE(Window.Document().ChangesPending);
}

// The schedule's question in a real message box: each of its five buttons gives its answer,
// and Escape is Cancel.
TEST(ScheduleQuestionBox, EveryButtonGivesItsAnswer)
{
    const struct {
        const char* Button;
        PromptAnswer Answer;
    } cases[] = {{"&Yes", PromptAnswer::Yes},
                 {"Yes to &All", PromptAnswer::YesToAll},
                 {"&No", PromptAnswer::No},
                 {"N&o to All", PromptAnswer::NoToAll},
                 {nullptr, PromptAnswer::Cancel}};
    for (const auto& c : cases) {
        MessageBoxPrompter boxes;
        QStringList shown;
        auto ran = WhenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* button : box->buttons())
                shown << button->text();
            if (!c.Button) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton* button : box->buttons())
                if (button->text() == QString::fromLatin1(c.Button))
                    button->click();
        });
        const PromptAnswer answer =
            boxes.Ask(PromptKind::Confirmation, QStringLiteral("Overwrite?"),
                      PromptButtons::YesYesToAllNoNoToAllCancel);
        ASSERT_TRUE(*ran);
        EXPECT_EQ(answer, c.Answer) << (c.Button ? c.Button : "Escape");
        EXPECT_EQ(shown.size(), 5) << shown.join(QLatin1Char('|')).toStdString();
    }
}

} // namespace
