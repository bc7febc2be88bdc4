#include "indicators/IndicatorRefresh.h"

#include "session/AppState.h"
#include "core/Error.h"
#include "core/Host.h"
#include "history/HistoryLoad.h"
#include "history/StoredFile.h"
#include "history/TextFile.h"
#include "indicators/BlueIndicators.h"
#include "indicators/FieldCut.h"
#include "indicators/RedIndicators.h"

namespace qv {

namespace {

constexpr std::size_t kRedFields = 25;
constexpr std::size_t kBlueFields = 7;

// A table line cut at blanks; a line with fewer than N fields is reported with the index of
// the first field missing, the way reading them in order finds it.
template <std::size_t N> std::array<std::string_view, N> FieldsOf(std::string_view line)
{
    std::array<std::string_view, N> fields;
    const std::size_t found = CutFields(line, fields);
    if (found < N)
        throw Error::ListIndexOutOfBounds(static_cast<long long>(found));
    return fields;
}

// Fills rows from the table line by line. The rows before a line that cannot be shown stay,
// and the view is told either way. A table computed from history (one line per draw) that
// the view cannot show comes from a history line of the wrong form, which is reported.
template <typename RowOf>
void FillView(IndicatorRows& rows, const Lines& table, const char* view, Host& host, RowOf rowOf,
              const Lines* history)
{
    rows.reserve(table.size());
    try {
        for (const auto& line : table)
            rows.push_back(rowOf(line));
    } catch (const Error& e) {
        host.ViewChanged(view);
        const std::size_t index = rows.size();
        if (history && index < history->size())
            throw HistoryLineError(index, (*history)[index], e);
        throw;
    } catch (...) {
        host.ViewChanged(view);
        throw;
    }
    host.ViewChanged(view);
}

// A stored table for the reload: every line must have the fields its view shows.
template <std::size_t N> Lines LoadStoredTable(const AppState& state, std::string_view file)
{
    Lines table = LoadStoredLines(state, file);
    CheckStoredLines(file, [&table]() {
        for (const auto& line : table)
            (void)FieldsOf<N>(line);
    });
    return table;
}

void ClearView(IndicatorRows& rows, const char* view, Host& host)
{
    rows.clear();
    host.ViewChanged(view);
}

void ExportTable(AppState& state, Host& host, std::string_view stored, const char* proposedName)
{
    const Lines lines = LoadLines(state.File(stored));
    const auto chosen = host.ChooseSaveFile(state.TextFileDialog(proposedName));
    if (!chosen)
        return;
    SaveLines(*chosen, lines);
}

} // namespace

IndicatorRow RedViewRow(std::string_view line)
{
    const auto fields = FieldsOf<kRedFields>(line);
    IndicatorRow row;
    row.reserve(19);
    row.emplace_back(fields[0]);
    std::string numbers;
    numbers.reserve(21);
    for (std::size_t k = 1; k <= 6; ++k) {
        if (k > 1)
            numbers += ' ';
        numbers += fields[k];
    }
    numbers += " +";
    numbers += fields[7];
    row.push_back(std::move(numbers));
    for (std::size_t k = 8; k < kRedFields; ++k)
        row.emplace_back(fields[k]);
    return row;
}

IndicatorRow BlueViewRow(std::string_view line)
{
    const auto fields = FieldsOf<kBlueFields>(line);
    return IndicatorRow(fields.begin(), fields.end());
}

void RefreshIndicators(AppState& state, Host& host)
{
    LoadHistory(state);
    IndicatorState& indicators = state.Indicators;
    const bool ready = state.Flag.IsReady();
    const bool stale = state.Flag.IsStale();

    LogStep(host, "正在初始化数据...");
    std::string total = "合计：";
    total += std::to_string(state.HistoryLines.size());
    total += "期数据进行分析...ing";
    LogStep(host, total);

    // The red table. With a flag that is neither value there is nothing to show, and the
    // stored files are left as they are.
    ClearView(indicators.RedRows, kRedIndicatorView, host);
    indicators.RedIndicatorTable.clear();
    if (ready)
        indicators.RedIndicatorTable = LoadStoredTable<kRedFields>(state, files::kRedAna);
    else if (stale)
        indicators.RedIndicatorTable = ComputeRedIndicatorTable(state.HistoryLines, state.RedHistory, host);
    LogStep(host, "正在进行数据导入操作....");
    FillView(indicators.RedRows, indicators.RedIndicatorTable, kRedIndicatorView, host, RedViewRow,
             stale ? &state.HistoryLines : nullptr);
    if (ready || stale)
        SaveLines(state.File(files::kRedAna), indicators.RedIndicatorTable);
    LogStep(host, "数据导入成功.....OK");
    LogStep(host, "红球数据统计完毕->");
    LogStep(host, "正在研究蓝码...");

    // The blue table.
    indicators.BlueIndicatorTable.clear();
    ClearView(indicators.BlueRows, kBlueIndicatorView, host);
    if (ready)
        indicators.BlueIndicatorTable = LoadStoredTable<kBlueFields>(state, files::kBlueAna);
    else if (stale)
        indicators.BlueIndicatorTable = ComputeBlueIndicatorTable(state.HistoryLines);
    if (ready || stale)
        SaveLines(state.File(files::kBlueAna), indicators.BlueIndicatorTable);
    FillView(indicators.BlueRows, indicators.BlueIndicatorTable, kBlueIndicatorView, host, BlueViewRow,
             stale ? &state.HistoryLines : nullptr);
    LogStep(host, "研究蓝码...OK");
}

namespace {

// "issue(ordinal)" and then the given fields of the history line, each after a blank.
bool OpensWith(std::string_view tableLine, const std::vector<std::string_view>& fields, std::size_t ordinal,
               std::size_t firstField, std::size_t lastField)
{
    std::string expected(fields.empty() ? std::string_view() : fields[0]);
    expected += '(';
    expected += std::to_string(ordinal);
    expected += ')';
    for (std::size_t k = firstField; k <= lastField; ++k) {
        expected += ' ';
        if (k < fields.size())
            expected += fields[k];
    }
    expected += ' ';
    return tableLine.substr(0, expected.size()) == expected;
}

void RequireTableMatches(std::string_view file, const Lines& table, const Lines& history,
                         std::size_t firstField)
{
    RequireStoredLineCount(file, table, history.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (OpensWith(table[i], SplitFieldViews(history[i]), history.size() - i, firstField, 7))
            continue;
        std::string reason = "第";
        reason += std::to_string(i + 1);
        reason += "行与历史数据的同一行不符";
        throw StoredFileError(file, reason);
    }
}

} // namespace

void RequireTablesMatchHistory(const AppState& state)
{
    RequireTableMatches(files::kRedAna, state.Indicators.RedIndicatorTable, state.HistoryLines, 1);
    RequireTableMatches(files::kBlueAna, state.Indicators.BlueIndicatorTable, state.HistoryLines, 7);
}

void ExportRedTable(AppState& state, Host& host)
{
    ExportTable(state, host, files::kRedAna, "红球数据.txt");
}

void ExportBlueTable(AppState& state, Host& host)
{
    ExportTable(state, host, files::kBlueAna, "蓝球数据.txt");
}

} // namespace qv
