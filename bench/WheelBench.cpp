#include "selection/Wheel.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// The exhaustive check of a 20-number wheel of six-number tickets (the shipped ones):
// every one of the C(20,m) m-sets against the tickets. Should stay under 100 ms. Args: m, t.
void BM_VerifyWheel20(benchmark::State& state)
{
    const int m = static_cast<int>(state.range(0));
    const int t = static_cast<int>(state.range(1));
    const auto tickets = qv::BuildWheel(20, m, t, 6);
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::VerifyWheel(20, m, t, tickets).Uncovered);
    state.counters["tickets"] = static_cast<double>(tickets.size());
}
BENCHMARK(BM_VerifyWheel20)
    ->Args({6, 5})
    ->Args({6, 4})
    ->Args({5, 5})
    ->Args({5, 4})
    ->Args({4, 4})
    ->Args({4, 3})
    ->Args({3, 3})
    ->Unit(benchmark::kMillisecond);

// What the wheel page waits for: a request of 20 reds built (shipped or searched) and
// verified, as MakeWheel does it. Should stay under 1 s. Args: m, t, bankers.
void BM_MakeWheel20(benchmark::State& state)
{
    qv::WheelRequest request;
    for (int n = 1; n <= 20; ++n)
        request.Reds.push_back(n);
    for (int b = 0; b < state.range(2); ++b)
        request.Bankers.push_back(21 + b);
    request.Guarantee = {static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    std::size_t size = 0;
    for (auto _ : state)
        size = qv::MakeWheel(request).Tickets.size();
    state.counters["tickets"] = static_cast<double>(size);
}
BENCHMARK(BM_MakeWheel20)
    ->Args({6, 5, 0})
    ->Args({5, 5, 0})
    ->Args({4, 4, 0})
    ->Args({6, 5, 1})
    ->Args({6, 4, 1})
    ->Args({5, 4, 1})
    ->Args({4, 4, 1})
    ->Args({6, 4, 2})
    ->Args({4, 3, 3})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The search alone for six-number tickets, as the offline tables were made (with far
// more effort there). Args: v, m, t.
void BM_SearchWheel(benchmark::State& state)
{
    const int v = static_cast<int>(state.range(0));
    const int m = static_cast<int>(state.range(1));
    const int t = static_cast<int>(state.range(2));
    std::size_t size = 0;
    for (auto _ : state)
        size = qv::SearchWheel(v, m, t, 6).size();
    state.counters["tickets"] = static_cast<double>(size);
    state.counters["schoenheim"] = static_cast<double>(qv::SchoenheimBound(v, 6, t));
}
BENCHMARK(BM_SearchWheel)
    ->Args({12, 6, 5})
    ->Args({16, 6, 5})
    ->Args({20, 6, 5})
    ->Args({20, 5, 5})
    ->Args({20, 3, 3})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
