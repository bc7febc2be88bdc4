// The purchase list and the prize check without windows.

#include "cli/Cli.h"
#include "cli/FilterCommands.h"
#include "filters/FilterRun.h"
#include "purchase/BluePicker.h"
#include "purchase/PrizeCheck.h"
#include "purchase/PurchaseList.h"

#include <cstdio>
#include <filesystem>

namespace {

using namespace qv;
using namespace qv::cli;

void PrintLines(const Lines& lines)
{
    for (const auto& line : lines) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
}

// "载入查询清单" answered with LISTFILE, then "查询中奖" against the draw typed into Edit7.
void RunCheck(Context& ctx, std::vector<std::string>& args)
{
    static const std::string usage = "check [--draw \"01 02 03 04 05 06 +07\"] LISTFILE";
    const auto draw = TakeOption(args, "draw");
    ExpectPositional(args, 1, usage);
    if (draw)
        ctx.State.Purchase.QueryDraw = *draw;
    ctx.Host.QueueOpenFile(std::filesystem::absolute(args[0]));
    LoadQueryList(ctx.State, ctx.Host);
    CheckPrizes(ctx.State, ctx.Host);
    if (!ctx.Json)
        PrintLines(ctx.State.Purchase.PrizeResult);
}

const char* const kPurchaseUsage = "--bets BETFILE [--filter-defaults] [--preset 全16码|全奇|全偶|全大|全小] "
                                   "[--blues \"01 05 09\"] --out FILE";

// "01 05 09": the blues to leave checked, each 1..16.
std::vector<int> ParseBlues(const std::string& text)
{
    std::vector<int> blues;
    for (const auto& field : SplitFields(text)) {
        if (field.empty())
            continue;
        int blue = 0;
        if (!TryStrToInt(field, blue) || blue < 1 || blue > kBlueCount)
            throw UsageError{"--blues takes blue numbers 01 to 16 separated by blanks, not '" + field + "'"};
        blues.push_back(blue);
    }
    return blues;
}

// One run of the player's work: the bet file expanded into the basket (with
// --filter-defaults after the start-up run and followed by the filter run with the
// window's defaults), "加入购买清单", the blue choice, "随机->" and "保存清单" to FILE.
// A step that refuses (its message goes to stderr) ends the run without saving.
void RunPurchase(Context& ctx, std::vector<std::string>& args)
{
    const std::string usage = std::string("purchase ") + kPurchaseUsage;
    const auto bets = TakeOption(args, "bets");
    const auto out = TakeOption(args, "out");
    const bool filterDefaults = TakeFlag(args, "filter-defaults");
    const auto presetCaption = TakeOption(args, "preset");
    const auto bluesText = TakeOption(args, "blues");
    ExpectPositional(args, 0, usage);
    if (!bets || !out)
        throw UsageError{"--bets and --out are needed; usage: " + usage};
    std::optional<BluePreset> preset;
    if (presetCaption) {
        preset = BluePresetFromCaption(*presetCaption);
        if (!preset)
            throw UsageError{"unknown --preset " + *presetCaption + "; usage: " + usage};
    }
    std::optional<std::vector<int>> blues;
    if (bluesText)
        blues = ParseBlues(*bluesText);

    AppState& state = ctx.State;
    RecordingHost& host = ctx.Host;
    auto refused = [&host, count = host.Messages.size()]() mutable {
        const bool any = host.Messages.size() != count;
        count = host.Messages.size();
        return any;
    };

    if (filterDefaults)
        ResetFilterState(state.Filters);
    StartAndExpand(ctx, *bets, filterDefaults);
    if (refused())
        return;
    if (filterDefaults) {
        RunFilters(state, host);
        // It ends with "运算完毕" either way; a basket it emptied makes "随机->" refuse below.
        refused();
    }
    if (!TakeBasketIntoPurchaseList(state, host))
        return;
    if (preset)
        ApplyBluePreset(state.Purchase, *preset);
    if (blues)
        CheckOnlyBlues(state.Purchase, *blues);
    AssignRandomBlues(state, host);
    if (refused())
        return;
    host.QueueSaveFile(std::filesystem::absolute(*out));
    SavePurchaseList(state, host);
}

const bool purchaseRegistered = RegisterCommand({"purchase", kPurchaseUsage, RunPurchase});

const bool checkRegistered =
    RegisterCommand({"check", "[--draw \"01 02 03 04 05 06 +07\"] LISTFILE", RunCheck});

} // namespace
