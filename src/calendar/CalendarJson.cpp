#include "calendar/CalendarJson.h"

#include <QJsonArray>

namespace custodex {

namespace {

QJsonObject CountersJson(const CounterSet& set)
{
    QJsonArray texts;
    for (const QString& text : set.Texts)
        texts.append(text);
    return QJsonObject{{QStringLiteral("days"), set.Days},
                       {QStringLiteral("overnights"), set.Overnights},
                       {QStringLiteral("dayVisits"), set.DayVisits},
                       {QStringLiteral("custodialOvernights"), set.CustodialOvernights},
                       {QStringLiteral("custodialDayVisits"), set.CustodialDayVisits},
                       {QStringLiteral("texts"), texts}};
}

QJsonObject ReasonListJson(const ReasonList& list)
{
    return QJsonObject{{QStringLiteral("text"), list.Text},
                       {QStringLiteral("items"), QJsonArray::fromStringList(list.Items)}};
}

QJsonObject SettingsJson(const CalendarDocument& doc)
{
    return QJsonObject{{QStringLiteral("backgroundColour"), doc.BackgroundColour},
                       {QStringLiteral("dayVisitColour"), doc.DayVisitColour},
                       {QStringLiteral("overnightColour"), doc.OvernightColour},
                       {QStringLiteral("overnightHours"), doc.OvernightHours},
                       {QStringLiteral("sleepTime"), doc.SleepTime},
                       {QStringLiteral("dayVisitHours"), doc.DayVisitHours},
                       {QStringLiteral("napTime"), doc.NapTime},
                       {QStringLiteral("overnightMinutes"), doc.OvernightMinutes},
                       {QStringLiteral("sleepMinutes"), doc.SleepMinutes},
                       {QStringLiteral("dayVisitMinutes"), doc.DayVisitMinutes},
                       {QStringLiteral("napMinutes"), doc.NapMinutes},
                       {QStringLiteral("qTotOvernights"), doc.QTotOvernights},
                       {QStringLiteral("qTotDayVisits"), doc.QTotDayVisits},
                       {QStringLiteral("qTotOvernightMinutes"), doc.QTotOvernightMinutes},
                       {QStringLiteral("qTotDayVisitMinutes"), doc.QTotDayVisitMinutes},
                       {QStringLiteral("author"), doc.Author},
                       {QStringLiteral("title"), doc.Title},
                       {QStringLiteral("custodialName"), doc.CustodialName},
                       {QStringLiteral("nonCustodialName"), doc.NonCustodialName},
                       {QStringLiteral("exclusions"), QJsonArray::fromStringList(doc.Exclusions)}};
}

QString StartMonthName(const CalendarDocument& doc)
{
    return DisplayMonthNames().at(std::clamp(doc.StartMonthIndex, 0, 11));
}

} // namespace

QJsonObject GuidelineJson(const Guideline& guideline)
{
    QJsonObject object{{QStringLiteral("name"), guideline.Name},
                       {QStringLiteral("measure"), GuidelineMeasureKey(guideline.Measure)}};
    if (IsPercentMeasure(guideline.Measure))
        object.insert(QStringLiteral("atLeast"), GuidelineValueText(guideline));
    else
        object.insert(QStringLiteral("atLeast"), guideline.AtLeast);
    return object;
}

QJsonObject CalendarInfoJson(const CalendarDocument& doc)
{
    QJsonArray days;
    for (int m = 0; m < MonthsInSpan; ++m) {
        const MonthTableEntry& month = doc.MonthTable[static_cast<std::size_t>(m)];
        if (month.FirstDay < 0)
            break;
        const int end =
            m + 1 < MonthsInSpan && doc.MonthTable[static_cast<std::size_t>(m + 1)].FirstDay >= 0
                ? doc.MonthTable[static_cast<std::size_t>(m + 1)].FirstDay
                : static_cast<int>(doc.Days.size());
        for (int i = month.FirstDay; i < end; ++i) {
            const CalendarDay& day = doc.Days[static_cast<std::size_t>(i)];
            days.append(QJsonObject{{QStringLiteral("year"), month.Year},
                                    {QStringLiteral("month"), day.MonthName},
                                    {QStringLiteral("day"), day.DayOfMonth},
                                    {QStringLiteral("weekday"), day.WeekdayName},
                                    {QStringLiteral("hasOvernight"), day.HasOvernight},
                                    {QStringLiteral("overnightReason"), day.OvernightReason},
                                    {QStringLiteral("overnightPickup"), day.OvernightPickup},
                                    {QStringLiteral("overnightDropoff"), day.OvernightDropoff},
                                    {QStringLiteral("hasDayVisit"), day.HasDayVisit},
                                    {QStringLiteral("dayVisitReason"), day.DayVisitReason},
                                    {QStringLiteral("dayVisitStart"), day.DayVisitStart},
                                    {QStringLiteral("dayVisitEnd"), day.DayVisitEnd}});
        }
    }
    QJsonArray guidelines;
    for (const Guideline& guideline : doc.Guidelines)
        guidelines.append(GuidelineJson(guideline));
    return QJsonObject{
        {QStringLiteral("client"), doc.ClientName},
        {QStringLiteral("guidelines"), guidelines},
        {QStringLiteral("startMonth"), StartMonthName(doc)},
        {QStringLiteral("startYear"), doc.StartYear},
        {QStringLiteral("endYearText"), doc.EndYearText},
        {QStringLiteral("dayCount"), doc.DayCount},
        {QStringLiteral("counters"),
         QJsonObject{{QStringLiteral("firstYear"), CountersJson(doc.FirstYearCounters)},
                     {QStringLiteral("secondYear"), CountersJson(doc.SecondYearCounters)},
                     {QStringLiteral("bothYears"), CountersJson(doc.BothYearsCounters)}}},
        {QStringLiteral("settings"), SettingsJson(doc)},
        {QStringLiteral("defaultTimes"),
         QJsonObject{{QStringLiteral("overNiteStrtTime"), doc.OverNiteStrtTime},
                     {QStringLiteral("overNiteEndTime"), doc.OverNiteEndTime},
                     {QStringLiteral("dayVisitStrtTime"), doc.DayVisitStrtTime},
                     {QStringLiteral("dayVisitEndTime"), doc.DayVisitEndTime}}},
        {QStringLiteral("defaultReasons"),
         QJsonObject{{QStringLiteral("overniteReasons"), ReasonListJson(doc.OverniteReasons)},
                     {QStringLiteral("dayVisitReasons"), ReasonListJson(doc.DayVisitReasons)}}},
        {QStringLiteral("flags"),
         QJsonObject{{QStringLiteral("changesPending"), doc.ChangesPending},
                     {QStringLiteral("distributionStale"), doc.DistributionStale},
                     {QStringLiteral("distributionHadErrors"), doc.DistributionHadErrors}}},
        {QStringLiteral("days"), days}};
}

QString CalendarInfoText(const CalendarDocument& doc)
{
    QString text;
    auto line = [&](const QString& label, const QString& value) {
        text += label.leftJustified(22) + value + QLatin1Char('\n');
    };
    line(QStringLiteral("Client:"), doc.ClientName);
    line(QStringLiteral("Span:"), StartMonthName(doc) + QLatin1Char(' ') +
                                      QString::number(doc.StartYear) + QStringLiteral(" (") +
                                      QString::number(doc.DayCount) + QStringLiteral(" days, to ") +
                                      doc.EndYearText + QLatin1Char(')'));
    line(QStringLiteral("Parents:"),
         doc.NonCustodialName + QStringLiteral(" / ") + doc.CustodialName);
    text += QLatin1Char('\n');
    text += QStringLiteral("%1%2%3%4\n")
                .arg(QString(), -22)
                .arg(QStringLiteral("Both Yrs."), -12)
                .arg(QStringLiteral("1st Yr."), -12)
                .arg(QStringLiteral("2nd Yr."));
    const QStringList rows{QStringLiteral("Overnights"),   QStringLiteral("Custodial nights"),
                           QStringLiteral("% overnights"), QStringLiteral("% custodial nights"),
                           QStringLiteral("Day visits"),   QStringLiteral("Custodial days"),
                           QStringLiteral("% day visits"), QStringLiteral("% custodial days")};
    for (int r = 0; r < rows.size(); ++r) {
        const auto i = static_cast<std::size_t>(r);
        text += QStringLiteral("%1%2%3%4\n")
                    .arg(rows[r] + QLatin1Char(':'), -22)
                    .arg(doc.BothYearsCounters.Texts[i], -12)
                    .arg(doc.FirstYearCounters.Texts[i], -12)
                    .arg(doc.SecondYearCounters.Texts[i]);
    }
    text += QLatin1Char('\n');
    line(QStringLiteral("Overnight defaults:"),
         doc.OverNiteStrtTime + QStringLiteral(" - ") + doc.OverNiteEndTime);
    line(QStringLiteral("Day-visit defaults:"),
         doc.DayVisitStrtTime + QStringLiteral(" - ") + doc.DayVisitEndTime);
    line(QStringLiteral("Assumed hours:"),
         QStringLiteral("overnight %1, sleep %2, day visit %3, nap %4")
             .arg(doc.OvernightHours, doc.SleepTime, doc.DayVisitHours, doc.NapTime));
    if (!doc.Author.isEmpty() || !doc.Title.isEmpty())
        line(QStringLiteral("Author:"), doc.Author + QStringLiteral(", ") + doc.Title);
    line(QStringLiteral("Away activities:"), QString::number(doc.Exclusions.size()));
    line(QStringLiteral("Hourly distribution:"),
         doc.DistributionStale ? QStringLiteral("must be run again") : QStringLiteral("current"));
    return text;
}

} // namespace custodex
