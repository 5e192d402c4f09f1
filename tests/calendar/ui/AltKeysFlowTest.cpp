#include "app/MainWindow.h"
#include "calendar/ui/PreferencesDialog.h"
#include "output/ui/CalendarPreview.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace custodex;
using namespace custodex::testing;

namespace {

// Whether a condition comes true while events are processed. Qt's QTRY macros only return from
// the function when it does not, which GoogleTest never hears of.
template <typename Condition> bool Soon(Condition condition)
{
    return QTest::qWaitFor(condition, 2000);
}

const QString BothMarksNotice = QStringLiteral(
    "Notice:  One or more days have been marked with both an\n\rOvernight Stay and a Day Visit.  "
    "While this is not an error\n\ryou might want to examine the day(s) in question and "
    "confirm\n\rtheir validity.\n\r\n\rClick the \"Yes\" button to remain open, then use the "
    "\"Preview\"\n\rmenu option to locate the marked days.\n\r\n\rClick the \"NO\" button to "
    "close the program.");

// Every Alt key of the main window, pressed after each of the presses that once left the menu
// bar armed, reaches the control its caption names and nothing else.
class AltKeysFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    AltKeysFlow() : Window(ServicesFor(Machine.Paths()))
    {
        Window.show();
        QCoreApplication::processEvents();
        StartCalendar(Window, QStringLiteral("Garcia"), QStringLiteral("2025"),
                      QStringLiteral("March"));
        // A day with both marks: Exit then asks first, and Yes keeps the window open.
        CalendarDay& day = Window.Document().Days.at(10);
        day.HasOvernight = true;
        day.HasDayVisit = true;
        Window.Document().ChangesPending = false;
        Activate();
    }

    void Activate()
    {
        QCoreApplication::processEvents();
        Window.activateWindow();
        ASSERT_TRUE(Soon([&] { return QApplication::activeWindow() == &Window; }));
    }

    void Alt(Qt::Key key) { QTest::keyClick(Window.windowHandle(), key, Qt::AltModifier); }
    void Press(Qt::Key key)
    {
        QWidget* target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::focusWidget() ? QApplication::focusWidget() : &Window;
        QTest::keyClick(target, key);
    }

    QAction* BarAction(const char* name) const
    {
        return Window.menuBar()->findChild<QAction*>(QLatin1String(name));
    }
    QMenu* BarMenu(const QString& caption) const
    {
        for (QAction* action : Window.menuBar()->actions())
            if (action->text() == caption)
                return action->menu();
        return nullptr;
    }

    // The main window at rest: no menu open, nothing armed on the menu bar, no other window.
    void ExpectAtRest(const std::string& after)
    {
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << after;
        EXPECT_EQ(Window.menuBar()->activeAction(), nullptr)
            << after << " DEBUG "
            << (Window.menuBar()->activeAction()
                    ? Window.menuBar()->activeAction()->text().toStdString()
                    : "");
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << after;
        EXPECT_FALSE(Window.menuBar()->hasFocus()) << after;
    }

