#include "entry/FindLogic.h"

namespace custodex {

const QString EmptySearchMessage =
    QStringLiteral("Please type the text to search for in \"Search For?\".");

FindHit FindInDay(const CalendarDay& day, const QString& text, FindScope scope, bool matchCase)
{
    const Qt::CaseSensitivity sensitivity = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    FindHit hit;
    if (text.isEmpty())
        return hit;
    if (scope != FindScope::DayVisits)
        hit.InOvernight = day.OvernightReason.contains(text, sensitivity);
    if (scope != FindScope::Overnights)
        hit.InDayVisit = day.DayVisitReason.contains(text, sensitivity);
    return hit;
}

void BeginFindStep(const CalendarDocument& doc, FindSearch& search)
{
    if (search.CurrentDay >= 0 && search.CurrentDay + 1 < static_cast<int>(doc.Days.size())) {
        MoveToNextDay(doc, search);
    }
    else {
        search.CurrentDay = 0;
        search.MonthPosition = 1;
        search.ShowingFirstYear = true;
    }
    search.EndReached = false;
}

bool MoveToNextDay(const CalendarDocument& doc, FindSearch& search)
{
    const int next = search.CurrentDay + 1;
    if (next >= static_cast<int>(doc.Days.size()))
        return false;
    search.CurrentDay = next;
    const QString& current =
        doc.MonthTable[static_cast<std::size_t>(search.MonthPosition - 1)].MonthName;
    if (doc.Days[static_cast<std::size_t>(next)].MonthName.compare(current, Qt::CaseInsensitive) !=
        0)
        search.MonthPosition = search.MonthPosition >= MonthsInSpan ? 1 : search.MonthPosition + 1;
    if (next == doc.SecondYearFirstDay)
        search.ShowingFirstYear = false;
    return true;
}

FindStepOutcome FindStep(const CalendarDocument& doc, FindSearch& search, const QString& text,
                         FindScope scope, bool matchCase)
{
    const int count = static_cast<int>(doc.Days.size());
    if (search.CurrentDay < 0 || search.CurrentDay >= count)
        return {};
    const FindHit hit =
        FindInDay(doc.Days[static_cast<std::size_t>(search.CurrentDay)], text, scope, matchCase);
    if (hit.Any()) {
        search.EndReached = search.CurrentDay + 1 >= count;
        return {FindStepResult::Hit, hit};
    }
    if (MoveToNextDay(doc, search))
        return {FindStepResult::MovedOn, hit};
    search.EndReached = true;
    return {FindStepResult::EndOfCalendar, hit};
}

QString FoundInText(const FindHit& hit)
{
    if (hit.InOvernight && hit.InDayVisit)
        return QStringLiteral("Found in Overnight and DayVisit:");
    return hit.InOvernight ? QStringLiteral("Found in Overnight:")
                           : QStringLiteral("Found in Day Visit:");
}

QString FoundDateText(const CalendarDocument& doc, const FindSearch& search)
{
    const CalendarDay& day = doc.Days[static_cast<std::size_t>(search.CurrentDay)];
    return day.MonthName + QLatin1Char(' ') + QString::number(day.DayOfMonth) +
           QStringLiteral(", ") +
           QString::number(doc.MonthTable[static_cast<std::size_t>(search.MonthPosition - 1)].Year);
}

} // namespace custodex
