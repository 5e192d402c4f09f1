#include "calendar/WizardFlow.h"

#include "calendar/ProgramSettings.h"
#include "calendar/StartChecks.h"
#include "platform/Prompter.h"

namespace custodex {

namespace {

const QString CloseCaption = QStringLiteral("&Close");
const QString DoneCaption = QStringLiteral("&Done");

const QString InfoWelcome = QStringLiteral(
    "The Calendar Start Wizard will guide you through the initial steps for starting work on a "
    "Calendar.");
const QString InfoName = QStringLiteral("Step 1.  Enter a meaningful name for your Calendar.");
const QString InfoYear = QStringLiteral("Step 2.  Select a year for your Calendar.");
const QString InfoMonth = QStringLiteral("Step 3.  Select the month for the calendar to start on.");
const QString InfoDone = QStringLiteral(
    "Step 4.  Click the Wizard \"Done\" button to create your calendar.  (You would click the "
    "mainform \"Start\" button if you were not using the Wizard.)");

const QString DoneNewLine1 =
    QStringLiteral("Click the \"Done\" button to close the Wizard.  After filling in the initial "
                   "settings you can begin working on");
const QString DoneNewLine2 = QStringLiteral("your calendar.  ");
const QString DoneOpenedLine1 =
    QStringLiteral("Click the \"Done\" button to close the Wizard.  You can then begin working on "
                   "your Calendar.");

} // namespace

WizardFlow::WizardFlow(WizardHost& host, Prompter& prompter) : Host(host), Messages(prompter)
{
    Begin(QString(), QString());
}

void WizardFlow::Begin(const QString& mainYear, const QString& mainMonth)
{
    Current = WizardState{};
    Current.Info = InfoWelcome;
    Current.CloseCaption = CloseCaption;
    // The last page's longer lines from the start, so the window can be sized to hold them.
    Current.DoneLine1 = DoneNewLine1;
    Current.DoneLine2 = DoneNewLine2;
    RememberedYear = mainYear.left(5);
    RememberedMonth = mainMonth.left(12);
}

WizardFocus WizardFlow::Next(WizardEntries& entries)
{
    switch (Current.Step) {
    case 1:
        if (entries.NewCalendar) {
            Current.Page = WizardPage::Name;
            Current.Info = InfoName;
            Current.BackEnabled = true;
            Current.Step = 2;
            return WizardFocus::ClientName;
        }
        // An opened calendar finishes the wizard at once; the step stays 1, so Done only closes.
        if (Host.OpenCalendar()) {
            Current.BackEnabled = false;
            Current.NextEnabled = false;
            Current.CloseCaption = DoneCaption;
            Current.Page = WizardPage::Done;
            Current.DoneLine1 = DoneOpenedLine1;
            Current.DoneLine2.clear();
        }
        return WizardFocus::None;
    case 2: {
        while (entries.ClientName.startsWith(QLatin1Char(' ')))
            entries.ClientName.remove(0, 1);
        if (entries.ClientName.isEmpty()) {
            Messages.Ask(PromptKind::Error,
                         QStringLiteral("You must enter a client name before you can continue."),
                         PromptButtons::Ok);
            return WizardFocus::ClientName;
        }
        if (!IsValidFileNameText(entries.ClientName)) {
            Messages.Ask(PromptKind::Error,
                         QStringLiteral("Error!  Please restrict your filename characters "
                                        "to\n\rupper and lower case letters, numbers, spaces, "
                                        "underscores,\n\rdashes, and apostrophes.\n\r\n\rPlease "
                                        "try again."),
                         PromptButtons::Ok);
            return WizardFocus::ClientName;
        }
        Host.SetClientName(entries.ClientName);
        Current.Page = WizardPage::Year;
        Current.Info = InfoYear;
        Current.Step = 3;
        return WizardFocus::None;
    }
    case 3: {
        const StartCheck year = CheckStartYear(entries.Year);
        if (!year.Ok) {
            Messages.Ask(PromptKind::Error, year.Message, PromptButtons::Ok);
            return WizardFocus::Year;
        }
        Current.Step = 4;
        Host.SetYearText(entries.Year);
        Current.Page = WizardPage::Month;
        Current.Info = InfoMonth;
        return WizardFocus::Month;
    }
    case 4:
        // The month is checked only by the Start command.
        Current.Step = 5;
        Host.SetMonthText(entries.Month);
        Current.Page = WizardPage::Done;
        Current.DoneLine1 = DoneNewLine1;
        Current.DoneLine2 = DoneNewLine2;
        Current.Info = InfoDone;
        Current.NextEnabled = false;
        Current.CloseCaption = DoneCaption;
        return WizardFocus::None;
    default:
        return WizardFocus::None;
    }
}

void WizardFlow::Back()
{
    if (Current.Step <= 1)
        return;
    --Current.Step;
    switch (Current.Step) {
    case 1:
        Current.Page = WizardPage::Choose;
        Current.Info = InfoWelcome;
        Current.BackEnabled = false;
        break;
    case 2:
        Host.SetClientName(QString());
        Current.Info = InfoName;
        Current.Page = WizardPage::Name;
        break;
    case 3:
        Host.SetYearText(RememberedYear);
        Current.Info = InfoYear;
        Current.Page = WizardPage::Year;
        break;
    case 4:
        Host.SetMonthText(RememberedMonth);
        Current.Info = InfoMonth;
        Current.Page = WizardPage::Month;
        Current.CloseCaption = CloseCaption;
        Current.NextEnabled = true;
        break;
    default:
        break;
    }
}

bool WizardFlow::CloseStartsCalendar() const
{
    return Current.CloseCaption == DoneCaption && Current.Step == 5;
}

void WizardFlow::DisableBoxChanged(bool checked)
{
    // The box only ever turns the switch off: ticking it again after clearing it leaves the
    // switch off rather than turning the wizard back on behind a box that says "Disable".
    if (checked && Host.WizardSwitchOn())
        Host.ToggleWizardSwitch();
}

} // namespace custodex
