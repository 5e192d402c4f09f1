#include "reports/TimeReportTexts.h"

#include <cstdlib>

namespace custodex {

namespace {

// Hundredths of a percent as one decimal: the tenths rounded half up on the hundredths.
QString PercentOfHundredths(std::int64_t hundredths)
{
    std::int64_t whole = hundredths / 100;
    const std::int64_t rest = hundredths % 100;
    std::int64_t tenths = rest / 10;
    if (rest % 10 >= 5)
        ++tenths;
    if (tenths == 10) {
        tenths = 0;
        ++whole;
    }
    return QStringLiteral("%1.%2%").arg(whole, 2, 10, QLatin1Char('0')).arg(tenths);
}

QString HoursMinutes(std::int64_t minutes, const QString& hoursWord)
{
    return QString::number(minutes / 60) + hoursWord + QString::number(minutes % 60) +
           QStringLiteral(" Mins");
}

} // namespace

QString HoursMinutesText(std::int64_t minutes)
{
    return HoursMinutes(minutes, QStringLiteral(" Hrs "));
}

QString HoursMinutesWideText(std::int64_t minutes)
{
    return HoursMinutes(minutes, QStringLiteral(" Hrs  "));
}

QString PercentageText(std::int64_t minutes, int days)
{
    if (minutes < 0)
        return QStringLiteral("-") + PercentageText(-minutes, days);
    // Hundredths of a percent of days × 1440 minutes: x × 10000 / (days × 1440), reduced.
    const std::int64_t hundredths = days > 0 ? (minutes * 125) / (std::int64_t{days} * 18) : 0;
    return PercentOfHundredths(hundredths);
}

QString ShareText(std::int64_t part, std::int64_t whole)
{
    if (whole <= 0)
        return {};
    if (part < 0)
        return QStringLiteral("-") + ShareText(-part, whole);
    return PercentOfHundredths(part * 10000 / whole);
}

int PercentTenths(const QString& percentageText)
{
    const qsizetype point = percentageText.indexOf(QLatin1Char('.'));
    if (point < 0 || point + 1 >= percentageText.size())
        return 0;
    bool ok = false;
    const int whole = percentageText.left(point).toInt(&ok);
    const QChar tenth = percentageText.at(point + 1);
    if (!ok || !tenth.isDigit())
        return 0;
    const int digit = tenth.digitValue();
    return whole * 10 + (percentageText.startsWith(QLatin1Char('-')) ? -digit : digit);
}

std::int32_t CustodialSliceColour(std::int32_t backgroundColour, std::int32_t overnightColour)
{
    if (backgroundColour != 0xFFFFFF)
        return backgroundColour;
    const auto bits = static_cast<std::uint32_t>(overnightColour);
    std::uint32_t red = bits & 0xFF;
    std::uint32_t green = (bits >> 8) & 0xFF;
    std::uint32_t blue = (bits >> 16) & 0xFF;
    if (red == green && green == blue) {
        auto lighten = [](std::uint32_t channel) { return channel < 216 ? channel + 40 : channel; };
        red = lighten(red);
        green = lighten(green);
        blue = lighten(blue);
    }
    // The new red is the old green, the new green the old blue, the new blue the old red.
    return static_cast<std::int32_t>(green | (blue << 8) | (red << 16));
}

ReportPeriod PeriodOfMonths(const CalendarDocument& doc, int firstMonth, int lastMonth)
{
    ReportPeriod period;
    period.FirstMonth = firstMonth;
    period.LastMonth = lastMonth;
    if (!doc.HasCalendar())
        return period;
    period.FirstDay = doc.MonthTable.at(static_cast<std::size_t>(firstMonth - 1)).FirstDay;
    period.EndDay = lastMonth < MonthsInSpan
                        ? doc.MonthTable.at(static_cast<std::size_t>(lastMonth)).FirstDay
                        : static_cast<int>(doc.Days.size());
    return period;
}

QString MonthOfSpanText(const CalendarDocument& doc, int monthNumber)
{
    const MonthTableEntry& month = doc.MonthTable.at(static_cast<std::size_t>(monthNumber - 1));
    const int index = MonthIndexOf(month.MonthName);
    const QString name = index >= 0 ? DisplayMonthNames().at(index) : month.MonthName;
    return name + QLatin1Char(' ') + QString::number(month.Year);
}

QString PeriodLabel(const CalendarDocument& doc, const ReportPeriod& period)
{
    return QStringLiteral("For Calendar Year Beginning ") +
           MonthOfSpanText(doc, period.FirstMonth) + QStringLiteral(" through ") +
           MonthOfSpanText(doc, period.LastMonth);
}

QString PeriodPageLabel(const CalendarDocument& doc, const ReportPeriod& period)
{
    return QStringLiteral("For Calendar Year Beginning on ") +
           MonthOfSpanText(doc, period.FirstMonth) + QStringLiteral(" through ") +
           MonthOfSpanText(doc, period.LastMonth);
}

QString IsoDateOfDay(const CalendarDocument& doc, int dayIndex)
{
    const CalendarDay& day = doc.Days.at(static_cast<std::size_t>(dayIndex));
    return QStringLiteral("%1-%2-%3")
        .arg(YearOfDay(doc, dayIndex), 4, 10, QLatin1Char('0'))
        .arg(MonthIndexOf(day.MonthName) + 1, 2, 10, QLatin1Char('0'))
        .arg(day.DayOfMonth, 2, 10, QLatin1Char('0'));
}

bool ParentTitlesMissing(const CalendarDocument& doc)
{
    return doc.CustodialName.isEmpty() || doc.NonCustodialName.isEmpty();
}

} // namespace custodex
