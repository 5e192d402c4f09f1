#include "reports/ui/DistributionReportCommand.h"

#include "calendar/MenuChecks.h"
#include "calendar/ui/CommandHost.h"
#include "calendar/ui/PreferencesCommand.h"
#include "calendar/ui/PreferencesDialog.h"
#include "platform/PrintDialog.h"
#include "reports/ui/DistributionReportWindow.h"

namespace custodex {

void RunDistributionReport(CommandHost& host)
{
    if (!CheckDistributionReport(host.Document(), host.Services().Messages))
        return;
    ShowDistributionReport(host, DistributionAssumptions::All);
}

void ShowDistributionReport(CommandHost& host, DistributionAssumptions shown)
{
    MainWindowServices& services = host.Services();
    TShowDistribution window(host.Document(),
                             {services.Messages, services.Help, services.Dialogs, services.Output,
                              services.Printing, services.GeneratedStamp,
                              [&host] {
                                  PreferencesWindow(host).Execute(host.Document());
                                  host.RefreshWindow();
                              }},
                             shown == DistributionAssumptions::All, host.ParentWidget());
    window.exec();
}

} // namespace custodex
