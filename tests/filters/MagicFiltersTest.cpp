#include "filters/MagicValueProbability.h"
#include "filters/MagicValueProbabilityTestKit.h"

#include <gtest/gtest.h>

#include <bit>

namespace qv::test {
namespace {

TEST(MagicFilters, KeepAndRemoveOnBothForms)
{
    FamilyBench bench;
    bench.State.Analysis.Prediction.RegionEdgeNumbers = "03 09 21";
    const LineCase cases[] = {
        {"CheckBox24", "01 05 11 15 18 30", true}, // five of row 1
        {"CheckBox24", "01 02 03 04 05 06", false},
        {"CheckBox24", "01 05 11 15 19 33", false}, // four of row 1, 33 in no row
        {"CheckBox25", "05 07 11 13 17 21", true},  // wholly in group (1,5)
        {"CheckBox25", "08 10 14 18 24 28", true},  // wholly in group (4,8)
        {"CheckBox25", "01 02 03 04 05 06", false},
        {"CheckBox25", "05 07 11 13 17 33", false},
        {"CheckBox22", "01 10 19 28 30 33", true},
        {"CheckBox22", "01 10 19 29 30 33", false},
        {"CheckBox22", "07 16 17 26 30 33", true},
        {"CheckBox32", "01 02 03 06 07 08", true},  // two rows
        {"CheckBox32", "01 06 11 16 21 26", true},  // one column
        {"CheckBox32", "01 07 13 19 25 33", true},  // six rows, five columns
        {"CheckBox32", "01 02 08 14 20 27", false}, // five rows, five columns
        {"CheckBox32", "01 02 03 08 11 33", false}, // four rows, three columns
        {"CheckBox43", "10 16 22 28 32 33", true},
        {"CheckBox43", "05 10 15 20 25 30", false},
        {"CheckBox43", "10 16 22 28 30 33", false}, // four out of range
        {"CheckBox15", "01 02 04 05 06 07", true},
        {"CheckBox15", "01 02 04 05 06 21", false},
    };
    ExpectLineCases(bench, cases);
}

TEST(MagicFilters, EmptyRegionEdgeListRemovesEveryLine)
{
    FamilyBench bench;
    EXPECT_EQ(bench.StartLine("CheckBox15"), "正在排除区域分析法号码.....");
    auto rule = bench.Prepared("CheckBox15");
    for (const auto& line : RandomCombos(50)) {
        EXPECT_TRUE(RemovesCombo(*rule, line));
        EXPECT_TRUE(RemovesText(*rule, line));
    }
}

TEST(GoldenOrder, CountsSortAsTextThenByNumber)
{
    // 05 in ten of the newest twelve draws, 01 in one, 02 and 03 in two; the thirteenth
    // draw is too old to count.
    const Lines history{"01 02 05", "02 05", "05", "05", "05", "05",    "05",
                        "05",       "05",    "05", "03", "03", "04 04", ""};
    std::vector<std::string> expected;
    for (int n = 4; n <= 33; ++n)
        if (n != 5)
            expected.push_back(TwoDigits(n));
    for (const char* n : {"01", "05", "02", "03"})
        expected.push_back(n);
    EXPECT_EQ(BuildGoldenOrder(history), expected);
}

TEST(GoldenOrder, ShortOrEmptyHistoryCountsWhatIsThere)
{
    std::vector<std::string> ascending;
    for (int n = 1; n <= 33; ++n)
        ascending.push_back(TwoDigits(n));
    EXPECT_EQ(BuildGoldenOrder({}), ascending);
    EXPECT_EQ(BuildGoldenOrder({""}), ascending);
    const auto order = BuildGoldenOrder({"32 33"});
    EXPECT_EQ(order.back(), "33");
    EXPECT_EQ(order[31], "32");
}

TEST(GoldenWindows, WrapAroundTheOrdering)
{
    // 06 first: its window takes positions 31, 32, 0, 1 and 2.
    std::vector<std::string> order{"06"};
    for (int n = 1; n <= 33; ++n)
        if (n != 6)
            order.push_back(TwoDigits(n));
    const auto windows = GoldenWindows(order);
    ASSERT_EQ(windows.size(), 5u);
    EXPECT_EQ(windows[0], "32 33 06 01 02");
    EXPECT_EQ(windows[1], "11 12 13 14 15");
    EXPECT_EQ(windows[2], "14 15 16 17 18");
    EXPECT_EQ(windows[3], "18 19 20 21 22");
    EXPECT_EQ(windows[4], "25 26 27 28 29");

    // 27 last: its window wraps to the front.
    std::vector<std::string> last;
    for (int n = 1; n <= 33; ++n)
        if (n != 27)
            last.push_back(TwoDigits(n));
    last.push_back("27");
    EXPECT_EQ(GoldenWindows(last).back(), "32 33 27 01 02");
}

TEST(MagicFilters, GoldenSectionPasses)
{
    FamilyBench bench; // no draws: the ordering is 01..33
    auto thirds = bench.Prepared("CheckBox33");
    EXPECT_TRUE(RemovesCombo(*thirds, "01 02 03 04 05 20"));
    EXPECT_TRUE(RemovesCombo(*thirds, "23 24 25 26 27 33"));
    EXPECT_FALSE(RemovesCombo(*thirds, "01 02 03 04 12 23"));

    // Windows 04-08, 11-15, 14-18, 18-22, 25-29: a number in two of them counts twice.
    auto windows = bench.Prepared("CheckBox34");
    EXPECT_EQ(bench.Host.LogLines.back(),
              "正在进行黄金算法2.....01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 "
              "17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33");
    EXPECT_TRUE(RemovesCombo(*windows, "01 02 10 11 24 30"));  // P = 1 (11)
    EXPECT_TRUE(RemovesCombo(*windows, "01 02 09 15 24 30"));  // P = 2 (15 twice)
    EXPECT_FALSE(RemovesCombo(*windows, "01 02 04 18 24 30")); // P = 3 (04, 18 twice)
    EXPECT_FALSE(RemovesCombo(*windows, "04 05 06 07 08 31")); // P = 5
}

TEST(MagicFilters, LateStartLinesAreWrittenByThePreparation)
{
    FamilyBench bench;
    for (const char* checkBox : {"CheckBox32", "CheckBox34"}) {
        SCOPED_TRACE(checkBox);
        EXPECT_EQ(bench.Info(checkBox).StartLine, nullptr);
        bench.Host.LogLines.clear();
        bench.Prepared(checkBox);
        ASSERT_EQ(bench.Host.LogLines.size(), 2u);
        EXPECT_EQ(bench.Host.LogLines[0], " ");
    }
    EXPECT_EQ(bench.Host.LogLines[1].rfind("正在进行黄金算法2.....", 0), 0u);
    bench.Host.LogLines.clear();
    bench.Prepared("CheckBox32");
    EXPECT_EQ(bench.Host.LogLines[1], "正在进行7行5列运算.....");
}

TEST(MagicFilters, StartAndClosingLines)
{
    FamilyBench bench;
    const std::pair<const char*, const char*> lines[] = {
        // check box, closing line for 7 lines removed
        {"CheckBox15", "排除区域分析法号码：7注....OK"},   {"CheckBox22", "通过八卦排除法共排除：7注....OK"},
        {"CheckBox24", "通过轮盘算法1 共排除：7注....OK"}, {"CheckBox25", "通过轮盘算法2 共排除：7注....OK"},
        {"CheckBox32", "通过7行5列 共排除：7注....OK"},    {"CheckBox33", "通过黄金算法1 共排除：7注....OK"},
        {"CheckBox34", "通过黄金算法2 共排除：7注....OK"}, {"CheckBox43", "排除法运算，排除注数7....OK"},
    };
    for (const auto& [checkBox, closing] : lines) {
        SCOPED_TRACE(checkBox);
        EXPECT_EQ(bench.ClosingLine(checkBox, 7), closing);
        EXPECT_TRUE(bench.Info(checkBox).EditDefaults.empty());
    }
    EXPECT_EQ(bench.StartLine("CheckBox22"), "正在进行八卦排除法.....");
    EXPECT_EQ(bench.StartLine("CheckBox24"), "正在进行轮盘算法1.....");
    EXPECT_EQ(bench.StartLine("CheckBox25"), "正在进行轮盘算法2.....");
    EXPECT_EQ(bench.StartLine("CheckBox33"), "正在进行黄金算法1.....");
    EXPECT_EQ(bench.StartLine("CheckBox43"), "正在进行排序法运算.....");
    bench.State.Analysis.Prediction.RegionEdgeNumbers = "02 31";
    EXPECT_EQ(bench.StartLine("CheckBox15"), "正在排除区域分析法号码.....02 31");
}

TEST(MagicFilters, MalformedLinesFollowTheTextRules)
{
    FamilyBench bench;
    const OutcomeCase cases[] = {
        {"CheckBox43", "05 10 x 20 25 30", "'x' is not a valid integer value"},
        {"CheckBox43", "05 10 15", "List index out of bounds (3)"},
        {"CheckBox43", "10 16 22 28 32 33 01", "removed"},
        {"CheckBox43", "33 01 02 03 04 05", "removed"}, // positions as they stand
        {"CheckBox32", "01 02", "List index out of bounds (2)"},
        {"CheckBox32", "1 2 3 4 5 6", "kept"},             // one-digit texts occupy every row they occur in
        {"CheckBox32", "01 02 03 06 07 08 33", "removed"}, // a seventh field is not looked at
        {"CheckBox32", "01 02 03 06 07 40", "removed"},    // "40" stands in no row
        {"CheckBox32", "01 02 03 06 07 0", "kept"},        // "0" occupies rows 1, 2, 4 and 6
        {"CheckBox25", "31 27 13 21 11 17 07 05", "removed"},
        {"CheckBox34", "04 05 06 07 08", "kept"},
        {"CheckBox34", "04 x 1", "removed"}, // window numbers are searched in the line: one hit
        {"CheckBox34", "0405 1415", "kept"}, // 04 05 14 15 stand in it: six hits
        {"CheckBox22", "01 10 19 28", "removed"},
        {"CheckBox22", "1 10 19 28", "kept"}, // "01" does not occur in the text
        {"CheckBox24", "abc", "kept"},
    };
    ExpectTextOutcomes(bench, cases);
}

TEST(TwoDigitNumbersIn, CountsLikeCountHitsForListsOfNumbers)
{
    std::mt19937 generator(17);
    for (const auto& line : OddLines(2000, 9)) {
        std::vector<std::string> items;
        for (int n = 1; n <= 33; ++n)
            if (generator() % 3 == 0)
                items.push_back(TwoDigits(n));
        const std::string list = Join(items, " ");
        ASSERT_EQ(std::popcount(MaskOfNumbers(list) & TwoDigitNumbersIn(line)), CountHits(list, line))
            << list << " / " << line;
    }
    EXPECT_EQ(TwoDigitNumbersIn("0405 1415 40 99 3"), MaskOfNumbers("04 05 14 15"));
}

TEST(MagicFilters, CompactFormMatchesText)
{
    FamilyBench bench;
    bench.UseRealHistory();
    bench.State.Analysis.Prediction.RegionEdgeNumbers = "01 07 14 23 30";
    const auto lines = RandomCombos(4000);
    for (const char* checkBox : {"CheckBox15", "CheckBox22", "CheckBox24", "CheckBox25", "CheckBox32",
                                 "CheckBox33", "CheckBox34", "CheckBox43"}) {
        const int removed = ExpectCompactMatchesText(bench, checkBox, lines);
        EXPECT_GT(removed, 0) << checkBox;
        EXPECT_LT(removed, 4000) << checkBox;
    }
}

} // namespace
} // namespace qv::test
