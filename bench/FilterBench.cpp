// The whole filter run (Button9Click) on the full basket of every combination of the 33
// reds, basket file read and written: with the recommended switches and with all 47.

#include "BenchSupport.h"
#include "filters/FilterRun.h"
#include "history/HistoryLoad.h"
#include "history/Text.h"
#include "history/TextFile.h"
#include "session/AppState.h"
#include "session/FilterCommands.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// A host that shows nothing.
class QuietHost : public qv::Host
{
public:
    void Log(const std::string&) override {}
    qv::MessageAnswer Message(const std::string&, const std::string&, qv::MessageIcon,
                              qv::MessageButtons) override
    {
        return qv::MessageAnswer::Ok;
    }
    void SetProgressMaximum(int) override {}
    void SetProgressPosition(int) override {}
    std::optional<std::filesystem::path> ChooseOpenFile(const qv::FileDialogRequest&) override { return {}; }
    std::optional<std::filesystem::path> ChooseSaveFile(const qv::FileDialogRequest&) override { return {}; }
    void SetLabel(const std::string&, const std::string&) override {}
};

// The basket file of all C(33,6) combinations in text order, CR LF after every line.
const std::string& FullBasketBytes()
{
    static const std::string bytes = [] {
        std::string text;
        text.reserve(1107568 * 19);
        qv::bench::ForEachCombo([&](const int(&n)[6]) {
            text += qv::bench::ComboText(n);
            text += "\r\n";
        });
        return text;
    }();
    return bytes;
}

struct Setup
{
    qv::bench::ScratchAppDir Dir{"run"};
    qv::AppState State;

    Setup()
    {
        std::filesystem::create_directories(Dir.Path() / "Data");
        Dir.Attach(State);
        State.RedHistory = qv::RedHistoryOf(qv::LoadLines(qv::bench::BundledHistoryFile()));
        // Lists of the size and kind the analyses leave for the newest draws.
        auto& reference = State.Analysis.Reference;
        reference.RepeatNumbers = "01 04 16 22 26 31";
        reference.NeighbourNumbers = "02 03 05 15 17 21 23 25 27 30 32";
        reference.ColdNumbers = "08 11 19 28 29";
        reference.HotNumbers = "06 13 14 22 24 33";
        reference.PositionMeans = {4.9, 10.2, 15.6, 20.1, 25.3, 29.8};
        auto& prediction = State.Analysis.Prediction;
        prediction.FiveDrawMeanNumbers = "05 10 16 21 27 31";
        prediction.FifthDrawNumbers = "03 09 14 22 27 31";
        prediction.RegionEdgeNumbers = "01 11 12 22 23 33";
        prediction.KillNumbers = "07 18 20 32";
        prediction.LongOmissionNumbers = "08 19 28";
        State.Selection.BasketReadyFlag = true;
    }
};

Setup& Shared()
{
    static Setup setup;
    return setup;
}

enum class Switches
{
    Recommended,
    All,
    AllButNumberSettings, // the default number-setting rules leave a few hundred lines
};

void RunOnFullBasket(benchmark::State& state, Switches switches, int tolerance = 0)
{
    auto& setup = Shared();
    qv::ResetFilterState(setup.State.Filters);
    setup.State.Filters.Tolerance = tolerance;
    if (switches == Switches::Recommended)
        qv::SelectRecommended(setup.State.Filters);
    else
        for (auto& [name, on] : setup.State.Filters.Switches)
            on = true;
    if (switches == Switches::AllButNumberSettings)
        for (const char* name : {"CheckBox46", "TeCheckBox8", "TeCheckBox10", "CheckBox36"})
            setup.State.Filters.Switches[name] = false;
    const auto basket = setup.State.File(qv::files::kBasket);
    QuietHost host;
    std::size_t left = 0;
    for (auto _ : state) {
        state.PauseTiming();
        qv::ReplaceFile(basket, FullBasketBytes());
        state.ResumeTiming();
        qv::RunFilters(setup.State, host);
        state.PauseTiming();
        left = std::filesystem::file_size(basket) / 19;
        state.ResumeTiming();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["lines_left"] = static_cast<double>(left);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_FilterRunRecommended(benchmark::State& state)
{
    RunOnFullBasket(state, Switches::Recommended);
}
void BM_FilterRunAll47(benchmark::State& state)
{
    RunOnFullBasket(state, Switches::All);
}
void BM_FilterRunAllButNumberSettings(benchmark::State& state)
{
    RunOnFullBasket(state, Switches::AllButNumberSettings);
}

// 容错 1 with the recommended switches: every filter judges the whole basket.
void BM_FilterRunRecommendedTolerance1(benchmark::State& state)
{
    RunOnFullBasket(state, Switches::Recommended, 1);
}

BENCHMARK(BM_FilterRunRecommendedTolerance1)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_FilterRunRecommended)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_FilterRunAll47)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_FilterRunAllButNumberSettings)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace
