#include "app/MainWindow.h"
#include "calendar/ui/CalendarCommands.h"
#include "calendar/ui/DayCellWidget.h"
#include "calendar/ui/PreferencesDialog.h"
#include "calendar/ui/TimeEntryDialog.h"
#include "calendar/ui/Tutorials.h"
#include "entry/ui/DayEditorDialog.h"
#include "entry/ui/FindDialog.h"
#include "reports/HourlyDistribution.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedServices.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace custodex;
using namespace custodex::testing;

namespace {

const QString CountersRefused = QStringLiteral(
    "You must create a calendar before showing it's counters.\n\r(Enter a Client Name, "
    "Beginning Year and Month and click Start)");

// The main window as a user meets it: shown, active, the wizard off.
class MainWindowFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    MainWindowFlow() : Window(ServicesFor(Machine.Paths()))
    {
        Window.show();
        QCoreApplication::processEvents(); // first activation
        Activate();
    }

    // Focus moves only within the active window; a modal dialog just closed may still hold it.
    void Activate()
    {
        QCoreApplication::processEvents();
        Window.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &Window);
    }

    void Start(const QString& client, const QString& year, const QString& month)
    {
        Window.ClientName->setText(client);
        Window.UserYear->setCurrentText(year);
        Window.SelUserMonth->setCurrentText(month);
        ClickStart(Window);
        ASSERT_TRUE(Window.Document().HasCalendar());
        Activate();
    }

    // Types into a field as a user does: focus, select what is there, type over it.
    static void TypeOver(QLineEdit* field, const QString& text)
    {
        field->setFocus();
        field->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Delete);
        else
            QTest::keyClicks(field, text);
    }

    DayCellWidget* Cell(int number) { return Window.Cells[static_cast<std::size_t>(number - 1)]; }
    // Where a widget of the window lies in the client area.
    QRect InClient(const QWidget* widget)
    {
        return {widget->mapTo(Window.centralWidget(), QPoint(0, 0)), widget->size()};
    }
    QString Counter(int index) const
    {
        return Window.CounterLabels[static_cast<std::size_t>(index)]->text();
    }
    QRadioButton* CheckedCounterRadio() const
    {
        for (QRadioButton* radio : {Window.ShowBYCntrs, Window.Show1YCntrs, Window.Show2YCntrs})
            if (radio->isChecked())
                return radio;
        return nullptr;
    }

    TestMachine Machine;
    TQDLMainCalendar Window;
};

TEST_F(MainWindowFlow, CounterRadiosAlwaysNameTheFiguresShown)
{
    // Refused without a calendar: the radio clicked does not stay checked, not even behind
    // the message.
    Prompts.WhileShown = [this](const QString&) {
        EXPECT_EQ(CheckedCounterRadio(), Window.ShowBYCntrs);
    };
    for (QRadioButton* radio : {Window.Show1YCntrs, Window.Show2YCntrs}) {
        Prompts.Expect(CountersRefused);
        QTest::mouseClick(radio, Qt::LeftButton);
        EXPECT_EQ(CheckedCounterRadio(), Window.ShowBYCntrs) << radio->objectName().toStdString();
    }

    Prompts.WhileShown = nullptr;

    // After Start: both years' figures under "Both Yrs.".
    Start(QStringLiteral("Smith"), QStringLiteral("2023"), QStringLiteral("January"));
    EXPECT_EQ(CheckedCounterRadio(), Window.ShowBYCntrs);
    EXPECT_EQ(Counter(1), QStringLiteral("731"));

    // A year chosen with a calendar stays chosen through New and the next Start.
    QTest::mouseClick(Window.Show1YCntrs, Qt::LeftButton);
    EXPECT_EQ(Counter(1), QStringLiteral("365"));
    Window.Document().ChangesPending = false;
    Window.NewOrCloseClick();
    EXPECT_EQ(CheckedCounterRadio(), Window.Show1YCntrs);
    EXPECT_EQ(Counter(1), QStringLiteral("0"));
    Start(QStringLiteral("Jones"), QStringLiteral("2024"), QStringLiteral("January"));
    EXPECT_EQ(CheckedCounterRadio(), Window.Show1YCntrs);
    EXPECT_EQ(Counter(1), QStringLiteral("366")); // 2024 is a leap year
}

