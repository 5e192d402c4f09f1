#pragma once

#include "calendar/CalendarModel.h"

// The search through the calendar's reasons, one day per step.

namespace custodex {

enum class FindScope { Overnights, DayVisits, Both };

struct FindSearch {
    int CurrentDay = -1;   // none before the first step
    int MonthPosition = 1; // 1..24 in the month table
    bool ShowingFirstYear = true;
    bool EndReached = false;
};

struct FindHit {
    bool InOvernight = false;
    bool InDayVisit = false;
    bool Any() const { return InOvernight || InDayVisit; }
};

FindHit FindInDay(const CalendarDay& day, const QString& text, FindScope scope, bool matchCase);

// Search Now / Find Next: the day the next step tests.
void BeginFindStep(const CalendarDocument& doc, FindSearch& search);
// Moves to the following day; false at the end of the calendar.
bool MoveToNextDay(const CalendarDocument& doc, FindSearch& search);

// Texts of a hit: "Found in ...", the date with its year, and the weekday.
QString FoundInText(const FindHit& hit);
QString FoundDateText(const CalendarDocument& doc, const FindSearch& search);

} // namespace custodex
