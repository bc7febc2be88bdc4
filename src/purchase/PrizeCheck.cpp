#include "purchase/PrizeCheck.h"

#include "core/Error.h"
#include "history/TextFile.h"
#include "purchase/FieldScan.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv {

namespace {

using purchase_detail::FieldScan;
using purchase_detail::ScanFields;

constexpr std::array<std::string_view, 6> kHeadings = {
    "命中一等奖：", "命中二等奖：", "命中三等奖：", "命中四等奖：", "命中五等奖：", "命中六等奖：",
};

constexpr std::size_t kBetLength = 21;

// Exactly 21 characters: UTF-8 bytes that do not continue a character.
bool HasBetLength(const std::string& line)
{
    if (line.size() < kBetLength || line.size() > kBetLength * 4)
        return false;
    std::size_t characters = 0;
    for (const char c : line)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++characters;
    return characters == kBetLength;
}

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

[[noreturn]] void ThrowShortQuery(std::string_view draw)
{
    std::string text = "查询号码“";
    text += draw;
    text += "”不足7段，无法查询中奖（";
    text += kExpectedForm;
    text += "）";
    throw Error(text);
}

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

} // namespace

int PrizeTier(int reds, bool blue)
{
    if (reds >= 6)
        return blue ? 1 : 2;
    if (reds == 5)
        return blue ? 3 : 4;
    if (reds == 4)
        return blue ? 4 : 5;
    if (reds == 3)
        return blue ? 5 : 0;
    return blue ? 6 : 0;
}

std::string_view PrizeTierHeading(int tier)
{
    if (tier < 1 || tier > 6)
        return {};
    return kHeadings[static_cast<std::size_t>(tier - 1)];
}

Lines CheckPrizeLines(const Lines& bets, std::string_view draw)
{
    const std::vector<std::string_view> query = SplitFieldViews(draw);
    // The reds of the draw are all its fields but the last; an empty one (two blanks in a
    // row) is found nowhere. Two-character ones, the usual case, are compared with the six
    // numbers of a bet in the usual form directly.
    std::vector<std::string_view> reds;
    std::vector<std::uint16_t> pairReds;
    bool allPairs = true;
    if (query.size() >= 2)
        for (std::size_t k = 0; k + 1 < query.size(); ++k) {
            if (query[k].empty())
                continue;
            reds.push_back(query[k]);
            if (query[k].size() == 2)
                pairReds.push_back(PairValue(query[k].data()));
            else
                allPairs = false;
        }
    const std::string_view blue = query.size() >= 7 ? query[6] : std::string_view{};

    std::array<std::vector<std::size_t>, 6> tiers;
    for (std::size_t i = 0; i < bets.size(); ++i) {
        const std::string& line = bets[i];
        if (!HasBetLength(line))
            continue;
        if (query.size() < 7)
            ThrowShortQuery(draw);
        const std::string_view view(line);
        int hits = 0;
        bool blueHit = false;
        if (allPairs && HasUsualForm(view)) {
            // "AA BB CC DD EE FF +GG": no field holds a blank, so a two-character text
            // occurs in the red part exactly when it is one of the six numbers.
            std::array<std::uint16_t, 6> numbers;
            for (std::size_t k = 0; k < 6; ++k)
                numbers[k] = PairValue(view.data() + 3 * k);
            for (const std::uint16_t red : pairReds)
                hits += (red == numbers[0]) | (red == numbers[1]) | (red == numbers[2]) |
                        (red == numbers[3]) | (red == numbers[4]) | (red == numbers[5]);
            blueHit = view.substr(18) == blue;
        } else {
            const FieldScan scan = ScanFields(line);
            if (scan.Count < 7)
                ThrowShortBet(i, line);
            const std::string_view redText = view.substr(0, scan.EndOfSixth);
            for (const auto red : reds)
                if (redText.find(red) != std::string_view::npos)
                    ++hits;
            blueHit = scan.Seventh(view) == blue;
        }
        const int tier = PrizeTier(hits, blueHit);
        if (tier != 0)
            tiers[static_cast<std::size_t>(tier - 1)].push_back(i);
    }

    Lines result;
    for (std::size_t t = 0; t < tiers.size(); ++t) {
        if (tiers[t].empty())
            continue;
        std::string heading(kHeadings[t]);
        heading += std::to_string(tiers[t].size());
        heading += "注";
        result.push_back(std::move(heading));
        for (const std::size_t i : tiers[t])
            result.push_back(bets[i]);
        result.emplace_back();
    }
    if (result.empty())
        result.emplace_back(kNoPrizeText);
    return result;
}

void CheckPrizes(AppState& state, Host& host)
{
    Lines result = CheckPrizeLines(state.Purchase.QueryList, state.Purchase.QueryDraw);
    state.Purchase.PrizeResult = std::move(result);
    std::string text;
    for (const auto& line : state.Purchase.PrizeResult) {
        text += line;
        text += '\n';
    }
    host.SetLabel("Memo7", text);
    host.Log(kPrizeCheckDone);
}

bool LoadQueryList(AppState& state, Host& host)
{
    const auto path = host.ChooseOpenFile(state.TextFileDialog());
    if (!path)
        return false;
    state.Purchase.QueryList = LoadLines(*path);
    host.ViewChanged("Memo9");
    return true;
}

} // namespace qv
