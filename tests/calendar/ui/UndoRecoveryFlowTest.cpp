#include "app/MainWindow.h"
#include "calendar/CalendarFile.h"
#include "calendar/Recovery.h"
#include "calendar/ui/CalendarCommands.h"
#include "calendar/ui/DayCellWidget.h"
#include "calendar/ui/RecoveryWindow.h"
#include "entry/ui/DayEditorDialog.h"
#include "patterns/BulkDialogRules.h"
#include "support/ModalDriver.h"
#include "support/ScriptedServices.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

using namespace custodex;
using namespace custodex::testing;

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A user's machine with a recovery folder and Garcia's calendar (January 2023 on) saved in the
// client folder.
struct RecoveryMachine : TestMachine {
    RecoveryMachine()
    {
        CalendarDocument doc;
        doc.UserYear = QStringLiteral("2023");
        BuildSpan(doc, 0, 2023);
        doc.ClientName = QStringLiteral("Garcia");
        RecountCounters(doc);
        WriteCalendarFile(doc, GarciaFile(), true);
    }
    ProgramPaths Paths() const
    {
        ProgramPaths paths = TestMachine::Paths();
        paths.RecoveryFolder = RecoveryRoot();
        return paths;
    }
    QString RecoveryRoot() const { return Root.filePath(QStringLiteral("state/Recovery/")); }
    QString GarciaFile() const { return Client(QStringLiteral("Garcia.cdb")); }
    std::vector<RecoveryCopy> Copies() const { return ListRecoveryCopies(RecoveryRoot()); }
};

// One run of the program on that machine.
struct OneRun : ScriptedWindowServices {
    explicit OneRun(const ProgramPaths& paths) : Window(ServicesFor(paths)) {}
    void Show()
    {
        Window.show();
        QCoreApplication::processEvents(); // first activation
    }
    void Open(const QString& path)
    {
        Window.OpenNamedCalendar(path);
        ASSERT_TRUE(Window.Document().HasCalendar());
        ASSERT_FALSE(Window.Document().ChangesPending);
    }
    QAction* Action(const char* name) { return Window.Action(QLatin1String(name)); }
    // A key as the user presses it in the month grid: shortcuts reach only the active window.
    void Press(int key, Qt::KeyboardModifiers modifiers)
    {
        QCoreApplication::processEvents();
        Window.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &Window);
        Window.MonthArea->setFocus();
        QTest::keyClick(Window.MonthArea, static_cast<Qt::Key>(key), modifiers);
    }
    // A left click on a cell and OK in the day editor, with the default reason.
    void MarkWithEditor(int cellNumber)
    {
        auto ran = WhenModal([](QWidget* modal) {
            auto* editor = qobject_cast<TSetAONDay*>(modal);
            ASSERT_NE(editor, nullptr);
            editor->EditReason->setEditText(QStringLiteral("Weekend"));
            QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
        });
        QTest::mouseClick(Window.Cells[static_cast<std::size_t>(cellNumber - 1)], Qt::LeftButton,
                          {}, QPoint(40, 30));
        ASSERT_TRUE(*ran);
    }
    // The program's next look at its recovery copy.
    void WaitForCopy() { QTest::qWait(RecoveryCheckMilliseconds + 300); }
    TQDLMainCalendar Window;
};

// January 2023 begins on a Sunday: cell 6 is Friday the 6th, day index 5.
constexpr int FridayCell = 6;
constexpr std::size_t Friday = 5;

TEST(UndoFlow, CtrlZBringsBackAMarkedDayItsCountersAndTheCleanStateCtrlYRedoesIt)
{
    RecoveryMachine machine;
    OneRun run(machine.Paths());
    run.Show();
    run.Open(machine.GarciaFile());
    const DayList opened = run.Window.Document().Days;
    QAction* undo = run.Action("Undo");
    QAction* redo = run.Action("Redo");
    ASSERT_NE(undo, nullptr);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    run.MarkWithEditor(FridayCell);
    const DayList marked = run.Window.Document().Days;
    ASSERT_TRUE(marked[Friday].HasOvernight);
    EXPECT_TRUE(run.Window.Document().ChangesPending);
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo Overnight on January 6, 2023"));
    EXPECT_EQ(run.Window.CounterLabels[0]->text(), QStringLiteral("1"));

    run.Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(run.Window.Document().Days, opened);
    EXPECT_EQ(run.Window.CounterLabels[0]->text(), QStringLiteral("0"));
    EXPECT_FALSE(run.Window.Document().ChangesPending);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text(), QStringLiteral("&Redo Overnight on January 6, 2023"));
    EXPECT_EQ(run.Window.statusBar()->currentMessage(),
              QStringLiteral("Undone: Overnight on January 6, 2023"));

    run.Press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(run.Window.Document().Days, marked);
    EXPECT_EQ(run.Window.CounterLabels[0]->text(), QStringLiteral("1"));
    EXPECT_TRUE(run.Window.Document().ChangesPending);
    EXPECT_TRUE(run.Window.Document().DistributionStale);

    // A right click removes the mark: one more step; Ctrl+Shift+Z redoes as Ctrl+Y does.
    QTest::mouseClick(run.Window.Cells[FridayCell - 1], Qt::RightButton, {}, QPoint(40, 30));
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo Remove Overnight on January 6, 2023"));
    undo->trigger();
    EXPECT_EQ(run.Window.Document().Days, marked);
    run.Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(run.Window.Document().Days[Friday].HasOvernight);

    // Close clears the history.
    run.Prompts.Expect(QStringLiteral("Save changes to Garcia?"), PromptAnswer::No);
    run.Prompts.Expect(
        QStringLiteral("Are you sure you want to close without\n\rsaving changes to Garcia?"),
        PromptAnswer::Yes);
    run.Action("CloseFile")->trigger();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}

