#include "app/MainWindow.h"
#include "calendar/ui/DayCellWidget.h"
#include "calendar/ui/MonthGrid.h"
#include "calendar/ui/PreferencesDialog.h"
#include "calendar/ui/TimeEntryDialog.h"
#include "entry/ui/DayEditorDialog.h"
#include "entry/ui/FindDialog.h"
#include "patterns/ui/PatternListCommands.h"
#include "patterns/ui/PatternWindows.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

using namespace custodex;
using namespace custodex::testing;

namespace {

// Every enabled, shown control a user can reach with the keyboard and that has no name,
// as "class/object name/role" under `root`.
void CollectUnnamed(QAccessibleInterface* node, QStringList& unnamed)
{
    const QAccessible::State state = node->state();
    if (state.invisible)
        return;
    if (state.focusable && !state.disabled && node->text(QAccessible::Name).trimmed().isEmpty()) {
        const QObject* object = node->object();
        unnamed << QStringLiteral("%1/%2/%3")
                       .arg(object ? QLatin1String(object->metaObject()->className())
                                   : QLatin1String("?"),
                            object ? object->objectName() : QString())
                       .arg(static_cast<int>(node->role()));
    }
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface* child = node->child(i))
            CollectUnnamed(child, unnamed);
}

QStringList UnnamedControls(QWidget* window)
{
    QStringList unnamed;
    CollectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
    return unnamed;
}

class AccessibilityFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    AccessibilityFlow() : Window(ServicesFor(Machine.Paths()))
    {
        Window.show();
        QCoreApplication::processEvents();
        StartCalendar(Window, QStringLiteral("Garcia"), QStringLiteral("2025"),
                      QStringLiteral("March"));
        QCoreApplication::processEvents();
        Window.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &Window);
    }

    static QAccessibleInterface* Of(QObject* object)
    {
        return QAccessible::queryAccessibleInterface(object);
    }
    QAccessibleInterface* Grid() { return Of(Window.MonthArea); }
    // The day a screen reader is on in the grid.
    QString FocusedDay()
    {
        QAccessibleInterface* focused = Grid()->focusChild();
        return focused && focused->state().focused ? focused->text(QAccessible::Name) : QString();
    }
    void Key(Qt::Key key) { QTest::keyClick(Window.MonthArea, key); }

    TestMachine Machine;
    TQDLMainCalendar Window;
};

// March 2025 begins on a Saturday: the first row holds six blank cells and March 1.
TEST_F(AccessibilityFlow, TheMonthGridIsATableWithWeekdayHeads)
{
    QAccessibleInterface* grid = Grid();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->role(), QAccessible::Table);
    EXPECT_EQ(grid->text(QAccessible::Name), QStringLiteral("March 2025"));
    QAccessibleTableInterface* table = grid->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->columnCount(), 7);
    EXPECT_EQ(table->columnDescription(0), QStringLiteral("Sunday"));

    QAccessibleInterface* first = table->cellAt(0, 6);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->role(), QAccessible::Cell);
    EXPECT_EQ(first->text(QAccessible::Name),
              QStringLiteral("Saturday, March 1, 2025: not marked"));
    EXPECT_EQ(first->parent()->object(), Window.MonthArea);
    QAccessibleTableCellInterface* cell = first->tableCellInterface();
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->rowIndex(), 0);
    EXPECT_EQ(cell->columnIndex(), 6);
    ASSERT_EQ(cell->columnHeaderCells().size(), 1);
    EXPECT_EQ(cell->columnHeaderCells().first()->text(QAccessible::Name),
              QStringLiteral("Saturday"));
    EXPECT_EQ(cell->columnHeaderCells().first()->role(), QAccessible::ColumnHeader);
    EXPECT_FALSE(table->cellAt(0, 0)->state().focusable); // a blank cell
    EXPECT_EQ(table->cellAt(6, 0), nullptr);
}

