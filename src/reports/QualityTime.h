#pragma once

#include "calendar/CalendarModel.h"
#include "reports/TimeReportTexts.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Quality time: each parent's custody time less assumed sleep and naps and the time the child
// spends away at activities (school, day care), in minutes, as texts and as shares of the
// report period. The away activities are the calendar's `Exclusions`, one stored text each.

namespace custodex {

constexpr int ActivityNameCapacity = 50;
constexpr int AwayDaysLimit = 365;
constexpr int AwayHoursLimit = 24;

// One away activity as the list shows it: six texts, the last "Yes" or "No" for a valid entry.
// An entry read from a file keeps what it held, so a malformed one can be seen and corrected.
struct AwayActivity {
    QString Name;
    QString DailyTime; // "HH:MM"
    QString TotalDays;
    QString CustodialDays;
    QString NonCustodialDays;
    QString AddNap; // "Yes" or "No"

    bool operator==(const AwayActivity&) const = default;
};

// The figures of a usable entry.
struct AwayFigures {
    int DailyMinutes = 0;
    int TotalDays = 0;
    int CustodialDays = 0;
    int NonCustodialDays = 0;
    bool AddNap = false;
};

// A stored entry read back: the first five fields are the texts between commas, the sixth is
// "Yes" when the rest of the line contains "True", "No" when it contains "False", and empty
// (which no valid entry has) otherwise.
AwayActivity ReadAwayActivity(const QString& entry);
// The stored text of an entry: the six fields joined by ",", "Yes"/"No" as "True"/"False".
QString AwayActivityEntry(const AwayActivity& activity);
std::vector<AwayActivity> ReadAwayActivities(const QStringList& exclusions);
QStringList AwayActivityEntries(const std::vector<AwayActivity>& activities);

// What is wrong with an entry (missing fields, text where a number belongs, a value out of its
// range, days that do not add up), or nothing when its figures can be used.
std::optional<QString> AwayActivityProblem(const AwayActivity& activity);
// The figures of an entry without a problem.
std::optional<AwayFigures> AwayActivityFigures(const AwayActivity& activity);

// The checks of "Add To List" (and of "Insert Change") on the entry fields, in their order:
// the message and the field the focus goes to, or nothing when the entry may be added.
enum class AwayEntryField { Hours, TotalDays, CustodialDays };
struct AwayEntryRefusal {
    QString Message;
    AwayEntryField Focus;
};
std::optional<AwayEntryRefusal> CheckAwayEntry(int hours, int minutes, const QString& totalDays,
                                               const QString& custodialDays,
                                               const QString& nonCustodialDays);

inline const QString AwayNameTooLongNotice =
    QStringLiteral("Notice -- An activity name may not exceed 50 characters.");
inline const QString AwayNameCommaMessage =
    QStringLiteral("Sorry, commas are not allowed in Activity names");
inline const QString AwayIllegalDigitsMessage =
    QStringLiteral("Illegal character in numeric string.\n\rPlease correct and try again.");
inline const QString AwayCustodialOverTotalMessage =
    QStringLiteral("Number of Custodial days is greater than total days.");
inline const QString AwayNonCustodialOverTotalMessage =
    QStringLiteral("Number of Non-Custodial days is greater than total days.");
inline const QString AwayCheckOkMessage = QStringLiteral("Away Times Check OK");
inline const QString AwayCheckOkApproximateMessage = QStringLiteral(
    "Warning!  Away Times Check OK however for the best\n\rQuality Time Report accuracy you will "
    "need to return to the\n\rHourly Distribution Report and remove all errors and warnings");

// The confirmation of Modify Selection and Delete Selection for one row.
QString ModifyAwayQuestion(const AwayActivity& activity);
QString DeleteAwayQuestion(const AwayActivity& activity);

// Which years have counted marks decides the period: both years, or the one year that has any.
enum class QualityPeriodKind { BothYears, FirstYearOnly, SecondYearOnly };
QualityPeriodKind QualityPeriodKindOf(const CalendarDocument& doc);
ReportPeriod QualityPeriod(const CalendarDocument& doc);
// The note shown when one year has no counted marks, or empty.
QString QualityPeriodNote(QualityPeriodKind kind);

// Everything the computation reads, in minutes where it is a time.
struct QualityInputs {
    int Days = 0;
    std::int64_t Sleep = 0;            // S
    std::int64_t Nap = 0;              // N
    std::int64_t Overnights = 0;       // ONc
    std::int64_t OvernightMinutes = 0; // ONm
    std::int64_t DayVisits = 0;        // DVc
    std::int64_t DayVisitMinutes = 0;  // DVm
    std::int64_t NoNapOvernights = 0;  // NNon
    std::int64_t NoNapDayVisits = 0;   // NNdv
};
// From the calendar's counters, stored totals and days; the counters must be current.
QualityInputs QualityInputsOf(const CalendarDocument& doc);
// Days with a mark of that kind whose reason starts with "NN-".
int NoNapDays(const CalendarDocument& doc, bool overnight);

// The seventeen results, as minutes (counts for the two counts) and as the summary's texts.
struct QualityResults {
    std::int64_t TotalOvrNiteStays = 0;
    std::int64_t TotalOvrNiteTime = 0;
    std::int64_t TotalOvrNiteSleep = 0;
    std::int64_t TotalDayVisits = 0;
    std::int64_t TotalDayVisitTime = 0;
    std::int64_t NonCustTotalTime = 0;
    std::int64_t TotalDayVisitSleep = 0;
    std::int64_t SubTotalQualityTime = 0;
    std::int64_t NonCustAway = 0;
    std::int64_t NonCustTotQual = 0;
    std::int64_t CustSubTotalTime = 0;
    std::int64_t CustTotSleep = 0;
    std::int64_t CustSubTotal = 0;
    std::int64_t CustAway = 0;
    std::int64_t CusttotQual = 0;
    int Days = 0;
};

// The field names in the order the summary lists them, and their texts.
constexpr int QualityFieldCount = 17;
const std::array<QString, QualityFieldCount>& QualityFieldNames();
std::array<QString, QualityFieldCount> QualityTexts(const QualityResults& results);
// One text by field name (as QualityFieldNames gives it), or empty.
QString QualityText(const QualityResults& results, const QString& fieldName);

// The summary window's title and its two panels' rows, in order.
inline const QString QualitySummaryTitle = QStringLiteral("Quality Time Summary");
const std::vector<SummaryRow>& QualityCustodialRows();
const std::vector<SummaryRow>& QualityNonCustodialRows();

// Check Away Times: every error in the order it is found (row by row, then the two totals
// checks); the results are meaningful only when there is none.
struct QualityCheck {
    QStringList Errors;
    QualityResults Results;
};
QualityCheck CheckAwayTimes(const QualityInputs& inputs,
                            const std::vector<AwayActivity>& activities);

} // namespace custodex
