#pragma once

#include "calendar/CalendarModel.h"

// The calendars the benchmarks work on: every day of a 2024-2025 span marked with both kinds.

namespace custodex::bench {

// Both kinds on every day with long reasons and all four times set.
inline CalendarDocument FullyMarked()
{
    CalendarDocument doc;
    doc.ClientName = QStringLiteral("Bench");
    doc.UserYear = QStringLiteral("2024");
    BuildSpan(doc, 0, 2024);
    int i = 0;
    for (CalendarDay& day : doc.Days) {
        day.HasOvernight = true;
        day.OvernightReason =
            QStringLiteral("Even Weekend with the non-custodial parent %1").arg(i);
        day.OvernightPickup = QStringLiteral("07:30PM");
        day.OvernightDropoff = QStringLiteral("09:00AM");
        day.HasDayVisit = true;
        day.DayVisitReason = QString(100, QLatin1Char('d'));
        day.DayVisitStart = QStringLiteral("10:00AM");
        day.DayVisitEnd = QStringLiteral("04:00PM");
        ++i;
    }
    return doc;
}

// The same marks without any time: one stay over the whole span and a message for every
// day visit.
inline CalendarDocument MarkedWithoutTimes()
{
    CalendarDocument doc = FullyMarked();
    for (CalendarDay& day : doc.Days) {
        day.OvernightPickup = NoTimeText;
        day.OvernightDropoff = NoTimeText;
        day.DayVisitStart = NoTimeText;
        day.DayVisitEnd = NoTimeText;
    }
    return doc;
}

} // namespace custodex::bench
