#include "reports/ProposalComparison.h"

#include "output/DrawingSurface.h"
#include "output/PrinterSurface.h"
#include "platform/PrintResolution.h"
#include "reports/GuidelineStanding.h"
#include "reports/HourlyDistribution.h"
#include "reports/TimeReportTexts.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRect>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>

namespace custodex {

namespace {

const CounterSet& CountersOf(const CalendarDocument& doc, CarePeriod period)
{
    switch (period) {
    case CarePeriod::FirstYear:
        return doc.FirstYearCounters;
    case CarePeriod::SecondYear:
        return doc.SecondYearCounters;
    case CarePeriod::BothYears:
        break;
    }
    return doc.BothYearsCounters;
}

QDate DateOfDay(const CalendarDocument& doc, int dayIndex)
{
    const CalendarDay& day = doc.Days[static_cast<std::size_t>(dayIndex)];
    return QDate(YearOfDay(doc, dayIndex), MonthIndexOf(day.MonthName) + 1, day.DayOfMonth);
}

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

} // namespace

CalendarFigures FiguresOf(const CalendarDocument& doc, const QString& file, bool distribution)
{
    CalendarFigures figures;
    figures.File = file;
    figures.Client = doc.ClientName;
    figures.OvernightColour = doc.OvernightColour;
    figures.DayVisitColour = doc.DayVisitColour;
    figures.Guidelines = doc.Guidelines;
    if (!doc.HasCalendar())
        return figures;
    // A copy: the distribution run and the recount must not touch the calendar compared.
    CalendarDocument copy = doc;
    RecountCounters(copy);
    std::optional<DistributionResult> run;
    if (distribution) {
        run = RefreshStaleDistribution(copy);
        if (!run)
            run = ComputeDistribution(copy);
    }
    figures.DistributionHadErrors = copy.DistributionHadErrors;
    DayCounts counts;
    if (run) {
        counts = CountDays(copy, *run);
        figures.NotCountable = counts.NotCountable;
    }
    figures.From = DateOfDay(copy, 0);
    figures.To = DateOfDay(copy, static_cast<int>(copy.Days.size()) - 1);
    for (const CarePeriod period : AllPeriods) {
        const CounterSet& counters = CountersOf(copy, period);
        PeriodFigures& out = figures.Periods[Index(period)];
        out.Overnights = counters.Overnights;
        out.DayVisits = counters.DayVisits;
        out.OvernightPercent = counters.Texts[2];
        out.DayVisitPercent = counters.Texts[6];
        if (run) {
            const CareResults care = ComputeCare(copy, run->Years, period);
            out.NonCustodialMinutes = care.NonCustodial;
            out.NonCustodialCarePercent = CareText(care, QStringLiteral("NonCustCareTime"));
            out.Counts = counts.Periods[Index(period)].NonCustodial;
        }
    }
    const auto dayCount = static_cast<int>(copy.Days.size());
    for (int k = 0; k < MonthsInSpan; ++k) {
        const MonthTableEntry& entry = copy.MonthTable[static_cast<std::size_t>(k)];
        // A month without a table entry after it runs to the end of the day list.
        const int next =
            k + 1 < MonthsInSpan ? copy.MonthTable[static_cast<std::size_t>(k + 1)].FirstDay : -1;
        const int end = next >= 0 ? next : dayCount;
        MonthFigures& month = figures.Months[static_cast<std::size_t>(k)];
        month.Year = entry.Year;
        month.Month = MonthIndexOf(entry.MonthName) + 1;
        for (int i = std::max(entry.FirstDay, 0); i < std::min(end, dayCount); ++i) {
            const CalendarDay& day = copy.Days[static_cast<std::size_t>(i)];
            if (day.HasOvernight && !IsAnnotationReason(day.OvernightReason))
                ++month.Overnights;
            if (day.HasDayVisit && !IsAnnotationReason(day.DayVisitReason))
                ++month.DayVisits;
        }
    }
    return figures;
}

Comparison CompareCalendars(const CalendarDocument& a, const QString& fileA,
                            const CalendarDocument& b, const QString& fileB)
{
    return {FiguresOf(a, fileA), FiguresOf(b, fileB)};
}

bool NeedsCountableHours(Measure measure)
{
    switch (measure) {
    case Measure::Overnights:
    case Measure::OvernightPercent:
    case Measure::DayVisits:
    case Measure::DayVisitPercent:
        return false;
    default:
        break;
    }
    return true;
}

namespace {

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
    switch (period) {
    case CarePeriod::FirstYear:
        return QStringLiteral("First year");
    case CarePeriod::SecondYear:
        return QStringLiteral("Second year");
    case CarePeriod::BothYears:
        break;
    }
    return QStringLiteral("Both years");
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

namespace {

QString MonthAbbreviation(const MonthFigures& month)
{
    return QLocale::c().monthName(std::clamp(month.Month, 1, 12), QLocale::ShortFormat);
}

// A bar in `colour`: filled for A, striped for B, outlined in black either way so a white or
// pale mark colour still shows, and A and B differ without relying on colour.
void Bar(DrawingSurface& surface, const QRect& bar, std::int32_t colour, bool striped)
{
    if (bar.height() <= 0)
        return;
    if (!striped)
        surface.FillRect(bar, colour);
    else
        for (int y = bar.bottom(); y >= bar.top(); y -= 4)
            surface.FillRect(QRect(bar.left(), std::max(bar.top(), y - 1), bar.width(),
                                   y - std::max(bar.top(), y - 1) + 1),
                             colour);
    surface.SetPen(1, 0);
    surface.Rectangle(bar);
}

} // namespace

void DrawMonthBars(DrawingSurface& surface, const QRect& area, const Comparison& comparison,
                   bool overnights)
{
    const int unit = std::max(10, area.height() / 28);
    surface.SetFont(unit, false);
    const int lineHeight = surface.TextHeight(QStringLiteral("Ag"));
    // The legend: a swatch and the side's name for each calendar.
    const CalendarFigures* sides[2] = {&comparison.A, &comparison.B};
    int x = area.left();
    const int legendY = area.top();
    for (int s = 0; s < 2; ++s) {
        const CalendarFigures& side = *sides[s];
        const std::int32_t colour = overnights ? side.OvernightColour : side.DayVisitColour;
        Bar(surface, QRect(x, legendY + 2, 2 * unit, lineHeight - 4), colour, s == 1);
        x += 2 * unit + unit / 2;
        const QString name = (s == 0 ? QStringLiteral("A: ") : QStringLiteral("B: ")) +
                             side.Client +
                             (s == 0 ? QStringLiteral(" (solid)") : QStringLiteral(" (striped)"));
        surface.Text(x, legendY, name);
        x += surface.TextWidth(name) + 2 * unit;
    }
    const QString what = overnights ? QStringLiteral("Overnights per month")
                                    : QStringLiteral("Day visits per month");
    surface.Text(std::max(x, area.right() - surface.TextWidth(what)), legendY, what);

    int most = 1;
    for (const CalendarFigures* side : sides)
        for (const MonthFigures& month : side->Months)
            most = std::max(most, overnights ? month.Overnights : month.DayVisits);
    const int scaleWidth = surface.TextWidth(QStringLiteral("000")) + unit / 2;
    const QRect plot(area.left() + scaleWidth, legendY + lineHeight + unit,
                     area.width() - scaleWidth, area.height() - 3 * lineHeight - 2 * unit);
    if (plot.height() <= 0 || plot.width() <= 0)
        return;
    // Grid lines at 0, a half and the most, with their figures.
    surface.SetPen(1, 0xC0C0C0);
    for (const int value : {0, most / 2, most}) {
        const int y = plot.bottom() - static_cast<int>(std::int64_t{value} * plot.height() / most);
        surface.Line(plot.left(), y, plot.right(), y);
    }
    surface.SetPen(1, 0); // figures in black, the grid lines grey
    for (const int value : {0, most / 2, most}) {
        const int y = plot.bottom() - static_cast<int>(std::int64_t{value} * plot.height() / most);
        const QString figure = QString::number(value);
        surface.Text(plot.left() - unit / 4 - surface.TextWidth(figure), y - lineHeight / 2,
                     figure);
    }
    const int group = plot.width() / MonthsInSpan;
    const int barWidth = std::max(2, (group - std::max(2, group / 5)) / 2);
    for (int k = 0; k < MonthsInSpan; ++k) {
        const int left = plot.left() + k * group + (group - 2 * barWidth) / 2;
        for (int s = 0; s < 2; ++s) {
            const MonthFigures& month = sides[s]->Months[static_cast<std::size_t>(k)];
            const int value = overnights ? month.Overnights : month.DayVisits;
            const int height = static_cast<int>(std::int64_t{value} * plot.height() / most);
            const std::int32_t colour =
                overnights ? sides[s]->OvernightColour : sides[s]->DayVisitColour;
            Bar(surface, QRect(left + s * barWidth, plot.bottom() - height + 1, barWidth, height),
                colour, s == 1);
        }
        // Month names of A under the bars, the year under each January and under the first.
        const MonthFigures& month = comparison.A.Months[static_cast<std::size_t>(k)];
        const QString name =
            comparison.SameSpan() ? MonthAbbreviation(month) : QString::number(k + 1);
        const int centre = plot.left() + k * group + group / 2;
        surface.Text(centre - surface.TextWidth(name) / 2, plot.bottom() + unit / 3, name);
        if (comparison.SameSpan() && (k == 0 || month.Month == 1)) {
            const QString year = QString::number(month.Year);
            surface.Text(centre - surface.TextWidth(year) / 2,
                         plot.bottom() + unit / 3 + lineHeight, year);
        }
    }
}

namespace {

// Text laid out down the pages of a printout: each line wrapped to the width, a new page (with
// the footer on the one left) when the next line would reach the footer. Nothing is left out.
class PageFlow {
public:
    PageFlow(DrawingSurface& surface, QString footer)
        : m_surface(surface), m_footer(std::move(footer))
    {
        const QSize size = surface.Size();
        Margin = size.width() / 17;
        Width = size.width() - 2 * Margin;
        Y = Margin;
        surface.SetFont(FooterFont(), false);
        m_footerTop = size.height() - Margin / 2 - 2 * surface.TextHeight(QStringLiteral("Ag"));
    }

