#pragma once

#include "session/AppState.h"
#include "core/Host.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// TeButton29Click ("重算" on the page "杀蓝公式"): verifies the five blue kill formulas
// against every pair of consecutive draws of "data/data.txt" (read afresh), fills
// state.Kill.Blue (table, TeListView6 rows, Memo20 rate lines) and logs its two lines.
// Fewer than two draws stop it with an explanation; the view keeps its earlier rows.
void VerifyBlueKillFormulas(AppState& state, Host& host);

// TeButton28Click ("保存记录"): saves the table of the latest blue run to a file the user
// picks (proposed name "杀蓝公式验证.txt").
void SaveBlueKillTable(AppState& state, Host& host);

// The five blue predictions computed from one history line, unmarked ("2尾", "08|04").
std::vector<std::string> BlueKillPredictions(std::string_view historyLine);

// The column captions of TeListView6.
std::vector<std::string> BlueKillColumns();

} // namespace qv
