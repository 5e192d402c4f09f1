#include "calendar/CalendarFile.h"
#include "cli/CliRun.h"
#include "patterns/PatternTestSupport.h"
#include "support/FullDisk.h"
#include "support/SpecialFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;
using custodex::cli_test::CliRun;
using custodex::cli_test::RunCommand;

namespace {

// A calendar for January 2024 to December 2025 in a temporary folder.
class PatternCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_in = m_dir.filePath(QStringLiteral("in.cdb"));
        const CliRun made =
            RunCommand({QStringLiteral("new"), QStringLiteral("--client"), QStringLiteral("Smith"),
                        QStringLiteral("--year"), QStringLiteral("2024"), QStringLiteral("--month"),
                        QStringLiteral("January"), m_in});
        ASSERT_EQ(made.Status, 0) << made.Err.toStdString();
    }

    QString Out(const QString& name = QStringLiteral("out.cdb")) const
    {
        return m_dir.filePath(name);
    }

    static CliRun Run(const QString& command, const QString& in, const QString& out,
                      const QStringList& options)
    {
        return RunCommand(QStringList{command, in, out} + options);
    }

    static CalendarDocument Read(const QString& path)
    {
        CalendarDocument doc;
        const FileResult read = ReadCalendarFile(doc, path);
        EXPECT_TRUE(read.Ok) << path.toStdString();
        return doc;
    }

    // Even Friday to Sunday runs in March 2024 (Fridays 1, 8, 15, 22, 29): the 8th to 10th and
    // the 22nd to 24th.
    QStringList EvenWeekends() const
    {
        return {QStringLiteral("--overnights"),
                QStringLiteral("--kind"),
                QStringLiteral("even"),
                QStringLiteral("--days"),
                QStringLiteral("Fri,saturday,SUN"),
                QStringLiteral("--from"),
                QStringLiteral("2024-03-01"),
                QStringLiteral("--to"),
                QStringLiteral("2024-03-31"),
                QStringLiteral("--pickup"),
                QStringLiteral("06:00PM"),
                QStringLiteral("--dropoff"),
                QStringLiteral("08:00AM")};
    }

    QTemporaryDir m_dir;
    QString m_in;
};

TEST_F(PatternCli, ApplyMarksTheRunsAndTellsTheCount)
{
    const CliRun run = Run(QStringLiteral("apply-pattern"), m_in, Out(), EvenWeekends());
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out,
              QStringLiteral("Added 6 days of Even Friday, Saturday, Sunday to Calendar.\n"));
    CalendarDocument doc = Read(Out());
    EXPECT_EQ(MarkedDates(doc, ListKind::Overnights),
              (QStringList{QStringLiteral("2024-03-08"), QStringLiteral("2024-03-09"),
                           QStringLiteral("2024-03-10"), QStringLiteral("2024-03-22"),
                           QStringLiteral("2024-03-23"), QStringLiteral("2024-03-24")}));
    EXPECT_EQ(DayAt(doc, QStringLiteral("2024-03-08")).OvernightPickup, QStringLiteral("06:00PM"));
    EXPECT_EQ(DayAt(doc, QStringLiteral("2024-03-08")).OvernightDropoff, NoTimeText);
    EXPECT_EQ(DayAt(doc, QStringLiteral("2024-03-10")).OvernightDropoff, QStringLiteral("08:00AM"));
    EXPECT_TRUE(MarkedDates(Read(m_in), ListKind::Overnights).isEmpty());
}

