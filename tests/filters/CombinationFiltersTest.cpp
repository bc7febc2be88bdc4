#include "FilterTestSupport.h"

namespace qv {
namespace {

using test::Removes;

struct Example
{
    const char* checkBox;
    const char* line;
    bool removed;
};

void ExpectExamples(const AppState& state, std::initializer_list<Example> examples)
{
    for (const auto& e : examples) {
        SCOPED_TRACE(std::string(e.checkBox) + " on " + e.line);
        EXPECT_EQ(Removes(state, e.checkBox, e.line), e.removed);
    }
}

TEST(CombinationFilters, FixedListsAndTables)
{
    const AppState state = test::DefaultFilterState();
    ExpectExamples(state, {
                              // decades a, b, c, d
                              {"CheckBox6", "01 02 03 04 10 20", true},
                              {"CheckBox6", "10 11 12 13 14 15", true},
                              {"CheckBox6", "05 15 30 31 32 33", true},
                              {"CheckBox6", "01 02 03 30 31 32", true},
                              {"CheckBox6", "20 21 22 25 27 30", true},
                              {"CheckBox6", "01 21 22 23 24 33", true},
                              {"CheckBox6", "12 15 21 24 25 27", false},
                              {"CheckBox6", "05 12 18 23 27 31", false},
                              {"CheckBox6", "01 10 11 12 13 31", false}, // b = 4, d = 1
                              {"CheckBox6", "10 11 12 13 20 33", false}, // a = 0, b = 4, c = 1, d = 1
                              {"CheckBox6", "10 11 12 13 30 31", true},  // b = 4, d = 2
                              {"CheckBox6", "10 11 12 30 31 32", true},  // b = 3, d = 3
                              {"CheckBox6", "02 03 10 30 31 32", false}, // a = 2, b = 1, d = 3
                              {"CheckBox6", "05 10 22 30 31 32", false}, // a = b = c = 1, d = 3
                              {"CheckBox6", "10 20 21 22 30 31", true},  // a = 0, b = 1
                              {"CheckBox6", "05 06 20 21 22 30", false}, // a = 2, b = 0, c = 3
                                                                         // magic seven: stays for 1 to 4 hits
                              {"CheckBox19", "07 14 16 17 18 21", true},
                              {"CheckBox19", "01 02 03 04 05 06", true},
                              {"CheckBox19", "01 02 07 14 16 17", false},
                              {"CheckBox19", "01 07 14 16 17 18", true},
                              // universal twelve
                              {"TeCheckBox6", "02 03 04 05 06 07", true},
                              {"TeCheckBox6", "02 03 04 05 06 29", false},
                              // group list: five or more
                              {"CheckBox26", "01 02 03 04 06 33", true},
                              {"CheckBox26", "01 02 03 04 05 33", false},
                              // combination law 1
                              {"CheckBox30", "01 02 07 13 19 25", true},
                              {"CheckBox30", "02 08 14 20 31 33", true},
                              {"CheckBox30", "01 02 03 04 05 06", false},
                              {"CheckBox30", "02 08 14 20 27 30", false},
                              // combination law 2: all six in one group
                              {"CheckBox31", "07 08 09 10 11 12", true},
                              {"CheckBox31", "01 02 03 04 05 07", false},
                              {"CheckBox31", "03 07 08 09 10 33", true},
                          });
}

TEST(CombinationFilters, ComputedLists)
{
    AppState state = test::DefaultFilterState();
    state.Analysis.Reference.RepeatNumbers = "01 02 03 04 05 06 07";
    state.Analysis.Reference.HotNumbers = "10 11 12 13 14";
    state.Analysis.Prediction.FiveDrawMeanNumbers = "20 21 22";
    state.Analysis.Prediction.FifthDrawNumbers = "03 09 14 22 27 31";
    ExpectExamples(state, {
                              {"CheckBox9", "01 02 03 04 05 33", true},
                              {"CheckBox9", "01 02 03 04 32 33", false},
                              {"CheckBox12", "10 11 12 13 14 33", true},
                              {"CheckBox12", "10 11 12 13 32 33", false},
                              {"CheckBox13", "20 21 22 30 31 32", true},
                              {"CheckBox13", "01 20 21 30 31 32", false},
                              {"CheckBox14", "03 09 14 22 27 31", true},
                              {"CheckBox14", "03 09 14 20 26 32", false},
                              {"CheckBox14", "01 02 04 05 06 07", true},
                              {"CheckBox14", "03 09 14 22 28 32", true},
                              {"CheckBox14", "03 10 15 20 28 32", false},
                          });
}

TEST(CombinationFilters, EmptyComputedLists)
{
    // Nothing produced since start-up: no hits anywhere.
    const AppState state = test::DefaultFilterState();
    for (const char* line : {"01 02 03 04 05 06", "07 12 19 23 30 33"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(Removes(state, "CheckBox9", line));
        EXPECT_FALSE(Removes(state, "CheckBox12", line));
        EXPECT_FALSE(Removes(state, "CheckBox13", line));
        EXPECT_TRUE(Removes(state, "CheckBox14", line));
    }
}

TEST(CombinationFilters, ItemsCountOnceEachHoweverOftenTheyOccur)
{
    AppState state = test::DefaultFilterState();
    // "7" and "1" each count once although five numbers hold them.
    state.Analysis.Reference.RepeatNumbers = "7 1";
    EXPECT_FALSE(Removes(state, "CheckBox9", "07 11 17 21 27 31"));
    // An item listed five times counts five times.
    state.Analysis.Reference.RepeatNumbers = "7 7 7 7 7";
    EXPECT_TRUE(Removes(state, "CheckBox9", "01 02 03 04 05 07"));
    EXPECT_FALSE(Removes(state, "CheckBox9", "01 02 03 04 05 06"));
    state.Analysis.Prediction.FifthDrawNumbers = "7 7 7";
    EXPECT_FALSE(Removes(state, "CheckBox14", "07 08 09 10 11 12"));
    state.Analysis.Prediction.FifthDrawNumbers = "7 7 7 7";
    EXPECT_TRUE(Removes(state, "CheckBox14", "07 08 09 10 11 12"));
}

TEST(CombinationFilters, TypedLinesFollowTheTextRules)
{
    const AppState state = test::DefaultFilterState();
    // Not ascending: the decades are counted all the same.
    EXPECT_FALSE(Removes(state, "CheckBox6", "31 23 18 12 05 27"));
    // A value above 33 counts in no decade; values up to 9 all count in the first.
    EXPECT_TRUE(Removes(state, "CheckBox6", "0 -5 3 7 40 50"));
    EXPECT_FALSE(Removes(state, "CheckBox6", "1 2 10 20 21 40"));
    // List filters read the line only as text: any line is fine.
    EXPECT_TRUE(Removes(state, "CheckBox19", "abc"));
    EXPECT_FALSE(Removes(state, "CheckBox19", "x07x"));
    EXPECT_EQ(test::ErrorOf([&] { Removes(state, "CheckBox6", "01 02 03 04 05"); }),
              "List index out of bounds (5)");
    EXPECT_EQ(test::ErrorOf([&] { Removes(state, "CheckBox6", "01 02 x 04 05 06"); }),
              "'x' is not a valid integer value");
    EXPECT_EQ(test::ErrorOf([&] { Removes(state, "CheckBox6", "01  02 03 04 05 06"); }),
              "'' is not a valid integer value");
}

} // namespace
} // namespace qv
