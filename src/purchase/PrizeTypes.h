#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// Winning bets per tier, first to sixth.
using TierCounts = std::array<std::uint64_t, 6>;

// The announced per-bet amounts of the two floating tiers, in 元, when the player gives them.
struct FloatingAmounts
{
    std::optional<std::uint64_t> First;
    std::optional<std::uint64_t> Second;
};

// The money of one check: bets checked, their cost, the fixed-tier winnings and, when every
// floating tier with hits has its amount, the winnings including them.
struct PrizeTotals
{
    std::uint64_t Bets = 0;
    std::uint64_t Cost = 0;
    std::uint64_t Fixed = 0;
    std::optional<std::uint64_t> Total;
};

// A list bought in every one of the newest draws: per draw the tiers hit and the fixed
// winnings, newest first.
struct ReplayDraw
{
    std::string Issue;
    TierCounts Tiers{};
    std::uint64_t Fixed = 0;
};

struct ReplayResult
{
    std::vector<ReplayDraw> Draws;
    std::uint64_t Bets = 0;         // per draw
    std::uint64_t Cost = 0;         // Bets × 2 × the number of draws
    std::uint64_t Fixed = 0;        // over all draws
    std::uint64_t FloatingHits = 0; // first and second tier bets over all draws
    double ReturnRate = 0;          // Fixed ÷ Cost, 0 for no cost
};

} // namespace qv
