#include "filters/MagicValueProbabilityTestKit.h"

#include <gtest/gtest.h>

#include <map>

namespace qv::test {
namespace {

struct ValueCase
{
    const char* CheckBox;
    std::map<std::string, std::string> Edits; // changed from the defaults
    const char* Line;
    bool Removed;
};

TEST(ValueFilters, KeepAndRemoveOnBothForms)
{
    const ValueCase cases[] = {
        {"TeCheckBox7", {}, "01 05 09 13 17 19", false}, // span 18
        {"TeCheckBox7", {}, "01 05 09 13 17 29", false}, // span 28
        {"TeCheckBox7", {}, "01 05 09 13 17 30", true},  // span 29
        {"TeCheckBox7", {}, "01 05 09 13 17 18", true},  // span 17
        {"CheckBox7", {}, "12 13 14 15 16 17", true},
        {"CheckBox7", {}, "11 13 14 15 16 17", false},
        {"CheckBox7", {{"Edit5", "34"}}, "28 29 30 31 32 33", false},
        {"CheckBox8", {}, "06 13 14 15 16 17", true},
        {"CheckBox8", {}, "07 13 14 15 16 17", false},
        {"CheckBox8", {{"edit6", "33"}}, "28 29 30 31 32 33", true},
        {"CheckBox27", {}, "01 21 22 23 24 25", true},
        {"CheckBox27", {}, "01 20 22 23 24 25", false},
        {"CheckBox29", {}, "01 02 03 04 10 20", true},
        {"CheckBox29", {}, "01 02 03 10 20 30", false},
        {"CheckBox29", {{"Edit9", "3"}}, "01 02 03 10 20 30", true},
        {"CheckBox37", {}, "10 12 14 16 18 20", false}, // 90
        {"CheckBox37", {}, "15 18 21 23 26 27", false}, // 130
        {"CheckBox37", {}, "09 12 14 16 18 20", true},  // 89
        {"CheckBox37", {}, "15 18 21 23 26 28", true},  // 131
        {"CheckBox38", {}, "01 03 05 07 09 11", true},
        {"CheckBox38", {}, "02 04 06 08 10 12", true},
        {"CheckBox38", {}, "01 03 05 07 10 12", false},
        {"CheckBox39", {}, "17 18 19 20 21 22", true},
        {"CheckBox39", {}, "01 02 16 17 18 19", false},
        {"CheckBox39", {}, "01 02 03 04 16 17", true}, // one big
        {"CheckBox39", {{"edit17", "5"}, {"edit18", "1"}}, "01 02 16 17 18 19", true},
        {"TeCheckBox13", {}, "01 02 12 13 23 24", false},
        {"TeCheckBox13", {}, "01 02 12 13 23 33", false},
        {"TeCheckBox13", {}, "01 02 03 12 23 24", true},
        {"TeCheckBox13", {}, "11 12 22 23 32 33", false}, // the zone edges
        {"TeCheckBox13", {}, "11 12 13 21 22 32", true},
        // Zone sums 3, 25 and 23: 33 adds to no zone.
        {"TeCheckBox11",
         {{"T1Qx", "3"}, {"T1Qy", "3"}, {"T2Qx", "25"}, {"T2Qy", "25"}, {"T3Qx", "23"}, {"T3Qy", "23"}},
         "01 02 12 13 23 33",
         false},
        {"TeCheckBox11",
         {{"T1Qx", "3"}, {"T1Qy", "3"}, {"T2Qx", "25"}, {"T2Qy", "25"}, {"T3Qx", "23"}, {"T3Qy", "23"}},
         "01 02 12 13 23 32",
         true},
        {"TeCheckBox11", {}, "01 02 12 13 23 33", false},
        {"TeCheckBox11", {}, "01 02 03 04 05 06", true}, // 21 above 10
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.CheckBox) + " " + c.Line);
        FamilyBench bench;
        bench.SetEdits(c.Edits);
        ExpectRemoved(*bench.Prepared(c.CheckBox), c.Line, c.Removed);
    }
}

TEST(ValueFilters, ColdCountUsesTheReferenceList)
{
    FamilyBench bench;
    bench.State.Analysis.Reference.ColdNumbers = "01 02 03 04 05";
    EXPECT_EQ(bench.StartLine("CheckBox10"), "正在排除冷号<0个和冷号>4个.....01 02 03 04 05");
    auto rule = bench.Prepared("CheckBox10");
    EXPECT_TRUE(RemovesCombo(*rule, "01 02 03 04 05 06"));
    EXPECT_FALSE(RemovesCombo(*rule, "01 02 03 04 10 11"));
    EXPECT_FALSE(RemovesText(*rule, "abc")); // no field is read

    bench.State.Analysis.Reference.ColdNumbers.clear();
    bench.Settings.Edits["Edit20"] = "1";
    auto none = bench.Prepared("CheckBox10");
    EXPECT_TRUE(RemovesCombo(*none, "01 02 03 04 05 06")); // no cold number: a count of 0
}

