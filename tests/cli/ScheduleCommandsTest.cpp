#include "calendar/CalendarFile.h"
#include "cli/CliRun.h"
#include "patterns/PatternTestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;
using custodex::cli_test::CliRun;
using custodex::cli_test::RunCommand;

namespace {

QStringList Args(std::initializer_list<const char*> words)
{
    QStringList list;
    for (const char* word : words)
        list << QString::fromUtf8(word);
    return list;
}

// A calendar from September 2025 to August 2027 in a temporary folder.
class ScheduleCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_in = Path(QStringLiteral("in.cdb"));
        const CliRun made = RunCommand(
            Args({"new", "--client", "Smith", "--year", "2025", "--month", "September"}) +
            QStringList{m_in});
        ASSERT_EQ(made.Status, 0) << made.Err.toStdString();
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Out() const { return Path(QStringLiteral("out.cdb")); }

    CliRun Apply(const char* command, std::initializer_list<const char*> options) const
    {
        return RunCommand(QStringList{QString::fromLatin1(command), m_in, Out()} + Args(options));
    }

    static CalendarDocument Read(const QString& path)
    {
        CalendarDocument doc;
        EXPECT_TRUE(ReadCalendarFile(doc, path).Ok) << path.toStdString();
        return doc;
    }

    QTemporaryDir m_dir;
    QString m_in;
};

TEST_F(ScheduleCli, ApplyScheduleMarksTheNightsWithTheExchangeTimeAndSaysWhatItDid)
{
    const CliRun run =
        Apply("apply-schedule",
              {"--schedule", "2-2-5-5", "--first", "custodial", "--from", "2025-09-01", "--to",
               "2025-09-14", "--exchange", "6pm", "--midweek-visit", "wed=4pm,7:30pm"});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out, QStringLiteral("2-2-5-5 rotation: 7 overnight stays and 0 day visits "
                                      "marked.\n"));
    const CalendarDocument doc = Read(Out());
    // Custodial first: the 1st-2nd and 5th-9th are the custodial parent's.
    EXPECT_EQ(MarkedDates(doc, ListKind::Overnights),
              Args({"2025-09-03", "2025-09-04", "2025-09-10", "2025-09-11", "2025-09-12",
                    "2025-09-13", "2025-09-14"}));
    const CalendarDay& tenth = doc.Days.at(9);
    EXPECT_EQ(tenth.OvernightPickup, QStringLiteral("06:00PM"));
    EXPECT_EQ(doc.Days.at(13).OvernightDropoff, QStringLiteral("06:00PM"));
}

TEST_F(ScheduleCli, ApplyScheduleOverwritesByThePolicyOnly)
{
    ASSERT_EQ(Apply("apply-schedule", {"--schedule", "alternating-weeks", "--first",
                                       "non-custodial", "--to", "2025-09-14"})
                  .Status,
              0);
    m_in = Out();
    CliRun none =
        RunCommand(QStringList{QStringLiteral("apply-schedule"), m_in, m_in} +
                   Args({"--schedule", "2-2-3", "--first", "custodial", "--to", "2025-09-07"}));
    ASSERT_EQ(none.Status, 0) << none.Err.toStdString();
    EXPECT_TRUE(none.Out.startsWith(
        QStringLiteral("WEDNESDAY, September 3  is already marked as an Overnight because of "
                       "Alternating weeks.\nOverwrite it with 2-2-3 rotation?\nNo to All\n")))
        << none.Out.toStdString();
    EXPECT_EQ(Read(m_in).Days.at(2).OvernightReason, QStringLiteral("Alternating weeks"));

    CliRun all = RunCommand(QStringList{QStringLiteral("apply-schedule"), m_in, m_in} +
                            Args({"--schedule", "2-2-3", "--first", "custodial", "--to",
                                  "2025-09-07", "--overwrite", "all"}));
    ASSERT_EQ(all.Status, 0) << all.Err.toStdString();
    EXPECT_EQ(all.Out.count(QStringLiteral("Yes to All")), 1);
    EXPECT_EQ(Read(m_in).Days.at(2).OvernightReason, QStringLiteral("2-2-3 rotation"));
}