    int Margin = 0;
    int Width = 0;
    int Y = 0;
    int Pages = 1;

    int Bottom() const { return m_footerTop; }
    // Starts a new page unless `height` still fits above the footer.
    void Room(int height)
    {
        if (Y + height <= m_footerTop || Y == Margin)
            return;
        Footer();
        m_surface.NewPage();
        ++Pages;
        Y = Margin;
    }
    // `text` in the current font, wrapped at blanks to the width; `indent` for the lines after
    // the first.
    void Lines(const QString& text, int indent = 0)
    {
        const int height = m_surface.TextHeight(QStringLiteral("Ag"));
        QString current;
        int left = Margin;
        auto put = [&] {
            Room(height);
            m_surface.Text(left, Y, current);
            Y += height;
            left = Margin + indent;
        };
        for (const QString& word : text.split(QLatin1Char(' '))) {
            const QString next = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (!current.isEmpty() && left + m_surface.TextWidth(next) > Margin + Width) {
                put();
                current = word;
            }
            else
                current = next;
        }
        if (!current.isEmpty())
            put();
    }
    void Footer()
    {
        m_surface.SetFont(FooterFont(), false);
        m_surface.SetPen(1, 0);
        const QString text = m_footer + QStringLiteral("    Page ") + QString::number(Pages);
        m_surface.Text(Margin, m_footerTop + m_surface.TextHeight(QStringLiteral("Ag")) / 2, text);
        m_surface.SetFont(m_fontHeight, m_bold);
    }
    // The font of the text that follows; kept over a new page.
    void Font(int pixelHeight, bool bold)
    {
        m_fontHeight = pixelHeight;
        m_bold = bold;
        m_surface.SetFont(pixelHeight, bold);
    }

private:
    int FooterFont() const { return m_surface.Size().width() / 100; }

