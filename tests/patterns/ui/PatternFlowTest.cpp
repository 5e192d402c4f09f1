#include "app/MainWindow.h"
#include "calendar/ui/TimeEntryDialog.h"
#include "output/ui/CalendarPreview.h"
#include "patterns/ui/PatternListCommands.h"
#include "patterns/ui/PatternWindows.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedServices.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace custodex;
using namespace custodex::testing;

namespace {

const QString CancelQuestion = QStringLiteral(
    "Warning!  If you cancel you will lose all changes!\n\rAre you sure you want to cancel?");

// Acts on the time-entry dialog once it shows above the pattern dialog.
std::shared_ptr<bool> WhenClock(std::function<void(TUserClock*)> action)
{
    auto ran = std::make_shared<bool>(false);
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [action, ran, poll](int left) {
        if (auto* clock = qobject_cast<TUserClock*>(QApplication::activeModalWidget());
            clock && clock->isVisible()) {
            *ran = true;
            action(clock);
            *poll = nullptr; // breaks the cycle
            return;
        }
        if (left > 0)
            QTimer::singleShot(5, [poll, left] {
                if (*poll)
                    (*poll)(left - 1);
            });
    };
    QTimer::singleShot(0, [poll] { (*poll)(1000); });
    return ran;
}

// A calendar from September 2004 (Fridays on the 3rd, 10th, 17th and 24th) whose Friday,
// September 3, holds an overnight.
class PatternFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    PatternFlow() : Window(ServicesFor(Machine.Paths()))
    {
        Window.show();
        QCoreApplication::processEvents();
        Window.ClientName->setText(QStringLiteral("Jones"));
        Window.UserYear->setCurrentText(QStringLiteral("2004"));
        Window.SelUserMonth->setCurrentText(QStringLiteral("September"));
        ClickStart(Window);
        CalendarDay& friday = Window.Document().Days[2];
        friday.HasOvernight = true;
        friday.OvernightReason = QStringLiteral("Weekend");
        friday.OvernightPickup = QStringLiteral("06:00PM");
        friday.OvernightDropoff = QStringLiteral("08:30AM");
        Window.Document().ChangesPending = false;
        Window.Document().DistributionStale = false;
        Window.RefreshWindow();
    }

    // The range ends on September 30, 2004: the end month, year, then day, as a user picks.
    static void EndInSeptember2004(TPatternWindow* dialog)
    {
        dialog->LastMonth->setCurrentText(QStringLiteral("September"));
        dialog->LastYear->setCurrentText(QStringLiteral("2004"));
        EXPECT_EQ(dialog->LastDay->currentText(), QStringLiteral("30"));
        EXPECT_EQ(dialog->LastDay->count(), 30);
    }

    const CalendarDay& Day(int dayOfSeptember2004)
    {
        return Window.Document().Days.at(static_cast<std::size_t>(dayOfSeptember2004 - 1));
    }

    TestMachine Machine;
    TQDLMainCalendar Window;
};

TEST_F(PatternFlow, ApplyUndoApplyThenCancelRestoresTheCalendar)
{
    const DayList opened = Window.Document().Days;
    const QString question = QStringLiteral("September 3 (FRIDAY) is already marked as an "
                                            "Overnight because of \"Weekend\"\n\rOverwrite it?");
    auto ran = WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TOddEvenAllON*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(),
                  QStringLiteral("Select Odd/Even/All Patterns for Overnight Stays"));
        EXPECT_TRUE(dialog->KindBoxes.front()->isChecked()); // Odd
        EXPECT_EQ(dialog->FirstMonth->currentText(), QStringLiteral("September"));
        EXPECT_EQ(dialog->LastMonth->currentText(), QStringLiteral("August"));
        EXPECT_FALSE(dialog->UndoBtn->isEnabled());
        EXPECT_FALSE(dialog->SelectFullWeekBeginDay->isEnabled());

        // Apply without a weekday is refused.
        Prompts.Expect(QStringLiteral("You must select a day from the Weekday list\n\rbefore you "
                                      "can apply the days to your calendar."));
        QTest::mouseClick(dialog->ApplyBtn, Qt::LeftButton);
        EXPECT_EQ(dialog->focusWidget(), dialog->WeekDay);

        dialog->WeekDay->item(4)->setSelected(true); // Friday
        EXPECT_EQ(dialog->Alias->text(), QStringLiteral("Odd Friday"));
        EndInSeptember2004(dialog);

        Prompts.Expect(question, PromptAnswer::No);
        Prompts.Expect(QStringLiteral("Added 1 days of Odd Friday to Calendar."));
        QTest::mouseClick(dialog->ApplyBtn, Qt::LeftButton);
        EXPECT_EQ(Day(3).OvernightReason, QStringLiteral("Weekend"));
        EXPECT_EQ(Day(17).OvernightReason, QStringLiteral("Odd Friday"));
        EXPECT_TRUE(dialog->UndoBtn->isEnabled());
        EXPECT_EQ(Window.Document().AppliedChangeCount, 1);

        QTest::mouseClick(dialog->UndoBtn, Qt::LeftButton);
        EXPECT_FALSE(Day(17).HasOvernight);
        EXPECT_FALSE(dialog->UndoBtn->isEnabled());
        EXPECT_EQ(Window.Document().AppliedChangeCount, 0);

        Prompts.Expect(question, PromptAnswer::YesToAll);
        Prompts.Expect(QStringLiteral("Added 1 days of Odd Friday to Calendar."));
        QTest::mouseClick(dialog->ApplyBtn, Qt::LeftButton);
        EXPECT_EQ(Day(3).OvernightReason, QStringLiteral("Odd Friday"));
        EXPECT_EQ(Window.Document().FirstYearCounters.Overnights, 2);

        // Cancel asks; No keeps the dialog open, Yes throws every change away.
        Prompts.Expect(CancelQuestion, PromptAnswer::No);
        QTest::mouseClick(dialog->CancelBtn, Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible());
        Prompts.Expect(CancelQuestion, PromptAnswer::Yes);
        QTest::keyClick(dialog, Qt::Key_Escape); // Escape is Cancel
    });
    Window.Action(QStringLiteral("OvernightOddEvenAll"))->trigger();
    ASSERT_TRUE(*ran);
    EXPECT_EQ(Window.Document().Days, opened);
    EXPECT_EQ(Window.Document().AppliedChangeCount, 0);
    EXPECT_FALSE(Window.Document().ChangesPending);
    EXPECT_FALSE(Window.Document().DistributionStale);
    EXPECT_EQ(Window.Document().FirstYearCounters.Overnights, 1);
}