// Choosing File > Save with a mouse takes the focus from the name field only for the menu.
TEST_F(MainWindowFlow, OneSaveGivesOneMessageForANameNeverLeft)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2023"), QStringLiteral("January"));
    TypeOver(Window.ClientName, QStringLiteral("Smith/Jones"));
    ASSERT_EQ(QApplication::focusWidget(), Window.ClientName);

    QMenu* file = Window.menuBar()->actions().at(0)->menu();
    ASSERT_NE(file, nullptr);
    file->popup(Window.mapToGlobal(QPoint(10, 10)));
    QTRY_VERIFY(file->isVisible());
    Prompts.Expect(QStringLiteral(
        "Error!  Please restrict your filename characters to\n\rupper and lower case letters, "
        "numbers, spaces, underscores,\n\rdashes, and apostrophes.\n\rYour file has NOT been "
        "saved.  Please try again."));
    Window.Action(QStringLiteral("Save"))->trigger();
    file->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(Prompts.Seen.size(), 1u);
    EXPECT_FALSE(QFile::exists(Machine.Client(QStringLiteral("Smith/Jones.cdb"))));
}

// Where the line is drawn: a name typed before Start is taken by Start, so the new calendar
// is unsaved; typing a name with no calendar changes nothing that could be saved.
TEST_F(MainWindowFlow, ANewCalendarIsNeverLostWithoutAQuestion)
{
    TypeOver(Window.ClientName, QStringLiteral("Smith"));
    EXPECT_FALSE(Window.Document().ChangesPending);

    auto cancelled = WhenModal([](QWidget* modal) {
        auto* preferences = qobject_cast<TUserInitialize*>(modal);
        ASSERT_NE(preferences, nullptr);
        QTest::mouseClick(preferences->CancelBtn, Qt::LeftButton); // untouched: no question
    });
    QTest::mouseClick(Window.StartBtn, Qt::LeftButton);
    ASSERT_TRUE(*cancelled);
    ASSERT_TRUE(Window.Document().HasCalendar());
    EXPECT_TRUE(Window.Document().ChangesPending);

    Prompts.Expect(QStringLiteral("Save Pending Changes?"), PromptAnswer::No);
    EXPECT_TRUE(Window.close());
    EXPECT_EQ(Prompts.Seen.size(), 1u);
}

// Day visits that cannot be counted (here one within the night's hours) stop both time reports
// with their message before any figure is shown.
TEST_F(MainWindowFlow, TimeReportsRefuseDayVisitsWithinAStay)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2024"), QStringLiteral("March"));
    CalendarDay& day = Window.Document().Days[10];
    day.HasOvernight = true;
    day.OvernightReason = QStringLiteral("Weekend");
    day.OvernightPickup = QStringLiteral("06:00PM");
    day.OvernightDropoff = QStringLiteral("08:00AM");
    day.HasDayVisit = true;
    day.DayVisitReason = QStringLiteral("Zoo");
    day.DayVisitStart = QStringLiteral("07:00PM");
    day.DayVisitEnd = QStringLiteral("09:00PM");
    Window.Document().DistributionStale = false;
    for (const char* action : {"CareTimeReport", "QualityTimeReport"}) {
        Prompts.Expect(UncountableVisitsMessage);
        Window.Action(QLatin1String(action))->trigger();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << action;
    }
}

TEST_F(MainWindowFlow, EveryNameEditOfACalendarIsAChange)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2023"), QStringLiteral("January"));
    Window.Document().ChangesPending = false;
    TypeOver(Window.ClientName, QStringLiteral("Jones"));
    EXPECT_TRUE(Window.Document().ChangesPending);
    EXPECT_EQ(Window.Document().ClientName, QStringLiteral("Jones"));
}

