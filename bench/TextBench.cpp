#include "history/Text.h"
#include "history/TextFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void BM_LoadRealHistory(benchmark::State& state)
{
    const auto path = std::filesystem::path(QUORVANE_SOURCE_DIR) / "appdata" / "data" / "data.txt";
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::LoadLines(path));
}
BENCHMARK(BM_LoadRealHistory)->Unit(benchmark::kMicrosecond);

} // namespace
