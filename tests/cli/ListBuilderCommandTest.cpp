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

const QString Holidays = QStringLiteral(CUSTODEX_TEST_DATA "/SchoolHolidays.ics");

QStringList Args(std::initializer_list<const char*> words)
{
    QStringList list;
    for (const char* word : words)
        list << QString::fromUtf8(word);
    return list;
}

class ListBuilderCli : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QByteArray Bytes(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }

    // make-list for Garcia's calendar of September 2025 to August 2027.
    CliRun MakeList(const QString& out, const QStringList& more) const
    {
        return RunCommand(
            QStringList{QStringLiteral("make-list"), out} +
            Args({"--client", "Garcia", "--start-year", "2025", "--start-month", "september"}) +
            more);
    }

    QTemporaryDir m_dir;
};

// The template of a school's holidays, applied to a calendar of the same start: every night of
// each holiday, each holiday one stay, and no date warning.
TEST_F(ListBuilderCli, SchoolHolidaysBecomeOneStayEach)
{
    const QString list = Path(QStringLiteral("2025 September Garcia Custom List.tcl"));
    const CliRun made = MakeList(list, QStringList{QStringLiteral("--from-ics"), Holidays} +
                                           Args({"--as", "overnights"}));
    ASSERT_EQ(made.Status, 0) << made.Err.toStdString();
    EXPECT_EQ(made.Out, QStringLiteral("Wrote 30 entries to ") + list +
                            QStringLiteral(".\n30 entries added from 4 events of "
                                           "SchoolHolidays.ics.\n1 event fell outside the list's "
                                           "24 months and was left out.\n"));
    EXPECT_TRUE(Bytes(list).startsWith("September 2025 Custom List for Garcia\r\n"
                                       "ON October 27, 2025 Autumn break\r\n"));

    const QString in = Path(QStringLiteral("in.cdb"));
    const QString out = Path(QStringLiteral("out.cdb"));
    ASSERT_EQ(
        RunCommand({QStringLiteral("new"), QStringLiteral("--client"), QStringLiteral("Garcia"),
                    QStringLiteral("--year"), QStringLiteral("2025"), QStringLiteral("--month"),
                    QStringLiteral("September"), in})
            .Status,
        0);
    const CliRun applied = RunCommand(QStringList{QStringLiteral("apply-list"), in, list, out} +
                                      Args({"--overnight-times", "06:00PM,09:00AM"}));
    ASSERT_EQ(applied.Status, 0) << applied.Err.toStdString();
    EXPECT_EQ(applied.Err, QString()); // no warning of any kind
    EXPECT_TRUE(applied.Out.contains(QStringLiteral("There were 30 Overnight Stays applied.")));

    CalendarDocument doc;
    ASSERT_TRUE(ReadCalendarFile(doc, out).Ok);
    const struct {
        const char* First;
        const char* Last;
        const char* Reason;
    } stays[] = {{"2025-10-27", "2025-10-31", "Autumn break"},
                 {"2025-12-20", "2026-01-04", "Winter break"},
                 {"2026-04-03", "2026-04-11", "Spring break no school"}};
    QStringList expected;
    for (const auto& stay : stays) {
        const QDate first = QDate::fromString(QLatin1String(stay.First), Qt::ISODate);
        const QDate last = QDate::fromString(QLatin1String(stay.Last), Qt::ISODate);
        for (QDate day = first; day <= last; day = day.addDays(1)) {
            const QString date = day.toString(Qt::ISODate);
            expected << date;
            const CalendarDay& marked = DayAt(doc, date);
            EXPECT_EQ(marked.OvernightReason, QString::fromUtf8(stay.Reason)) << date.toStdString();
            EXPECT_EQ(marked.OvernightPickup, day == first ? QStringLiteral("06:00PM") : NoTimeText)
                << date.toStdString();
            EXPECT_EQ(marked.OvernightDropoff, day == last ? QStringLiteral("09:00AM") : NoTimeText)
                << date.toStdString();
        }
    }
    EXPECT_EQ(MarkedDates(doc, ListKind::Overnights), expected);
}

