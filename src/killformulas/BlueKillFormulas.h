#pragma once

#include "history/Text.h"
#include "killformulas/KillResult.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The verification of the five blue kill formulas against every pair of consecutive
// draws of history (newest first). Fewer than two draws stop it with an explanation.
KillVerification VerifyBlueKillTable(const Lines& history, KillRows rows = KillRows::Built);

// The five blue predictions computed from one history line, unmarked ("2尾", "08|04").
std::vector<std::string> BlueKillPredictions(std::string_view historyLine);

// The column captions of the verification view.
std::vector<std::string> BlueKillColumns();

} // namespace qv
