#include "app/MainWindow.h"
#include "calendar/ui/DayCellWidget.h"
#include "calendar/ui/TimeEntryDialog.h"
#include "entry/ui/DayEditorDialog.h"
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
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

using namespace custodex;
using namespace custodex::testing;

namespace {

class MonthsFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    MonthsFlow() : Window(ServicesFor(Folders.Paths(), [this] { ++Beeps; }))
    {
        Window.show();
        QCoreApplication::processEvents(); // first activation
    }

    void Start(const QString& client, const QString& year, const QString& month, bool starts = true)
    {
        Window.ClientName->setText(client);
        Window.UserYear->setCurrentText(year);
        Window.SelUserMonth->setCurrentText(month);
        if (starts)
            ClickStart(Window);
        else
            QTest::mouseClick(Window.StartBtn, Qt::LeftButton);
    }

    DayCellWidget* Cell(int number) { return Window.Cells[static_cast<std::size_t>(number - 1)]; }

    void Click(int cellNumber, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(Cell(cellNumber), button, modifiers, QPoint(40, 30));
    }

    QString Counter(int index) const
    {
        return Window.CounterLabels[static_cast<std::size_t>(index)]->text();
    }

    TestMachine Folders;
    int Beeps = 0;
    TQDLMainCalendar Window;
};

TEST_F(MonthsFlow, StartChecksTheYearAndMonth)
{
    const struct {
        QString Client, Year, Message;
    } refusals[] = {
        {QStringLiteral("   "), QStringLiteral("2024"),
         QStringLiteral("A Client Name is a required entry.")},
        {QStringLiteral("Smith"), QString(),
         QStringLiteral("You must enter a year before you can start a Calendar.")},
        {QStringLiteral("Smith"), QStringLiteral("20a4"),
         QStringLiteral("Illegal character in year.  Only the\n\rdigits 0 thru 9 are allowed.")},
        {QStringLiteral("Smith"), QStringLiteral("999"),
         QStringLiteral("The Calendar year must be greater than 1000\n\rand less than 3000")},
    };
    for (const auto& r : refusals) {
        Prompts.Expect(r.Message);
        Start(r.Client, r.Year, QStringLiteral("March"), false);
        EXPECT_FALSE(Window.Document().HasCalendar()) << r.Message.toStdString();
        EXPECT_TRUE(Window.StartBtn->isEnabled());
    }
    EXPECT_EQ(Prompts.Seen[0].Buttons, PromptButtons::Retry);

    Start(QStringLiteral("  Smith"), QStringLiteral("1000"), QStringLiteral("March"));
    ASSERT_TRUE(Window.Document().HasCalendar());
    EXPECT_EQ(Window.ClientName->text(), QStringLiteral("Smith"));
    EXPECT_EQ(Window.windowTitle(), QStringLiteral("Calendar File=Smith"));
    EXPECT_FALSE(Window.StartBtn->isEnabled());
    EXPECT_FALSE(Window.UserYear->isEnabled());
    EXPECT_TRUE(Window.ModeGroup->isVisible());
    EXPECT_TRUE(Window.OvernightGroup->isVisible());
    EXPECT_FALSE(Window.DayVisitGroup->isVisible());
    EXPECT_EQ(Window.MonthYearLbl->text(), QStringLiteral("March    1000"));
    EXPECT_EQ(Window.MonthButtons[0]->text(), QStringLiteral("1000  March"));
    EXPECT_EQ(Window.MonthButtons[23]->text(), QStringLiteral("1002  February"));
}

