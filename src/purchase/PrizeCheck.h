#pragma once

#include "purchase/PrizeTable.h"

#include <array>
#include <optional>
#include <string>
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

// The query draw once checked: six distinct reds 01..33 and a blue 01..16. Text is its
// normal form "03 09 15 22 25 32 +01": reds ascending, every number two digits, single
// blanks. A query of one-digit numbers, reds in drawing order or extra blanks reads the
// same draw; anything else is refused with the reason in Chinese.
struct QueryDraw
{
    std::string Text;
    DrawNumbers Numbers;
};
std::optional<QueryDraw> ReadQueryDraw(std::string_view text, std::string* why = nullptr);

// The refusal of a query: the query, the reason and the expected form.
std::string QueryErrorText(std::string_view text, std::string_view why);

// What a check found: the result box lines, the winning bets per tier, the bets checked,
// and whether every line of a list with no bet to check lacked a blue.
struct PrizeReport
{
    Lines Result;
    TierCounts Counts{};
    std::uint64_t Bets = 0;
    bool AllWithoutBlue = false;
};

// Checks every 21-character line of the list as one bet (its red fields compared with the
// draw's as text, its seventh field with the draw's blue), and every compound and banker
// line by counting its combinations. The result box gets, per tier with hits, the heading
// with the winning bets, the winning lines in list order (a compound or banker line with
// its bets in that tier in parentheses) and an empty line, or "没有中奖，真遗憾！"; then, when
// lines were skipped, their number and the first few. A 21-character line that does not
// cut into seven fields, or a malformed compound or banker line, throws naming the line.
PrizeReport CheckPrizeList(const Lines& bets, const QueryDraw& draw);

// CheckPrizeList over a typed draw, which is read first (throwing its refusal); returns
// the result box lines.
Lines CheckPrizeLines(const Lines& bets, std::string_view draw);

// The amounts of a check as text lines: per tier its name, condition, winning bets and
// amount ("浮动" for a floating tier without one), then the totals.
Lines PrizeTotalLines(const TierCounts& counts, std::uint64_t bets, const FloatingAmounts& floating);

} // namespace qv
