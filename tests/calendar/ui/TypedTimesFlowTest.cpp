#include "app/MainWindow.h"
#include "calendar/ui/PreferencesDialog.h"
#include "calendar/ui/TimeEntryDialog.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedServices.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using namespace custodex;
using namespace custodex::testing;

namespace {

// Types as a keyboard does: each key goes to whatever holds the focus in `window`.
void Type(QWidget* window, const char* keys)
{
    for (const char* k = keys; *k; ++k)
        QTest::keyClick(window->windowHandle(), *k);
}

void Press(QWidget* window, Qt::Key key)
{
    QTest::keyClick(window->windowHandle(), key);
}

const QString ClockHourRefusal =
    QStringLiteral("Invalid hour.  Must be a value from 0 to 12\n\rTyped as a 24-hour time (such "
                   "as 18:30), the hour is a value from 0 to 23.");

TEST(TypedTimes, TheTimeEntryTakesTypedTimesAndQuarterHours)
{
    ScriptedPrompter prompts;
    TUserClock clock;
    clock.SetMessages(prompts);
    CalendarDocument doc;
    const struct {
        const char* From;
        std::function<void(QWidget*)> Keys;
        const char* Result;
    } cases[] = {
        {"<None>", [](QWidget* w) { Type(w, "6:30p"); }, "06:30PM"},
        {"09:00AM", [](QWidget* w) { Type(w, "1830"); }, "06:30PM"},
        {"09:00AM",
         [&](QWidget* w) {
             prompts.Expect(ClockHourRefusal);
             Type(w, "25:"); // 2:50, then no hour 25
             Press(w, Qt::Key_PageUp);
         },
         "03:00AM"},
        {"11:50PM", [](QWidget* w) { Press(w, Qt::Key_PageUp); }, "11:50PM"},
        {"06:15PM",
         [&](QWidget* w) {
             QTest::mouseClick(clock.TimeMins, Qt::LeftButton);
             Type(w, "45");
             Press(w, Qt::Key_Down); // the spinner on the minutes
         },
         "06:44PM"},
    };
    for (const auto& c : cases) {
        QString time = QString::fromLatin1(c.From);
        auto ran = WhenModal([&](QWidget* modal) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(modal));
            c.Keys(modal);
            Press(modal, Qt::Key_Return);
        });
        EXPECT_TRUE(clock.Execute(doc, QStringLiteral("Set Time"), time)) << c.From;
        ASSERT_TRUE(*ran);
        EXPECT_EQ(time, QString::fromLatin1(c.Result)) << c.From;
    }
    EXPECT_TRUE(prompts.Script.empty());
}

class TypedTimesWindow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    TypedTimesWindow() : Window(ServicesFor(Machine.Paths()))
    {
        Window.show();
        QCoreApplication::processEvents();
        Window.ClientName->setText(QStringLiteral("Smith"));
        Window.UserYear->setCurrentText(QStringLiteral("2023"));
        Window.SelUserMonth->setCurrentText(QStringLiteral("January"));
        ClickStart(Window);
    }

    TestMachine Machine;
    TQDLMainCalendar Window;
};

TEST_F(TypedTimesWindow, PreferencesTakeTypedDurationsAndDefaultTimes)
{
    ASSERT_TRUE(Window.Document().HasCalendar());
    Window.Document().DistributionStale = false;
    auto ran = WhenModal([&](QWidget* modal) {
        auto* preferences = qobject_cast<TUserInitialize*>(modal);
        ASSERT_NE(preferences, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(modal));
        // Sleep: a whole time typed into the hours, then a refused hour.
        preferences->HourFields[1]->setFocus();
        Type(modal, "930");
        EXPECT_EQ(preferences->HourFields[1]->text(), QStringLiteral("09"));
        EXPECT_EQ(preferences->MinuteFields[1]->text(), QStringLiteral("30"));
        Prompts.Expect(QStringLiteral("Invalid hour.  Must be a value from 0 to 12"));
        Type(modal, "13:");
        EXPECT_TRUE(preferences->HourFields[1]->hasFocus());
        Type(modal, "9:15");
        // The day visit: Page Up by a quarter hour, minutes typed into the minutes field.
        preferences->HourFields[2]->setFocus();
        Press(modal, Qt::Key_PageUp);
        EXPECT_EQ(preferences->HourFields[2]->text(), QStringLiteral("12"));
        EXPECT_EQ(preferences->MinuteFields[2]->text(), QStringLiteral("15"));
        Press(modal, Qt::Key_Tab);
        EXPECT_TRUE(preferences->MinuteFields[2]->hasFocus());
        Type(modal, "5");
        // The default overnight pickup through the time entry, typed.
        auto typed = WhenModal([](QWidget* clock) {
            Type(clock, "6p");
            Press(clock, Qt::Key_Return);
        });
        QTest::mouseClick(preferences->OverNiteStrtTime, Qt::LeftButton);
        EXPECT_TRUE(*typed);
        EXPECT_EQ(preferences->OverNiteStrtTime->text(), QStringLiteral("06:00PM"));
        QTest::mouseClick(preferences->OkBtn, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("Preferences"))->trigger();
    ASSERT_TRUE(*ran);
    const CalendarDocument& doc = Window.Document();
    EXPECT_EQ(doc.SleepTime, QStringLiteral("09:15"));
    EXPECT_EQ(doc.SleepMinutes, 555);
    EXPECT_EQ(doc.DayVisitHours, QStringLiteral("12:05"));
    EXPECT_EQ(doc.OverNiteStrtTime, QStringLiteral("06:00PM"));
    EXPECT_TRUE(doc.DistributionStale);
}

} // namespace
