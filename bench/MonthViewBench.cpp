#include "BenchCalendars.h"

#include "app/MainWindow.h"
#include "calendar/CalendarFile.h"
#include "output/ui/DialogOutputPrompts.h"
#include "platform/ColourChooser.h"
#include "platform/FileDialogs.h"
#include "platform/HelpService.h"
#include "platform/MessageBoxPrompter.h"
#include "platform/PrintDialog.h"
#include "platform/ProgramLauncher.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// The main window's month view at 1600 x 1000 with a fully marked month: redrawing it after a
// change (new texts and colours in its cells) and painting it.

namespace {

using namespace custodex;

struct Window {
    Window()
    {
        const QString folder = Dir.path() + QLatin1Char('/');
        CalendarDocument doc = bench::FullyMarked();
        RecountCounters(doc);
        WriteCalendarFile(doc, folder + QStringLiteral("Bench.cdb"), false);
        const ProgramPaths paths{folder, folder + QStringLiteral("Calendar.ini"), folder, folder,
                                 QString()};
        Main = std::make_unique<TQDLMainCalendar>(MainWindowServices{
            Prompts, Help, Dialogs, Launcher, Colours, Output, Printing, paths, [] {},
            [] { return 2024; }, {}});
        Main->OpenAtStart(folder + QStringLiteral("Bench.cdb"));
        Main->resize(1600, 1000);
        Main->show();
        QCoreApplication::processEvents();
        Main->resize(1600, 1000);
    }
    QTemporaryDir Dir;
    MessageBoxPrompter Prompts;
    HelpWindows Help;
    QtFileDialogs Dialogs;
    DetachedLauncher Launcher;
    QtColourChooser Colours;
    DialogOutputPrompts Output;
    QtPrintDialog Printing;
    std::unique_ptr<TQDLMainCalendar> Main;
};

Window& TheWindow()
{
    static Window window;
    return window;
}

bool Ready(benchmark::State& state, Window& window)
{
    if (!window.Main->Document().HasCalendar() || window.Main->width() < 1600) {
        state.SkipWithError("the calendar did not open at 1600 x 1000");
        return false;
    }
    return true;
}

void MonthViewRedrawAndPaint(benchmark::State& state)
{
    Window& window = TheWindow();
    if (!Ready(state, window))
        return;
    for (auto _ : state) {
        window.Main->RedrawMonth();
        window.Main->repaint(); // paints now, as the next frame would
    }
}
BENCHMARK(MonthViewRedrawAndPaint)->Unit(benchmark::kMillisecond);

void MonthViewPaintOnly(benchmark::State& state)
{
    Window& window = TheWindow();
    if (!Ready(state, window))
        return;
    for (auto _ : state)
        window.Main->repaint();
}
BENCHMARK(MonthViewPaintOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
