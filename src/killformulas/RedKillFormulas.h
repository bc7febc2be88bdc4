#pragma once

#include "session/AppState.h"
#include "core/Host.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// TeButton27Click ("重算" on the page "杀号公式"): verifies the seven red kill formulas
// against every pair of consecutive draws of "data/data.txt" (read afresh), fills
// state.Kill.Red (table, TeListView5 rows, Memo19 rate lines) and logs its two lines.
// Fewer than two draws stop it with an explanation; the view keeps its earlier rows.
void VerifyRedKillFormulas(AppState& state, Host& host);

// TeButton26Click ("保存记录"): saves the table of the latest red run to a file the user
// picks (proposed name "杀红公式验证.txt").
void SaveRedKillTable(AppState& state, Host& host);

// The seven red kill numbers computed from one history line, as written in the table.
std::vector<std::string> RedKillNumbers(std::string_view historyLine);

// The column captions of TeListView5.
std::vector<std::string> RedKillColumns();

} // namespace qv
