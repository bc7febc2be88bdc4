// Commands of the selection view: the expansion of a bet list into the number basket and
// the 24-code selector's hit marking.

#include "session/SelectionCommands.h"
#include "cli/Cli.h"
#include "core/Error.h"
#include "history/Gbk.h"
#include "history/TextFile.h"
#include "selection/Basket.h"
#include "selection/BetList.h"
#include "selection/Selector24.h"

#include <cstdio>

namespace {

using namespace qv;
using namespace qv::cli;

void RunExpand(Context& ctx, std::vector<std::string>& args)
{
    ExpectPositional(args, 1, "expand BETFILE");
    ShowStartLabels(ctx.Host);
    ctx.State.Selection.BetList = LoadLinesUtf8OrGbk(args[0]);
    ExpandBetList(ctx.State, ctx.Host);
}

void RunGroups(Context& ctx, std::vector<std::string>& args)
{
    const std::string usage = "groups (--issue ISSUE | --line \"HISTORY LINE\")";
    const auto issue = TakeOption(args, "issue");
    const auto line = TakeOption(args, "line");
    ExpectPositional(args, 0, usage);
    if (issue.has_value() == line.has_value())
        throw UsageError{"give either --issue or --line; usage: " + usage};
    ShowStartLabels(ctx.Host);

    auto& selector = ctx.State.Selection.Selector;
    if (issue) {
        FillIssueSelector(ctx.State, ctx.Host);
        selector.SelectedIssue = -1;
        for (std::size_t i = 0; i < selector.Issues.size(); ++i) {
            const auto fields = SplitFieldViews(selector.Issues[i]);
            if (!fields.empty() && fields[0] == *issue) {
                selector.SelectedIssue = static_cast<int>(i);
                break;
            }
        }
        if (selector.SelectedIssue < 0)
            throw Error("开奖历史中没有期号" + *issue);
    } else {
        selector.Issues = {*line};
        selector.SelectedIssue = 0;
    }
    QueryGroups(ctx.State, ctx.Host);

    std::string text;
    std::string json = "[";
    for (int g = 0; g < kGroupCount24; ++g) {
        if (!selector.Red[g])
            continue;
        if (!text.empty()) {
            text += ' ';
            json += ',';
        }
        text += std::to_string(g + 1);
        json += std::to_string(g + 1);
    }
    json += ']';
    if (ctx.Json) {
        ctx.Lists["Groups"] = json;
    } else {
        text += '\n';
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
}

const bool registeredExpand = RegisterCommand({"expand", "BETFILE", RunExpand});
const bool registeredGroups =
    RegisterCommand({"groups", "(--issue ISSUE | --line \"HISTORY LINE\")", RunGroups});

} // namespace
