#include "core/AppState.h"
#include "core/RecordingHost.h"
#include "history/Pipeline.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

// A fresh app directory holding the bundled real history.
class BenchAppDir
{
public:
    BenchAppDir()
    {
        m_path = std::filesystem::temp_directory_path() / ("quorvane-bench-pipeline-" + std::to_string(getpid()));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path / "data");
        std::filesystem::copy_file(std::filesystem::path(QUORVANE_SOURCE_DIR) / "appdata" / "data" / "data.txt",
                                   m_path / "data" / "data.txt");
    }
    ~BenchAppDir() { std::filesystem::remove_all(m_path); }

    void Attach(qv::AppState& state) const
    {
        state.Paths.SetDir(m_path);
        state.Flag.SetFile(m_path / "option.ini");
        state.Flag.Load();
    }

private:
    std::filesystem::path m_path;
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
