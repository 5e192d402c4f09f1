#include "reports/QualityTime.h"

#include <QRegularExpression>

namespace custodex {

namespace {

const QString Yes = QStringLiteral("Yes");
const QString No = QStringLiteral("No");

// A count typed or stored as plain digits (no sign, no blanks), or nothing.
std::optional<int> DigitsValue(const QString& text)
{
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return text.toInt();
}

// Minutes of a daily time "HH:MM" of at most 24:00, or nothing.
std::optional<int> DailyMinutes(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{2}):([0-9]{2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int hours = match.captured(1).toInt();
    const int minutes = match.captured(2).toInt();
    if (minutes > 59 || hours * 60 + minutes > AwayHoursLimit * 60)
        return std::nullopt;
    return hours * 60 + minutes;
}

QString ActivityLines(const AwayActivity& activity)
{
    const QString lineBreak = QStringLiteral("\n\r");
    return QStringLiteral("Activity Name:  ") + activity.Name + lineBreak +
           QStringLiteral("Daily Hrs.:  ") + activity.DailyTime + lineBreak +
           QStringLiteral("Total Days:  ") + activity.TotalDays + lineBreak +
           QStringLiteral("Custodial Days:  ") + activity.CustodialDays + lineBreak +
           QStringLiteral("Non-Custodial Days:  ") + activity.NonCustodialDays + lineBreak +
           QStringLiteral("Add Nap=") + activity.AddNap + QStringLiteral("?");
}

} // namespace

AwayActivity ReadAwayActivity(const QString& entry)
{
    const QChar comma = QLatin1Char(',');
    AwayActivity activity;
    activity.Name = CutToUserCharacters(entry.section(comma, 0, 0), ActivityNameCapacity);
    activity.DailyTime = entry.section(comma, 1, 1);
    activity.TotalDays = entry.section(comma, 2, 2);
    activity.CustodialDays = entry.section(comma, 3, 3);
    activity.NonCustodialDays = entry.section(comma, 4, 4);
    // The rest of the line, which only a hand-edited file makes longer than one word.
    const QString rest = entry.count(comma) >= 5 ? entry.section(comma, 5) : QString();
    if (rest.contains(QStringLiteral("True")))
        activity.AddNap = Yes;
    else if (rest.contains(QStringLiteral("False")))
        activity.AddNap = No;
    else
        activity.AddNap = rest;
    return activity;
}

QString AwayActivityEntry(const AwayActivity& activity)
{
    const QString addNap = activity.AddNap == Yes  ? QStringLiteral("True")
                           : activity.AddNap == No ? QStringLiteral("False")
                                                   : activity.AddNap;
    return QStringList{activity.Name,          activity.DailyTime,        activity.TotalDays,
                       activity.CustodialDays, activity.NonCustodialDays, addNap}
        .join(QLatin1Char(','));
}

std::vector<AwayActivity> ReadAwayActivities(const QStringList& exclusions)
{
    std::vector<AwayActivity> activities;
    activities.reserve(static_cast<std::size_t>(exclusions.size()));
    for (const QString& entry : exclusions)
        activities.push_back(ReadAwayActivity(entry));
    return activities;
}

QStringList AwayActivityEntries(const std::vector<AwayActivity>& activities)
{
    QStringList entries;
    for (const AwayActivity& activity : activities)
        entries << AwayActivityEntry(activity);
    return entries;
}

std::optional<QString> AwayActivityProblem(const AwayActivity& activity)
{
    if (activity.AddNap.isEmpty())
        return QStringLiteral("missing fields");
    const std::optional<int> daily = DailyMinutes(activity.DailyTime);
    if (!daily || *daily == 0)
        return QStringLiteral("a daily time that is not between 00:01 and 24:00");
    const std::optional<int> total = DigitsValue(activity.TotalDays);
    if (!total || *total < 1 || *total > AwayDaysLimit)
        return QStringLiteral("a total number of days that is not between 1 and 365");
    const std::optional<int> custodial = DigitsValue(activity.CustodialDays);
    if (!custodial || *custodial > AwayDaysLimit)
        return QStringLiteral("a number of custodial days that is not between 0 and 365");
    const std::optional<int> nonCustodial = DigitsValue(activity.NonCustodialDays);
    if (!nonCustodial || *nonCustodial > AwayDaysLimit)
        return QStringLiteral("a number of non-custodial days that is not between 0 and 365");
    if (*custodial + *nonCustodial != *total)
        return QStringLiteral("custodial and non-custodial days that do not add up to the "
                              "total days");
    if (activity.AddNap != Yes && activity.AddNap != No)
        return QStringLiteral("an Add Nap value that is neither True nor False");
    return std::nullopt;
}

std::optional<AwayFigures> AwayActivityFigures(const AwayActivity& activity)
{
    if (AwayActivityProblem(activity))
        return std::nullopt;
    return AwayFigures{*DailyMinutes(activity.DailyTime), activity.TotalDays.toInt(),
                       activity.CustodialDays.toInt(), activity.NonCustodialDays.toInt(),
                       activity.AddNap == Yes};
}

std::optional<AwayEntryRefusal> CheckAwayEntry(int hours, int minutes, const QString& totalDays,
                                               const QString& custodialDays,
                                               const QString& nonCustodialDays)
{
    if (hours * 60 + minutes <= 0)
        return AwayEntryRefusal{QStringLiteral("Excluded day hours must be greater than 0."),
                                AwayEntryField::Hours};
    const std::optional<int> total = DigitsValue(totalDays);
    if (!total || *total < 1 || *total > AwayDaysLimit)
        return AwayEntryRefusal{
            QStringLiteral("Invalid Number of away days.  Please Correct and try again."),
            AwayEntryField::TotalDays};
    const std::optional<int> custodial = DigitsValue(custodialDays);
    const std::optional<int> nonCustodial = DigitsValue(nonCustodialDays);
    if (!custodial || !nonCustodial || *custodial + *nonCustodial != *total)
        return AwayEntryRefusal{QStringLiteral("Total Days doesn't equal Custodial days + "
                                               "Non-Custodial days.\n\rPlease correct and try "
                                               "again."),
                                AwayEntryField::CustodialDays};
    return std::nullopt;
}

QString ModifyAwayQuestion(const AwayActivity& activity)
{
    return QStringLiteral("Are you sure you want to Modify Away Activity \n\r") +
           ActivityLines(activity);
}

QString DeleteAwayQuestion(const AwayActivity& activity)
{
    return QStringLiteral("Are you sure you want to delete Away Activity \n\r") +
           ActivityLines(activity);
}

QualityPeriodKind QualityPeriodKindOf(const CalendarDocument& doc)
{
    auto unmarked = [](const CounterSet& counters) {
        return counters.Overnights == 0 && counters.DayVisits == 0;
    };
    if (unmarked(doc.FirstYearCounters))
        return QualityPeriodKind::SecondYearOnly;
    if (unmarked(doc.SecondYearCounters))
        return QualityPeriodKind::FirstYearOnly;
    return QualityPeriodKind::BothYears;
}

ReportPeriod QualityPeriod(const CalendarDocument& doc)
{
    switch (QualityPeriodKindOf(doc)) {
    case QualityPeriodKind::FirstYearOnly:
        return PeriodOfMonths(doc, 1, 12);
    case QualityPeriodKind::SecondYearOnly:
        return PeriodOfMonths(doc, 13, 24);
    case QualityPeriodKind::BothYears:
        break;
    }
    return PeriodOfMonths(doc, 1, 24);
}

QString QualityPeriodNote(QualityPeriodKind kind)
{
    switch (kind) {
    case QualityPeriodKind::SecondYearOnly:
        return QStringLiteral(
            "Note:  There are no marked overnight stays or day visits\n\rwithin the first year of "
            "your two year calendar.  The\n\rQuality Time Report will therefore be based only "
            "on the\n\rsecond year of your two year calendar.");
    case QualityPeriodKind::FirstYearOnly:
        return QStringLiteral(
            "Note:  There are no marked overnight stays or day visits\n\rwithin the second year "
            "of your two year calendar.  The\n\rQuality Time Report will therefore be based "
            "only on the\n\rfirst year of your two year calendar.");
    case QualityPeriodKind::BothYears:
        break;
    }
    return {};
}

int NoNapDays(const CalendarDocument& doc, bool overnight)
{
    int count = 0;
    for (const CalendarDay& day : doc.Days) {
        const ConstDayMarkFields mark = MarkFieldsOf(day, overnight);
        if (mark.Has && mark.Reason.startsWith(NoNapPrefix))
            ++count;
    }
    return count;
}

QualityInputs QualityInputsOf(const CalendarDocument& doc)
{
    QualityInputs inputs;
    switch (QualityPeriodKindOf(doc)) {
    case QualityPeriodKind::FirstYearOnly:
        inputs.Days = doc.FirstYearCounters.Days;
        break;
    case QualityPeriodKind::SecondYearOnly:
        inputs.Days = doc.SecondYearCounters.Days;
        break;
    case QualityPeriodKind::BothYears:
        inputs.Days = doc.BothYearsCounters.Days;
        break;
    }
    inputs.Sleep = doc.SleepMinutes;
    inputs.Nap = doc.NapMinutes;
    inputs.Overnights = doc.QTotOvernights;
    inputs.OvernightMinutes = doc.QTotOvernightMinutes;
    inputs.DayVisits = doc.QTotDayVisits;
    inputs.DayVisitMinutes = doc.QTotDayVisitMinutes;
    inputs.NoNapOvernights = NoNapDays(doc, true);
    inputs.NoNapDayVisits = NoNapDays(doc, false);
    return inputs;
}

const std::array<QString, QualityFieldCount>& QualityFieldNames()
{
    static const std::array<QString, QualityFieldCount> names{
        QStringLiteral("CustSubTotalTime"),  QStringLiteral("CustTotSleep"),
        QStringLiteral("CustSubTotal"),      QStringLiteral("CustAway"),
        QStringLiteral("CusttotQual"),       QStringLiteral("CustQualTime"),
        QStringLiteral("TotalOvrNiteStays"), QStringLiteral("TotalDayVisits"),
        QStringLiteral("TotalOvrNiteTime"),  QStringLiteral("TotalOvrNiteSleep"),
        QStringLiteral("TotalDayVisitTime"), QStringLiteral("TotalDayVisitSleep"),
        QStringLiteral("NonCustTotalTime"),  QStringLiteral("SubTotalQualityTime"),
        QStringLiteral("NonCustAway"),       QStringLiteral("NonCustTotQual"),
        QStringLiteral("NonCustQualTime")};
    return names;
}

std::array<QString, QualityFieldCount> QualityTexts(const QualityResults& r)
{
    return {HoursMinutesText(r.CustSubTotalTime),      HoursMinutesText(r.CustTotSleep),
            HoursMinutesText(r.CustSubTotal),          HoursMinutesText(r.CustAway),
            HoursMinutesText(r.CusttotQual),           PercentageText(r.CusttotQual, r.Days),
            QString::number(r.TotalOvrNiteStays),      QString::number(r.TotalDayVisits),
            HoursMinutesText(r.TotalOvrNiteTime),      HoursMinutesText(r.TotalOvrNiteSleep),
            HoursMinutesWideText(r.TotalDayVisitTime), HoursMinutesText(r.TotalDayVisitSleep),
            HoursMinutesWideText(r.NonCustTotalTime),  HoursMinutesText(r.SubTotalQualityTime),
            HoursMinutesText(r.NonCustAway),           HoursMinutesText(r.NonCustTotQual),
            PercentageText(r.NonCustTotQual, r.Days)};
}

QString QualityText(const QualityResults& results, const QString& fieldName)
{
    const auto& names = QualityFieldNames();
    const auto texts = QualityTexts(results);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == fieldName)
            return texts[i];
    return {};
}

const std::vector<SummaryRow>& QualityCustodialRows()
{
    static const std::vector<SummaryRow> rows{
        {QStringLiteral("Total Time:"), QStringLiteral("CustSubTotalTime"), {}},
        {QStringLiteral("Total Sleep Time:"), QStringLiteral("CustTotSleep"), {}},
        {QStringLiteral("Quality Time Hours (Sub-Total):"), QStringLiteral("CustSubTotal"),
         QStringLiteral("(Total Time - Total Sleep Time)")},
        {QStringLiteral("Total Custodial Away Time:"), QStringLiteral("CustAway"), {}},
        {QStringLiteral("Total Quality Time Hours:"), QStringLiteral("CusttotQual"), {}},
        {QStringLiteral("Quality Time:"), QStringLiteral("CustQualTime"), {}}};
    return rows;
}

const std::vector<SummaryRow>& QualityNonCustodialRows()
{
    static const std::vector<SummaryRow> rows{
        {QStringLiteral("Total Number of Overnight Stays:"),
         QStringLiteral("TotalOvrNiteStays"),
         {}},
        {QStringLiteral("Total Number of Day Visits:"), QStringLiteral("TotalDayVisits"), {}},
        {QStringLiteral("Total Overnight Stay Time:"), QStringLiteral("TotalOvrNiteTime"), {}},
        {QStringLiteral("Total Overnight Sleep + Nap Time:"),
         QStringLiteral("TotalOvrNiteSleep"),
         {}},
        {QStringLiteral("Total Day Visit Time:"), QStringLiteral("TotalDayVisitTime"), {}},
        {QStringLiteral("Total Day Visit Nap Time:"), QStringLiteral("TotalDayVisitSleep"), {}},
        {QStringLiteral("Total Time:"), QStringLiteral("NonCustTotalTime"), {}},
        {QStringLiteral("Quality Time Hours (Sub-total):"), QStringLiteral("SubTotalQualityTime"),
         QStringLiteral(
             "(OvernightStayTime + DayVisitTime - OvernightSleepTime - DayVisitNapTime)")},
        {QStringLiteral("Total Non-Custodial Away Time:"), QStringLiteral("NonCustAway"), {}},
        {QStringLiteral("Total Quality Time Hours:"), QStringLiteral("NonCustTotQual"), {}},
        {QStringLiteral("Quality Time:"), QStringLiteral("NonCustQualTime"), {}}};
    return rows;
}

QualityCheck CheckAwayTimes(const QualityInputs& in, const std::vector<AwayActivity>& activities)
{
    QualityCheck check;
    const QString lineBreak = QStringLiteral("\n\r");
    const std::int64_t noNapOvernightNaps = in.Nap * in.NoNapOvernights;
    const std::int64_t noNapDayVisitNaps = in.Nap * in.NoNapDayVisits;
    const std::int64_t custodialDays = in.Days - in.Overnights;
    const std::int64_t nonCustodialDays = in.Overnights + in.DayVisits;
    const std::int64_t overnightSleepNap = (in.Sleep + in.Nap) * in.Overnights;
    const std::int64_t dayVisitNap = in.Nap * in.DayVisits;
    const std::int64_t custodialTotal =
        std::int64_t{in.Days} * 1440 - in.OvernightMinutes - in.DayVisitMinutes;
    const std::int64_t custodialSleep =
        (in.Sleep + in.Nap) * in.Days - overnightSleepNap - dayVisitNap;

    std::int64_t custodialAway = 0;
    std::int64_t nonCustodialAway = 0;
    std::int64_t custodialActivityDays = 0;
    std::int64_t nonCustodialActivityDays = 0;
    for (const AwayActivity& activity : activities) {
        const QString name = QStringLiteral("Error - Activity ") + activity.Name;
        // A malformed entry (only a hand-edited file has one) counts for nothing and must be
        // corrected before any figure is shown.
        if (const std::optional<QString> problem = AwayActivityProblem(activity)) {
            check.Errors << name + QStringLiteral(" has ") + *problem + QStringLiteral(".") +
                                lineBreak + QStringLiteral("This error must be corrected.");
            continue;
        }
        const AwayFigures figures = *AwayActivityFigures(activity);
        if (figures.CustodialDays > custodialDays)
            check.Errors << name + QStringLiteral(" custodial days exceeds ") + lineBreak +
                                QStringLiteral(
                                    "Total Custodial Days.  This error must be corrected.");
        if (figures.NonCustodialDays > nonCustodialDays)
            check.Errors << name + QStringLiteral(" non-custodial days exceeds ") + lineBreak +
                                QStringLiteral(
                                    "Total Non-Custodial Days.  This error must be corrected.");
        const std::int64_t perDay = figures.DailyMinutes + (figures.AddNap ? in.Nap : 0);
        custodialAway += figures.CustodialDays * perDay;
        nonCustodialAway += figures.NonCustodialDays * perDay;
        custodialActivityDays += figures.CustodialDays;
        nonCustodialActivityDays += figures.NonCustodialDays;
    }
    if (custodialActivityDays > custodialDays)
        check.Errors << QStringLiteral(
            "Error - The total number of custodial activity days exceeds \n\rthe Total of "
            "Custodial Days.  This error must be corrected.");
    if (nonCustodialActivityDays > nonCustodialDays)
        check.Errors << QStringLiteral(
            "Error - The total number of non-custodial activity days exceeds \n\rthe Total of "
            "Non-Custodial Days.  This error must be corrected.");

    QualityResults& r = check.Results;
    r.Days = in.Days;
    r.TotalOvrNiteStays = in.Overnights;
    r.TotalOvrNiteTime = in.OvernightMinutes;
    r.TotalOvrNiteSleep = overnightSleepNap - noNapOvernightNaps;
    r.TotalDayVisits = in.DayVisits;
    r.TotalDayVisitTime = in.DayVisitMinutes;
    r.NonCustTotalTime = in.OvernightMinutes + in.DayVisitMinutes;
    r.TotalDayVisitSleep = dayVisitNap - noNapDayVisitNaps;
    r.SubTotalQualityTime = r.NonCustTotalTime - r.TotalOvrNiteSleep - r.TotalDayVisitSleep;
    r.NonCustAway = nonCustodialAway;
    r.NonCustTotQual = r.SubTotalQualityTime - nonCustodialAway;
    r.CustSubTotalTime = custodialTotal;
    r.CustTotSleep = custodialSleep;
    r.CustSubTotal = custodialTotal - custodialSleep;
    r.CustAway = custodialAway;
    r.CusttotQual = r.CustSubTotal - custodialAway;

    // Away times longer than the waking time left would make a negative quality time; the
    // day counts above cannot catch an activity that fills whole days.
    const bool countsAccepted = check.Errors.isEmpty();
    if (countsAccepted && r.CusttotQual < 0)
        check.Errors << QStringLiteral(
            "Error - The custodial away times exceed the custodial\n\rQuality Time Hours "
            "(Sub-Total).  This error must be corrected.");
    if (countsAccepted && r.NonCustTotQual < 0)
        check.Errors << QStringLiteral(
            "Error - The non-custodial away times exceed the non-custodial\n\rQuality Time "
            "Hours (Sub-total).  This error must be corrected.");
    return check;
}

} // namespace custodex