TEST_F(MainWindowFlow, CancelledOrFailedOpenKeepsTheTypedStartYearAndMonth)
{
    TypeOver(Window.UserYear->lineEdit(), QStringLiteral("2031"));
    Window.SelUserMonth->setCurrentText(QStringLiteral("October"));

    Dialogs.Paths = {QString()};
    Prompts.Expect(QStringLiteral("Request for \"OPEN\" aborted!"));
    Window.Action(QStringLiteral("OpenFile"))->trigger();
    EXPECT_EQ(Window.UserYear->currentText(), QStringLiteral("2031"));
    EXPECT_EQ(Window.SelUserMonth->currentText(), QStringLiteral("October"));

    const QString broken = Machine.Client(QStringLiteral("Broken.cdb"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Broken\r\n2024\r\n");
    file.close();
    Dialogs.Paths = {broken};
    Prompts.Expect(QStringLiteral("Error reading ") + broken);
    Window.Action(QStringLiteral("OpenFile"))->trigger();
    EXPECT_FALSE(Window.Document().HasCalendar());
    EXPECT_EQ(Window.UserYear->currentText(), QStringLiteral("2031"));
    EXPECT_EQ(Window.SelUserMonth->currentText(), QStringLiteral("October"));

    Window.ClientName->setText(QStringLiteral("Smith"));
    ClickStart(Window);
    EXPECT_EQ(Window.Document().StartYear, 2031);
    EXPECT_EQ(Window.Document().StartMonthIndex, 9);
}

TEST_F(MainWindowFlow, TheMonthAreaAndItsLabelsGrowWithTheWindow)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2023"), QStringLiteral("January"));
    // The window opens larger where the screen allows; first its smallest size.
    Window.resize(Window.minimumSizeHint());
    QCoreApplication::processEvents();
    const QSize smallest = Window.size();
    EXPECT_EQ(InClient(Cell(1)), QRect(115, 190, 94, 59));
    EXPECT_EQ(Window.MonthArea->geometry(), QRect(104, 104, 681, 446));
    const int smallFont = Cell(1)->PartFont().pixelSize();
    EXPECT_GE(smallFont, 5);

    Window.resize(1280, 1000);
    QCoreApplication::processEvents();
    const QRect area = Window.MonthArea->geometry();
    EXPECT_EQ(area.right(), Window.centralWidget()->width() - 8);
    EXPECT_EQ(area.bottom(), Window.centralWidget()->height() - 5);
    const QRect first = InClient(Cell(1));
    const QRect last = InClient(Cell(42));
    EXPECT_GE(first.width(), 150);
    EXPECT_GE(first.height(), 120);
    EXPECT_EQ(last.size(), first.size());
    EXPECT_TRUE(area.contains(first));
    EXPECT_TRUE(area.contains(last));
    EXPECT_EQ(InClient(Cell(2)).left(), first.right() + 1); // the cells still touch
    const QFont font = Cell(1)->PartFont();
    EXPECT_GT(font.pixelSize(), smallFont + 3);
    // The same rule as in the smallest window: 17 capital A's keep within the cell.
    EXPECT_LT(QFontMetrics(font).horizontalAdvance(QString(17, QLatin1Char('A'))),
              first.width() - 3);
    EXPECT_EQ(Cell(1)->PartRect(DayCellWidget::Part::OvernightReason).width(), first.width() - 4);
    EXPECT_EQ(Window.MonthYearLbl->width(), area.width() - 10);

    // Never smaller than the month view needs.
    Window.resize(300, 200);
    QCoreApplication::processEvents();
    EXPECT_GE(Window.width(), smallest.width());
    EXPECT_GE(Window.height(), smallest.height());
    EXPECT_EQ(InClient(Cell(1)), QRect(115, 190, 94, 59));
    EXPECT_EQ(Cell(1)->PartFont().pixelSize(), smallFont);
}

// Month 13 has the same name as month 1: a click there marks the second year's day.
TEST_F(MainWindowFlow, SecondYearMonthsAreReachedAndMarkedByClicks)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2024"), QStringLiteral("March"));
    Window.OverniteReasons->setEditText(QStringLiteral("Camp"));
    QTest::mouseClick(Window.MonthButtons[12], Qt::LeftButton);
    EXPECT_EQ(Window.MonthYearLbl->text(), QStringLiteral("March    2025"));
    EXPECT_FALSE(Window.Document().ShowingFirstYear);
    EXPECT_TRUE(DrawnInMaroon(Window.MonthButtons[12]));
    EXPECT_FALSE(DrawnInMaroon(Window.MonthButtons[0]));

    auto ran = WhenModal([](QWidget* modal) {
        auto* editor = qobject_cast<TSetAONDay*>(modal);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->ReasonLbl1->text(),
                  QStringLiteral("Setting Overnight for Saturday, MARCH 1"));
        QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
    });
    QTest::mouseClick(Cell(7), Qt::LeftButton, {}, QPoint(40, 30)); // Saturday 1 March 2025
    ASSERT_TRUE(*ran);
    const CalendarDocument& doc = Window.Document();
    EXPECT_TRUE(doc.Days[static_cast<std::size_t>(doc.SecondYearFirstDay)].HasOvernight);
    EXPECT_FALSE(doc.Days[0].HasOvernight);
    QTest::mouseClick(Window.Show2YCntrs, Qt::LeftButton);
    EXPECT_EQ(Counter(0), QStringLiteral("1"));

    QTest::mouseClick(Window.MonthButtons[23], Qt::LeftButton);
    EXPECT_EQ(Window.MonthYearLbl->text(), QStringLiteral("February    2026"));
    EXPECT_EQ(Window.Document().ShownMonthNumber, 24);
    QTest::mouseClick(Window.MonthButtons[0], Qt::LeftButton);
    EXPECT_EQ(Window.MonthYearLbl->text(), QStringLiteral("March    2024"));
    EXPECT_TRUE(Window.Document().ShowingFirstYear);
}

