#include "BenchSupport.h"
#include "analysis/TrendGrid.h"
#include "history/TextFile.h"

#include <benchmark/benchmark.h>

#include <limits>

namespace {

constexpr std::size_t kAllDraws = std::numeric_limits<std::size_t>::max();

// Both trend grids with their statistics over every draw of the bundled history, from the
// history lines as the view holds them.
void BM_TrendGridsAllDraws(benchmark::State& state)
{
    const qv::Lines history = qv::LoadLines(qv::bench::BundledHistoryFile());
    for (auto _ : state) {
        qv::TrendGrids grids = qv::BuildTrendGrids(history, kAllDraws);
        benchmark::DoNotOptimize(grids.Red.Cells.data());
        benchmark::DoNotOptimize(grids.Blue.Cells.data());
    }
    state.counters["draws"] = static_cast<double>(history.size());
}
BENCHMARK(BM_TrendGridsAllDraws)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The grids alone, from draws read once.
void BM_TrendGridsFromDraws(benchmark::State& state)
{
    const auto draws = qv::ParseOmissionDraws(qv::LoadLines(qv::bench::BundledHistoryFile()));
    for (auto _ : state) {
        qv::TrendGrid red = qv::BuildTrendGrid(draws, qv::BallColour::Red, kAllDraws);
        qv::TrendGrid blue = qv::BuildTrendGrid(draws, qv::BallColour::Blue, kAllDraws);
        benchmark::DoNotOptimize(red.Cells.data());
        benchmark::DoNotOptimize(blue.Cells.data());
    }
}
BENCHMARK(BM_TrendGridsFromDraws)->Unit(benchmark::kMillisecond);

} // namespace