// What was done is told only once the calendar is written: on a full disk the commands used to
// say "Added 6 days ..." and then fail.
TEST_F(PatternCli, NothingIsToldOfACalendarThatWasNotWritten)
{
    ASSERT_EQ(Run(QStringLiteral("apply-pattern"), m_in, Out(), EvenWeekends()).Status, 0);
    const QByteArray before = FileBytes(Out());
    const struct {
        const char* Command;
        QStringList Options;
    } cases[] = {
        {"apply-pattern", EvenWeekends()},
        {"remove-pattern",
         {QStringLiteral("--overnights"), QStringLiteral("--reason"),
          QStringLiteral("Even Friday, Saturday, Sunday")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Command);
        const QString command = QString::fromLatin1(c.Command);
        CliRun run;
        {
            const FullDiskAfter disk(0);
            run = Run(command, Out(), Out(), c.Options);
        }
        EXPECT_EQ(run.Status, 1);
        EXPECT_TRUE(run.Err.contains(QStringLiteral("No space left on device")))
            << run.Err.toStdString();
        EXPECT_EQ(run.Out, QString());
        EXPECT_EQ(FileBytes(Out()), before);
        // With room the same command tells what it did.
        EXPECT_FALSE(Run(command, m_in, Out(QStringLiteral("room.cdb")), c.Options).Out.isEmpty());
        QFile::remove(Out(QStringLiteral("room.cdb")));
    }
}

TEST_F(PatternCli, DefaultsAreTheDialogsWholeCalendarAndProposedReason)
{
    const CliRun run = Run(
        QStringLiteral("apply-pattern"), m_in, Out(),
        {QStringLiteral("--day-visits"), QStringLiteral("--kind"), QStringLiteral("last"),
         QStringLiteral("--days"), QStringLiteral("mon,tue,wed,thu,fri,sat,sun"),
         QStringLiteral("--week-begins"), QStringLiteral("Wednesday"), QStringLiteral("--no-nap")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    // 24 months of seven days, the last one (from December 31, 2025) cut by the calendar's end.
    EXPECT_EQ(run.Out, QStringLiteral("Added 162 days of A full week beginning on Last Wednesday "
                                      "of the month of each month to Calendar.\n"));
    CalendarDocument doc = Read(Out());
    const CalendarDay& day = DayAt(doc, QStringLiteral("2024-01-31"));
    EXPECT_EQ(day.DayVisitReason, QStringLiteral("NN-A full week beginning on Last Wednesday of "
                                                 "the month of each month"));
    EXPECT_EQ(day.DayVisitStart, NoTimeText); // the calendar's default times
    EXPECT_TRUE(doc.Days.back().HasDayVisit);
}

TEST_F(PatternCli, OverwritePolicyAnswersEveryQuestion)
{
    ASSERT_EQ(Run(QStringLiteral("apply-pattern"), m_in, m_in, EvenWeekends()).Status, 0);
    const QStringList mom = {
        QStringLiteral("--overnights"), QStringLiteral("--kind"), QStringLiteral("all"),
        QStringLiteral("--days"),       QStringLiteral("sat"),    QStringLiteral("--from"),
        QStringLiteral("2024-03-01"),   QStringLiteral("--to"),   QStringLiteral("2024-03-31"),
        QStringLiteral("--reason"),     QStringLiteral("Mom")};
    const QString question9 = QStringLiteral("March 9 (SATURDAY) is already marked as an "
                                             "Overnight because of \"Even Friday, Saturday, "
                                             "Sunday\"\nOverwrite it?\n");
    const QString question23 = QStringLiteral("March 23 (SATURDAY) is already marked as an "
                                              "Overnight because of \"Even Friday, Saturday, "
                                              "Sunday\"\nOverwrite it?\n");

    const CliRun none =
        Run(QStringLiteral("apply-pattern"), m_in, Out(QStringLiteral("none.cdb")),
            mom + QStringList{QStringLiteral("--overwrite"), QStringLiteral("none")});
    ASSERT_EQ(none.Status, 0) << none.Err.toStdString();
    EXPECT_EQ(none.Out, question9 + QStringLiteral("No\n") + question23 +
                            QStringLiteral("No\nAdded 3 days of Mom to Calendar.\n"));
    CalendarDocument kept = Read(Out(QStringLiteral("none.cdb")));
    EXPECT_EQ(DayAt(kept, QStringLiteral("2024-03-09")).OvernightReason,
              QStringLiteral("Even Friday, Saturday, Sunday"));
    EXPECT_EQ(DayAt(kept, QStringLiteral("2024-03-16")).OvernightReason, QStringLiteral("Mom"));

    const CliRun all = Run(QStringLiteral("apply-pattern"), m_in, Out(QStringLiteral("all.cdb")),
                           mom + QStringList{QStringLiteral("--overwrite"), QStringLiteral("all")});
    ASSERT_EQ(all.Status, 0) << all.Err.toStdString();
    EXPECT_EQ(all.Out,
              question9 + QStringLiteral("Yes to All\nAdded 3 days of Mom to Calendar.\n"));
    CalendarDocument replaced = Read(Out(QStringLiteral("all.cdb")));
    EXPECT_EQ(DayAt(replaced, QStringLiteral("2024-03-23")).OvernightReason, QStringLiteral("Mom"));
}

TEST_F(PatternCli, DialogRefusalsWriteNothing)
{
    const struct {
        QStringList Options;
        const char* Message;
    } cases[] = {
        {{QStringLiteral("--overnights"), QStringLiteral("--kind"), QStringLiteral("odd")},
         "You must select a day from the Weekday list\nbefore you can apply the days to your "
         "calendar.\n"},
        {{QStringLiteral("--overnights"), QStringLiteral("--kind"), QStringLiteral("odd"),
          QStringLiteral("--days"), QStringLiteral("fri"), QStringLiteral("--from"),
          QStringLiteral("2024-04-31")},
         "Invalid entry \"31\" found in \"Start On\" day.\nPlease correct and try again.\n"},
        {{QStringLiteral("--day-visits"), QStringLiteral("--kind"), QStringLiteral("first"),
          QStringLiteral("--days"), QStringLiteral("fri"), QStringLiteral("--to"),
          QStringLiteral("2026-01-01")},
         "Invalid entry \"2026\" found in \"End Before\" year.\nPlease correct and try again.\n"},
        {{QStringLiteral("--overnights"), QStringLiteral("--kind"), QStringLiteral("all"),
          QStringLiteral("--days"), QStringLiteral("fri"), QStringLiteral("--from"),
          QStringLiteral("2024-05-02"), QStringLiteral("--to"), QStringLiteral("2024-05-01")},
         "Your \"Start ON...\" Date of May 2, 2024 comes after\nyour \"End Before...\" date of May "
         "1, 2024.\nPlease correct and try again.\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = Run(QStringLiteral("apply-pattern"), m_in, Out(), c.Options);
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err, QString::fromUtf8(c.Message));
        EXPECT_TRUE(run.Out.isEmpty()) << run.Out.toStdString();
        EXPECT_FALSE(QFile::exists(Out()));
    }
}

TEST_F(PatternCli, RemoveIgnoresCaseAndStopsAtTheCalendarsEnd)
{
    ASSERT_EQ(Run(QStringLiteral("apply-pattern"), m_in, m_in, EvenWeekends()).Status, 0);
    const CliRun afterEnd =
        Run(QStringLiteral("remove-pattern"), m_in, Out(QStringLiteral("late.cdb")),
            {QStringLiteral("--overnights"), QStringLiteral("--reason"),
             QStringLiteral("even friday, saturday, sunday"), QStringLiteral("--from"),
             QStringLiteral("2026-01-01")});
    ASSERT_EQ(afterEnd.Status, 0) << afterEnd.Err.toStdString();
    EXPECT_EQ(afterEnd.Out,
              QStringLiteral("Removed 0 days of even friday, saturday, sunday from Calendar.\n"));

    const CliRun run = Run(QStringLiteral("remove-pattern"), m_in, Out(),
                           {QStringLiteral("--overnights"), QStringLiteral("--reason"),
                            QStringLiteral("even friday, saturday, sunday"), QStringLiteral("--to"),
                            QStringLiteral("2024-03-22")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out,
              QStringLiteral("Removed 4 days of even friday, saturday, sunday from Calendar.\n"));
    EXPECT_EQ(MarkedDates(Read(Out()), ListKind::Overnights),
              (QStringList{QStringLiteral("2024-03-23"), QStringLiteral("2024-03-24")}));
}

TEST_F(PatternCli, UsageErrors)
{
    const QString apply = QStringLiteral("apply-pattern");
    const QString kind = QStringLiteral("--kind");
    const QString days = QStringLiteral("--days");
    const QString on = QStringLiteral("--overnights");
    const struct {
        QString Command;
        QStringList Options;
    } cases[] = {
        {apply, {kind, QStringLiteral("odd"), days, QStringLiteral("fri")}},
        {apply, {on, QStringLiteral("--day-visits"), kind, QStringLiteral("odd")}},
        {apply, {on, kind, QStringLiteral("sixth"), days, QStringLiteral("fri")}},
        {apply, {on, kind, QStringLiteral("odd"), days, QStringLiteral("fr")}},
        {apply,
         {on, kind, QStringLiteral("odd"), days, QStringLiteral("fri"),
          QStringLiteral("--week-begins"), QStringLiteral("someday")}},
        {apply,
         {on, kind, QStringLiteral("odd"), days, QStringLiteral("fri"), QStringLiteral("--from"),
          QStringLiteral("2024-3-1")}},
        {apply,
         {on, kind, QStringLiteral("odd"), days, QStringLiteral("fri"), QStringLiteral("--to"),
          QStringLiteral("2024-13-01")}},
        {apply,
         {on, kind, QStringLiteral("odd"), days, QStringLiteral("fri"), QStringLiteral("--pickup"),
          QStringLiteral("6pm")}},
        {apply,
         {on, kind, QStringLiteral("odd"), days, QStringLiteral("fri"),
          QStringLiteral("--overwrite"), QStringLiteral("some")}},
        {QStringLiteral("remove-pattern"), {on}},
        {QStringLiteral("remove-pattern"), {QStringLiteral("--reason"), QStringLiteral("x")}},
    };
    for (const auto& c : cases) {
        const CliRun run = Run(c.Command, m_in, Out(), c.Options);
        EXPECT_EQ(run.Status, 2) << c.Options.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_FALSE(QFile::exists(Out()));
}

TEST(PatternCliHelp, NamesEveryOption)
{
    const CliRun run = RunCommand({QStringLiteral("apply-pattern"), QStringLiteral("--help")});
    EXPECT_EQ(run.Status, 0);
    EXPECT_TRUE(run.Out.startsWith(
        QStringLiteral("Usage: custodex-cli apply-pattern [options] IN.cdb OUT.cdb\n")));
    for (const char* option :
         {"--overnights", "--day-visits", "--kind", "--days", "--week-begins", "--from", "--to",
          "--pickup", "--dropoff", "--reason", "--no-nap", "--overwrite"})
        EXPECT_TRUE(run.Out.contains(QLatin1String(option))) << option;
    const CliRun list = RunCommand({QStringLiteral("--help")});
    EXPECT_TRUE(list.Out.contains(QStringLiteral("\n  remove-pattern ")));
}

} // namespace
