#include "purchase/PrizeCheck.h"

#include "core/Error.h"
#include "history/TextFile.h"
#include "purchase/FieldScan.h"

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace qv {

namespace {

using purchase_detail::FieldScan;
using purchase_detail::HasBetLength;
using purchase_detail::IsBlankLine;
using purchase_detail::kBetLength;
using purchase_detail::ScanFields;

constexpr std::array<std::string_view, 6> kHeadings = {
    "命中一等奖：", "命中二等奖：", "命中三等奖：", "命中四等奖：", "命中五等奖：", "命中六等奖：",
};

std::uint16_t PairValue(const char* p)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]) << 8 |
                                      static_cast<unsigned char>(p[1]));
}

// A bet of 21 bytes cut by blanks exactly at 2, 5, 8, 11, 14 and 17 and nowhere else: six
// two-character fields and a three-character seventh one.
bool HasUsualForm(std::string_view line)
{
    if (line.size() != kBetLength)
        return false;
    for (std::size_t k = 0; k < kBetLength; ++k) {
        const bool cut = k % 3 == 2 && k < 18;
        if ((line[k] == ' ') != cut)
            return false;
    }
    return true;
}

constexpr const char* kExpectedForm = "应为6个红球和1个蓝球，以一个空格分隔，如“01 02 03 04 05 06 +07”";

[[noreturn]] void ThrowShortBet(std::size_t index, const std::string& line)
{
    std::string text = "查询清单第";
    text += std::to_string(index + 1);
    text += "行“";
    text += line;
    text += "”不足7段，无法查询中奖（";
    text += kExpectedForm;
    text += "）";
    throw Error(text);
}

constexpr const char* kQueryForm =
    "应为6个不同的红球（01至33，从小到大）和1个蓝球（+01至+16），以一个空格分隔，"
    "如“01 02 03 04 05 06 +07”";

// A winning line of the result box: a single bet as it stands, a compound or banker line
// with its bets in the tier.
struct Winner
{
    std::size_t Index;
    std::uint64_t Bets; // 0 for a single-bet line
};

void AppendSkipped(Lines& result, const TicketList& skipped)
{
    if (skipped.SkippedCount == 0)
        return;
    if (!result.back().empty())
        result.emplace_back();
    std::string heading = "另有";
    heading += std::to_string(skipped.SkippedCount);
    heading += "行未查询（";
    if (skipped.SkippedWithoutBlue == skipped.SkippedCount)
        heading += "没有蓝球";
    else
        heading += "不是“01 02 03 04 05 06 +07”或复式、胆拖的写法，或没有蓝球";
    heading += "）：";
    result.push_back(std::move(heading));
    for (const auto& line : skipped.Skipped)
        result.push_back("第" + std::to_string(line.Index + 1) + "行：" + line.Text);
    if (skipped.SkippedCount > skipped.Skipped.size())
        result.push_back("……");
}

} // namespace

int PrizeTier(int reds, bool blue)
{
    return kTierOfMatch[reds < 0 ? 0 : reds > 6 ? 6 : reds][blue ? 1 : 0];
}

std::optional<QueryDraw> ReadQueryDraw(std::string_view text, std::string* why)
{
    std::string reason;
    auto form = ParseBetForm(text, true, &reason);
    if (form && form->Kind != BetKind::Single) {
        form.reset();
        reason = "只能查询一注：6个红球和1个蓝球";
    }
    if (!form) {
        if (why)
            *why = reason;
        return std::nullopt;
    }
    QueryDraw query;
    query.Numbers.Reds = form->Reds;
    query.Numbers.Blue = std::countr_zero(form->Blues) + 1;
    query.Text = RedComboText(form->Reds) + " +" + TwoDigits(query.Numbers.Blue);
    return query;
}

std::string QueryErrorText(std::string_view text, std::string_view why)
{
    std::string message = "查询号码“";
    message += text;
    message += "”有误：";
    message += why;
    message += "。";
    message += kQueryForm;
    return message;
}

std::string_view PrizeTierHeading(int tier)
{
    if (tier < 1 || tier > 6)
        return {};
    return kHeadings[static_cast<std::size_t>(tier - 1)];
}

