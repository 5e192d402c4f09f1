#include "calendar/ui/CalendarCommands.h"

#include "calendar/ExtendedScan.h"
#include "calendar/MenuChecks.h"
#include "calendar/ui/AboutBox.h"
#include "calendar/ui/CommandHost.h"
#include "calendar/ui/ExtendedMessageBox.h"
#include "calendar/ui/Tutorials.h"
#include "platform/HelpService.h"
#include "platform/ProgramLauncher.h"

namespace custodex {

namespace {

// The scan turns the month view and asks with the extended-overnight box.
class ScanHost : public ExtendedScanHost {
public:
    explicit ScanHost(CommandHost& host) : Host(host) {}
    void ShowMonth(int monthNumber) override { Host.ShowMonth(monthNumber); }
    ExtendedAnswer AskToConvert(const QString& message1, const QString& message2,
                                const QString& message3) override
    {
        TExtendedMsgBox box(Host.ParentWidget());
        return box.Execute(message1, message2, message3);
    }

private:
    CommandHost& Host;
};

void StartCompanion(CommandHost& host, const QString& name, const QStringList& arguments)
{
    const QString program = FindCompanionProgram(host.Services().Paths.ProgramFolder, name);
    if (!program.isEmpty())
        host.Services().Launcher.Start(program, arguments);
}

} // namespace

void RunDayChangingCommand(CommandHost& host, DayChangingGroup group,
                           const std::function<bool()>& showDialog)
{
    if (!CheckDayChangingDialog(host.Document(), group, host.Services().Messages))
        return;
    const QString said = RunDayChangingDialog(host.Document(), showDialog);
    // An Apply may have added its reason to the main window's reason lists.
    host.RefreshWindow();
    if (!said.isEmpty())
        host.Say(said);
}

void RunExtendedScan(CommandHost& host)
{
    ScanHost scan(host);
    ScanExtendedOvernights(host.Document(), scan, host.Services().Messages);
    host.RedrawMonth();
}

void RunCollato(CommandHost& host)
{
    StartCompanion(host, QStringLiteral("Collato.exe"), {});
}

void RunCustomListBuilder(CommandHost& host)
{
    StartCompanion(host, QStringLiteral("collato.exe"), CustomListArguments(host.Document()));
}

void RunWebsite(CommandHost& host)
{
    StartCompanion(host, QStringLiteral("Websprint.exe"), {});
}

void ShowTutorials(CommandHost& host)
{
    MainWindowServices& services = host.Services();
    TVTutorials tutorials(services.Paths.TutorialsFolder, services.Launcher, services.Messages,
                          host.ParentWidget());
    tutorials.exec();
}

void ShowAbout(CommandHost& host)
{
    TTheAboutBox about(host.ParentWidget());
    about.exec();
}

void ShowCalendarHelp(CommandHost& host)
{
    host.Services().Help.ShowHelpTopic(host.ParentWidget(), HelpCalendar);
}

} // namespace custodex
