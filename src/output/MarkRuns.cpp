#include "output/MarkRuns.h"

#include "calendar/TimeText.h"

namespace custodex {

std::vector<MarkRun> FindMarkRuns(const CalendarDocument& doc, bool overnights, MonthEnds monthEnds)
{
    std::vector<MarkRun> runs;
    const int days = static_cast<int>(doc.Days.size());
    auto fields = [&](int index) {
        return MarkFieldsOf(doc.Days[static_cast<std::size_t>(index)], overnights);
    };
    for (int day = 0; day < days; ++day) {
        const ConstDayMarkFields first = fields(day);
        if (!first.Has)
            continue;
        MarkRun run{day, day, first.Reason, first.Pickup, first.Dropoff};
        while (run.LastDay + 1 < days) {
            const int next = run.LastDay + 1;
            // The span's days are consecutive, so a month starts where a day 1 is.
            if (monthEnds == MonthEnds::Split &&
                doc.Days[static_cast<std::size_t>(next)].DayOfMonth == 1)
                break;
            const ConstDayMarkFields following = fields(next);
            if (!following.Has || following.Reason.compare(run.Reason, Qt::CaseInsensitive) != 0)
                break;
            run.LastDay = next;
            if (IsValidTimeText(following.Dropoff) || !IsValidTimeText(run.Dropoff))
                run.Dropoff = following.Dropoff;
        }
        runs.push_back(run);
        day = run.LastDay;
    }
    return runs;
}

} // namespace custodex
