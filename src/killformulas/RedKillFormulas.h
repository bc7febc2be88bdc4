#pragma once

#include "history/Text.h"
#include "killformulas/KillResult.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The verification of the seven red kill formulas against every pair of consecutive
// draws of history (newest first). Fewer than two draws stop it with an explanation.
KillVerification VerifyRedKillTable(const Lines& history, KillRows rows = KillRows::Built);

// The seven red kill numbers computed from one history line, as written in the table.
std::vector<std::string> RedKillNumbers(std::string_view historyLine);

// The column captions of the verification view.
std::vector<std::string> RedKillColumns();

} // namespace qv