TEST_F(PatternFlow, SaveCloseKeepsTheMarksAndMarksTheCalendarChanged)
{
    auto ran = WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TOversPerMonth*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Monthly Patterns for Overnights"));
        EXPECT_EQ(dialog->KindBoxes.size(), 6u);
        dialog->KindBoxes.back()->setChecked(true);  // Last
        dialog->WeekDay->item(5)->setSelected(true); // Saturday
        dialog->WeekDay->item(6)->setSelected(true); // Sunday
        EXPECT_EQ(dialog->Alias->text(), QStringLiteral("Last Saturday, Sunday of each month"));
        EndInSeptember2004(dialog);

        // The pickup through the time-entry dialog, with this dialog's texts.
        auto clocked = WhenClock([](TUserClock* clock) {
            EXPECT_EQ(clock->windowTitle(), QStringLiteral("Set Overnight Stay Start Time"));
            EXPECT_EQ(clock->ClockLabel->text(), QStringLiteral("Set Overnight Stay Pickup Time"));
            QTest::mouseClick(clock->SpinUp, Qt::LeftButton); // "<None>" becomes a time
            QTest::mouseClick(clock->OKBtn, Qt::LeftButton);
        });
        QTest::mouseClick(dialog->SClick1, Qt::LeftButton);
        ASSERT_TRUE(*clocked);
        EXPECT_EQ(dialog->StrtTime->text(), QStringLiteral("00:00AM"));

        // September 2004 ends on Thursday the 30th: its last weekend is the 25th and 26th.
        Prompts.Expect(QStringLiteral("Added 2 days of Last Saturday, Sunday of each month to "
                                      "Calendar."));
        QTest::keyClick(dialog->Alias, Qt::Key_Return); // Enter applies the list
        EXPECT_EQ(Day(25).OvernightPickup, QStringLiteral("00:00AM"));
        EXPECT_EQ(Day(25).OvernightDropoff, NoTimeText);
        EXPECT_TRUE(Day(26).HasOvernight);

        // The preview shows the marks so far, and takes its own clicks above the dialog.
        QTest::mouseClick(dialog->BitBtn3, Qt::LeftButton);
        TPreviewer& preview = Window.Preview();
        EXPECT_TRUE(preview.isVisible());
        EXPECT_EQ(preview.windowModality(), Qt::ApplicationModal);
        preview.close();

        QTest::mouseClick(dialog->CloseBtn, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("OvernightMonthly"))->trigger();
    ASSERT_TRUE(*ran);
    EXPECT_TRUE(Day(25).HasOvernight);
    EXPECT_TRUE(Window.Document().ChangesPending);
    EXPECT_TRUE(Window.Document().DistributionStale);
    EXPECT_TRUE(Window.Document().OverniteReasons.Items.contains(
        QStringLiteral("Last Saturday, Sunday of each month")));
    EXPECT_GE(
        Window.OverniteReasons->findText(QStringLiteral("Last Saturday, Sunday of each month")), 0);
    // From the main window the preview is an ordinary window again.
    Window.Action(QStringLiteral("Preview"))->trigger();
    EXPECT_TRUE(Window.Preview().isVisible());
    EXPECT_EQ(Window.Preview().windowModality(), Qt::NonModal);
    Window.Preview().close();
}