PrizeReport CheckPrizeList(const Lines& bets, const QueryDraw& draw)
{
    const std::vector<std::string_view> query = SplitFieldViews(draw.Text);
    // The reds of the draw, two characters each, are compared with the six numbers of a
    // bet in the usual form directly.
    std::array<std::uint16_t, 6> pairReds{};
    for (std::size_t k = 0; k < 6; ++k)
        pairReds[k] = PairValue(query[k].data());
    const std::string_view blue = query[6];

    PrizeReport report;
    TicketList skipped;
    std::array<std::vector<Winner>, 6> tiers;
    std::string why;
    for (std::size_t i = 0; i < bets.size(); ++i) {
        const std::string& line = bets[i];
        if (!HasBetLength(line)) {
            if (IsBlankLine(line))
                continue;
            if (LooksLikeMultiBetForm(line)) {
                const auto form = ParseBetForm(line, true, &why);
                if (!form)
                    throw Error(ListLineError("查询清单", i, line, why));
                const TierCounts counts = CheckForm(*form, draw.Numbers);
                for (std::size_t t = 0; t < counts.size(); ++t) {
                    if (counts[t] == 0)
                        continue;
                    tiers[t].push_back({i, counts[t]});
                    report.Counts[t] += counts[t];
                }
                report.Bets += BetCount(*form);
                continue;
            }
            const bool withoutBlue = line.find('+') == std::string::npos;
            ++skipped.SkippedCount;
            skipped.SkippedWithoutBlue += withoutBlue ? 1 : 0;
            if (skipped.Skipped.size() < kSkippedShown)
                skipped.Skipped.push_back({i, line, withoutBlue});
            continue;
        }
        const std::string_view view(line);
        int hits = 0;
        bool blueHit = false;
        if (HasUsualForm(view)) {
            // "AA BB CC DD EE FF +GG": no field holds a blank, so a two-character text
            // occurs in the red part exactly when it is one of the six numbers.
            std::array<std::uint16_t, 6> numbers;
            for (std::size_t k = 0; k < 6; ++k)
                numbers[k] = PairValue(view.data() + 3 * k);
            // Bitwise on purpose: six compares without a branch.
            const auto is = [](std::uint16_t a, std::uint16_t b) { return static_cast<int>(a == b); };
            for (const std::uint16_t red : pairReds)
                hits += is(red, numbers[0]) | is(red, numbers[1]) | is(red, numbers[2]) |
                        is(red, numbers[3]) | is(red, numbers[4]) | is(red, numbers[5]);
            blueHit = view.substr(18) == blue;
        } else {
            const FieldScan scan = ScanFields(line);
            if (scan.Count < 7)
                ThrowShortBet(i, line);
            const std::string_view redText = view.substr(0, scan.EndOfSixth);
            for (std::size_t k = 0; k < 6; ++k)
                if (redText.find(query[k]) != std::string_view::npos)
                    ++hits;
            blueHit = scan.Seventh(view) == blue;
        }
        ++report.Bets;
        const int tier = PrizeTier(hits, blueHit);
        if (tier != 0) {
            tiers[static_cast<std::size_t>(tier - 1)].push_back({i, 0});
            ++report.Counts[static_cast<std::size_t>(tier - 1)];
        }
    }

    Lines& result = report.Result;
    for (std::size_t t = 0; t < tiers.size(); ++t) {
        if (tiers[t].empty())
            continue;
        std::string heading(kHeadings[t]);
        heading += std::to_string(report.Counts[t]);
        heading += "注";
        result.push_back(std::move(heading));
        for (const Winner& winner : tiers[t]) {
            if (winner.Bets == 0)
                result.push_back(bets[winner.Index]);
            else
                result.push_back(bets[winner.Index] + "（" + std::to_string(winner.Bets) + "注）");
        }
        result.emplace_back();
    }
    if (result.empty())
        result.emplace_back(kNoPrizeText);
    AppendSkipped(result, skipped);
    report.AllWithoutBlue =
        report.Bets == 0 && skipped.SkippedCount > 0 && skipped.SkippedWithoutBlue == skipped.SkippedCount;
    return report;
}

Lines CheckPrizeLines(const Lines& bets, std::string_view draw)
{
    std::string why;
    const auto query = ReadQueryDraw(draw, &why);
    if (!query)
        throw Error(QueryErrorText(draw, why));
    return CheckPrizeList(bets, *query).Result;
}

Lines PrizeTotalLines(const TierCounts& counts, std::uint64_t bets, const FloatingAmounts& floating)
{
    Lines lines;
    for (const auto& rule : kPrizeTiers) {
        const std::uint64_t count = counts[static_cast<std::size_t>(rule.Tier - 1)];
        std::string line(rule.Name);
        line += "（";
        line += rule.Condition;
        line += "）：";
        line += std::to_string(count);
        line += "注 × ";
        const auto amount = TierAmount(rule.Tier, floating);
        if (amount) {
            line += std::to_string(*amount);
            line += "元 = ";
            line += std::to_string(count * *amount);
            line += "元";
        } else {
            line += "浮动";
        }
        lines.push_back(std::move(line));
    }
    const PrizeTotals totals = TotalPrizes(counts, bets, floating);
    lines.push_back("共查询" + std::to_string(totals.Bets) + "注，花费" + std::to_string(totals.Cost) + "元");
    lines.push_back("固定奖金合计：" + std::to_string(totals.Fixed) + "元");
    if (totals.Total)
        lines.push_back("奖金合计（含浮动奖）：" + std::to_string(*totals.Total) + "元");
    else
        lines.push_back("奖金合计（含浮动奖）：浮动（一等奖、二等奖的单注奖金未填）");
    return lines;
}

} // namespace qv
