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

AppState StateWithHistory(Lines redHistory)
{
    AppState state = test::DefaultFilterState();
    state.RedHistory = std::move(redHistory);
    return state;
}

TEST(FormatFilters, KeepAndRemove)
{
    AppState state = StateWithHistory({"06 12 15 22 29 32", "01 02 04 05 07 08", ""});
    state.Analysis.Reference.NeighbourNumbers = "05 06 07 11 13 16 21 23 28 30 31 33";
    const Example examples[] = {
        {"CheckBox11", "01 02 03 04 08 09", true}, // no neighbour
        {"CheckBox11", "05 06 07 11 13 16", true}, // six neighbours
        {"CheckBox11", "05 06 07 11 13 17", false},
        {"CheckBox17", "02 04 06 08 09 10", true},
        {"CheckBox17", "02 04 06 08 09 11", false},
        {"CheckBox17", "01 04 06 08 09 10", false}, // the list holds 01
        {"CheckBox20", "05 06 07 08 20 30", false},
        {"CheckBox20", "05 06 07 08 09 30", true},
        {"CheckBox20", "01 02 03 04 05 09", true},
        {"CheckBox20", "01 02 03 04 10 11", true},
        {"CheckBox20", "01 02 04 05 07 08", false},
        {"CheckBox21", "03 06 09 12 15 20", true},  // CCCCCB
        {"CheckBox21", "01 02 03 04 05 06", false}, // ABCABC, not among the draws
        {"CheckBox21", "03 06 09 10 11 14", true},  // CCCABB: the newest draw's pattern
        {"CheckBox21", "01 05 07 08 10 11", true},  // ABABAB: the second draw's pattern
        {"CheckBox21", "01 02 04 05 07 09", false}, // ABABAC
        {"CheckBox23", "01 03 05 07 09 11", true},
        {"CheckBox23", "02 04 06 08 10 12", true},
        {"CheckBox23", "01 03 05 07 09 12", false},
        {"CheckBox28", "02 05 06 07 12 32", true},
        {"CheckBox28", "02 05 06 07 12 22", false}, // "22" has no tail
        {"CheckBox28", "10 20 30 31 32 33", true},  // tail 0 three times
        {"CheckBox28", "11 20 22 30 31 33", false},
        {"TeCheckBox5", "10 15 20 21 23 27", true}, // sum 116
        {"TeCheckBox5", "06 12 15 22 29 32", true},
        {"TeCheckBox5", "06 12 15 22 29 33", false},
    };
    for (const auto& e : examples) {
        SCOPED_TRACE(std::string(e.checkBox) + " on " + e.line);
        EXPECT_EQ(Removes(state, e.checkBox, e.line), e.removed);
    }
}

TEST(FormatFilters, AbcReadsOnlyTheTenNewestDraws)
{
    Lines history(12, "01 02 04 05 07 08"); // ABABAB ten times over
    history[10] = "01 02 03 04 05 06";      // ABCABC, eleventh: never read
    history.push_back("");
    const AppState state = StateWithHistory(history);
    EXPECT_FALSE(Removes(state, "CheckBox21", "07 08 09 10 11 12"));
    EXPECT_TRUE(Removes(state, "CheckBox21", "13 14 16 17 19 20"));
    // A short history and its empty last line add nothing.
    const AppState shortState = StateWithHistory({"01 02 03 04 05 06", ""});
    EXPECT_TRUE(Removes(shortState, "CheckBox21", "07 08 09 10 11 12"));
    EXPECT_FALSE(Removes(shortState, "CheckBox21", "01 05 07 08 10 11"));
}

TEST(FormatFilters, EmptyNeighboursRemoveEverything)
{
    const AppState state = test::DefaultFilterState();
    EXPECT_TRUE(Removes(state, "CheckBox11", "05 06 07 11 13 17"));
}

TEST(FormatFilters, RepeatedSumNeedsTheNewestDraw)
{
    const struct
    {
        Lines history;
        std::string error;
    } cases[] = {
        {{}, "List index out of bounds (0)"},
        {{""}, "List index out of bounds (0)"},
        {{"01 02 03"}, "List index out of bounds (3)"},
        {{"01 02 03 04 05 x"}, "'x' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        const AppState state = StateWithHistory(c.history);
        EXPECT_EQ(test::ErrorOf([&] { Removes(state, "TeCheckBox5", "01 02 03 04 05 06"); }), c.error);
    }
}

TEST(FormatFilters, TypedLines)
{
    const AppState state = StateWithHistory({"06 12 15 22 29 32", ""});
    const Example examples[] = {
        {"CheckBox20", "09 08 07 06 05 04", false}, // descending runs are no runs
        {"CheckBox20", "1 2 3 4 5 40", true},
        {"CheckBox23", "1 3 5 7 9 -11", true},
        {"CheckBox23", "2 4 6 8 10 -1", false},
        {"CheckBox28", "x2 y2 02 1 2 3", true},
        {"CheckBox28", "x2 22 2 1 2 3", false}, // "22" and one-character fields have no tail
        {"TeCheckBox5", "116 0 0 0 0 0", true},
        {"TeCheckBox5", "32 29 22 15 12 06 99", true}, // fields after the sixth are never read
        {"CheckBox21", "1 4 7 10 13 3", true},         // AAAAAC
    };
    for (const auto& e : examples) {
        SCOPED_TRACE(std::string(e.checkBox) + " on " + e.line);
        EXPECT_EQ(Removes(state, e.checkBox, e.line), e.removed);
    }
    EXPECT_EQ(test::ErrorOf([&] { Removes(state, "CheckBox28", "01 02 03 04 05"); }),
              "List index out of bounds (5)");
    EXPECT_EQ(test::ErrorOf([&] { Removes(state, "CheckBox23", "01 02 03 04 05 six"); }),
              "'six' is not a valid integer value");
    EXPECT_EQ(test::ErrorOf([&] { Removes(state, "CheckBox20", ""); }), "List index out of bounds (0)");
}

} // namespace
} // namespace qv
