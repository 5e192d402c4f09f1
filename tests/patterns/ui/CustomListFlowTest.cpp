#include "app/MainWindow.h"
#include "calendar/ui/TimeEntryDialog.h"
#include "patterns/ui/CustomListDialog.h"
#include "patterns/ui/RepeatPatternDialog.h"
#include "patterns/ui/RepeatPatternEditor.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedServices.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <cstdlib>

using namespace custodex;
using namespace custodex::testing;

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The main window with the client folder of a test machine; `start` opens a calendar from
// September 2004 for client Jones (September 1, 2004 is a Wednesday).
class ListsFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    ListsFlow() : Window(ServicesFor(Machine.Paths())) { Window.show(); }

    void Start()
    {
        QCoreApplication::processEvents();
        Window.ClientName->setText(QStringLiteral("Jones"));
        Window.UserYear->setCurrentText(QStringLiteral("2004"));
        Window.SelUserMonth->setCurrentText(QStringLiteral("September"));
        ClickStart(Window);
        Window.Document().ChangesPending = false;
        Window.Document().DistributionStale = false;
    }

    QString Folder() { return Window.Document().ClientFolder; }

    const CalendarDay& Day(int dayOfSeptember2004)
    {
        return Window.Document().Days.at(static_cast<std::size_t>(dayOfSeptember2004 - 1));
    }

    static void ClickItem(QListWidget* list, int row)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::KeyboardModifiers(),
                          list->visualItemRect(list->item(row)).center());
    }

    TestMachine Machine;
    TQDLMainCalendar Window;
};