TEST_F(MonthsFlow, NavigatesTheWholeSpanAndBeepsAtBothEnds)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2024"), QStringLiteral("March"));
    QTest::mouseClick(Window.PrevMonthBtn, Qt::LeftButton);
    EXPECT_EQ(Beeps, 1);
    for (int i = 0; i < 12; ++i)
        QTest::mouseClick(Window.NextMonthBtn, Qt::LeftButton);
    EXPECT_EQ(Window.MonthYearLbl->text(), QStringLiteral("March    2025"));
    EXPECT_FALSE(Window.Document().ShowingFirstYear);
    EXPECT_TRUE(DrawnInMaroon(Window.MonthButtons[12]));
    EXPECT_FALSE(DrawnInMaroon(Window.MonthButtons[0]));
    for (int i = 0; i < 11; ++i)
        QTest::mouseClick(Window.NextMonthBtn, Qt::LeftButton);
    EXPECT_EQ(Window.MonthYearLbl->text(), QStringLiteral("February    2026"));
    QTest::mouseClick(Window.NextMonthBtn, Qt::LeftButton);
    EXPECT_EQ(Beeps, 2);

    QTest::mouseClick(Window.MonthButtons[10], Qt::LeftButton); // month 11: January 2025
    EXPECT_EQ(Window.MonthYearLbl->text(), QStringLiteral("January    2025"));
    EXPECT_TRUE(Window.Document().ShowingFirstYear);

    // Page Up/Page Down turn the month from the grid (the arrows move its day cursor).
    Window.MonthArea->setFocus();
    QTest::keyClick(Window.MonthArea, Qt::Key_PageDown);
    EXPECT_EQ(Window.MonthYearLbl->text(), QStringLiteral("February    2025"));
    QTest::keyClick(Window.MonthArea, Qt::Key_PageUp);
    QTest::keyClick(Window.MonthArea, Qt::Key_PageUp);
    EXPECT_EQ(Window.MonthYearLbl->text(), QStringLiteral("December    2024"));
    EXPECT_EQ(Beeps, 2);
}

TEST_F(MonthsFlow, MarksThroughTheDayEditorAndTimeEntry)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2023"), QStringLiteral("January"));
    Window.OverniteReasons->setEditText(QStringLiteral("Weekend"));

    // January 2023 begins on a Sunday, so cell 6 is Friday the 6th.
    std::shared_ptr<bool> clockRan;
    auto editorRan = WhenModal([&](QWidget* modal) {
        auto* editor = qobject_cast<TSetAONDay*>(modal);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("Entering an Overnight."));
        EXPECT_EQ(editor->ReasonLbl1->text(),
                  QStringLiteral("Setting Overnight for Friday, JANUARY 6"));
        EXPECT_EQ(editor->EditReason->currentText(), QStringLiteral("Weekend"));
        clockRan = WhenModal([&](QWidget* clockWidget) {
            auto* clock = qobject_cast<TUserClock*>(clockWidget);
            ASSERT_NE(clock, nullptr);
            EXPECT_EQ(clock->ClockLabel->text(), QStringLiteral("Set Today's Pickup Time"));
            EXPECT_TRUE(clock->NonePanel->isVisible());
            QTest::mouseClick(clock->SpinUp, Qt::LeftButton); // back to the time state: 00:00AM
            for (int i = 0; i < 7; ++i)
                QTest::mouseClick(clock->SpinUp, Qt::LeftButton);
            QTest::mouseClick(clock->TimeAMPM, Qt::LeftButton);
            QTest::mouseClick(clock->SpinDown, Qt::LeftButton);
            QTest::mouseClick(clock->OKBtn, Qt::LeftButton);
        });
        QTest::mouseClick(editor->Clicker1, Qt::LeftButton);
        EXPECT_EQ(editor->StrtTime->text(), QStringLiteral("07:00PM"));
        QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
    });
    Click(6);
    ASSERT_TRUE(*editorRan);
    ASSERT_TRUE(clockRan && *clockRan);

    const CalendarDay& friday = Window.Document().Days[5];
    EXPECT_TRUE(friday.HasOvernight);
    EXPECT_EQ(friday.OvernightReason, QStringLiteral("Weekend"));
    EXPECT_EQ(friday.OvernightPickup, QStringLiteral("07:00PM"));
    EXPECT_EQ(friday.OvernightDropoff, QStringLiteral("<None>"));
    EXPECT_EQ(Cell(6)->PartText(DayCellWidget::Part::OvernightReason), QStringLiteral("Weekend"));
    EXPECT_EQ(Cell(6)->PartText(DayCellWidget::Part::OvernightTimes), QStringLiteral("07:00PM"));
    EXPECT_EQ(Counter(0), QStringLiteral("1"));
    EXPECT_EQ(Counter(1), QStringLiteral("730"));
    EXPECT_EQ(Counter(2), QStringLiteral("00.1%"));
    EXPECT_TRUE(Window.Document().ChangesPending);

    // Right click removes, a second right click restores, Ctrl + left click removes again.
    Click(6, Qt::RightButton);
    EXPECT_FALSE(Window.Document().Days[5].HasOvernight);
    EXPECT_EQ(Counter(0), QStringLiteral("0"));
    Click(6, Qt::RightButton);
    EXPECT_EQ(Window.Document().Days[5].OvernightPickup, QStringLiteral("07:00PM"));
    EXPECT_EQ(Counter(0), QStringLiteral("1"));
    Click(6, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_FALSE(Window.Document().Days[5].HasOvernight);

    // Counters of one year.
    QTest::mouseClick(Window.Show1YCntrs, Qt::LeftButton);
    EXPECT_EQ(Counter(1), QStringLiteral("365"));
}

