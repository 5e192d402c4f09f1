#include "calendar/CalendarFile.h"
#include "cli/CliRun.h"
#include "reports/DayCounts.h"
#include "reports/DayCountsTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::day_counts_test;

namespace {

class DayCountsCli : public ::testing::Test {
protected:
    void Write(const std::vector<Mark>& marks)
    {
        CalendarDocument doc = Calendar(marks);
        ASSERT_TRUE(WriteCalendarFile(doc, File, false).Ok);
    }
    static cli_test::CliRun Cli(const QStringList& arguments)
    {
        return cli_test::RunCommand(QStringList{T("day-counts")} + arguments);
    }

    QTemporaryDir Folder;
    QString File = Folder.filePath(T("Garcia.cdb"));
};

TEST_F(DayCountsCli, JsonGivesTheFourCountsPerPeriod)
{
    Write({{"2024-03-01", true, "06:00PM", "06:00PM"}});
    const cli_test::CliRun run = Cli({File, T("--json")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.Out.toUtf8()).object();
    EXPECT_TRUE(json[T("notCountable")].isNull());
    const QJsonObject periods = json[T("periods")].toObject();
    EXPECT_EQ(periods.keys(), (QStringList{T("bothYears"), T("firstYear"), T("secondYear")}));
    const QJsonObject first = periods[T("firstYear")].toObject();
    EXPECT_EQ(first[T("from")].toString(), T("2024-01-01"));
    EXPECT_EQ(first[T("to")].toString(), T("2024-12-31"));
    EXPECT_EQ(first[T("days")].toInt(), 366);
    const QJsonObject nonCustodial = first[T("nonCustodial")].toObject();
    EXPECT_EQ(nonCustodial[T("overnights")].toInt(), 1);
    EXPECT_DOUBLE_EQ(nonCustodial[T("hours24")].toDouble(), 1.0);
    EXPECT_EQ(nonCustodial[T("daysOver12Hours")].toInt(), 1);
    EXPECT_DOUBLE_EQ(nonCustodial[T("weightedDays")].toDouble(), 1.5);
    EXPECT_EQ(nonCustodial[T("weightedDaysPercent")].toString(), T("00.4%"));
    EXPECT_EQ(first[T("custodial")].toObject()[T("overnights")].toInt(), 365);

    const cli_test::CliRun second = Cli({File, T("--json"), T("--period"), T("second")});
    ASSERT_EQ(second.Status, 0) << second.Err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(second.Out.toUtf8())[T("periods")].toObject().keys(),
              QStringList{T("secondYear")});
}

TEST_F(DayCountsCli, TextHelpAndRefusals)
{
    Write({{"2024-03-05", false, "10:00AM", "02:00PM"}});
    const cli_test::CliRun text = Cli({File, T("--period"), T("first")});
    ASSERT_EQ(text.Status, 0) << text.Err.toStdString();
    EXPECT_TRUE(text.Out.contains(T("First year: January 1, 2024 to December 31, 2024 (366 days)")))
        << text.Out.toStdString();
    EXPECT_TRUE(text.Out.contains(DayCountNeutralNote));
    EXPECT_FALSE(text.Out.contains(T("Second year:")));

    const cli_test::CliRun help = Cli({T("--help")});
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(help.Out.contains(T("--period")));
    EXPECT_EQ(Cli({File, T("--period"), T("third")}).Status, 2);
    EXPECT_EQ(Cli({}).Status, 2);
    EXPECT_EQ(Cli({Folder.filePath(T("Nobody.cdb"))}).Status, 1);

    Write(
        {{"2024-03-01", true, "06:00PM", "08:00AM"}, {"2024-03-01", false, "07:00PM", "09:00PM"}});
    const cli_test::CliRun refused = Cli({File});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_TRUE(refused.Out.isEmpty());
    EXPECT_TRUE(refused.Err.contains(T("March 1, 2024"))) << refused.Err.toStdString();
}

// A calendar that cannot be counted: the JSON still comes, as the comparison's does, with the
// reason and a null for every count, and the exit code the comparison gives it.
TEST_F(DayCountsCli, JsonOfAnUncountableCalendarGivesTheReasonAndNullCounts)
{
    Write(
        {{"2024-03-01", true, "06:00PM", "08:00AM"}, {"2024-03-01", false, "07:00PM", "09:00PM"}});
    const cli_test::CliRun run = Cli({File, T("--json"), T("--period"), T("first")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.Out.toUtf8()).object();
    EXPECT_TRUE(json[T("notCountable")].toString().contains(T("March 1, 2024")))
        << run.Out.toStdString();
    const QJsonObject first = json[T("periods")].toObject()[T("firstYear")].toObject();
    EXPECT_EQ(first[T("days")].toInt(), 366);
    for (const char* side : {"nonCustodial", "custodial"}) {
        const QJsonObject counts = first[T(side)].toObject();
        EXPECT_EQ(counts.size(), 8) << side;
        for (const QString& key : counts.keys())
            EXPECT_TRUE(counts[key].isNull()) << side << " " << key.toStdString();
    }
}

} // namespace