TEST_F(ListsFlow, TheEditorWorksWithoutACalendarAndSavesItsList)
{
    ASSERT_FALSE(Window.Document().HasCalendar());
    const QString path = Folder() + QStringLiteral("CustomPats.txt");
    auto ran = WhenModal([&](QWidget* modal) {
        auto* editor = qobject_cast<TMakeRepeatPattern*>(modal);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("Add/Modify a Custom Repeat Pattern"));
        EXPECT_EQ(editor->PatsList->count(), 0);

        Prompts.Expect(QStringLiteral("Error!  Illegal to start a name with an asterick."));
        QTest::keyClicks(editor->PatternName, QStringLiteral("*"));
        EXPECT_EQ(editor->PatternName->text(), QString());
        QTest::keyClicks(editor->PatternName, QStringLiteral("Weekends"));
        QTest::keyClicks(editor->UserPattrn, QStringLiteral("nnxnooo"));
        Prompts.Expect(QStringLiteral("Illegal character found in repeat pattern.\n\rLegal "
                                      "characters are the characters O, D, and N.\n\rPlease "
                                      "correct and try again."));
        QTest::mouseClick(editor->AcceptBtn, Qt::LeftButton);
        EXPECT_EQ(editor->UserPattrn->text(), QStringLiteral("NNxNOOO"));
        EXPECT_EQ(editor->ErrorLbl->text(), QStringLiteral("  ^    "));
        EXPECT_EQ(editor->focusWidget(), editor->UserPattrn);

        editor->UserPattrn->setText(QStringLiteral("nnnnooo"));
        QTest::keyClick(editor->UserPattrn, Qt::Key_Return); // Enter accepts
        ASSERT_EQ(editor->PatsList->count(), 1);
        EXPECT_EQ(editor->PatsList->item(0)->text(), QStringLiteral("Weekends | NNNNOOO"));
        EXPECT_EQ(editor->ErrorLbl->text(), QString());

        // Modify takes the item back into the fields.
        ClickItem(editor->PatsList, 0);
        Prompts.Expect(QStringLiteral("Modify pattern Weekends | NNNNOOO?"), PromptAnswer::Yes);
        QTest::mouseClick(editor->BitBtn3, Qt::LeftButton);
        EXPECT_EQ(editor->PatsList->count(), 0);
        EXPECT_EQ(editor->UserPattrn->text(), QStringLiteral("NNNNOOO"));
        QTest::mouseClick(editor->AcceptBtn, Qt::LeftButton);

        Prompts.Expect(QStringLiteral("Custom patterns saved to file ") + path);
        QTest::mouseClick(editor->SaveAndClose, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("MakeRepeatPattern"))->trigger();
    ASSERT_TRUE(*ran);
    EXPECT_EQ(FileBytes(path), QByteArray("Weekends | NNNNOOO\r\n"));
}

TEST_F(ListsFlow, ARepeatPatternIsAppliedUndoneAndKept)
{
    Start();
    WriteBytes(Folder() + QStringLiteral("CustomPats.txt"),
               "Weekends | NNNNOOO\r\nVisits | DN\r\n");
    auto ran = WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TCustomPatterns*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Apply a Custom Pattern"));
        ASSERT_EQ(dialog->PatternList->count(), 2);
        EXPECT_EQ(dialog->PatternNameLabel->text(), QString());

        Prompts.Expect(QStringLiteral("Please select a custom pattern and try again."));
        QTest::mouseClick(dialog->ApplyBtn, Qt::LeftButton);

        ClickItem(dialog->PatternList, 0);
        EXPECT_EQ(dialog->PatternNameLabel->text(), QStringLiteral("Weekends"));
        EXPECT_EQ(dialog->PatternLabel->text(), QStringLiteral("NNNNOOO"));
        EXPECT_EQ(dialog->Alias->text(), QStringLiteral("Weekends"));
        dialog->Range->LastMonth->setCurrentText(QStringLiteral("September"));
        dialog->Range->LastYear->setCurrentText(QStringLiteral("2004"));

        // Sundays to Tuesdays of September 2004.
        Prompts.Expect(QStringLiteral("\tList of \"Weekends\" has been applied.\n\r\n\rThere "
                                      "were 12 Overnight Stays added.\n\rThere were 0 Day "
                                      "Visits Added."));
        QTest::mouseClick(dialog->ApplyBtn, Qt::LeftButton);
        EXPECT_EQ(Day(5).OvernightPickup, dialog->ONStrtTime->text());
        EXPECT_EQ(Day(6).OvernightDropoff, NoTimeText);
        EXPECT_EQ(Day(28).OvernightDropoff, dialog->ONEndTime->text());
        EXPECT_FALSE(Day(8).HasOvernight);
        EXPECT_EQ(Window.Document().AppliedChangeCount, 1);

        QTest::mouseClick(dialog->UndoBtn, Qt::LeftButton);
        EXPECT_FALSE(Day(5).HasOvernight);
        EXPECT_EQ(Window.Document().AppliedChangeCount, 0);

        ClickItem(dialog->PatternList, 1);
        Prompts.Expect(QStringLiteral("\tList of \"Visits\" has been applied.\n\r\n\rThere were "
                                      "0 Overnight Stays added.\n\rThere were 15 Day Visits "
                                      "Added."));
        QTest::mouseClick(dialog->ApplyBtn, Qt::LeftButton);
        QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("ApplyRepeatPattern"))->trigger();
    ASSERT_TRUE(*ran);
    EXPECT_TRUE(Day(1).HasDayVisit);
    EXPECT_FALSE(Day(2).HasDayVisit);
    EXPECT_TRUE(Window.Document().ChangesPending);
    EXPECT_TRUE(Window.Document().DistributionStale);
    EXPECT_GE(Window.DayVisitReasons->findText(QStringLiteral("Visits")), 0);
}

TEST_F(ListsFlow, WithoutAPatternFileTheDialogIsRefused)
{
    Start();
    const DayList opened = Window.Document().Days;
    Prompts.Expect(QStringLiteral("There are no custom patterns to apply!\n\rCreate some custom "
                                  "patterns, then try this\n\roperation again."));
    Window.Action(QStringLiteral("ApplyRepeatPattern"))->trigger();
    EXPECT_EQ(Window.Document().Days, opened);
    EXPECT_FALSE(Window.Document().ChangesPending);
}

