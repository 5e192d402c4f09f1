// custodex-calendar FILE.cdb: the file opens on the first activation through Open's own
// checks and messages, and the start wizard stays closed.

#include "app/MainWindow.h"
#include "calendar/CalendarFile.h"
#include "platform/FileLock.h"
#include "support/ScriptedWindowServices.h"
#include "support/SpecialFiles.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace custodex;
using namespace custodex::testing;

namespace {

// One start of the program with a file on its command line and the messages it is expected
// to show. A modal window that appears (the start wizard) is closed and its title kept, so a
// test never blocks on it; the watch ends with the start, so it never reaches another test.
struct StartWithFile : ScriptedWindowServices {
    StartWithFile(const TestMachine& machine, const QString& file,
                  const std::vector<QString>& prompts = {})
        : Window(ServicesFor(machine.Paths()))
    {
        for (const QString& text : prompts)
            Prompts.Expect(text);
        Window.OpenAtStart(file);
        QObject::connect(&ModalWatch, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal->isVisible()) {
                ModalTitle = modal->windowTitle();
                modal->close();
            }
        });
        ModalWatch.start(5);
        Window.show();
        QCoreApplication::processEvents();
        QTest::qWait(50);
    }
    QTimer ModalWatch;
    TQDLMainCalendar Window;
    QString ModalTitle; // empty: no modal window was shown
};

