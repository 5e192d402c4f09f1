#include "reports/CareTime.h"

namespace custodex {

std::optional<DistributionResult> RefreshStaleDistribution(CalendarDocument& doc)
{
    if (!doc.DistributionStale)
        return std::nullopt;
    DistributionResult result = RunDistribution(doc);
    CompleteDistribution(doc, result);
    return result;
}

QString CarePeriodCode(CarePeriod period)
{
    switch (period) {
    case CarePeriod::FirstYear:
        return QStringLiteral("Yr1");
    case CarePeriod::SecondYear:
        return QStringLiteral("Yr2");
    case CarePeriod::BothYears:
        break;
    }
    return QStringLiteral("Yrs1&2");
}

ReportPeriod CareReportPeriod(const CalendarDocument& doc, CarePeriod period)
{
    switch (period) {
    case CarePeriod::FirstYear:
        return PeriodOfMonths(doc, 1, 12);
    case CarePeriod::SecondYear:
        return PeriodOfMonths(doc, 13, 24);
    case CarePeriod::BothYears:
        break;
    }
    return PeriodOfMonths(doc, 1, 24);
}

CareResults ComputeCare(const CalendarDocument& doc, const std::array<DistributionYear, 2>& years,
                        CarePeriod period)
{
    CareResults results;
    results.Period = CareReportPeriod(doc, period);
    for (std::size_t y = 0; y < years.size(); ++y) {
        const bool inPeriod =
            period == CarePeriod::BothYears || (period == CarePeriod::FirstYear) == (y == 0);
        if (!inPeriod)
            continue;
        const DistributionYear& year = years[y];
        results.Days += year.DayCount();
        results.TotalOvrNiteStays += TableCount(year.OvernightWeekdays);
        results.TotalOvrNiteTime += TableMinutes(year.OvernightWeekdays);
        results.TotalDayVisits += TableCount(year.DayVisitWeekdays);
        results.TotalDayVisitTime += TableMinutes(year.DayVisitWeekdays);
    }
    results.NonCustodial = results.TotalOvrNiteTime + results.TotalDayVisitTime;
    results.Custodial =
        std::int64_t{results.Days} * 1440 - results.TotalDayVisitTime - results.TotalOvrNiteTime;
    return results;
}

const std::array<QString, CareFieldCount>& CareFieldNames()
{
    static const std::array<QString, CareFieldCount> names{
        QStringLiteral("TotalOvrNiteStays"), QStringLiteral("TotalOvrNiteTime"),
        QStringLiteral("TotalDayVisits"),    QStringLiteral("TotalDayVisitTime"),
        QStringLiteral("NonCustTotalTime"),  QStringLiteral("NonCustTotCare"),
        QStringLiteral("NonCustCareTime"),   QStringLiteral("CustSubTotalTime"),
        QStringLiteral("CustTotCare"),       QStringLiteral("CustCareTime")};
    return names;
}

std::array<QString, CareFieldCount> CareTexts(const CareResults& r)
{
    return {QString::number(r.TotalOvrNiteStays),   HoursMinutesText(r.TotalOvrNiteTime),
            QString::number(r.TotalDayVisits),      HoursMinutesWideText(r.TotalDayVisitTime),
            HoursMinutesWideText(r.NonCustodial),   HoursMinutesText(r.NonCustodial),
            PercentageText(r.NonCustodial, r.Days), HoursMinutesText(r.Custodial),
            HoursMinutesText(r.Custodial),          PercentageText(r.Custodial, r.Days)};
}

QString CareText(const CareResults& results, const QString& fieldName)
{
    const auto& names = CareFieldNames();
    const auto texts = CareTexts(results);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == fieldName)
            return texts[i];
    return {};
}

const std::vector<SummaryRow>& CareCustodialRows()
{
    static const std::vector<SummaryRow> rows{
        {QStringLiteral("Total Time:"), QStringLiteral("CustSubTotalTime"), {}},
        {QStringLiteral("Total Care Time Hours:"), QStringLiteral("CustTotCare"), {}},
        {QStringLiteral("Care Time:"), QStringLiteral("CustCareTime"), {}}};
    return rows;
}

const std::vector<SummaryRow>& CareNonCustodialRows()
{
    static const std::vector<SummaryRow> rows{
        {QStringLiteral("Total Number of Overnight Stays:"),
         QStringLiteral("TotalOvrNiteStays"),
         {}},
        {QStringLiteral("Total Number of Day Visits:"), QStringLiteral("TotalDayVisits"), {}},
        {QStringLiteral("Total Overnight Stay Time:"), QStringLiteral("TotalOvrNiteTime"), {}},
        {QStringLiteral("Total Day Visit Time:"), QStringLiteral("TotalDayVisitTime"), {}},
        {QStringLiteral("Total Time:"), QStringLiteral("NonCustTotalTime"), {}},
        {QStringLiteral("Total Care Time Hours:"), QStringLiteral("NonCustTotCare"), {}},
        {QStringLiteral("Care Time:"), QStringLiteral("NonCustCareTime"), {}}};
    return rows;
}

std::optional<QString> CareReportRefusal(const CalendarDocument& doc, const CareResults& results,
                                         CareOutput output)
{
    if (ParentTitlesMissing(doc))
        return ParentTitlesMissingMessage;
    if (!results.HasMarks())
        return output == CareOutput::Print
                   ? QStringLiteral("You must have at least one overnight stay or \n\rone day "
                                    "visit within the selected period to\n\rprint a care time "
                                    "report.")
                   : QStringLiteral("You must have at least one overnight stay or \n\rone day "
                                    "visit within the selected period to\n\rpreview a care time "
                                    "report.");
    return std::nullopt;
}

} // namespace custodex
