#include "calendar/Guidelines.h"

#include "calendar/CalendarModel.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace custodex {

QString GuidelineMeasureKey(GuidelineMeasure measure)
{
    switch (measure) {
    case GuidelineMeasure::Overnights:
        return QStringLiteral("overnights");
    case GuidelineMeasure::DayVisits:
        return QStringLiteral("dayVisits");
    case GuidelineMeasure::OvernightPercent:
        return QStringLiteral("overnightPercent");
    case GuidelineMeasure::Hours24:
        return QStringLiteral("hours24");
    case GuidelineMeasure::DaysOver12Hours:
        return QStringLiteral("daysOver12Hours");
    case GuidelineMeasure::WeightedDays:
        return QStringLiteral("weightedDays");
    case GuidelineMeasure::Hours24Percent:
        return QStringLiteral("hours24Percent");
    case GuidelineMeasure::DaysOver12HoursPercent:
        return QStringLiteral("daysOver12HoursPercent");
    case GuidelineMeasure::WeightedDaysPercent:
        return QStringLiteral("weightedDaysPercent");
    case GuidelineMeasure::NonCustodialCarePercent:
        break;
    }
    return QStringLiteral("nonCustodialCarePercent");
}

std::optional<GuidelineMeasure> GuidelineMeasureFromKey(const QString& key)
{
    for (const GuidelineMeasure measure : AllGuidelineMeasures)
        if (GuidelineMeasureKey(measure) == key)
            return measure;
    return std::nullopt;
}

QString GuidelineMeasureCaption(GuidelineMeasure measure)
{
    switch (measure) {
    case GuidelineMeasure::Overnights:
        return QStringLiteral("Overnights a year");
    case GuidelineMeasure::DayVisits:
        return QStringLiteral("Day visits a year");
    case GuidelineMeasure::OvernightPercent:
        return QStringLiteral("Overnights, % of the year's nights");
    case GuidelineMeasure::Hours24:
        return QStringLiteral("24-hour periods a year");
    case GuidelineMeasure::DaysOver12Hours:
        return QStringLiteral("Days over 12 hours a year");
    case GuidelineMeasure::WeightedDays:
        return QStringLiteral("Weighted days a year");
    case GuidelineMeasure::Hours24Percent:
        return QStringLiteral("24-hour periods, % of days");
    case GuidelineMeasure::DaysOver12HoursPercent:
        return QStringLiteral("Days over 12 hours, % of days");
    case GuidelineMeasure::WeightedDaysPercent:
        return QStringLiteral("Weighted days, % of days");
    case GuidelineMeasure::NonCustodialCarePercent:
        break;
    }
    return QStringLiteral("Non-custodial care time, %");
}

bool IsPercentMeasure(GuidelineMeasure measure)
{
    switch (measure) {
    case GuidelineMeasure::OvernightPercent:
    case GuidelineMeasure::NonCustodialCarePercent:
    case GuidelineMeasure::Hours24Percent:
    case GuidelineMeasure::DaysOver12HoursPercent:
    case GuidelineMeasure::WeightedDaysPercent:
        return true;
    default:
        break;
    }
    return false;
}

bool NeedsDistribution(GuidelineMeasure measure)
{
    return measure != GuidelineMeasure::Overnights && measure != GuidelineMeasure::DayVisits &&
           measure != GuidelineMeasure::OvernightPercent;
}

QString GuidelineNameProblem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("A guideline needs a name.");
    if (UserCharacterCount(name) > GuidelineNameCapacity)
        return QStringLiteral("A guideline's name has at most 50 characters.");
    if (name.contains(QLatin1Char('!')) || name.contains(QLatin1Char(';')))
        return QStringLiteral("A guideline's name cannot contain \"!\" or \";\".");
    // Older copies of the program look for "KEY=" anywhere in a line they do not know.
    if (name.contains(QLatin1Char('=')))
        return QStringLiteral("A guideline's name cannot contain \"=\".");
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("A guideline's name cannot contain control characters.");
    return {};
}

std::optional<int> ReadGuidelineValue(GuidelineMeasure measure, const QString& text)
{
    const QString value = text.trimmed();
    if (!IsPercentMeasure(measure)) {
        static const QRegularExpression whole(QStringLiteral("^[0-9]{1,3}$"));
        if (!whole.match(value).hasMatch())
            return std::nullopt;
        const int count = value.toInt();
        return count <= GuidelineCountLimit ? std::optional<int>(count) : std::nullopt;
    }
    static const QRegularExpression percent(QStringLiteral("^([0-9]{1,3})(?:\\.([0-9]))?%?$"));
    const QRegularExpressionMatch match = percent.match(value);
    if (!match.hasMatch())
        return std::nullopt;
    const int tenths = match.captured(1).toInt() * 10 +
                       (match.captured(2).isEmpty() ? 0 : match.captured(2).toInt());
    return tenths <= 1000 ? std::optional<int>(tenths) : std::nullopt;
}