    // Presses Alt+key and checks what it reached; leaves the window at rest again.
    void CheckKey(Qt::Key key, const std::string& after)
    {
        const std::string what = after + ", then Alt+" + QKeySequence(key).toString().toStdString();
        Window.ClientName->setFocus();
        const int month = Window.Document().ShownMonthIndex;
        switch (key) {
        case Qt::Key_F:
        case Qt::Key_E:
        case Qt::Key_L:
        case Qt::Key_H: {
            // Alt+E is shared by the Edit menu and Exit: the first press opens the menu.
            QMenu* menu = BarMenu(key == Qt::Key_F   ? QStringLiteral("&File")
                                  : key == Qt::Key_E ? QStringLiteral("&Edit")
                                  : key == Qt::Key_L ? QStringLiteral("&Lists(Patterns)")
                                                     : QStringLiteral("&Help"));
            ASSERT_NE(menu, nullptr);
            Alt(key);
            EXPECT_TRUE(Soon([&] { return menu->isVisible(); })) << what;
            Press(Qt::Key_Escape); // closes the menu, leaves its title armed
            Press(Qt::Key_Escape); // disarms the menu bar
            break;
        }
        case Qt::Key_R: {
            auto shown = WhenModal([](QWidget* modal) {
                EXPECT_NE(qobject_cast<TUserInitialize*>(modal), nullptr);
                modal->close();
            });
            Alt(key);
            EXPECT_TRUE(Soon([&] { return *shown; })) << what;
            break;
        }
        case Qt::Key_P: {
            // Two captions share P: the key moves between them, as Qt does for buddies, and
            // Enter or Space then acts on the one reached.
            Alt(key);
            EXPECT_TRUE(Soon([&] { return Window.PrevMonthBtn->hasFocus(); })) << what;
            EXPECT_EQ(Window.Document().ShownMonthIndex, month) << what;
            Alt(key);
            ASSERT_TRUE(
                Soon([&] { return Window.menuBar()->activeAction() == BarAction("Preview"); }));
            Alt(key);
            EXPECT_TRUE(Soon([&] { return Window.PrevMonthBtn->hasFocus(); })) << what;
            EXPECT_EQ(Window.menuBar()->activeAction(), nullptr) << what;
            EXPECT_EQ(Window.Document().ShownMonthIndex, month) << what;
            break;
        }
        case Qt::Key_X:
            Alt(key);
            ASSERT_TRUE(Soon([&] { return Window.Document().ShownMonthIndex == month + 1; }));
            Window.PrevMonthBtn->click();
            break;
        case Qt::Key_A: // the default reason box of the mode shown
            Alt(key);
            EXPECT_TRUE(Soon([&] { return Window.OverniteReasons->hasFocus(); })) << what;
            break;
        case Qt::Key_T: { // the month list, at the month shown
            QPushButton* shown =
                Window
                    .MonthButtons[static_cast<std::size_t>(Window.Document().ShownMonthNumber - 1)];
            Alt(key);
            EXPECT_TRUE(Soon([&] { return shown->hasFocus(); })) << what;
            break;
        }
        case Qt::Key_N:
            Window.Overnights->setFocus();
            Alt(key);
            EXPECT_TRUE(Soon([&] { return Window.ClientName->hasFocus(); })) << what;
            break;
        case Qt::Key_O:
        case Qt::Key_D: {
            QRadioButton* radio = key == Qt::Key_O ? Window.Overnights : Window.DayVisits;
            QRadioButton* other = key == Qt::Key_O ? Window.DayVisits : Window.Overnights;
            other->setChecked(true);
            Alt(key);
            EXPECT_TRUE(Soon([&] { return radio->isChecked(); })) << what;
            Window.Overnights->setChecked(true);
            break;
        }
        default: // the start year, month and Start: disabled while a calendar is open
            Alt(key);
            QTest::qWait(150);
            EXPECT_TRUE(Window.ClientName->hasFocus()) << what;
            break;
        }
        Activate();
        ExpectAtRest(what);
    }

    TestMachine Machine;
    TQDLMainCalendar Window;
};

TEST_F(AltKeysFlow, EveryAltKeyReachesItsControlWhateverWasPressedBefore)
{
    const Qt::Key keys[] = {Qt::Key_F, Qt::Key_E, Qt::Key_L, Qt::Key_P, Qt::Key_R,
                            Qt::Key_H, Qt::Key_N, Qt::Key_Y, Qt::Key_M, Qt::Key_O,
                            Qt::Key_D, Qt::Key_A, Qt::Key_T, Qt::Key_S, Qt::Key_X};
    const struct {
        const char* Name;
        std::function<void()> Before;
    } befores[] = {
        {"nothing", [] {}},
        {"Alt+E, Escape twice",
         [this] {
             Alt(Qt::Key_E);
             ASSERT_TRUE(Soon([&] { return BarMenu(QStringLiteral("&Edit"))->isVisible(); }));
             Press(Qt::Key_Escape);
             Press(Qt::Key_Escape);
         }},
        {"Alt+E twice, Escape",
         [this] {
             Alt(Qt::Key_E);
             Alt(Qt::Key_E);
             ASSERT_TRUE(
                 Soon([&] { return Window.menuBar()->activeAction() == BarAction("ExitBar"); }));
             Press(Qt::Key_Escape);
         }},
        {"Alt+E twice, Enter, Escape",
         [this] {
             Prompts.Expect(BothMarksNotice, PromptAnswer::Yes);
             Alt(Qt::Key_E);
             Alt(Qt::Key_E);
             Press(Qt::Key_Return);
             ASSERT_TRUE(Soon([&] { return Prompts.Script.empty(); }));
             Activate();
             Press(Qt::Key_Escape);
         }},
        {"Alt+P, Escape",
         [this] {
             Alt(Qt::Key_P);
             Press(Qt::Key_Escape);
         }},
        {"Alt+P twice, Escape",
         [this] {
             Alt(Qt::Key_P);
             Alt(Qt::Key_P);
             Press(Qt::Key_Escape);
         }},
        {"Alt+R, Escape",
         [this] {
             auto shown = WhenModal([](QWidget* modal) { modal->close(); });
             Alt(Qt::Key_R);
             ASSERT_TRUE(Soon([&] { return *shown; }));
             Activate();
             Press(Qt::Key_Escape);
         }},
    };
    for (const auto& before : befores)
        for (Qt::Key key : keys) {
            Window.ClientName->setFocus();
            before.Before();
            Activate();
            ExpectAtRest(std::string(before.Name) + " (then " + std::to_string(key) + ")");
            CheckKey(key, before.Name);
        }
}