TEST(ValueFilters, StartAndClosingLinesShowTheTypedTexts)
{
    FamilyBench bench;
    bench.Settings.Edits["Edit5"] = "+09";
    struct Texts
    {
        const char* CheckBox;
        const char* Start;
        const char* Closing; // for 5 lines removed
    };
    const Texts lines[] = {
        {"TeCheckBox7", "正在排除极距小于18大于28.....", "极距：排除5注....OK"},
        {"CheckBox7", "正在排除首位数大于+09.....", "排除首位大于+09的号码，注数5....OK"},
        {"CheckBox8", "正在排除首位数小于6.....", "排除首位小于6的号码，注数5....OK"},
        {"CheckBox10", "正在排除冷号<0个和冷号>4个.....", "排除冷号：5注....OK"},
        {"CheckBox27", "正在排除跨度>=20的号码.....", "排除一二位跨度>=20的号码，注数5....OK"},
        {"CheckBox29", "正在个位数>=4的号码.....", "排除个位位数>=4的号码，注数5....OK"},
        {"CheckBox37", "正在留下和值在90-130之间的号码....", "和值：排除5注....OK"},
        {"CheckBox38", "正在留下奇数个数在1-4之间的号码....", "奇数：排除5注....OK"},
        {"CheckBox39", "正在留下大数个数在2-4之间的号码....", "大小数：排除5注....OK"},
        {"TeCheckBox11", "正在进行三区和过滤.....", "三区和过滤，排除注数5....OK"},
        {"TeCheckBox13", "正在进行三区比过滤.....", "三区比过滤，排除注数5....OK"},
    };
    for (const auto& l : lines) {
        SCOPED_TRACE(l.CheckBox);
        EXPECT_EQ(bench.StartLine(l.CheckBox), l.Start);
        EXPECT_EQ(bench.ClosingLine(l.CheckBox, 5), l.Closing);
    }
    auto rule = bench.Prepared("CheckBox7");
    EXPECT_TRUE(RemovesCombo(*rule, "09 10 11 12 13 14"));
    EXPECT_FALSE(RemovesCombo(*rule, "08 10 11 12 13 14"));
}

TEST(ValueFilters, ParameterFieldsAndTheirDefaults)
{
    FamilyBench bench;
    using Edits = std::vector<std::pair<std::string, std::string>>;
    const std::pair<const char*, Edits> entries[] = {
        {"TeCheckBox7", {{"TeSEdit1", "18"}, {"TeSEdit2", "28"}}},
        {"CheckBox7", {{"Edit5", "12"}}},
        {"CheckBox8", {{"edit6", "6"}}},
        {"CheckBox10", {{"Edit20", "0"}, {"Edit21", "4"}}},
        {"CheckBox27", {{"Edit8", "20"}}},
        {"CheckBox29", {{"Edit9", "4"}}},
        {"CheckBox37", {{"Edit13", "90"}, {"edit14", "130"}}},
        {"CheckBox38", {{"edit15", "1"}, {"edit16", "4"}}},
        {"CheckBox39", {{"edit17", "2"}, {"edit18", "4"}}},
        {"TeCheckBox11",
         {{"T1Qx", "0"}, {"T1Qy", "10"}, {"T2Qx", "0"}, {"T2Qy", "30"}, {"T3Qx", "0"}, {"T3Qy", "50"}}},
        {"TeCheckBox13",
         {{"TeSEdit10", "0"},
          {"TeSEdit11", "2"},
          {"TeSEdit14", "0"},
          {"TeSEdit15", "2"},
          {"TeSEdit16", "0"},
          {"TeSEdit17", "2"}}},
    };
    for (const auto& [checkBox, edits] : entries) {
        SCOPED_TRACE(checkBox);
        EXPECT_EQ(bench.Info(checkBox).EditDefaults, edits);
    }
}

