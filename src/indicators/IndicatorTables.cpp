#include "indicators/IndicatorTables.h"

#include "core/Error.h"
#include "history/AppPaths.h"
#include "history/HistoryLoad.h"
#include "history/StoredFile.h"
#include "indicators/FieldCut.h"

namespace qv {

namespace {

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

// Calls visit for every table line in order; what it throws for a line of a table computed
// from history is reported for that history line.
template <typename Visit> void VisitRows(const Lines& table, const Lines* history, Visit visit)
{
    std::size_t index = 0;
    try {
        for (; index < table.size(); ++index)
            visit(table[index]);
    } catch (const Error& e) {
        if (history && index < history->size())
            throw HistoryLineError(index, (*history)[index], e);
        throw;
    }
}

template <typename RowOf>
void FillRows(IndicatorRows& rows, const Lines& table, RowOf rowOf, const Lines* history)
{
    rows.reserve(rows.size() + table.size());
    VisitRows(table, history, [&](const std::string& line) { rows.push_back(rowOf(line)); });
}

template <std::size_t N> void CheckStoredTable(std::string_view file, const Lines& table)
{
    CheckStoredLines(file, [&table]() {
        for (const auto& line : table)
            (void)FieldsOf<N>(line);
    });
}

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

void LogIndicatorsStart(StepLog& log, std::size_t draws)
{
    LogStep(log, "正在初始化数据...");
    std::string total = "合计：";
    total += std::to_string(draws);
    total += "期数据进行分析...ing";
    LogStep(log, total);
}

void LogRedIndicatorsDone(StepLog& log)
{
    LogStep(log, "数据导入成功.....OK");
    LogStep(log, "红球数据统计完毕->");
    LogStep(log, "正在研究蓝码...");
}

IndicatorRow RedViewRow(std::string_view line)
{
    const auto fields = FieldsOf<kRedIndicatorFields>(line);
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
    for (std::size_t k = 8; k < kRedIndicatorFields; ++k)
        row.emplace_back(fields[k]);
    return row;
}

IndicatorRow BlueViewRow(std::string_view line)
{
    const auto fields = FieldsOf<kBlueIndicatorFields>(line);
    return IndicatorRow(fields.begin(), fields.end());
}

void FillRedIndicatorRows(IndicatorRows& rows, const Lines& table, const Lines* history)
{
    FillRows(rows, table, RedViewRow, history);
}

void FillBlueIndicatorRows(IndicatorRows& rows, const Lines& table, const Lines* history)
{
    FillRows(rows, table, BlueViewRow, history);
}

void CheckRedIndicatorRows(const Lines& table, const Lines* history)
{
    VisitRows(table, history, [](const std::string& line) { (void)FieldsOf<kRedIndicatorFields>(line); });
}

void CheckBlueIndicatorRows(const Lines& table, const Lines* history)
{
    VisitRows(table, history, [](const std::string& line) { (void)FieldsOf<kBlueIndicatorFields>(line); });
}

void CheckStoredRedTable(std::string_view file, const Lines& table)
{
    CheckStoredTable<kRedIndicatorFields>(file, table);
}

void CheckStoredBlueTable(std::string_view file, const Lines& table)
{
    CheckStoredTable<kBlueIndicatorFields>(file, table);
}

void RequireTablesMatchHistory(const Lines& redTable, const Lines& blueTable, const Lines& history)
{
    RequireTableMatches(files::kRedAna, redTable, history, 1);
    RequireTableMatches(files::kBlueAna, blueTable, history, 7);
}

} // namespace qv
