#include "app/MainWindow.h"
#include "calendar/ui/GuidelinesPage.h"
#include "calendar/ui/PreferencesDialog.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

class GuidelinesFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    GuidelinesFlow() : Window(ServicesFor(Machine.Paths()))
    {
        Window.show();
        QCoreApplication::processEvents();
        StartCalendar(Window, T("Smith"), T("2024"), T("March"));
        Window.Document().ChangesPending = false;
    }

    // Opens the preferences, adds a guideline on their Guidelines page through its editor
    // (first with a figure it refuses), and leaves with OK.
    void AddGuidelineInPreferences(const char* name, int measure, const char* atLeast)
    {
        auto ran = WhenModal([&](QWidget* modal) {
            auto* preferences = qobject_cast<TUserInitialize*>(modal);
            ASSERT_NE(preferences, nullptr);
            preferences->Pages->setCurrentWidget(preferences->GuidelinesTab);
            GuidelineEditor* editor = preferences->GuidelinesTab->Editor;
            auto edited = WhenModal([&, editor](QWidget* shown) {
                ASSERT_EQ(shown, editor);
                editor->Name->setText(T(name));
                editor->Measure->setCurrentIndex(measure);
                editor->AtLeast->setText(T("367.5"));
                Prompts.Expect(T("\"367.5\" cannot be the figure of this guideline.\n\r") +
                                   GuidelineValueRule(GuidelineMeasure::Overnights),
                               PromptAnswer::Ok);
                QTest::mouseClick(editor->OkBtn, Qt::LeftButton);
                EXPECT_TRUE(editor->isVisible());
                EXPECT_EQ(editor->focusWidget(), editor->AtLeast);
                editor->AtLeast->setText(T(atLeast));
                QTest::mouseClick(editor->OkBtn, Qt::LeftButton);
            });
            QTest::mouseClick(preferences->GuidelinesTab->AddBtn, Qt::LeftButton);
            EXPECT_TRUE(*edited);
            QTest::mouseClick(preferences->OkBtn, Qt::LeftButton);
        });
        Window.findChild<QAction*>(T("Preferences"))->trigger();
        EXPECT_TRUE(*ran);
    }

    TestMachine Machine;
    TQDLMainCalendar Window;
};

TEST_F(GuidelinesFlow, AGuidelineAddedInPreferencesShowsBesideTheCountersAndFollowsTheMarks)
{
    EXPECT_FALSE(Window.GuidelinesPanel->isVisible());
    AddGuidelineInPreferences("Overnight minimum", 0, "1");
    ASSERT_EQ(Window.Document().Guidelines.size(), 1u);
    EXPECT_EQ(Window.Document().Guidelines[0].AtLeast, 1);
    EXPECT_TRUE(Window.Document().ChangesPending);
    EXPECT_TRUE(Window.GuidelinesPanel->isVisible());
    EXPECT_TRUE(Window.GuidelinesPanel->toolTip().contains(
        T("\u2717 Overnight minimum: 0 of 2, short by 2")))
        << Window.GuidelinesPanel->toolTip().toStdString();

    // A night marked: the first year reaches its one night, both years are still one short.
    Window.Document().Days[0].HasOvernight = true;
    Window.Document().Days[0].OvernightReason = T("Weekend");
    Window.RedrawMonth();
    EXPECT_TRUE(Window.GuidelinesPanel->toolTip().contains(T("1 of 2, short by 1")));
    QTest::mouseClick(Window.Show1YCntrs, Qt::LeftButton);
    EXPECT_TRUE(Window.GuidelinesPanel->toolTip().startsWith(T("Guidelines (1st year)")));
    EXPECT_TRUE(Window.GuidelinesPanel->toolTip().contains(
        T("\u2713 Overnight minimum: 1 of 1, met")));
}

} // namespace
