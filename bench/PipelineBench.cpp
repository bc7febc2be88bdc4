#include "BenchSupport.h"
#include "core/RecordingHost.h"
#include "session/AppState.h"
#include "session/Pipeline.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

// A fresh app directory holding the bundled real history, its flag read as a start does.
class BenchAppDir
{
public:
    void Attach(qv::AppState& state) const
    {
        m_dir.Attach(state);
        state.Flag.Load();
    }

private:
    qv::bench::ScratchAppDir m_dir{"pipeline"};
};

void BM_RecomputeAll(benchmark::State& state)
{
    BenchAppDir dir;
    for (auto _ : state) {
        qv::AppState app;
        dir.Attach(app);
        qv::RecordingHost host;
        qv::RecomputeAll(app, host);
    }
}
BENCHMARK(BM_RecomputeAll)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartupReady(benchmark::State& state)
{
    BenchAppDir dir;
    {
        qv::AppState app;
        dir.Attach(app);
        qv::RecordingHost host;
        qv::RunStartup(app, host);
    }
    for (auto _ : state) {
        qv::AppState app;
        dir.Attach(app);
        qv::RecordingHost host;
        qv::RunStartup(app, host);
    }
}
BENCHMARK(BM_StartupReady)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