// The keyboard's cursor is the focused and selected cell; each move tells the day. (That the
// moves reach a screen reader as focus events is tried through the real bus by
// tests/app/accessibility.sh.)
TEST_F(AccessibilityFlow, TheGridCursorIsTheFocusedDay)
{
    Window.MonthArea->setFocus();
    EXPECT_EQ(FocusedDay(), QStringLiteral("Saturday, March 1, 2025: not marked"));
    const std::pair<Qt::Key, const char*> moves[] = {
        {Qt::Key_Right, "Sunday, March 2, 2025: not marked"},
        {Qt::Key_Down, "Sunday, March 9, 2025: not marked"},
        {Qt::Key_Left, "Saturday, March 8, 2025: not marked"},
        {Qt::Key_End, "Monday, March 31, 2025: not marked"},
        {Qt::Key_Right, "Tuesday, April 1, 2025: not marked"}};
    for (const auto& [key, day] : moves) {
        Key(key);
        EXPECT_EQ(FocusedDay(), QLatin1String(day));
    }
    QAccessibleInterface* focused = Grid()->focusChild();
    EXPECT_TRUE(focused->state().selected);
    EXPECT_EQ(Grid()->tableInterface()->selectedCells().value(0), focused);
    EXPECT_EQ(Grid()->tableInterface()->selectedCellCount(), 1);
    Key(Qt::Key_Up); // March 25
    EXPECT_FALSE(focused->state().selected);

    // Delete removes the day's mark as the right click does; the cell's name follows.
    Window.Document().Days.at(31).HasOvernight = true; // April 1
    Window.RedrawMonth();
    Key(Qt::Key_Down); // April 1 again
    EXPECT_TRUE(FocusedDay().startsWith(QStringLiteral("Tuesday, April 1, 2025: overnight")));
    Key(Qt::Key_Delete);
    EXPECT_EQ(FocusedDay(), QStringLiteral("Tuesday, April 1, 2025: not marked"));
    Key(Qt::Key_Delete);
    EXPECT_TRUE(FocusedDay().startsWith(QStringLiteral("Tuesday, April 1, 2025: overnight")));

    // Away from the grid the day stays selected but is no longer focused.
    Window.ClientName->setFocus();
    EXPECT_EQ(FocusedDay(), QString());
    EXPECT_EQ(Grid()->tableInterface()->selectedCellCount(), 1);
}

// A click moves the same cursor as the keys, and the grid takes the keyboard.
TEST_F(AccessibilityFlow, AClickMovesTheKeyboardCursor)
{
    Window.Document().Days.at(14).HasOvernight = true; // March 15
    Window.RedrawMonth();
    DayCellWidget* march15 = Window.Cells[6 + 14];
    QTest::mouseClick(march15, Qt::RightButton); // removes the mark
    EXPECT_FALSE(Window.Document().Days.at(14).HasOvernight);
    EXPECT_TRUE(Window.MonthArea->hasFocus());
    EXPECT_EQ(FocusedDay(), QStringLiteral("Saturday, March 15, 2025: not marked"));
    Key(Qt::Key_Right);
    EXPECT_EQ(FocusedDay(), QStringLiteral("Sunday, March 16, 2025: not marked"));
}

// The default reason box stays out of the Tab order but Alt+A reaches the one shown; Alt+T
// reaches the month list, where arrows move between the months and Enter shows one.
TEST_F(AccessibilityFlow, ReasonBoxAndMonthListAreReachedByKeyboard)
{
    Window.MonthArea->setFocus();
    QTest::keyClick(&Window, Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(Window.OverniteReasons->hasFocus());
    QTest::mouseClick(Window.DayVisits, Qt::LeftButton);
    QTest::keyClick(&Window, Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(Window.DayVisitReasons->hasFocus());

    QTest::keyClick(&Window, Qt::Key_T, Qt::AltModifier);
    QPushButton* shown = Window.MonthButtons[0]; // March 2025, the first month
    ASSERT_EQ(QApplication::focusWidget(), shown);
    auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), Window.MonthButtons[2]);
    EXPECT_EQ(Window.Document().ShownMonthNumber, 1); // only Enter shows it
    press(Qt::Key_Return);
    EXPECT_EQ(Window.Document().ShownMonthNumber, 3);
    press(Qt::Key_End);
    press(Qt::Key_Space);
    EXPECT_EQ(Window.Document().ShownMonthNumber, 24);
    // One Tab stop for the list: the month shown, with a name a screen reader reads.
    int stops = 0;
    for (QPushButton* month : Window.MonthButtons)
        stops += month->focusPolicy() == Qt::TabFocus ? 1 : 0;
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(Window.MonthButtons[23]->focusPolicy(), Qt::TabFocus);
    EXPECT_FALSE(Of(Window.MonthButtons[23])->text(QAccessible::Name).isEmpty());
}