TEST_F(MonthsFlow, DayEditorRefusalKeepsItOpen)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2023"), QStringLiteral("January"));
    CalendarDay& thursday = Window.Document().Days[4];
    thursday.HasOvernight = true;
    thursday.OvernightReason = QStringLiteral("Weekend");
    thursday.OvernightPickup = QStringLiteral("06:00PM");
    thursday.OvernightDropoff = QStringLiteral("10:00AM");
    Window.Document().OverNiteStrtTime = QStringLiteral("09:00AM");
    Window.RefreshWindow();
    Window.Document().ChangesPending = false;

    Prompts.Expect(QStringLiteral(
        "Yesterdays end time overlaps todays start time.\n\rThis error must be corrected."));
    auto ran = WhenModal([&](QWidget* modal) {
        auto* editor = qobject_cast<TSetAONDay*>(modal);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->StrtTime->text(), QStringLiteral("09:00AM"));
        QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
        EXPECT_TRUE(editor->isVisible());
        QTest::mouseClick(editor->BitBtn2, Qt::LeftButton);
    });
    Click(6);
    ASSERT_TRUE(*ran);
    EXPECT_FALSE(Window.Document().Days[5].HasOvernight);
    EXPECT_TRUE(Window.Document().ChangesPending); // the day was found
}

TEST_F(MonthsFlow, ModifyingShowsTheNoNapBoxAndDayVisitsUseTheirOwnFields)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2023"), QStringLiteral("January"));
    CalendarDay& first = Window.Document().Days[0];
    first.HasOvernight = true;
    first.OvernightReason = QStringLiteral("NN-Soccer");
    first.OvernightPickup = QStringLiteral("<None>");
    first.OvernightDropoff = QStringLiteral("<None>");
    Window.RefreshWindow();

    auto ran = WhenModal([&](QWidget* modal) {
        auto* editor = qobject_cast<TSetAONDay*>(modal);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("Modifying an Overnight."));
        EXPECT_EQ(editor->EditReason->currentText(), QStringLiteral("Soccer"));
        EXPECT_TRUE(editor->ONNoNap->isChecked());
        QTest::mouseClick(editor->BitBtn3, Qt::LeftButton);
        QTest::mouseClick(editor->BitBtn2, Qt::LeftButton);
    });
    Click(1);
    ASSERT_TRUE(*ran);
    EXPECT_EQ(Window.Document().Days[0].OvernightReason, QStringLiteral("NN-Soccer"));

    QTest::mouseClick(Window.DayVisits, Qt::LeftButton);
    EXPECT_TRUE(Window.DayVisitGroup->isVisible());
    EXPECT_FALSE(Window.OvernightGroup->isVisible());
    Prompts.Expect(QStringLiteral(
        "Error!  If you enter a Pickup (Dropoff) time for a \n\rday visit, you must also "
        "enter a Dropoff (Pickup) time.\n\rPlease try again."));
    auto dayVisit = WhenModal([&](QWidget* modal) {
        auto* editor = qobject_cast<TSetAONDay*>(modal);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("Entering a Day Visit."));
        EXPECT_EQ(
            editor->ONNoNap->text(),
            QStringLiteral("(Check if child will NOT be taking a nap during this Day Visit)"));
        editor->StrtTime->setText(QStringLiteral("10:00AM"));
        QTest::mouseClick(editor->BitBtn1, Qt::LeftButton); // no dropoff: refused
        editor->EndTime->setText(QStringLiteral("04:00PM"));
        editor->EditReason->setEditText(QStringLiteral("Zoo"));
        QTest::mouseClick(editor->BitBtn3, Qt::LeftButton);
        QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
    });
    Click(2);
    ASSERT_TRUE(*dayVisit);
    const CalendarDay& second = Window.Document().Days[1];
    EXPECT_TRUE(second.HasDayVisit);
    EXPECT_EQ(second.DayVisitReason, QStringLiteral("Zoo"));
    EXPECT_TRUE(Cell(2)->BarShown());
    EXPECT_EQ(Cell(2)->PartText(DayCellWidget::Part::DayVisitTimes), QStringLiteral("10:00AM  -  04:00PM"));
    EXPECT_EQ(Window.DayVisitReasons->currentText(), QStringLiteral("Zoo"));
    EXPECT_EQ(Counter(4), QStringLiteral("1"));

    ASSERT_EQ(Help.Shown.size(), 2u);
    EXPECT_EQ(Help.Shown[0].second, HelpDayEditorOvernight);
    EXPECT_EQ(Help.Shown[1].second, HelpDayEditorDayVisit);
}