QString GuidelineValueRule(GuidelineMeasure measure)
{
    return IsPercentMeasure(measure)
               ? QStringLiteral("A percentage from 0 to 100 with at most one decimal, such as "
                                "40 or 35.5.")
               : QStringLiteral("A whole number of days a year from 0 to 366.");
}

QString TenthsPercentText(int tenths)
{
    return QStringLiteral("%1.%2%").arg(tenths / 10).arg(tenths % 10);
}

QString GuidelineValueText(const Guideline& guideline)
{
    return IsPercentMeasure(guideline.Measure) ? TenthsPercentText(guideline.AtLeast)
                                               : QString::number(guideline.AtLeast);
}

QString GuidelineFileLine(const Guideline& guideline)
{
    return GuidelineKey + GuidelineMeasureKey(guideline.Measure) + QLatin1Char(',') +
           GuidelineValueText(guideline) + QLatin1Char(',') + guideline.Name;
}

std::optional<Guideline> ReadGuidelineValueText(const QString& value)
{
    const auto first = value.indexOf(QLatin1Char(','));
    const auto second = first < 0 ? -1 : value.indexOf(QLatin1Char(','), first + 1);
    if (second < 0)
        return std::nullopt;
    const std::optional<GuidelineMeasure> measure = GuidelineMeasureFromKey(value.left(first));
    if (!measure)
        return std::nullopt;
    const std::optional<int> atLeast =
        ReadGuidelineValue(*measure, value.mid(first + 1, second - first - 1));
    const QString name = value.mid(second + 1);
    if (!atLeast || !GuidelineNameProblem(name).isEmpty())
        return std::nullopt;
    return Guideline{name, *measure, *atLeast};
}

QString GuidelineLimitMessage()
{
    static_assert(GuidelineLimit == 1000, "the message names the limit");
    return QStringLiteral("A calendar holds at most 1,000 guidelines.");
}

QStringList GuidelineNotes(const std::vector<Guideline>& guidelines, qsizetype unreadLines)
{
    QStringList notes;
    if (unreadLines == 1)
        notes << QStringLiteral("1 guideline line could not be read and is kept as written.");
    else if (unreadLines > 1)
        notes << QStringLiteral("%1 guideline lines could not be read and are kept as written.")
                     .arg(unreadLines);
    // Counted in one pass and told in the order the names first come.
    QHash<QString, int> counts;
    for (const Guideline& guideline : guidelines)
        ++counts[guideline.Name];
    for (const Guideline& guideline : guidelines) {
        int& count = counts[guideline.Name];
        if (count > 1)
            notes << QStringLiteral("%1 guidelines share the name \"%2\"; %3 shown.")
                         .arg(count)
                         .arg(guideline.Name,
                              count == 2 ? QStringLiteral("both are") : QStringLiteral("all are"));
        count = 0;
    }
    return notes;
}

QString GuidelineSetProblem(const std::vector<Guideline>& list, const QString& name)
{
    QStringList shared;
    for (const Guideline& kept : list)
        if (kept.Name == name)
            shared << GuidelineMeasureKey(kept.Measure) + QStringLiteral(" at least ") +
                          GuidelineValueText(kept);
    if (shared.size() < 2)
        return {};
    return QStringLiteral("%1 guidelines share the name \"%2\" (%3); which of them to set is "
                          "not clear.")
        .arg(shared.size())
        .arg(name, shared.join(QStringLiteral("; ")));
}

bool SetGuideline(std::vector<Guideline>& list, const Guideline& guideline)
{
    if (!GuidelineSetProblem(list, guideline.Name).isEmpty())
        return false;
    const auto same = std::find_if(list.begin(), list.end(), [&](const Guideline& kept) {
        return kept.Name == guideline.Name;
    });
    if (same != list.end())
        *same = guideline;
    else
        list.push_back(guideline);
    return true;
}

std::size_t RemoveGuideline(std::vector<Guideline>& list, const QString& name)
{
    return static_cast<std::size_t>(
        std::erase_if(list, [&](const Guideline& kept) { return kept.Name == name; }));
}

} // namespace custodex