TEST_F(ListsFlow, ATemplateIsAppliedAndCancelThrowsItAway)
{
    Start();
    const QString path = Folder() + QStringLiteral("2004September.tcl");
    WriteBytes(path, "QDL Jones September 2004 Custom List for the fall\r\n"
                     "ON September 24, 2004 Fall break\r\n"
                     "ON September 25, 2004 Fall break\r\n"
                     "DV Septembr 26, 2004 Typo\r\n"
                     "DV October 2, 2006 Late\r\n");
    Dialogs.Paths.push_back(path);
    const DayList opened = Window.Document().Days;
    auto ran = WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TACustomList*>(modal);
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([dialog] { return dialog->CustomDates->count() == 4; }));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Add/Remove a Custom List"));
        EXPECT_EQ(dialog->CustomReason->text(), QStringLiteral("2004September.tcl"));
        EXPECT_EQ(dialog->CreationLbl->text(), QStringLiteral("Apply Custom List for the fall"));
        EXPECT_TRUE(
            dialog->CustomDates->item(2)->text().contains(QStringLiteral("not applicable")));
        EXPECT_EQ(Dialogs.Requests.back().Filter, QStringLiteral("Template Custom List (*.tcl)"));

        // The time-entry dialog stands above the clicked field, centred on it.
        auto clocked = WhenModal([dialog](QWidget* clock) {
            const QRect field(dialog->OverNiteStrtTime->mapToGlobal(QPoint(0, 0)),
                              dialog->OverNiteStrtTime->size());
            // It moves once it shows, which takes a while on a busy machine.
            QTRY_VERIFY(clock->frameGeometry().bottom() <= field.top() &&
                        std::abs(clock->frameGeometry().center().x() - field.center().x()) <= 4);
            EXPECT_LE(clock->frameGeometry().bottom(), field.top());
            EXPECT_NEAR(clock->frameGeometry().center().x(), field.center().x(), 4);
            EXPECT_EQ(qobject_cast<TUserClock*>(clock)->ClockLabel->text(),
                      QStringLiteral("Set Start Time for Template Overnight Stays"));
            qobject_cast<TUserClock*>(clock)->reject();
        });
        dialog->move(300, 500);
        QTest::mouseClick(dialog->OverNiteStrtTime, Qt::LeftButton);
        EXPECT_TRUE(*clocked);

        dialog->CustomDates->selectAll();
        Prompts.Expect(QStringLiteral("\tWarning, line 4 of the template is not a custom list "
                                      "entry\n\r(\"Septembr\" is not a month name) and cannot "
                                      "be applied:\n\rDV Septembr 26, 2004 Typo"));
        Prompts.Expect(QStringLiteral("\tWarning, Late dated October 2, 2006 is\n\rout of the "
                                      "calendar range and cannot be applied."));
        Prompts.Expect(QStringLiteral("Selected custom items have been applied.\n\r\n\rThere "
                                      "were 2 Overnight Stays applied.\n\rThere were 0 Day "
                                      "Visits applied."));
        QTest::mouseClick(dialog->ApplyBtn, Qt::LeftButton);
        EXPECT_EQ(Day(24).OvernightReason, QStringLiteral("Fall break"));
        EXPECT_EQ(Day(24).OvernightDropoff, NoTimeText);
        EXPECT_EQ(Day(25).OvernightPickup, NoTimeText);
        EXPECT_TRUE(dialog->UndoBtn->isEnabled());

        Prompts.Expect(QStringLiteral("Warning!  If you cancel you will lose all "
                                      "changes!\n\rAre you sure you want to cancel?"),
                       PromptAnswer::Yes);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    Window.Action(QStringLiteral("ApplyCustomList"))->trigger();
    ASSERT_TRUE(*ran);
    EXPECT_EQ(Window.Document().Days, opened);
    EXPECT_EQ(Window.Document().AppliedChangeCount, 0);
}

TEST_F(ListsFlow, CancellingTheOpenDialogClosesTheListDialog)
{
    Start();
    Dialogs.Paths.push_back(QString());
    Prompts.Expect(QStringLiteral("Please select another file and try again."));
    Window.Action(QStringLiteral("ApplyCustomList"))->trigger();
    EXPECT_EQ(Dialogs.Requests.size(), 1u);
    EXPECT_FALSE(Window.Document().ChangesPending);
}

} // namespace
