#include "BenchSupport.h"
#include "core/RecordingHost.h"
#include "selection/Basket.h"
#include "selection/Selector24.h"
#include "session/AppState.h"
#include "session/SelectionCommands.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

std::string AllNumbers()
{
    std::string line;
    for (int k = 1; k <= 33; ++k) {
        line += qv::TwoDigits(k);
        line += ' ';
    }
    return line;
}

// "分解到号码篮" on one line of all 33 numbers: 1,107,568 lines sorted and written to
// "Data/temp.txt", the view and counters refreshed.
void BM_ExpandFullLineToFile(benchmark::State& state)
{
    qv::bench::ScratchAppDir dir("sel", qv::bench::ScratchAppDir::Contents::Empty);
    qv::AppState app;
    app.Paths.SetDir(dir.Path());
    app.Selection.BetList = {AllNumbers()};
    for (auto _ : state) {
        qv::RecordingHost host;
        qv::ExpandBetList(app, host);
        benchmark::DoNotOptimize(app.Selection.BasketView.Size());
    }
    state.counters["lines"] = static_cast<double>(app.Selection.BasketView.Size());
}
BENCHMARK(BM_ExpandFullLineToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// All 29 groups of the 24-code selector (3.9 million choices before repeats are dropped).
void BM_ExpandAll24CodeGroups(benchmark::State& state)
{
    qv::Lines betList;
    for (const auto group : qv::Groups24())
        betList.emplace_back(group);
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::ExpandLines(betList).Size());
}
BENCHMARK(BM_ExpandAll24CodeGroups)->Unit(benchmark::kMillisecond);

// All 33 numbers typed from 33 down to 01: every combination keeps its text order and is
// sorted as a number tuple.
void BM_ExpandFullLineDescending(benchmark::State& state)
{
    std::string line;
    for (int k = 33; k >= 1; --k) {
        line += qv::TwoDigits(k);
        line += ' ';
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::ExpandLines({line}).Size());
}
BENCHMARK(BM_ExpandFullLineDescending)->Unit(benchmark::kMillisecond);

// A line of 33 numbers and one word: 237,336 combinations are sorted as text.
void BM_ExpandFullLineWithWord(benchmark::State& state)
{
    const std::string line = AllNumbers() + "ab";
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::ExpandLines({line}).Size());
}
BENCHMARK(BM_ExpandFullLineWithWord)->Unit(benchmark::kMillisecond);

} // namespace
