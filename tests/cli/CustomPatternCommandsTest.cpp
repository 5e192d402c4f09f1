#include "calendar/CalendarFile.h"
#include "cli/CliRun.h"
#include "patterns/PatternTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;
using custodex::cli_test::CliRun;
using custodex::cli_test::RunCommand;

namespace {

// A calendar for January 2024 to December 2025 in a temporary folder (March 4, 2024 is a
// Monday), with the folder's pattern file.
class CustomPatternCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_in = Path(QStringLiteral("in.cdb"));
        const CliRun made =
            RunCommand({QStringLiteral("new"), QStringLiteral("--client"), QStringLiteral("Smith"),
                        QStringLiteral("--year"), QStringLiteral("2024"), QStringLiteral("--month"),
                        QStringLiteral("January"), m_in});
        ASSERT_EQ(made.Status, 0) << made.Err.toStdString();
        Write(QStringLiteral("CustomPats.txt"), "Weekends | NNNNOOO\r\nVisits | DN\r\n");
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    void Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static CalendarDocument Read(const QString& path)
    {
        CalendarDocument doc;
        EXPECT_TRUE(ReadCalendarFile(doc, path).Ok) << path.toStdString();
        return doc;
    }

    static QStringList Args(std::initializer_list<const char*> words)
    {
        QStringList list;
        for (const char* word : words)
            list << QString::fromUtf8(word);
        return list;
    }

    QTemporaryDir m_dir;
    QString m_in;
};

TEST_F(CustomPatternCli, ApplyRepeatLaysTheLettersAndTellsTheCounts)
{
    const CliRun run = RunCommand(
        QStringList{QStringLiteral("apply-repeat"), m_in, Path(QStringLiteral("out.cdb"))} +
        Args({"--letters", "nnnnooo", "--reason", "Weekends", "--from", "2024-03-04", "--to",
              "2024-03-17", "--overnight-times", "06:00PM,08:00AM"}));
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out, QStringLiteral("\tList of \"Weekends\" has been applied.\n\nThere were 6 "
                                      "Overnight Stays added.\nThere were 0 Day Visits Added.\n"));
    CalendarDocument doc = Read(Path(QStringLiteral("out.cdb")));
    EXPECT_EQ(
        MarkedDates(doc, ListKind::Overnights),
        Args({"2024-03-08", "2024-03-09", "2024-03-10", "2024-03-15", "2024-03-16", "2024-03-17"}));
    EXPECT_EQ(DayAt(doc, QStringLiteral("2024-03-08")).OvernightPickup, QStringLiteral("06:00PM"));
    EXPECT_EQ(DayAt(doc, QStringLiteral("2024-03-10")).OvernightDropoff, QStringLiteral("08:00AM"));
}

TEST_F(CustomPatternCli, ApplyRepeatTakesANamedPatternFromTheCalendarsFolder)
{
    const CliRun run = RunCommand(QStringList{QStringLiteral("apply-repeat"), m_in, m_in} +
                                  Args({"--pattern", "Visits", "--to", "2024-01-10"}));
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    CalendarDocument doc = Read(m_in);
    EXPECT_EQ(MarkedDates(doc, ListKind::DayVisits),
              Args({"2024-01-01", "2024-01-03", "2024-01-05", "2024-01-07", "2024-01-09"}));
    EXPECT_EQ(DayAt(doc, QStringLiteral("2024-01-01")).DayVisitReason, QStringLiteral("Visits"));

    // Overwrite questions are answered by the policy and printed.
    const CliRun again = RunCommand(
        QStringList{QStringLiteral("apply-repeat"), m_in, Path(QStringLiteral("all.cdb"))} +
        Args({"--letters", "D", "--reason", "Zoo", "--to", "2024-01-02", "--overwrite", "all"}));
    ASSERT_EQ(again.Status, 0) << again.Err.toStdString();
    EXPECT_TRUE(again.Out.startsWith(
        QStringLiteral("MONDAY, January 1  is already marked as a day visit  because of "
                       "Visits.\nOverwrite it with Zoo?\nYes to All\n")));
    EXPECT_TRUE(again.Out.endsWith(QStringLiteral("There were 1 Day Visits Added.\n")));
}

