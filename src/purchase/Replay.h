#pragma once

#include "session/AppState.h"
#include "core/Host.h"
#include "purchase/PrizeTable.h"

#include <string>
#include <vector>

namespace qv {

inline constexpr int kDefaultReplayDraws = 100;
inline constexpr const char* kReplayDone = "历史回放.......OK";

// "历史回放": the query list bought in each of the newest state.Purchase.ReplayDrawCount
// draws of the history (fewer when the history is shorter). Fills state.Purchase.Replay,
// tells the front end ("ReplayTable") and logs once, after a line for the skipped lines if
// any. An empty history, a list without a bet to check, or a malformed compound or banker
// line stops it with a message; the last replay then stays as it was.
void ReplayQueryList(AppState& state, Host& host);

// The same command in three steps, so that a front end can run the middle one, which does
// the work, on another thread: ReplayDrawsOf reads the draws from the state (and stops with
// the messages above on a bad count or history); ReplayList reads the list and replays it
// over the draws, touching nothing else (it stops on a list without a bet to check);
// StoreReplay puts the outcome into the state and reports it.
struct ReplayOutcome
{
    ReplayResult Replay;
    std::string SkippedNote; // the log line about skipped lines, empty when none
};

std::vector<IssuedDraw> ReplayDrawsOf(const AppState& state);
ReplayOutcome ReplayList(const Lines& queryList, const std::vector<IssuedDraw>& draws);
void StoreReplay(AppState& state, Host& host, ReplayOutcome outcome);

// The replay as text: a header, one row per draw (issue, the six tier counts, the fixed
// winnings), and the totals.
Lines ReplayTableLines(const ReplayResult& replay);

// "12.35%": a rate as a percentage with two decimals.
std::string PercentText(double rate);

} // namespace qv
