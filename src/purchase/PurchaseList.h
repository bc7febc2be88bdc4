#pragma once

#include "history/Text.h"

#include <random>

namespace qv {

// The generator behind "随机->". Every run seeds a fresh one from the high-resolution
// clock; tests hand in one with a fixed seed.
using BlueGenerator = std::mt19937_64;

inline constexpr const char* kPurchaseListFileName = "双色球购买清单.txt";
inline constexpr const char* kPurchaseListView = "购买清单";
inline constexpr const char* kBetView = "投注/组合";

// A generator seeded from the high-resolution clock, as each "随机->" uses.
BlueGenerator ClockSeededGenerator();

// True when the list's text, trimmed of surrounding white space, is empty.
bool IsBlankList(const Lines& lines);

// The blues of "随机->" given to list (see AssignRandomBlues), drawn from captions, the
// checked boxes' numbers: the list rewritten in place, empty lines dropped, ending in one
// empty line. Throws for a line of the wrong form or a line needing a blue while captions
// is empty, leaving the list as it was.
void AssignBlues(Lines& list, const Lines& captions, BlueGenerator& generator);

} // namespace qv
