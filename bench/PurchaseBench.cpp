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
    int n[6];
    int blue = 0;
    for (n[0] = 1; n[0] <= 28; ++n[0])
        for (n[1] = n[0] + 1; n[1] <= 29; ++n[1])
            for (n[2] = n[1] + 1; n[2] <= 30; ++n[2])
                for (n[3] = n[2] + 1; n[3] <= 31; ++n[3])
                    for (n[4] = n[3] + 1; n[4] <= 32; ++n[4])
                        for (n[5] = n[4] + 1; n[5] <= 33; ++n[5]) {
                            std::string line;
                            for (const int v : n) {
                                line += qv::TwoDigits(v);
                                line += ' ';
                            }
                            line += '+';
                            line += qv::TwoDigits(blue % 16 + 1);
                            ++blue;
                            bets.push_back(std::move(line));
                        }
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
