#include "FilterTestSupport.h"

namespace qv {
namespace {

using test::ErrorOf;
using test::Removes;

struct Case
{
    Lines rules;
    const char* line;
    bool removed;
};

void ExpectMemoCases(const char* checkBox, const char* memo, std::initializer_list<Case> cases)
{
    for (const auto& c : cases) {
        AppState state = test::DefaultFilterState();
        state.Filters.Memos[memo] = c.rules;
        SCOPED_TRACE(std::string(checkBox) + " on " + c.line + " with " + Join(c.rules, " / "));
        EXPECT_EQ(Removes(state, checkBox, c.line), c.removed);
    }
}

TEST(NumberSettings, ExclusionRules)
{
    const Lines byDefault = test::DefaultFilterState().Filters.Memos.at("Memo3");
    ExpectMemoCases("CheckBox46", "Memo3",
                    {
                        {byDefault, "01 02 03 04 05 06", true},
                        {byDefault, "01 02 03 04 06 07", false},
                        {{"01 05,1", "", "02 03,0"}, "02 03 10 11 12 13", false},
                        {{"01 05,1", "02 03,0"}, "02 03 10 11 12 13", true},
                        {{"01 02 03,0"}, "03 10 11 12 13 14", true},
                        {{"01 02 03,0"}, "04 10 11 12 13 14", false},
                        {{"  04 05 ,0,x"}, "01 10 11 12 13 14", false}, // blanks around the line are dropped
                        {{"7,0"}, "17 18 19 20 21 22", true},
                        {{"01 05,-1"}, "10 11 12 13 14 15", true},
                        {{}, "01 05 11 12 13 14", false},
                        {{""}, "01 05 11 12 13 14", false},
                    });
}

TEST(NumberSettings, RuleLinesOfTheWrongFormStopWhenReached)
{
    struct Bad
    {
        const char* checkBox;
        const char* memo;
        Lines rules;
        const char* line;
        std::string error; // "" when the bad rule line is never reached
    };
    const Bad cases[] = {
        {"CheckBox46", "Memo3", {"01 05"}, "10 11 12 13 14 15", "List index out of bounds (1)"},
        {"CheckBox46", "Memo3", {"   "}, "10 11 12 13 14 15", "List index out of bounds (0)"},
        {"CheckBox46", "Memo3", {"01 05,x"}, "10 11 12 13 14 15", "'x' is not a valid integer value"},
        {"CheckBox46", "Memo3", {"01 05, 1"}, "10 11 12 13 14 15", "' 1' is not a valid integer value"},
        {"CheckBox46", "Memo3", {"01 05,"}, "10 11 12 13 14 15", "List index out of bounds (1)"},
        // The first rule removes the line before the bad one is reached.
        {"CheckBox46", "Memo3", {"10,0", "bad"}, "10 11 12 13 14 15", ""},
        {"CheckBox46", "Memo3", {"20,0", "bad"}, "10 11 12 13 14 15", "List index out of bounds (1)"},
        {"CheckBox46", "Memo3", {"20,0", "", "bad"}, "10 11 12 13 14 15", ""},
        {"TeCheckBox10", "TeMemo3", {"01 02,1"}, "01 11 12 13 14 15", "List index out of bounds (2)"},
        {"TeCheckBox10", "TeMemo3", {"01 02,1,y"}, "01 11 12 13 14 15", "'y' is not a valid integer value"},
        {"TeCheckBox10", "TeMemo3", {"01 02,z,2"}, "01 11 12 13 14 15", "'z' is not a valid integer value"},
        {"TeCheckBox10", "TeMemo3", {"01 02,1,1", "x"}, "11 12 13 14 15 16", ""},
    };
    for (const auto& c : cases) {
        AppState state = test::DefaultFilterState();
        state.Filters.Memos[c.memo] = c.rules;
        SCOPED_TRACE(std::string(c.checkBox) + " with " + Join(c.rules, " / "));
        EXPECT_EQ(ErrorOf([&] { Removes(state, c.checkBox, c.line); }), c.error);
    }
}

TEST(NumberSettings, PositionRules)
{
    const Lines byDefault = test::DefaultFilterState().Filters.Memos.at("TeMemo1");
    const Lines five(byDefault.begin(), byDefault.begin() + 5);
    ExpectMemoCases("TeCheckBox8", "TeMemo1",
                    {
                        {byDefault, "01 11 18 21 25 30", false},
                        {byDefault, "01 11 18 21 25 33", true},
                        {byDefault, "02 12 19 22 26 31", false},
                        {byDefault, "11 12 18 21 25 30", true},
                        {five, "01 11 18 21 25 30", true},
                        {{"0102", "x", "x", "x", "x", "x"}, "10 11 12 13 14 15", true},
                        {{"0102", "11", "12", "13", "14", "15"}, "10 11 12 13 14 15", false},
                        {{"1", "1", "1", "1", "1", "1"}, "01 02 03 04 05 06", true},
                        // Typed lines: every field against the line of its position.
                        {byDefault, " 1 1 8 1 5 0 ", false},
                        {byDefault, "01 11 18 21 25 30 31", true},
                        {{"01", "02", "03", "04", "05", "06", "07"}, "01 02 03 04 05 06 07", false},
                        {byDefault, "01  11 18 21 25 30", true}, // an empty field occurs nowhere
                        {byDefault, "", false},
                        {{}, "   ", false},
                    });
}

TEST(NumberSettings, ModuleRules)
{
    const Lines byDefault = test::DefaultFilterState().Filters.Memos.at("TeMemo3");
    ExpectMemoCases("TeCheckBox10", "TeMemo3",
                    {
                        {byDefault, "01 07 08 09 10 11", false},
                        {byDefault, "07 08 09 10 11 12", true},
                        {byDefault, "01 02 03 07 08 09", true},
                        {byDefault, "01 02 07 08 09 10", false},
                        {{"01 02 03 04 05 06,1,2", "30 31 32 33,1,1"}, "01 02 07 08 09 30", false},
                        {{"01 02 03 04 05 06,1,2", "30 31 32 33,1,1"}, "01 02 07 08 09 10", true},
                        {{"01 02 03 04 05 06,1,2", "", "30 31 32 33,1,1"}, "01 02 07 08 09 10", false},
                        {{"7,0,0"}, "01 02 03 04 05 27", true},
                    });
}

TEST(NumberSettings, BankerNumbers)
{
    struct BankerCase
    {
        const char* numbers;
        const char* minimum;
        const char* line;
        bool removed;
    };
    const BankerCase cases[] = {
        {"01 02", "1", "03 04 05 06 07 08", true},  {"01 02", "1", "02 04 05 06 07 08", false},
        {"01 02", "0", "03 04 05 06 07 08", false}, {"01 02", "3", "01 02 05 06 07 08", true},
        {"01 02", "2", "01 02 05 06 07 08", false}, {"", "1", "01 02 05 06 07 08", true},
        {"3", "1", "13 14 15 16 17 18", false},
    };
    for (const auto& c : cases) {
        AppState state = test::DefaultFilterState();
        state.Filters.Edits["Edit11"] = c.numbers;
        state.Filters.Edits["edit12"] = c.minimum;
        SCOPED_TRACE(std::string(c.numbers) + " at least " + c.minimum + " on " + c.line);
        EXPECT_EQ(Removes(state, "CheckBox36", c.line), c.removed);
    }
    AppState state = test::DefaultFilterState();
    for (const char* bad : {"", "one", " 1", "1.0"}) {
        SCOPED_TRACE(bad);
        state.Filters.Edits["edit12"] = bad;
        EXPECT_EQ(ErrorOf([&] { Removes(state, "CheckBox36", "01 02 03 04 05 06"); }),
                  std::string("'") + bad + "' is not a valid integer value");
    }
}

} // namespace
} // namespace qv
