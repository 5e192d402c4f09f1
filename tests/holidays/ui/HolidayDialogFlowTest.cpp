#include "app/MainWindow.h"
#include "calendar/ui/TimeEntryDialog.h"
#include "holidays/ui/HolidayDialog.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedServices.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

using namespace custodex;
using namespace custodex::testing;

namespace {

const QString CancelQuestion = QStringLiteral(
    "Warning!  If you cancel you will lose all changes!\n\rAre you sure you want to cancel?");
const QString CloseQuestion =
    QStringLiteral("Closing now will cause all changes to be lost!\n\rClose anyway?");
const QString UseSaveClose =
    QStringLiteral("Please use the \"Save/Close\" button\n\rto save your changes and close.");

class HolidayDialogFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    HolidayDialogFlow() : Window(ServicesFor(Machine.Paths())) { Window.show(); }

    void Start(const char* month, const char* year)
    {
        QCoreApplication::processEvents();
        Window.ClientName->setText(QStringLiteral("Jones"));
        Window.UserYear->setCurrentText(QString::fromLatin1(year));
        Window.SelUserMonth->setCurrentText(QString::fromLatin1(month));
        ClickStart(Window);
        Window.Document().ChangesPending = false;
        Window.Document().DistributionStale = false;
    }

    CalendarDay& Day(int monthIndex, int dayOfMonth, bool firstYear = true)
    {
        CalendarDocument& doc = Window.Document();
        return doc.Days.at(
            static_cast<std::size_t>(FindDay(doc, monthIndex, firstYear, dayOfMonth)));
    }

    // Runs `action` on the holiday dialog the menu item opens; true when it ran.
    bool WithDialog(const char* item, std::function<void(THolidayDialog&)> action)
    {
        auto ran = WhenModal([action](QWidget* modal) {
            auto* dialog = qobject_cast<THolidayDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            action(*dialog);
            if (dialog->isVisible()) // a failed expectation must not leave the test waiting
                dialog->SaveCloseClick();
        });
        Window.Action(QString::fromLatin1(item))->trigger();
        return *ran;
    }

    static QWidget* Named(THolidayDialog& dialog, const char* name)
    {
        return dialog.findChild<QWidget*>(QString::fromLatin1(name));
    }

    TestMachine Machine;
    TQDLMainCalendar Window;
};

TEST_F(HolidayDialogFlow, OpensOnTheCalendarsMarksWithTheirTimes)
{
    Start("January", "2009");
    CalendarDay& christmas = Day(11, 25);
    christmas.HasOvernight = true;
    christmas.OvernightReason = QStringLiteral("NN-Christmas Day");
    christmas.OvernightPickup = QStringLiteral("05:00PM");
    christmas.OvernightDropoff = QStringLiteral("10:00AM");
    Day(6, 4).HasOvernight = true;
    Day(6, 4).OvernightReason = QStringLiteral("independence day"); // scanned exactly: not found

    ASSERT_TRUE(WithDialog("OvernightUSHolidays", [](THolidayDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("TSRHolidays"));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add/Remove OverNight Holidays"));
        EXPECT_EQ(dialog.Pages->tabText(0), QStringLiteral("Begins January 2009"));
        EXPECT_EQ(dialog.Pages->tabText(1), QStringLiteral("Begins January 2010"));
        EXPECT_EQ(dialog.SelectedYearLabel->text(),
                  QStringLiteral("First Year Begins in January 2009"));
        auto* box = qobject_cast<QCheckBox*>(Named(dialog, "ChristmasDay"));
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isChecked());
        EXPECT_EQ(box->toolTip(), QStringLiteral("December 25th"));
        EXPECT_EQ(qobject_cast<QLineEdit*>(Named(dialog, "ChristmasStrt"))->text(),
                  QStringLiteral("05:00PM"));
        EXPECT_EQ(qobject_cast<QLineEdit*>(Named(dialog, "ChristmasEnd"))->text(),
                  QStringLiteral("10:00AM"));
        auto* noNap = qobject_cast<QCheckBox*>(Named(dialog, "ChristmasNoNap"));
        EXPECT_TRUE(noNap->isChecked());
        EXPECT_TRUE(noNap->isEnabled());
        EXPECT_EQ(Named(dialog, "ChristmasStrt")->focusPolicy(), Qt::StrongFocus);
        EXPECT_FALSE(qobject_cast<QCheckBox*>(Named(dialog, "IndependenceDay"))->isChecked());
        EXPECT_EQ(Named(dialog, "IndependenceStrt")->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(Named(dialog, "IndependenceNoNap")->isEnabled());
        dialog.CancelClick(); // nothing applied: no question
        EXPECT_FALSE(dialog.isVisible());
    }));
    EXPECT_TRUE(Prompts.Seen.empty());
}

