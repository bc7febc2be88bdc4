#pragma once

#include "history/Text.h"
#include "purchase/PrizeTable.h"

#include <string>
#include <vector>

namespace qv {

inline constexpr int kDefaultReplayDraws = 100;
inline constexpr const char* kReplayDone = "历史回放.......OK";

// What a replay of the query list found, with the log line about skipped lines.
struct ReplayOutcome
{
    ReplayResult Replay;
    std::string SkippedNote; // the log line about skipped lines, empty when none
};

// The newest count draws of history (fewer when it is shorter); a count below 1 or an
// empty history stops with its message.
std::vector<IssuedDraw> ReplayDraws(const Lines& history, int count);

// The query list replayed over the draws; stops on a list without a bet to check.
ReplayOutcome ReplayList(const Lines& queryList, const std::vector<IssuedDraw>& draws);

// The replay as text: a header, one row per draw (issue, the six tier counts, the fixed
// winnings), and the totals.
Lines ReplayTableLines(const ReplayResult& replay);

// "12.35%": a rate as a percentage with two decimals.
std::string PercentText(double rate);

} // namespace qv
