#include "BenchSupport.h"
#include "analysis/Prediction.h"
#include "core/RecordingHost.h"
#include "killformulas/BlueKillFormulas.h"
#include "killformulas/RedKillFormulas.h"
#include "session/AnalysisCommands.h"
#include "session/KillCommands.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

// A scratch app directory holding the bundled history, with the flag "Data=0".
class ScratchApp
{
public:
    ScratchApp()
    {
        m_dir.Attach(State);
        State.Flag.Set(qv::ReadyFlag::kStale);
    }

private:
    qv::bench::ScratchAppDir m_dir{"pred"};

public:
    qv::AppState State;
    qv::RecordingHost Host;
};

// Button6Click in "Data=0" on the bundled history: history load, both kill verifications,
// all five algorithms, "Red/RedQK.txt" and "Red/RedNext.txt" written.
void BM_RunPredictionStale(benchmark::State& state)
{
    ScratchApp app;
    for (auto _ : state) {
        app.Host.LogLines.clear();
        qv::RunPrediction(app.State, app.Host);
    }
}
BENCHMARK(BM_RunPredictionStale)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_VerifyRedKillFormulas(benchmark::State& state)
{
    ScratchApp app;
    for (auto _ : state) {
        app.Host.LogLines.clear();
        qv::VerifyRedKillFormulas(app.State, app.Host);
    }
}
BENCHMARK(BM_VerifyRedKillFormulas)->Unit(benchmark::kMillisecond);

void BM_VerifyBlueKillFormulas(benchmark::State& state)
{
    ScratchApp app;
    for (auto _ : state) {
        app.Host.LogLines.clear();
        qv::VerifyBlueKillFormulas(app.State, app.Host);
    }
}
BENCHMARK(BM_VerifyBlueKillFormulas)->Unit(benchmark::kMillisecond);

} // namespace
