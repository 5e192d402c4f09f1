#include "calendar/ui/PreferencesCommand.h"

#include "calendar/MenuChecks.h"
#include "calendar/ui/CommandHost.h"
#include "calendar/ui/PreferencesDialog.h"

namespace custodex {

TUserInitialize& PreferencesWindow(CommandHost& host)
{
    return KeptWindow<TUserInitialize>(host, [&host](QWidget* parent) {
        MainWindowServices& services = host.Services();
        return new TUserInitialize(services.Messages, services.Help, services.Colours, host.Clock(),
                                   parent);
    });
}

void RunPreferences(CommandHost& host)
{
    if (!CheckPreferences(host.Document(), host.Services().Messages))
        return;
    PreferencesWindow(host).Execute(host.Document());
    host.RefreshWindow();
}

} // namespace custodex