TEST_F(MainWindowFlow, AReasonBoxAddsItsTextWhenLeft)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2023"), QStringLiteral("January"));
    const struct {
        QString Typed;
        QStringList Items;
    } cases[] = {
        {QStringLiteral("Weekend"), {QStringLiteral("Weekend")}},
        {QStringLiteral("camp"), {QStringLiteral("camp"), QStringLiteral("Weekend")}},
        {QStringLiteral("WEEKEND"), {QStringLiteral("camp"), QStringLiteral("Weekend")}},
        {QString(), {QStringLiteral("camp"), QStringLiteral("Weekend")}},
    };
    for (const auto& c : cases) {
        Window.OverniteReasons->setFocus();
        Window.OverniteReasons->lineEdit()->selectAll();
        if (c.Typed.isEmpty())
            QTest::keyClick(Window.OverniteReasons->lineEdit(), Qt::Key_Delete);
        else
            QTest::keyClicks(Window.OverniteReasons->lineEdit(), c.Typed);
        Window.MonthArea->setFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(Window.Document().OverniteReasons.Items, c.Items) << c.Typed.toStdString();
        EXPECT_EQ(Window.OverniteReasons->count(), c.Items.size()) << c.Typed.toStdString();
    }
    EXPECT_EQ(Window.OverniteReasons->currentText(), QString());
}

TEST_F(MainWindowFlow, TabOntoStartWithNoClientAsksForOne)
{
    TypeOver(Window.ClientName, QStringLiteral("   "));
    Window.SelUserMonth->setFocus();
    Prompts.Expect(QStringLiteral("A Client Name is a required entry."));
    QTest::keyClick(Window.SelUserMonth, Qt::Key_Tab);
    ASSERT_EQ(Prompts.Seen.size(), 1u);
    EXPECT_EQ(Prompts.Seen[0].Buttons, PromptButtons::Retry);
    EXPECT_TRUE(Window.ClientName->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), Window.ClientName);

    TypeOver(Window.ClientName, QStringLiteral("Smith"));
    Window.SelUserMonth->setFocus();
    QTest::keyClick(Window.SelUserMonth, Qt::Key_Tab); // a name: no message
    EXPECT_EQ(QApplication::focusWidget(), Window.StartBtn);
    EXPECT_EQ(Prompts.Seen.size(), 1u);
}

TEST_F(MainWindowFlow, ExitAndEscapeStopARunningSearchFirst)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2024"), QStringLiteral("January"));
    CalendarDocument& doc = Window.Document();
    doc.Days.back().HasOvernight = true;
    doc.Days.back().OvernightReason = QStringLiteral("Camp");
    RecountCounters(doc);

    auto ran = WhenModal([](QWidget* modal) {
        auto* find = qobject_cast<TFindThings*>(modal);
        ASSERT_NE(find, nullptr);
        find->FindThis->setText(QStringLiteral("Camp"));
        for (const bool escape : {false, true}) {
            QTest::mouseClick(find->FindNowBtn, Qt::LeftButton);
            ASSERT_TRUE(find->IsSearching());
            QTest::qWait(20);
            if (escape)
                QTest::keyClick(find, Qt::Key_Escape);
            else
                QTest::mouseClick(find->ExitFindBtn, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!find->IsSearching(), 5000);
            EXPECT_TRUE(find->isVisible()) << (escape ? "Escape" : "Exit Search");
            EXPECT_FALSE(find->Browser->isVisible());
            EXPECT_FALSE(find->FoundNotFound->isVisible()); // stopped before the hit
        }
        QTest::mouseClick(find->ExitFindBtn, Qt::LeftButton); // not searching: closes
        EXPECT_FALSE(find->isVisible());
    });
    Window.Action(QStringLiteral("Find"))->trigger();
    ASSERT_TRUE(*ran);
    QTest::qWait(20); // a step still queued must find the dialog closed and do nothing
    EXPECT_EQ(Window.Document().ShownMonthNumber, 1);
}

