// Every filter of the catalogue must judge a RedCombo in its mask form exactly as the
// literal text rule judges the same text.

#include "FilterTestSupport.h"

#include "core/Error.h"
#include "support/TempAppDir.h"

#include <random>

namespace qv {
namespace {

std::string Combo(std::vector<int> six)
{
    std::sort(six.begin(), six.end());
    return JoinTwoDigits(six);
}

Lines SampleLines(const Lines& redHistory)
{
    Lines lines = {"01 02 03 04 05 06", "28 29 30 31 32 33", "01 11 18 21 25 30", "07 14 16 17 18 21",
                   "01 07 13 19 25 31", "10 20 30 31 32 33", "03 06 09 12 15 20", "01 02 03 30 31 32",
                   "05 12 18 23 27 31", "02 08 14 20 26 32", "01 10 11 12 14 15", "06 16 26 27 28 29"};
    for (std::size_t i = 0; i < 30 && i < redHistory.size(); ++i)
        if (!redHistory[i].empty())
            lines.push_back(redHistory[i]);
    std::mt19937 random(2024);
    std::vector<int> numbers(33);
    for (int i = 0; i < 33; ++i)
        numbers[static_cast<std::size_t>(i)] = i + 1;
    for (int i = 0; i < 4000; ++i) {
        std::shuffle(numbers.begin(), numbers.end(), random);
        lines.push_back(Combo({numbers.begin(), numbers.begin() + 6}));
    }
    // Runs and near-runs, which few random lines hit.
    for (int start = 1; start <= 28; ++start)
        lines.push_back(Combo({start, start + 1, start + 2, start + 3, start + 4, start + 5}));
    return lines;
}

// The outcome of one rule on one line: removed, kept, or the error it stops with.
std::string Outcome(FilterRule& rule, const BasketLine& line)
{
    try {
        return rule.Removes(line) ? "removed" : "kept";
    } catch (const std::exception& e) {
        return std::string("error: ") + e.what();
    }
}

void ExpectBothFormsAgree(AppState& state, const Lines& lines)
{
    RecordingHost host;
    FilterContext context = FilterInputsOf(state, host);
    for (const auto& info : FilterCatalogue()) {
        SCOPED_TRACE(info.CheckBox);
        const auto compact = info.Make();
        const auto literal = info.Make();
        ASSERT_NO_THROW(compact->Prepare(context));
        ASSERT_NO_THROW(literal->Prepare(context));
        int removed = 0;
        for (const auto& text : lines) {
            const BasketLine combo = MakeBasketLine(text);
            ASSERT_TRUE(combo.IsCombo) << text;
            BasketLine plain;
            plain.Text = text;
            const std::string expected = Outcome(*literal, plain);
            ASSERT_EQ(Outcome(*compact, combo), expected) << text;
            removed += expected == "removed";
        }
        ::testing::Test::RecordProperty(info.CheckBox, removed);
    }
}

class CompactFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.Attach(m_state);
        ResetFilterState(m_state.Filters);
        test::SetPlausibleInputs(m_state);
    }

    test::TempAppDir m_dir;
    AppState m_state;
};

TEST_F(CompactFormTest, EveryFilterWithTheWindowDefaults)
{
    ExpectBothFormsAgree(m_state, SampleLines(m_state.RedHistory));
}

TEST_F(CompactFormTest, EveryFilterWithAllListsEmpty)
{
    m_state.Analysis = AnalysisState{};
    ExpectBothFormsAgree(m_state, SampleLines(m_state.RedHistory));
}

TEST_F(CompactFormTest, RuleTextsWithShortAndOddItems)
{
    const struct
    {
        Lines memo3, teMemo1, teMemo3;
        std::string edit11, edit12;
    } variants[] = {
        {{"7 1,1"}, {"0", "1", "2", "3", "0102 2", "33 3"}, {"3 13,0,1", "0,1,6"}, "3 3", "2"},
        {{"01 05,1", "", "7,0"},
         {"01 02 03 04 05 06 07 08 09 10", "1", "1 2", "2", "2 3", "3"},
         {"x,0,0"},
         "x",
         "0"},
        {{"123 33,0"}, {"01 02", "11"}, {"1 2 3,2,5", "", "bad"}, "", "-1"},
        {{"00,0", "3 33 333,1"}, {}, {"  05 10 15 20 25 30 , 1, 3"}, "0 1 2 3", "4"},
    };
    const Lines lines = SampleLines(m_state.RedHistory);
    for (const auto& v : variants) {
        SCOPED_TRACE(Join(v.memo3, "/") + " | " + Join(v.teMemo1, "/") + " | " + Join(v.teMemo3, "/"));
        m_state.Filters.Memos["Memo3"] = v.memo3;
        m_state.Filters.Memos["TeMemo1"] = v.teMemo1;
        m_state.Filters.Memos["TeMemo3"] = v.teMemo3;
        m_state.Filters.Edits["Edit11"] = v.edit11;
        m_state.Filters.Edits["edit12"] = v.edit12;
        ExpectBothFormsAgree(m_state, lines);
    }
}

TEST_F(CompactFormTest, LinesThatAreNotCombosNeverCrash)
{
    // Typed lines take the text rules only; they may stop the run with its errors but
    // must never bring anything else.
    const Lines typed = {"07 03 01 02 04 05",
                         "01 02 03 04 05 06 07",
                         "1 2 3 4 5 6",
                         "01 02 03 04 05",
                         "",
                         "  ",
                         "中文 测试",
                         "01  02 03 04 05 06",
                         "00 01 02 03 04 05",
                         "34 35 36 37 38 39",
                         "-1 -2 -3 -4 -5 -6",
                         "99999999999 1 2 3 4 5",
                         "01 02 03 04 05 06 ",
                         " 01 02 03 04 05 06",
                         std::string(200, '7'),
                         "01,02,03,04,05,06"};
    RecordingHost host;
    FilterContext context = FilterInputsOf(m_state, host);
    for (const auto& info : FilterCatalogue()) {
        SCOPED_TRACE(info.CheckBox);
        const auto rule = info.Make();
        ASSERT_NO_THROW(rule->Prepare(context));
        for (const auto& text : typed) {
            const BasketLine line = MakeBasketLine(text);
            EXPECT_FALSE(line.IsCombo) << text;
            try {
                rule->Removes(line);
            } catch (const Error&) {
            } catch (...) {
                ADD_FAILURE() << "not the run's error on '" << text << "'";
            }
        }
    }
}

} // namespace
} // namespace qv
