#include "BenchSupport.h"
#include "core/RecordingHost.h"
#include "history/Text.h"
#include "purchase/PrizeCheck.h"
#include "purchase/PurchaseList.h"
#include "purchase/Replay.h"
#include "session/PurchaseCommands.h"

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

// The newest 100 draws of the bundled history.
std::vector<qv::IssuedDraw> NewestHundred()
{
    return qv::NewestDraws(qv::LoadLines(qv::bench::BundledHistoryFile()), 100);
}

// The replay kernel alone: the full basket, each bet a red mask and a blue, over 100 draws.
void BM_ReplayKernelFullBasket100Draws(benchmark::State& state)
{
    const qv::TicketList list = qv::ReadTicketList(FullBetList(), "查询清单");
    const auto draws = NewestHundred();
    for (auto _ : state) {
        const qv::ReplayResult replay = qv::ReplayBets(list.Bets, draws);
        benchmark::DoNotOptimize(replay.Fixed);
    }
    state.counters["bets"] = static_cast<double>(list.Bets.Bets);
    state.counters["draws"] = static_cast<double>(draws.size());
}
BENCHMARK(BM_ReplayKernelFullBasket100Draws)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// "历史回放" as the command runs it: reading the 1,107,568 lines, then the replay.
void BM_ReplayCommandFullBasket100Draws(benchmark::State& state)
{
    qv::AppState app;
    app.Purchase.QueryList = FullBetList();
    app.HistoryLines = qv::LoadLines(qv::bench::BundledHistoryFile());
    qv::RecordingHost host;
    for (auto _ : state) {
        qv::ReplayQueryList(app, host);
        benchmark::DoNotOptimize(app.Purchase.Replay.Fixed);
    }
}
BENCHMARK(BM_ReplayCommandFullBasket100Draws)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The largest compound ticket, 20 reds and 16 blues (620,160 bets), checked without expanding.
void BM_CheckLargestCompound(benchmark::State& state)
{
    const auto form =
        qv::ParseBetForm("01 03 05 07 09 11 13 15 17 19 21 23 25 27 29 31 33 02 04 06 +01 +02 +03 +04 "
                         "+05 +06 +07 +08 +09 +10 +11 +12 +13 +14 +15 +16",
                         true);
    const auto draws = NewestHundred();
    std::size_t k = 0;
    for (auto _ : state) {
        const qv::TierCounts counts = qv::CheckForm(*form, draws[k++ % draws.size()].Numbers);
        benchmark::DoNotOptimize(counts.data());
    }
    state.counters["bets"] = static_cast<double>(qv::BetCount(*form));
}
BENCHMARK(BM_CheckLargestCompound)->Unit(benchmark::kNanosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
