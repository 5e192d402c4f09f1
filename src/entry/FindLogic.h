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

// An empty text is found nowhere.
FindHit FindInDay(const CalendarDay& day, const QString& text, FindScope scope, bool matchCase);

// Search Now / Find Next: the day the next step tests.
void BeginFindStep(const CalendarDocument& doc, FindSearch& search);
// Moves to the following day; false at the end of the calendar.
bool MoveToNextDay(const CalendarDocument& doc, FindSearch& search);

// One step of a running search: tests the current day and stays there on a hit, else moves
// on. A search without a valid current day (its text was edited) ends at once, so a step
// never reads outside the day list.
enum class FindStepResult { Hit, MovedOn, EndOfCalendar, NoCurrentDay };
struct FindStepOutcome {
    FindStepResult Result = FindStepResult::NoCurrentDay;
    FindHit Hit;
};
FindStepOutcome FindStep(const CalendarDocument& doc, FindSearch& search, const QString& text,
                         FindScope scope, bool matchCase);

// Shown instead of searching when "Search For?" is empty: an empty text would match every day.
extern const QString EmptySearchMessage;

// Texts of a hit: "Found in ...", the date with its year, and the weekday.
QString FoundInText(const FindHit& hit);
QString FoundDateText(const CalendarDocument& doc, const FindSearch& search);

} // namespace custodex
