// The backtest without windows: every filter and list against the newest draws.

#include "session/BacktestCommands.h"
#include "cli/Cli.h"
#include "cli/FilterCommands.h"
#include "cli/PredictionOptions.h"
#include "core/Error.h"
#include "filters/Backtest.h"
#include "session/HistoryCommands.h"

#include <cstdio>

namespace qv::cli {

namespace {

constexpr const char* kUsage = "[--draws N] [--shrink] [--tolerance K] [--none] [--select-all] [--recommend] "
                               "[--enable NAMES] [--disable NAMES] [--set NAME=TEXT] [--set-file NAME=FILE] "
                               "[--off CheckBox1,...] [--csv FILE]";

std::string JsonShare(double value)
{
    return value >= 0 ? JsonNumber(value) : std::string("null");
}

std::string BacktestJson(const BacktestReport& report)
{
    std::string json = "{\"draws\":[";
    for (std::size_t d = 0; d < report.Draws.size(); ++d) {
        const BacktestDraw& draw = report.Draws[d];
        if (d)
            json += ',';
        json += "{\"issue\":" + JsonString(draw.Issue) + ",\"reds\":" + JsonString(draw.Reds) +
                ",\"removedBy\":[";
        const char* separator = "";
        for (const std::size_t f : RemovedBy(report, draw)) {
            json += separator;
            json += JsonString(report.Filters[f].Info->CheckBox);
            separator = ",";
        }
        json += "],\"errors\":{";
        separator = "";
        for (const std::size_t f : FailedOn(report, draw)) {
            json += separator;
            json += JsonString(report.Filters[f].Info->CheckBox);
            json += ':';
            json += JsonString(draw.Filters[f].Error);
            separator = ",";
        }
        json += std::string("},\"kept\":") + (draw.Kept ? "true" : "false");
        if (report.Shrink)
            json += ",\"runShare\":" + JsonShare(draw.RunShare);
        json += '}';
    }
    json += "],\"filters\":[";
    for (std::size_t f = 0; f < report.Filters.size(); ++f) {
        const BacktestFilter& filter = report.Filters[f];
        if (f)
            json += ',';
        json +=
            "{\"name\":" + JsonString(filter.Info->CheckBox) +
            ",\"caption\":" + JsonString(filter.Info->Caption) + ",\"on\":" + (filter.On ? "true" : "false") +
            ",\"removed\":" + std::to_string(filter.Removed) + ",\"errors\":" + std::to_string(filter.Errors);
        if (report.Shrink)
            json += ",\"meanShare\":" + JsonNumber(filter.MeanShare) +
                    ",\"lift\":" + (filter.Lift ? JsonNumber(*filter.Lift) : std::string("null"));
        json += '}';
    }
    json += "],\"lists\":{";
    for (std::size_t k = 0; k < report.Lists.size(); ++k) {
        const ListHits& list = report.Lists[k];
        if (k)
            json += ',';
        json += JsonString(list.Name) + ":{\"hits\":" + std::to_string(list.Hits) +
                ",\"items\":" + std::to_string(list.Items) + ",\"expected\":" + JsonNumber(list.Expected) +
                "}";
    }
    json += "},\"kept\":" + std::to_string(report.Kept) + "}";
    return json;
}

void PrintLines(const Lines& lines)
{
    for (const auto& line : lines) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    std::fputc('\n', stdout);
}

void RunBacktestCommand(Context& ctx, std::vector<std::string>& args)
{
    const auto draws = TakeOption(args, "draws");
    const bool shrink = TakeFlag(args, "shrink");
    const auto csv = TakeOption(args, "csv");
    ApplyPredictionOff(args, ctx.State);
    PrepareFilterRun(ctx, args);
    ExpectPositional(args, 0, kUsage);

    // The history as the program reads it; no stored file is read or written.
    LoadHistory(ctx.State);
    const std::size_t historyDraws = ctx.State.HistoryLines.size();
    std::size_t count = std::min<std::size_t>(100, LargestBacktest(historyDraws));
    if (draws) {
        std::string problem;
        const auto parsed = ParseBacktestDraws(*draws, historyDraws, problem);
        if (!parsed)
            throw Error(problem);
        count = *parsed;
    } else if (count == 0) {
        throw Error(BacktestDrawsProblem(100, historyDraws));
    }

    BacktestHooks hooks;
    if (ctx.ReportProgress)
        hooks.Progress = [](std::size_t done, std::size_t total) {
            std::fprintf(stderr, "进度：%zu/%zu\n", done, total);
        };
    const BacktestReport report = RunBacktest(BacktestRequestOf(ctx.State, count, shrink), hooks);

    if (!ctx.Json) {
        PrintLines(BacktestFilterCsv(report));
        PrintLines(BacktestDrawCsv(report));
        PrintLines(BacktestListCsv(report));
    }
    if (csv)
        SaveBacktestCsv(report, std::filesystem::absolute(*csv));
    ctx.Lists["backtest"] = BacktestJson(report);
    ctx.Host.Log(BacktestSummary(report));
    if (csv)
        ctx.Host.Log("已导出：" + *csv);
}

const bool registered = RegisterCommand({"backtest", kUsage, RunBacktestCommand});

} // namespace
} // namespace qv::cli
