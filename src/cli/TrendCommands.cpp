#include "cli/Cli.h"

#include "analysis/TrendGrid.h"
#include "core/Error.h"
#include "history/HistoryLoad.h"
#include "history/TextFile.h"
#include "session/HistoryCommands.h"

#ifdef QUORVANE_TREND_PNG
#include <dlfcn.h>
#endif

#include <cstdio>
#include <filesystem>
#include <limits>

namespace {

using namespace qv::cli;

#ifdef QUORVANE_TREND_PNG
// Draws the grid with the picture module: beside this program in the build, in the
// library folder of the installed layout.
void SaveTrendPng(const qv::TrendGrid& grid, bool showOmissions, const std::filesystem::path& path)
{
    using Save = const char* (*)(const qv::TrendGrid*, bool, const char*);
    std::error_code ec;
    const auto dir = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    Save save = nullptr;
    for (const auto& candidate : {dir / QUORVANE_TREND_PNG, dir.parent_path() / QUORVANE_INSTALLED_LIBDIR /
                                                                "quorvane" / QUORVANE_TREND_PNG}) {
        // The module stays loaded: the toolkit it brings does not unload cleanly.
        if (void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            save = reinterpret_cast<Save>(dlsym(module, "QuorvaneSaveTrendPng"));
            break;
        }
    }
    if (save == nullptr)
        throw qv::Error(std::string("找不到绘图模块 ") + QUORVANE_TREND_PNG +
                        "，不能生成 PNG 图片（它应与本程序一同安装）");
    if (const char* error = save(&grid, showOmissions, path.c_str()))
        throw qv::Error(error);
}
#endif

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
        SaveTrendPng(grid, omissions, std::filesystem::absolute(*pngFile));
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
