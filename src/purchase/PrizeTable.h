#pragma once

#include "history/Text.h"
#include "purchase/PrizeTypes.h"
#include "selection/BetForm.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The rules of the game as data: a change of rules is an edit of these two tables.
inline constexpr std::uint64_t kBetPrice = 2; // 元 per bet

struct PrizeTierRule
{
    int Tier;
    std::string_view Name;      // "三等奖"
    std::string_view Condition; // reds + blue, "5+1"
    std::uint64_t Amount;       // 元 per winning bet; 0 for a floating tier
};

inline constexpr std::array<PrizeTierRule, 6> kPrizeTiers = {{
    {1, "一等奖", "6+1", 0},
    {2, "二等奖", "6+0", 0},
    {3, "三等奖", "5+1", 3000},
    {4, "四等奖", "5+0、4+1", 200},
    {5, "五等奖", "4+0、3+1", 10},
    {6, "六等奖", "2+1、1+1、0+1", 5},
}};

// The tier of a bet by its red matches (0..6) and whether its blue matches ([reds][blue]);
// 0 is no prize. A bet wins only this, its highest tier.
inline constexpr int kTierOfMatch[7][2] = {{0, 6}, {0, 6}, {0, 6}, {0, 5}, {5, 4}, {4, 3}, {2, 1}};

const PrizeTierRule& TierRule(int tier); // tier 1..6
bool IsFloatingTier(int tier);

// The per-bet amount of a tier: the table's, or the given one of a floating tier.
std::optional<std::uint64_t> TierAmount(int tier, const FloatingAmounts& floating);

std::uint64_t FixedWinnings(const TierCounts& counts);
PrizeTotals TotalPrizes(const TierCounts& counts, std::uint64_t bets, const FloatingAmounts& floating);

// A draw as masks: bit n − 1 of Reds for the red n; Blue 1..16.
struct DrawNumbers
{
    std::uint64_t Reds = 0;
    int Blue = 0;
};

// The tiers a compound, banker or single form wins against a draw, counted without
// expanding it: of the C(t, 6 − d) red choices, C(ht, j) · C(t − ht, 6 − d − j) have j hits
// among the t reds (ht of them drawn), each once with every blue.
TierCounts CheckForm(const BetForm& form, const DrawNumbers& draw);

// A list of bets in compact form: each single bet as its 33-bit red mask with the blue
// above bit 40, compound and banker lines as forms.
struct CompactBets
{
    std::vector<std::uint64_t> Singles;
    std::vector<BetForm> Forms;
    std::uint64_t Bets = 0;
};

inline constexpr int kCompactBlueShift = 40;

inline std::uint64_t CompactSingle(std::uint64_t reds, int blue)
{
    return reds | static_cast<std::uint64_t>(blue) << kCompactBlueShift;
}

TierCounts CheckCompact(const CompactBets& bets, const DrawNumbers& draw);

// A list line that was not checked: its index and text, and whether it lacks a blue.
struct SkippedLine
{
    std::size_t Index = 0;
    std::string Text;
    bool WithoutBlue = false;
};

// The lines of a purchase or query list as bets: lines of 21 characters that read as one
// bet, and compound and banker lines. Empty lines are passed over; every other line is
// skipped and noted (the first kSkippedShown of them kept). A line written as a compound
// or banker bet that breaks its rules throws the reason, naming the list and the line.
inline constexpr std::size_t kSkippedShown = 5;

struct TicketList
{
    CompactBets Bets;
    std::size_t SkippedCount = 0;
    std::size_t SkippedWithoutBlue = 0;
    std::vector<SkippedLine> Skipped;
};

TicketList ReadTicketList(const Lines& lines, std::string_view listName);

// "查询清单第3行“…”：" + why.
std::string ListLineError(std::string_view listName, std::size_t index, std::string_view line,
                          std::string_view why);

// Bets of a list of single, compound and banker lines, with or without blues (a line
// without a blue counts as one with a single blue); empty lines count nothing. Lines that
// do not read are counted in Unreadable, the first one's reason in FirstProblem.
struct BetTally
{
    std::uint64_t Bets = 0;
    std::size_t LineCount = 0;
    std::size_t Unreadable = 0;
    std::string FirstProblem;
};

BetTally TallyBets(const Lines& lines, std::string_view listName);

// "合计共：" B "注/" 2B "元", as the basket's counter reads.
std::string BetTotalText(std::uint64_t bets);

// Checks the bets against each of the given draws (issue and numbers, newest first).
struct IssuedDraw
{
    std::string Issue;
    DrawNumbers Numbers;
};

ReplayResult ReplayBets(const CompactBets& bets, const std::vector<IssuedDraw>& draws);

// The newest count draws of the history lines (newest first); a line that is not a
// well-formed draw throws its number and reason.
std::vector<IssuedDraw> NewestDraws(const Lines& historyLines, std::size_t count);

} // namespace qv