TEST_F(MonthsFlow, DefaultReasonMessagesAndDefaultTimes)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2023"), QStringLiteral("January"));
    Prompts.Expect(QStringLiteral("Explanation marks are not allowed in a reason."));
    Window.OverniteReasons->setFocus();
    QTest::keyClicks(Window.OverniteReasons->lineEdit(), QStringLiteral("Trip!"));
    EXPECT_EQ(Window.OverniteReasons->currentText(), QStringLiteral("Trip"));
    EXPECT_EQ(Prompts.Seen.back().Kind, PromptKind::Error);

    Window.OverniteReasons->setEditText(QString(79, QLatin1Char('x')));
    Prompts.Expect(QStringLiteral("Stop!  The maximum reason length is 80 characters,"));
    QTest::keyClicks(Window.OverniteReasons->lineEdit(), QStringLiteral("y"));
    EXPECT_EQ(Prompts.Seen.back().Kind, PromptKind::Information);
    EXPECT_EQ(Window.Document().OverniteReasons.Text.size(), 80);

    // Set <None> then Cancel: the field stays, the calendar counts as changed.
    Window.Document().ChangesPending = false;
    auto cancelled = WhenModal([&](QWidget* modal) {
        auto* clock = qobject_cast<TUserClock*>(modal);
        ASSERT_NE(clock, nullptr);
        EXPECT_EQ(clock->ClockLabel->text(),
                  QStringLiteral("Set Calendar Default Overnight Start Time"));
        QTest::mouseClick(clock->SpinUp, Qt::LeftButton);
        QTest::mouseClick(clock->SetNoneBtn, Qt::LeftButton);
        QTest::mouseClick(clock->BitBtn2, Qt::LeftButton);
    });
    QTest::mouseClick(Window.OverNiteStrtTime, Qt::LeftButton);
    ASSERT_TRUE(*cancelled);
    EXPECT_EQ(Window.OverNiteStrtTime->text(), QStringLiteral("<None>"));
    EXPECT_TRUE(Window.Document().ChangesPending);

    auto accepted = WhenModal([&](QWidget* modal) {
        auto* clock = qobject_cast<TUserClock*>(modal);
        ASSERT_NE(clock, nullptr);
        QTest::mouseClick(clock->NonePanel, Qt::LeftButton);
        QTest::mouseClick(clock->SpinDown, Qt::LeftButton); // no wrap below 00
        QTest::keyClick(clock->TimeHrs, Qt::Key_Up);
        QTest::mouseClick(clock->OKBtn, Qt::LeftButton);
    });
    Window.EditDefaultTime(1);
    ASSERT_TRUE(*accepted);
    EXPECT_EQ(Window.Document().OverNiteEndTime, QStringLiteral("01:00AM"));
    EXPECT_EQ(Window.OverNiteEndTime->text(), QStringLiteral("01:00AM"));
}

