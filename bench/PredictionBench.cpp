#include "analysis/Prediction.h"
#include "core/RecordingHost.h"
#include "killformulas/BlueKillFormulas.h"
#include "killformulas/RedKillFormulas.h"

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
        m_dir = std::filesystem::temp_directory_path() / ("quorvane-bench-pred-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir / "data");
        std::filesystem::copy_file(
            std::filesystem::path(QUORVANE_SOURCE_DIR) / "appdata" / "data" / "data.txt",
            m_dir / "data" / "data.txt", std::filesystem::copy_options::overwrite_existing);
        State.Paths.SetDir(m_dir);
        State.Flag.SetFile(m_dir / "option.ini");
        State.Flag.Set(qv::ReadyFlag::kStale);
    }
    ~ScratchApp()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }

    qv::AppState State;
    qv::RecordingHost Host;

private:
    std::filesystem::path m_dir;
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
