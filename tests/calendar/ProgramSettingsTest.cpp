#include "calendar/ProgramSettings.h"

#include "support/SpecialFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;

TEST(ProgramSettings, WritesTheLinesInOrder)
{
    ProgramSettings settings;
    settings.ClientFolder = QStringLiteral("/home/a/Clients/");
    settings.Wizard = false;
    EXPECT_EQ(ProgramSettingsBytes(settings),
              QByteArray("CLIENTDIR=/home/a/Clients/\r\nWIZARD=FALSE\r\n"));
    NoteRecentFile(settings, QStringLiteral("/c/One.cdb"));
    NoteRecentFile(settings, QStringLiteral("/c/Two.cdb"));
    EXPECT_EQ(
        ProgramSettingsBytes(settings),
        QByteArray(
            "CLIENTDIR=/home/a/Clients/\r\nWIZARD=FALSE\r\nCHKMARK/c/Two.cdb\r\n/c/One.cdb\r\n"));
}

TEST(ProgramSettings, ReadsFolderWizardAndAtMostFiveFiles)
{
    ProgramSettings settings;
    settings.Wizard = false;
    ReadProgramSettings(
        settings, QByteArray("CLIENTDIR=/x/y=z/\r\n/a/1.cdb\r\nCHKMARK/a/2.cdb\r\n/a/3.cdb\r\n"
                             "/a/4.cdb\r\n/a/5.cdb\r\nWIZARD=FALSE\r\n/a/6.cdb\r\n"));
    EXPECT_EQ(settings.ClientFolder, QStringLiteral("/x/y=z/"));
    EXPECT_TRUE(settings.Wizard); // the WIZARD line after five files is not read
    EXPECT_EQ(settings.RecentFiles[1].Caption, QStringLiteral("/a/2.cdb"));
    EXPECT_TRUE(settings.RecentFiles[1].Checked);
    EXPECT_FALSE(settings.RecentFiles[0].Checked);
    EXPECT_EQ(settings.RecentFiles[4].Caption, QStringLiteral("/a/5.cdb"));

    ProgramSettings noFolder;
    ReadProgramSettings(noFolder, QByteArray("wizard=false\n/a/1.cdb\n"));
    EXPECT_FALSE(noFolder.Wizard);
    EXPECT_EQ(noFolder.RecentFiles[0].Caption, QStringLiteral("/a/1.cdb"));
    EXPECT_TRUE(noFolder.ClientFolder.isEmpty());
}

TEST(ProgramSettings, RoundTripsByteForByte)
{
    const QByteArray file(
        "CLIENTDIR=/c/\r\nWIZARD=TRUE\r\n/c/1.cdb\r\nCHKMARK/c/2.cdb\r\n/c/3.cdb\r\n/c/4.cdb\r\n"
        "/c/5.cdb\r\n");
    ProgramSettings settings;
    ReadProgramSettings(settings, file);
    EXPECT_EQ(ProgramSettingsBytes(settings), file);
}

TEST(RecentFiles, ShiftCheckAndPushOutTheSixth)
{
    ProgramSettings settings;
    for (int i = 1; i <= 5; ++i)
        NoteRecentFile(settings, QStringLiteral("/c/%1.cdb").arg(i));
    EXPECT_EQ(settings.RecentFiles[0].Caption, QStringLiteral("/c/5.cdb"));
    EXPECT_EQ(settings.RecentFiles[4].Caption, QStringLiteral("/c/1.cdb"));

    NoteRecentFile(settings,
                   QStringLiteral("/C/3.CDB")); // known, ignoring case: only the check moves
    EXPECT_EQ(settings.RecentFiles[2].Caption, QStringLiteral("/c/3.cdb"));
    EXPECT_TRUE(settings.RecentFiles[2].Checked);
    EXPECT_FALSE(settings.RecentFiles[0].Checked);

    NoteRecentFile(settings, QStringLiteral("/c/6.cdb"));
    EXPECT_EQ(settings.RecentFiles[0].Caption, QStringLiteral("/c/6.cdb"));
    EXPECT_TRUE(settings.RecentFiles[0].Checked);
    EXPECT_EQ(settings.RecentFiles[4].Caption, QStringLiteral("/c/2.cdb")); // 1 was pushed out
    int checked = 0;
    for (const RecentFileEntry& entry : settings.RecentFiles)
        checked += entry.Checked ? 1 : 0;
    EXPECT_EQ(checked, 1);

    CheckRecentFile(settings, 3);
    EXPECT_TRUE(settings.RecentFiles[3].Checked);
    EXPECT_FALSE(settings.RecentFiles[0].Checked);
}

