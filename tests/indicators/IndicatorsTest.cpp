#include "core/Error.h"
#include "core/RecordingHost.h"
#include "history/HistoryLoad.h"
#include "indicators/BlueIndicators.h"
#include "indicators/RedIndicators.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qv {
namespace {

// RedHistory as the history load builds it: fields 1 to 6 of every line, then an empty line.
Lines CombosOf(const Lines& history)
{
    Lines combos;
    for (const auto& line : history) {
        auto fields = SplitFields(line);
        fields.resize(7);
        combos.push_back(Join(std::vector<std::string>(fields.begin() + 1, fields.end()), " "));
    }
    combos.emplace_back();
    return combos;
}

Lines RedTable(const Lines& history)
{
    RecordingHost host;
    return ComputeRedIndicatorTable(history, CombosOf(history), host);
}

TEST(RedIndicators, ExampleDraw)
{
    const Lines table = RedTable({"2009150 01 02 03 04 05 06 01", "2009149 06 12 15 22 29 32 07",
                                  "2009148 03 06 17 22 25 31 09", "2009147 06 12 15 22 29 32 11"});
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[1],
              "2009149(3) 06 12 15 22 29 32 07 6 15 33 24 CCCABB 44 116 NO NO 06,22 2 1:3:2 6:49:61 26 "
              "水火土火金火 √√√√×√ 坎震艮坎巽坤:离");
    // The oldest draw has no previous draw, even though it repeats the reds of line 1.
    EXPECT_EQ(SplitFields(table[3])[17] + SplitFields(table[3])[18], "NONO");
}

