#include "reports/DayCounts.h"

#include "output/DrawingSurface.h"
#include "output/PrinterSurface.h"
#include "platform/PrintResolution.h"
#include "reports/TimeReportTexts.h"

#include <QBuffer>
#include <QJsonArray>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>

namespace custodex {

namespace {

constexpr int MinutesPerDay = 24 * 60;

std::size_t Index(CarePeriod period)
{
    return static_cast<std::size_t>(period);
}

void CountDay(DayCountFigures& figures, int minutes, bool overnight)
{
    ++figures.Days;
    figures.Minutes += minutes;
    if (overnight)
        ++figures.Overnights;
    if (minutes > MinutesPerDay / 2)
        ++figures.DaysOver12Hours;
    figures.WeightedQuarters += WeightQuarters(minutes);
}

QString LongDate(const CalendarDocument& doc, int dayIndex)
{
    const CalendarDay& day = doc.Days.at(static_cast<std::size_t>(dayIndex));
    const int month = MonthIndexOf(day.MonthName);
    return (month >= 0 ? DisplayMonthNames().at(month) : day.MonthName) + QLatin1Char(' ') +
           QString::number(day.DayOfMonth) + QStringLiteral(", ") +
           QString::number(YearOfDay(doc, dayIndex));
}

QString PeriodLine(const CalendarDocument& doc, CarePeriod period, int days)
{
    const ReportPeriod range = CareReportPeriod(doc, period);
    return DayCountPeriodCaption(period) + QStringLiteral(": ") + LongDate(doc, range.FirstDay) +
           QStringLiteral(" to ") + LongDate(doc, range.EndDay - 1) +
           QStringLiteral(" (%1 days)").arg(days);
}

} // namespace

int WeightQuarters(int minutes)
{
    if (minutes >= 12 * 60)
        return 4;
    if (minutes >= 6 * 60)
        return 2;
    if (minutes >= 3 * 60)
        return 1;
    return 0;
}

int UnitsPerOne(DayCountMethod method)
{
    switch (method) {
    case DayCountMethod::Hours24:
        return 10;
    case DayCountMethod::WeightedDays:
        return 4;
    case DayCountMethod::Overnights:
    case DayCountMethod::DaysOver12Hours:
        break;
    }
    return 1;
}

QString UnitsText(DayCountMethod method, std::int64_t units)
{
    const QString sign = units < 0 ? QStringLiteral("-") : QString();
    const std::int64_t size = units < 0 ? -units : units;
    switch (method) {
    case DayCountMethod::Hours24:
        return sign + QStringLiteral("%1.%2").arg(size / 10).arg(size % 10);
    case DayCountMethod::WeightedDays:
        return sign +
               QStringLiteral("%1.%2").arg(size / 4).arg(size % 4 * 25, 2, 10, QLatin1Char('0'));
    case DayCountMethod::Overnights:
    case DayCountMethod::DaysOver12Hours:
        break;
    }
    return sign + QString::number(size);
}

std::int64_t DayCountFigures::Units(DayCountMethod method) const
{
    switch (method) {
    case DayCountMethod::Overnights:
        return Overnights;
    case DayCountMethod::Hours24:
        // Tenths of a 24-hour period, half a tenth rounded up.
        return (Minutes * 10 * 2 + MinutesPerDay) / (2 * MinutesPerDay);
    case DayCountMethod::DaysOver12Hours:
        return DaysOver12Hours;
    case DayCountMethod::WeightedDays:
        break;
    }
    return WeightedQuarters;
}

QString DayCountFigures::CountText(DayCountMethod method) const
{
    return UnitsText(method, Units(method));
}

double DayCountFigures::CountValue(DayCountMethod method) const
{
    return static_cast<double>(Units(method)) / UnitsPerOne(method);
}

QString DayCountFigures::ShareText(DayCountMethod method) const
{
    // Of the period's days: 24-hour periods from the exact minutes, weighted days in quarters.
    switch (method) {
    case DayCountMethod::Overnights:
        return custodex::ShareText(Overnights, Days);
    case DayCountMethod::Hours24:
        return custodex::ShareText(Minutes, std::int64_t{Days} * MinutesPerDay);
    case DayCountMethod::DaysOver12Hours:
        return custodex::ShareText(DaysOver12Hours, Days);
    case DayCountMethod::WeightedDays:
        break;
    }
    return custodex::ShareText(WeightedQuarters, std::int64_t{Days} * 4);
}

DayCounts CountDays(const CalendarDocument& doc, const DistributionResult& run)
{
    DayCounts counts;
    if (!doc.HasCalendar())
        return counts;
    counts.NotCountable = NotCountableReason(doc, run);
    if (!counts.Countable())
        return counts;
    counts.Approximate = run.HasProblems();
    for (std::size_t y = 0; y < run.Years.size(); ++y) {
        const DistributionYear& year = run.Years[y];
        for (int i = year.FirstDay; i < year.EndDay; ++i) {
            const CalendarDay& day = doc.Days.at(static_cast<std::size_t>(i));
            const int minutes = run.Minutes.at(static_cast<std::size_t>(i)).Covered();
            const bool overnight = day.HasOvernight && !IsAnnotationReason(day.OvernightReason);
            for (const std::size_t p : {y, Index(CarePeriod::BothYears)}) {
                CountDay(counts.Periods[p].NonCustodial, minutes, overnight);
                CountDay(counts.Periods[p].Custodial, MinutesPerDay - minutes, !overnight);
            }
        }
    }
    return counts;
}

DayCounts CountDays(const CalendarDocument& doc)
{
    return CountDays(doc, ComputeDistribution(doc));
}

QString DayCountMethodKey(DayCountMethod method)
{
    switch (method) {
    case DayCountMethod::Overnights:
        return QStringLiteral("overnights");
    case DayCountMethod::Hours24:
        return QStringLiteral("hours24");
    case DayCountMethod::DaysOver12Hours:
        return QStringLiteral("daysOver12Hours");
    case DayCountMethod::WeightedDays:
        break;
    }
    return QStringLiteral("weightedDays");
}

QString DayCountMethodCaption(DayCountMethod method)
{
    switch (method) {
    case DayCountMethod::Overnights:
        return QStringLiteral("Overnights");
    case DayCountMethod::Hours24:
        return QStringLiteral("24-hour periods");
    case DayCountMethod::DaysOver12Hours:
        return QStringLiteral("Days over 12 hours");
    case DayCountMethod::WeightedDays:
        break;
    }
    return QStringLiteral("Weighted days (12 h = 1, 6 h = \u00bd, 3 h = \u00bc)");
}

QString DayCountMethodDefinition(DayCountMethod method)
{
    switch (method) {
    case DayCountMethod::Overnights:
        return QStringLiteral("Overnights: the nights marked as overnight stays (annotations "
                              "are not counted).");
    case DayCountMethod::Hours24:
        return QStringLiteral("24-hour periods: all the parent's hours of the period divided "
                              "by 24, to one decimal.");
    case DayCountMethod::DaysOver12Hours:
        return QStringLiteral("Days over 12 hours: the days on which the parent has the child "
                              "for more than 12 hours.");
    case DayCountMethod::WeightedDays:
        break;
    }
    return QStringLiteral("Weighted days: each day counts 1 for 12 hours or more, \u00bd for 6 "
                          "hours or more, \u00bc for 3 hours or more, else 0.");
}

QString DayCountPeriodCaption(CarePeriod period)
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

QStringList DayCountTextLines(const CalendarDocument& doc, const DayCounts& counts,
                              const std::vector<CarePeriod>& periods)
{
    constexpr int CaptionWidth = 46;
    constexpr int CountWidth = 10;
    constexpr int ShareWidth = 12;
    QStringList lines;
    lines << DayCountTitle << QStringLiteral("Client: ") + doc.ClientName;
    if (!counts.Countable()) {
        lines << QString()
              << QStringLiteral("No counts: ") + counts.NotCountable + QLatin1Char('.');
        return lines;
    }
    if (!doc.NonCustodialName.isEmpty() || !doc.CustodialName.isEmpty())
        lines << QStringLiteral("Non-custodial parent: ") + doc.NonCustodialName +
                     QStringLiteral("; custodial parent: ") + doc.CustodialName;
    for (const CarePeriod period : periods) {
        const PeriodDayCounts& figures = counts.Periods[Index(period)];
        lines << QString() << PeriodLine(doc, period, figures.NonCustodial.Days);
        lines << QStringLiteral("%1%2%3")
                     .arg(QStringLiteral("Method"), -CaptionWidth)
                     .arg(QStringLiteral("Non-custodial"), -(CountWidth + ShareWidth))
                     .arg(QStringLiteral("Custodial"));
        for (const DayCountMethod method : AllDayCountMethods)
            lines << QStringLiteral("%1%2%3%4%5")
                         .arg(DayCountMethodCaption(method), -CaptionWidth)
                         .arg(figures.NonCustodial.CountText(method), -CountWidth)
                         .arg(figures.NonCustodial.ShareText(method), -ShareWidth)
                         .arg(figures.Custodial.CountText(method), -CountWidth)
                         .arg(figures.Custodial.ShareText(method));
    }
    lines << QString();
    if (counts.Approximate)
        lines << DayCountApproximateNote << QString();
    for (const DayCountMethod method : AllDayCountMethods)
        lines << DayCountMethodDefinition(method);
    lines << QStringLiteral("Shares are of the period's days. Hours are those of the Hourly "
                            "Distribution Report, each counted once.")
          << DayCountNeutralNote;
    return lines;
}

QJsonObject DayCountsJson(const CalendarDocument& doc, const DayCounts& counts,
                          const std::vector<CarePeriod>& periods)
{
    static const std::array<QString, 3> keys{
        QStringLiteral("firstYear"), QStringLiteral("secondYear"), QStringLiteral("bothYears")};
    QJsonObject json{{QStringLiteral("client"), doc.ClientName},
                     {QStringLiteral("notCountable"),
                      counts.Countable() ? QJsonValue() : QJsonValue(counts.NotCountable)},
                     {QStringLiteral("approximate"), counts.Approximate}};
    QJsonObject out;
    for (const CarePeriod period : periods) {
        const PeriodDayCounts& figures = counts.Periods[Index(period)];
        const ReportPeriod range = CareReportPeriod(doc, period);
        QJsonObject entry{{QStringLiteral("from"), IsoDateOfDay(doc, range.FirstDay)},
                          {QStringLiteral("to"), IsoDateOfDay(doc, range.EndDay - 1)},
                          {QStringLiteral("days"), range.Days()}};
        auto side = [&](const DayCountFigures& f) {
            QJsonObject object;
            for (const DayCountMethod method : AllDayCountMethods) {
                const QString key = DayCountMethodKey(method);
                if (!counts.Countable()) {
                    object.insert(key, QJsonValue());
                    object.insert(key + QStringLiteral("Percent"), QJsonValue());
                    continue;
                }
                if (UnitsPerOne(method) == 1)
                    object.insert(key, static_cast<qint64>(f.Units(method)));
                else
                    object.insert(key, f.CountValue(method));
                object.insert(key + QStringLiteral("Percent"), f.ShareText(method));
            }
            return object;
        };
        entry.insert(QStringLiteral("nonCustodial"), side(figures.NonCustodial));
        entry.insert(QStringLiteral("custodial"), side(figures.Custodial));
        out.insert(keys[Index(period)], entry);
    }
    json.insert(QStringLiteral("periods"), out);
    return json;
}

void DrawDayCountPage(DrawingSurface& surface, const CalendarDocument& doc, const DayCounts& counts,
                      const QString& generated)
{
    const QSize size = surface.Size();
    const int margin = size.width() / 17;
    const int width = size.width() - 2 * margin;
    int y = margin;
    surface.SetPen(1, 0);
    surface.SetFont(size.width() / 45, true);
    surface.Text(margin, y, DayCountTitle);
    y += surface.TextHeight(DayCountTitle) * 3 / 2;
    surface.SetFont(size.width() / 75, false);
    const int line = surface.TextHeight(QStringLiteral("Ag"));
    surface.Text(margin, y, QStringLiteral("Client: ") + doc.ClientName);
    y += line;
    if (!doc.NonCustodialName.isEmpty() || !doc.CustodialName.isEmpty()) {
        surface.Text(margin, y,
                     QStringLiteral("Non-custodial parent: ") + doc.NonCustodialName +
                         QStringLiteral("; custodial parent: ") + doc.CustodialName);
        y += line;
    }
    y += line;
    auto wrapped = [&](const QString& text) {
        // Words onto lines that fit the page's width.
        QString current;
        for (const QString& word : text.split(QLatin1Char(' '))) {
            const QString next = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (!current.isEmpty() && surface.TextWidth(next) > width) {
                surface.Text(margin, y, current);
                y += line;
                current = word;
            }
            else
                current = next;
        }
        if (!current.isEmpty()) {
            surface.Text(margin, y, current);
            y += line;
        }
    };
    if (!counts.Countable()) {
        wrapped(QStringLiteral("No counts: ") + counts.NotCountable + QLatin1Char('.'));
    }
    else {
        const int captionWidth = width * 40 / 100;
        const int cell = (width - captionWidth) / 4;
        const QString heads[4] = {QStringLiteral("Non-custodial"), QStringLiteral("Share"),
                                  QStringLiteral("Custodial"), QStringLiteral("Share")};
        for (const CarePeriod period : AllPeriods) {
            const PeriodDayCounts& figures = counts.Periods[Index(period)];
            surface.SetFont(size.width() / 75, true);
            surface.Text(margin, y, PeriodLine(doc, period, figures.NonCustodial.Days));
            y += line * 3 / 2;
            surface.SetFont(size.width() / 80, true);
            for (int c = 0; c < 4; ++c)
                surface.Text(margin + captionWidth + (c + 1) * cell - cell / 8 -
                                 surface.TextWidth(heads[c]),
                             y, heads[c]);
            y += line;
            surface.Line(margin, y, margin + width, y);
            y += line / 4;
            surface.SetFont(size.width() / 80, false);
            for (const DayCountMethod method : AllDayCountMethods) {
                surface.Text(margin, y, DayCountMethodCaption(method));
                const QString cells[4] = {
                    figures.NonCustodial.CountText(method), figures.NonCustodial.ShareText(method),
                    figures.Custodial.CountText(method), figures.Custodial.ShareText(method)};
                for (int c = 0; c < 4; ++c)
                    surface.Text(margin + captionWidth + (c + 1) * cell - cell / 8 -
                                     surface.TextWidth(cells[c]),
                                 y, cells[c]);
                y += line;
            }
            y += line;
        }
        surface.SetFont(size.width() / 85, false);
        if (counts.Approximate) {
            wrapped(DayCountApproximateNote);
            y += line / 2;
        }
        for (const DayCountMethod method : AllDayCountMethods)
            wrapped(DayCountMethodDefinition(method));
        wrapped(QStringLiteral("Shares are of the period's days. Hours are those of the Hourly "
                               "Distribution Report, each counted once."));
    }
    y += line / 2;
    wrapped(DayCountNeutralNote);
    surface.SetFont(size.width() / 100, false);
    surface.Text(margin, size.height() - margin / 2 - line, generated);
}

QByteArray DayCountPdfBytes(const CalendarDocument& doc, const DayCounts& counts,
                            const QString& generated)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(DayCountTitle);
        writer.setCreator(QStringLiteral("Custodex Calendar"));
        writer.setResolution(PrintoutDotsPerInch);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        PrinterSurface surface(writer);
        DrawDayCountPage(surface, doc, counts, generated);
    }
    return bytes;
}

} // namespace custodex