TEST_F(MainWindowFlow, TutorialsOfAnEmptyFolderSaySoAndStartNothing)
{
    auto ran = WhenModal([this](QWidget* modal) {
        auto* tutorials = qobject_cast<TVTutorials*>(modal);
        ASSERT_NE(tutorials, nullptr);
        EXPECT_FALSE(tutorials->ViewBtn->isEnabled());
        EXPECT_EQ(tutorials->TutorialList->currentText(),
                  QStringLiteral("There are no tutorials to view"));
        Prompts.Expect(QStringLiteral("There are no tutorials to display!  You may wish\n\rto view "
                                      "the tutorials on our website at\n\r") +
                       ProgramWebSite);
        Prompts.Expect(QStringLiteral("To make new tutorials permanently available on your system "
                                      "download\n\rthem to the following directory:\n\r") +
                       Machine.Paths().TutorialsFolder);
        QTest::mouseClick(tutorials->CloseBtn, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("ViewTutorials"))->trigger();
    ASSERT_TRUE(*ran);
    EXPECT_EQ(Prompts.Seen.size(), 2u);
    EXPECT_TRUE(Launcher.Started.empty());
}

// A day marked by keyboard alone: the grid takes the focus, the arrows cross a month edge,
// Enter opens the day editor as a left click does, Space unmarks and brings back as a right
// click does; every cell says what it holds to a screen reader.
TEST_F(MainWindowFlow, ADayIsMarkedByKeyboard)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2024"), QStringLiteral("March"));
    Window.MonthArea->setFocus();
    ASSERT_TRUE(Window.MonthArea->hasFocus());
    auto key = [&](Qt::Key k) { QTest::keyClick(Window.MonthArea, k); };
    key(Qt::Key_End);   // March 31
    key(Qt::Key_Right); // April 1, in the month after
    EXPECT_EQ(Window.Document().ShownMonthNumber, 2);
    auto focusedCells = [&] {
        QList<int> cells;
        for (int n = 1; n <= 42; ++n)
            if (Cell(n)->lineWidth() > 1)
                cells << n;
        return cells;
    };
    ASSERT_EQ(focusedCells().size(), 1);
    const int april1 = focusedCells().first();
    EXPECT_EQ(Cell(april1)->CaptionText(), QStringLiteral("1"));

    auto edited = WhenModal([](QWidget* modal) {
        auto* editor = qobject_cast<TSetAONDay*>(modal);
        ASSERT_NE(editor, nullptr);
        editor->EditReason->setCurrentText(QStringLiteral("Visit"));
        QTest::mouseClick(editor->BitBtn1, Qt::LeftButton); // OK
    });
    key(Qt::Key_Return);
    ASSERT_TRUE(*edited);
    Activate(); // the editor closed; the grid has the keyboard again
    EXPECT_TRUE(Window.MonthArea->hasFocus());
    const int index = Window.Document().MonthTable[1].FirstDay;
    EXPECT_TRUE(Window.Document().Days[static_cast<std::size_t>(index)].HasOvernight);
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(Cell(april1));
    ASSERT_NE(spoken, nullptr);
    EXPECT_EQ(spoken->text(QAccessible::Name),
              QStringLiteral("Monday, April 1, 2024: overnight, Visit"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Cell(april1 + 1))->text(QAccessible::Name),
              QStringLiteral("Tuesday, April 2, 2024: not marked"));

    // Space, Delete and Backspace are the right click: remove, then restore.
    for (Qt::Key removal : {Qt::Key_Space, Qt::Key_Delete, Qt::Key_Backspace}) {
        key(removal);
        EXPECT_FALSE(Window.Document().Days[static_cast<std::size_t>(index)].HasOvernight);
        EXPECT_EQ(Counter(0), QStringLiteral("0"));
        key(removal);
        EXPECT_TRUE(Window.Document().Days[static_cast<std::size_t>(index)].HasOvernight);
        EXPECT_EQ(Counter(0), QStringLiteral("1"));
    }
    // Shift+F10 and the Menu key open the day's menu: Edit, and Remove or Restore.
    const struct {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        const char* Offered;
        Qt::Key Choice;
        bool MarkedAfter;
    } menus[] = {{Qt::Key_F10, Qt::ShiftModifier, "&Remove Mark", Qt::Key_R, false},
                 {Qt::Key_Menu, Qt::NoModifier, "Re&store Mark", Qt::Key_S, true}};
    for (const auto& m : menus) {
        auto chosen = std::make_shared<bool>(false);
        QTimer::singleShot(50, [&, chosen] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            ASSERT_EQ(menu->actions().size(), 2);
            EXPECT_EQ(menu->actions().at(0)->text(), QStringLiteral("&Edit..."));
            EXPECT_EQ(menu->actions().at(1)->text(), QLatin1String(m.Offered));
            *chosen = true;
            QTest::keyClick(menu, m.Choice);
        });
        QTest::keyClick(Window.MonthArea, m.Key, m.Modifiers);
        QTRY_VERIFY(*chosen);
        EXPECT_EQ(Window.Document().Days[static_cast<std::size_t>(index)].HasOvernight,
                  m.MarkedAfter);
    }
    key(Qt::Key_PageUp); // March 1, the same day of the month before
    EXPECT_EQ(Window.Document().ShownMonthNumber, 1);
    EXPECT_EQ(focusedCells().size(), 1);
    EXPECT_EQ(Cell(focusedCells().first())->CaptionText(), QStringLiteral("1"));
}

