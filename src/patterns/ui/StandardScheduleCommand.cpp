#include "patterns/ui/StandardScheduleCommand.h"

#include "calendar/ui/CalendarCommands.h"
#include "calendar/ui/CommandHost.h"
#include "patterns/ui/StandardScheduleDialog.h"

#include <functional>
#include <utility>

namespace custodex {

TStandardSchedule& StandardScheduleWindow(CommandHost& host)
{
    return KeptWindow<TStandardSchedule>(host, [&host](QWidget* parent) {
        auto* window = new TStandardSchedule(host.Services().Messages, parent);
        host.WhenCalendarReplaced(window, [window] { window->ResetDialog(); });
        return window;
    });
}

void RunStandardSchedule(CommandHost& host)
{
    RunDayChangingCommand(
        host, DayChangingGroup::Patterns,
        [&host] {
            // One Apply is one step, however many engines it runs (rotation, then holidays).
            CalendarDocument& doc = host.Document();
            const std::function<void()> hook = std::exchange(doc.BeforeBulkRun, nullptr);
            const bool applied = StandardScheduleWindow(host).Execute(doc);
            doc.BeforeBulkRun = hook;
            return applied;
        },
        QStringLiteral("Standard Schedule"));
}

} // namespace custodex
