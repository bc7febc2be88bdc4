#include "purchase/PrizeTable.h"
#include "purchase/PrizeCheck.h"
#include "purchase/Replay.h"

#include "core/Error.h"
#include "core/RecordingHost.h"
#include "session/PurchaseCommands.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>

namespace qv {
namespace {

std::uint64_t Mask(std::initializer_list<int> reds)
{
    std::uint64_t mask = 0;
    for (const int red : reds)
        mask |= std::uint64_t{1} << (red - 1);
    return mask;
}

TEST(PrizeTable, EveryTierWithItsAmountAndOnlyTheHighest)
{
    // Against 01..06 +07; each bet wins only the highest tier its matches reach.
    struct Case
    {
        std::string bet;
        int tier;
        std::optional<std::uint64_t> amount; // without floating amounts given
    };
    const Case cases[] = {
        {"01 02 03 04 05 06 +07", 1, std::nullopt},
        {"01 02 03 04 05 06 +08", 2, std::nullopt},
        {"01 02 03 04 05 33 +07", 3, 3000},
        {"01 02 03 04 05 33 +08", 4, 200},
        {"01 02 03 04 32 33 +07", 4, 200},
        {"01 02 03 04 32 33 +08", 5, 10},
        {"01 02 03 31 32 33 +07", 5, 10},
        {"01 02 30 31 32 33 +07", 6, 5},
        {"01 29 30 31 32 33 +07", 6, 5},
        {"28 29 30 31 32 33 +07", 6, 5},
        {"01 02 03 31 32 33 +08", 0, std::nullopt},
        {"28 29 30 31 32 33 +08", 0, std::nullopt},
    };
    const DrawNumbers draw{Mask({1, 2, 3, 4, 5, 6}), 7};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bet);
        const auto form = ParseBetForm(c.bet, true);
        ASSERT_TRUE(form);
        TierCounts expected{};
        if (c.tier != 0) {
            expected[static_cast<std::size_t>(c.tier - 1)] = 1;
            EXPECT_EQ(TierAmount(c.tier, {}), c.amount);
        }
        EXPECT_EQ(CheckForm(*form, draw), expected);
        const PrizeTotals totals = TotalPrizes(expected, 1, {});
        EXPECT_EQ(totals.Cost, 2u);
        EXPECT_EQ(totals.Fixed, c.amount.value_or(0));
        // the total is known unless a floating tier was hit without its amount
        EXPECT_EQ(totals.Total.has_value(), c.tier > 2 || c.tier == 0);
    }
    const TierCounts counts = {1, 2, 1, 1, 1, 1};
    EXPECT_EQ(FixedWinnings(counts), 3215u);
    EXPECT_EQ(TotalPrizes(counts, 100, {5'000'000, 100'000}).Total, 5'203'215u);
    EXPECT_FALSE(TotalPrizes(counts, 100, {5'000'000, std::nullopt}).Total);
    EXPECT_EQ(TotalPrizes(counts, 100, {}).Cost, 200u);
}

// The tiers of a form counted bet by bet over its expansion.
TierCounts ExpandedTiers(const BetForm& form, const DrawNumbers& draw)
{
    TierCounts counts{};
    ForEachRedCombo(form, [&](std::uint64_t mask) {
        for (int blue = 1; blue <= kBlueNumbers; ++blue) {
            if (!(form.Blues >> (blue - 1) & 1))
                continue;
            const int tier = PrizeTier(std::popcount(mask & draw.Reds), blue == draw.Blue);
            if (tier != 0)
                ++counts[static_cast<std::size_t>(tier - 1)];
        }
    });
    return counts;
}

TEST(PrizeTable, FormsCheckedWithoutExpandingAgreeWithTheirSingleBets)
{
    std::mt19937 generator(20260);
    const auto pick = [&](int count, int maximum, std::uint64_t avoid) {
        std::uint64_t mask = 0;
        while (std::popcount(mask) < count) {
            const std::uint64_t bit = std::uint64_t{1} << (generator() % static_cast<unsigned>(maximum));
            if (!(avoid & bit))
                mask |= bit;
        }
        return mask;
    };
    for (int round = 0; round < 400; ++round) {
        BetForm form;
        const bool banker = round % 2 == 1;
        const int bankers = banker ? 1 + static_cast<int>(generator() % 5) : 0;
        const int minimum = banker ? std::max(2, 7 - bankers) : 6;
        const int reds =
            minimum + static_cast<int>(generator() % static_cast<unsigned>((banker ? 14 : 15) - minimum + 1));
        form.Kind = banker ? BetKind::Banker : BetKind::Compound;
        form.Bankers = banker ? pick(bankers, kRedNumbers, 0) : 0;
        form.Reds = pick(reds, kRedNumbers, form.Bankers);
        form.Blues =
            static_cast<std::uint32_t>(pick(1 + static_cast<int>(generator() % 16), kBlueNumbers, 0));
        const DrawNumbers draw{pick(6, kRedNumbers, 0), 1 + static_cast<int>(generator() % 16)};
        SCOPED_TRACE(round);
        const TierCounts counts = CheckForm(form, draw);
        ASSERT_EQ(counts, ExpandedTiers(form, draw));
        // the same bets expanded into the compact single-bet list the replay checks
        CompactBets singles;
        ForEachRedCombo(form, [&](std::uint64_t mask) {
            for (int blue = 1; blue <= kBlueNumbers; ++blue)
                if (form.Blues >> (blue - 1) & 1)
                    singles.Singles.push_back(CompactSingle(mask, blue));
        });
        ASSERT_EQ(CheckCompact(singles, draw), counts);
    }
}

TEST(PrizeTable, ReplayTotalsOnAHandMadeHistory)
{
    AppState state;
    RecordingHost host;
    state.HistoryLines = {test::HistoryLine(2026003, {1, 2, 3, 4, 5, 6}, 7),
                          test::HistoryLine(2026002, {1, 2, 3, 10, 11, 12}, 7),
                          test::HistoryLine(2026001, {20, 21, 22, 23, 24, 25}, 1)};
    state.Purchase.QueryList = {"01 02 03 04 05 06 +07", "01 02 03 04 05 06 07 +07 +08", "01 02 03 04 05 06",
                                ""};
    state.Purchase.ReplayDrawCount = 2;
    ReplayQueryList(state, host);
    const ReplayResult& replay = state.Purchase.Replay;
    ASSERT_EQ(replay.Draws.size(), 2u);
    // 2026003: single 6+1; compound 7 × 2 bets: one 6+1, one 6+0, six 5+1, six 5+0
    EXPECT_EQ(replay.Draws[0].Issue, "2026003");
    EXPECT_EQ(replay.Draws[0].Tiers, (TierCounts{2, 1, 6, 6, 0, 0}));
    EXPECT_EQ(replay.Draws[0].Fixed, 19200u);
    // 2026002: 3+1 for the single (fifth); of the compound's 7 choices the 4 that keep
    // 01 02 03 are 3+1 with +07 (fifth), the 3 that drop one are 2+1 (sixth), none wins with +08
    EXPECT_EQ(replay.Draws[1].Tiers, (TierCounts{0, 0, 0, 0, 5, 3}));
    EXPECT_EQ(replay.Bets, 15u);
    EXPECT_EQ(replay.Cost, 60u);
    EXPECT_EQ(replay.Fixed, 19265u);
    EXPECT_EQ(replay.FloatingHits, 3u);
    EXPECT_DOUBLE_EQ(replay.ReturnRate, 19265.0 / 60.0);
    EXPECT_EQ(host.LogLines.back(), kReplayDone);
    EXPECT_EQ(host.LogLines.size(), 2u); // the skipped line, then done

    struct Refusal
    {
        Lines history;
        Lines list;
        std::string message;
    };
    const Refusal refusals[] = {
        {{}, {"01 02 03 04 05 06 +07"}, "没有历史数据"},
        {state.HistoryLines, {"01 02 03 04 05 06", ""}, "查询清单中没有可回放的号码：清单中的号码都没有蓝球"},
        {{"2026003 01 02 03"}, {"01 02 03 04 05 06 +07"}, "历史数据第1行“2026003 01 02 03”："},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.message);
        state.HistoryLines = r.history;
        state.Purchase.QueryList = r.list;
        try {
            ReplayQueryList(state, host);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(r.message, 0), 0u) << e.what();
        }
        EXPECT_EQ(state.Purchase.Replay.Fixed, 19265u);
    }
}

TEST(PrizeTable, ListsReadAsTicketsAndTallies)
{
    const Lines lines = {"01 02 03 04 05 06 +07", "", "(01 02) 03 04 05 06 07 08 +03 +04",
                         "01 02 03 04 05 06", "01 02 03 04 05 06 +7"};
    const TicketList list = ReadTicketList(lines, "购买清单");
    EXPECT_EQ(list.Bets.Singles, (std::vector<std::uint64_t>{CompactSingle(Mask({1, 2, 3, 4, 5, 6}), 7)}));
    ASSERT_EQ(list.Bets.Forms.size(), 1u);
    EXPECT_EQ(list.Bets.Bets, 31u);
    EXPECT_EQ(list.SkippedCount, 2u);
    EXPECT_EQ(list.SkippedWithoutBlue, 1u);
    ASSERT_EQ(list.Skipped.size(), 2u);
    EXPECT_EQ(list.Skipped[1].Index, 4u);

    const BetTally tally = TallyBets(lines, "购买清单");
    EXPECT_EQ(tally.Bets, 33u);
    EXPECT_EQ(tally.LineCount, 4u);
    EXPECT_EQ(tally.Unreadable, 0u);
    const BetTally bad = TallyBets({"x", "01 02 03 04 05 06", "01 01"}, "购买清单");
    EXPECT_EQ(bad.Bets, 1u);
    EXPECT_EQ(bad.Unreadable, 2u);
    EXPECT_EQ(bad.FirstProblem, "购买清单第1行“x”：“x”不是号码（号码为一到两位数字，以空格分隔）");
    EXPECT_EQ(BetTotalText(620160), "合计共：620160注/1240320元");
}

} // namespace
} // namespace qv
