#pragma once

#include "calendar/CalendarModel.h"

#include <QString>
#include <QStringList>

// The date-range block of the bulk-marking dialogs: three drop-down lists (month, day, year)
// for the start and three for the end, how they are filled from the calendar, how a day list
// follows its month and year, and the check an Apply makes of them.

namespace custodex {

struct DateRangeSide {
    QString Month; // the entries, as shown or typed
    QString Day;
    QString Year;
    QStringList Months; // the items of the three lists
    QStringList Days;
    QStringList Years;
};

struct DateRangeBlock {
    DateRangeSide Start;     // "Start On or After"
    DateRangeSide End;       // "End Before or On"
    int CalendarLastDay = 0; // day of month of the calendar's last day
};

// The six lists in the order the check looks at them.
enum class RangeField { None, StartMonth, StartDay, StartYear, EndMonth, EndDay, EndYear };

// An empty start month means the lists still have to be filled from the calendar.
bool DateRangeFilled(const DateRangeBlock& block);
void ClearDateRange(DateRangeBlock& block);

// Lists and entries for the whole calendar: its first day to its last day.
void FillDateRange(const CalendarDocument& doc, DateRangeBlock& block);

// After a month or year entry changed: when all three entries of the side name items of their
// lists (ignoring case; the entries take the items' spelling), the day list is refilled with
// the days of that month and year and a day past its end becomes the last day. True when
// the day list was refilled.
bool DateRangeSideChanged(DateRangeSide& side);

// Puts a date into one side as a user picks it: month and year first (the day list follows
// them when they name items of their lists), then the day.
void ChooseRangeDate(DateRangeSide& side, int year, int monthIndex, int dayOfMonth);

// Number of days of a month (0 = January) in a year.
int DaysInMonthOf(int monthIndex, int year);

struct DateRangeCheck {
    bool Ok = false;
    RangeField Focus = RangeField::None;
    QString Message;
    int First = -1; // day indices of the start and end dates when the check passed
    int Last = -1;
};

// The check of an Apply, stopping at the first failure with its message.
DateRangeCheck CheckDateRange(const CalendarDocument& doc, const DateRangeBlock& block);

// The days a Remove looks at, without any check: from the first day on or after the start
// date to the last day on or before the end date, the first of them always looked at. Empty
// (First = -1) when the entries do not name a date or the start lies after the calendar's last
// day; a start before the calendar begins with its first day, an end after it stops at its
// last day.
struct DayIndexRange {
    int First = -1;
    int Last = -1;
};
DayIndexRange RemoveDayRange(const CalendarDocument& doc, const DateRangeBlock& block);

// Index of the day, or -1 when the calendar holds no such date.
int DayIndexOfDate(const CalendarDocument& doc, int year, int monthIndex, int dayOfMonth);

} // namespace custodex
