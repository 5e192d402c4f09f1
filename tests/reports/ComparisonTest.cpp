#include "calendar/CalendarFile.h"
#include "cli/CliRun.h"
#include "reports/ProposalComparison.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace custodex;

namespace {

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

// March 2025 to February 2027: 365 days in each year.
CalendarDocument Calendar(const char* client, int startMonthIndex = 2)
{
    CalendarDocument doc;
    doc.ClientName = T(client);
    doc.UserYear = T("2025");
    BuildSpan(doc, startMonthIndex, 2025);
    RecountCounters(doc);
    return doc;
}

CalendarDay& Day(CalendarDocument& doc, int monthNumber, int dayOfMonth)
{
    const MonthTableEntry& month = doc.MonthTable.at(static_cast<std::size_t>(monthNumber - 1));
    return doc.Days.at(static_cast<std::size_t>(month.FirstDay + dayOfMonth - 1));
}

// 06:00PM to 09:00AM: 15 hours.
void Overnight(CalendarDocument& doc, int monthNumber, int dayOfMonth, const char* reason = "Weekend")
{
    CalendarDay& day = Day(doc, monthNumber, dayOfMonth);
    day.HasOvernight = true;
    day.OvernightReason = T(reason);
    day.OvernightPickup = T("06:00PM");
    day.OvernightDropoff = T("09:00AM");
}

// 10:00AM to 02:00PM: 4 hours.
void DayVisit(CalendarDocument& doc, int monthNumber, int dayOfMonth)
{
    CalendarDay& day = Day(doc, monthNumber, dayOfMonth);
    day.HasDayVisit = true;
    day.DayVisitReason = T("Lunch");
    day.DayVisitStart = T("10:00AM");
    day.DayVisitEnd = T("02:00PM");
}

// A: Friday and Saturday nights of March 7 and 8, 2025, an annotation night ("*Court date",
// never counted) on March 10, a lunch on April 2, 2025, and the night of March 6, 2026.
// B: the nights of March 7, 8 and 9, 2025 and lunches on April 2 and 3, 2025.
struct TwoProposals {
    CalendarDocument A = Calendar("Garcia");
    CalendarDocument B = Calendar("Garcia proposal");
    TwoProposals()
    {
        Overnight(A, 1, 7);
        Overnight(A, 1, 8);
        Overnight(A, 1, 10, "*Court date");
        DayVisit(A, 2, 2);
        Overnight(A, 13, 6);
        for (int d : {7, 8, 9})
            Overnight(B, 1, d);
        DayVisit(B, 2, 2);
        DayVisit(B, 2, 3);
    }
};

TEST(CompareCalendars, EveryFigureOfTwoSmallProposals)
{
    TwoProposals proposals;
    const Comparison c = CompareCalendars(proposals.A, T("a.cdb"), proposals.B, T("b.cdb"));
    EXPECT_TRUE(c.SameSpan());
    EXPECT_EQ(c.A.From, QDate(2025, 3, 1));
    EXPECT_EQ(c.A.To, QDate(2027, 2, 28));

    // First year, A: 2 counted nights of 365 days: 2 x 10000 / 365 = 54 hundredths -> "00.5%";
    // 1 day visit: 27 hundredths -> "00.3%". Minutes: 2 x 900 + 240 = 2040, and of the year's
    // 365 x 1440 = 525600 minutes that is 0.388 % -> "00.4%".
    // B: 3 nights: 82 hundredths -> "00.8%"; 2 visits: 54 -> "00.5%"; 3 x 900 + 2 x 240 = 3180
    // minutes: 0.605 % -> "00.6%".
    const std::vector<std::array<QString, 3>> firstYear{
        {T("2"), T("3"), T("+1")},
        {T("00.5%"), T("00.8%"), T("+0.3")},
        {T("1"), T("2"), T("+1")},
        {T("00.3%"), T("00.5%"), T("+0.2")},
        {T("34:00"), T("53:00"), T("+19:00")},
        {T("00.4%"), T("00.6%"), T("+0.2")}};
    // Second year: A's one night (900 minutes, 0.171 % -> "00.2%"), B nothing.
    const std::vector<std::array<QString, 3>> secondYear{
        {T("1"), T("0"), T("-1")},         {T("00.3%"), T("00.0%"), T("-0.3")},
        {T("0"), T("0"), T("0")},          {T("00.0%"), T("00.0%"), T("0.0")},
        {T("15:00"), T("0:00"), T("-15:00")}, {T("00.2%"), T("00.0%"), T("-0.2")}};
    // Both years: 730 days. A: 3 nights -> 41 hundredths "00.4%", 1 visit -> 13 "00.1%",
    // 2940 minutes of 1051200 -> 0.28 % "00.3%". B: 3 nights, 2 visits -> 27 "00.3%",
    // 3180 minutes -> 0.30 % "00.3%".
    const std::vector<std::array<QString, 3>> bothYears{
        {T("3"), T("3"), T("0")},          {T("00.4%"), T("00.4%"), T("0.0")},
        {T("1"), T("2"), T("+1")},         {T("00.1%"), T("00.3%"), T("+0.2")},
        {T("49:00"), T("53:00"), T("+4:00")}, {T("00.3%"), T("00.3%"), T("0.0")}};
    for (std::size_t m = 0; m < AllMeasures.size(); ++m) {
        SCOPED_TRACE(MeasureKey(AllMeasures[m]).toStdString());
        EXPECT_EQ(MeasureCells(c, AllMeasures[m], CarePeriod::FirstYear), firstYear[m]);
        EXPECT_EQ(MeasureCells(c, AllMeasures[m], CarePeriod::SecondYear), secondYear[m]);
        EXPECT_EQ(MeasureCells(c, AllMeasures[m], CarePeriod::BothYears), bothYears[m]);
    }

    // Months: March 2025 has A's two counted nights (the annotation is not counted), April
    // 2025 the visits, March 2026 (month 13) A's last night.
    EXPECT_EQ(c.A.Months[0].Overnights, 2);
    EXPECT_EQ(c.B.Months[0].Overnights, 3);
    EXPECT_EQ(c.A.Months[1].DayVisits, 1);
    EXPECT_EQ(c.B.Months[1].DayVisits, 2);
    EXPECT_EQ(c.A.Months[12].Overnights, 1);
    EXPECT_EQ(c.A.Months[12].Year, 2026);
    EXPECT_EQ(c.A.Months[12].Month, 3);

    // Nothing is written to either calendar: the distribution ran on copies.
    EXPECT_TRUE(proposals.A.DistributionStale);
    EXPECT_EQ(proposals.A.QTotOvernights, 0);
    EXPECT_EQ(proposals.B.QTotDayVisitMinutes, 0);
}

TEST(CompareCalendars, DifferentSpansCompareYearWithYearAndMonthWithMonth)
{
    TwoProposals proposals;
    CalendarDocument april = Calendar("Later", 3); // April 2025 to March 2027
    Overnight(april, 1, 7);
    const Comparison c = CompareCalendars(proposals.A, T("a.cdb"), april, T("later.cdb"));
    EXPECT_FALSE(c.SameSpan());
    EXPECT_FALSE(SpanDifferenceNote(c).isEmpty());
    EXPECT_EQ(c.B.From, QDate(2025, 4, 1));
    EXPECT_EQ(c.B.To, QDate(2027, 3, 31));
    // Month 1 with month 1: March 2025 beside April 2025.
    const QJsonObject json = ComparisonJson(c);
    const QJsonObject first = json[T("months")].toArray().at(0).toObject();
    EXPECT_EQ(first[T("a")].toObject()[T("month")].toString(), T("2025-03"));
    EXPECT_EQ(first[T("b")].toObject()[T("month")].toString(), T("2025-04"));
    EXPECT_EQ(first[T("b")].toObject()[T("overnights")].toInt(), 1);
    EXPECT_FALSE(json[T("sameSpan")].toBool());
    EXPECT_EQ(MeasureCells(c, Measure::Overnights, CarePeriod::FirstYear),
              (std::array<QString, 3>{T("2"), T("1"), T("-1")}));
}

TEST(CompareCalendars, PercentDifferencesInTenthsWithASign)
{
    const std::vector<std::array<const char*, 3>> cases{{"21.6%", "28.5%", "+6.9"},
                                                       {"05.3%", "05.0%", "-0.3"},
                                                       {"100.0%", "00.0%", "-100.0"},
                                                       {"00.0%", "100.0%", "+100.0"},
                                                       {"33.3%", "33.3%", "0.0"},
                                                       {"", "00.4%", "+0.4"}};
    for (const auto& [a, b, expected] : cases)
        EXPECT_EQ(PercentDifference(T(a), T(b)), T(expected)) << a << " " << b;
    EXPECT_EQ(HoursMinutesFigure(-75, true), T("-1:15"));
    EXPECT_EQ(HoursMinutesFigure(0, true), T("0:00"));
}

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
    EXPECT_EQ(json.keys(), (QStringList{T("a"), T("b"), T("measures"), T("months"), T("sameSpan")}));
    const QJsonObject a = json[T("a")].toObject();
    EXPECT_EQ(a.keys(), (QStringList{T("client"), T("distributionHadErrors"), T("file"), T("from"),
                                     T("guidelines"), T("to")}));
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
                                  T("nonCustodialCarePercent")}));
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
        T("Overnights                      2         3         +1        1         0         -1"
          "        3         3         0"));
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
