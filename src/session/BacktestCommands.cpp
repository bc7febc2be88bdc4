#include "session/BacktestCommands.h"

#include "history/TextFile.h"
#include "purchase/Replay.h"
#include "session/AppState.h"

#include <cstdio>

namespace qv {

namespace {

std::string Fixed(double value, int digits)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return text;
}

// A CSV field: quoted when it holds a comma, a quote or a line end.
std::string Field(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string Row(std::initializer_list<std::string> fields)
{
    std::string row;
    for (const auto& field : fields) {
        if (!row.empty())
            row += ',';
        row += Field(field);
    }
    return row;
}

} // namespace

BacktestRequest BacktestRequestOf(const AppState& state, std::size_t draws, bool shrink)
{
    BacktestRequest request;
    request.History = state.HistoryLines;
    request.Settings = state.Filters;
    request.Switches = state.Analysis.PredictionView.Switches;
    request.Draws = draws;
    request.Shrink = shrink;
    request.Tolerance = state.Filters.Tolerance;
    return request;
}

Lines BacktestFilterCsv(const BacktestReport& report)
{
    Lines lines;
    std::string header = "名称,开启,误杀次数,误杀率,错误次数";
    if (report.Shrink)
        header += ",平均缩水率,提升倍数";
    lines.push_back(header);
    for (const auto& f : report.Filters) {
        std::string row = Row({f.Info->Caption, f.On ? "是" : "否", std::to_string(f.Removed),
                               PercentText(f.KillRate), std::to_string(f.Errors)});
        if (report.Shrink) {
            row += ',';
            row += PercentText(f.MeanShare);
            row += ',';
            row += f.Lift ? Fixed(*f.Lift, 3) : std::string("-");
        }
        lines.push_back(row);
    }
    return lines;
}

Lines BacktestDrawCsv(const BacktestReport& report)
{
    Lines lines;
    std::string header = "期号,开奖红球,保留/被排除,排除它的过滤器,错误";
    if (report.Shrink)
        header += ",缩水率";
    lines.push_back(header);
    for (const auto& draw : report.Draws) {
        std::vector<std::string> removedBy;
        for (const std::size_t f : RemovedBy(report, draw))
            removedBy.push_back(report.Filters[f].Info->Caption);
        std::vector<std::string> errors;
        for (const std::size_t f : FailedOn(report, draw))
            errors.push_back(draw.Filters[f].Error);
        std::string row = Row({draw.Issue, draw.Reds, draw.Kept ? "保留" : "被排除", Join(removedBy, "、"),
                               Join(errors, "；")});
        if (report.Shrink) {
            row += ',';
            row += draw.RunShare >= 0 ? PercentText(draw.RunShare) : std::string("-");
        }
        lines.push_back(row);
    }
    return lines;
}

Lines BacktestListCsv(const BacktestReport& report)
{
    Lines lines{"列表,命中,个数,随机期望"};
    for (const auto& list : report.Lists)
        lines.push_back(Row(
            {list.Caption, std::to_string(list.Hits), std::to_string(list.Items), Fixed(list.Expected, 2)}));
    return lines;
}

void SaveBacktestCsv(const BacktestReport& report, const std::filesystem::path& path)
{
    Lines lines{Field(BacktestSummary(report)), ""};
    for (const Lines& table : {BacktestFilterCsv(report), BacktestDrawCsv(report), BacktestListCsv(report)}) {
        lines.insert(lines.end(), table.begin(), table.end());
        lines.push_back("");
    }
    lines.pop_back();
    SaveLines(path, lines);
}

} // namespace qv
