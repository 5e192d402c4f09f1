#include "reports/ui/TimeReportMenuCommands.h"

#include "calendar/MenuChecks.h"
#include "calendar/ui/CommandHost.h"
#include "platform/PrintDialog.h"
#include "platform/Prompter.h"
#include "reports/HourlyDistribution.h"
#include "reports/ui/AwayTimesDialog.h"
#include "reports/ui/CareTimeWindow.h"
#include "reports/ui/DistributionReportCommand.h"

namespace custodex {

namespace {

// Hours counted twice or backwards make every share of time wrong; the reports refuse them,
// before asking whether to go on with approximate figures.
QString Uncountable(CommandHost& host)
{
    return HasUncountableDayVisits(ComputeDistribution(host.Document())) ? UncountableVisitsMessage
                                                                         : QString();
}

TimeReportServices ServicesOf(CommandHost& host)
{
    MainWindowServices& services = host.Services();
    return {services.Messages, services.Help,     services.Dialogs,
            services.Output,   services.Printing, services.GeneratedStamp};
}

} // namespace

void RunQualityTimeReport(CommandHost& host)
{
    CalendarDocument& doc = host.Document();
    if (!CheckTimeReport(
            doc, TimeReport::Quality, host.Services().Messages,
            [&host] { ShowDistributionReport(host, DistributionAssumptions::All); },
            [&host] { return Uncountable(host); }))
        return;
    TComputeQuality& dialog = KeptWindow<TComputeQuality>(host, [&host](QWidget* parent) {
        return new TComputeQuality(host.Document(), ServicesOf(host), parent);
    });
    dialog.Execute();
    host.RedrawMonth();
}

void RunCareTimeReport(CommandHost& host)
{
    CalendarDocument& doc = host.Document();
    if (!CheckTimeReport(
            doc, TimeReport::Care, host.Services().Messages,
            [&host] { ShowDistributionReport(host, DistributionAssumptions::WithoutSleepAndNap); },
            [&host] { return Uncountable(host); }))
        return;
    TPrintCareTime& window = KeptWindow<TPrintCareTime>(host, [&host](QWidget* parent) {
        return new TPrintCareTime(host.Document(), ServicesOf(host), parent);
    });
    // The weekday tables of the last run: the figures are current, so a run now gives them.
    window.ShowFor(ComputeDistribution(doc).Years);
    window.exec();
    host.RedrawMonth();
}

} // namespace custodex
