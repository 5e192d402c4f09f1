#include "calendar/DocumentLifecycle.h"

#include "calendar/CalendarFile.h"
#include "output/ExportFile.h"
#include "platform/FileLock.h"
#include "support/ScriptedServices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace custodex;
using namespace custodex::testing;

namespace {

const QString NameMessage = QStringLiteral(
    "Error!  Please restrict your filename characters to\n\rupper and lower case letters, numbers, "
    "spaces, "
    "underscores,\n\rdashes, and apostrophes.\n\rYour file has NOT been saved.  Please try again.");

class Lifecycle : public ::testing::Test {
protected:
    Lifecycle()
    {
        Doc.ClientFolder = Dir.path() + QLatin1Char('/');
        Doc.ClientName = QStringLiteral("Jones");
        Doc.UserYear = QStringLiteral("2024");
        BuildSpan(Doc, 2, 2024);
        RecountCounters(Doc);
    }
    QString PathOf(const QString& name) const { return Dir.filePath(name); }
    QByteArray Contents(const QString& name) const
    {
        QFile file(PathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Mark()
    {
        Doc.Days[3].HasOvernight = true, Doc.Days[3].OvernightReason = QStringLiteral("Weekend"),
        Doc.ChangesPending = true;
    }

    QTemporaryDir Dir;
    CalendarDocument Doc;
    ProgramSettings Settings;
    ScriptedPrompter Prompts;
    ScriptedFileDialogs Dialogs;
    QString OpenName;
    LifecycleContext Context{Doc, Settings, Prompts, Dialogs, OpenName, 2026};
};

TEST_F(Lifecycle, SaveWritesClientNameFileAndAsksOnlyWhenItExists)
{
    ASSERT_TRUE(SaveCalendar(Context));
    EXPECT_FALSE(Contents(QStringLiteral("Jones.cdb")).isEmpty());
    EXPECT_EQ(OpenName, QStringLiteral("Jones.cdb")); // the next open dialog offers it
    EXPECT_EQ(Settings.RecentFiles[0].Caption, PathOf(QStringLiteral("Jones.cdb")));
    EXPECT_EQ(Doc.WindowCaption, QStringLiteral("Calendar File=")); // Save leaves the caption

    Mark();
    const QString question =
        QStringLiteral("Saving ") + PathOf(QStringLiteral("Jones.cdb")) +
        QStringLiteral(" will overwrite \n\rprevious database information for Jones.cdb\n\rDo "
                       "you want to continue?  (Normally your answer is Yes)");
    Prompts.Expect(question, PromptAnswer::Cancel);
    EXPECT_FALSE(SaveCalendar(Context));
    EXPECT_TRUE(Doc.ChangesPending);

    // Locked: asked first, then refused, also when running as root.
    ASSERT_TRUE(SetFileLocked(PathOf(QStringLiteral("Jones.cdb")), true));
    const QByteArray before = Contents(QStringLiteral("Jones.cdb"));
    Prompts.Expect(question, PromptAnswer::Yes);
    Prompts.Expect(QStringLiteral("Error!  Can't save to file Jones.cdb\n\rbecause it is locked."));
    EXPECT_FALSE(SaveCalendar(Context));
    EXPECT_EQ(Contents(QStringLiteral("Jones.cdb")), before);
    EXPECT_TRUE(Doc.ChangesPending);
    SetFileLocked(PathOf(QStringLiteral("Jones.cdb")), false);

    Prompts.Expect(question, PromptAnswer::Yes);
    EXPECT_TRUE(SaveCalendar(Context));
    EXPECT_FALSE(Doc.ChangesPending);
    EXPECT_NE(Contents(QStringLiteral("Jones.cdb")), before);

    ClearCalendar(Doc);
    Prompts.Expect(QStringLiteral("Nothing to save!"));
    EXPECT_FALSE(SaveCalendar(Context));
}

TEST_F(Lifecycle, SaveAsChecksNamesOverwritesAndLocks)
{
    Dialogs.Paths = {PathOf(QStringLiteral("Smith&Jones.cdb"))};
    Prompts.Expect(NameMessage);
    EXPECT_FALSE(SaveCalendarAs(Context));
    EXPECT_FALSE(QFile::exists(PathOf(QStringLiteral("Smith&Jones.cdb"))));

    Dialogs.Paths = {PathOf(QStringLiteral("O'Brien-Smith_2"))};
    ASSERT_TRUE(SaveCalendarAs(Context));
    EXPECT_TRUE(QFile::exists(PathOf(QStringLiteral("O'Brien-Smith_2.cdb"))));
    EXPECT_EQ(Doc.ClientName, QStringLiteral("O'Brien-Smith_2"));
    EXPECT_EQ(Doc.CurrentFileName, QStringLiteral("O'Brien-Smith_2.cdb"));
    EXPECT_EQ(Doc.WindowCaption, QStringLiteral("Calendar File=O'Brien-Smith_2"));
    EXPECT_EQ(Dialogs.Requests.back().Title, QStringLiteral("Save Client Data"));

    const QString path = PathOf(QStringLiteral("O'Brien-Smith_2.cdb"));
    Dialogs.Paths = {path};
    Prompts.Expect(QStringLiteral("File ") + path +
                       QStringLiteral(" already exists!\n\rWrite over it?"),
                   PromptAnswer::Cancel);
    EXPECT_FALSE(SaveCalendarAs(Context));

    ASSERT_TRUE(SetFileLocked(path, true));
    Dialogs.Paths = {path};
    Prompts.Expect(QStringLiteral("File ") + path +
                       QStringLiteral(" already exists!\n\rWrite over it?"),
                   PromptAnswer::Ok);
    Prompts.Expect(QStringLiteral("Error!  Can't write to ") + path +
                   QStringLiteral("\n\rbecause the file is locked!"));
    EXPECT_FALSE(SaveCalendarAs(Context));
    SetFileLocked(path, false);

    Dialogs.Paths = {QString()}; // cancelled
    EXPECT_FALSE(SaveCalendarAs(Context));
}

TEST_F(Lifecycle, OpenAsksRefusesAndReads)
{
    ASSERT_TRUE(SaveCalendar(Context));
    Mark();
    Prompts.Expect(
        QStringLiteral(
            "Are you sure you want to open a calendar file?\n\rAll information for Jones will "
            "be lost!"),
        PromptAnswer::No);
    EXPECT_FALSE(OpenCalendar(Context));

    Prompts.Expect(
        QStringLiteral(
            "Are you sure you want to open a calendar file?\n\rAll information for Jones will "
            "be lost!"),
        PromptAnswer::Yes);
    Dialogs.Paths = {QString()};
    Prompts.Expect(QStringLiteral("Request for \"OPEN\" aborted!"));
    EXPECT_FALSE(OpenCalendar(Context));
    EXPECT_TRUE(Doc.HasCalendar());

    Doc.ChangesPending = false;
    const QString missing = PathOf(QStringLiteral("Gone.cdb"));
    Dialogs.Paths = {missing};
    Prompts.Expect(
        QStringLiteral("Cannot open file ") + missing +
        QStringLiteral(
            ".\r\nThe file name has been mistyped, or the file is missing, been moved to\r\n"
            "another folder, or has been corrupted"));
    EXPECT_FALSE(OpenCalendar(Context));

    Dialogs.Paths = {PathOf(QStringLiteral("Jones.cdb"))};
    ASSERT_TRUE(OpenCalendar(Context));
    EXPECT_EQ(Doc.ClientName, QStringLiteral("Jones"));
    EXPECT_EQ(Doc.UserYear, QStringLiteral("2024"));
    EXPECT_FALSE(Doc.Days[3].HasOvernight); // the unsaved mark is gone, as the user agreed
    EXPECT_EQ(Context.OpenDialogFileName, QStringLiteral("Jones.cdb"));

    QFile broken(PathOf(QStringLiteral("Broken.cdb")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("Broken\r\n2024\r\n");
    broken.close();
    Dialogs.Paths = {PathOf(QStringLiteral("Broken.cdb"))};
    Prompts.Expect(QStringLiteral("Error reading ") + PathOf(QStringLiteral("Broken.cdb")));
    EXPECT_FALSE(OpenCalendar(Context));
    EXPECT_FALSE(Doc.HasCalendar());
    EXPECT_EQ(Prompts.Seen.back().Buttons, PromptButtons::Cancel);
}

TEST_F(Lifecycle, CloseAsksAndLosesNothingSilently)
{
    Mark();
    Prompts.Expect(QStringLiteral("Save changes to Jones?"), PromptAnswer::Cancel);
    EXPECT_FALSE(CloseCalendar(Context));
    EXPECT_TRUE(Doc.HasCalendar());

    Prompts.Expect(QStringLiteral("Save changes to Jones?"), PromptAnswer::No);
    Prompts.Expect(
        QStringLiteral("Are you sure you want to close without\n\rsaving changes to Jones?"),
        PromptAnswer::No);
    EXPECT_FALSE(CloseCalendar(Context));
    EXPECT_TRUE(Doc.HasCalendar());

    // Yes with a save that fails: the calendar stays open with its changes.
    Prompts.Expect(QStringLiteral("Save changes to Jones?"), PromptAnswer::Yes);
    Dialogs.Paths = {Dir.path() + QStringLiteral("/no/such/folder/Jones.cdb")};
    Prompts.Expect(QStringLiteral("Error!  Could not create file named\n\r") + Dir.path() +
                   QStringLiteral("/no/such/folder/Jones.cdb") +
                   QStringLiteral("\n\rIts folder does not exist."));
    EXPECT_FALSE(CloseCalendar(Context));
    EXPECT_TRUE(Doc.HasCalendar());
    EXPECT_TRUE(Doc.ChangesPending);
    EXPECT_EQ(Doc.ClientName, QStringLiteral("Jones"));

    Prompts.Expect(QStringLiteral("Save changes to Jones?"), PromptAnswer::Yes);
    Dialogs.Paths = {PathOf(QStringLiteral("Kept"))};
    ASSERT_TRUE(CloseCalendar(Context));
    EXPECT_FALSE(Doc.HasCalendar());
    EXPECT_EQ(Doc.WindowCaption, QStringLiteral("Calendar File=NewClient.cdb"));
    EXPECT_EQ(Doc.CurrentFileName, QStringLiteral("NewClient.cdb"));
    EXPECT_EQ(Doc.UserYear, QStringLiteral("2026"));
    EXPECT_TRUE(Doc.ClientName.isEmpty());
    CalendarDocument kept;
    ASSERT_TRUE(ReadCalendarFile(kept, PathOf(QStringLiteral("Kept.cdb"))).Ok);
    EXPECT_TRUE(kept.Days[3].HasOvernight);
}

TEST_F(Lifecycle, CloseOverAnExistingOrLockedFile)
{
    ASSERT_TRUE(SaveCalendar(Context));
    const QString path = PathOf(QStringLiteral("Jones.cdb"));
    Mark();
    ASSERT_TRUE(SetFileLocked(path, true));
    Prompts.Expect(QStringLiteral("Save changes to Jones?"), PromptAnswer::Yes);
    Dialogs.Paths = {path};
    Prompts.Expect(QStringLiteral("Warning!  File ") + path +
                       QStringLiteral(" already exists!\n\rOverwrite?"),
                   PromptAnswer::Yes);
    Prompts.Expect(
        QStringLiteral("Error!  Can't save to file ") + path +
        QStringLiteral(
            "\n\rbecause the file is locked!  Unlock the file or save to a different filename."));
    EXPECT_FALSE(CloseCalendar(Context));
    EXPECT_TRUE(Doc.HasCalendar());
    SetFileLocked(path, false);
}

TEST_F(Lifecycle, CloseQueryNoticeAndSaveLoop)
{
    Doc.Days[5].HasOvernight = true;
    Doc.Days[5].OvernightReason = QStringLiteral("Weekend");
    Doc.Days[5].HasDayVisit = true;
    Doc.Days[5].DayVisitReason = QStringLiteral("Zoo");
    Doc.ChangesPending = true;
    const QString notice =
        QStringLiteral("Notice:  One or more days have been marked with both an\n\rOvernight Stay "
                       "and a Day Visit.  While this is "
                       "not an error\n\ryou might want to examine the day(s) in question and "
                       "confirm\n\rtheir validity.\n\r\n\rClick "
                       "the \"Yes\" button to remain open, then use the \"Preview\"\n\rmenu option "
                       "to locate the marked "
                       "days.\n\r\n\rClick the \"NO\" button to close the program.");
    Prompts.Expect(notice, PromptAnswer::Yes);
    EXPECT_FALSE(CloseQuery(Context));
    EXPECT_TRUE(Doc.ChangesPending);

    ASSERT_TRUE(QFile(PathOf(QStringLiteral("Locked.cdb"))).open(QIODevice::WriteOnly));
    ASSERT_TRUE(SetFileLocked(PathOf(QStringLiteral("Locked.cdb")), true));
    Prompts.Expect(notice, PromptAnswer::No);
    Prompts.Expect(QStringLiteral("Save Pending Changes?"), PromptAnswer::Yes);
    Dialogs.Paths.push_back(QString()); // cancelled: asked again
    Prompts.Expect(QStringLiteral("Save Pending Changes?"), PromptAnswer::Yes);
    Dialogs.Paths.push_back(PathOf(QStringLiteral("Bad.Name.cdb")));
    Prompts.Expect(NameMessage);
    Prompts.Expect(QStringLiteral("Save Pending Changes?"), PromptAnswer::Yes);
    Dialogs.Paths.push_back(PathOf(QStringLiteral("Locked.cdb")));
    Prompts.Expect(QStringLiteral("File ") + PathOf(QStringLiteral("Locked.cdb")) +
                       QStringLiteral(" already exists!\n\rWrite over it?"),
                   PromptAnswer::Ok);
    Prompts.Expect(QStringLiteral("Cannot save to ") + PathOf(QStringLiteral("Locked.cdb")) +
                   QStringLiteral("\n\rbecause it is locked!"));
    Prompts.Expect(QStringLiteral("Save Pending Changes?"), PromptAnswer::Yes);
    Dialogs.Paths.push_back(PathOf(QStringLiteral("Final.cdb")));
    EXPECT_TRUE(CloseQuery(Context));
    EXPECT_TRUE(QFile::exists(PathOf(QStringLiteral("Final.cdb"))));
    EXPECT_EQ(Doc.ClientName,
              QStringLiteral("Jones")); // the close query does not rename the client
    SetFileLocked(PathOf(QStringLiteral("Locked.cdb")), false);
}

// The exit question's save dialog does not ask before replacing a file, so the program asks,
// once, before another client's calendar is replaced.
TEST_F(Lifecycle, CloseQuerySaveOntoAnExistingCalendarAsksOnce)
{
    CalendarDocument other;
    BuildSpan(other, 0, 2020);
    ASSERT_TRUE(WriteCalendarFile(other, PathOf(QStringLiteral("Smith.cdb")), false).Ok);
    const QByteArray smith = Contents(QStringLiteral("Smith.cdb"));
    Mark();
    const QString question = QStringLiteral("File ") + PathOf(QStringLiteral("Smith.cdb")) +
                             QStringLiteral(" already exists!\n\rWrite over it?");
    Prompts.Expect(QStringLiteral("Save Pending Changes?"), PromptAnswer::Yes);
    Dialogs.Paths.push_back(PathOf(QStringLiteral("Smith.cdb")));
    Prompts.Expect(question, PromptAnswer::Cancel);
    Prompts.Expect(QStringLiteral("Save Pending Changes?"), PromptAnswer::No);
    EXPECT_TRUE(CloseQuery(Context));
    EXPECT_EQ(Contents(QStringLiteral("Smith.cdb")), smith);
    EXPECT_FALSE(Dialogs.Requests.back().ConfirmOverwrite);

    Prompts.Expect(QStringLiteral("Save Pending Changes?"), PromptAnswer::Yes);
    Dialogs.Paths.push_back(PathOf(QStringLiteral("Smith")));
    Prompts.Expect(question, PromptAnswer::Ok);
    EXPECT_TRUE(CloseQuery(Context));
    EXPECT_NE(Contents(QStringLiteral("Smith.cdb")), smith);
    EXPECT_FALSE(Doc.ChangesPending);
}

// The client folder moves only with a write that succeeded, so Save keeps its aim.
TEST_F(Lifecycle, FailedSaveAsKeepsTheClientFolder)
{
    const QString folder = Doc.ClientFolder;
    const QString failed = Dir.path() + QStringLiteral("/no/such/folder/Jones.cdb");
    Dialogs.Paths = {failed};
    Prompts.Expect(QStringLiteral("Error!  Could not create file named\n\r") + failed +
                   QStringLiteral("\n\rIts folder does not exist."));
    EXPECT_FALSE(SaveCalendarAs(Context));
    EXPECT_EQ(Doc.ClientFolder, folder);
    EXPECT_TRUE(SaveCalendar(Context));
    EXPECT_FALSE(Contents(QStringLiteral("Jones.cdb")).isEmpty());
}

// An export moves the dialogs' folder, never where Save writes: the calendar opened stays the
// one saved, and no second copy appears beside the export. A calendar never saved goes to the
// client folder; Close and the exit question offer the calendar's own folder.
TEST_F(Lifecycle, SaveWritesIntoTheCalendarsOwnFolderAfterAnExport)
{
    ASSERT_TRUE(QDir(Dir.path()).mkpath(QStringLiteral("cases")));
    ASSERT_TRUE(QDir(Dir.path()).mkpath(QStringLiteral("exports")));
    const QString own = PathOf(QStringLiteral("cases/Jones.cdb"));
    ASSERT_TRUE(WriteCalendarFile(Doc, own, true).Ok);
    Dialogs.Paths = {own};
    ASSERT_TRUE(OpenCalendar(Context));

    const QString csv = PathOf(QStringLiteral("exports/Jones.csv"));
    ASSERT_TRUE(SaveExportFile(
        Doc, csv, [] { return QByteArray("x\r\n"); }, Prompts));
    EXPECT_EQ(Doc.ClientFolder, PathOf(QStringLiteral("exports/")));

    Mark();
    Prompts.Expect(QStringLiteral("Saving ") + own +
                       QStringLiteral(" will overwrite \n\rprevious database information for "
                                      "Jones.cdb\n\rDo you want to continue?  (Normally your "
                                      "answer is Yes)"),
                   PromptAnswer::Yes);
    ASSERT_TRUE(SaveCalendar(Context));
    EXPECT_FALSE(QFile::exists(PathOf(QStringLiteral("exports/Jones.cdb"))));
    CalendarDocument reread;
    ASSERT_TRUE(ReadCalendarFile(reread, own).Ok);
    EXPECT_TRUE(reread.Days[3].HasOvernight);

    Mark();
    Prompts.Expect(QStringLiteral("Save Pending Changes?"), PromptAnswer::No);
    EXPECT_TRUE(CloseQuery(Context));
    EXPECT_EQ(Dialogs.Requests.size(), 1u); // only the open dialog so far
    Prompts.Expect(QStringLiteral("Save changes to Jones?"), PromptAnswer::Yes);
    Dialogs.Paths = {QString()};
    EXPECT_FALSE(CloseCalendar(Context));
    EXPECT_EQ(Dialogs.Requests.back().Folder, PathOf(QStringLiteral("cases/")));

    // After Close, a new calendar has no file of its own yet.
    Prompts.Expect(QStringLiteral("Save changes to Jones?"), PromptAnswer::No);
    Prompts.Expect(
        QStringLiteral("Are you sure you want to close without\n\rsaving changes to Jones?"),
        PromptAnswer::Yes);
    ASSERT_TRUE(CloseCalendar(Context));
    EXPECT_EQ(SaveFolder(Doc), Doc.ClientFolder);
}

// A recent entry opens the dialog in its own folder; a vanished file is reported at once.
TEST_F(Lifecycle, RecentEntryOpensInItsOwnFolder)
{
    ASSERT_TRUE(QDir(Dir.path()).mkpath(QStringLiteral("elsewhere")));
    const QString recent = PathOf(QStringLiteral("elsewhere/Jones.cdb"));
    ASSERT_TRUE(WriteCalendarFile(Doc, recent, false).Ok);
    Doc.ClientFolder = PathOf(QStringLiteral("moved/"));
    OpenName = QStringLiteral("Jones.cdb");
    Dialogs.Paths = {recent};
    ASSERT_TRUE(OpenCalendar(Context, recent));
    EXPECT_EQ(Dialogs.Requests.back().Folder, PathOf(QStringLiteral("elsewhere/")));
    EXPECT_EQ(Dialogs.Requests.back().FileName, QStringLiteral("Jones.cdb"));

    const QString gone = PathOf(QStringLiteral("elsewhere/Gone.cdb"));
    Prompts.Expect(
        QStringLiteral("Cannot open file ") + gone +
        QStringLiteral(
            ".\r\nThe file name has been mistyped, or the file is missing, been moved to\r\n"
            "another folder, or has been corrupted"));
    const auto dialogsBefore = Dialogs.Requests.size();
    EXPECT_FALSE(OpenCalendar(Context, gone));
    EXPECT_EQ(Dialogs.Requests.size(), dialogsBefore);
    EXPECT_TRUE(Doc.HasCalendar());
}

TEST_F(Lifecycle, LockAndUnlock)
{
    ASSERT_TRUE(SaveCalendar(Context));
    const QString path = PathOf(QStringLiteral("Jones.cdb"));
    Dialogs.Paths = {path, path};
    Prompts.Expect(QStringLiteral("Are you sure you want to lock \n\r") + path + QLatin1Char('?'),
                   PromptAnswer::Yes);
    Prompts.Expect(QStringLiteral("File ") + path + QStringLiteral(" has been locked."));
    ASSERT_TRUE(LockOrUnlockFile(Context, true));
    EXPECT_TRUE(IsFileLocked(path));
    Prompts.Expect(QStringLiteral("Are you sure you want to unlock \n\r") + path + QLatin1Char('?'),
                   PromptAnswer::Yes);
    Prompts.Expect(QStringLiteral("File ") + path + QStringLiteral(" has been unlocked."));
    ASSERT_TRUE(LockOrUnlockFile(Context, false));
    EXPECT_FALSE(IsFileLocked(path));
}

// A file that cannot be read takes nothing of what the user typed for the next Start.
TEST_F(Lifecycle, FailedOpenWithoutACalendarKeepsTheTypedStartYearAndMonth)
{
    QFile broken(PathOf(QStringLiteral("Broken.cdb")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("Broken\r\n2024\r\n");
    broken.close();
    const QString path = PathOf(QStringLiteral("Broken.cdb"));

    ResetToNoCalendar(Context);
    Doc.UserYear = QStringLiteral("2031");
    Doc.SelUserMonth = QStringLiteral("October");
    Dialogs.Paths = {path};
    Prompts.Expect(QStringLiteral("Error reading ") + path);
    EXPECT_FALSE(OpenCalendar(Context));
    EXPECT_EQ(Doc.UserYear, QStringLiteral("2031"));
    EXPECT_EQ(Doc.SelUserMonth, QStringLiteral("October"));

    // With a calendar open, the failed read ends it as Close File would.
    BuildSpan(Doc, 2, 2024);
    Doc.UserYear = QStringLiteral("2024");
    Doc.SelUserMonth = QStringLiteral("March");
    Dialogs.Paths = {path};
    Prompts.Expect(QStringLiteral("Error reading ") + path);
    EXPECT_FALSE(OpenCalendar(Context));
    EXPECT_FALSE(Doc.HasCalendar());
    EXPECT_EQ(Doc.UserYear, QStringLiteral("2026"));
    EXPECT_EQ(Doc.SelUserMonth, QStringLiteral("January"));
}

// Opening says what became of guideline lines the reader could not take and of guidelines
// sharing a name (the lines used to vanish on the next save without a word).
TEST_F(Lifecycle, OpeningTellsOfGuidelineLinesKeptAsWritten)
{
    CalendarDocument written;
    written.ClientName = QStringLiteral("Garcia");
    written.UserYear = QStringLiteral("2024");
    BuildSpan(written, 2, 2024);
    const QString path = PathOf(QStringLiteral("Garcia.cdb"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(CalendarFileBytes(written) + "GUIDELINE=overnights,146,Minimum\r\n"
                                            "GUIDELINE=overnights,-5,Minimum\r\n"
                                            "GUIDELINE=overnights,NaN,Other\r\n"
                                            "GUIDELINE=overnights,120,Minimum\r\n");
    file.close();
    Dialogs.Paths = {path};
    Prompts.Expect(QStringLiteral("2 guideline lines could not be read and are kept as "
                                  "written.\n\r2 guidelines share the name \"Minimum\"; both are "
                                  "shown."));
    EXPECT_TRUE(OpenCalendar(Context));
    EXPECT_EQ(Prompts.Seen.back().Kind, PromptKind::Information);
    EXPECT_EQ(Doc.Guidelines.size(), 2u);
}

// Records what Start asks of the window, in order.
class RecordingStartHost : public StartHost {
public:
    explicit RecordingStartHost(CalendarDocument& doc) : Doc(doc) {}
    void ShowClientName(const QString& name) override { Steps << QStringLiteral("name ") + name; }
    void Focus(StartFocus field) override
    {
        Steps << QStringLiteral("focus %1").arg(static_cast<int>(field));
    }
    void ShowDocument() override
    {
        Steps << (Doc.HasCalendar() ? QStringLiteral("show calendar") : QStringLiteral("show"));
    }
    void OpenPreferences() override
    {
        Steps << (Doc.ChangesPending ? QStringLiteral("preferences, unsaved")
                                     : QStringLiteral("preferences"));
    }
    CalendarDocument& Doc;
    QStringList Steps;
};

TEST(StartCalendar, ChecksInOrderAndFocusesTheFieldRefused)
{
    const struct {
        StartEntries Entries;
        QString Message;
        StartFocus Field;
    } refusals[] = {
        {{QStringLiteral("   "), QStringLiteral("20x4"), QStringLiteral("Nonth")},
         QStringLiteral("A Client Name is a required entry."),
         StartFocus::ClientName},
        {{QStringLiteral("Smith"), QString(), QStringLiteral("Nonth")},
         QStringLiteral("You must enter a year before you can start a Calendar."),
         StartFocus::UserYear},
        {{QStringLiteral("Smith"), QStringLiteral("3000"), QStringLiteral("March")},
         QStringLiteral("The Calendar year must be greater than 1000\n\rand less than 3000"),
         StartFocus::UserYear},
        {{QStringLiteral("Smith"), QStringLiteral("2024"), QStringLiteral("Nonth")},
         QStringLiteral("Please select a valid start month."),
         StartFocus::SelUserMonth},
    };
    for (const auto& r : refusals) {
        CalendarDocument doc;
        MonthView view;
        RecordingStartHost host(doc);
        ScriptedPrompter prompts;
        prompts.Expect(r.Message);
        EXPECT_FALSE(StartCalendar(doc, view, r.Entries, host, prompts));
        EXPECT_FALSE(doc.HasCalendar());
        EXPECT_EQ(host.Steps.back(), QStringLiteral("focus %1").arg(static_cast<int>(r.Field)));
        EXPECT_FALSE(doc.ChangesPending);
    }
}

TEST(StartCalendar, BuildsTheSpanOpensPreferencesAndLeavesItUnsaved)
{
    CalendarDocument doc;
    doc.OverniteReasons = {QStringLiteral("Old"), {QStringLiteral("Old")}};
    MonthView view;
    view.Mode = MarkMode::DayVisits;
    view.RemovedOvernight.Day = 3;
    RecordingStartHost host(doc);
    ScriptedPrompter prompts;
    ASSERT_TRUE(StartCalendar(
        doc, view, {QStringLiteral("  Smith"), QStringLiteral("2024"), QStringLiteral("march")},
        host, prompts));
    EXPECT_EQ(host.Steps,
              (QStringList{QStringLiteral("name Smith"), QStringLiteral("show calendar"),
                           QStringLiteral("preferences, unsaved"), QStringLiteral("show calendar"),
                           QStringLiteral("focus 3")}));
    EXPECT_EQ(doc.ClientName, QStringLiteral("Smith"));
    EXPECT_EQ(doc.StartYear, 2024);
    EXPECT_EQ(doc.StartMonthIndex, 2);
    EXPECT_EQ(doc.SelUserMonth, QStringLiteral("March"));
    EXPECT_EQ(doc.WindowCaption, QStringLiteral("Calendar File=Smith"));
    EXPECT_TRUE(doc.OverniteReasons.Items.isEmpty());
    EXPECT_EQ(view.Mode, MarkMode::Overnights);
    EXPECT_EQ(view.RemovedOvernight.Day, -1);
    EXPECT_EQ(doc.BothYearsCounters.CustodialOvernights, 730);
    EXPECT_TRUE(doc.ChangesPending); // a Cancel in the preferences must not lose it
}

} // namespace