TEST_F(ScheduleCli, BadValuesExitTwoAndRefusalsExitOneWithNothingWritten)
{
    const struct {
        const char* Command;
        std::initializer_list<const char*> Options;
        int Status;
    } cases[] = {
        {"apply-schedule", {"--schedule", "2-2-4", "--first", "custodial"}, 2},
        {"apply-schedule", {"--schedule", "holidays-only", "--first", "custodial"}, 2},
        {"apply-schedule", {"--schedule", "2-2-3", "--first", "father"}, 2},
        {"apply-schedule", {"--schedule", "2-2-3"}, 2},
        {"apply-schedule",
         {"--schedule", "2-2-3", "--first", "custodial", "--exchange", "25:00"},
         2},
        {"apply-schedule",
         {"--schedule", "2-2-3", "--first", "custodial", "--from", "2025-9-1"},
         2},
        {"apply-schedule", {"--schedule", "2-2-3", "--first", "custodial", "--long-weekend"}, 2},
        {"apply-schedule",
         {"--schedule", "2-2-3", "--first", "custodial", "--midweek-visit", "someday"},
         2},
        {"apply-schedule",
         {"--schedule", "2-2-3", "--first", "custodial", "--midweek-visit", "wed=4pm"},
         2},
        {"apply-schedule",
         {"--schedule", "2-2-3", "--first", "custodial", "--midweek-visit", "wed",
          "--midweek-overnight", "Wednesday"},
         2},
        {"apply-schedule",
         {"--schedule", "2-2-3", "--first", "custodial", "--overwrite", "some"},
         2},
        {"apply-holidays-by-year", {"--country", "fr", "--overnights"}, 2},
        {"apply-holidays-by-year", {"--country", "us", "--overnights"}, 2},
        {"apply-holidays-by-year", {"--country", "us", "--odd-years", "Halloween"}, 2},
        {"apply-holidays-by-year",
         {"--country", "us", "--overnights", "--odd-years", "Hallowe'en"},
         2},
        {"apply-holidays-by-year",
         {"--country", "us", "--overnights", "--odd-years", "Halloween", "--even-years",
          "Halloween"},
         2},
        // Refusals: the range check, a reason the field would mend, a visit's times.
        {"apply-schedule",
         {"--schedule", "2-2-3", "--first", "custodial", "--from", "2025-10-01", "--to",
          "2025-09-01"},
         1},
        {"apply-schedule", {"--schedule", "2-2-3", "--first", "custodial", "--reason", "Hi!"}, 1},
        {"apply-schedule",
         {"--schedule", "2-2-3", "--first", "custodial", "--midweek-visit", "wed=7pm,4pm"},
         1},
    };
    for (const auto& c : cases) {
        const CliRun run = Apply(c.Command, c.Options);
        const std::string shown =
            std::string(c.Command) + " " + Args(c.Options).join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.Status, c.Status) << shown << "\n" << run.Err.toStdString();
        EXPECT_FALSE(run.Err.isEmpty()) << shown;
        EXPECT_FALSE(QFileInfo::exists(Out())) << shown;
    }
}

TEST_F(ScheduleCli, ApplyHolidaysByYearGivesEachHolidayInItsYears)
{
    const CliRun run = Apply("apply-holidays-by-year",
                             {"--country", "us", "--overnights", "--odd-years", "Thanksgiving Day",
                              "--even-years", "Christmas Day", "--every-year", "Independence Day"});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out, QStringLiteral("4 holidays marked.\n"));
    EXPECT_EQ(MarkedDates(Read(Out()), ListKind::Overnights),
              Args({"2025-11-27", "2026-07-04", "2026-12-25", "2027-07-04"}));
}

TEST_F(ScheduleCli, SchedulesListsEveryScheduleWithItsCycle)
{
    const CliRun text = RunCommand(Args({"schedules"}));
    ASSERT_EQ(text.Status, 0);
    EXPECT_TRUE(text.Out.contains(QStringLiteral("2-2-5-5  2-2-5-5 rotation: ")));
    EXPECT_TRUE(text.Out.contains(QStringLiteral("2 first, 2 other, 5 first, 5 other\n")));

    const CliRun json = RunCommand(Args({"schedules", "--json"}));
    ASSERT_EQ(json.Status, 0);
    const QJsonArray schedules = QJsonDocument::fromJson(json.Out.toUtf8())
                                     .object()
                                     .value(QStringLiteral("schedules"))
                                     .toArray();
    QStringList names;
    for (const QJsonValue& value : schedules)
        names << value.toObject().value(QStringLiteral("name")).toString();
    EXPECT_EQ(names, Args({"alternating-weeks", "2-2-3", "2-2-5-5", "3-4-4-3",
                           "every-other-weekend", "first-third-fifth-weekends"}));
    const QJsonObject twoTwoThree = schedules.at(1).toObject();
    EXPECT_EQ(twoTwoThree.value(QStringLiteral("rule")).toString(), QStringLiteral("cycle"));
    QStringList blocks;
    for (const QJsonValue& block : twoTwoThree.value(QStringLiteral("cycle")).toArray())
        blocks << QString::number(block.toObject().value(QStringLiteral("days")).toInt()) +
                      block.toObject().value(QStringLiteral("parent")).toString();
    EXPECT_EQ(blocks, Args({"2first", "2other", "3first", "2other", "2first", "3other"}));
    EXPECT_EQ(schedules.at(4).toObject().value(QStringLiteral("rule")).toString(),
              QStringLiteral("alternate-weekends"));

    for (const char* command : {"schedules", "apply-schedule", "apply-holidays-by-year"}) {
        const CliRun help = RunCommand(Args({command, "--help"}));
        EXPECT_EQ(help.Status, 0) << command;
        EXPECT_TRUE(help.Out.startsWith(QStringLiteral("Usage: custodex-cli ") +
                                        QString::fromLatin1(command)))
            << command;
    }
}

} // namespace
