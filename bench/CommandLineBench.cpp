// The full basket on the command line, as whole processes against the floor of copying
// its file: `cp` of the 21 MB basket, `startup` with "Data=1", `expand` and `filter`
// (each with its start-up) of all 33 reds, measured in turns so that every command sees
// the same machine. The counters are the mean CPU time of each, its ratio to cp, and the
// peak memory.

#include "BenchSupport.h"
#include "ProcessCost.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

void BM_FullBasketCommands(benchmark::State& state)
{
    qv::bench::ScratchAppDir dir("cli");
    const std::string app = dir.Path().string();
    const std::string bets = (dir.Path() / "bets.txt").string();
    {
        std::ofstream out(bets, std::ios::binary);
        out << "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 "
               "32 "
               "33\r\n";
    }
    const std::string basket = (dir.Path() / "data" / "temp.txt").string();
    const std::string copy = (dir.Path() / "copy.txt").string();
    // The first start computes every file and leaves "Data=1"; the first expansion leaves
    // the basket file to copy.
    if (!qv::bench::RunCli({"--app-dir", app, "startup"}, app).Ok ||
        !qv::bench::RunCli({"--app-dir", app, "expand", bets}, app).Ok) {
        state.SkipWithError("quorvane-cli failed to start");
        return;
    }

    struct Command
    {
        const char* name;
        bool cli;
        std::vector<std::string> args;
        double cpu = 0;
        double peak = 0;
    };
    std::vector<Command> commands = {
        {"cp", false, {basket, copy}},
        {"startup", true, {"--app-dir", app, "startup"}},
        {"expand", true, {"--app-dir", app, "expand", bets}},
        {"filter", true, {"--app-dir", app, "filter", "--bets", bets}},
    };
    int rounds = 0;
    for (auto _ : state) {
        double seconds = 0;
        for (auto& command : commands) {
            const qv::bench::ProcessCost cost = command.cli ? qv::bench::RunCli(command.args, app)
                                                            : qv::bench::RunProcess("cp", command.args);
            if (!cost.Ok) {
                state.SkipWithError(command.name);
                return;
            }
            seconds += cost.Seconds;
            command.cpu += cost.CpuSeconds;
            command.peak = std::max(command.peak, cost.PeakMB);
        }
        state.SetIterationTime(seconds);
        ++rounds;
    }
    const double cp = commands[0].cpu / rounds;
    for (const auto& command : commands) {
        const std::string name = command.name;
        state.counters[name + "_cpu_ms"] = command.cpu / rounds * 1000;
        state.counters[name + "_peak_MB"] = command.peak;
        if (name != "cp")
            state.counters[name + "_per_cp"] = command.cpu / rounds / cp;
    }
}
BENCHMARK(BM_FullBasketCommands)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

} // namespace
