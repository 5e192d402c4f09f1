#include "reports/DayCounts.h"
#include "reports/ComparisonTexts.h"
#include "reports/DayCountsTestSupport.h"
#include "reports/GuidelineStanding.h"

#include <QJsonObject>

#include <gtest/gtest.h>

#include <vector>

using namespace custodex;
using namespace custodex::day_counts_test;

namespace {

// The four counts of the non-custodial parent in one period, as the report writes them.
struct Counts {
    const char* Overnights;
    const char* Hours24;
    const char* DaysOver12Hours;
    const char* WeightedDays;
};

std::vector<QString> Texts(const DayCountFigures& figures)
{
    std::vector<QString> texts;
    texts.reserve(AllDayCountMethods.size());
    for (const DayCountMethod method : AllDayCountMethods)
        texts.push_back(figures.CountText(method));
    return texts;
}

std::vector<QString> Texts(const Counts& counts)
{
    return {T(counts.Overnights), T(counts.Hours24), T(counts.DaysOver12Hours),
            T(counts.WeightedDays)};
}

// Hand-worked counts of small calendars, per period: first year (2024, 366 days), second year
// (2025, 365 days), both.
TEST(DayCounts, HandWorkedCalendars)
{
    const struct {
        const char* Name;
        std::vector<Mark> Marks;
        Counts First;
        Counts Second;
        Counts Both;
        // The distribution warned about the times (a stay without them): the counts stand,
        // with the note that they are only approximate.
        bool Approximate;
    } cases[] = {
        // Friday 6 h, Saturday 18 h: one day over 12 hours, ½ + 1 weighted, 24 h in all.
        {"Friday 6:00 PM to Saturday 6:00 PM",
         {{"2024-03-01", true, "06:00PM", "06:00PM"}},
         {"1", "1.0", "1", "1.50"},
         {"0", "0.0", "0", "0.00"},
         {"1", "1.0", "1", "1.50"},
         false},
        // 240 minutes: 0.17 of 24 hours, a quarter day.
        {"a 4-hour visit",
         {{"2024-03-05", false, "10:00AM", "02:00PM"}},
         {"0", "0.2", "0", "0.25"},
         {"0", "0.0", "0", "0.00"},
         {"0", "0.2", "0", "0.25"},
         false},
        // The assumed 24 hours: 12 before midnight, 12 after; exactly 12 hours is not over 12
        // but weighs a whole day.
        {"a stay without times under the assumed duration",
         {{"2024-03-08", true, None, None}},
         {"1", "1.0", "0", "2.00"},
         {"0", "0.0", "0", "0.00"},
         {"1", "1.0", "0", "2.00"},
         true},
        // The visit's two hours lie within the assumed evening: counted once.
        {"a visit inside a stay counted once",
         {{"2024-03-08", true, None, None}, {"2024-03-08", false, "02:00PM", "04:00PM"}},
         {"1", "1.0", "0", "2.00"},
         {"0", "0.0", "0", "0.00"},
         {"1", "1.0", "0", "2.00"},
         true},
        // February 29 whole: 6 h + 24 h + 6 h.
        {"a leap day inside a stay",
         {{"2024-02-28", true, "06:00PM", None}, {"2024-02-29", true, None, "06:00AM"}},
         {"2", "1.5", "1", "2.00"},
         {"0", "0.0", "0", "0.00"},
         {"2", "1.5", "1", "2.00"},
         false},
        // December 31's evening is the first year's, January 1's morning the second's.
        {"a stay over the midnight that ends the first year",
         {{"2024-12-31", true, "06:00PM", "08:00AM"}},
         {"1", "0.3", "0", "0.50"},
         {"0", "0.3", "0", "0.50"},
         {"1", "0.6", "0", "1.00"},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const DayCounts counts = CountDays(Calendar(c.Marks));
        ASSERT_TRUE(counts.Countable()) << counts.NotCountable.toStdString();
        EXPECT_EQ(Texts(counts.Periods[0].NonCustodial), Texts(c.First));
        EXPECT_EQ(Texts(counts.Periods[1].NonCustodial), Texts(c.Second));
        EXPECT_EQ(Texts(counts.Periods[2].NonCustodial), Texts(c.Both));
        EXPECT_EQ(counts.Periods[0].NonCustodial.Days, 366);
        EXPECT_EQ(counts.Periods[1].NonCustodial.Days, 365);
        EXPECT_EQ(counts.Periods[2].NonCustodial.Days, 731);
        EXPECT_EQ(counts.Approximate, c.Approximate);
        const CalendarDocument doc = Calendar(c.Marks);
        EXPECT_EQ(DayCountTextLines(doc, counts, {CarePeriod::BothYears})
                      .contains(DayCountApproximateNote),
                  c.Approximate);
        EXPECT_EQ(DayCountsJson(doc, counts, {CarePeriod::BothYears})[T("approximate")].toBool(),
                  c.Approximate);
    }
}

// The custodial parent has every other minute and night of the same days, and the shares of
// both parents are of the period's days.
TEST(DayCounts, BothParentsAndShares)
{
    const DayCounts counts = CountDays(Calendar({{"2024-03-01", true, "06:00PM", "06:00PM"}}));
    const PeriodDayCounts& first = counts.Periods[0];
    // Friday: 1080 custodial minutes (a whole weighted day), Saturday 360 (a half).
    EXPECT_EQ(Texts(first.Custodial),
              (std::vector<QString>{T("365"), T("365.0"), T("365"), T("365.50")}));
    // 1 of 366 days: 27 hundredths -> "00.3%"; 6 quarters of 1464: 40 hundredths -> "00.4%".
    EXPECT_EQ(first.NonCustodial.ShareText(DayCountMethod::Overnights), T("00.3%"));
    EXPECT_EQ(first.NonCustodial.ShareText(DayCountMethod::Hours24), T("00.3%"));
    EXPECT_EQ(first.NonCustodial.ShareText(DayCountMethod::WeightedDays), T("00.4%"));
    EXPECT_EQ(first.Custodial.ShareText(DayCountMethod::Hours24), T("99.7%"));
}

// Day weights at and either side of 3, 6 and 12 hours.
TEST(DayCounts, WeightsAtTheirThresholds)
{
    const std::vector<std::pair<int, int>> cases{{0, 0},   {179, 0}, {180, 1}, {359, 1},
                                                 {360, 2}, {719, 2}, {720, 4}, {1440, 4}};
    for (const auto& [minutes, quarters] : cases)
        EXPECT_EQ(WeightQuarters(minutes), quarters) << minutes;
}

// A calendar whose hours are counted twice gives no counts, only the reason with its first day.
TEST(DayCounts, UncountableCalendarGivesTheReasonOnly)
{
    const DayCounts counts = CountDays(Calendar(
        {{"2024-03-01", true, "06:00PM", "08:00AM"}, {"2024-03-01", false, "07:00PM", "09:00PM"}}));
    EXPECT_FALSE(counts.Countable());
    EXPECT_TRUE(counts.NotCountable.contains(T("March 1, 2024")))
        << counts.NotCountable.toStdString();
    EXPECT_EQ(counts.Periods[2].NonCustodial.Days, 0);
}

// The comparison and a guideline on a day count show the report's own numbers.
TEST(DayCounts, ComparisonAndGuidelinesUseTheReportsNumbers)
{
    const CalendarDocument a = Calendar(
        {{"2024-03-01", true, "06:00PM", "06:00PM"}, {"2024-12-31", true, "06:00PM", "08:00AM"}});
    const CalendarDocument b = Calendar({{"2024-03-05", false, "10:00AM", "02:00PM"}});
    const Comparison comparison = CompareCalendars(a, T("a.cdb"), b, T("b.cdb"));
    const DayCounts counts = CountDays(a);
    const std::vector<std::pair<Measure, DayCountMethod>> rows{
        {Measure::Hours24, DayCountMethod::Hours24},
        {Measure::DaysOver12Hours, DayCountMethod::DaysOver12Hours},
        {Measure::WeightedDays, DayCountMethod::WeightedDays}};
    for (const CarePeriod period : AllPeriods) {
        const DayCountFigures& report =
            counts.Periods[static_cast<std::size_t>(period)].NonCustodial;
        for (const auto& [measure, method] : rows) {
            EXPECT_EQ(MeasureCells(comparison, measure, period)[0], report.CountText(method));
            const auto percent = static_cast<Measure>(static_cast<int>(measure) + 1);
            EXPECT_EQ(MeasureCells(comparison, percent, period)[0], report.ShareText(method));
        }
    }
    EXPECT_EQ(MeasureCells(comparison, Measure::WeightedDays, CarePeriod::BothYears),
              (std::array<QString, 3>{T("2.50"), T("0.25"), T("-2.25")}));

    CalendarDocument withGuideline = a;
    withGuideline.Guidelines = {{T("Weighted"), GuidelineMeasure::WeightedDays, 2},
                                {T("Periods share"), GuidelineMeasure::Hours24Percent, 1}};
    const std::vector<GuidelineStanding> standings = EvaluateGuidelines(withGuideline);
    ASSERT_EQ(standings.size(), 2u);
    // First year: 2.00 weighted days of 2 (Friday ½, Saturday 1, December 31 ½).
    EXPECT_EQ(GuidelineStatusLine(standings[0].Rule, standings[0].Periods[0]),
              T("Weighted: 2.00 of 2, met"));
    // Both years: 2.50 of twice 2, short by 1.50.
    EXPECT_EQ(GuidelineStatusLine(standings[0].Rule, standings[0].Periods[2]),
              T("Weighted: 2.50 of 4, short by 1.50"));
    EXPECT_EQ(standings[1].Periods[0].ActualText,
              counts.Periods[0].NonCustodial.ShareText(DayCountMethod::Hours24));
    const QJsonObject json = GuidelineStandingsJson(standings).at(0).toObject();
    EXPECT_EQ(json[T("measure")].toString(), T("weightedDays"));
    EXPECT_DOUBLE_EQ(json[T("bothYears")].toObject()[T("shortBy")].toDouble(), 1.5);
}

} // namespace