TEST_F(HolidayDialogFlow, ApplyMarksAndRemovesThenCancelBringsTheCalendarBack)
{
    Start("January", "2009");
    Day(11, 25).HasOvernight = true;
    Day(11, 25).OvernightReason = QStringLiteral("Christmas Day");
    Day(9, 31).HasOvernight = true;
    Day(9, 31).OvernightReason = QStringLiteral("Weekend");
    RecountCounters(Window.Document());
    const DayList before = Window.Document().Days;

    ASSERT_TRUE(WithDialog("OvernightUSHolidays", [this](THolidayDialog& dialog) {
        qobject_cast<QCheckBox*>(Named(dialog, "ChristmasDay"))->setChecked(false);
        QTest::mouseClick(qobject_cast<QCheckBox*>(Named(dialog, "IndependenceDay")),
                          Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(Named(dialog, "IndependenceStrt")->focusPolicy(), Qt::StrongFocus);
        QTest::mouseClick(qobject_cast<QCheckBox*>(Named(dialog, "Halloween")), Qt::LeftButton, {},
                          QPoint(5, 5));
        Prompts.Expect(QStringLiteral("October 31 is set to Weekend.\n\rOverwrite with Halloween?"),
                       PromptAnswer::No);
        QTest::mouseClick(dialog.ApplyBtn, Qt::LeftButton);
        EXPECT_TRUE(Day(6, 4).HasOvernight);
        EXPECT_EQ(Day(6, 4).OvernightReason, QStringLiteral("Independence Day"));
        EXPECT_FALSE(Day(11, 25).HasOvernight);
        EXPECT_EQ(Day(9, 31).OvernightReason, QStringLiteral("Weekend"));
        // The boxes show what the calendar holds: the refused holiday is unticked.
        EXPECT_FALSE(qobject_cast<QCheckBox*>(Named(dialog, "Halloween"))->isChecked());
        EXPECT_TRUE(qobject_cast<QCheckBox*>(Named(dialog, "IndependenceDay"))->isChecked());
        EXPECT_EQ(Window.Document().AppliedChangeCount, 1);

        Prompts.Expect(CancelQuestion, PromptAnswer::No);
        QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        Prompts.Expect(CancelQuestion, PromptAnswer::Yes);
        QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    }));
    EXPECT_EQ(Window.Document().Days, before);
}

TEST_F(HolidayDialogFlow, SaveCloseKeepsTheMarksAndFlagsTheCalendar)
{
    Start("June", "2009");
    ASSERT_TRUE(WithDialog("OvernightCanadianHolidays", [this](THolidayDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("TCanadianHolidays"));
        for (const char* hidden : {"StGeorge", "Discovery", "Memorial", "Orangemen", "Regatta"})
            EXPECT_FALSE(Named(dialog, hidden)->isVisible()) << hidden;
        EXPECT_TRUE(Named(dialog, "VictoriaDay")->isVisible());
        qobject_cast<QCheckBox*>(Named(dialog, "VictoriaDay"))->setChecked(true);
        QTest::mouseClick(dialog.ApplyBtn, Qt::LeftButton);
        QTest::mouseClick(dialog.SaveCloseBtn, Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    }));
    // June 2009 to May 2010: Victoria Day is May 24, 2010.
    EXPECT_EQ(Day(4, 24).OvernightReason, QStringLiteral("Victoria Day (Ca.)"));
    EXPECT_TRUE(Window.Document().ChangesPending);
    EXPECT_TRUE(Window.Document().DistributionStale);
}

TEST_F(HolidayDialogFlow, PageSwitchDropsUnappliedTicksAndShowsTheJubileeRowIn2002Only)
{
    Start("January", "2002");
    ASSERT_TRUE(WithDialog("OvernightUKHolidays", [](THolidayDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("TUnitedKingdom"));
        EXPECT_TRUE(Named(dialog, "Elizabeth")->isVisible());
        EXPECT_TRUE(Named(dialog, "MayDay2NoNap") != nullptr);
        EXPECT_TRUE(Named(dialog, "Mayday2Strt") != nullptr);
        qobject_cast<QCheckBox*>(Named(dialog, "Halloween"))->setChecked(true);
        dialog.Pages->setCurrentIndex(1);
        EXPECT_EQ(dialog.SelectedYearLabel->text(),
                  QStringLiteral("Second Year Begins in January of 2003"));
        EXPECT_FALSE(Named(dialog, "Elizabeth")->isVisible());
        EXPECT_FALSE(Named(dialog, "ElizabethStrt")->isVisible());
        dialog.Pages->setCurrentIndex(0);
        EXPECT_EQ(dialog.SelectedYearLabel->text(),
                  QStringLiteral("First Year Begins in January of 2002"));
        EXPECT_FALSE(qobject_cast<QCheckBox*>(Named(dialog, "Halloween"))->isChecked());
        EXPECT_TRUE(Named(dialog, "Elizabeth")->isVisible());
        dialog.CancelClick();
    }));
}

