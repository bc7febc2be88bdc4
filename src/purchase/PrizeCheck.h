#pragma once

#include "core/AppState.h"
#include "core/Host.h"

#include <array>
#include <string_view>

namespace qv {

// The six prize tiers, first to sixth; 0 means no prize. reds is the number of red
// matches, blue whether the blue matches.
//   1: 6+1  2: 6+0  3: 5+1  4: 5+0 or 4+1  5: 4+0 or 3+1  6: 0, 1 or 2 reds with the blue
int PrizeTier(int reds, bool blue);

// "命中一等奖：" … "命中六等奖：".
std::string_view PrizeTierHeading(int tier);

inline constexpr const char* kNoPrizeText = "没有中奖，真遗憾！";
inline constexpr const char* kPrizeCheckDone = "中奖查询.......OK";

// "载入查询清单" (TeButton1Click): the open dialog in AppDir; on confirmation the query list
// (Memo9) is replaced by the file's lines. False when cancelled.
bool LoadQueryList(AppState& state, Host& host);

// "查询中奖" (Button12Click): checks every 21-character line of the query list against
// the query draw (Edit7) and fills the result box (Memo7, also given to the host as the
// label "Memo7", one line per "\n"). A bet line of 21 characters, or the query, that does
// not cut into seven fields stops the check with a message naming it; the result box then
// keeps its text and the log gets no line.
void CheckPrizes(AppState& state, Host& host);

// The same over given lines and draw; returns the result box lines. Used by the command.
Lines CheckPrizeLines(const Lines& bets, std::string_view draw);

} // namespace qv
