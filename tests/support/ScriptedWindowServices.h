#pragma once

#include "app/MainWindow.h"
#include "support/ScriptedOutputPrompts.h"
#include "support/ScriptedPrintDialog.h"
#include "support/ScriptedServices.h"

#include <QImage>
#include <QWidget>

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

// Whether a month button's caption is drawn in the shown month's maroon: read from the pixels,
// so it holds however the colour is set.
inline bool DrawnInMaroon(QWidget* button)
{
    const QImage image = button->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() >= 0x60 && c.green() < 0x30 && c.blue() < 0x30)
                return true;
        }
    return false;
}

} // namespace custodex::testing
