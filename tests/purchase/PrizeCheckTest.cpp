#include "purchase/PrizeCheck.h"
#include "core/Error.h"
#include "core/RecordingHost.h"
#include "session/PurchaseCommands.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace qv {
namespace {

constexpr const char* kDraw = "01 02 03 04 05 06 +07";

// The result box for a list holding one winning bet of the given tier.
Lines SingleWinner(const std::string& heading, const std::string& bet)
{
    return {heading + "1注", bet, ""};
}

// The lines that follow a result when lines of the list were skipped.
Lines WithSkipped(Lines result, const std::string& heading, const Lines& shown)
{
    if (!result.back().empty())
        result.emplace_back();
    result.push_back(heading);
    result.insert(result.end(), shown.begin(), shown.end());
    return result;
}

constexpr const char* kSkippedOne =
    "另有1行未查询（不是“01 02 03 04 05 06 +07”或复式、胆拖的写法，或没有蓝球）：";

TEST(PrizeCheck, EveryTierOfTheGame)
{
    struct Case
    {
        std::string bet;
        std::string heading; // empty: no prize
    };
    const Case cases[] = {
        {"01 02 03 04 05 06 +07", "命中一等奖："},
        {"01 02 03 04 05 06 +08", "命中二等奖："},
        {"01 02 03 04 05 33 +07", "命中三等奖："},
        {"01 02 03 04 32 33 +07", "命中四等奖："},
        {"01 02 03 04 05 33 +08", "命中四等奖："},
        {"01 02 03 04 32 33 +08", "命中五等奖："},
        {"01 02 03 31 32 33 +07", "命中五等奖："},
        {"10 11 12 13 14 15 +07", "命中六等奖："},
        {"01 02 30 31 32 33 +07", "命中六等奖："},
        {"01 30 31 32 33 29 +07", "命中六等奖："},
        {"01 02 03 31 32 33 +08", ""},
        {"01 02 30 31 32 33 +08", ""},
        {"10 11 12 13 14 15 +16", ""},
        // reds found anywhere in the red part, in any order
        {"06 05 04 03 02 01 +07", "命中一等奖："},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bet);
        const Lines expected = c.heading.empty() ? Lines{kNoPrizeText} : SingleWinner(c.heading, c.bet);
        EXPECT_EQ(CheckPrizeLines({c.bet}, kDraw), expected);
    }
}

TEST(PrizeCheck, TierRules)
{
    // reds 0..6 without and with the blue
    const int withoutBlue[] = {0, 0, 0, 0, 5, 4, 2};
    const int withBlue[] = {6, 6, 6, 5, 4, 3, 1};
    for (int reds = 0; reds <= 6; ++reds) {
        SCOPED_TRACE(reds);
        EXPECT_EQ(PrizeTier(reds, false), withoutBlue[reds]);
        EXPECT_EQ(PrizeTier(reds, true), withBlue[reds]);
    }
    EXPECT_EQ(PrizeTierHeading(1), "命中一等奖：");
    EXPECT_EQ(PrizeTierHeading(6), "命中六等奖：");
    EXPECT_EQ(PrizeTierHeading(0), "");
}

