// 缩水覆盖 without windows: expansion, the filter run, then the cover of what is left.

#include "cli/Cli.h"
#include "cli/FilterCommands.h"
#include "cli/PredictionOptions.h"
#include "core/Error.h"
#include "selection/BasketCover.h"
#include "session/FilterCommands.h"
#include "session/SelectionCommands.h"

#include <cstdio>

namespace qv::cli {

namespace {

constexpr const char* kUsage = "--t T --bets BETFILE [--none] [--select-all] [--recommend] [--enable NAMES] "
                               "[--disable NAMES] [--set NAME=TEXT] [--set-file NAME=FILE] [--tolerance K] "
                               "[--off CheckBox1,...]";

void RunCover(Context& ctx, std::vector<std::string>& args)
{
    const auto t = TakeOption(args, "t");
    const auto bets = TakeOption(args, "bets");
    ApplyPredictionOff(args, ctx.State);
    PrepareFilterRun(ctx, args);
    ExpectPositional(args, 0, kUsage);
    if (!t)
        throw UsageError{"--t T is required"};
    if (!bets)
        throw UsageError{"--bets BETFILE is required"};
    const int guarantee = ParseCoverT(*t);

    StartAndExpand(ctx, *bets, true);
    RunFilters(ctx.State, ctx.Host);
    ReloadBasketView(ctx.State, ctx.Host);
    const LineTable& basket = ctx.State.Selection.BasketView;
    const CoverResult cover = CoverBasket(BasketReds(basket), guarantee);

    std::string json = "{\"basket\":" + std::to_string(basket.Size()) +
                       ",\"t\":" + std::to_string(guarantee) + ",\"tickets\":[";
    for (std::size_t k = 0; k < cover.Tickets.size(); ++k) {
        const std::string line(basket[cover.Tickets[k]]);
        if (k)
            json += ',';
        json += JsonString(line);
        if (!ctx.Json) {
            std::fwrite(line.data(), 1, line.size(), stdout);
            std::fputc('\n', stdout);
        }
    }
    json += "],\"uncovered\":" + std::to_string(cover.Uncovered) + "}";
    ctx.Lists["cover"] = json;
    ctx.Host.Log(CoverSummary(basket.Size(), cover.Tickets.size(), guarantee));
}

const bool registered = RegisterCommand({"cover", kUsage, RunCover});

} // namespace
} // namespace qv::cli
