#include "BenchSupport.h"
#include "core/RecordingHost.h"
#include "history/HistoryLoad.h"
#include "history/TextFile.h"
#include "indicators/BlueIndicators.h"
#include "indicators/RedIndicators.h"
#include "session/AppState.h"
#include "session/HistoryCommands.h"
#include "session/IndicatorCommands.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

// The indicator refresh with "Data=0" on the bundled history: load, compute both tables,
// fill both views and write both files.
void BM_RefreshIndicatorsDataZero(benchmark::State& state)
{
    qv::bench::ScratchAppDir dir("ind");
    qv::AppState app;
    app.Paths.SetDir(dir.Path());
    app.Flag.SetCopy({qv::ReadyFlag::kStale});
    qv::RecordingHost host;
    for (auto _ : state) {
        host.LogLines.clear();
        qv::RefreshIndicators(app, host);
    }
    state.counters["draws"] = static_cast<double>(app.HistoryLines.size());
}
BENCHMARK(BM_RefreshIndicatorsDataZero)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// The same with "Data=1": the stored tables are read, shown and written back.
void BM_RefreshIndicatorsDataOne(benchmark::State& state)
{
    qv::bench::ScratchAppDir dir("ind");
    qv::AppState app;
    app.Paths.SetDir(dir.Path());
    qv::RecordingHost host;
    app.Flag.SetCopy({qv::ReadyFlag::kStale});
    qv::RefreshIndicators(app, host);
    app.Flag.SetCopy({qv::ReadyFlag::kReady});
    for (auto _ : state) {
        host.LogLines.clear();
        qv::RefreshIndicators(app, host);
    }
}
BENCHMARK(BM_RefreshIndicatorsDataOne)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// Both computations alone, without files and views.
void BM_ComputeIndicatorTables(benchmark::State& state)
{
    qv::bench::ScratchAppDir dir("ind");
    qv::AppState app;
    app.Paths.SetDir(dir.Path());
    qv::LoadHistory(app);
    qv::RecordingHost host;
    for (auto _ : state) {
        host.LogLines.clear();
        benchmark::DoNotOptimize(qv::ComputeRedIndicatorTable(app.HistoryLines, app.RedHistory, host));
        benchmark::DoNotOptimize(qv::ComputeBlueIndicatorTable(app.HistoryLines));
    }
}
BENCHMARK(BM_ComputeIndicatorTables)->Unit(benchmark::kMillisecond);

} // namespace