TEST_F(HolidayDialogFlow, DayVisitTimesAreCheckedBeforeAnythingIsApplied)
{
    Start("January", "2009");
    const DayList before = Window.Document().Days;
    ASSERT_TRUE(WithDialog("DayVisitUSHolidays", [this, &before](THolidayDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add/Remove Day Visit Holidays"));
        qobject_cast<QCheckBox*>(Named(dialog, "FlagDay"))->setChecked(true);
        qobject_cast<QCheckBox*>(Named(dialog, "Halloween"))->setChecked(true);
        // The time-entry dialog opens over the clicked field with the row's prompt.
        auto clocked = WhenModal([](QWidget* modal) {
            auto* clock = qobject_cast<TUserClock*>(modal);
            ASSERT_NE(clock, nullptr);
            EXPECT_EQ(clock->ClockLabel->text(), QStringLiteral("Set Start Time for Halloween"));
            QTest::mouseClick(clock->BitBtn2, Qt::LeftButton); // Cancel keeps the field
        });
        const QString shown = qobject_cast<QLineEdit*>(Named(dialog, "HalloweenStrt"))->text();
        QTest::mouseClick(Named(dialog, "HalloweenStrt"), Qt::LeftButton);
        ASSERT_TRUE(*clocked);
        EXPECT_EQ(qobject_cast<QLineEdit*>(Named(dialog, "HalloweenStrt"))->text(), shown);
        qobject_cast<QLineEdit*>(Named(dialog, "HalloweenStrt"))
            ->setText(QStringLiteral("05:00PM"));
        qobject_cast<QLineEdit*>(Named(dialog, "HalloweenEnd"))->setText(QStringLiteral("09:00AM"));
        Prompts.Expect(QStringLiteral("Error in times for holiday Halloween!\n\rWhen entering day "
                                      "visit times, the pickup time\n\rmust be earlier than the "
                                      "dropoff Time.\n\rPlease try again."));
        QTest::mouseClick(dialog.ApplyBtn, Qt::LeftButton);
        EXPECT_EQ(Window.Document().Days, before);
        EXPECT_EQ(dialog.focusWidget(), Named(dialog, "HalloweenStrt"));
        EXPECT_TRUE(qobject_cast<QCheckBox*>(Named(dialog, "FlagDay"))->isChecked());
        dialog.CancelClick(); // nothing applied yet: closes without a question
    }));
}

TEST_F(HolidayDialogFlow, CloseBoxAsksAndPointsToSaveClose)
{
    Start("January", "2009");
    const DayList before = Window.Document().Days;
    ASSERT_TRUE(WithDialog("OvernightUSHolidays", [this](THolidayDialog& dialog) {
        qobject_cast<QCheckBox*>(Named(dialog, "FlagDay"))->setChecked(true);
        QTest::mouseClick(dialog.ApplyBtn, Qt::LeftButton);
        EXPECT_EQ(Day(5, 14).OvernightReason, QStringLiteral("Flag Day"));
        Prompts.Expect(CloseQuestion, PromptAnswer::No);
        Prompts.Expect(UseSaveClose);
        dialog.close();
        EXPECT_TRUE(dialog.isVisible());
        Prompts.Expect(CloseQuestion, PromptAnswer::Yes);
        dialog.close();
        EXPECT_FALSE(dialog.isVisible());
    }));
    EXPECT_EQ(Window.Document().Days, before);
    // The next opening starts afresh on the first page.
    ASSERT_TRUE(WithDialog("OvernightUSHolidays", [](THolidayDialog& dialog) {
        EXPECT_EQ(dialog.Pages->currentIndex(), 0);
        EXPECT_FALSE(qobject_cast<QCheckBox*>(Named(dialog, "FlagDay"))->isChecked());
        dialog.CancelClick();
    }));
}

} // namespace
