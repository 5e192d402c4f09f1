#include "BenchCalendars.h"

#include "output/CalendarPages.h"
#include "output/DrawingSurface.h"
#include "output/PrintColours.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

// Drawing calendar pages into the 1200 x 1575 bitmap a picture is encoded from, in-process
// and without encoding: what drawing alone costs.

namespace {

using namespace custodex;

struct Calendar {
    Calendar() : Doc(bench::FullyMarked())
    {
        RecountCounters(Doc);
    }
    CalendarDocument Doc;
};

CalendarPageInput InputFor(const CalendarDocument& doc)
{
    return {doc, MarkColoursOf(doc), QStringLiteral("Generated 3/1/24  10:00:00 AM"), {}};
}

// Draws with `draw` on a new surface over a portrait page bitmap, once per iteration.
template <typename Draw> void DrawEachIteration(benchmark::State& state, Draw draw)
{
    static const Calendar calendar;
    const CalendarPageInput input = InputFor(calendar.Doc);
    QImage bitmap(CalendarPictureSize(false), QImage::Format_RGB32);
    for (auto _ : state) {
        PainterSurface surface(bitmap);
        draw(surface, input);
    }
}

// One month page on a surface of its own: a current-month printout.
void MonthPageAlone(benchmark::State& state)
{
    DrawEachIteration(state, [](PainterSurface& surface, const CalendarPageInput& input) {
        DrawMonthPage(surface, input, 1, {true, true});
    });
}
BENCHMARK(MonthPageAlone)->Unit(benchmark::kMillisecond);

// The 24 month pages of a printout, one surface for all as the printing and the pictures use.
void MonthPagesOfAPrintout(benchmark::State& state)
{
    DrawEachIteration(state, [](PainterSurface& surface, const CalendarPageInput& input) {
        DrawPrintout(surface, input, PrintLayout::MonthPages, 1, MonthsInSpan, {true, true},
                     [](int) {}, [] {});
    });
    state.SetItemsProcessed(state.iterations() * MonthsInSpan);
}
BENCHMARK(MonthPagesOfAPrintout)->Unit(benchmark::kMillisecond);

void YearPage(benchmark::State& state)
{
    DrawEachIteration(state, [](PainterSurface& surface, const CalendarPageInput& input) {
        DrawYearPage(surface, input, 1, {true, true});
    });
}
BENCHMARK(YearPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts need a GUI application
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
