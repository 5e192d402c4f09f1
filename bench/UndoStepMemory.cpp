// What one undo step costs in memory on a fully marked calendar (every day of the span with
// both kinds of mark, long reasons and all four times): the heap in use, by glibc's count,
// before and after 100 steps of each kind. Build without sanitizers (they keep their own
// heap, which glibc does not count) and run: undo_step_memory.

#include "BenchCalendars.h"
#include "calendar/CalendarHistory.h"

#include <malloc.h>

#include <cstdio>

using namespace custodex;

namespace {

std::size_t HeapInUse()
{
    malloc_trim(0);
    return mallinfo2().uordblks;
}

// Bytes per step of `steps` steps, each made by `change` on the document.
template <typename Change> double PerStep(int steps, Change change)
{
    CalendarDocument doc = bench::FullyMarked();
    RecountCounters(doc);
    CalendarHistory history(doc);
    history.Restart(true);
    const std::size_t before = HeapInUse();
    for (int i = 0; i < steps; ++i) {
        const CalendarContent was = CaptureContent(doc);
        change(doc, i);
        history.Record(QStringLiteral("step"), was);
    }
    return double(HeapInUse() - before) / steps;
}

} // namespace

int main()
{
#if defined(__SANITIZE_ADDRESS__)
    std::puts("built with AddressSanitizer: its heap is not counted; build without sanitizers");
    return 1;
#endif
    constexpr int steps = CalendarHistory::StepLimit;
    const double oneDay = PerStep(steps, [](CalendarDocument& doc, int i) {
        doc.Days[static_cast<std::size_t>(i)].HasOvernight = false;
    });
    // A bulk Apply that gives every day a new reason: the new texts belong to the calendar
    // itself; the step shares them.
    const double everyDay = PerStep(steps, [](CalendarDocument& doc, int i) {
        for (CalendarDay& day : doc.Days)
            day.OvernightReason = QStringLiteral("Run %1").arg(i);
    });
    std::printf("days in the span: %zu, sizeof(CalendarDay): %zu bytes\n",
                bench::FullyMarked().Days.size(), sizeof(CalendarDay));
    std::printf("one day marked per step: %.0f bytes per step\n", oneDay);
    std::printf("every day changed per step (with its new reasons): %.0f bytes per step\n",
                everyDay);
    std::printf("history of %d single-day steps: %.1f MiB\n", steps, oneDay * steps / 1048576.0);
    return 0;
}
