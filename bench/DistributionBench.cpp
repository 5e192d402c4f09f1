// The hourly distribution of a fully marked calendar, alone and together with the reading
// and recounting that come before it when a calendar is opened and its report run.
#include "BenchCalendars.h"
#include "calendar/CalendarFile.h"
#include "reports/HourlyDistribution.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace custodex;

namespace {

void DistributeAllTimesSet(benchmark::State& state)
{
    const CalendarDocument doc = bench::FullyMarked();
    for (auto _ : state) {
        const DistributionResult result = ComputeDistribution(doc);
        benchmark::DoNotOptimize(result.QTotOvernightMinutes);
    }
}
BENCHMARK(DistributeAllTimesSet)->Unit(benchmark::kMicrosecond);

// Every day visit gets a message here, and the whole span is one stay.
void DistributeNoTimes(benchmark::State& state)
{
    const CalendarDocument doc = bench::MarkedWithoutTimes();
    for (auto _ : state) {
        const DistributionResult result = ComputeDistribution(doc);
        benchmark::DoNotOptimize(result.DistributionMessages.size());
    }
}
BENCHMARK(DistributeNoTimes)->Unit(benchmark::kMicrosecond);

void ReadRecountDistribute(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Bench.cdb"));
    CalendarDocument source = bench::FullyMarked();
    if (!WriteCalendarFile(source, path, true).Ok)
        state.SkipWithError("write failed");
    for (auto _ : state) {
        CalendarDocument doc;
        if (!ReadCalendarFile(doc, path).Ok)
            state.SkipWithError("read failed");
        RecountCounters(doc);
        const DistributionResult result = RunDistribution(doc);
        CompleteDistribution(doc, result);
        benchmark::DoNotOptimize(doc.QTotOvernightMinutes);
    }
}
BENCHMARK(ReadRecountDistribute)->Unit(benchmark::kMillisecond);

} // namespace