TEST(PrizeCheck, OnlyLinesOfTwentyOneCharactersAreChecked)
{
    struct Case
    {
        std::string name;
        Lines bets;
        std::string draw;
        Lines expected;
    };
    const Case cases[] = {
        {"trailing blank makes 22 characters",
         {"01 02 03 04 05 06 +07 "},
         kDraw,
         WithSkipped({kNoPrizeText}, kSkippedOne, {"第1行：01 02 03 04 05 06 +07 "})},
        {"one-digit blue makes 20 characters",
         {"01 02 03 04 05 06 +7"},
         "01 02 03 04 05 06 +7",
         WithSkipped({kNoPrizeText}, kSkippedOne, {"第1行：01 02 03 04 05 06 +7"})},
        {"empty lines and the saved list's last line", {"", "", ""}, kDraw, {kNoPrizeText}},
        {"empty list", {}, kDraw, {kNoPrizeText}},
        {"a query blue of one digit reads as two digits",
         {"01 02 03 04 05 06 +07"},
         "01 02 03 04 05 06 +7",
         SingleWinner("命中一等奖：", "01 02 03 04 05 06 +07")},
        {"blue compared as text",
         {"01 02 03 04 05 06  07"},
         kDraw,
         SingleWinner("命中二等奖：", "01 02 03 04 05 06  07")},
        // 21 characters counted as characters, not bytes: the wide digits are two characters
        {"wide digits",
         {"０１ 02 03 04 05 06 +07"},
         kDraw,
         SingleWinner("命中三等奖：", "０１ 02 03 04 05 06 +07")},
        {"too long in bytes only",
         {"０１ 02 03 04 05 06 +07 "},
         kDraw,
         WithSkipped({kNoPrizeText}, kSkippedOne, {"第1行：０１ 02 03 04 05 06 +07 "})},
        {"a list saved before the blues were drawn",
         {"01 02 03 04 05 06", "01 02 03 04 05 07", "01 02 03 04 05 08", "01 02 03 04 05 09",
          "01 02 03 04 05 10", "01 02 03 04 05 11", ""},
         kDraw,
         WithSkipped({kNoPrizeText}, "另有6行未查询（没有蓝球）：",
                     {"第1行：01 02 03 04 05 06", "第2行：01 02 03 04 05 07", "第3行：01 02 03 04 05 08",
                      "第4行：01 02 03 04 05 09", "第5行：01 02 03 04 05 10", "……"})},
        {"skipped lines follow the winners",
         {"01 02 03 04 05 06 +07", "01 02 03 04 05 06"},
         kDraw,
         WithSkipped(SingleWinner("命中一等奖：", "01 02 03 04 05 06 +07"), "另有1行未查询（没有蓝球）：",
                     {"第2行：01 02 03 04 05 06"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CheckPrizeLines(c.bets, c.draw), c.expected);
    }
}

TEST(PrizeCheck, TheQueryIsCheckedAndNormalisedFirst)
{
    struct Case
    {
        std::string query;
        std::string normal; // empty: refused
        std::string reason; // the start of the refusal's reason
    };
    const Case cases[] = {
        {"01 02 03 04 05 06 +07", "01 02 03 04 05 06 +07", ""},
        // the first prize that once read as a second one
        {"03 09 15 22 25 32 +1", "03 09 15 22 25 32 +01", ""},
        {"32 3 25 9 22 15 +01", "03 09 15 22 25 32 +01", ""},
        {"  01  02 03 04 05 06 +07 ", "01 02 03 04 05 06 +07", ""},
        {"01 02 03 04 05 06 07", "", "没有蓝球"},
        {"01 02 03 04 05 06", "", "没有蓝球"},
        {"", "", "没有蓝球"},
        {"01 02 03 04 05 +07", "", "红球不足6个"},
        {"01 02 03 04 05 06 07 +07", "", "只能查询一注"},
        {"01 02 03 04 05 06 +07 +08", "", "只能查询一注"},
        {"(01) 02 03 04 05 06 07 +07", "", "只能查询一注"},
        {"01 01 03 04 05 06 +07", "", "红球01重复"},
        {"00 02 03 04 05 06 +07", "", "红球“00”不在01至33之间"},
        {"01 02 03 04 05 34 +07", "", "红球“34”不在01至33之间"},
        {"01 02 03 04 05 06 +17", "", "蓝球“+17”不在01至16之间"},
        {"01 02 03 04 05 006 +07", "", "红球“006”不在01至33之间"},
        {"01 02 03 04 05 06 +07 x", "", "“x”不是号码"},
        {"01,02 03 04 05 06 +07", "", "“01,02”不是号码"},
        {"01 02 03 04 05 06 +", "", "“+”后应紧跟蓝球号码"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("'" + c.query + "'");
        std::string why;
        const auto query = ReadQueryDraw(c.query, &why);
        if (c.normal.empty()) {
            EXPECT_FALSE(query);
            EXPECT_EQ(why.rfind(c.reason, 0), 0u) << why;
            continue;
        }
        ASSERT_TRUE(query) << why;
        EXPECT_EQ(query->Text, c.normal);
    }
    EXPECT_EQ(
        QueryErrorText("01", "红球不足6个，现有1个"),
        "查询号码“01”有误：红球不足6个，现有1个。应为6个不同的红球（01至33，从小到大）和1个蓝球（+01至+16），"
        "以一个空格分隔，如“01 02 03 04 05 06 +07”");

    // the command shows the normal form and checks against it
    AppState state;
    RecordingHost host;
    state.Purchase.QueryDraw = "32 3 25 9 22 15 +1";
    state.Purchase.QueryList = {"03 09 15 22 25 32 +01"};
    CheckPrizes(state, host);
    EXPECT_EQ(state.Purchase.QueryDraw, "03 09 15 22 25 32 +01");
    EXPECT_EQ(state.Purchase.PrizeResult, SingleWinner("命中一等奖：", "03 09 15 22 25 32 +01"));
    EXPECT_EQ(std::count(host.ChangedViews.begin(), host.ChangedViews.end(), "Edit7"), 1);
}

TEST(PrizeCheck, TiersInOrderWithTheirBetsInListOrder)
{
    const Lines bets = {
        "10 11 12 13 14 15 +07", // sixth
        "01 02 03 04 05 06 +08", // second
        "",
        "01 02 03 31 32 33 +08", // nothing
        "01 02 03 04 05 06 +07", // first
        "01 02 03 04 05 06 +07 ",
        "20 21 22 23 24 25 +07", // sixth
        "01 02 03 04 05 33 +08", // fourth
    };
    const Lines expected = {
        "命中一等奖：1注",
        "01 02 03 04 05 06 +07",
        "",
        "命中二等奖：1注",
        "01 02 03 04 05 06 +08",
        "",
        "命中四等奖：1注",
        "01 02 03 04 05 33 +08",
        "",
        "命中六等奖：2注",
        "10 11 12 13 14 15 +07",
        "20 21 22 23 24 25 +07",
        "",
    };
    EXPECT_EQ(CheckPrizeLines(bets, kDraw),
              WithSkipped(expected, kSkippedOne, {"第6行：01 02 03 04 05 06 +07 "}));
}

// The tier of one bet read straight from the definition: fields cut with SplitFields, the
// red text joined again, every query field but the last searched in it.
int ReferenceTier(const std::string& bet, const std::string& draw)
{
    const auto query = SplitFields(draw);
    const auto fields = SplitFields(bet);
    const std::string redText = Join(std::vector<std::string>(fields.begin(), fields.begin() + 6), " ");
    int reds = 0;
    for (std::size_t k = 0; k + 1 < query.size(); ++k)
        if (!query[k].empty() && redText.find(query[k]) != std::string::npos)
            ++reds;
    return PrizeTier(reds, query[6] == fields[6]);
}

TEST(PrizeCheck, AgreesWithTheDefinitionOnOddLines)
{
    // Lines and draws over a small alphabet, so that numbers repeat, blanks double and
    // fields run long; every one that cuts into seven fields must be classed as defined.
    std::mt19937 generator(17);
    const std::string alphabet = "0123+  ";
    auto randomText = [&](std::size_t length) {
        std::string text;
        for (std::size_t k = 0; k < length; ++k)
            text += alphabet[generator() % alphabet.size()];
        return text;
    };
    const std::vector<std::string> draws = {kDraw, "01 02 03 10 20 30 +01", "03 10 11 12 13 23 +03",
                                            "20 21 22 30 31 32 +02"};
    int checked = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string bet = round % 2 ? randomText(21)
                                    : "0" + randomText(1) + " 0" + randomText(1) + " 0" + randomText(1) +
                                          " 0" + randomText(1) + " 0" + randomText(1) + " 0" + randomText(1) +
                                          " +0" + randomText(1);
        if (SplitFields(bet).size() < 7)
            continue;
        for (const auto& draw : draws) {
            SCOPED_TRACE("'" + bet + "' / " + draw);
            const int tier = ReferenceTier(bet, draw);
            const Lines expected =
                tier == 0 ? Lines{kNoPrizeText} : SingleWinner(std::string(PrizeTierHeading(tier)), bet);
            ASSERT_EQ(CheckPrizeLines({bet}, draw), expected);
            ++checked;
        }
    }
    EXPECT_GT(checked, 4000);
}

TEST(PrizeCheck, MalformedLinesStopTheCheck)
{
    struct Case
    {
        std::string name;
        Lines bets;
        std::string draw;
        std::string message; // empty: no failure
    };
    const Case cases[] = {
        {"21 characters in six fields",
         {"01 02 03 04 05 06 +07", "01 02 03 04 05 06,+07"},
         kDraw,
         "查询清单第2行“01 02 03 04 05 "
         "06,+07”不足7段，无法查询中奖（应为6个红球和1个蓝球，以一个空格分隔，如“01 "
         "02 03 04 05 06 +07”）"},
        {"query of six fields",
         {"01 02 03 04 05 06 +07"},
         "01 02 03 04 05 06",
         "查询号码“01 02 03 04 05 06”有误：没有蓝球"},
        {"empty query", {"01 02 03 04 05 06 +07"}, "", "查询号码“”有误："},
        {"a short query is refused even with nothing to compare",
         {"01 02 03", ""},
         "01",
         "查询号码“01”有误："},
        {"nothing to compare", {"", ""}, kDraw, ""},
        {"malformed compound",
         {"01 02 03 04 05 +06 +07"},
         kDraw,
         "查询清单第1行“01 02 03 04 05 +06 +07”：红球不足6个"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.message.empty()) {
            EXPECT_EQ(CheckPrizeLines(c.bets, c.draw), Lines{kNoPrizeText});
            continue;
        }
        try {
            CheckPrizeLines(c.bets, c.draw);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
    }
}

TEST(PrizeCheck, CommandFillsTheResultBoxAndLogsOnce)
{
    AppState state;
    RecordingHost host;
    state.Purchase.QueryList = {"01 02 03 04 05 33 +07", "01 02 03 04 05 06 +07"};
    const Lines listBefore = state.Purchase.QueryList;
    CheckPrizes(state, host);
    const Lines expected = {"命中一等奖：1注", "01 02 03 04 05 06 +07", "",
                            "命中三等奖：1注", "01 02 03 04 05 33 +07", ""};
    EXPECT_EQ(state.Purchase.PrizeResult, expected);
    EXPECT_EQ(host.Labels["Memo7"],
              "命中一等奖：1注\n01 02 03 04 05 06 +07\n\n命中三等奖：1注\n01 02 03 04 05 33 +07\n\n");
    EXPECT_EQ(host.LogLines, (std::vector<std::string>{"中奖查询.......OK"}));
    EXPECT_EQ(state.Purchase.QueryList, listBefore);

    // a failing check keeps the previous result and writes nothing to the log
    state.Purchase.QueryList.push_back("01 02 03 04 05 06,+07");
    host.Clear();
    EXPECT_THROW(CheckPrizes(state, host), Error);
    EXPECT_EQ(state.Purchase.PrizeResult, expected);
    EXPECT_TRUE(host.Labels.empty());
    EXPECT_TRUE(host.LogLines.empty());

    // a list whose lines all lack a blue is checked, and a message says why nothing won
    state.Purchase.QueryList = {"01 02 03 04 05 06", "01 02 03 04 05 07", ""};
    CheckPrizes(state, host);
    EXPECT_EQ(state.Purchase.PrizeResult.front(), kNoPrizeText);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_NE(host.Messages[0].Text.find("查询清单中的号码都没有蓝球"), std::string::npos);
    // one line with a blue is enough to say nothing more
    host.Clear();
    state.Purchase.QueryList = {"01 02 03 04 05 06", "10 11 12 13 14 15 +16"};
    CheckPrizes(state, host);
    EXPECT_TRUE(host.Messages.empty());
}

TEST(PrizeCheck, LoadingTheQueryList)
{
    test::TempAppDir dir;
    AppState state;
    dir.Attach(state);
    RecordingHost host;
    dir.Write("list.txt", {"01 02 03 04 05 06 +07", "", "11 12 13 14 15 16 +01"});
    state.Purchase.QueryList = {"old"};

    // cancelled: nothing happens
    EXPECT_FALSE(LoadQueryList(state, host));
    EXPECT_EQ(state.Purchase.QueryList, Lines{"old"});
    ASSERT_EQ(host.OpenRequests.size(), 1u);
    EXPECT_EQ(host.OpenRequests[0].Filter, "*.txt|*.txt");
    EXPECT_EQ(host.OpenRequests[0].StartFolder, dir.Path());

    // unreadable: the platform's report, list unchanged
    host.QueueOpenFile(dir / "missing.txt");
    try {
        LoadQueryList(state, host);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"", 0), 0u) << e.what();
    }
    EXPECT_EQ(state.Purchase.QueryList, Lines{"old"});

    host.QueueOpenFile(dir / "list.txt");
    EXPECT_TRUE(LoadQueryList(state, host));
    EXPECT_EQ(state.Purchase.QueryList, (Lines{"01 02 03 04 05 06 +07", "", "11 12 13 14 15 16 +01"}));
}

} // namespace
} // namespace qv
