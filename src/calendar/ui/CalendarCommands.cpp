#include "calendar/ui/CalendarCommands.h"

#include "calendar/ExtendedScan.h"
#include "calendar/MenuChecks.h"
#include "calendar/ui/AboutBox.h"
#include "calendar/ui/CommandHost.h"
#include "calendar/ui/ExtendedMessageBox.h"
#include "calendar/ui/Tutorials.h"
#include "platform/HelpService.h"
#include "platform/ProgramLauncher.h"
#include "platform/Prompter.h"

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

namespace {

// Our own list builder, installed beside this program: unlike an outside companion, a missing
// or failing one is said, or the two menu items would seem to do nothing.
void StartListBuilder(CommandHost& host, const QStringList& arguments)
{
    MainWindowServices& services = host.Services();
    const QString program = FindCompanionProgram(services.Paths.ProgramFolder, ListBuilderName);
    if (program.isEmpty()) {
        services.Messages.Ask(PromptKind::Error,
                              QStringLiteral("The list builder (") + ListBuilderName +
                                  QStringLiteral(") is not installed in ") +
                                  services.Paths.ProgramFolder +
                                  QStringLiteral(".\n\rInstall Custodex Calendar again to "
                                                 "make custom lists."),
                              PromptButtons::Ok);
        return;
    }
    if (!services.Launcher.Start(program, arguments))
        services.Messages.Ask(PromptKind::Error,
                              QStringLiteral("The list builder ") + program +
                                  QStringLiteral(" could not be started."),
                              PromptButtons::Ok);
}

} // namespace

void RunCollato(CommandHost& host)
{
    StartListBuilder(host, {});
}

void RunCustomListBuilder(CommandHost& host)
{
    StartListBuilder(host, CustomListArguments(host.Document()));
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