TEST_F(ListBuilderCli, SingleEntriesAndRangesInDateOrder)
{
    const QString list = Path(QStringLiteral("list.tcl"));
    const CliRun made = MakeList(list, Args({"--entry", "DV 2026-04-06..2026-04-07 Spring camp",
                                             "--entry", "ON 2025-12-24 Winter break"}));
    ASSERT_EQ(made.Status, 0) << made.Err.toStdString();
    EXPECT_EQ(Bytes(list), QByteArray("September 2025 Custom List for Garcia\r\n"
                                      "ON December 24, 2025 Winter break\r\n"
                                      "DV April 6, 2026 Spring camp\r\n"
                                      "DV April 7, 2026 Spring camp\r\n"));
    EXPECT_EQ(made.Out, QStringLiteral("Wrote 3 entries to ") + list +
                            QStringLiteral(".\nNote: a calendar takes this list without a date "
                                           "warning when the file is named \"2025 September "
                                           "Garcia Custom List.tcl\".\n"));
}

// One event that cannot be read costs only itself: the others are written and it is named.
TEST_F(ListBuilderCli, ABrokenEventIsNamedAndTheOthersWritten)
{
    const QString ics = Path(QStringLiteral("district.ics"));
    QFile file(ics);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nX-WR-CALDESC:\r\n"
               "BEGIN:VEVENT\r\nUID:1\r\nSUMMARY:Teacher day\r\nDESCRIPTION:\r\n"
               "DTSTART;VALUE=DATE:20251010\r\nEND:VEVENT\r\n"
               "BEGIN:VEVENT\r\nUID:2\r\nSUMMARY:Open house\r\n"
               "DTSTART:20251015T180000\r\nDTEND:20251015T1900\r\nEND:VEVENT\r\n"
               "BEGIN:VEVENT\r\nUID:3\r\nSUMMARY:Thanksgiving break\r\n"
               "DTSTART;VALUE=DATE:20251126\r\nDTEND;VALUE=DATE:20251129\r\nEND:VEVENT\r\n"
               "END:VCALENDAR\r\n");
    file.close();
    const QString list = Path(QStringLiteral("2025 September Garcia Custom List.tcl"));
    const CliRun made = MakeList(list, QStringList{QStringLiteral("--from-ics"), ics} +
                                           Args({"--as", "day-visits"}));
    ASSERT_EQ(made.Status, 0) << made.Err.toStdString();
    EXPECT_EQ(made.Out, QStringLiteral("Wrote 4 entries to ") + list +
                            QStringLiteral(".\n4 entries added from 3 events of district.ics.\n"
                                           "1 event could not be read and was left out:\n"
                                           "line 14, \"Open house\": Can't parse as DATE-TIME "
                                           "value in DTEND property: 20251015T1900.\n"));
    EXPECT_EQ(Bytes(list), QByteArray("September 2025 Custom List for Garcia\r\n"
                                      "DV October 10, 2025 Teacher day\r\n"
                                      "DV November 26, 2025 Thanksgiving break\r\n"
                                      "DV November 27, 2025 Thanksgiving break\r\n"
                                      "DV November 28, 2025 Thanksgiving break\r\n"));
}