// Figures read alone say what they count; the guideline standing is the panel's name; the
// status bar's words are a label in the window.
TEST_F(AccessibilityFlow, FiguresAndWordsAreReadable)
{
    Window.Document().Days.at(0).HasOvernight = true;
    Window.RedrawMonth();
    EXPECT_EQ(Of(Window.CounterLabels[0])->text(QAccessible::Name),
              QStringLiteral("No. of Overnights, Non-Custodial: 1"));
    EXPECT_EQ(Of(Window.CounterLabels[3])->text(QAccessible::Name),
              QStringLiteral("No. of Overnights, % of Year's Total, Custodial: ") +
                  Window.CounterLabels[3]->text());

    Window.Say(QStringLiteral("Saved Garcia.cdb"));
    auto* words = Window.statusBar()->findChild<QLabel*>(QStringLiteral("StatusWords"));
    ASSERT_NE(words, nullptr);
    EXPECT_TRUE(words->isVisible());
    EXPECT_EQ(Of(words)->text(QAccessible::Name), QStringLiteral("Saved Garcia.cdb"));
}

// Find puts the grid's cursor on the day it found, and says the result in the search box.
TEST_F(AccessibilityFlow, FindMovesTheGridCursorToTheFoundDay)
{
    CalendarDay& day = Window.Document().Days.at(40); // April 10
    day.HasOvernight = true;
    day.OvernightReason = QStringLiteral("Camp");
    Window.RedrawMonth();
    Window.MonthArea->setFocus();
    auto ran = WhenModal([](QWidget* modal) {
        auto* find = qobject_cast<TFindThings*>(modal);
        ASSERT_NE(find, nullptr);
        find->FindThis->setText(QStringLiteral("Camp"));
        QTest::mouseClick(find->FindNowBtn, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!find->IsSearching(), 5000);
        EXPECT_TRUE(find->FindThis->accessibleDescription().contains(QStringLiteral("Camp")))
            << find->FindThis->accessibleDescription().toStdString();
        QTest::mouseClick(find->ExitFindBtn, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("Find"))->trigger();
    ASSERT_TRUE(*ran);
    EXPECT_EQ(Window.Document().ShownMonthNumber, 2);
    EXPECT_EQ(Window.Cells[static_cast<std::size_t>(Window.MonthArea->CursorCell() - 1)]
                  ->accessibleName(),
              QStringLiteral("Thursday, April 10, 2025: overnight, Camp"));
}

// A colour of the preferences is a Tab stop, and Space or Enter opens the colour chooser.
TEST_F(AccessibilityFlow, ColourSwatchesOpenTheChooserByKeyboard)
{
    TUserInitialize& preferences = Window.PreferencesDialog();
    preferences.show();
    QCoreApplication::processEvents();
    preferences.activateWindow();
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        const std::size_t before = Colours.Offered.size();
        preferences.OverNiteColPanel->setFocus();
        ASSERT_TRUE(preferences.OverNiteColPanel->hasFocus());
        QTest::keyClick(preferences.OverNiteColPanel, key);
        EXPECT_EQ(Colours.Offered.size(), before + 1);
    }
    EXPECT_EQ(Of(preferences.OverNiteColPanel)->text(QAccessible::Name),
              QStringLiteral("Non-Custodial Overnight Color"));
    preferences.hide();
}

// The six windows a screen reader user meets most: no control reached by keyboard is silent.
TEST_F(AccessibilityFlow, EveryFocusableControlHasAName)
{
    EXPECT_EQ(UnnamedControls(&Window).join(QLatin1Char(' ')).toStdString(), "") << "main window";

    auto editor = WhenModal([](QWidget* modal) {
        EXPECT_EQ(UnnamedControls(modal).join(QLatin1Char(' ')).toStdString(), "") << "day editor";
        static_cast<QDialog*>(modal)->reject();
    });
    Window.MonthArea->setFocus();
    Key(Qt::Key_Return);
    ASSERT_TRUE(*editor);

    const std::pair<QWidget*, const char*> dialogs[] = {
        {&Window.Clock(), "time entry"},
        {&Window.PreferencesDialog(), "preferences"},
        {&Window.Finder(), "find"},
        {&OddEvenAllOvernightWindow(Window), "odd/even overnights"},
    };
    for (const auto& [dialog, name] : dialogs) {
        dialog->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(UnnamedControls(dialog).join(QLatin1Char(' ')).toStdString(), "") << name;
        dialog->hide();
    }
    // The preferences' second page, the guidelines.
    TUserInitialize& preferences = Window.PreferencesDialog();
    preferences.show();
    preferences.Pages->setCurrentIndex(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(UnnamedControls(&preferences).join(QLatin1Char(' ')).toStdString(), "")
        << "guidelines page";
    preferences.Pages->setCurrentIndex(0);
    preferences.hide();
}

} // namespace
