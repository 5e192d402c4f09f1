#include "patterns/ui/StandardScheduleCommand.h"

#include "calendar/ui/CalendarCommands.h"
#include "calendar/ui/CommandHost.h"
#include "patterns/ui/StandardScheduleDialog.h"

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
    RunDayChangingCommand(host, DayChangingGroup::Patterns, [&host] {
        return StandardScheduleWindow(host).Execute(host.Document());
    });
}

} // namespace custodex