TEST(ValueFilters, ParametersAreConvertedWhenThePassBegins)
{
    const ParameterCase cases[] = {
        {"CheckBox7", {{"Edit5", "1 2"}}, NotAnIntegerText("1 2")},
        {"CheckBox8", {{"edit6", ""}}, NotAnIntegerText("")},
        {"TeCheckBox7", {{"TeSEdit2", "28x"}}, NotAnIntegerText("28x")},
        {"CheckBox10", {{"Edit20", "a"}, {"Edit21", "b"}}, NotAnIntegerText("a")},
        {"CheckBox37", {{"edit14", "2147483648"}}, NotAnIntegerText("2147483648")},
        {"TeCheckBox11", {{"T2Qy", "y"}, {"T3Qx", "x"}}, NotAnIntegerText("y")},
        {"TeCheckBox13", {{"TeSEdit17", " 2"}}, NotAnIntegerText(" 2")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.CheckBox);
        FamilyBench bench;
        bench.SetEdits(c.Edits);
        EXPECT_EQ(ErrorOf([&] { bench.Prepared(c.CheckBox); }), c.Error);
    }
}

TEST(ValueFilters, BoundsAreNotCheckedAgainstEachOther)
{
    FamilyBench bench;
    bench.Settings.Edits["Edit13"] = "130";
    bench.Settings.Edits["edit14"] = "90";
    auto reversed = bench.Prepared("CheckBox37");
    for (const auto& line : RandomCombos(200))
        ASSERT_TRUE(RemovesCombo(*reversed, line)) << line;
    bench.Settings.Edits["Edit5"] = "-5";
    auto negative = bench.Prepared("CheckBox7");
    EXPECT_TRUE(RemovesCombo(*negative, "01 02 03 04 05 06"));
}

TEST(ValueFilters, MalformedLinesFollowTheTextRules)
{
    FamilyBench bench;
    const OutcomeCase cases[] = {
        {"CheckBox7", "12", "removed"}, // only the first number is read
        {"CheckBox7", "x 13", "'x' is not a valid integer value"},
        {"CheckBox7", "", "List index out of bounds (0)"},
        {"CheckBox7", " 13 14", "'' is not a valid integer value"},
        {"TeCheckBox7", "01 05 09", "List index out of bounds (5)"},
        {"TeCheckBox7", "07 03 01 02 04 05", "removed"}, // span 5 - 7 = -2
        {"CheckBox27", "01", "List index out of bounds (1)"},
        {"CheckBox27", "01 x", "'x' is not a valid integer value"},
        {"CheckBox37", "01 02 x 04 05", "'x' is not a valid integer value"},
        {"CheckBox37", "30 31 32 33 34", "List index out of bounds (5)"},
        {"CheckBox37", "20 20 20 20 20 20 x", "kept"}, // fields after the sixth are not read
        {"CheckBox29", "001 +2 3 4 10 20", "removed"},
        {"CheckBox38", "-1 -3 05 07 09 11", "removed"}, // negative odd numbers are odd
        {"CheckBox39", "40 50 01 02 03 04", "kept"},
        {"TeCheckBox13", "0 -4 12 40 23 24", "kept"}, // 0 and -4 in zone 1, 40 in none
        {"TeCheckBox13", "0 -4 1 40 23 24", "removed"},
        {"CheckBox10", "x", "kept"},
    };
    ExpectTextOutcomes(bench, cases);
}

TEST(ValueFilters, CompactFormMatchesText)
{
    const auto lines = RandomCombos(4000, 7);
    const std::map<std::string, std::string> variants[] = {
        {},
        {{"TeSEdit1", "10"}, {"TeSEdit2", "20"}, {"Edit5", "5"},     {"edit6", "3"},    {"Edit8", "4"},
         {"Edit9", "2"},     {"Edit13", "80"},   {"edit14", "100"},  {"edit15", "3"},   {"edit16", "3"},
         {"edit17", "3"},    {"edit18", "3"},    {"Edit20", "1"},    {"Edit21", "2"},   {"T1Qx", "5"},
         {"T1Qy", "30"},     {"T2Qx", "12"},     {"T2Qy", "60"},     {"T3Qx", "0"},     {"T3Qy", "70"},
         {"TeSEdit11", "3"}, {"TeSEdit14", "1"}, {"TeSEdit15", "3"}, {"TeSEdit17", "3"}},
    };
    for (const auto& edits : variants) {
        FamilyBench bench;
        bench.State.Analysis.Reference.ColdNumbers = "03 7 11 19 26 32";
        for (const auto& [name, text] : edits)
            bench.Settings.Edits[name] = text;
        for (const char* checkBox :
             {"TeCheckBox7", "CheckBox7", "CheckBox8", "CheckBox10", "CheckBox27", "CheckBox29", "CheckBox37",
              "CheckBox38", "CheckBox39", "TeCheckBox11", "TeCheckBox13"})
            ExpectCompactMatchesText(bench, checkBox, lines);
    }
}

} // namespace
} // namespace qv::test
