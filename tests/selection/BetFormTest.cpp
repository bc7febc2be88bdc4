#include "selection/BetForm.h"
#include "selection/Basket.h"

#include "core/Error.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include <algorithm>
#include <bit>
#include <vector>

namespace qv {
namespace {

TEST(BetForm, CountsFollowTheFormulas)
{
    struct Case
    {
        std::string line;
        BetKind kind;
        std::uint64_t combos;
        std::uint64_t bets;
    };
    const Case cases[] = {
        {"01 02 03 04 05 06 +07", BetKind::Single, 1, 1},
        {"1 2 3 4 5 6 +7", BetKind::Single, 1, 1},
        {"01 02 03 04 05 06", BetKind::Single, 1, 1},
        {"01 02 03 04 05 06 +07 +08", BetKind::Compound, 1, 2},
        {"01 02 03 04 05 06 07 +03 +09", BetKind::Compound, 7, 14},
        // the largest ticket: C(20, 6) × 16
        {"01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 +01 +02 +03 +04 +05 +06 +07 +08 +09 "
         "+10 "
         "+11 +12 +13 +14 +15 +16",
         BetKind::Compound, 38760, 620160},
        {"(01 02) 03 04 05 06 07 08 +03", BetKind::Banker, 15, 15},
        {"(01) 02 03 04 05 06 07 +01 +02", BetKind::Banker, 6, 12},
        {"(01 02 03 04 05) 06 07 +16", BetKind::Banker, 2, 2},
        {"( 01 02 )03 04 05 06 07 08 +03", BetKind::Banker, 15, 15},
        // the largest banker forms: one 胆 and every other red, five 胆 and every other red
        {"(01) 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 "
         "33 +01",
         BetKind::Banker, 201376, 201376},
        {"(01 02 03 04 05) 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 "
         "33",
         BetKind::Banker, 28, 28},
        // a bet-list group of every red
        {"01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33",
         BetKind::Compound, 1107568, 1107568},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string why;
        const auto form = ParseBetForm(c.line, false, &why);
        ASSERT_TRUE(form) << why;
        EXPECT_EQ(form->Kind, c.kind);
        EXPECT_EQ(RedComboCount(*form), c.combos);
        EXPECT_EQ(BetCount(*form), c.bets);
        // every combination once: six reds, the 胆 among them, all distinct
        std::vector<std::uint64_t> combos;
        bool wellFormed = true;
        ForEachRedCombo(*form, [&](std::uint64_t mask) {
            wellFormed = wellFormed && std::popcount(mask) == 6 && (mask & form->Bankers) == form->Bankers &&
                         (mask & ~(form->Bankers | form->Reds)) == 0;
            combos.push_back(mask);
        });
        EXPECT_TRUE(wellFormed);
        std::sort(combos.begin(), combos.end());
        EXPECT_EQ(std::unique(combos.begin(), combos.end()) - combos.begin(),
                  static_cast<std::ptrdiff_t>(c.combos));
    }
}

TEST(BetForm, MalformedFormsSayWhy)
{
    struct Case
    {
        std::string line;
        bool blueRequired;
        std::string why;
    };
    const Case cases[] = {
        {"01 02 03 04 05 +06 +07", true, "红球不足6个，现有5个"},
        {"01 02 03 04 05 06", true, "没有蓝球"},
        {"01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 +01", true,
         "复式红球最多20个，现有21个"},
        {"(01 02) 02 03 04 05 06 07 +01", true, "胆码02也在拖码中"},
        {"(01 01) 03 04 05 06 07 08 +01", true, "红球01重复"},
        {"01 02 03 04 05 06 06 +01", true, "红球06重复"},
        {"01 02 03 04 05 06 +01 +01", true, "蓝球01重复"},
        {"(01 02 03 04 05 06) 07 +01", true, "胆拖的胆码应为1至5个，现有6个"},
        {"() 01 02 03 04 05 06 07 +01", true, "胆拖的胆码应为1至5个，现有0个"},
        {"(01 02) 03 04 05 06 +01", true, "胆拖的胆码与拖码合计应至少7个，现有6个"},
        {"01 02 03 04 05 34 +01", true, "红球“34”不在01至33之间"},
        {"01 02 03 04 05 06 +00", true, "蓝球“+00”不在01至16之间"},
        {"01 02 03 04 05 06 07 +17", true, "蓝球“+17”不在01至16之间"},
        {"01 02 (03 04) 05 06 07 +01", true, "胆码的括号应写在行首"},
        {"(01 02 03 04 05 06 07 +01", true, "括号内只能写胆码"},
        {"(01 02 03 04 05 06 07", false, "括号不成对"},
        {"01 02) 03 04 05 06 07 +01", true, "括号不成对"},
        {"(01) (02) 03 04 05 06 07 +01", true, "胆码只能有一对括号"},
        {"01 02 03 04 05 06 +01 07", true, "红球应写在蓝球之前"},
        {"01 02 03 04 05 06 +0a", true, "“+0a”不是号码"},
        {"01 02 03 04 05 06 + 07", true, "“+”后应紧跟蓝球号码"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string why;
        EXPECT_FALSE(ParseBetForm(c.line, c.blueRequired, &why));
        EXPECT_EQ(why.rfind(c.why, 0), 0u) << why;
    }
}

// The lines of the basket's own form are read on a short path; any line of that length
// must read exactly as the same line read the long way (a leading blank takes it there).
TEST(BetForm, PlainLinesReadAsTheLongWay)
{
    std::mt19937 random(7);
    const char pieces[] = "0123456789 +x";
    std::vector<std::string> lines = {
        "01 02 03 04 05 06",     "28 29 30 31 32 33 +16", "01 02 03 04 05 05",
        "00 02 03 04 05 06",     "01 02 03 04 05 34",     "01 02 03 04 05 06 +00",
        "01 02 03 04 05 06 +17", "06 05 04 03 02 01 +07", "1  02 03 04 05 06"};
    for (int n = 0; n < 20000; ++n) {
        std::string line = lines[static_cast<std::size_t>(n) % 2];
        // A few characters changed at random, numbers redrawn in range now and then.
        for (int k = 0; k < 3; ++k) {
            const std::size_t at = random() % line.size();
            line[at] = random() % 4 == 0 ? pieces[random() % 13] : static_cast<char>('0' + random() % 4);
        }
        lines.push_back(line);
    }
    for (const auto& line : lines)
        for (const bool blueRequired : {false, true}) {
            std::string whyShort;
            std::string whyLong;
            const auto quick = ParseBetForm(line, blueRequired, &whyShort);
            const auto slow = ParseBetForm(" " + line, blueRequired, &whyLong);
            ASSERT_EQ(quick.has_value(), slow.has_value()) << line;
            if (!quick) {
                ASSERT_EQ(whyShort, whyLong) << line;
                continue;
            }
            ASSERT_EQ(quick->Kind, slow->Kind) << line;
            ASSERT_EQ(quick->Reds, slow->Reds) << line;
            ASSERT_EQ(quick->Blues, slow->Blues) << line;
            ASSERT_EQ(quick->Bankers, slow->Bankers) << line;
        }
}

TEST(BetForm, WhichLinesAreWrittenForms)
{
    const std::pair<std::string, bool> cases[] = {
        {"01 02 03 04 05 06 +07", false},    {"01 02 03 04 05 06 07", false},
        {"01 02 03 04 05 06 07 +03", true},  {"01 02 03 04 05 06 +07 +08", true},
        {"(01 02) 03 04 05 06 07", true},    {"01 02 03 04 05 06 +07 ", false},
        {"01  02 03 04 05 06 07 +01", true}, {"", false},
    };
    for (const auto& [line, form] : cases) {
        SCOPED_TRACE(line);
        EXPECT_EQ(LooksLikeMultiBetForm(line), form);
    }
}

TEST(BetForm, TheBasketExpandsBankerLinesAndDropsBlues)
{
    // A banker line gives its combinations, a compound line's blues are not fields.
    const LineTable basket = ExpandLines({"(01 02 03 04 05) 06 07", "08 09 10 11 12 13 +01 +02"});
    EXPECT_EQ(basket.ToLines(), (Lines{"01 02 03 04 05 06", "01 02 03 04 05 07", "08 09 10 11 12 13"}));
    try {
        ExpandLines({"01 02 03 04 05 06 07", "(01 02) 02 03 04 05 06 07"});
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "投注列表第2行“(01 02) 02 03 04 05 06 07”：胆码02也在拖码中");
    }
}

} // namespace
} // namespace qv
