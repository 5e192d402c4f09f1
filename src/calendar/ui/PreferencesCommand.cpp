#include "calendar/ui/PreferencesCommand.h"

#include "calendar/CalendarHistory.h"
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
    CalendarDocument& doc = host.Document();
    const CalendarContent before = host.History().Begin();
    PreferencesWindow(host).Execute(doc);
    // Named for what changed: the guidelines alone, or the preferences.
    CalendarContent guidelinesOnly = before;
    guidelinesOnly.Guidelines = doc.Guidelines;
    host.History().Record(guidelinesOnly == CaptureContent(doc)
                              ? QStringLiteral("Change Guidelines")
                              : QStringLiteral("Change Preferences"),
                          before);
    host.RefreshWindow();
}

} // namespace custodex