// A dialog's runs as the engines make them: each takes its Undo copy, then changes days.
void RunMarks(CalendarDocument& doc, std::initializer_list<std::size_t> days, bool mark)
{
    TakeSnapshot(doc, SnapshotKind::Undo);
    for (std::size_t day : days) {
        doc.Days[day].HasOvernight = mark;
        doc.Days[day].OvernightReason = mark ? QStringLiteral("Alt") : QString();
    }
    ++doc.AppliedChangeCount;
}

TEST(UndoFlow, EachApplyAndRemoveOfABulkDialogIsOneStepAndItsOwnUndoLeavesNone)
{
    RecoveryMachine machine;
    OneRun run(machine.Paths());
    run.Show();
    run.Open(machine.GarciaFile());
    const DayList opened = run.Window.Document().Days;
    CalendarHistory& history = run.Window.History();

    DayList afterApply;
    RunDayChangingCommand(
        run.Window, DayChangingGroup::Patterns,
        [&] {
            CalendarDocument& doc = run.Window.Document();
            RunMarks(doc, {1, 2, 3}, true); // Apply
            afterApply = doc.Days;
            RunMarks(doc, {2}, false); // Remove
            RunMarks(doc, {9}, true);  // Apply, then the dialog's own Undo
            bool undoEnabled = true;
            bool undoCounted = true;
            UndoLastRun(doc, undoEnabled, undoCounted);
            return true; // Save/Close
        },
        QStringLiteral("Odd/Even/All Pattern"));
    ASSERT_EQ(history.Stack().count(), 2);
    EXPECT_EQ(history.Stack().text(0), QStringLiteral("Apply Odd/Even/All Pattern"));
    EXPECT_EQ(history.Stack().text(1), QStringLiteral("Remove Odd/Even/All Pattern"));
    EXPECT_FALSE(run.Window.Document().Days[9].HasOvernight);

    run.Action("Undo")->trigger();
    EXPECT_EQ(run.Window.Document().Days, afterApply);
    run.Action("Undo")->trigger();
    EXPECT_EQ(run.Window.Document().Days, opened);
    EXPECT_FALSE(run.Window.Document().ChangesPending);

    // Cancel brings every day back and leaves no step.
    run.Action("Redo")->trigger();
    const int steps = history.Stack().count();
    RunDayChangingCommand(run.Window, DayChangingGroup::Patterns, [&] {
        RunMarks(run.Window.Document(), {20}, true);
        return false;
    });
    EXPECT_EQ(history.Stack().count(), steps);
    EXPECT_FALSE(run.Window.Document().Days[20].HasOvernight);
}

// Leaves a copy of Garcia's calendar with Friday marked, as a program killed after the change.
void LeaveCrashCopy(const RecoveryMachine& machine)
{
    CalendarDocument doc;
    ASSERT_TRUE(ReadCalendarFile(doc, machine.GarciaFile()).Ok);
    RecoveryKeeper keeper(machine.RecoveryRoot(), [] { return QDateTime::currentDateTimeUtc(); });
    keeper.Bind(machine.GarciaFile());
    doc.Days[Friday].HasOvernight = true;
    doc.Days[Friday].OvernightReason = QStringLiteral("Weekend");
    doc.ChangesPending = true;
    ASSERT_EQ(keeper.Check(doc), RecoveryKeeper::Outcome::Written);
}

