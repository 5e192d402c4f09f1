#pragma once

#include <QString>

// The start wizard's steps apart from its window: which page shows, what the buttons and the
// information line say, what each step checks and hands to the main window.

namespace custodex {

class Prompter;

// What the wizard asks of the main window.
class WizardHost {
public:
    virtual ~WizardHost() = default;
    // Runs the main window's Open; true when it then has a client name.
    virtual bool OpenCalendar() = 0;
    virtual void SetClientName(const QString& name) = 0;
    virtual void SetYearText(const QString& year) = 0;
    virtual void SetMonthText(const QString& month) = 0;
    virtual bool WizardSwitchOn() const = 0;
    // Toggles the wizard switch as the "Use the Startup Wizard" menu item does, message included.
    virtual void ToggleWizardSwitch() = 0;
};

enum class WizardPage { Choose, Name, Year, Month, Done };
enum class WizardFocus { None, ClientName, Year, Month };

// What the wizard's fields hold when Next is pressed.
struct WizardEntries {
    bool NewCalendar = true;
    QString ClientName;
    QString Year;
    QString Month;
};

// Everything the window shows of the flow.
struct WizardState {
    int Step = 1; // 1..5
    WizardPage Page = WizardPage::Choose;
    QString Info;
    bool BackEnabled = false;
    bool NextEnabled = true;
    QString CloseCaption;
    QString DoneLine1; // SPL1
    QString DoneLine2; // SPL2
};

class WizardFlow {
public:
    WizardFlow(WizardHost& host, Prompter& prompter);

    // The set-up of each showing, with the main window's year and month texts of that moment.
    void Begin(const QString& mainYear, const QString& mainMonth);
    // Checks the step and moves on; a refusal leaves the step and names the field to focus.
    // The client name in `entries` loses its leading blanks.
    WizardFocus Next(WizardEntries& entries);
    void Back();
    // Close or Done: true when the main window is to start the calendar once the wizard closed.
    bool CloseStartsCalendar() const;
    void DisableBoxChanged(bool checked);

    const WizardState& State() const { return Current; }

private:
    WizardHost& Host;
    Prompter& Messages;
    WizardState Current;
    QString RememberedYear;
    QString RememberedMonth;
};

} // namespace custodex
