#pragma once

#include "calendar/CalendarModel.h"
#include "reports/HourlyDistribution.h"
#include "reports/TimeReportTexts.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Care time: each parent's plain share of all the minutes of a period (the first year, the
// second year or both), from the weekday tables of the hourly distribution.

namespace custodex {

// Runs the hourly distribution as its report would (totals stored, flags completed) when the
// calendar's figures are stale, so a time report never works on old totals. The run, if any.
std::optional<DistributionResult> RefreshStaleDistribution(CalendarDocument& doc);

enum class CarePeriod { FirstYear, SecondYear, BothYears };
inline constexpr std::array<CarePeriod, 3> AllPeriods{CarePeriod::FirstYear, CarePeriod::SecondYear,
                                                      CarePeriod::BothYears};

// "Yr1", "Yr2" or "Yrs1&2", as the picture file names carry it.
QString CarePeriodCode(CarePeriod period);
ReportPeriod CareReportPeriod(const CalendarDocument& doc, CarePeriod period);

struct CareResults {
    ReportPeriod Period;
    int Days = 0;
    std::int64_t TotalOvrNiteStays = 0; // ONc
    std::int64_t TotalOvrNiteTime = 0;  // ONm
    std::int64_t TotalDayVisits = 0;    // DVc
    std::int64_t TotalDayVisitTime = 0; // DVm
    std::int64_t NonCustodial = 0;      // ONm + DVm
    std::int64_t Custodial = 0;         // Days × 1440 − DVm − ONm

    std::int64_t TotalCareHours() const { return std::int64_t{Days} * 24; }
    bool HasMarks() const { return TotalOvrNiteStays > 0 || TotalDayVisits > 0; }
};

// The sums over the weekday tables of the years in the period.
CareResults ComputeCare(const CalendarDocument& doc, const std::array<DistributionYear, 2>& years,
                        CarePeriod period);

constexpr int CareFieldCount = 10;
const std::array<QString, CareFieldCount>& CareFieldNames();
std::array<QString, CareFieldCount> CareTexts(const CareResults& results);
QString CareText(const CareResults& results, const QString& fieldName);

// The window's title and its two panels' rows, in order.
inline const QString CareSummaryTitle = QStringLiteral("Parental Care Time Summary");
const std::vector<SummaryRow>& CareCustodialRows();
const std::vector<SummaryRow>& CareNonCustodialRows();

// Why a care time report cannot be printed (previewed), or nothing.
enum class CareOutput { Print, Preview };
std::optional<QString> CareReportRefusal(const CalendarDocument& doc, const CareResults& results,
                                         CareOutput output);

} // namespace custodex