QByteArray CalendarBytes(const QString& client, int startMonth, int year)
{
    CalendarDocument doc;
    doc.ClientName = client;
    doc.UserYear = QString::number(year);
    BuildSpan(doc, startMonth, year);
    doc.Days[3].HasOvernight = true;
    doc.Days[3].OvernightReason = QStringLiteral("Weekend");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.cdb"));
    EXPECT_TRUE(WriteCalendarFile(doc, path, true).Ok);
    return FileBytes(path);
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(OpenAtStart, OpensTheFileInPlaceOfTheWizard)
{
    TestMachine machine(true); // wizard on: a plain start would show it
    QTemporaryDir elsewhere;
    const QString path = elsewhere.filePath(QStringLiteral("Brown.cdb"));
    WriteBytes(path, CalendarBytes(QStringLiteral("Brown"), 2, 2024));

    StartWithFile run(machine, path);
    EXPECT_EQ(run.ModalTitle, QString());
    EXPECT_TRUE(run.Prompts.Seen.empty());
    ASSERT_TRUE(run.Window.Document().HasCalendar());
    EXPECT_EQ(run.Window.windowTitle(), QStringLiteral("Calendar File=Brown.cdb"));
    EXPECT_EQ(run.Window.ClientName->text(), QStringLiteral("Brown"));
    EXPECT_EQ(run.Window.MonthYearLbl->text(), QStringLiteral("March    2024"));
    EXPECT_TRUE(run.Window.Document().Days[3].HasOvernight);
    EXPECT_FALSE(run.Window.StartBtn->isEnabled());
    EXPECT_TRUE(run.Window.Action(QStringLiteral("Save"))->isEnabled());
    // As after File > Open: the file heads the recent list and its folder is the client folder.
    QAction* recent = run.Window.Action(QStringLiteral("Lastfile1"));
    EXPECT_TRUE(recent->isVisible());
    EXPECT_TRUE(recent->isChecked());
    EXPECT_EQ(recent->text(), path);
    EXPECT_EQ(run.Window.Document().ClientFolder, elsewhere.path() + QLatin1Char('/'));
    EXPECT_FALSE(run.Window.Document().ChangesPending);
    run.Window.close();
    EXPECT_TRUE(machine.Ini().contains("CHKMARK" + path.toUtf8()));
}

TEST(OpenAtStart, RelativePathIsTakenFromTheCurrentFolder)
{
    TestMachine machine;
    QTemporaryDir folder;
    WriteBytes(folder.filePath(QStringLiteral("Green.cdb")),
               CalendarBytes(QStringLiteral("Green"), 0, 2023));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    StartWithFile run(machine, QStringLiteral("Green.cdb"));
    QDir::setCurrent(previous);
    ASSERT_TRUE(run.Window.Document().HasCalendar());
    EXPECT_EQ(run.Window.Action(QStringLiteral("Lastfile1"))->text(),
              folder.filePath(QStringLiteral("Green.cdb")));
    EXPECT_EQ(run.Window.Document().ClientFolder, folder.path() + QLatin1Char('/'));
    run.Window.close();
}

// A file that cannot be opened gets Open's message for it, the window stays without a
// calendar and ready for Start, and the wizard is not shown after the message either.
TEST(OpenAtStart, FilesThatCannotBeOpenedGiveOpensMessages)
{
    struct Case {
        const char* Name;
        std::function<bool(const QString&)> Make;
        std::function<QString(const QString&)> Message;
    };
    const auto cannotOpen = [](const QString& path) {
        return QStringLiteral("Cannot open file ") + path +
               QStringLiteral(".\r\nThe file name has been mistyped, or the file is missing, "
                              "been moved to\r\nanother folder, or has been corrupted");
    };
    const auto errorReading = [](const QString& path) {
        return QStringLiteral("Error reading ") + path;
    };
    const std::vector<Case> cases = {
        {"missing", [](const QString&) { return true; }, cannotOpen},
        {"not a calendar",
         [](const QString& path) {
             QFile file(path);
             return file.open(QIODevice::WriteOnly) &&
                    file.write("Smith\r\n2024\r\nnot a day record\r\n") > 0;
         },
         errorReading},
        {"cut short",
         [](const QString& path) {
             QFile file(path);
             return file.open(QIODevice::WriteOnly) &&
                    file.write(CalendarBytes(QStringLiteral("Smith"), 0, 2024).left(4000)) > 0;
         },
         errorReading},
        {"a folder", [](const QString& path) { return QDir().mkdir(path); },
         [](const QString& path) {
             return QStringLiteral("Error reading ") + path +
                    QStringLiteral("\n\rIt is a folder, not a file.");
         }},
        {"a FIFO", [](const QString& path) { return MakeFifo(path); },
         [](const QString& path) {
             return QStringLiteral("Error reading ") + path +
                    QStringLiteral("\n\rIt is not a regular file.");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TestMachine machine(true);
        const QString path = machine.Client(QStringLiteral("Smith.cdb"));
        ASSERT_TRUE(c.Make(path));
        const QString expected = c.Message(path);
        StartWithFile run(machine, path, {expected});
        ASSERT_EQ(run.Prompts.Seen.size(), 1u);
        EXPECT_EQ(run.Prompts.Seen[0].Kind, PromptKind::Error);
        EXPECT_EQ(run.Prompts.Seen[0].Text, expected);
        EXPECT_EQ(run.Prompts.Seen[0].Buttons, expected.startsWith(QStringLiteral("Error reading"))
                                                   ? PromptButtons::Cancel
                                                   : PromptButtons::Ok);
        EXPECT_EQ(run.ModalTitle, QString());
        EXPECT_FALSE(run.Window.Document().HasCalendar());
        EXPECT_TRUE(run.Window.StartBtn->isEnabled());
        EXPECT_FALSE(run.Window.Action(QStringLiteral("Save"))->isEnabled());
        EXPECT_FALSE(run.Window.Action(QStringLiteral("Lastfile1"))->isVisible());
    }
}

// A locked calendar opens as File > Open opens it; the lock keeps it from being replaced.
TEST(OpenAtStart, LockedFileOpensAndStaysUntouched)
{
    TestMachine machine;
    const QString path = machine.Client(QStringLiteral("Locked.cdb"));
    const QByteArray bytes = CalendarBytes(QStringLiteral("Locked"), 5, 2025);
    ASSERT_TRUE(MakeLockedFile(path, bytes));
    StartWithFile run(machine, path);
    ASSERT_TRUE(run.Window.Document().HasCalendar());
    EXPECT_EQ(run.Window.windowTitle(), QStringLiteral("Calendar File=Locked.cdb"));

    run.Window.Document().ChangesPending = true;
    run.Prompts.Expect(QStringLiteral("Saving ") + path +
                           QStringLiteral(" will overwrite \n\rprevious database information "
                                          "for Locked.cdb\n\rDo you want to continue?  "
                                          "(Normally your answer is Yes)"),
                       PromptAnswer::Yes);
    run.Prompts.Expect(
        QStringLiteral("Error!  Can't save to file Locked.cdb\n\rbecause it is locked."),
        PromptAnswer::Cancel);
    run.Window.Action(QStringLiteral("Save"))->trigger();
    EXPECT_TRUE(IsFileLocked(path));
    EXPECT_EQ(FileBytes(path), bytes);
    run.Window.Document().ChangesPending = false;
    run.Window.close();
}

} // namespace