TEST_F(CustomPatternCli, RefusalsWriteNothing)
{
    const QString out = Path(QStringLiteral("never.cdb"));
    const struct {
        QStringList Options;
        int Status;
        const char* Err;
    } cases[] = {
        {Args({"--pattern", "Nope"}), 1, "No pattern named Nope in "},
        {Args({"--pattern", "Visits", "--patterns", "/nonexistent/CustomPats.txt"}), 1,
         "Error reading /nonexistent/CustomPats.txt\nThe file does not exist.\n"},
        {Args({"--letters", "OXD", "--reason", "R"}), 1,
         "Illegal character found in repeat pattern.\n"},
        {Args({"--letters", "O", "--reason", "*R"}), 1,
         "Error!  Illegal to start a name with an asterick.\n"},
        {Args({"--letters", "O", "--reason", "R", "--from", "2023-12-31"}), 1,
         "Invalid entry \"2023\" found in \"Start On\" year.\nPlease correct and try again.\n"},
        {Args({"--letters", "O"}), 2, "--letters needs --reason."},
        {Args({"--letters", "O", "--reason", "R", "--overnight-times", "6PM"}), 2,
         "--overnight-times needs two times"},
    };
    for (const auto& c : cases) {
        const CliRun run =
            RunCommand(QStringList{QStringLiteral("apply-repeat"), m_in, out} + c.Options);
        EXPECT_EQ(run.Status, c.Status) << c.Options.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.Err.contains(QString::fromUtf8(c.Err))) << run.Err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

TEST_F(CustomPatternCli, RemoveRepeatRemovesTheExactCaseOnly)
{
    ASSERT_EQ(RunCommand(QStringList{QStringLiteral("apply-repeat"), m_in, m_in} +
                         Args({"--letters", "OD", "--reason", "Alt", "--to", "2024-01-04"}))
                  .Status,
              0);
    const CliRun other = RunCommand(QStringList{QStringLiteral("remove-repeat"), m_in, m_in} +
                                    Args({"--reason", "ALT"}));
    ASSERT_EQ(other.Status, 0);
    EXPECT_TRUE(other.Out.contains(QStringLiteral("There were 0 Overnight Stays removed.")));
    const CliRun run = RunCommand(QStringList{QStringLiteral("remove-repeat"), m_in, m_in} +
                                  Args({"--reason", "Alt", "--from", "2024-01-02"}));
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out, QStringLiteral("\tList of \"Alt\" has been removed.\n\nThere were 1 "
                                      "Overnight Stays removed.\nThere were 2 Day Visits "
                                      "removed.\n"));
    EXPECT_EQ(MarkedDates(Read(m_in), ListKind::Overnights), Args({"2024-01-01"}));
}

TEST_F(CustomPatternCli, ApplyListChecksTheDatesAndAppliesTheChosenEntries)
{
    Write(QStringLiteral("2025June.tcl"), "Smith June 2025 Custom List\r\n"
                                          "ON December 24, 2024 Winter break\r\n"
                                          "ON December 25, 2024 Winter break\r\n"
                                          "DV Decembr 26, 2024 Typo\r\n"
                                          "DV March 3, 2030 Far away\r\n");
    const QString list = Path(QStringLiteral("2025June.tcl"));
    const QString out = Path(QStringLiteral("out.cdb"));
    const CliRun refused = RunCommand({QStringLiteral("apply-list"), m_in, list, out});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_TRUE(refused.Err.startsWith(
        QStringLiteral("SEVERE WARNING!  The date range of this template file\n")));
    EXPECT_FALSE(QFile::exists(out));

    const CliRun run =
        RunCommand(QStringList{QStringLiteral("apply-list"), m_in, list, out} +
                   Args({"--accept-date-mismatch", "--overnight-times", "05:00PM,09:00AM"}));
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains(QStringLiteral("\tWarning, line 4 of the template is not a "
                                                "custom list entry\n(\"Decembr\" is not a month "
                                                "name) and cannot be applied:\n")));
    EXPECT_TRUE(run.Err.contains(QStringLiteral("\tWarning, Far away dated March 3, 2030 is\nout "
                                                "of the calendar range and cannot be applied.\n")));
    EXPECT_EQ(run.Out, QStringLiteral("Selected custom items have been applied.\n\nThere were 2 "
                                      "Overnight Stays applied.\nThere were 0 Day Visits "
                                      "applied.\n"));
    CalendarDocument doc = Read(out);
    EXPECT_EQ(DayAt(doc, QStringLiteral("2024-12-24")).OvernightPickup, QStringLiteral("05:00PM"));
    EXPECT_EQ(DayAt(doc, QStringLiteral("2024-12-24")).OvernightDropoff, NoTimeText);
    EXPECT_EQ(DayAt(doc, QStringLiteral("2024-12-25")).OvernightDropoff, QStringLiteral("09:00AM"));

    // One entry alone is a stay of its own; --remove takes it off again.
    const CliRun second = RunCommand(QStringList{QStringLiteral("apply-list"), m_in, list, m_in} +
                                     Args({"--accept-date-mismatch", "--entries", "2"}));
    ASSERT_EQ(second.Status, 0) << second.Err.toStdString();
    EXPECT_EQ(MarkedDates(Read(m_in), ListKind::Overnights), Args({"2024-12-25"}));
    const CliRun removed =
        RunCommand(QStringList{QStringLiteral("apply-list"), m_in, list, m_in} +
                   Args({"--accept-date-mismatch", "--entries", "1-2", "--remove"}));
    ASSERT_EQ(removed.Status, 0) << removed.Err.toStdString();
    EXPECT_TRUE(removed.Out.contains(QStringLiteral("There were 1 Overnight Stays removed.")));
    EXPECT_TRUE(MarkedDates(Read(m_in), ListKind::Overnights).isEmpty());

    for (const char* entries : {"0", "5", "2-1", "x", "1,,2"}) {
        const CliRun bad = RunCommand(
            QStringList{QStringLiteral("apply-list"), m_in, list, Path(QStringLiteral("bad.cdb"))} +
            Args({"--accept-date-mismatch", "--entries", entries}));
        EXPECT_EQ(bad.Status, 2) << entries;
    }
}

