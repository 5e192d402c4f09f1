#include "calendar/MainWindowRules.h"

#include "support/ScriptedServices.h"

#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

const QString NameCharacters = QStringLiteral(
    "Error!  Please restrict your filename characters to\n\rupper and lower case letters, "
    "numbers, spaces, underscores,\n\rdashes, and apostrophes.");

TEST(ClientNameLeft, OnlyLeavingForAnotherControlChecksTheName)
{
    const struct {
        const char* Name;
        Qt::FocusReason Reason;
        bool Refused;
    } cases[] = {
        {"Smith/Jones", Qt::TabFocusReason, true},
        {"Smith/Jones", Qt::BacktabFocusReason, true},
        {"Smith/Jones", Qt::MouseFocusReason, true},
        {"Smith/Jones", Qt::ShortcutFocusReason, true},
        {"Smith/Jones", Qt::OtherFocusReason, true},
        {"Smith/Jones", Qt::PopupFocusReason, false},        // a menu: its command checks
        {"Smith/Jones", Qt::MenuBarFocusReason, false},      // Alt into the menu bar
        {"Smith/Jones", Qt::ActiveWindowFocusReason, false}, // another window, for a while
        {"O'Brien-Smith_2", Qt::TabFocusReason, false},
        {"", Qt::TabFocusReason, false},
        {"Jos\xc3\xa9", Qt::TabFocusReason, true},
    };
    for (const auto& c : cases) {
        ScriptedPrompter prompts;
        if (c.Refused)
            prompts.Expect(NameCharacters);
        EXPECT_EQ(ClientNameLeft(QString::fromUtf8(c.Name), c.Reason, prompts), c.Refused)
            << c.Name << " " << c.Reason;
    }
}

TEST(StartFocusRefused, TabbingOntoStartWithoutAClient)
{
    const struct {
        const char* Name;
        Qt::FocusReason Reason;
        bool Refused;
    } cases[] = {
        {"", Qt::TabFocusReason, true},
        {"   ", Qt::BacktabFocusReason, true},
        {"Smith", Qt::TabFocusReason, false},
        {"", Qt::MouseFocusReason, false}, // a click on Start makes its own check
        {"", Qt::ActiveWindowFocusReason, false},
    };
    for (const auto& c : cases) {
        ScriptedPrompter prompts;
        if (c.Refused)
            prompts.Expect(QStringLiteral("A Client Name is a required entry."));
        EXPECT_EQ(StartFocusRefused(QLatin1String(c.Name), c.Reason, prompts), c.Refused)
            << '"' << c.Name << "\" " << c.Reason;
        if (c.Refused) {
            EXPECT_EQ(prompts.Seen.at(0).Buttons, PromptButtons::Retry);
        }
    }
}

TEST(CommitTypedReason, AddsNewTextsOnceAndKeepsTheListSorted)
{
    ReasonList list;
    for (const char* typed : {"Weekend", "camp", "WEEKEND", ""})
        CommitTypedReason(list, QLatin1String(typed));
    EXPECT_EQ(list.Items, (QStringList{QStringLiteral("camp"), QStringLiteral("Weekend")}));
    EXPECT_EQ(list.Text, QStringLiteral("WEEKEND")); // the default is what was typed last
}

} // namespace
