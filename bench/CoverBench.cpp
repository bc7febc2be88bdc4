// 缩水覆盖 of the window-default basket of all 33 reds (the filter run's 83,362 lines).

#include "BenchSupport.h"
#include "selection/BasketCover.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

const std::vector<std::array<std::uint8_t, 6>>& DefaultBasket()
{
    static const auto lines = [] {
        qv::bench::ScratchAppDir dir("cover");
        {
            std::ofstream bets(dir.Path() / "bets.txt", std::ios::binary);
            bets << "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 "
                    "30 "
                    "31 32 33\r\n";
        }
        const std::string command = std::string(QUORVANE_CLI) + " --app-dir '" + dir.Path().string() +
                                    "' filter --bets '" + (dir.Path() / "bets.txt").string() +
                                    "' > /dev/null 2>&1";
        if (std::system(command.c_str()) != 0)
            return std::vector<std::array<std::uint8_t, 6>>{};
        std::ifstream in(dir.Path() / "data" / "temp.txt", std::ios::binary); // the history's folder
        const qv::LineTable basket(std::string(std::istreambuf_iterator<char>(in), {}));
        return qv::BasketReds(basket);
    }();
    return lines;
}

// Arg: t.
void BM_CoverDefaultBasket(benchmark::State& state)
{
    const auto& lines = DefaultBasket();
    if (lines.empty()) {
        state.SkipWithError("the filter run gave no basket");
        return;
    }
    const int t = static_cast<int>(state.range(0));
    std::size_t tickets = 0;
    for (auto _ : state)
        tickets = qv::CoverBasket(lines, t).Tickets.size();
    state.counters["basket"] = static_cast<double>(lines.size());
    state.counters["tickets"] = static_cast<double>(tickets);
}
BENCHMARK(BM_CoverDefaultBasket)->Arg(5)->Arg(4)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
