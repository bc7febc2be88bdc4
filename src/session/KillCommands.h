#pragma once

#include "history/Text.h"

#include <string>

namespace qv {

struct AppState;
class Host;
struct KillVerification;

// TeButton27Click ("重算" on the page "杀号公式"): verifies the seven red kill formulas
// against every pair of consecutive draws of "data/data.txt" (read afresh), fills
// state.Kill.Red (table, TeListView5 rows, Memo19 rate lines) and logs its two lines.
// Fewer than two draws stop it with an explanation; the view keeps its earlier rows.
void VerifyRedKillFormulas(AppState& state, Host& host);

// TeButton29Click ("重算" on the page "杀蓝公式"): the same for the five blue kill formulas,
// filling state.Kill.Blue (TeListView6 rows, Memo20 rate lines).
void VerifyBlueKillFormulas(AppState& state, Host& host);

// Both verifications on history lines already read, red first, as the prediction runs them.
void VerifyKillFormulasOn(AppState& state, Host& host, const Lines& history);

// TeButton26Click ("保存记录"): saves the table of the latest red run to a file the user
// picks (proposed name "杀红公式验证.txt").
void SaveRedKillTable(AppState& state, Host& host);

// TeButton28Click ("保存记录"): saves the table of the latest blue run to a file the user
// picks (proposed name "杀蓝公式验证.txt").
void SaveBlueKillTable(AppState& state, Host& host);

// The shared save command: asks for a file ("*.txt|*.txt", the proposed name, AppDir)
// and writes the table in table order. A cancelled dialog writes nothing; with no table
// yet the command stops with an explanation instead of writing an empty file.
void SaveKillTable(const AppState& state, Host& host, const KillVerification& verification,
                   const std::string& proposedName, const std::string& missingText);

// The component names of the kill-formula views and rate panes.
inline constexpr const char* kRedKillView = "TeListView5";
inline constexpr const char* kRedKillRates = "Memo19";
inline constexpr const char* kBlueKillView = "TeListView6";
inline constexpr const char* kBlueKillRates = "Memo20";

} // namespace qv
