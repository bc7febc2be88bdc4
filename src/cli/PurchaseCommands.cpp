// The purchase list and the prize check without windows.

#include "cli/Cli.h"
#include "purchase/PrizeCheck.h"

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

const bool checkRegistered =
    RegisterCommand({"check", "[--draw \"01 02 03 04 05 06 +07\"] LISTFILE", RunCheck});

} // namespace
