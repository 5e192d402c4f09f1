#pragma once

#include "calendar/CalendarModel.h"
#include "holidays/HolidayRules.h"

#include <QString>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << text.toStdString();
}

namespace custodex::testing {

// A calendar spanning 24 months from the given month (0 = January) of the given year.
inline CalendarDocument SpanFrom(int startMonthIndex, int startYear)
{
    CalendarDocument doc;
    doc.ClientName = QStringLiteral("Smith");
    BuildSpan(doc, startMonthIndex, startYear);
    RecountCounters(doc);
    return doc;
}

// "2010-05-31" for a day index, "none" for -1: failures then name the date.
inline QString DateOf(const CalendarDocument& doc, int index)
{
    if (index < 0)
        return QStringLiteral("none");
    const CalendarDay& day = doc.Days.at(static_cast<std::size_t>(index));
    return QStringLiteral("%1-%2-%3")
        .arg(YearOfDay(doc, index))
        .arg(MonthIndexOf(day.MonthName) + 1, 2, 10, QLatin1Char('0'))
        .arg(day.DayOfMonth, 2, 10, QLatin1Char('0'));
}

inline int IndexOf(const CalendarDocument& doc, const QString& date)
{
    for (int i = 0; i < static_cast<int>(doc.Days.size()); ++i) {
        if (DateOf(doc, i) == date)
            return i;
    }
    return -1;
}

} // namespace custodex::testing
