#include "history/DrawImport.h"

#include "core/Error.h"
#include "history/DrawLine.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace qv {

namespace {

bool NewerFirst(const std::string& a, const std::string& b)
{
    return a > b;
}

std::string IssueText(int year, int draw)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d%03d", year, draw);
    return text;
}

// At most a few entries of a long list go to the log, then how many more there are.
constexpr std::size_t kLoggedEntries = 10;

template <typename Items, typename Describe> void LogSome(Lines& log, const Items& items, Describe describe)
{
    for (std::size_t i = 0; i < items.size() && i < kLoggedEntries; ++i)
        log.push_back(describe(items[i]));
    if (items.size() > kLoggedEntries)
        log.push_back("……另有" + std::to_string(items.size() - kLoggedEntries) + "条");
}

} // namespace

ImportPlan PlanImport(const Lines& history, const Lines& input)
{
    ImportPlan plan;
    std::map<std::string, std::size_t, std::less<>> stored;
    for (std::size_t i = 0; i < history.size(); ++i)
        if (const std::string_view issue = IssueOf(history[i]); !issue.empty())
            stored.emplace(std::string(issue), i);

    std::map<std::string, ImportedDraw> seen;
    for (std::size_t n = 0; n < input.size(); ++n) {
        const int lineNumber = static_cast<int>(n) + 1;
        const DrawLineRead read = ReadDrawLine(input[n]);
        if (read.Blank)
            continue;
        if (!read.Draw) {
            plan.Rejected.push_back({lineNumber, input[n], read.Reason});
            continue;
        }
        ImportedDraw draw{lineNumber, read.Draw->Issue, read.Draw->ToLine()};
        if (const auto earlier = seen.find(draw.Issue); earlier != seen.end()) {
            if (earlier->second.Line != draw.Line)
                plan.Rejected.push_back({lineNumber, input[n],
                                         "与第" + std::to_string(earlier->second.LineNumber) +
                                             "行同一期号的号码不同：" + earlier->second.Line});
            else
                ++plan.ValidLines;
            continue;
        }
        ++plan.ValidLines;
        seen.emplace(draw.Issue, draw);
        if (const auto found = stored.find(draw.Issue); found != stored.end()) {
            const std::string& old = history[found->second];
            if (old == draw.Line)
                ++plan.Unchanged;
            else
                plan.Conflicts.push_back({draw.Issue, old, draw.Line});
        } else {
            plan.Added.push_back(std::move(draw));
        }
    }
    std::sort(plan.Added.begin(), plan.Added.end(),
              [](const ImportedDraw& a, const ImportedDraw& b) { return NewerFirst(a.Issue, b.Issue); });
    std::sort(plan.Conflicts.begin(), plan.Conflicts.end(),
              [](const ImportConflict& a, const ImportConflict& b) { return NewerFirst(a.Issue, b.Issue); });

    std::vector<std::string> issues;
    issues.reserve(stored.size() + plan.Added.size());
    for (const auto& [issue, index] : stored)
        issues.push_back(issue);
    for (const auto& draw : plan.Added)
        issues.push_back(draw.Issue);
    plan.Gaps = IssueGaps(std::move(issues));
    return plan;
}

Lines MergeImport(const Lines& history, const ImportPlan& plan, bool replaceConflicts)
{
    std::map<std::string, const std::string*, std::less<>> replacements;
    if (replaceConflicts)
        for (const auto& conflict : plan.Conflicts)
            replacements.emplace(conflict.Issue, &conflict.New);
    Lines merged;
    merged.reserve(history.size() + plan.Added.size());
    std::size_t next = 0;
    for (const std::string& line : history) {
        const std::string_view issue = IssueOf(line);
        if (!issue.empty()) {
            while (next < plan.Added.size() && plan.Added[next].Issue > issue)
                merged.push_back(plan.Added[next++].Line);
        }
        const auto replacement = replacements.find(issue);
        merged.push_back(replacement != replacements.end() ? *replacement->second : line);
    }
    for (; next < plan.Added.size(); ++next)
        merged.push_back(plan.Added[next].Line);
    return merged;
}

std::vector<std::string> IssueGaps(std::vector<std::string> issues)
{
    std::sort(issues.begin(), issues.end(), NewerFirst);
    issues.erase(std::unique(issues.begin(), issues.end()), issues.end());
    std::vector<std::string> gaps;
    for (std::size_t i = 1; i < issues.size(); ++i) {
        const std::string& newer = issues[i - 1];
        const std::string& older = issues[i];
        const int newerYear = StrToInt(newer.substr(0, 4));
        const int newerDraw = StrToInt(newer.substr(4));
        const int olderYear = StrToInt(older.substr(0, 4));
        int first = 0; // the newer year's draws from first up to newerDraw - 1 are missing
        if (newerYear == olderYear)
            first = StrToInt(older.substr(4)) + 1;
        else if (newerYear == olderYear + 1)
            first = 1;
        else
            continue;
        for (int draw = newerDraw - 1; draw >= first; --draw)
            gaps.push_back(IssueText(newerYear, draw));
    }
    return gaps;
}

std::string ImportedHistoryFault(const Lines& merged)
{
    if (merged.empty())
        return "开奖记录是空的，没有写入任何数据。";
    if (const auto fault = FindHistoryFault(merged))
        return "导入后的开奖记录第" + std::to_string(fault->LineNumber) + "行" +
               (fault->Order ? "期号顺序不对" : "格式不对") + "，没有写入任何数据：\n" + fault->Line + "\n" +
               fault->Reason;
    return {};
}

Lines DescribeImport(const ImportPlan& plan)
{
    Lines log;
    log.push_back("导入开奖数据：新增" + std::to_string(plan.Added.size()) + "期，未变" +
                  std::to_string(plan.Unchanged) + "期，冲突" + std::to_string(plan.Conflicts.size()) +
                  "期，拒绝" + std::to_string(plan.Rejected.size()) + "行，缺期" +
                  std::to_string(plan.Gaps.size()) + "期");
    LogSome(log, plan.Added, [](const ImportedDraw& d) { return "新增：" + d.Line; });
    LogSome(log, plan.Conflicts, [](const ImportConflict& c) {
        return "冲突：期号" + c.Issue + "，原记录 " + c.Old + "，导入 " + c.New;
    });
    LogSome(log, plan.Rejected, [](const ImportRejection& r) {
        return "拒绝：第" + std::to_string(r.LineNumber) + "行 " + r.Text + "（" + r.Reason + "）";
    });
    LogSome(log, plan.Gaps, [](const std::string& issue) { return "缺期：" + issue; });
    return log;
}

} // namespace qv
