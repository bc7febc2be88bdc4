// 历史验证 as a player runs it: whole quorvane-cli processes on the bundled history, with
// their wall time, CPU time and peak memory.

#include "BenchSupport.h"
#include "ProcessCost.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const char* const kAllFilters =
    "CheckBox46,TeCheckBox8,TeCheckBox10,TeCheckBox7,CheckBox6,CheckBox7,CheckBox8,CheckBox9,CheckBox10,"
    "CheckBox11,CheckBox12,CheckBox13,CheckBox14,CheckBox15,CheckBox17,CheckBox18,TeCheckBox14,CheckBox19,"
    "TeCheckBox6,CheckBox20,CheckBox21,CheckBox22,CheckBox23,CheckBox24,CheckBox25,CheckBox26,CheckBox27,"
    "CheckBox28,CheckBox29,CheckBox30,CheckBox31,CheckBox32,CheckBox33,CheckBox34,CheckBox36,CheckBox37,"
    "CheckBox38,CheckBox39,CheckBox43,TeCheckBox5,TeCheckBox2,TeCheckBox9,TeCheckBox12,TeCheckBox11,"
    "TeCheckBox13,CheckBox45,CheckBox42";

// backtest --draws 100 with all 47 filters switched on; arg 1 adds --shrink.
void BM_BacktestCli100(benchmark::State& state)
{
    qv::bench::ScratchAppDir dir("backtest");
    std::vector<std::string> args = {"--app-dir", dir.Path().string(), "backtest", "--draws", "100",
                                     "--none",    "--enable",          kAllFilters};
    if (state.range(0) != 0)
        args.push_back("--shrink");
    qv::bench::ProcessCost cost;
    for (auto _ : state) {
        cost = qv::bench::RunCli(args);
        if (!cost.Ok) {
            state.SkipWithError("quorvane-cli backtest failed");
            return;
        }
        state.SetIterationTime(cost.Seconds);
    }
    state.counters["cpu_s"] = cost.CpuSeconds;
    state.counters["peak_rss_MB"] = cost.PeakMB;
}
BENCHMARK(BM_BacktestCli100)->Arg(0)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_BacktestCli100)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

} // namespace
