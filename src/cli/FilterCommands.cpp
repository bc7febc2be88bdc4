// One run of the program that filters a bet list: start-up, expansion, filter run.

#include "cli/FilterCommands.h"
#include "cli/Cli.h"
#include "cli/FilterOptions.h"
#include "cli/PredictionOptions.h"
#include "filters/FilterRun.h"
#include "history/TextFile.h"
#include "selection/Basket.h"
#include "selection/BetList.h"
#include "session/FilterCommands.h"
#include "session/Pipeline.h"
#include "session/SelectionCommands.h"

namespace qv::cli {

void PrepareFilterRun(Context& ctx, std::vector<std::string>& args)
{
    ResetFilterState(ctx.State.Filters);
    ApplyFilterOptions(args, ctx.State.Filters);
}

void StartAndExpand(Context& ctx, const std::string& betFile, bool startup)
{
    ShowStartLabels(ctx.Host);
    AddFilterLabels(ctx.State.Filters, ctx.Host.Labels);
    if (startup)
        RunStartup(ctx.State, ctx.Host);
    ctx.State.Selection.BetList = LoadLinesUtf8OrGbk(betFile);
    ExpandBetList(ctx.State, ctx.Host);
}

namespace {

const char* const kUsage =
    "filter --bets BETFILE [--none] [--select-all] [--recommend] [--enable NAMES] "
    "[--disable NAMES] [--set NAME=TEXT] [--set-file NAME=FILE] [--tolerance K] [--off CheckBox1,...]";

void RunFilter(Context& ctx, std::vector<std::string>& args)
{
    const auto bets = TakeOption(args, "bets");
    ApplyPredictionOff(args, ctx.State);
    PrepareFilterRun(ctx, args);
    ExpectPositional(args, 0, kUsage);
    if (!bets)
        throw UsageError{"--bets BETFILE is required"};
    StartAndExpand(ctx, *bets, true);
    RunFilters(ctx.State, ctx.Host);
}

const bool registered = RegisterCommand({"filter",
                                         "--bets BETFILE [--none] [--select-all] [--recommend] [--enable "
                                         "NAMES] [--disable NAMES] [--set NAME=TEXT] "
                                         "[--set-file NAME=FILE] [--tolerance K] [--off CheckBox1,...]",
                                         RunFilter});

} // namespace
} // namespace qv::cli
