#include "calendar/ui/CalendarCommands.h"

#include "calendar/CalendarHistory.h"
#include "calendar/ExtendedScan.h"
#include "calendar/MenuChecks.h"
#include "calendar/ui/AboutBox.h"
#include "calendar/ui/CommandHost.h"
#include "calendar/ui/ExtendedMessageBox.h"
#include "calendar/ui/Tutorials.h"
#include "platform/HelpService.h"
#include "platform/ProgramLauncher.h"
#include "platform/Prompter.h"

#include <QApplication>

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

// The content at the start of each run of a bulk dialog, gathered while it is open.
struct BulkRuns {
    std::vector<CalendarContent> Starts;
    std::vector<QString> Names;
};

// "Apply" when the run marked or changed a day, "Remove" when it only took marks away.
QString RunVerb(const DayList& before, const DayList& after)
{
    for (std::size_t i = 0; i < std::min(before.size(), after.size()); ++i) {
        for (const bool overnight : {true, false}) {
            const ConstDayMarkFields was = MarkFieldsOf(before[i], overnight);
            const ConstDayMarkFields now = MarkFieldsOf(after[i], overnight);
            if (now.Has && !(was.Has && was.Reason == now.Reason && was.Pickup == now.Pickup &&
                             was.Dropoff == now.Dropoff))
                return QStringLiteral("Apply ");
        }
    }
    return QStringLiteral("Remove ");
}

void RecordBulkRuns(CommandHost& host, const BulkRuns& runs)
{
    CalendarHistory& history = host.History();
    const CalendarContent end = CaptureContent(host.Document());
    // The first start is the content as the dialog opened, named as the first run: a change
    // made before any run took its copy still becomes a step.
    for (std::size_t i = 0; i < runs.Starts.size(); ++i) {
        const CalendarContent& after = i + 1 < runs.Starts.size() ? runs.Starts[i + 1] : end;
        const CalendarContent& before = runs.Starts[i];
        if (before == after)
            continue; // a run that changed nothing, or one the dialog's Undo took back
        const QString& name = i == 0 && runs.Names.size() > 1 ? runs.Names[1] : runs.Names[i];
        history.Record(RunVerb(before.Days, after.Days) + name, before, after);
    }
}

} // namespace

void RunDayChangingCommand(CommandHost& host, DayChangingGroup group,
                           const std::function<bool()>& showDialog, const QString& stepName)
{
    CalendarDocument& doc = host.Document();
    if (!CheckDayChangingDialog(doc, group, host.Services().Messages))
        return;
    BulkRuns runs{{host.History().Begin()}, {stepName}};
    doc.BeforeBulkRun = [&runs, &doc, &stepName] {
        runs.Starts.push_back(CaptureContent(doc));
        const QWidget* dialog = QApplication::activeModalWidget();
        runs.Names.push_back(!stepName.isEmpty() ? stepName
                             : dialog            ? dialog->windowTitle()
                                                 : QString());
    };
    bool accepted = false;
    const QString said = RunDayChangingDialog(doc, [&] { return accepted = showDialog(); });
    doc.BeforeBulkRun = nullptr;
    if (accepted)
        RecordBulkRuns(host, runs);
    // An Apply may have added its reason to the main window's reason lists.
    host.RefreshWindow();
    if (!said.isEmpty())
        host.Say(said);
}

void RunRecordedChange(CommandHost& host, const QString& name, const std::function<void()>& change)
{
    const CalendarContent before = host.History().Begin();
    change();
    host.History().Record(name, before);
    host.RefreshWindow();
}

void RunExtendedScan(CommandHost& host)
{
    RunRecordedChange(host, QStringLiteral("Scan for Extended Overnights"), [&host] {
        ScanHost scan(host);
        ScanExtendedOvernights(host.Document(), scan, host.Services().Messages);
    });
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
