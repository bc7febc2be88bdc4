// Draws imported from a text file into the history, then one recompute.

#include "cli/Cli.h"
#include "core/Error.h"
#include "history/AppPaths.h"
#include "history/DrawImport.h"
#include "history/TextFile.h"
#include "session/HistoryCommands.h"
#include "session/Pipeline.h"

#include <filesystem>

namespace qv::cli {

namespace {

constexpr const char* kUsage = "import FILE [--dry-run] [--replace]";

template <typename Items, typename Write> std::string JsonArray(const Items& items, Write write)
{
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i)
            out += ',';
        out += write(items[i]);
    }
    return out + "]";
}

std::string ImportJson(const ImportPlan& plan, bool applied)
{
    std::string out = "{\"added\":";
    out += JsonArray(plan.Added, [](const ImportedDraw& d) { return JsonString(d.Issue); });
    out += ",\"unchanged\":" + std::to_string(plan.Unchanged);
    out += ",\"conflicts\":" + JsonArray(plan.Conflicts, [](const ImportConflict& c) {
               return "{\"issue\":" + JsonString(c.Issue) + ",\"old\":" + JsonString(c.Old) +
                      ",\"new\":" + JsonString(c.New) + "}";
           });
    out += ",\"rejected\":" + JsonArray(plan.Rejected, [](const ImportRejection& r) {
               return "{\"line\":" + std::to_string(r.LineNumber) + ",\"text\":" + JsonString(r.Text) +
                      ",\"reason\":" + JsonString(r.Reason) + "}";
           });
    out += ",\"gaps\":" + JsonArray(plan.Gaps, [](const std::string& issue) { return JsonString(issue); });
    out += std::string(",\"applied\":") + (applied ? "true" : "false") + "}";
    return out;
}

void Import(Context& ctx, std::vector<std::string>& args)
{
    const bool dryRun = TakeFlag(args, "dry-run");
    const bool replace = TakeFlag(args, "replace");
    ExpectPositional(args, 1, kUsage);

    // Without a history yet, the imported draws become the whole history.
    const auto historyFile = ctx.State.File(files::kHistory);
    const Lines history = std::filesystem::exists(historyFile) ? LoadLines(historyFile) : Lines{};
    const ImportPlan plan = PlanImport(history, LoadLinesUtf8OrGbk(args[0]));
    ctx.Lists["import"] = ImportJson(plan, false);
    for (const auto& line : DescribeImport(plan))
        ctx.Host.Log(line);
    if (!replace && !plan.Conflicts.empty())
        ctx.Host.Log("冲突的期号保留原记录；要以导入的号码替换，请加 --replace");
    if (plan.ValidLines == 0)
        throw Error("没有找到有效的开奖数据：" + args[0]);
    if (dryRun || !plan.Changes(replace))
        return;
    SaveImportedHistory(ctx.State, MergeImport(history, plan, replace));
    ctx.Lists["import"] = ImportJson(plan, true);
    ctx.Host.Log("开奖记录已写入，正在重新运算全部数据");
    RecomputeAll(ctx.State, ctx.Host);
}

const bool registered = RegisterCommand({"import", "FILE [--dry-run] [--replace]", Import});

} // namespace
} // namespace qv::cli
