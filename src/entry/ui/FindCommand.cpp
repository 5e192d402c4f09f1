#include "entry/ui/FindCommand.h"

#include "calendar/MenuChecks.h"
#include "calendar/ui/CommandHost.h"
#include "entry/ui/FindDialog.h"

namespace custodex {

TFindThings& FindWindow(CommandHost& host)
{
    return KeptWindow<TFindThings>(host, [&host](QWidget* parent) {
        return new TFindThings(host.Services().Messages, parent);
    });
}

void RunFind(CommandHost& host)
{
    if (!CheckFind(host.Document(), host.Services().Messages))
        return;
    FindWindow(host).Execute(host.Document(), [&host](int monthNumber, int dayIndex) {
        host.ShowMonth(monthNumber);
        host.PlaceDayCursor(dayIndex);
        return host.DayOnScreen(dayIndex);
    });
    host.RedrawMonth();
}

} // namespace custodex
