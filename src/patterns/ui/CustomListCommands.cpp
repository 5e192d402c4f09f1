#include "patterns/ui/CustomListCommands.h"

#include "calendar/ui/CalendarCommands.h"
#include "calendar/ui/CommandHost.h"
#include "output/ui/OutputCommands.h"
#include "patterns/ui/CustomListDialog.h"
#include "patterns/ui/RepeatPatternDialog.h"
#include "patterns/ui/RepeatPatternEditor.h"

namespace custodex {

TCustomPatterns& CustomPatternsWindow(CommandHost& host)
{
    return KeptWindow<TCustomPatterns>(host, [&host](QWidget* parent) {
        return new TCustomPatterns(
            host.Services().Messages, host.Clock(), [&host] { RunPreview(host); },
            [&host] { host.RedrawMonth(); }, parent);
    });
}

TMakeRepeatPattern& MakeRepeatPatternWindow(CommandHost& host)
{
    return KeptWindow<TMakeRepeatPattern>(host, [&host](QWidget* parent) {
        return new TMakeRepeatPattern(host.Services().Messages, parent);
    });
}

TACustomList& CustomListWindow(CommandHost& host)
{
    return KeptWindow<TACustomList>(host, [&host](QWidget* parent) {
        return new TACustomList(
            host.Services().Messages, host.Services().Dialogs, host.Clock(),
            [&host] { RunPreview(host); }, [&host] { host.RedrawMonth(); }, parent);
    });
}

void RunApplyRepeatPattern(CommandHost& host)
{
    RunDayChangingCommand(
        host, DayChangingGroup::RepeatPatterns,
        [&host] { return CustomPatternsWindow(host).Execute(host.Document()); },
        QStringLiteral("Custom Repeat Pattern"));
}

void RunMakeRepeatPattern(CommandHost& host)
{
    MakeRepeatPatternWindow(host).Execute(host.Document().ClientFolder);
}

void RunApplyCustomList(CommandHost& host)
{
    RunDayChangingCommand(
        host, DayChangingGroup::CustomLists,
        [&host] { return CustomListWindow(host).Execute(host.Document()); },
        QStringLiteral("Custom List"));
}

} // namespace custodex
