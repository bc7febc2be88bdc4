// Commands of the selection view: the expansion of a bet list into the number basket and
// the 24-code selector's hit marking.

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

// True when bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0;
            if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            if (c == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char t = static_cast<unsigned char>(bytes[i + k]);
            const unsigned char lo = k == 1 ? low : 0x80;
            const unsigned char hi = k == 1 ? high : 0xBF;
            if (t < lo || t > hi)
                return false;
        }
        i += length;
    }
    return true;
}

// A bet file in UTF-8 (with or without a byte order mark) or in GBK.
Lines ReadBetFile(const std::string& path)
{
    std::string bytes = ReadFileBytes(path);
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0 && IsValidUtf8(bytes))
        return SplitLines(std::string_view(bytes).substr(3));
    if (IsValidUtf8(bytes))
        return SplitLines(bytes);
    return SplitLines(GbkToUtf8(bytes));
}

void RunExpand(Context& ctx, std::vector<std::string>& args)
{
    ExpectPositional(args, 1, "expand BETFILE");
    ShowStartLabels(ctx.Host);
    ctx.State.Selection.BetList = ReadBetFile(args[0]);
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
