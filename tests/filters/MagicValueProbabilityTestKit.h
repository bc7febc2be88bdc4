#pragma once

// A bench for the rules of the 神奇公式, 取值估算/三区设置 and 概率估计 families: their
// catalogue entries, a state with the window's parameter defaults, and the two ways of
// handing a line to a rule (compact RedCombo form and bare text).

#include "core/Error.h"
#include "core/RecordingHost.h"
#include "filters/FilterRule.h"
#include "filters/FilterRun.h"
#include "history/HistoryLoad.h"
#include "session/AppState.h"
#include "session/FilterCommands.h"
#include "support/ErrorOf.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv::test {

class FamilyBench
{
public:
    FamilyBench()
    {
        AddMagicFilters(m_catalogue);
        AddValueFilters(m_catalogue);
        AddProbabilityFilters(m_catalogue);
        for (const auto& info : m_catalogue)
            for (const auto& [name, text] : info.EditDefaults)
                Settings.Edits[name] = text;
        Dir.Attach(State);
        State.RedHistory = {""};
    }

    const FilterInfo& Info(const std::string& checkBox) const
    {
        for (const auto& info : m_catalogue)
            if (info.CheckBox == checkBox)
                return info;
        throw std::logic_error("no filter " + checkBox);
    }

    FilterContext Context()
    {
        return FilterContext{State.RedHistory, State.Analysis.Reference, State.Analysis.Prediction, Settings,
                             Host};
    }

    // A rule of the filter with its preparation done, as a pass starts its walk.
    std::unique_ptr<FilterRule> Prepared(const std::string& checkBox)
    {
        auto rule = Info(checkBox).Make();
        FilterContext context = Context();
        PrepareRule(*rule, context, [&](const RuleFile& file) { SaveRuleFile(State, file); });
        return rule;
    }

    std::string StartLine(const std::string& checkBox) { return Info(checkBox).StartLine(Context()); }
    std::string ClosingLine(const std::string& checkBox, long long removed)
    {
        return Info(checkBox).ClosingLine(Context(), removed);
    }

    // RedHistory from RedCombo texts, newest first, with the empty line the history load
    // leaves after them.
    void SetHistory(std::vector<std::string> draws)
    {
        draws.emplace_back();
        State.RedHistory = std::move(draws);
    }

    // The red parts of the bundled history, as the history load builds them.
    void SetEdits(const std::map<std::string, std::string>& edits)
    {
        for (const auto& [name, text] : edits)
            Settings.Edits[name] = text;
    }

    void UseRealHistory() { State.RedHistory = RedHistoryOf(RealHistoryLines()); }

    const std::vector<FilterInfo>& Catalogue() const { return m_catalogue; }

    TempAppDir Dir;
    AppState State;
    RecordingHost Host;
    FilterState Settings;

private:
    std::vector<FilterInfo> m_catalogue;
};

inline bool RemovesCombo(FilterRule& rule, const std::string& text)
{
    const BasketLine line = MakeBasketLine(text);
    EXPECT_TRUE(line.IsCombo) << text;
    return rule.Removes(line);
}

inline bool RemovesText(FilterRule& rule, const std::string& text)
{
    return rule.Removes(BasketLine{text, false});
}

// Whether the rule removes a RedCombo line, the same in its compact and its text form.
inline void ExpectRemoved(FilterRule& rule, const std::string& line, bool removed)
{
    EXPECT_EQ(RemovesCombo(rule, line), removed);
    EXPECT_EQ(RemovesText(rule, line), removed);
}

// A RedCombo line and whether the filter's rule removes it; both forms must agree.
struct LineCase
{
    const char* CheckBox;
    const char* Line;
    bool Removed;
};

inline void ExpectLineCases(FamilyBench& bench, std::span<const LineCase> cases)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.CheckBox) + " " + c.Line);
        ExpectRemoved(*bench.Prepared(c.CheckBox), c.Line, c.Removed);
    }
}

// A line of any form and what the rule makes of its text: "removed", "kept" or the
// message of the error the pass stops with.
struct OutcomeCase
{
    const char* CheckBox;
    const char* Line;
    const char* Outcome;
};

inline void ExpectTextOutcomes(FamilyBench& bench, std::span<const OutcomeCase> cases)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.CheckBox) + " '" + c.Line + "'");
        auto rule = bench.Prepared(c.CheckBox);
        std::string outcome;
        try {
            outcome = RemovesText(*rule, c.Line) ? "removed" : "kept";
        } catch (const Error& e) {
            outcome = e.what();
        }
        EXPECT_EQ(outcome, c.Outcome);
    }
}

// Parameter texts typed into a filter's boxes and the error they bring.
struct ParameterCase
{
    const char* CheckBox;
    std::map<std::string, std::string> Edits;
    std::string Error;
};

inline std::string NotAnIntegerText(const std::string& text)
{
    return "'" + text + "' is not a valid integer value";
}

// Random RedCombos, always the same ones.
inline std::vector<std::string> RandomCombos(std::size_t count, unsigned seed = 20091)
{
    std::mt19937 generator(seed);
    std::vector<int> numbers(33);
    for (int n = 0; n < 33; ++n)
        numbers[n] = n + 1;
    std::vector<std::string> combos;
    for (std::size_t i = 0; i < count; ++i) {
        std::shuffle(numbers.begin(), numbers.end(), generator);
        std::vector<int> six(numbers.begin(), numbers.begin() + 6);
        std::sort(six.begin(), six.end());
        combos.push_back(JoinTwoDigits(six));
    }
    return combos;
}

// Lines of other forms: typed orders, one-digit and three-digit fields, letters.
inline std::vector<std::string> OddLines(std::size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    const char* pieces[] = {"0", "1", "2", "3", "7", "12", "21", "33", "06", "x", "", "123", "301", "9"};
    std::vector<std::string> lines;
    for (const auto& combo : RandomCombos(count, seed)) {
        auto fields = SplitFields(combo);
        std::shuffle(fields.begin(), fields.end(), generator);
        const std::size_t changes = generator() % 4;
        for (std::size_t i = 0; i < changes; ++i)
            fields[generator() % 6] = pieces[generator() % std::size(pieces)];
        if (generator() % 5 == 0)
            fields.push_back(pieces[generator() % std::size(pieces)]);
        lines.push_back(Join(fields, generator() % 7 == 0 ? "" : " "));
    }
    return lines;
}

// Every line judged by one prepared rule in its compact form and by another in its bare
// text form must get the same answer. Gives how many lines went.
inline int ExpectCompactMatchesText(FamilyBench& bench, const std::string& checkBox,
                                    const std::vector<std::string>& lines)
{
    SCOPED_TRACE(checkBox);
    auto compact = bench.Prepared(checkBox);
    auto text = bench.Prepared(checkBox);
    int removed = 0;
    for (const auto& line : lines) {
        const bool byMask = RemovesCombo(*compact, line);
        EXPECT_EQ(byMask, RemovesText(*text, line)) << line;
        removed += byMask;
    }
    return removed;
}

} // namespace qv::test
