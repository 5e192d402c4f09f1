#pragma once

#include "app/MainWindow.h"
#include "support/ScriptedOutputPrompts.h"
#include "support/ScriptedPrintDialog.h"
#include "support/ScriptedServices.h"

#include <functional>

namespace custodex::testing {

// The scripted services a flow test hands the main window; a fixture derives from it so its
// tests reach Prompts, Dialogs and the others by name.
struct ScriptedWindowServices {
    MainWindowServices ServicesFor(
        const ProgramPaths& paths, std::function<void()> beep = [] {})
    {
        return {Prompts,
                Help,
                Dialogs,
                Launcher,
                Colours,
                Output,
                Printing,
                paths,
                std::move(beep),
                [] { return 2026; },
                [] { return QStringLiteral("Generated 12/10/26  3:00:00 AM"); }};
    }

    ScriptedPrompter Prompts;
    RecordingHelp Help;
    ScriptedFileDialogs Dialogs;
    RecordingLauncher Launcher;
    ScriptedColours Colours;
    ScriptedOutputPrompts Output;
    ScriptedPrintDialog Printing;
};

} // namespace custodex::testing