TEST(FileNames, CharactersAndExtension)
{
    EXPECT_TRUE(IsValidFileNameText(QStringLiteral("O'Brien-Smith_2")));
    for (const char* bad : {"Smith&Jones", "a.b", "a/b", "a\\b", "Ren\xc3\xa9"})
        EXPECT_FALSE(IsValidFileNameText(QString::fromUtf8(bad))) << bad;
    EXPECT_EQ(NameWithoutCdb(QStringLiteral("/c/Jones.CDB")), QStringLiteral("Jones"));
    EXPECT_EQ(NameWithoutCdb(QStringLiteral("/c/Jones")), QStringLiteral("Jones"));
    EXPECT_EQ(WithCdbExtension(QStringLiteral("/c/Jones")), QStringLiteral("/c/Jones.cdb"));
    EXPECT_EQ(WithCdbExtension(QStringLiteral("/c/Jones.Cdb")), QStringLiteral("/c/Jones.Cdb"));
}

// "Calendar.ini" follows the program's file rules: a locked or special file is kept as it is,
// and reading a FIFO never blocks.
TEST(ProgramSettingsFile, LockedAndSpecialFilesAreLeftAlone)
{
    QTemporaryDir dir;
    ProgramSettings settings;
    settings.Wizard = false;
    const QString locked = dir.filePath(QStringLiteral("locked/Calendar.ini"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("locked"))));
    ASSERT_TRUE(MakeLockedFile(locked, "WIZARD=TRUE\r\n"));
    EXPECT_FALSE(WriteProgramSettingsFile(settings, locked));
    EXPECT_EQ(FileBytes(locked), QByteArray("WIZARD=TRUE\r\n"));

    const QString fifo = dir.filePath(QStringLiteral("Calendar.ini"));
    ASSERT_TRUE(MakeFifo(fifo));
    EXPECT_FALSE(WriteProgramSettingsFile(settings, fifo));
    EXPECT_TRUE(IsFifo(fifo));
    ProgramSettings read;
    EXPECT_FALSE(ReadProgramSettingsFile(read, fifo));
    EXPECT_TRUE(read.Wizard);

    const QString fresh = dir.filePath(QStringLiteral("new/folder/Calendar.ini"));
    EXPECT_TRUE(WriteProgramSettingsFile(settings, fresh));
    EXPECT_TRUE(ReadProgramSettingsFile(read, fresh));
    EXPECT_FALSE(read.Wizard);
}

// One file is one entry, however its path was spelled or however often an older settings file
// listed it.
TEST(RecentFiles, OneEntryPerFile)
{
    ProgramSettings settings;
    NoteRecentFile(settings, QStringLiteral("/c/cases/One.cdb"));
    NoteRecentFile(settings, QStringLiteral("/c//cases/./One.cdb"));
    EXPECT_FALSE(settings.RecentFiles[1].Enabled());
    EXPECT_TRUE(settings.RecentFiles[0].Checked);

    ProgramSettings read;
    ReadProgramSettings(read, QByteArray("CLIENTDIR=/c/\r\n/c/One.cdb\r\nCHKMARK/c/One.cdb\r\n"
                                         "/c/Two.cdb\r\n"));
    EXPECT_EQ(read.RecentFiles[0].Caption, QStringLiteral("/c/One.cdb"));
    EXPECT_EQ(read.RecentFiles[1].Caption, QStringLiteral("/c/Two.cdb"));
    EXPECT_FALSE(read.RecentFiles[2].Enabled());
}