// Alt+E is shared by the Edit menu and Exit: it moves between them as the menu bar does for two
// titles with one letter, and never runs Exit at once.
TEST_F(AltKeysFlow, AltEMovesBetweenTheEditMenuAndExit)
{
    QMenu* edit = BarMenu(QStringLiteral("&Edit"));
    QAction* exit = BarAction("ExitBar");
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(exit, nullptr);
    Window.ClientName->setFocus();

    Alt(Qt::Key_E);
    ASSERT_TRUE(Soon([&] { return edit->isVisible(); }));
    EXPECT_EQ(QApplication::activePopupWidget(), edit);
    QStringList items;
    for (QAction* action : edit->actions())
        items << action->objectName();
    EXPECT_EQ(items, (QStringList{QStringLiteral("Undo"), QStringLiteral("Redo")}));

    // Again: the menu closes and Exit is marked; nothing runs (an unexpected question fails).
    Alt(Qt::Key_E);
    ASSERT_TRUE(Soon([&] { return Window.menuBar()->activeAction() == exit; }));
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::qWait(150);
    EXPECT_TRUE(Window.isVisible());
    EXPECT_EQ(Window.menuBar()->activeAction(), exit);

    // A third time: back to the menu, Exit no longer marked.
    Alt(Qt::Key_E);
    ASSERT_TRUE(Soon([&] { return edit->isVisible(); }));
    EXPECT_EQ(Window.menuBar()->activeAction(), edit->menuAction());
    Press(Qt::Key_Escape);
    Press(Qt::Key_Escape);
    ExpectAtRest("Alt+E three times, Escape twice");

    // Escape leaves Exit: a later Enter runs nothing, and the pointer passing over the bar
    // opens no menu (the bar is left as its own Escape leaves it).
    Alt(Qt::Key_E);
    Alt(Qt::Key_E);
    ASSERT_TRUE(Soon([&] { return Window.menuBar()->activeAction() == exit; }));
    Press(Qt::Key_Escape);
    ExpectAtRest("Alt+E twice, Escape");
    Press(Qt::Key_Return);
    QTest::mouseMove(Window.menuBar(),
                     Window.menuBar()->actionGeometry(edit->menuAction()).center());
    QTest::qWait(150);
    EXPECT_FALSE(edit->isVisible());
    ExpectAtRest("Alt+E twice, Escape, Enter, the pointer on Edit");

    // Another shortcut leaves Exit too: Enter then goes to the control reached.
    Window.ClientName->setFocus();
    Alt(Qt::Key_E);
    Alt(Qt::Key_E);
    ASSERT_TRUE(Soon([&] { return Window.menuBar()->activeAction() == exit; }));
    Alt(Qt::Key_A);
    ASSERT_TRUE(Soon([&] { return Window.OverniteReasons->hasFocus(); }));
    EXPECT_EQ(Window.menuBar()->activeAction(), nullptr);
    Press(Qt::Key_Return);
    QTest::qWait(150);
    EXPECT_TRUE(Window.isVisible());
    ExpectAtRest("Alt+E twice, Alt+A, Enter");
}

// Enter on the Exit reached by Alt+E closes as Exit always has: with changes pending it asks
// whether to save them first.
TEST_F(AltKeysFlow, ExitReachedByAltEAsksAboutPendingChanges)
{
    Window.Document().ChangesPending = true;
    Prompts.Expect(BothMarksNotice, PromptAnswer::No);
    Prompts.Expect(QStringLiteral("Save Pending Changes?"), PromptAnswer::No);
    Alt(Qt::Key_E);
    Alt(Qt::Key_E);
    ASSERT_TRUE(Soon([&] { return Window.menuBar()->activeAction() == BarAction("ExitBar"); }));
    Press(Qt::Key_Return);
    ASSERT_TRUE(Soon([&] { return Prompts.Script.empty(); }));
    ASSERT_TRUE(Soon([&] { return !Window.isVisible(); }));
}

} // namespace
