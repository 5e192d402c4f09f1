#include "calendar/CalendarFile.h"
#include "cli/CliRun.h"
#include "reports/ComparisonTestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::comparison_test;

namespace {

class CompareCli : public ::testing::Test {
protected:
    CompareCli()
    {
        TwoProposals proposals;
        EXPECT_TRUE(WriteCalendarFile(proposals.A, A, false).Ok);
        EXPECT_TRUE(WriteCalendarFile(proposals.B, B, false).Ok);
    }

    static cli_test::CliRun Cli(const QStringList& arguments)
    {
        return cli_test::RunCommand(QStringList{T("compare")} + arguments);
    }

    QTemporaryDir Folder;
    QString A = Folder.filePath(T("Garcia.cdb"));
    QString B = Folder.filePath(T("Proposal.cdb"));
};

TEST_F(CompareCli, JsonHasExactlyTheAgreedKeys)
{
    const cli_test::CliRun run = Cli({A, B, T("--json")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.Out.toUtf8()).object();
    EXPECT_EQ(json.keys(),
              (QStringList{T("a"), T("b"), T("measures"), T("months"), T("sameSpan")}));
    const QJsonObject a = json[T("a")].toObject();
    EXPECT_EQ(a.keys(), (QStringList{T("client"), T("distributionHadErrors"), T("file"), T("from"),
                                     T("guidelines"), T("notCountable"), T("to")}));
    EXPECT_EQ(a[T("file")].toString(), A);
    EXPECT_EQ(a[T("client")].toString(), T("Garcia"));
    EXPECT_EQ(a[T("from")].toString(), T("2025-03-01"));
    EXPECT_EQ(a[T("to")].toString(), T("2027-02-28"));
    const QJsonArray measures = json[T("measures")].toArray();
    QStringList names;
    for (const QJsonValue& m : measures)
        names << m.toObject()[T("name")].toString();
    EXPECT_EQ(names, (QStringList{T("overnights"), T("overnightPercent"), T("dayVisits"),
                                  T("dayVisitPercent"), T("nonCustodialMinutes"),
                                  T("nonCustodialCarePercent"), T("hours24"), T("hours24Percent"),
                                  T("daysOver12Hours"), T("daysOver12HoursPercent"),
                                  T("weightedDays"), T("weightedDaysPercent")}));
    const QJsonObject overnights = measures.at(0).toObject()[T("firstYear")].toObject();
    EXPECT_EQ(overnights.keys(), (QStringList{T("a"), T("b"), T("difference")}));
    EXPECT_EQ(overnights[T("difference")].toInt(), 1);
    const QJsonObject minutes = measures.at(4).toObject()[T("bothYears")].toObject();
    EXPECT_EQ(minutes[T("a")].toInt(), 2940);
    EXPECT_EQ(minutes[T("b")].toInt(), 3180);
    EXPECT_EQ(minutes[T("difference")].toInt(), 240);
    EXPECT_EQ(measures.at(1).toObject()[T("firstYear")].toObject()[T("difference")].toString(),
              T("+0.3"));
    EXPECT_EQ(json[T("months")].toArray().size(), 24);
}

TEST_F(CompareCli, TextTableIsAligned)
{
    const cli_test::CliRun run = Cli({A, B});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QStringList lines = run.Out.split(QLatin1Char('\n'));
    const auto row = lines.indexOf(
        T("Overnights                                    2         3         +1        1         0 "
          "        -1        3         3         0"));
    EXPECT_GE(row, 0) << run.Out.toStdString();
    EXPECT_TRUE(run.Out.contains(T("A: Garcia: March 1, 2025 to February 28, 2027")));
}

TEST_F(CompareCli, RefusalsChangeNothing)
{
    EXPECT_EQ(Cli({A}).Status, 2);
    const cli_test::CliRun missing = Cli({A, Folder.filePath(T("Nobody.cdb"))});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_TRUE(missing.Err.contains(T("Nobody.cdb")));

    const QString pdf = Folder.filePath(T("Comparison.pdf"));
    QFile existing(pdf);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep");
    existing.close();
    const cli_test::CliRun refused = Cli({A, B, T("--pdf"), pdf});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_TRUE(refused.Err.contains(T("already exists")));
    QFile kept(pdf);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("keep"));
    kept.close();

    // Never over a calendar being read, even when replacing is allowed.
    EXPECT_EQ(Cli({A, B, T("--pdf"), B, T("--replace-existing")}).Status, 1);
    const cli_test::CliRun replaced = Cli({A, B, T("--pdf"), pdf, T("--replace-existing")});
    ASSERT_EQ(replaced.Status, 0) << replaced.Err.toStdString();
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("%PDF"));
}

} // namespace
