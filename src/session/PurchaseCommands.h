#pragma once

#include "core/Host.h"
#include "purchase/PrizeCheck.h"
#include "purchase/PurchaseList.h"
#include "purchase/Replay.h"

#include <vector>

namespace qv {

struct AppState;

// "载入查询清单" (TeButton1Click): the open dialog in AppDir; on confirmation the query list
// (Memo9) is replaced by the file's lines. False when cancelled.
bool LoadQueryList(AppState& state, Host& host);

// "查询中奖" (Button12Click): refuses a malformed query (Edit7); otherwise shows the query
// in its normal form, checks the query list against it, fills the result box (Memo7, also
// given to the host as the label "Memo7", one line per "\n") and the tier counts behind the
// amounts ("PrizeTotals"), and logs once. A list whose lines all lack a blue gets a message
// saying so. A failing check keeps the result box and writes no log line.
void CheckPrizes(AppState& state, Host& host);

// "加入购买清单" (Button15Click). Without an expansion in this run it refuses ("非法操作")
// and shows the bet/combination view. Otherwise it shows the purchase-list view, replaces
// the purchase list with the lines of "Data/temp.txt" and reloads the basket view.
// False when it refused.
bool TakeBasketIntoPurchaseList(AppState& state, Host& host);

// Appends the non-empty lines after the purchase list's last non-empty line (what the list
// held stays), then shows the purchase-list view: how the wheel and the cover hand their
// tickets over.
void AppendToPurchaseList(AppState& state, Host& host, const Lines& lines);

// "随机->" (Button17Click): every non-empty line gets a blue drawn uniformly from the
// checked boxes. A line of six fields gets "+BB" appended, one of seven has its seventh
// field replaced, one of eight or more keeps its first seven fields as they are. Empty
// lines are dropped and the new list ends with one empty line. A banker line, or a
// compound line with its blues, keeps the blues it carries; a banker line without a blue
// gets one appended, and one that breaks the rules stops the command naming it. A line of fewer than six
// fields, or a line needing a blue while no box is checked, stops the command with a
// message naming the line; the list and the log are then unchanged.
void AssignRandomBlues(AppState& state, Host& host);
void AssignRandomBlues(AppState& state, Host& host, BlueGenerator& generator);

// "保存清单" (Button16Click): the save dialog proposing "双色球购买清单.txt" in AppDir;
// on confirmation the list's lines are written to the chosen file. False when cancelled.
bool SavePurchaseList(AppState& state, Host& host);

// "载入清单" (Button18Click): the open dialog in AppDir; on confirmation the list is
// replaced by the file's lines. False when cancelled.
bool LoadPurchaseList(AppState& state, Host& host);

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
std::vector<IssuedDraw> ReplayDrawsOf(const AppState& state);
void StoreReplay(AppState& state, Host& host, ReplayOutcome outcome);

} // namespace qv
