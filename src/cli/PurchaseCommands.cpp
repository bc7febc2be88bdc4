// The purchase list and the prize check without windows.

#include "session/PurchaseCommands.h"
#include "cli/Cli.h"
#include "cli/FilterCommands.h"
#include "core/Error.h"
#include "filters/FilterRun.h"
#include "history/HistoryLoad.h"
#include "history/TextFile.h"
#include "purchase/BluePicker.h"
#include "purchase/PrizeCheck.h"
#include "purchase/PurchaseList.h"
#include "purchase/Replay.h"
#include "session/FilterCommands.h"
#include "session/HistoryCommands.h"

#include <cstdio>
#include <filesystem>

namespace {

using namespace qv;
using namespace qv::cli;

const char* const kCheckArgs =
    "[--draw \"01 02 03 04 05 06 +07\"] [--first AMOUNT] [--second AMOUNT] LISTFILE";
const char* const kReplayArgs = "[--draws N] LISTFILE";

void PrintLines(const Lines& lines)
{
    for (const auto& line : lines) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
}

// An amount in 元: a whole number, not negative.
std::uint64_t ParseAmount(const std::string& name, const std::string& text)
{
    std::uint64_t value = 0;
    const bool digits =
        !text.empty() && text.size() <= 12 && text.find_first_not_of("0123456789") == std::string::npos;
    if (!digits)
        throw UsageError{"--" + name + " takes an amount in yuan (a whole number), not '" + text + "'"};
    for (const char c : text)
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    return value;
}

std::string JsonOptional(const std::optional<std::uint64_t>& value)
{
    return value ? std::to_string(*value) : std::string("null");
}

std::string PrizesJson(const PurchaseState& purchase)
{
    const PrizeTotals totals = TotalPrizes(purchase.PrizeCounts, purchase.PrizeBets, purchase.FloatingPrizes);
    std::string json = "{\"tiers\":[";
    for (const auto& rule : kPrizeTiers) {
        if (rule.Tier > 1)
            json += ',';
        json += "{\"tier\":" + std::to_string(rule.Tier) + ",\"count\":" +
                std::to_string(purchase.PrizeCounts[static_cast<std::size_t>(rule.Tier - 1)]) +
                ",\"amount\":" + JsonOptional(TierAmount(rule.Tier, purchase.FloatingPrizes)) + "}";
    }
    json += "],\"bets\":" + std::to_string(totals.Bets) + ",\"cost\":" + std::to_string(totals.Cost) +
            ",\"fixed\":" + std::to_string(totals.Fixed) + ",\"total\":" + JsonOptional(totals.Total) + "}";
    return json;
}

// "载入查询清单" answered with LISTFILE, then "查询中奖" against the draw typed into Edit7,
// with the amounts of the floating tiers when given.
void RunCheck(Context& ctx, std::vector<std::string>& args)
{
    static const std::string usage = std::string("check ") + kCheckArgs;
    const auto draw = TakeOption(args, "draw");
    const auto first = TakeOption(args, "first");
    const auto second = TakeOption(args, "second");
    ExpectPositional(args, 1, usage);
    PurchaseState& purchase = ctx.State.Purchase;
    if (draw)
        purchase.QueryDraw = *draw;
    if (first)
        purchase.FloatingPrizes.First = ParseAmount("first", *first);
    if (second)
        purchase.FloatingPrizes.Second = ParseAmount("second", *second);
    ctx.Host.QueueOpenFile(std::filesystem::absolute(args[0]));
    LoadQueryList(ctx.State, ctx.Host);
    CheckPrizes(ctx.State, ctx.Host);
    ctx.Lists["prizes"] = PrizesJson(purchase);
    if (ctx.Json)
        return;
    PrintLines(purchase.PrizeResult);
    if (!purchase.PrizeResult.empty() && !purchase.PrizeResult.back().empty())
        std::fputc('\n', stdout);
    PrintLines(PrizeTotalLines(purchase.PrizeCounts, purchase.PrizeBets, purchase.FloatingPrizes));
}

// "历史回放" over LISTFILE: the start-up's history load, then the list bought in each of
// the newest N draws.
void RunReplay(Context& ctx, std::vector<std::string>& args)
{
    static const std::string usage = std::string("replay ") + kReplayArgs;
    const auto draws = TakeOption(args, "draws");
    ExpectPositional(args, 1, usage);
    PurchaseState& purchase = ctx.State.Purchase;
    purchase.ReplayDrawCount = kDefaultReplayDraws;
    if (draws && (!TryStrToInt(*draws, purchase.ReplayDrawCount) || purchase.ReplayDrawCount < 1))
        throw UsageError{"--draws takes a number of draws of at least 1, not '" + *draws + "'"};
    LoadHistory(ctx.State);
    ctx.Host.QueueOpenFile(std::filesystem::absolute(args[0]));
    LoadQueryList(ctx.State, ctx.Host);
    ReplayQueryList(ctx.State, ctx.Host);

    const ReplayResult& replay = purchase.Replay;
    std::string json = "{\"draws\":[";
    for (std::size_t i = 0; i < replay.Draws.size(); ++i) {
        const ReplayDraw& draw = replay.Draws[i];
        if (i)
            json += ',';
        json += "{\"issue\":" + JsonString(draw.Issue) + ",\"tiers\":[";
        for (std::size_t t = 0; t < draw.Tiers.size(); ++t) {
            if (t)
                json += ',';
            json += std::to_string(draw.Tiers[t]);
        }
        json += "],\"fixed\":" + std::to_string(draw.Fixed) + "}";
    }
    json += "],\"bets\":" + std::to_string(replay.Bets) + ",\"cost\":" + std::to_string(replay.Cost) +
            ",\"fixed\":" + std::to_string(replay.Fixed) +
            ",\"returnRate\":" + JsonNumber(replay.ReturnRate) + "}";
    ctx.Lists["replay"] = json;
    if (!ctx.Json)
        PrintLines(ReplayTableLines(replay));
}

// The bets and cost of a list of single, compound and banker lines, before any expansion.
void RunCount(Context& ctx, std::vector<std::string>& args)
{
    ExpectPositional(args, 1, "count LISTFILE");
    const Lines lines = LoadLines(std::filesystem::absolute(args[0]));
    const BetTally tally = TallyBets(lines, "清单");
    if (tally.Unreadable > 0)
        throw Error(tally.FirstProblem);
    ctx.Lists["count"] = "{\"lines\":" + std::to_string(tally.LineCount) +
                         ",\"bets\":" + std::to_string(tally.Bets) +
                         ",\"cost\":" + std::to_string(tally.Bets * kBetPrice) + "}";
    if (ctx.Json)
        return;
    const std::string line = "共" + std::to_string(tally.LineCount) + "行，" + BetTotalText(tally.Bets);
    PrintLines({line});
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

const bool checkRegistered = RegisterCommand({"check", kCheckArgs, RunCheck});
const bool replayRegistered = RegisterCommand({"replay", kReplayArgs, RunReplay});
const bool countRegistered = RegisterCommand({"count", "LISTFILE", RunCount});

} // namespace
