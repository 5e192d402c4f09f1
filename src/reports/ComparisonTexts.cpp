#include "reports/ComparisonTexts.h"

#include "reports/GuidelineStanding.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <QStringList>

#include <cstdlib>
#include <optional>
#include <utility>

namespace custodex {

namespace {

QString SignedNumber(std::int64_t value)
{
    return value > 0 ? QStringLiteral("+") + QString::number(value) : QString::number(value);
}

std::size_t Index(CarePeriod period)
{
    return static_cast<std::size_t>(period);
}

QString MonthKey(const MonthFigures& month)
{
    return QStringLiteral("%1-%2")
        .arg(month.Year, 4, 10, QLatin1Char('0'))
        .arg(month.Month, 2, 10, QLatin1Char('0'));
}

QString LongDate(const QDate& date)
{
    return QLocale::c().toString(date, QStringLiteral("MMMM d, yyyy"));
}

// The day-count method of a day-count measure and whether it is the share.
std::optional<std::pair<DayCountMethod, bool>> DayCountOf(Measure measure)
{
    switch (measure) {
    case Measure::Hours24:
        return std::pair{DayCountMethod::Hours24, false};
    case Measure::Hours24Percent:
        return std::pair{DayCountMethod::Hours24, true};
    case Measure::DaysOver12Hours:
        return std::pair{DayCountMethod::DaysOver12Hours, false};
    case Measure::DaysOver12HoursPercent:
        return std::pair{DayCountMethod::DaysOver12Hours, true};
    case Measure::WeightedDays:
        return std::pair{DayCountMethod::WeightedDays, false};
    case Measure::WeightedDaysPercent:
        return std::pair{DayCountMethod::WeightedDays, true};
    default:
        break;
    }
    return std::nullopt;
}

} // namespace

QString MeasureKey(Measure measure)
{
    if (const auto count = DayCountOf(measure))
        return DayCountMethodKey(count->first) +
               (count->second ? QStringLiteral("Percent") : QString());
    switch (measure) {
    case Measure::Overnights:
        return QStringLiteral("overnights");
    case Measure::OvernightPercent:
        return QStringLiteral("overnightPercent");
    case Measure::DayVisits:
        return QStringLiteral("dayVisits");
    case Measure::DayVisitPercent:
        return QStringLiteral("dayVisitPercent");
    case Measure::NonCustodialMinutes:
        return QStringLiteral("nonCustodialMinutes");
    default:
        break;
    }
    return QStringLiteral("nonCustodialCarePercent");
}

QString MeasureCaption(Measure measure)
{
    if (measure == Measure::WeightedDaysPercent)
        return QStringLiteral("Weighted days, % of days");
    if (const auto count = DayCountOf(measure))
        return DayCountMethodCaption(count->first) +
               (count->second ? QStringLiteral(", % of days") : QString());
    switch (measure) {
    case Measure::Overnights:
        return QStringLiteral("Overnights");
    case Measure::OvernightPercent:
        return QStringLiteral("Overnights, % of Year's Total");
    case Measure::DayVisits:
        return QStringLiteral("Day Visits");
    case Measure::DayVisitPercent:
        return QStringLiteral("Day Visits, % of Year's Total");
    case Measure::NonCustodialMinutes:
        return QStringLiteral("Non-custodial time (hours)");
    default:
        break;
    }
    return QStringLiteral("Non-custodial Care Time");
}

QString ComparisonPeriodCaption(CarePeriod period)
{
    return DayCountPeriodCaption(period);
}

QString PercentDifference(const QString& a, const QString& b)
{
    const int tenths = PercentTenths(b) - PercentTenths(a);
    if (tenths == 0)
        return QStringLiteral("0.0");
    const int size = std::abs(tenths);
    return QStringLiteral("%1%2.%3")
        .arg(tenths > 0 ? QLatin1Char('+') : QLatin1Char('-'))
        .arg(size / 10)
        .arg(size % 10);
}

QString HoursMinutesFigure(std::int64_t minutes, bool signed_)
{
    const std::int64_t size = minutes < 0 ? -minutes : minutes;
    QString text = QStringLiteral("%1:%2").arg(size / 60).arg(size % 60, 2, 10, QLatin1Char('0'));
    if (minutes < 0)
        return QStringLiteral("-") + text;
    return signed_ && minutes > 0 ? QStringLiteral("+") + text : text;
}

std::array<QString, 3> MeasureCells(const Comparison& comparison, Measure measure,
                                    CarePeriod period)
{
    const PeriodFigures& a = comparison.A.Periods[Index(period)];
    const PeriodFigures& b = comparison.B.Periods[Index(period)];
    if (NeedsCountableHours(measure) && (!comparison.A.Countable() || !comparison.B.Countable())) {
        // A side that cannot be counted shows no figure, and there is no difference to tell.
        std::array<QString, 3> cells{NotCountableCell, NotCountableCell, NotCountableCell};
        Comparison one = comparison;
        one.A.NotCountable.clear();
        one.B.NotCountable.clear();
        const std::array<QString, 3> figures = MeasureCells(one, measure, period);
        if (comparison.A.Countable())
            cells[0] = figures[0];
        if (comparison.B.Countable())
            cells[1] = figures[1];
        return cells;
    }
    auto counts = [](std::int64_t x, std::int64_t y) -> std::array<QString, 3> {
        return {QString::number(x), QString::number(y), SignedNumber(y - x)};
    };
    auto percents = [](const QString& x, const QString& y) -> std::array<QString, 3> {
        return {x, y, PercentDifference(x, y)};
    };
    if (const auto count = DayCountOf(measure)) {
        const DayCountMethod method = count->first;
        if (count->second)
            return percents(a.Counts.ShareText(method), b.Counts.ShareText(method));
        const std::int64_t difference = b.Counts.Units(method) - a.Counts.Units(method);
        return {a.Counts.CountText(method), b.Counts.CountText(method),
                (difference > 0 ? QStringLiteral("+") : QString()) + UnitsText(method, difference)};
    }
    switch (measure) {
    case Measure::Overnights:
        return counts(a.Overnights, b.Overnights);
    case Measure::OvernightPercent:
        return percents(a.OvernightPercent, b.OvernightPercent);
    case Measure::DayVisits:
        return counts(a.DayVisits, b.DayVisits);
    case Measure::DayVisitPercent:
        return percents(a.DayVisitPercent, b.DayVisitPercent);
    case Measure::NonCustodialMinutes:
        return {HoursMinutesFigure(a.NonCustodialMinutes),
                HoursMinutesFigure(b.NonCustodialMinutes),
                HoursMinutesFigure(b.NonCustodialMinutes - a.NonCustodialMinutes, true)};
    default:
        break;
    }
    return percents(a.NonCustodialCarePercent, b.NonCustodialCarePercent);
}

QString SideDescription(const CalendarFigures& side)
{
    return side.Client + QStringLiteral(": ") + LongDate(side.From) + QStringLiteral(" to ") +
           LongDate(side.To);
}

QString SpanDifferenceNote(const Comparison& comparison)
{
    if (comparison.SameSpan())
        return {};
    return QStringLiteral("The two calendars cover different spans: each year and month is "
                          "compared with the same year and month of the other's span.");
}

QStringList ComparisonNotes(const Comparison& comparison)
{
    QStringList notes;
    for (const CalendarFigures* side : {&comparison.A, &comparison.B}) {
        const QString name = side == &comparison.A ? QStringLiteral("A") : QStringLiteral("B");
        if (!side->Countable())
            notes << name + QStringLiteral(": no hours, care time or day counts (") +
                         NotCountableCell + QStringLiteral("): ") + side->NotCountable +
                         QLatin1Char('.');
        else if (side->DistributionHadErrors)
            notes << name + QStringLiteral(": the hourly distribution found warnings or errors "
                                           "in this calendar's times; its hours, care time and "
                                           "day counts are only approximate.");
    }
    return notes;
}

QJsonObject ComparisonJson(const Comparison& comparison)
{
    auto side = [](const CalendarFigures& figures) {
        return QJsonObject{{QStringLiteral("file"), figures.File},
                           {QStringLiteral("client"), figures.Client},
                           {QStringLiteral("from"), figures.From.toString(Qt::ISODate)},
                           {QStringLiteral("to"), figures.To.toString(Qt::ISODate)},
                           {QStringLiteral("distributionHadErrors"), figures.DistributionHadErrors},
                           {QStringLiteral("notCountable"),
                            figures.Countable() ? QJsonValue() : QJsonValue(figures.NotCountable)},
                           {QStringLiteral("guidelines"),
                            GuidelineStandingsJson(StandingsOf(figures.Guidelines, figures))}};
    };
    QJsonArray measures;
    for (const Measure measure : AllMeasures) {
        QJsonObject entry{{QStringLiteral("name"), MeasureKey(measure)}};
        const std::array<QString, 3> keys{QStringLiteral("firstYear"), QStringLiteral("secondYear"),
                                          QStringLiteral("bothYears")};
        for (const CarePeriod period : AllPeriods) {
            const PeriodFigures& a = comparison.A.Periods[Index(period)];
            const PeriodFigures& b = comparison.B.Periods[Index(period)];
            auto counts = [](std::int64_t x, std::int64_t y) {
                return QJsonObject{{QStringLiteral("a"), static_cast<qint64>(x)},
                                   {QStringLiteral("b"), static_cast<qint64>(y)},
                                   {QStringLiteral("difference"), static_cast<qint64>(y - x)}};
            };
            const auto count = DayCountOf(measure);
            QJsonObject cell;
            if (measure == Measure::Overnights)
                cell = counts(a.Overnights, b.Overnights);
            else if (measure == Measure::DayVisits)
                cell = counts(a.DayVisits, b.DayVisits);
            else if (measure == Measure::NonCustodialMinutes)
                cell = counts(a.NonCustodialMinutes, b.NonCustodialMinutes);
            else if (count && !count->second) {
                const DayCountMethod method = count->first;
                auto value = [&](std::int64_t units) {
                    return UnitsPerOne(method) == 1
                               ? QJsonValue(static_cast<qint64>(units))
                               : QJsonValue(static_cast<double>(units) / UnitsPerOne(method));
                };
                cell = QJsonObject{{QStringLiteral("a"), value(a.Counts.Units(method))},
                                   {QStringLiteral("b"), value(b.Counts.Units(method))},
                                   {QStringLiteral("difference"),
                                    value(b.Counts.Units(method) - a.Counts.Units(method))}};
            }
            else {
                const std::array<QString, 3> texts = MeasureCells(comparison, measure, period);
                cell = QJsonObject{{QStringLiteral("a"), texts[0]},
                                   {QStringLiteral("b"), texts[1]},
                                   {QStringLiteral("difference"), texts[2]}};
            }
            if (NeedsCountableHours(measure) &&
                (!comparison.A.Countable() || !comparison.B.Countable())) {
                // No figure where a side cannot be counted: null, with the reason beside it.
                QStringList reasons;
                if (!comparison.A.Countable()) {
                    cell.insert(QStringLiteral("a"), QJsonValue());
                    reasons << QStringLiteral("A: ") + comparison.A.NotCountable;
                }
                if (!comparison.B.Countable()) {
                    cell.insert(QStringLiteral("b"), QJsonValue());
                    reasons << QStringLiteral("B: ") + comparison.B.NotCountable;
                }
                cell.insert(QStringLiteral("difference"), QJsonValue());
                cell.insert(QStringLiteral("notCountable"), reasons.join(QStringLiteral("; ")));
            }
            entry.insert(keys[Index(period)], cell);
        }
        measures.append(entry);
    }
    QJsonArray months;
    for (std::size_t k = 0; k < MonthsInSpan; ++k) {
        auto month = [](const MonthFigures& m) {
            return QJsonObject{{QStringLiteral("month"), MonthKey(m)},
                               {QStringLiteral("overnights"), m.Overnights},
                               {QStringLiteral("dayVisits"), m.DayVisits}};
        };
        months.append(QJsonObject{{QStringLiteral("a"), month(comparison.A.Months[k])},
                                  {QStringLiteral("b"), month(comparison.B.Months[k])}});
    }
    return QJsonObject{{QStringLiteral("a"), side(comparison.A)},
                       {QStringLiteral("b"), side(comparison.B)},
                       {QStringLiteral("sameSpan"), comparison.SameSpan()},
                       {QStringLiteral("measures"), measures},
                       {QStringLiteral("months"), months}};
}

QStringList ComparisonGuidelineLines(const Comparison& comparison)
{
    static const std::array<QString, 3> periods{
        QStringLiteral("first year"), QStringLiteral("second year"), QStringLiteral("both years")};
    QStringList lines;
    for (const CalendarFigures* side : {&comparison.A, &comparison.B})
        for (const GuidelineStanding& standing : StandingsOf(side->Guidelines, *side))
            for (std::size_t p = 0; p < 3; ++p)
                lines << (side == &comparison.A ? QStringLiteral("A, ") : QStringLiteral("B, ")) +
                             periods[p] + QStringLiteral(": ") +
                             MarkedGuidelineLine(standing.Rule, standing.Periods[p]);
    return lines;
}

QString ComparisonText(const Comparison& comparison)
{
    constexpr int CaptionWidth = 46;
    constexpr int CellWidth = 10;
    QString text = ComparisonTitle + QLatin1Char('\n');
    text += QStringLiteral("A: ") + SideDescription(comparison.A) + QStringLiteral("  (") +
            comparison.A.File + QStringLiteral(")\n");
    text += QStringLiteral("B: ") + SideDescription(comparison.B) + QStringLiteral("  (") +
            comparison.B.File + QStringLiteral(")\n");
    if (const QString note = SpanDifferenceNote(comparison); !note.isEmpty())
        text += note + QLatin1Char('\n');
    QString heads = QString(CaptionWidth, QLatin1Char(' '));
    QString sides = QString(CaptionWidth, QLatin1Char(' '));
    for (const CarePeriod period : AllPeriods) {
        heads += QStringLiteral("%1").arg(ComparisonPeriodCaption(period), -3 * CellWidth);
        for (const QString& side :
             {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("B - A")})
            sides += QStringLiteral("%1").arg(side, -CellWidth);
    }
    auto line = [&text](const QString& row) {
        QString trimmed = row;
        while (trimmed.endsWith(QLatin1Char(' ')))
            trimmed.chop(1);
        text += trimmed + QLatin1Char('\n');
    };
    text += QLatin1Char('\n');
    line(heads);
    line(sides);
    for (const Measure measure : AllMeasures) {
        QString row = QStringLiteral("%1").arg(MeasureCaption(measure), -CaptionWidth);
        for (const CarePeriod period : AllPeriods)
            for (const QString& cell : MeasureCells(comparison, measure, period))
                row += QStringLiteral("%1").arg(cell, -CellWidth);
        line(row);
    }
    if (const QStringList notes = ComparisonNotes(comparison); !notes.isEmpty())
        text += QLatin1Char('\n') + notes.join(QLatin1Char('\n')) + QLatin1Char('\n');
    if (const QStringList guidelines = ComparisonGuidelineLines(comparison); !guidelines.isEmpty())
        text += QStringLiteral("\nGuidelines\n") + guidelines.join(QLatin1Char('\n')) +
                QLatin1Char('\n');
    return text;
}

} // namespace custodex
