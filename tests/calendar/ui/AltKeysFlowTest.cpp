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
        QTRY_COMPARE(QApplication::activeWindow(), &Window);
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
        EXPECT_EQ(Window.menuBar()->activeAction(), nullptr) << after;
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
        case Qt::Key_L:
        case Qt::Key_H: {
            QMenu* menu = BarMenu(key == Qt::Key_F   ? QStringLiteral("&File")
                                  : key == Qt::Key_L ? QStringLiteral("&Lists(Patterns)")
                                                     : QStringLiteral("&Help"));
            ASSERT_NE(menu, nullptr);
            Alt(key);
            QTRY_VERIFY2(menu->isVisible(), what.c_str());
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
            QTRY_VERIFY2(*shown, what.c_str());
            break;
        }
        case Qt::Key_E:
            Prompts.Expect(BothMarksNotice, PromptAnswer::Yes);
            Alt(key);
            QTRY_VERIFY2(Prompts.Script.empty(), what.c_str());
            EXPECT_TRUE(Window.isVisible()) << what;
            break;
        case Qt::Key_P: {
            // Two captions share P: the key moves between them, as Qt does for buddies, and
            // Enter or Space then acts on the one reached.
            Alt(key);
            QTRY_VERIFY2(Window.PrevMonthBtn->hasFocus(), what.c_str());
            EXPECT_EQ(Window.Document().ShownMonthIndex, month) << what;
            Alt(key);
            QTRY_COMPARE(Window.menuBar()->activeAction(), BarAction("Preview"));
            Alt(key);
            QTRY_VERIFY2(Window.PrevMonthBtn->hasFocus(), what.c_str());
            EXPECT_EQ(Window.menuBar()->activeAction(), nullptr) << what;
            EXPECT_EQ(Window.Document().ShownMonthIndex, month) << what;
            break;
        }
        case Qt::Key_X:
            Alt(key);
            QTRY_COMPARE(Window.Document().ShownMonthIndex, month + 1);
            Window.PrevMonthBtn->click();
            break;
        case Qt::Key_N:
            Window.Overnights->setFocus();
            Alt(key);
            QTRY_VERIFY2(Window.ClientName->hasFocus(), what.c_str());
            break;
        case Qt::Key_O:
        case Qt::Key_D: {
            QRadioButton* radio = key == Qt::Key_O ? Window.Overnights : Window.DayVisits;
            QRadioButton* other = key == Qt::Key_O ? Window.DayVisits : Window.Overnights;
            other->setChecked(true);
            Alt(key);
            QTRY_VERIFY2(radio->isChecked(), what.c_str());
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
    const Qt::Key keys[] = {Qt::Key_F, Qt::Key_L, Qt::Key_P, Qt::Key_R, Qt::Key_H,
                            Qt::Key_E, Qt::Key_N, Qt::Key_Y, Qt::Key_M, Qt::Key_O,
                            Qt::Key_D, Qt::Key_S, Qt::Key_X};
    const struct {
        const char* Name;
        std::function<void()> Before;
    } befores[] = {
        {"nothing", [] {}},
        {"Alt+E, Escape",
         [this] {
             Prompts.Expect(BothMarksNotice, PromptAnswer::Yes);
             Alt(Qt::Key_E);
             QTRY_VERIFY(Prompts.Script.empty());
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
             QTRY_VERIFY(*shown);
             Activate();
             Press(Qt::Key_Escape);
         }},
    };
    for (const auto& before : befores)
        for (Qt::Key key : keys) {
            Window.ClientName->setFocus();
            before.Before();
            Activate();
            ExpectAtRest(before.Name);
            CheckKey(key, before.Name);
        }
}

} // namespace