TEST_F(CustomPatternCli, RepeatPatternsListsTheFile)
{
    // Lines may end in CR LF, LF or CR alone.
    Write(QStringLiteral("pats.txt"), "Weekends | NNNNOOO\n\r\n\rJos\xe9 | OD\rDays | D\r\n");
    const CliRun run =
        RunCommand({QStringLiteral("repeat-patterns"), Path(QStringLiteral("pats.txt"))});
    ASSERT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, QStringLiteral("Weekends | NNNNOOO\nJos\u00e9 | OD\nDays | D\n"));
    const CliRun missing =
        RunCommand({QStringLiteral("repeat-patterns"), Path(QStringLiteral("none"))});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_EQ(missing.Err, QStringLiteral("Error reading ") + Path(QStringLiteral("none")) +
                               QStringLiteral("\nThe file does not exist.\n"));
}

TEST_F(CustomPatternCli, HelpNamesEveryOption)
{
    const CliRun help = RunCommand({QStringLiteral("apply-list"), QStringLiteral("--help")});
    EXPECT_EQ(help.Status, 0);
    for (const char* option : {"--entries", "--remove", "--accept-date-mismatch",
                               "--overnight-times", "--day-visit-times", "--overwrite", "LIST.tcl"})
        EXPECT_TRUE(help.Out.contains(QLatin1String(option))) << option;
    const CliRun repeat = RunCommand({QStringLiteral("apply-repeat"), QStringLiteral("--help")});
    for (const char* option : {"--letters", "--pattern", "--patterns", "--reason", "--from"})
        EXPECT_TRUE(repeat.Out.contains(QLatin1String(option))) << option;
}

} // namespace

// A line that is no pattern is named, not applied as days without marks.
TEST_F(CustomPatternCli, APatternFileWithALineThatIsNoPatternIsRefused)
{
    const struct {
        const char* Content;
        const char* Line;
    } cases[] = {
        {"Weekends | NNNNOOO\r\nno bar\r\n", "Line 2 is no pattern"},
        {"Weekends | NNNNOXO\r\n", "Line 1 is no pattern"},
        {"Visits | DN\r\nLower | od\r\n", "Line 2 is no pattern"},
    };
    const QString out = Path(QStringLiteral("never.cdb"));
    for (const auto& c : cases) {
        Write(QStringLiteral("pats.txt"), c.Content);
        const QString file = Path(QStringLiteral("pats.txt"));
        for (const QStringList& arguments :
             {QStringList{QStringLiteral("repeat-patterns"), file},
              QStringList{QStringLiteral("apply-repeat"), m_in, out} +
                  Args({"--pattern", "Weekends", "--patterns"}) + QStringList{file}}) {
            const CliRun run = RunCommand(arguments);
            EXPECT_EQ(run.Status, 1) << c.Content;
            EXPECT_TRUE(run.Err.startsWith(QStringLiteral("Error reading ") + file +
                                           QStringLiteral("\n") + QLatin1String(c.Line)))
                << run.Err.toStdString();
        }
        EXPECT_FALSE(QFile::exists(out));
    }
    // A folder or a FIFO in the file's place cannot be read.
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("folder"))));
    const CliRun folder = RunCommand(QStringList{QStringLiteral("apply-repeat"), m_in, out} +
                                     Args({"--pattern", "Weekends", "--patterns"}) +
                                     QStringList{Path(QStringLiteral("folder"))});
    EXPECT_EQ(folder.Status, 1);
    EXPECT_EQ(folder.Err, QStringLiteral("Error reading ") + Path(QStringLiteral("folder")) +
                              QStringLiteral("\nIt is a folder, not a file.\n"));
}

// An empty template is nothing to apply: refused, and OUT is not written.
TEST_F(CustomPatternCli, AnEmptyTemplateIsRefused)
{
    Write(QStringLiteral("Empty.tcl"), "January 2024 Custom List for Smith\r\n");
    const QString out = Path(QStringLiteral("never.cdb"));
    const CliRun run =
        RunCommand({QStringLiteral("apply-list"), m_in, Path(QStringLiteral("Empty.tcl")), out,
                    QStringLiteral("--accept-date-mismatch")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(run.Err.startsWith(QStringLiteral("You must select one or more custom items")))
        << run.Err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}