// Answers the start's recovery window with one of its buttons.
std::shared_ptr<bool> AnswerRecovery(const char* button, QStringList* rows = nullptr)
{
    return WhenModal([button, rows](QWidget* modal) {
        auto* window = qobject_cast<RecoveryWindow*>(modal);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Recover Unsaved Changes"));
        if (rows)
            for (int c = 0; c < window->CopyList->columnCount(); ++c)
                rows->push_back(window->CopyList->topLevelItem(0)->text(c));
        QTest::mouseClick(window->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    });
}

TEST(RecoveryFlow, TheStartOffersACopyLaterKeepsItDiscardRemovesItRecoverOpensIt)
{
    RecoveryMachine machine;
    const QByteArray original = Bytes(machine.GarciaFile());
    LeaveCrashCopy(machine);
    {
        OneRun run(machine.Paths());
        QStringList row;
        auto later = AnswerRecovery("LaterBtn", &row);
        run.Show();
        ASSERT_TRUE(*later);
        EXPECT_EQ(row.at(0), QStringLiteral("Garcia"));
        EXPECT_EQ(row.at(1), machine.GarciaFile());
        EXPECT_EQ(row.at(3), QStringLiteral("1"));
        EXPECT_FALSE(run.Window.Document().HasCalendar());
        EXPECT_EQ(machine.Copies().size(), 1u);
    }
    {
        OneRun run(machine.Paths());
        run.Prompts.Expect(QStringLiteral("Discard the unsaved changes to Garcia?\n\rThey cannot "
                                          "be recovered afterwards."),
                           PromptAnswer::Yes);
        auto discard = AnswerRecovery("DiscardBtn");
        run.Show();
        ASSERT_TRUE(*discard);
        EXPECT_TRUE(machine.Copies().empty());
    }
    LeaveCrashCopy(machine);
    {
        OneRun run(machine.Paths());
        auto recover = AnswerRecovery("RecoverBtn");
        run.Show();
        ASSERT_TRUE(*recover);
        const CalendarDocument& doc = run.Window.Document();
        ASSERT_TRUE(doc.HasCalendar());
        EXPECT_TRUE(doc.Days[Friday].HasOvernight);
        EXPECT_TRUE(doc.ChangesPending);
        EXPECT_EQ(run.Window.windowTitle(), QStringLiteral("Calendar File=Garcia.cdb"));
        EXPECT_EQ(Bytes(machine.GarciaFile()), original) << "nothing written before Save";

        run.Prompts.Expect(QStringLiteral("Saving ") + machine.GarciaFile() +
                               QStringLiteral(" will overwrite \n\rprevious database information "
                                              "for Garcia.cdb\n\rDo you want to continue?  "
                                              "(Normally your answer is Yes)"),
                           PromptAnswer::Yes);
        run.Action("Save")->trigger();
        EXPECT_FALSE(doc.ChangesPending);
        CalendarDocument saved;
        ASSERT_TRUE(ReadCalendarFile(saved, machine.GarciaFile()).Ok);
        EXPECT_TRUE(saved.Days[Friday].HasOvernight);
        EXPECT_TRUE(machine.Copies().empty()) << "saved: the copy goes";
    }
}

TEST(RecoveryFlow, ANoAtTheSaveQuestionIsTakenBackFromTheFileMenu)
{
    RecoveryMachine machine;
    OneRun run(machine.Paths());
    run.Show();
    run.Open(machine.GarciaFile());
    run.MarkWithEditor(FridayCell);
    run.WaitForCopy();
    ASSERT_EQ(machine.Copies().size(), 1u);
    EXPECT_EQ(machine.Copies()[0].Reason, RecoveryReason::Crash);

    run.Prompts.Expect(QStringLiteral("Save changes to Garcia?"), PromptAnswer::No);
    run.Prompts.Expect(
        QStringLiteral("Are you sure you want to close without\n\rsaving changes to Garcia?"),
        PromptAnswer::Yes);
    run.Action("CloseFile")->trigger();
    ASSERT_FALSE(run.Window.Document().HasCalendar());
    ASSERT_EQ(machine.Copies().size(), 1u);
    EXPECT_EQ(machine.Copies()[0].Reason, RecoveryReason::Declined);

    auto recover = AnswerRecovery("RecoverBtn");
    run.Action("RecoverUnsaved")->trigger();
    ASSERT_TRUE(*recover);
    EXPECT_TRUE(run.Window.Document().Days[Friday].HasOvernight);
    EXPECT_TRUE(run.Window.Document().ChangesPending);
    EXPECT_EQ(run.Window.Document().DocumentFolder + run.Window.Document().CurrentFileName,
              machine.GarciaFile());
}

TEST(RecoveryFlow, AStateFolderThatCannotBeWrittenIsSaidOnceAndWorkGoesOn)
{
    RecoveryMachine machine;
    ProgramPaths paths = machine.Paths();
    QFile blocker(machine.Root.filePath(QStringLiteral("state-file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    paths.RecoveryFolder = machine.Root.filePath(QStringLiteral("state-file/Recovery/"));
    OneRun run(paths);
    run.Show();
    run.Open(machine.GarciaFile());
    run.MarkWithEditor(FridayCell);
    run.WaitForCopy();
    EXPECT_EQ(run.Window.statusBar()->currentMessage(), RecoveryFailedMessage);
    run.Window.statusBar()->clearMessage();
    run.MarkWithEditor(FridayCell + 1);
    run.WaitForCopy();
    EXPECT_TRUE(run.Window.statusBar()->currentMessage().isEmpty()) << "said once";
    EXPECT_TRUE(run.Window.Document().Days[Friday + 1].HasOvernight);
    EXPECT_TRUE(run.Action("Undo")->isEnabled());
}

} // namespace
