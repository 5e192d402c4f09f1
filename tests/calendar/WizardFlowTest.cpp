#include "calendar/WizardFlow.h"

#include "support/ScriptedServices.h"

#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

// The main window as the wizard sees it.
struct RecordingHost : WizardHost {
    bool OpenCalendar() override
    {
        ++Opens;
        return OpenSucceeds;
    }
    void SetClientName(const QString& name) override { ClientName = name; }
    void SetYearText(const QString& year) override { Year = year; }
    void SetMonthText(const QString& month) override { Month = month; }
    bool WizardSwitchOn() const override { return SwitchOn; }
    void ToggleWizardSwitch() override
    {
        SwitchOn = !SwitchOn;
        ++Toggles;
    }

    bool OpenSucceeds = true;
    int Opens = 0;
    QString ClientName;
    QString Year = QStringLiteral("2026");
    QString Month = QStringLiteral("January");
    bool SwitchOn = true;
    int Toggles = 0;
};

class WizardFlowTest : public ::testing::Test {
protected:
    WizardFlowTest() { Flow.Begin(Host.Year, Host.Month); }

    // Next with the fields holding a new calendar's entries.
    WizardFocus Next()
    {
        WizardEntries entries{true, Name, Year, Month};
        return Flow.Next(entries);
    }
    void NextToStep(int step)
    {
        for (int tries = 0; tries < 5 && Flow.State().Step < step; ++tries)
            Next();
        ASSERT_EQ(Flow.State().Step, step);
    }

    RecordingHost Host;
    ScriptedPrompter Prompts;
    WizardFlow Flow{Host, Prompts};
    QString Name = QStringLiteral("Jones");
    QString Year = QStringLiteral("2024");
    QString Month = QStringLiteral("March");
};

TEST_F(WizardFlowTest, NextHandsEachEntryToTheMainWindow)
{
    EXPECT_FALSE(Flow.State().BackEnabled);
    EXPECT_EQ(Flow.State().CloseCaption, QStringLiteral("&Close"));
    EXPECT_EQ(Next(), WizardFocus::ClientName);
    EXPECT_EQ(Flow.State().Page, WizardPage::Name);
    EXPECT_TRUE(Flow.State().BackEnabled);

    WizardEntries entries{true, QStringLiteral("   Jones"), Year, Month};
    EXPECT_EQ(Flow.Next(entries), WizardFocus::None);
    EXPECT_EQ(entries.ClientName, QStringLiteral("Jones"));
    EXPECT_EQ(Host.ClientName, QStringLiteral("Jones"));
    EXPECT_EQ(Next(), WizardFocus::Month);
    EXPECT_EQ(Host.Year, QStringLiteral("2024"));
    Next();
    EXPECT_EQ(Host.Month, QStringLiteral("March"));
    const WizardState& done = Flow.State();
    EXPECT_EQ(done.Step, 5);
    EXPECT_EQ(done.Page, WizardPage::Done);
    EXPECT_FALSE(done.NextEnabled);
    EXPECT_EQ(done.CloseCaption, QStringLiteral("&Done"));
    EXPECT_EQ(done.Info,
              QStringLiteral("Step 4.  Click the Wizard \"Done\" button to create your calendar.  "
                             "(You would click the mainform \"Start\" button if you were not "
                             "using the Wizard.)"));
    EXPECT_EQ(done.DoneLine2, QStringLiteral("your calendar.  "));
}

TEST_F(WizardFlowTest, RefusedEntriesKeepTheStepAndNameTheField)
{
    const QString illegalYear =
        QStringLiteral("Illegal character in year.  Only the\n\rdigits 0 thru 9 are allowed.");
    const struct {
        int Step;
        QString Name, Year, Message;
        WizardFocus Focus;
    } cases[] = {
        {2, QStringLiteral("   "), Year,
         QStringLiteral("You must enter a client name before you can continue."),
         WizardFocus::ClientName},
        {2, QStringLiteral("Jones.Smith"), Year,
         QStringLiteral("Error!  Please restrict your filename characters to\n\rupper and lower "
                        "case letters, numbers, spaces, underscores,\n\rdashes, and "
                        "apostrophes.\n\r\n\rPlease try again."),
         WizardFocus::ClientName},
        {3, Name, QStringLiteral("999"),
         QStringLiteral("The Calendar year must be greater than 1000\n\rand less than 3000"),
         WizardFocus::Year},
        {3, Name, QStringLiteral("20x4"), illegalYear, WizardFocus::Year},
        {3, Name, QStringLiteral("+2024"), illegalYear, WizardFocus::Year},
        {3, Name, QStringLiteral(" 2024"), illegalYear, WizardFocus::Year},
    };
    for (const auto& c : cases) {
        Flow.Begin(Host.Year, Host.Month);
        NextToStep(c.Step);
        Name = c.Name;
        Year = c.Year;
        Prompts.Expect(c.Message);
        EXPECT_EQ(Next(), c.Focus) << c.Message.toStdString();
        EXPECT_EQ(Flow.State().Step, c.Step) << c.Message.toStdString();
        Name = QStringLiteral("Jones");
        Year = QStringLiteral("2024");
    }
    EXPECT_EQ(Host.Year, QStringLiteral("2026")); // no refused year reached the main window
}

