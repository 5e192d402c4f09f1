#include "patterns/ui/PatternListCommands.h"

#include "calendar/ui/CalendarCommands.h"
#include "calendar/ui/CommandHost.h"
#include "output/ui/OutputCommands.h"
#include "patterns/ui/PatternWindows.h"

namespace custodex {

namespace {

template <typename Window> Window& PatternWindowOf(CommandHost& host)
{
    return KeptWindow<Window>(host, [&host](QWidget* parent) {
        auto* window = new Window(
            host.Services().Messages, host.Clock(), [&host] { RunPreview(host); },
            [&host] { host.RedrawMonth(); }, parent);
        host.WhenCalendarReplaced(window, [window] { window->ResetDialog(); });
        return window;
    });
}

template <typename Window> void RunPatternWindow(CommandHost& host, const QString& stepName)
{
    RunDayChangingCommand(
        host, DayChangingGroup::Patterns,
        [&host] { return PatternWindowOf<Window>(host).Execute(host.Document()); }, stepName);
}

} // namespace

void RunOddEvenAllOvernights(CommandHost& host)
{
    RunPatternWindow<TOddEvenAllON>(host, QStringLiteral("Odd/Even/All Pattern"));
}

void RunOddEvenAllDayVisits(CommandHost& host)
{
    RunPatternWindow<TOddEvenAllDV>(host, QStringLiteral("Odd/Even/All Pattern"));
}

void RunMonthlyOvernights(CommandHost& host)
{
    RunPatternWindow<TOversPerMonth>(host, QStringLiteral("Monthly Pattern"));
}

void RunMonthlyDayVisits(CommandHost& host)
{
    RunPatternWindow<TDaysPerMonth>(host, QStringLiteral("Monthly Pattern"));
}

TOddEvenAllON& OddEvenAllOvernightWindow(CommandHost& host)
{
    return PatternWindowOf<TOddEvenAllON>(host);
}

TOddEvenAllDV& OddEvenAllDayVisitWindow(CommandHost& host)
{
    return PatternWindowOf<TOddEvenAllDV>(host);
}

TOversPerMonth& MonthlyOvernightWindow(CommandHost& host)
{
    return PatternWindowOf<TOversPerMonth>(host);
}

TDaysPerMonth& MonthlyDayVisitWindow(CommandHost& host)
{
    return PatternWindowOf<TDaysPerMonth>(host);
}

} // namespace custodex
