#include "app/MainWindow.h"
#include "platform/FileLock.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedServices.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>

using namespace custodex;
using namespace custodex::testing;

namespace {

class IcsFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    IcsFlow() : Window(ServicesFor(Machine.Paths()))
    {
        Window.show();
        QCoreApplication::processEvents();
        QDir(Machine.Root.path()).mkpath(QStringLiteral("exports"));
    }
    void Start(const QString& client)
    {
        Window.ClientName->setText(client);
        Window.UserYear->setCurrentText(QStringLiteral("2004"));
        Window.SelUserMonth->setCurrentText(QStringLiteral("September"));
        ClickStart(Window);
    }
    void MarkWeekend()
    {
        CalendarDay& friday = Window.Document().Days[2];
        friday.HasOvernight = true;
        friday.OvernightReason = QStringLiteral("Weekend");
        friday.OvernightPickup = QStringLiteral("06:00PM");
        friday.OvernightDropoff = QStringLiteral("08:30AM");
    }
    void WriteIcs() { Window.Action(QStringLiteral("WriteIcs"))->trigger(); }
    QByteArray Written() const
    {
        QFile file(Target);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TestMachine Machine;
    TQDLMainCalendar Window;
    QString Chosen = Machine.Root.filePath(QStringLiteral("exports/Jones"));
    QString Target = Chosen + QStringLiteral(".ics");
};

const QString EmptyQuestion = QStringLiteral(
    "No Overnight Stays or Day Visits are marked on your calendar.\n\rDo you really want to "
    "create an empty calendar .ics file?");

TEST_F(IcsFlow, ChecksInTheCsvExportsOrder)
{
    // Without a calendar the item is off, beside the CSV item.
    EXPECT_FALSE(Window.Action(QStringLiteral("WriteIcs"))->isEnabled());

    Start(QStringLiteral("No Name"));
    Prompts.Expect(QStringLiteral("Invalid Client name.  Write an .ics file anyway?"),
                   PromptAnswer::Cancel);
    WriteIcs();
    Prompts.Expect(QStringLiteral("Invalid Client name.  Write an .ics file anyway?"),
                   PromptAnswer::Yes);
    Prompts.Expect(EmptyQuestion, PromptAnswer::No);
    WriteIcs();
    EXPECT_TRUE(Dialogs.Requests.empty());

    Prompts.Expect(QStringLiteral("Invalid Client name.  Write an .ics file anyway?"),
                   PromptAnswer::Yes);
    Prompts.Expect(EmptyQuestion, PromptAnswer::Yes);
    Dialogs.Paths = {QString()}; // cancelled
    WriteIcs();
    EXPECT_EQ(Dialogs.Requests.size(), 1u);
    EXPECT_FALSE(QFile::exists(Target));
}

TEST_F(IcsFlow, WritesAsksBeforeReplacingAndKeepsLockedFiles)
{
    Start(QStringLiteral("Jones"));
    MarkWeekend();
    Dialogs.Paths = {Chosen};
    WriteIcs();
    ASSERT_EQ(Dialogs.Requests.size(), 1u);
    const FileDialogRequest& request = Dialogs.Requests.back();
    EXPECT_EQ(request.Title, QStringLiteral("Create a Calendar .ics file"));
    EXPECT_EQ(request.Filter, QStringLiteral("iCalendar Files (*.ics)"));
    EXPECT_EQ(request.FileName, QStringLiteral("Jones"));
    EXPECT_FALSE(request.ConfirmOverwrite); // the program asks about the real file
    const QByteArray first = Written();
    EXPECT_TRUE(first.startsWith("BEGIN:VCALENDAR\r\n"));
    EXPECT_TRUE(first.contains("DTSTART:20040903T180000\r\nDTEND:20040904T083000\r\n"
                               "SUMMARY:Weekend (Non-Custodial)\r\n"));
    EXPECT_EQ(Window.Document().ClientFolder, Machine.Root.filePath(QStringLiteral("exports/")));

    // Replacing needs a yes; Cancel leaves the old file.
    Window.Document().Days[2].OvernightReason = QStringLiteral("Holiday");
    const QString question =
        QStringLiteral("File ") + Target + QStringLiteral(" already exists!\n\rWrite over it?");
    Dialogs.Paths = {Chosen};
    Prompts.Expect(question, PromptAnswer::Cancel);
    WriteIcs();
    EXPECT_EQ(Written(), first);
    Dialogs.Paths = {Target};
    Prompts.Expect(question, PromptAnswer::Ok);
    WriteIcs();
    EXPECT_TRUE(Written().contains("SUMMARY:Holiday (Non-Custodial)\r\n"));

    // A locked file is never replaced.
    const QByteArray replaced = Written();
    ASSERT_TRUE(SetFileLocked(Target, true));
    Window.Document().Days[2].OvernightReason = QStringLiteral("Trip");
    Dialogs.Paths = {Chosen};
    Prompts.Expect(question, PromptAnswer::Ok);
    Prompts.Expect(QStringLiteral("Error!  Can't write to ") + Target +
                   QStringLiteral("\n\rbecause the file is locked!"));
    WriteIcs();
    EXPECT_EQ(Written(), replaced);
}

} // namespace
