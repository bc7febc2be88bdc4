#pragma once

#include "filters/Backtest.h"

#include <filesystem>
#include <string>

namespace qv {

struct AppState;

// The backtest of the newest draws with the state's history, filter view (its 容错 K
// included) and prediction switches, copied so that the run can go on while the state
// changes.
BacktestRequest BacktestRequestOf(const AppState& state, std::size_t draws, bool shrink);

// The tables of a report as CSV lines (a header, then one row each): the 47 filters
// (名称, 开启, 误杀次数, 误杀率, 错误次数 and with the shrink 平均缩水率, 提升倍数), the draws
// (期号, 开奖红球, 保留/被排除, 排除它的过滤器, 错误), the lists (列表, 命中, 个数, 随机期望).
Lines BacktestFilterCsv(const BacktestReport& report);
Lines BacktestDrawCsv(const BacktestReport& report);
Lines BacktestListCsv(const BacktestReport& report);

// Saves the three tables into one CSV file (GBK, CR LF, replaced atomically), the
// summary line first and a blank line between the tables.
void SaveBacktestCsv(const BacktestReport& report, const std::filesystem::path& path);

} // namespace qv
