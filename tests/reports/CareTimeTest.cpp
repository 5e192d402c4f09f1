#include "reports/CareTime.h"

#include <gtest/gtest.h>

using namespace custodex;

namespace {

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

CalendarDocument Calendar(int startMonthIndex, int startYear)
{
    CalendarDocument doc;
    doc.ClientName = T("Smith");
    BuildSpan(doc, startMonthIndex, startYear);
    RecountCounters(doc);
    return doc;
}

void MarkOvernight(CalendarDocument& doc, int monthNumber, int dayOfMonth)
{
    const MonthTableEntry& month = doc.MonthTable.at(static_cast<std::size_t>(monthNumber - 1));
    CalendarDay& day = doc.Days.at(static_cast<std::size_t>(month.FirstDay + dayOfMonth - 1));
    day.HasOvernight = true;
    day.OvernightReason = T("Weekend");
    day.OvernightPickup = T("06:00PM");
    day.OvernightDropoff = T("09:00AM");
}

std::vector<std::pair<QString, QString>> NamedTexts(const CareResults& results)
{
    std::vector<std::pair<QString, QString>> named;
    const auto texts = CareTexts(results);
    for (std::size_t i = 0; i < texts.size(); ++i)
        named.emplace_back(CareFieldNames()[i], texts[i]);
    return named;
}

TEST(ComputeCare, FirstYearOf365DaysWith104Overnights)
{
    const CalendarDocument doc = Calendar(2, 2024); // March 2024 to February 2025: 365 days
    std::array<DistributionYear, 2> years{};
    years[0].FirstDay = 0;
    years[0].EndDay = doc.SecondYearFirstDay;
    years[0].OvernightWeekdays[5] = {52, 52 * 900}; // Fridays
    years[0].OvernightWeekdays[6] = {52, 52 * 900}; // Saturdays
    years[1].FirstDay = doc.SecondYearFirstDay;
    years[1].EndDay = static_cast<int>(doc.Days.size());
    years[1].DayVisitWeekdays[0] = {10, 10 * 300}; // not in the first year's figures

    const CareResults results = ComputeCare(doc, years, CarePeriod::FirstYear);
    EXPECT_EQ(results.Days, 365);
    EXPECT_EQ(results.Custodial, 432000);
    EXPECT_EQ(results.TotalCareHours(), 8760);
    const std::vector<std::pair<QString, QString>> expected{
        {T("TotalOvrNiteStays"), T("104")},
        {T("TotalOvrNiteTime"), T("1560 Hrs 0 Mins")},
        {T("TotalDayVisits"), T("0")},
        {T("TotalDayVisitTime"), T("0 Hrs  0 Mins")},
        {T("NonCustTotalTime"), T("1560 Hrs  0 Mins")},
        {T("NonCustTotCare"), T("1560 Hrs 0 Mins")},
        {T("NonCustCareTime"), T("17.8%")},
        {T("CustSubTotalTime"), T("7200 Hrs 0 Mins")},
        {T("CustTotCare"), T("7200 Hrs 0 Mins")},
        {T("CustCareTime"), T("82.2%")}};
    EXPECT_EQ(NamedTexts(results), expected);
    EXPECT_EQ(PeriodLabel(doc, results.Period),
              T("For Calendar Year Beginning March 2024 through February 2025"));
}

TEST(ComputeCare, PeriodsFromTheDistributionOfARealCalendar)
{
    // January 2024 to December 2025: a leap year and a common year.
    CalendarDocument doc = Calendar(0, 2024);
    MarkOvernight(doc, 2, 2);   // February 2, 2024
    MarkOvernight(doc, 14, 7);  // February 7, 2025
    MarkOvernight(doc, 15, 14); // March 14, 2025
    const DistributionResult distribution = ComputeDistribution(doc);
    struct Case {
        CarePeriod Period;
        int Days, Overnights;
        std::int64_t CareHours;
        const char *Code, *Label;
    };
    const std::vector<Case> cases{
        {CarePeriod::FirstYear, 366, 1, 8784, "Yr1",
         "For Calendar Year Beginning January 2024 through December 2024"},
        {CarePeriod::SecondYear, 365, 2, 8760, "Yr2",
         "For Calendar Year Beginning January 2025 through December 2025"},
        {CarePeriod::BothYears, 731, 3, 17544, "Yrs1&2",
         "For Calendar Year Beginning January 2024 through December 2025"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Code);
        const CareResults results = ComputeCare(doc, distribution.Years, c.Period);
        EXPECT_EQ(results.Days, c.Days);
        EXPECT_EQ(results.TotalOvrNiteStays, c.Overnights);
        EXPECT_EQ(results.TotalOvrNiteTime, c.Overnights * 900);
        EXPECT_EQ(results.Custodial, c.Days * 1440 - c.Overnights * 900);
        EXPECT_EQ(results.TotalCareHours(), c.CareHours);
        EXPECT_EQ(CarePeriodCode(c.Period), T(c.Code));
        EXPECT_EQ(PeriodLabel(doc, results.Period), T(c.Label));
        EXPECT_FALSE(CareReportRefusal(doc, results, CareOutput::Print));
    }
}

TEST(ComputeCare, RefusalsForMissingTitlesAndAnEmptyPeriod)
{
    CalendarDocument doc = Calendar(0, 2024);
    MarkOvernight(doc, 14, 7); // second year only
    const DistributionResult distribution = ComputeDistribution(doc);
    const CareResults firstYear = ComputeCare(doc, distribution.Years, CarePeriod::FirstYear);

    // The window still shows the empty period: no counts and all the time custodial.
    EXPECT_EQ(CareText(firstYear, T("TotalOvrNiteStays")), T("0"));
    EXPECT_EQ(CareText(firstYear, T("CustCareTime")), T("100.0%"));
    EXPECT_EQ(CareText(firstYear, T("NonCustCareTime")), T("00.0%"));

    struct Case {
        const char* Label;
        const char* CustodialName;
        CarePeriod Period;
        CareOutput Output;
        std::optional<QString> Refusal;
    };
    const QString titles =
        T("Please enter the names of the Custodial\n\rand Non-Custodial parents.");
    const std::vector<Case> cases{
        {"print, empty period", "Custodial", CarePeriod::FirstYear, CareOutput::Print,
         T("You must have at least one overnight stay or \n\rone day visit within the selected "
           "period to\n\rprint a care time report.")},
        {"preview, empty period", "Custodial", CarePeriod::FirstYear, CareOutput::Preview,
         T("You must have at least one overnight stay or \n\rone day visit within the selected "
           "period to\n\rpreview a care time report.")},
        {"titles are checked first", "", CarePeriod::FirstYear, CareOutput::Print, titles},
        {"no title, marked period", "", CarePeriod::SecondYear, CareOutput::Preview, titles},
        {"marked period", "Mother", CarePeriod::BothYears, CareOutput::Preview, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Label);
        doc.CustodialName = T(c.CustodialName);
        EXPECT_EQ(CareReportRefusal(doc, ComputeCare(doc, distribution.Years, c.Period), c.Output),
                  c.Refusal);
    }
}

} // namespace