TEST_F(MonthsFlow, CountersAndHelpBeforeACalendarExists)
{
    EXPECT_EQ(Counter(0), QStringLiteral("0"));
    EXPECT_EQ(Counter(2), QStringLiteral("00.0%"));
    EXPECT_EQ(Window.NonCustodialTitle->text(), QStringLiteral("Non-Custodia..."));
    Prompts.Expect(QStringLiteral(
        "You must create a calendar before showing it's counters.\n\r(Enter a Client Name, "
        "Beginning Year and Month and click Start)"));
    QTest::mouseClick(Window.Show2YCntrs, Qt::LeftButton);

    Prompts.Expect(QStringLiteral("A Client Name is a required entry."));
    Window.ClientName->clear();
    Window.Document().ClientName.clear();
    // A blank cell does nothing; cells show nothing without a calendar, so ask the logic directly.
    Window.CellPressed(1, Qt::LeftButton, {});
    EXPECT_EQ(Prompts.Seen.size(), 1u);
    Prompts.Script.clear();

    auto* help = Window.findChild<QAction*>(QStringLiteral("CalendarHelp"));
    ASSERT_NE(help, nullptr);
    help->trigger();
    ASSERT_EQ(Help.Shown.size(), 1u);
    EXPECT_EQ(Help.Shown[0].first, &Window);
    EXPECT_EQ(Help.Shown[0].second, HelpCalendar);
    Window.close();
    EXPECT_EQ(Help.CloseAllCalls, 1);
}

TEST_F(MonthsFlow, EnterInTheReasonBoxesKeepsTheTypedReason)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2023"), QStringLiteral("January"));
    Window.OverniteReasons->setFocus();
    QTest::keyClicks(Window.OverniteReasons->lineEdit(), QStringLiteral("Weekend"));
    QTest::keyClick(Window.OverniteReasons->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(Window.OverniteReasons->currentText(), QStringLiteral("Weekend"));
    EXPECT_EQ(Window.Document().OverniteReasons.Items, QStringList{QStringLiteral("Weekend")});

    auto ran = WhenModal([&](QWidget* modal) {
        auto* editor = qobject_cast<TSetAONDay*>(modal);
        ASSERT_NE(editor, nullptr);
        editor->EditReason->setEditText(QString());
        QTest::keyClicks(editor->EditReason->lineEdit(), QStringLiteral("Camp"));
        QTest::keyClick(editor->EditReason->lineEdit(), Qt::Key_Return);
    });
    Click(6);
    ASSERT_TRUE(*ran);
    EXPECT_EQ(Window.Document().Days[5].OvernightReason, QStringLiteral("Camp"));
}

TEST_F(MonthsFlow, ClientNameCharactersAreCheckedWhenLeavingTheField)
{
    Window.ClientName->setText(QStringLiteral("Smith/Jones"));
    Prompts.Expect(QStringLiteral(
        "Error!  Please restrict your filename characters to\n\rupper and lower case "
        "letters, numbers, spaces, underscores,\n\rdashes, and apostrophes."));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(Window.ClientName, &leave);
    Window.ClientName->setText(QStringLiteral("O'Brien-Smith_2"));
    QCoreApplication::sendEvent(Window.ClientName, &leave); // accepted: no message
}

TEST(HelpWindows, OpensShippedPagesAndClosesThemAll)
{
    QWidget owner;
    HelpWindows help;
    help.ShowHelpTopic(&owner, HelpCalendar);
    help.ShowHelpTopic(&owner, HelpDayEditorDayVisit);
    EXPECT_EQ(help.OpenCount(), 2);
    const auto browsers = owner.findChildren<QTextBrowser*>();
    ASSERT_EQ(browsers.size(), 2);
    const QString pages = browsers[0]->toPlainText() + browsers[1]->toPlainText();
    EXPECT_TRUE(pages.contains(QStringLiteral("Marking days")));
    EXPECT_TRUE(pages.contains(QStringLiteral("Entering a day visit")));
    help.CloseAllHelp();
    EXPECT_EQ(help.OpenCount(), 0);
}

} // namespace