TEST_F(MainWindowFlow, CancellingTheTimeDialogLeavesTheDayEditorsTime)
{
    Start(QStringLiteral("Smith"), QStringLiteral("2023"), QStringLiteral("January"));
    CalendarDay& friday = Window.Document().Days[5];
    friday.HasOvernight = true;
    friday.OvernightReason = QStringLiteral("Weekend");
    friday.OvernightPickup = QStringLiteral("06:00PM");
    friday.OvernightDropoff = QStringLiteral("<None>");
    Window.RefreshWindow();
    Window.Document().DistributionStale = false;

    std::shared_ptr<bool> clockRan;
    auto editorRan = WhenModal([&](QWidget* modal) {
        auto* editor = qobject_cast<TSetAONDay*>(modal);
        ASSERT_NE(editor, nullptr);
        clockRan = WhenModal([](QWidget* clockWidget) {
            auto* clock = qobject_cast<TUserClock*>(clockWidget);
            ASSERT_NE(clock, nullptr);
            EXPECT_EQ(clock->TimeHrs->text(), QStringLiteral("06"));
            QTest::mouseClick(clock->SpinUp, Qt::LeftButton);
            QTest::mouseClick(clock->SetNoneBtn, Qt::LeftButton);
            QTest::mouseClick(clock->BitBtn2, Qt::LeftButton); // Cancel
        });
        QTest::mouseClick(editor->Clicker1, Qt::LeftButton);
        EXPECT_EQ(editor->StrtTime->text(), QStringLiteral("06:00PM"));
        QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
    });
    QTest::mouseClick(Cell(6), Qt::LeftButton, {}, QPoint(40, 30));
    ASSERT_TRUE(*editorRan);
    ASSERT_TRUE(clockRan && *clockRan);
    EXPECT_EQ(Window.Document().Days[5].OvernightPickup, QStringLiteral("06:00PM"));
    EXPECT_TRUE(Window.Document().DistributionStale); // the time dialog was opened
}

// The frame a pattern, holiday or list command runs its dialog in.
TEST_F(MainWindowFlow, DayChangingCommandsRestoreOnCancelAndRedrawAfterwards)
{
    bool shown = false;
    Prompts.Expect(QStringLiteral(
        "You must open or create a calendar\n\rbefore you can add or remove holidays."));
    RunDayChangingCommand(Window, DayChangingGroup::Holidays, [&shown] { return shown = true; });
    EXPECT_FALSE(shown);

    Start(QStringLiteral("Smith"), QStringLiteral("2023"), QStringLiteral("January"));
    CalendarDocument& doc = Window.Document();
    auto markFriday = [&doc](bool ok) {
        return [&doc, ok] {
            doc.Days[5].HasOvernight = true;
            doc.Days[5].OvernightReason = QStringLiteral("Weekend");
            ++doc.AppliedChangeCount;
            return ok;
        };
    };
    for (const bool ok : {false, true}) {
        doc.ChangesPending = false;
        doc.DistributionStale = false;
        RunDayChangingCommand(Window, DayChangingGroup::Patterns, markFriday(ok));
        EXPECT_EQ(doc.Days[5].HasOvernight, ok);
        EXPECT_EQ(doc.ChangesPending, ok);
        EXPECT_EQ(doc.DistributionStale, ok);
        // The month view and the counters show the days as they now are.
        EXPECT_EQ(Cell(6)->PartText(DayCellWidget::Part::OvernightReason),
                  ok ? QStringLiteral("Weekend") : QString());
        EXPECT_EQ(Counter(0), ok ? QStringLiteral("1") : QStringLiteral("0"));
    }
}

} // namespace
