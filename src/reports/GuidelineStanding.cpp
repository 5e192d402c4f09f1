#include "reports/GuidelineStanding.h"

#include "calendar/CalendarJson.h"
#include "reports/TimeReportTexts.h"

#include <QJsonObject>

#include <algorithm>

namespace custodex {

namespace {

QString TenthsText(int tenths)
{
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

GuidelineResult ResultFor(const Guideline& rule, const PeriodFigures& figures, bool bothYears)
{
    GuidelineResult result;
    switch (rule.Measure) {
    case GuidelineMeasure::Overnights:
    case GuidelineMeasure::DayVisits:
        result.Actual =
            rule.Measure == GuidelineMeasure::Overnights ? figures.Overnights : figures.DayVisits;
        result.ActualText = QString::number(result.Actual);
        // A count a year: both years together are measured against twice it.
        result.Target = bothYears ? 2 * rule.AtLeast : rule.AtLeast;
        break;
    case GuidelineMeasure::OvernightPercent:
    case GuidelineMeasure::NonCustodialCarePercent:
        result.ActualText = rule.Measure == GuidelineMeasure::OvernightPercent
                                ? figures.OvernightPercent
                                : figures.NonCustodialCarePercent;
        result.Actual = PercentTenths(result.ActualText);
        result.Target = rule.AtLeast;
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
            standing.Periods[p] = ResultFor(rule, figures.Periods[p], p == 2);
        standings.push_back(standing);
    }
    return standings;
}

std::vector<GuidelineStanding> EvaluateGuidelines(const CalendarDocument& doc)
{
    if (doc.Guidelines.empty() || !doc.HasCalendar())
        return {};
    const bool care =
        std::any_of(doc.Guidelines.begin(), doc.Guidelines.end(), [](const Guideline& rule) {
            return rule.Measure == GuidelineMeasure::NonCustodialCarePercent;
        });
    return StandingsOf(doc.Guidelines, FiguresOf(doc, QString(), care));
}

QString TargetText(const Guideline& rule, const GuidelineResult& result)
{
    return IsPercentMeasure(rule.Measure) ? TenthsPercentText(result.Target)
                                          : QString::number(result.Target);
}

QString ShortByText(const Guideline& rule, const GuidelineResult& result)
{
    return IsPercentMeasure(rule.Measure) ? TenthsText(result.ShortBy)
                                          : QString::number(result.ShortBy);
}

QString GuidelineStatusLine(const Guideline& rule, const GuidelineResult& result)
{
    return rule.Name + QStringLiteral(": ") + result.ActualText + QStringLiteral(" of ") +
           TargetText(rule, result) +
           (result.Met() ? QStringLiteral(", met")
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
    for (const GuidelineStanding& standing : standings) {
        const GuidelineResult& result = standing.Periods[period];
        panel.Lines.push_back({MarkedGuidelineLine(standing.Rule, result), result.Met()});
    }
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
            if (percent) {
                period.insert(QStringLiteral("actual"), r.ActualText);
                period.insert(QStringLiteral("target"), TargetText(standing.Rule, r));
                period.insert(QStringLiteral("shortBy"), ShortByText(standing.Rule, r));
            }
            else {
                period.insert(QStringLiteral("actual"), r.Actual);
                period.insert(QStringLiteral("target"), r.Target);
                period.insert(QStringLiteral("shortBy"), r.ShortBy);
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
    for (const GuidelineStanding& standing : standings)
        for (std::size_t p = 0; p < 3; ++p)
            text += QStringLiteral("%1").arg(periods[p], -13) +
                    MarkedGuidelineLine(standing.Rule, standing.Periods[p]) + QLatin1Char('\n');
    return text;
}

} // namespace custodex