TEST_F(WizardFlowTest, BackFromTheLastTwoStepsPutsTheMainWindowsTextsBack)
{
    NextToStep(5);
    ASSERT_EQ(Host.Month, QStringLiteral("March"));

    Flow.Back(); // 5 -> 4
    EXPECT_EQ(Flow.State().Step, 4);
    EXPECT_EQ(Flow.State().Page, WizardPage::Month);
    EXPECT_EQ(Host.Month, QStringLiteral("January"));
    EXPECT_EQ(Flow.State().CloseCaption, QStringLiteral("&Close"));
    EXPECT_TRUE(Flow.State().NextEnabled);
    EXPECT_EQ(Flow.State().Info,
              QStringLiteral("Step 3.  Select the month for the calendar to start on."));
    EXPECT_FALSE(Flow.CloseStartsCalendar());

    Flow.Back(); // 4 -> 3
    EXPECT_EQ(Flow.State().Step, 3);
    EXPECT_EQ(Flow.State().Page, WizardPage::Year);
    EXPECT_EQ(Host.Year, QStringLiteral("2026"));
    EXPECT_EQ(Flow.State().Info, QStringLiteral("Step 2.  Select a year for your Calendar."));

    // Forward again hands the entries over once more.
    Month = QStringLiteral("May");
    NextToStep(5);
    EXPECT_EQ(Host.Year, QStringLiteral("2024"));
    EXPECT_EQ(Host.Month, QStringLiteral("May"));
    EXPECT_TRUE(Flow.CloseStartsCalendar());
}

TEST_F(WizardFlowTest, OnlyDoneOnTheLastStepStartsACalendar)
{
    for (int step = 1; step <= 4; ++step) {
        Flow.Begin(Host.Year, Host.Month);
        NextToStep(step);
        EXPECT_FALSE(Flow.CloseStartsCalendar()) << "step " << step;
    }
    NextToStep(5);
    EXPECT_TRUE(Flow.CloseStartsCalendar());

    // An opened calendar shows Done on step 1: it closes without starting anything.
    Flow.Begin(Host.Year, Host.Month);
    WizardEntries open{false, QString(), Year, Month};
    Host.OpenSucceeds = false;
    Flow.Next(open);
    EXPECT_EQ(Flow.State().Page, WizardPage::Choose);
    EXPECT_EQ(Flow.State().CloseCaption, QStringLiteral("&Close"));
    Host.OpenSucceeds = true;
    Flow.Next(open);
    EXPECT_EQ(Host.Opens, 2);
    EXPECT_EQ(Flow.State().Page, WizardPage::Done);
    EXPECT_EQ(Flow.State().CloseCaption, QStringLiteral("&Done"));
    EXPECT_EQ(Flow.State().DoneLine1,
              QStringLiteral("Click the \"Done\" button to close the Wizard.  You can then begin "
                             "working on your Calendar."));
    EXPECT_TRUE(Flow.State().DoneLine2.isEmpty());
    EXPECT_FALSE(Flow.State().BackEnabled);
    EXPECT_FALSE(Flow.State().NextEnabled);
    EXPECT_FALSE(Flow.CloseStartsCalendar());
}

TEST_F(WizardFlowTest, TickingTheDisableBoxTwiceTurnsTheWizardOffOnce)
{
    Flow.DisableBoxChanged(true);
    EXPECT_FALSE(Host.SwitchOn);
    Flow.DisableBoxChanged(false); // clearing does nothing
    Flow.DisableBoxChanged(true);
    EXPECT_FALSE(Host.SwitchOn);
    EXPECT_EQ(Host.Toggles, 1);
}

TEST_F(WizardFlowTest, BackToTheFirstStepsEmptiesTheMainWindowsClientName)
{
    NextToStep(3);
    ASSERT_EQ(Host.ClientName, QStringLiteral("Jones"));
    Flow.Back();
    EXPECT_TRUE(Host.ClientName.isEmpty());
    EXPECT_EQ(Flow.State().Page, WizardPage::Name);
    Flow.Back();
    EXPECT_EQ(Flow.State().Step, 1);
    EXPECT_FALSE(Flow.State().BackEnabled);
    Flow.Back(); // nothing below step 1
    EXPECT_EQ(Flow.State().Step, 1);
}

} // namespace
