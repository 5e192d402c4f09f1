#pragma once

// The marked calendars the day counts' tests and their command's tests count.

#include "calendar/CalendarModel.h"

#include <QDate>
#include <QString>

#include <vector>

namespace custodex::day_counts_test {

inline QString T(const char* text)
{
    return QString::fromUtf8(text);
}

inline const char* const None = "<None>";

// One mark; dates are ISO texts within January 2024 to December 2025 (2024 is a leap year).
struct Mark {
    const char* Date;
    bool Overnight;
    const char* Pickup;
    const char* Dropoff;
};

inline CalendarDocument Calendar(const std::vector<Mark>& marks)
{
    CalendarDocument doc;
    doc.ClientName = T("Garcia");
    doc.UserYear = T("2024");
    BuildSpan(doc, 0, 2024);
    for (const Mark& mark : marks) {
        const QDate date = QDate::fromString(T(mark.Date), Qt::ISODate);
        const int month = (date.year() - 2024) * 12 + date.month() - 1;
        const MonthTableEntry& entry = doc.MonthTable.at(static_cast<std::size_t>(month));
        CalendarDay& day = doc.Days.at(static_cast<std::size_t>(entry.FirstDay + date.day() - 1));
        DayMarkFields fields = MarkFieldsOf(day, mark.Overnight);
        fields.Has = true;
        fields.Reason = mark.Overnight ? T("Weekend") : T("Visit");
        fields.Pickup = T(mark.Pickup);
        fields.Dropoff = T(mark.Dropoff);
    }
    RecountCounters(doc);
    return doc;
}

} // namespace custodex::day_counts_test
