#pragma once

// The two small proposals the comparison's tests and its command's tests compare.

#include "calendar/CalendarModel.h"

#include <QString>

namespace custodex::comparison_test {

inline QString T(const char* text)
{
    return QString::fromUtf8(text);
}

// March 2025 to February 2027: 365 days in each year.
inline CalendarDocument Calendar(const char* client, int startMonthIndex = 2)
{
    CalendarDocument doc;
    doc.ClientName = T(client);
    doc.UserYear = T("2025");
    BuildSpan(doc, startMonthIndex, 2025);
    RecountCounters(doc);
    return doc;
}

inline CalendarDay& Day(CalendarDocument& doc, int monthNumber, int dayOfMonth)
{
    const MonthTableEntry& month = doc.MonthTable.at(static_cast<std::size_t>(monthNumber - 1));
    return doc.Days.at(static_cast<std::size_t>(month.FirstDay + dayOfMonth - 1));
}

// 06:00PM to 09:00AM: 15 hours.
inline void Overnight(CalendarDocument& doc, int monthNumber, int dayOfMonth,
                      const char* reason = "Weekend")
{
    CalendarDay& day = Day(doc, monthNumber, dayOfMonth);
    day.HasOvernight = true;
    day.OvernightReason = T(reason);
    day.OvernightPickup = T("06:00PM");
    day.OvernightDropoff = T("09:00AM");
}

// 10:00AM to 02:00PM: 4 hours.
inline void DayVisit(CalendarDocument& doc, int monthNumber, int dayOfMonth)
{
    CalendarDay& day = Day(doc, monthNumber, dayOfMonth);
    day.HasDayVisit = true;
    day.DayVisitReason = T("Lunch");
    day.DayVisitStart = T("10:00AM");
    day.DayVisitEnd = T("02:00PM");
}

// A: Friday and Saturday nights of March 7 and 8, 2025, an annotation night ("*Court date",
// never counted) on March 10, a lunch on April 2, 2025, and the night of March 6, 2026.
// B: the nights of March 7, 8 and 9, 2025 and lunches on April 2 and 3, 2025.
struct TwoProposals {
    CalendarDocument A = Calendar("Garcia");
    CalendarDocument B = Calendar("Garcia proposal");
    TwoProposals()
    {
        Overnight(A, 1, 7);
        Overnight(A, 1, 8);
        Overnight(A, 1, 10, "*Court date");
        DayVisit(A, 2, 2);
        Overnight(A, 13, 6);
        for (int d : {7, 8, 9})
            Overnight(B, 1, d);
        DayVisit(B, 2, 2);
        DayVisit(B, 2, 3);
    }
};

} // namespace custodex::comparison_test