TEST_F(PatternFlow, CloseBoxAsksAndApplyThenUndoLeavesTheCalendarUnchanged)
{
    auto ran = WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TOddEvenAllDV*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(),
                  QStringLiteral("Select All/Even/Odd Patterns for Day Visits"));
        EXPECT_EQ(dialog->NoNapBox->text(),
                  QStringLiteral("Check this box if the child will NOT be taking a nap during "
                                 "these Day Visits."));
        dialog->KindBoxes.back()->setChecked(true);  // All
        dialog->WeekDay->item(6)->setSelected(true); // Sunday
        EndInSeptember2004(dialog);
        Prompts.Expect(QStringLiteral("Added 4 days of All Sunday to Calendar."));
        QTest::mouseClick(dialog->ApplyBtn, Qt::LeftButton);
        EXPECT_TRUE(Day(5).HasDayVisit);

        Prompts.Expect(
            QStringLiteral("Closing now will cause all changes to be lost!\n\rClose anyway?"),
            PromptAnswer::No);
        Prompts.Expect(QStringLiteral(
            "Please use the \"Save/Close\" button\n\rto save your changes and close."));
        dialog->close();
        EXPECT_TRUE(dialog->isVisible());

        QTest::mouseClick(dialog->UndoBtn, Qt::LeftButton);
        EXPECT_FALSE(Day(5).HasDayVisit);
        QTest::mouseClick(dialog->CloseBtn, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("DayVisitOddEvenAll"))->trigger();
    ASSERT_TRUE(*ran);
    // Save/Close after Apply and Undo of the same change leaves the calendar as it was.
    EXPECT_FALSE(Window.Document().ChangesPending);
    EXPECT_FALSE(Window.Document().DistributionStale);
}

// Tab reads the dialog from top left to bottom right: the end date, then each time field
// before its button; Space on a time field opens the time entry.
TEST_F(PatternFlow, TabReachesTheTimeFieldsInReadingOrder)
{
    auto checked = WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TOddEvenAllON*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), modal);
        dialog->LastYear->setFocus();
        const QWidget* expected[] = {dialog->StrtTime, dialog->SClick1, dialog->EndTime,
                                     dialog->BitBtn1, dialog->NoNapBox};
        for (const QWidget* next : expected) {
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(dialog->focusWidget(), next) << next->objectName().toStdString();
        }
        auto clock = WhenClock([](TUserClock* shown) { shown->reject(); });
        QTest::keyClick(dialog->EndTime, Qt::Key_Space);
        EXPECT_TRUE(*clock);
        QTest::mouseClick(dialog->CancelBtn, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("OvernightOddEvenAll"))->trigger();
    ASSERT_TRUE(*checked);
}

TEST_F(PatternFlow, EntriesStayUntilTheCalendarIsClosed)
{
    auto chosen = WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TDaysPerMonth*>(modal);
        ASSERT_NE(dialog, nullptr);
        for (int w = 0; w < WeekdayCount; ++w)
            dialog->WeekDay->item(w)->setSelected(true);
        EXPECT_TRUE(dialog->SelectFullWeekBeginDay->isEnabled());
        dialog->WeekBegins[2]->setChecked(true); // Wednesday
        EXPECT_EQ(dialog->Alias->text(),
                  QStringLiteral("A full week beginning on First Wednesday of the month of each "
                                 "month"));
        dialog->NoNapBox->setChecked(true);
        QTest::mouseClick(dialog->CancelBtn, Qt::LeftButton); // nothing applied: no question
    });
    Window.Action(QStringLiteral("DayVisitMonthly"))->trigger();
    ASSERT_TRUE(*chosen);

    auto reopened = WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TDaysPerMonth*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->WeekBegins[2]->isChecked());
        EXPECT_FALSE(dialog->NoNapBox->isChecked()); // cleared on every opening
        QTest::mouseClick(dialog->CancelBtn, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("DayVisitMonthly"))->trigger();
    ASSERT_TRUE(*reopened);

    Window.Document().ChangesPending = true;
    Prompts.Expect(QStringLiteral("Save changes to Jones?"), PromptAnswer::No);
    Prompts.Expect(QStringLiteral("Are you sure you want to close without\n\rsaving changes to "
                                  "Jones?"),
                   PromptAnswer::Yes);
    Window.NewOrCloseClick();
    ASSERT_FALSE(Window.Document().HasCalendar());
    const PatternDialogState& state = MonthlyDayVisitWindow(Window).State();
    EXPECT_EQ(state.Pattern, PatternKind::First);
    EXPECT_FALSE(AnyWeekday(state.Weekdays));
    EXPECT_EQ(state.WeekBegin, 0);
    EXPECT_FALSE(DateRangeFilled(state.Range));
    EXPECT_TRUE(state.Reason.isEmpty());

    // Without a calendar the command refuses.
    Prompts.Expect(QStringLiteral("You must open or create a calendar\n\rbefore you can "
                                  "apply/remove a list."));
    RunMonthlyDayVisits(Window);
}

} // namespace
