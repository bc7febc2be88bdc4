#pragma once

#include "selection/SelectionState.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// 缩水覆盖: a subset T of the basket such that every basket line shares at least t reds
// with some line of T. If the drawn reds are a line of the basket, some ticket of T then
// holds at least t of them.

inline constexpr int kCoverMinT = 3;
inline constexpr int kCoverMaxT = 5;

// The six reds of a basket line ("01 02 03 04 05 06"), each 1..33 ascending; false for a
// line of another form.
bool ParseBasketReds(std::string_view line, std::array<std::uint8_t, 6>& reds);

// The basket's lines as reds; throws qv::Error naming the first line of another form.
std::vector<std::array<std::uint8_t, 6>> BasketReds(const LineTable& basket);

struct CoverHooks
{
    // The lines covered so far of the total, now and then; on the calling thread.
    std::function<void(std::size_t covered, std::size_t total)> Progress;
    const std::atomic<bool>* Cancel = nullptr;
};

struct CoverResult
{
    std::vector<std::size_t> Tickets; // indices of the chosen lines, ascending
    std::uint64_t Uncovered = 0;      // lines no ticket covers (0 unless cancelled)
    bool Cancelled = false;
};

// A greedy set cover (each step takes the line covering most of the lines still
// uncovered, the lowest index among equals), then every ticket whose lines are all
// covered by others is dropped; the result is verified with CoverageGaps before it is
// returned. Deterministic. Throws qv::Error for t outside 3..5.
CoverResult CoverBasket(const std::vector<std::array<std::uint8_t, 6>>& lines, int t,
                        const CoverHooks& hooks = {});

// How many lines share fewer than t reds with every ticket.
std::uint64_t CoverageGaps(const std::vector<std::array<std::uint8_t, 6>>& lines, int t,
                           const std::vector<std::size_t>& tickets);

// t from "5" (or "中5"); throws qv::Error with the Chinese report for anything else.
int ParseCoverT(std::string_view text);

// "缩水覆盖：号码篮83362注中选出n注（2n元）。保证：若开奖红球是号码篮中的一注，选出的号码中
// 至少有一注中t个红球".
std::string CoverSummary(std::size_t basket, std::size_t tickets, int t);

} // namespace qv
