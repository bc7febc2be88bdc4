// One pass of each filter of the 神奇公式, 取值估算/三区设置 and 概率估计 families over the
// full basket (every combination of the 33 reds), without the basket file: the rule's
// preparation and its judgement of every line.

#include "BenchSupport.h"
#include "core/RecordingHost.h"
#include "filters/FilterRule.h"
#include "history/HistoryLoad.h"
#include "history/Text.h"
#include "history/TextFile.h"
#include "session/AppState.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

struct FullBasket
{
    std::string Text;
    std::vector<qv::BasketLine> Lines;

    FullBasket()
    {
        Text.reserve(1107568 * 17);
        qv::bench::ForEachCombo([&](const int(&n)[6]) { Text += qv::bench::ComboText(n); });
        for (std::size_t at = 0; at < Text.size(); at += 17)
            Lines.push_back(qv::MakeBasketLine(std::string_view(Text).substr(at, 17)));
    }
};

const FullBasket& Basket()
{
    static const FullBasket basket;
    return basket;
}

// The same combinations typed in descending order ("33 32 31 30 29 28"): none is a
// RedCombo, so every rule takes its text form.
struct TypedBasket
{
    std::string Text;
    std::vector<qv::BasketLine> Lines;

    TypedBasket()
    {
        const auto& combos = Basket();
        Text.reserve(combos.Text.size());
        for (const auto& line : combos.Lines)
            for (int k = 5; k >= 0; --k) {
                Text += line.Text.substr(static_cast<std::size_t>(k) * 3, 2);
                if (k > 0)
                    Text += ' ';
            }
        for (std::size_t at = 0; at < Text.size(); at += 17)
            Lines.push_back(qv::BasketLine{std::string_view(Text).substr(at, 17), false});
    }
};

const TypedBasket& Typed()
{
    static const TypedBasket basket;
    return basket;
}

struct Setting
{
    qv::AppState State;
    qv::RecordingHost Host;
    qv::FilterState Settings;
    std::vector<qv::FilterInfo> Catalogue;
    qv::bench::ScratchAppDir Dir{"families", qv::bench::ScratchAppDir::Contents::Empty};

    Setting()
    {
        qv::AddMagicFilters(Catalogue);
        qv::AddValueFilters(Catalogue);
        qv::AddProbabilityFilters(Catalogue);
        for (const auto& info : Catalogue)
            for (const auto& [name, text] : info.EditDefaults)
                Settings.Edits[name] = text;
        Dir.Attach(State);
        State.RedHistory = qv::RedHistoryOf(qv::LoadLines(qv::bench::BundledHistoryFile()));
        auto& prediction = State.Analysis.Prediction;
        prediction.RegionEdgeNumbers = "01 07 14 23 30";
        prediction.KillNumbers = "02 09 13";
        prediction.LongOmissionNumbers = "04 11 18 25 33";
        State.Analysis.Reference.ColdNumbers = "03 11 19 26 32";
    }
};

Setting& Shared()
{
    static Setting setting;
    return setting;
}

void BM_FilterPass(benchmark::State& state, std::size_t index, bool typed)
{
    auto& setting = Shared();
    const auto& lines = typed ? Typed().Lines : Basket().Lines;
    const auto& info = setting.Catalogue[index];
    long long removed = 0;
    for (auto _ : state) {
        auto rule = info.Make();
        qv::FilterContext context{setting.State.RedHistory, setting.State.Analysis.Reference,
                                  setting.State.Analysis.Prediction, setting.Settings, setting.Host};
        rule->Prepare(context);
        removed = 0;
        for (const auto& line : lines)
            removed += rule->Removes(line);
        benchmark::DoNotOptimize(removed);
    }
    state.counters["removed"] = static_cast<double>(removed);
}

const bool registered = [] {
    std::vector<qv::FilterInfo> catalogue;
    qv::AddMagicFilters(catalogue);
    qv::AddValueFilters(catalogue);
    qv::AddProbabilityFilters(catalogue);
    for (std::size_t i = 0; i < catalogue.size(); ++i)
        benchmark::RegisterBenchmark(("BM_FilterPass/" + catalogue[i].CheckBox).c_str(), BM_FilterPass, i,
                                     false)
            ->Unit(benchmark::kMillisecond);
    for (std::size_t i = 0; i < catalogue.size(); ++i)
        benchmark::RegisterBenchmark(("BM_FilterPassTyped/" + catalogue[i].CheckBox).c_str(), BM_FilterPass,
                                     i, true)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