TEST_F(ListBuilderCli, RefusalsLeaveTheFileAsItWas)
{
    const QString list = Path(QStringLiteral("2025 September Garcia Custom List.tcl"));
    // A contact saved as .ics by mistake: no calendar in it.
    const QString broken = Path(QStringLiteral("broken.ics"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Garcia\r\nEND:VCARD\r\n");
    file.close();
    const QStringList entry = Args({"--entry", "ON 2025-12-24 Winter break"});

    // Nothing there: nothing is written by a refusal.
    const struct {
        QStringList Options;
        const char* Message;
    } refused[] = {
        {QStringList{QStringLiteral("--from-ics"), broken} + Args({"--as", "overnights"}),
         "The file is no iCalendar file: it holds no BEGIN:VCALENDAR line."},
        {Args({"--entry", "ON 2027-09-01 Too late"}),
         "The entry 2027-09-01 Too late lies outside the list's 24 months (September 2025 to "
         "August 2027)."},
        {Args({"--entry", "DV 2025-08-31..2025-09-02 Straddling"}), "The entry 2025-08-31..2025"},
    };
    for (const auto& c : refused) {
        const CliRun run = MakeList(list, c.Options);
        EXPECT_EQ(run.Status, 1) << c.Message;
        EXPECT_TRUE(run.Err.contains(QString::fromUtf8(c.Message))) << run.Err.toStdString();
        EXPECT_FALSE(QFile::exists(list));
    }

    // An existing file needs --replace-existing; a locked one is never replaced.
    ASSERT_EQ(MakeList(list, entry).Status, 0);
    const QByteArray before = Bytes(list);
    const QStringList other = Args({"--entry", "ON 2025-12-31 New Year"});
    const CliRun again = MakeList(list, other);
    EXPECT_EQ(again.Status, 1);
    EXPECT_TRUE(again.Err.contains(QStringLiteral("already exists!\nGive --replace-existing")));
    EXPECT_EQ(Bytes(list), before);
    const CliRun brokenAgain =
        MakeList(list, QStringList{QStringLiteral("--from-ics"), broken} +
                           Args({"--as", "overnights", "--replace-existing"}));
    EXPECT_EQ(brokenAgain.Status, 1);
    EXPECT_EQ(Bytes(list), before);

    ASSERT_TRUE(QFile::setPermissions(list, QFile::ReadOwner | QFile::ReadGroup));
    EXPECT_EQ(MakeList(list, other + Args({"--replace-existing"})).Status, 1);
    EXPECT_EQ(Bytes(list), before);
    ASSERT_TRUE(QFile::setPermissions(list, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(MakeList(list, other + Args({"--replace-existing"})).Status, 0);
    EXPECT_NE(Bytes(list), before);

    // The .ics file itself is never the template.
    EXPECT_EQ(MakeList(broken, QStringList{QStringLiteral("--from-ics"), broken} +
                                   Args({"--as", "overnights", "--replace-existing"}))
                  .Status,
              1);
    EXPECT_TRUE(Bytes(broken).startsWith("BEGIN:VCARD"));
}

TEST_F(ListBuilderCli, AWrongCommandLineIsAUsageError)
{
    const QString list = Path(QStringLiteral("list.tcl"));
    const QString base[] = {QStringLiteral("make-list"), list};
    const QStringList cases[] = {
        Args({"--start-year", "2025", "--start-month", "March"}),
        Args({"--client", "Garcia", "--start-month", "March"}),
        Args({"--client", "Garcia", "--start-year", "2025"}),
        Args({"--client", "Garcia", "--start-year", "999", "--start-month", "March"}),
        Args({"--client", "Garcia", "--start-year", "2025", "--start-month", "Mar"}),
        Args({"--client", "Garcia", "--start-year", "2025", "--start-month", "March", "--from-ics",
              "x.ics"}),
        Args({"--client", "Garcia", "--start-year", "2025", "--start-month", "March", "--as",
              "overnights"}),
        Args({"--client", "Garcia", "--start-year", "2025", "--start-month", "March", "--from-ics",
              "x.ics", "--as", "nights"}),
        Args({"--client", "Garcia", "--start-year", "2025", "--start-month", "March", "--from-ics",
              "x.ics", "--as", "overnights", "--reason", "Hooray!"}),
        Args({"--client", "Garcia", "--start-year", "2025", "--start-month", "March", "--entry",
              "XX 2025-12-24 Winter break"}),
        Args({"--client", "Garcia", "--start-year", "2025", "--start-month", "March", "--entry",
              "ON 2025-12-24"}),
        Args({"--client", "Garcia", "--start-year", "2025", "--start-month", "March", "--entry",
              "ON 2025-02-30 Nonsense"}),
        Args({"--client", "Garcia", "--start-year", "2025", "--start-month", "March", "--entry",
              "ON 2025-12-26..2025-12-24 Backwards"}),
        Args({"--client", "Garcia", "--start-year", "2025", "--start-month", "March", "--entry",
              "ON 2025-12-24 Semi;colon"}),
    };
    for (const QStringList& options : cases) {
        const CliRun run = RunCommand(QStringList{base[0], base[1]} + options);
        EXPECT_EQ(run.Status, 2) << options.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_FALSE(QFile::exists(list));
}

TEST_F(ListBuilderCli, HelpNamesEveryOption)
{
    const CliRun help = RunCommand({QStringLiteral("make-list"), QStringLiteral("--help")});
    EXPECT_EQ(help.Status, 0);
    for (const char* name : {"--client", "--start-year", "--start-month", "--from-ics", "--as",
                             "--reason", "--entry", "--replace-existing", "OUT.tcl"})
        EXPECT_TRUE(help.Out.contains(QLatin1String(name))) << name;
}

} // namespace
