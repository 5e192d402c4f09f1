#include "reports/GuidelineStanding.h"

#include "calendar/CalendarJson.h"
#include "reports/ComparisonTexts.h"
#include "reports/TimeReportTexts.h"

#include <QJsonObject>

#include <algorithm>
#include <optional>

namespace custodex {

namespace {

QString TenthsText(int tenths)
{
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

// The day-count method a measure counts with, if any.
std::optional<DayCountMethod> CountMethodOf(GuidelineMeasure measure)
{
    switch (measure) {
    case GuidelineMeasure::Hours24:
    case GuidelineMeasure::Hours24Percent:
        return DayCountMethod::Hours24;
    case GuidelineMeasure::DaysOver12Hours:
    case GuidelineMeasure::DaysOver12HoursPercent:
        return DayCountMethod::DaysOver12Hours;
    case GuidelineMeasure::WeightedDays:
    case GuidelineMeasure::WeightedDaysPercent:
        return DayCountMethod::WeightedDays;
    default:
        break;
    }
    return std::nullopt;
}

// Units of a count measure per one (24-hour periods in tenths, weighted days in quarters).
int Scale(GuidelineMeasure measure)
{
    const auto method = CountMethodOf(measure);
    return method && !IsPercentMeasure(measure) ? UnitsPerOne(*method) : 1;
}

GuidelineResult ResultFor(const Guideline& rule, const CalendarFigures& calendar,
                          const PeriodFigures& figures, bool bothYears)
{
    GuidelineResult result;
    const bool percent = IsPercentMeasure(rule.Measure);
    // A count a year: both years together are measured against twice it.
    result.Target =
        percent ? rule.AtLeast : (bothYears ? 2 : 1) * rule.AtLeast * Scale(rule.Measure);
    if (NeedsDistribution(rule.Measure) && !calendar.Countable()) {
        result.NotCountable = calendar.NotCountable;
        result.ActualText = NotCountableCell;
        result.ShortBy = result.Target;
        return result;
    }
    const auto method = CountMethodOf(rule.Measure);
    switch (rule.Measure) {
    case GuidelineMeasure::Overnights:
    case GuidelineMeasure::DayVisits:
        result.Actual =
            rule.Measure == GuidelineMeasure::Overnights ? figures.Overnights : figures.DayVisits;
        result.ActualText = QString::number(result.Actual);
        break;
    case GuidelineMeasure::OvernightPercent:
    case GuidelineMeasure::NonCustodialCarePercent:
        result.ActualText = rule.Measure == GuidelineMeasure::OvernightPercent
                                ? figures.OvernightPercent
                                : figures.NonCustodialCarePercent;
        result.Actual = PercentTenths(result.ActualText);
        break;
    default:
        if (percent) {
            result.ActualText = figures.Counts.ShareText(*method);
            result.Actual = PercentTenths(result.ActualText);
        }
        else {
            result.Actual = static_cast<int>(figures.Counts.Units(*method));
            result.ActualText = figures.Counts.CountText(*method);
        }
        break;
    }
    result.ShortBy = std::max(0, result.Target - result.Actual);
    return result;
}

} // namespace

std::vector<GuidelineStanding> StandingsOf(const std::vector<Guideline>& guidelines,
                                           const CalendarFigures& figures)
{
    std::vector<GuidelineStanding> standings;
    standings.reserve(guidelines.size());
    for (const Guideline& rule : guidelines) {
        GuidelineStanding standing{rule, {}};
        for (std::size_t p = 0; p < 3; ++p)
            standing.Periods[p] = ResultFor(rule, figures, figures.Periods[p], p == 2);
        standings.push_back(standing);
    }
    return standings;
}

std::vector<GuidelineStanding> EvaluateGuidelines(const CalendarDocument& doc)
{
    if (doc.Guidelines.empty() || !doc.HasCalendar())
        return {};
    const bool hours =
        std::any_of(doc.Guidelines.begin(), doc.Guidelines.end(),
                    [](const Guideline& rule) { return NeedsDistribution(rule.Measure); });
    return StandingsOf(doc.Guidelines, FiguresOf(doc, QString(), hours));
}

QString TargetText(const Guideline& rule, const GuidelineResult& result)
{
    return IsPercentMeasure(rule.Measure) ? TenthsPercentText(result.Target)
                                          : QString::number(result.Target / Scale(rule.Measure));
}

QString ShortByText(const Guideline& rule, const GuidelineResult& result)
{
    if (IsPercentMeasure(rule.Measure))
        return TenthsText(result.ShortBy);
    if (const auto method = CountMethodOf(rule.Measure))
        return UnitsText(*method, result.ShortBy);
    return QString::number(result.ShortBy);
}

QString GuidelineStatusLine(const Guideline& rule, const GuidelineResult& result)
{
    const QString head = rule.Name + QStringLiteral(": ") + result.ActualText +
                         QStringLiteral(" of ") + TargetText(rule, result);
    if (!result.Countable())
        return head + QStringLiteral(", not countable");
    return head + (result.Met() ? QStringLiteral(", met")
                                : QStringLiteral(", short by ") + ShortByText(rule, result));
}

QString MarkedGuidelineLine(const Guideline& rule, const GuidelineResult& result)
{
    return (result.Met() ? QStringLiteral("\u2713 ") : QStringLiteral("\u2717 ")) +
           GuidelineStatusLine(rule, result);
}

GuidelinePanel GuidelinePanelFor(const std::vector<GuidelineStanding>& standings,
                                 CounterChoice choice)
{
    // The period of the counters shown, as the counters' radio buttons name it.
    const std::size_t period = choice == CounterChoice::FirstYear    ? 0
                               : choice == CounterChoice::SecondYear ? 1
                                                                     : 2;
    static const std::array<QString, 3> periods{
        QStringLiteral("1st year"), QStringLiteral("2nd year"), QStringLiteral("both years")};
    GuidelinePanel panel{periods[period], {}};
    QString notCountable;
    for (const GuidelineStanding& standing : standings) {
        const GuidelineResult& result = standing.Periods[period];
        panel.Lines.push_back({MarkedGuidelineLine(standing.Rule, result), result.Met()});
        if (!result.Countable())
            notCountable = result.NotCountable;
    }
    if (!notCountable.isEmpty())
        panel.Lines.push_back({QStringLiteral("Not countable: ") + notCountable, false});
    return panel;
}

QJsonArray GuidelineStandingsJson(const std::vector<GuidelineStanding>& standings)
{
    static const std::array<QString, 3> keys{
        QStringLiteral("firstYear"), QStringLiteral("secondYear"), QStringLiteral("bothYears")};
    QJsonArray list;
    for (const GuidelineStanding& standing : standings) {
        QJsonObject entry = GuidelineJson(standing.Rule);
        const bool percent = IsPercentMeasure(standing.Rule.Measure);
        for (std::size_t p = 0; p < 3; ++p) {
            const GuidelineResult& r = standing.Periods[p];
            QJsonObject period{{QStringLiteral("met"), r.Met()}};
            const int scale = Scale(standing.Rule.Measure);
            auto figure = [&](int units) -> QJsonValue {
                if (percent)
                    return TenthsText(units);
                if (scale != 1)
                    return static_cast<double>(units) / scale;
                return units;
            };
            period.insert(QStringLiteral("target"), percent
                                                        ? QJsonValue(TargetText(standing.Rule, r))
                                                        : QJsonValue(r.Target / scale));
            if (!r.Countable()) {
                // No figure where the hours cannot be counted: null, with the reason beside it.
                period.insert(QStringLiteral("actual"), QJsonValue());
                period.insert(QStringLiteral("shortBy"), QJsonValue());
                period.insert(QStringLiteral("notCountable"), r.NotCountable);
            }
            else {
                period.insert(QStringLiteral("actual"),
                              percent ? QJsonValue(r.ActualText) : figure(r.Actual));
                period.insert(QStringLiteral("shortBy"), figure(r.ShortBy));
            }
            entry.insert(keys[p], period);
        }
        list.append(entry);
    }
    return list;
}

QString GuidelineStandingsText(const std::vector<GuidelineStanding>& standings)
{
    static const std::array<QString, 3> periods{
        QStringLiteral("first year"), QStringLiteral("second year"), QStringLiteral("both years")};
    QString text;
    QString notCountable;
    for (const GuidelineStanding& standing : standings)
        for (std::size_t p = 0; p < 3; ++p) {
            text += QStringLiteral("%1").arg(periods[p], -13) +
                    MarkedGuidelineLine(standing.Rule, standing.Periods[p]) + QLatin1Char('\n');
            if (!standing.Periods[p].Countable())
                notCountable = standing.Periods[p].NotCountable;
        }
    if (!notCountable.isEmpty())
        text += QStringLiteral("Not countable: ") + notCountable + QStringLiteral(".\n");
    return text;
}

} // namespace custodex
