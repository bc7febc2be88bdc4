#pragma once

#include "selection/SelectionState.h"

#include <cstdint>
#include <string>

namespace qv {

// Ceilings of one expansion. The full 33-number line gives 1,107,568 lines (about 21 MB);
// a bet list that could give more than kMaxBasketLines lines, or a file larger than
// kMaxBasketBytes, is refused before any work starts, so that a typed line of 200 numbers
// (some 8 × 10^10 combinations) cannot exhaust the memory.
inline constexpr std::uint64_t kMaxBasketLines = 5'000'000;
inline constexpr std::uint64_t kMaxBasketBytes = 128ull * 1024 * 1024;

// The component name under which the front ends show the basket view (the one-column grid
// over "Data/temp.txt").
inline constexpr const char* kBasketViewComponent = "BasketView";

// What a bet list can give at most: every six-field choice of every distinct line, where
// plain ascending two-digit lines count together for no more than the 1,107,568
// combinations there are. Saturates instead of overflowing.
struct BasketEstimate
{
    std::uint64_t Lines = 0;
    std::uint64_t Bytes = 0;
};
BasketEstimate EstimateBasket(const Lines& betList);

// The basket of a bet list, in memory: every six-field choice of every line joined by
// single blanks, sorted by the case-insensitive text comparison, repeats dropped (the
// first of equal lines stays), each line followed by CR LF. Throws the refusal when the
// estimate passes the ceilings.
LineTable ExpandLines(const Lines& betList);

// True when every line of the bet list is empty or white space only (nothing to expand).
bool IsBlankBetList(const Lines& betList);

// The counter texts below the basket view.
std::string GroupCountText(std::uint64_t groups); // Label29: "组数：" G "组"
std::string BasketTotalText(std::uint64_t bets);  // Label4: "合计共：" B "注/" 2B "元"

} // namespace qv