    DrawingSurface& m_surface;
    QString m_footer;
    int m_footerTop = 0;
    int m_fontHeight = 12;
    bool m_bold = false;
};

} // namespace

int DrawComparisonPage(DrawingSurface& surface, const Comparison& comparison,
                       const QString& generated)
{
    const QSize size = surface.Size();
    PageFlow flow(surface, generated);
    const int margin = flow.Margin;
    const int width = flow.Width;
    surface.SetPen(1, 0);
    surface.SetFont(size.width() / 45, true);
    surface.Text(margin, flow.Y, ComparisonTitle);
    flow.Y += surface.TextHeight(ComparisonTitle) * 3 / 2;
    flow.Font(size.width() / 75, false);
    const int line = surface.TextHeight(QStringLiteral("Ag"));
    flow.Lines(QStringLiteral("A: ") + SideDescription(comparison.A), line);
    flow.Lines(QStringLiteral("B: ") + SideDescription(comparison.B), line);
    if (const QString note = SpanDifferenceNote(comparison); !note.isEmpty())
        flow.Lines(note);
    flow.Y += line;

    // The table: a caption column and A, B, B - A for each period.
    const int captionWidth = width * 30 / 100;
    const int cell = (width - captionWidth) / 9;
    const int rowHeight = line * 3 / 2;
    surface.SetPen(1, 0);
    surface.SetFont(size.width() / 75, true);
    int y = flow.Y;
    const int tableTop = y;
    for (const CarePeriod period : AllPeriods) {
        const int left = margin + captionWidth + static_cast<int>(Index(period)) * 3 * cell;
        const QString caption = ComparisonPeriodCaption(period);
        surface.Text(left + (3 * cell - surface.TextWidth(caption)) / 2, y, caption);
        int c = 0;
        for (const QString& side :
             {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("B - A")})
            surface.Text(left + c++ * cell + (cell - surface.TextWidth(side)) / 2, y + rowHeight,
                         side);
    }
    y += 2 * rowHeight;
    surface.Line(margin, y - rowHeight / 4, margin + width, y - rowHeight / 4);
    surface.SetFont(size.width() / 80, false);
    for (const Measure measure : AllMeasures) {
        surface.Text(margin, y, MeasureCaption(measure));
        for (const CarePeriod period : AllPeriods) {
            const int left = margin + captionWidth + static_cast<int>(Index(period)) * 3 * cell;
            int c = 0;
            for (const QString& text : MeasureCells(comparison, measure, period)) {
                surface.Text(left + (c + 1) * cell - cell / 8 - surface.TextWidth(text), y, text);
                ++c;
            }
        }
        y += rowHeight;
    }
    surface.Line(margin, y - rowHeight / 4, margin + width, y - rowHeight / 4);
    for (int p = 1; p < 3; ++p) {
        const int x = margin + captionWidth + p * 3 * cell;
        surface.Line(x - cell / 16, tableTop - rowHeight / 4, x - cell / 16, y - rowHeight / 4);
    }
    flow.Y = y + line / 2;
    flow.Font(size.width() / 85, false);
    for (const QString& note : ComparisonNotes(comparison))
        flow.Lines(note, line);
    flow.Y += line;

    // Both charts on the first page at a fixed height; only notes too long for it move them on.
    const int chartHeight = std::max(8 * line, size.height() / 5);
    for (const bool overnights : {true, false}) {
        flow.Room(chartHeight);
        DrawMonthBars(surface, QRect(margin, flow.Y, width, chartHeight), comparison, overnights);
        flow.Y += chartHeight + line;
    }

    const QStringList guidelines = ComparisonGuidelineLines(comparison);
    if (!guidelines.isEmpty()) {
        flow.Font(size.width() / 80, true);
        flow.Room(3 * line);
        flow.Lines(QStringLiteral("Guidelines"));
        flow.Font(size.width() / 90, false);
        for (const QString& guideline : guidelines)
            flow.Lines(guideline, line);
    }
    flow.Footer();
    return flow.Pages;
}

QByteArray ComparisonPdfBytes(const Comparison& comparison, const QString& generated)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(ComparisonTitle);
        writer.setCreator(QStringLiteral("Custodex Calendar"));
        writer.setResolution(PrintoutDotsPerInch);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        PrinterSurface surface(writer);
        DrawComparisonPage(surface, comparison, generated);
    } // the writer finishes the file when its painter ends
    return bytes;
}

} // namespace custodex
