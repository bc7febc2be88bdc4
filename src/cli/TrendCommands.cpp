#include "cli/Cli.h"

#include "analysis/TrendGrid.h"
#include "core/Error.h"
#include "history/HistoryLoad.h"
#include "history/TextFile.h"
#include "session/HistoryCommands.h"

#ifdef QUORVANE_TREND_PNG
#include "ui/analysis/TrendImage.h"
#endif

#include <cstdio>
#include <filesystem>
#include <limits>

namespace {

using namespace qv::cli;

const char* const kUsage = "[--draws N|all] [--blue] [--no-omissions] [--csv FILE] [--png FILE]";

std::size_t DrawsOption(std::vector<std::string>& args)
{
    const auto text = TakeOption(args, "draws");
    if (!text)
        return qv::kTrendDefaultDraws;
    if (*text == "all")
        return std::numeric_limits<std::size_t>::max();
    int draws = 0;
    if (!qv::TryStrToInt(*text, draws) || draws < 1)
        throw UsageError{"--draws needs a positive number or all, not " + *text};
    return static_cast<std::size_t>(draws);
}

// The grid of the newest draws as CSV: to --csv FILE, or to stdout when neither file is
// named (inside the JSON object as lists.TrendCsv with --json). --png draws the grid.
void RunTrend(Context& ctx, std::vector<std::string>& args)
{
    const std::size_t draws = DrawsOption(args);
    const bool blue = TakeFlag(args, "blue");
    [[maybe_unused]] const bool omissions = !TakeFlag(args, "no-omissions");
    const auto csvFile = TakeOption(args, "csv");
    const auto pngFile = TakeOption(args, "png");
    ExpectPositional(args, 0, std::string("trend ") + kUsage);
#ifndef QUORVANE_TREND_PNG
    if (pngFile)
        throw qv::Error("此版本没有图形库，不能生成 PNG 图片（需带桌面程序构建）");
#endif

    qv::LoadHistory(ctx.State);
    if (ctx.State.HistoryLines.empty())
        throw qv::Error("历史数据为空，没有可显示的走势图");
    const qv::TrendGrid grid =
        qv::BuildTrendGrid(ctx.State.HistoryLines, blue ? qv::BallColour::Blue : qv::BallColour::Red, draws);
    const std::string csv = qv::TrendCsv(grid);
    const char* colour = blue ? "蓝球" : "红球";

    if (csvFile) {
        qv::ReplaceFile(std::filesystem::absolute(*csvFile), csv);
        ctx.Host.Log(std::string(colour) + "走势图（" + std::to_string(grid.Rows()) + "期）已保存：" +
                     *csvFile);
    }
#ifdef QUORVANE_TREND_PNG
    if (pngFile) {
        qv::ui::SaveTrendPng(grid, omissions, std::filesystem::absolute(*pngFile));
        ctx.Host.Log(std::string(colour) + "走势图图片已保存：" + *pngFile);
    }
#endif
    if (csvFile || pngFile)
        return;
    if (ctx.Json)
        ctx.Lists["TrendCsv"] = JsonString(csv);
    else
        std::fwrite(csv.data(), 1, csv.size(), stdout);
}

const bool registered = RegisterCommand({"trend", kUsage, RunTrend});

} // namespace
