// Reading a fully marked calendar, recounting it and writing it back: the work behind every
// Open and Save.
#include "BenchCalendars.h"
#include "calendar/CalendarFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace custodex;
using custodex::bench::FullyMarked;

namespace {

void ReadRecountWrite(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Bench.cdb"));
    CalendarDocument source = FullyMarked();
    WriteCalendarFile(source, path, true);
    for (auto _ : state) {
        CalendarDocument doc;
        if (!ReadCalendarFile(doc, path).Ok)
            state.SkipWithError("read failed");
        RecountCounters(doc);
        if (!WriteCalendarFile(doc, path, true).Ok)
            state.SkipWithError("write failed");
        benchmark::DoNotOptimize(doc.BothYearsCounters.Overnights);
    }
}
BENCHMARK(ReadRecountWrite)->Unit(benchmark::kMillisecond);

void ReadOnly(benchmark::State& state)
{
    const QByteArray bytes = CalendarFileBytes(FullyMarked());
    state.SetBytesProcessed(0);
    for (auto _ : state) {
        CalendarDocument doc;
        benchmark::DoNotOptimize(ReadCalendarFromBytes(doc, bytes, QStringLiteral("Bench.cdb")).Ok);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(ReadOnly)->Unit(benchmark::kMillisecond);

// The same read from the file, as Open does it: the file access on top of the parsing.
void ReadFromFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Bench.cdb"));
    CalendarDocument source = FullyMarked();
    if (!WriteCalendarFile(source, path, true).Ok)
        state.SkipWithError("write failed");
    for (auto _ : state) {
        CalendarDocument doc;
        benchmark::DoNotOptimize(ReadCalendarFile(doc, path).Ok);
    }
}
BENCHMARK(ReadFromFile)->Unit(benchmark::kMillisecond);

void RecountOnly(benchmark::State& state)
{
    CalendarDocument doc = FullyMarked();
    for (auto _ : state) {
        RecountCounters(doc);
        benchmark::DoNotOptimize(doc.BothYearsCounters.Texts);
    }
}
BENCHMARK(RecountOnly)->Unit(benchmark::kMicrosecond);

void WriteOnly(benchmark::State& state)
{
    const CalendarDocument doc = FullyMarked();
    for (auto _ : state)
        benchmark::DoNotOptimize(CalendarFileBytes(doc));
}
BENCHMARK(WriteOnly)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