TEST(RedIndicators, SingleDraws)
{
    struct Case
    {
        std::string reds;
        std::string tail; // fields 8 to 24 when given
        std::vector<std::pair<std::size_t, std::string>> fields;
    };
    const Case cases[] = {
        {"01 02 03 04 05 06",
         "0 60 06 33 ABCABC 9 21 01-02-03-04-05-06 6 NO NO 6:0:0 21:0:0 5 水火木金土水 "
         "√××××× 乾兑离震巽坎:乾",
         {}},
        {"28 29 30 31 32 33",
         "0 06 60 33 ABCABC 93 183 28-29-30-31-32-33 6 NO NO 0:0:6 0:0:183 5 "
         "木金土水火木 ×××××√ 震巽坎艮坤乾:乾",
         {}},
        {"01 02 03 10 11 20", "", {{15, "01-02-03,10-11"}, {16, "3+2"}, {19, "5:1:0"}, {20, "27:20:0"}}},
        {"04 05 08 30 31 32", "", {{15, "04-05,30-31-32"}, {16, "2+3"}, {9, "33"}, {10, "33"}}},
        {"01 02 05 11 13 18",
         "",
         {{8, "10"}, {15, "01-02"}, {16, "2"}, {13, "30"}}}, // all 15 differences distinct
        {"09 15 16 23 24 33",
         "",
         {{9, "15"}, {10, "42"}, {11, "42"}, {12, "CCABCC"}, {20, "9:31:80"}, {21, "24"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reds);
        const std::string line = RedTable({"2009150 " + c.reds + " 07"}).at(0);
        const auto fields = SplitFields(line);
        ASSERT_EQ(fields.size(), 25u) << line;
        if (!c.tail.empty()) {
            EXPECT_EQ(line.substr(line.find(" 07 ") + 4), c.tail);
        }
        for (const auto& [index, text] : c.fields)
            EXPECT_EQ(fields[index], text) << "field " << index;
    }
}

TEST(Indicators, OrdinalTrigramsRunFromNewestToOldest)
{
    Lines history;
    for (int k = 8; k >= 1; --k)
        history.push_back("200900" + std::to_string(k) + " 01 02 03 04 05 06 0" + std::to_string(k));
    const Lines red = RedTable(history);
    const Lines blue = ComputeBlueIndicatorTable(history);
    const char* expected[] = {"坤", "艮", "坎", "巽", "震", "离", "兑", "乾"};
    for (std::size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(red[i].ends_with(std::string(":") + expected[i])) << red[i];
        EXPECT_TRUE(blue[i].ends_with(std::string(":") + expected[i])) << blue[i];
    }
}

TEST(RedIndicators, LogsEveryPassInOrder)
{
    RecordingHost host;
    const Lines history{"2009149 06 12 15 22 29 32 07"};
    ComputeRedIndicatorTable(history, CombosOf(history), host);
    const std::vector<std::string> messages{
        "初始化成功....开始计算AC值->", "AC值计算成功....OK",
        "正在进行个十比计算....",       "个十比计算成功....OK",
        "正在进行大小比计算....",       "大小比计算成功....OK",
        "正在进行奇偶值计算....",       "奇偶值计算成功....OK",
        "正在进行除3值计算....",        "除三值计算成功....OK",
        "正在进行奇数和计算....",       "奇数和计算成功....OK",
        "正在进行总和计算....",         "总和计算成功....OK",
        "正在进行连号数计算....",       "连号数计算成功....OK",
        "正在进行重号数计算....",       "重号组合成功....OK",
        "正在进行三区比计算....",       "三区比计算成功....OK",
        "正在进行三区总和计算....",     "三区比总和计算成功....OK",
        "正在进行极距计算....",         "极距计算....OK",
        "正在进行五行计算....",         "正在进行中心平均值范围计算....",
        "正在进行先天八卦计算....",     "正在进行八卦期数计算....",
    };
    std::vector<std::string> expected;
    for (const auto& m : messages) {
        expected.push_back(" ");
        expected.push_back(m);
    }
    EXPECT_EQ(host.LogLines, expected);
}

TEST(RedIndicators, StopsAtThePassThatCannotRead)
{
    const Lines good{"2009149 06 12 15 22 29 32 07", "2009148 03 06 17 22 25 31 09"};
    struct Case
    {
        const char* name;
        Lines history;
        Lines combos; // empty: the combos of the history
        std::string error;
        std::string lastLog; // empty: nothing logged
    };
    const Case cases[] = {
        {"short line wins over an earlier letter",
         {"2009149 06 1x 15 22 29 32 07", "2009148 03 06 17 22 25 31"},
         {},
         "List index out of bounds (7)",
         ""},
        {"combo short",
         good,
         {"06 12 15 22 29 32", "03 06 17 22 25"},
         "List index out of bounds (5)",
         "正在进行三区比计算...."},
        {"combo letters",
         good,
         {"06 12 15 22 29 32", "03 O6 17 22 25 31"},
         "'O6' is not a valid integer value",
         "正在进行三区比计算...."},
        {"combo missing",
         good,
         {"06 12 15 22 29 32"},
         "List index out of bounds (1)",
         "正在进行三区比计算...."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHost host;
        try {
            ComputeRedIndicatorTable(c.history, c.combos.empty() ? CombosOf(c.history) : c.combos, host);
            ADD_FAILURE() << "no error";
        } catch (const HistoryLineError& e) {
            EXPECT_EQ(e.Original(), c.error);
        } catch (const Error& e) {
            EXPECT_EQ(e.what(), c.error);
        }
        EXPECT_EQ(host.LogLines.empty() ? "" : host.LogLines.back(), c.lastLog);
    }
}

TEST(RedIndicators, ToleratesWhatDoesNotShiftTheReds)
{
    // The blue never enters a red indicator; a short issue and a trailing blank shift nothing.
    const Lines table = RedTable({"20091 06 12 15 22 29 32 x7 ", "2009148 03 06 17 22 25 31 09"});
    EXPECT_EQ(table[0],
              "20091(2) 06 12 15 22 29 32 x7 6 15 33 24 CCCABB 44 116 NO NO 06,22 2 1:3:2 6:49:61 26 "
              "水火土火金火 √√√√×√ 坎震艮坎巽坤:兑");
}

TEST(RedIndicators, NumbersOutsideTheGameStillGiveWholeLines)
{
    // Every field stays non-empty and nothing overflows, whatever integers the reds hold.
    const std::string line = RedTable({"2009149 2147483647 -2147483648 2147483647 +5 -7 99 01"}).at(0);
    const auto fields = SplitFields(line);
    ASSERT_EQ(fields.size(), 25u) << line;
    EXPECT_TRUE(std::none_of(fields.begin(), fields.end(), [](const std::string& f) { return f.empty(); }))
        << line;
    EXPECT_EQ(fields[14], "2147483743");
}

TEST(BlueIndicators, ClassifiesEveryBlue)
{
    const char* expected[] = {
        "",
        "奇 合 小 水 乾",
        "偶 质 小 火 兑",
        "奇 质 小 木 离",
        "偶 合 小 金 震",
        "奇 质 小 土 巽",
        "偶 合 小 水 坎",
        "奇 质 小 火 艮",
        "偶 合 小 木 坤",
        "奇 合 大 金 乾",
        "偶 合 大 土 兑",
        "奇 质 大 水 离",
        "偶 合 大 火 震",
        "奇 质 大 木 巽",
        "偶 合 大 金 坎",
        "奇 合 大 土 艮",
        "偶 合 大 水 坤",
    };
    for (int b = 1; b <= 16; ++b) {
        SCOPED_TRACE(b);
        const std::string blue = TwoDigits(b);
        EXPECT_EQ(BlueIndicatorLine("2009149 06 12 15 22 29 32 " + blue, 3),
                  "2009149(3) " + blue + " " + expected[b] + ":离");
    }
    // Outside 1..16 there is neither element nor trigram: the line has two fields fewer.
    EXPECT_EQ(BlueIndicatorLine("2009149 06 12 15 22 29 32 17", 1), "2009149(1) 17 奇 合 大:乾");
    EXPECT_EQ(BlueIndicatorLine("2009149 06 12 15 22 29 32 00", 2), "2009149(2) 00 偶 合 小:兑");
}

TEST(BlueIndicators, ReportsUnreadableLines)
{
    const std::pair<std::string, std::string> cases[] = {
        {"2009149 06 12 15 22 29 32 ab", "'ab' is not a valid integer value"},
        {"2009149 06 12 15 22 29 32  07", "'' is not a valid integer value"},
        {"2009149 06 12 15 22 29 32", "List index out of bounds (7)"},
        {"", "List index out of bounds (0)"},
    };
    for (const auto& [line, error] : cases) {
        SCOPED_TRACE(line);
        try {
            ComputeBlueIndicatorTable({"2009150 01 02 03 04 05 06 01", line});
            ADD_FAILURE() << "no error";
        } catch (const HistoryLineError& e) {
            EXPECT_EQ(e.Original(), error);
            EXPECT_EQ(std::string(e.what()).rfind("历史数据（data/data.txt）第2行", 0), 0u);
        }
    }
}

} // namespace
} // namespace qv
