#include "selection/Wheel.h"

#include <benchmark/benchmark.h>

namespace {

// The exhaustive check of a 20-number wheel: every one of the C(20,m) m-sets against the
// tickets. Args: m, t.
void BM_VerifyWheel20(benchmark::State& state)
{
    const int m = static_cast<int>(state.range(0));
    const int t = static_cast<int>(state.range(1));
    const auto tickets = qv::BuildWheel(20, m, t, 6);
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::VerifyWheel(20, m, t, tickets).Uncovered);
    state.counters["tickets"] = static_cast<double>(tickets.size());
}
BENCHMARK(BM_VerifyWheel20)->Args({6, 5})->Args({5, 5})->Args({6, 4})->Unit(benchmark::kMillisecond);

// Building (and verifying) a wheel of six-number tickets. Args: v, m, t.
void BM_BuildWheel(benchmark::State& state)
{
    const int v = static_cast<int>(state.range(0));
    const int m = static_cast<int>(state.range(1));
    const int t = static_cast<int>(state.range(2));
    std::size_t size = 0;
    for (auto _ : state)
        size = qv::BuildWheel(v, m, t, 6).size();
    state.counters["tickets"] = static_cast<double>(size);
    state.counters["schoenheim"] = static_cast<double>(qv::SchoenheimBound(v, 6, t));
}
BENCHMARK(BM_BuildWheel)
    ->Args({10, 5, 5})
    ->Args({12, 5, 5})
    ->Args({12, 6, 5})
    ->Args({16, 6, 5})
    ->Args({20, 6, 5})
    ->Args({20, 5, 5})
    ->Args({20, 6, 4})
    ->Args({20, 3, 3})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
