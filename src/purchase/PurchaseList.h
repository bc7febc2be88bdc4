#pragma once

#include "session/AppState.h"
#include "core/Host.h"

#include <random>

namespace qv {

// The generator behind "随机->". Every run seeds a fresh one from the high-resolution
// clock; tests hand in one with a fixed seed.
using BlueGenerator = std::mt19937_64;

inline constexpr const char* kPurchaseListFileName = "双色球购买清单.txt";
inline constexpr const char* kPurchaseListView = "购买清单";
inline constexpr const char* kBetView = "投注/组合";

// "加入购买清单" (Button15Click). Without an expansion in this run it refuses ("非法操作")
// and shows the bet/combination view. Otherwise it shows the purchase-list view, replaces
// the purchase list with the lines of "Data/temp.txt" and reloads the basket view.
// False when it refused.
bool TakeBasketIntoPurchaseList(AppState& state, Host& host);

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

// A generator seeded from the high-resolution clock, as each "随机->" uses.
BlueGenerator ClockSeededGenerator();

// "保存清单" (Button16Click): the save dialog proposing "双色球购买清单.txt" in AppDir;
// on confirmation the list's lines are written to the chosen file. False when cancelled.
bool SavePurchaseList(AppState& state, Host& host);

// "载入清单" (Button18Click): the open dialog in AppDir; on confirmation the list is
// replaced by the file's lines. False when cancelled.
bool LoadPurchaseList(AppState& state, Host& host);

} // namespace qv
