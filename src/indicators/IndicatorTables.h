#pragma once

#include "core/Host.h"
#include "history/Text.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// One row of an indicator view, one text per column (the same shape as every list view's
// rows).
using IndicatorRow = std::vector<std::string>;
using IndicatorRows = std::vector<IndicatorRow>;

// The fields of a red and of a blue indicator line.
inline constexpr std::size_t kRedIndicatorFields = 25;
inline constexpr std::size_t kBlueIndicatorFields = 7;

// The progress lines of the indicator refresh: its opening pair (with the number of draws),
// the line before the red view is filled, the three after it and the closing one.
void LogIndicatorsStart(StepLog& log, std::size_t draws);
inline constexpr const char* kIndicatorImportLine = "正在进行数据导入操作....";
void LogRedIndicatorsDone(StepLog& log);
inline constexpr const char* kBlueIndicatorsDoneLine = "研究蓝码...OK";

// The row of the red view for one red indicator line; a line with fewer than 25 fields is
// "List index out of bounds (%d)" for the first field it lacks.
IndicatorRow RedViewRow(std::string_view line);
// The row of the blue view for one blue indicator line (7 fields needed).
IndicatorRow BlueViewRow(std::string_view line);

// Appends the row of every table line to rows, in order. A line that cannot be shown stops
// it with the rows before it kept. For a table computed from history (one line per draw)
// such a line comes from a history line of the wrong form, which is reported as a
// HistoryLineError for that history line.
void FillRedIndicatorRows(IndicatorRows& rows, const Lines& table, const Lines* history);
void FillBlueIndicatorRows(IndicatorRows& rows, const Lines& table, const Lines* history);
// The same checks without the rows: what filling them would throw, nothing else.
void CheckRedIndicatorRows(const Lines& table, const Lines* history);
void CheckBlueIndicatorRows(const Lines& table, const Lines* history);

// A stored table for a reload: every line must have the fields its view shows, else a
// StoredFileError for file.
void CheckStoredRedTable(std::string_view file, const Lines& table);
void CheckStoredBlueTable(std::string_view file, const Lines& table);

// The start-up's check of reloaded tables against the history: one line per draw, each
// opening with that draw's issue, ordinal, reds and blue as the computation writes them.
// A table that belongs to another history (edited or replaced since) is a StoredFileError.
void RequireTablesMatchHistory(const Lines& redTable, const Lines& blueTable, const Lines& history);

} // namespace qv
