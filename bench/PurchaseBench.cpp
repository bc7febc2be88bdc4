#include "BenchSupport.h"
#include "core/RecordingHost.h"
#include "history/Text.h"
#include "purchase/PrizeCheck.h"
#include "purchase/PurchaseList.h"

#include <benchmark/benchmark.h>

namespace {

// Every combination of the 33 reds, the blues given in turn: the largest list a full
// basket can make.
qv::Lines FullBetList()
{
    qv::Lines bets;
    bets.reserve(1107568 + 1);
    int blue = 0;
    qv::bench::ForEachCombo([&](const int(&n)[6]) {
        std::string line = qv::bench::ComboText(n);
        line += " +";
        line += qv::TwoDigits(blue % 16 + 1);
        ++blue;
        bets.push_back(std::move(line));
    });
    bets.emplace_back(); // the empty line a saved list ends with
    return bets;
}

void BM_PrizeCheckFullBasket(benchmark::State& state)
{
    qv::AppState app;
    app.Purchase.QueryList = FullBetList();
    app.Purchase.QueryDraw = "03 09 14 22 27 31 +05";
    qv::RecordingHost host;
    for (auto _ : state) {
        qv::CheckPrizes(app, host);
        benchmark::DoNotOptimize(app.Purchase.PrizeResult.data());
    }
    state.counters["bets"] = static_cast<double>(app.Purchase.QueryList.size() - 1);
    state.counters["result_lines"] = static_cast<double>(app.Purchase.PrizeResult.size());
}
BENCHMARK(BM_PrizeCheckFullBasket)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void BM_RandomBluesFullBasket(benchmark::State& state)
{
    qv::AppState app;
    const qv::Lines bets = FullBetList();
    qv::RecordingHost host;
    qv::BlueGenerator generator(1);
    for (auto _ : state) {
        state.PauseTiming();
        app.Purchase.PurchaseList = bets;
        state.ResumeTiming();
        qv::AssignRandomBlues(app, host, generator);
        benchmark::DoNotOptimize(app.Purchase.PurchaseList.data());
    }
}
BENCHMARK(BM_RandomBluesFullBasket)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
