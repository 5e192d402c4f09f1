#pragma once

#include "calendar/CalendarModel.h"

#include <vector>

// Runs of marked days: consecutive days carrying the same kind of mark with the same reason,
// compared ignoring case ("Weekend" and "weekend" are one run), kept whole across a month end
// or started anew with each month. The iCalendar export makes its stays from the times instead.

namespace custodex {

struct MarkRun {
    int FirstDay = 0; // indices into CalendarDocument::Days
    int LastDay = 0;
    QString Reason;  // the first day's, as stored
    QString Pickup;  // the first day's
    QString Dropoff; // the last one set within the run, else the last day's
};

enum class MonthEnds { Join, Split };

std::vector<MarkRun> FindMarkRuns(const CalendarDocument& doc, bool overnights,
                                  MonthEnds monthEnds);

} // namespace custodex
