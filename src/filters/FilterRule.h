#pragma once

#include "analysis/NextIssueLists.h"
#include "core/Error.h"
#include "core/Host.h"
#include "filters/FilterState.h"
#include "filters/LineText.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// A parameter field or a rule-box line that its filter cannot read. It carries the
// original report (what()) and where and what was wrong; the run turns it into a Chinese
// report that names the filter (FilterInputReport).
class FilterInputError : public Error
{
public:
    // place: "参数框 Edit20", "参数框“一区个数”的下限（TeSEdit10）", "规则框 Memo3 第2行".
    FilterInputError(std::string place, std::string text, std::string expected, const Error& original)
        : Error(original.what()), m_place(std::move(place)), m_text(std::move(text)),
          m_expected(std::move(expected))
    {
    }

    const std::string& Place() const { return m_place; }
    const std::string& Text() const { return m_text; }
    const std::string& Expected() const { return m_expected; }

private:
    std::string m_place;
    std::string m_text;
    std::string m_expected;
};

// The place of a parameter field as the filter view shows it: its caption where the window
// gives it one, with the component name, else "参数框 " and the component name.
std::string ParameterPlace(std::string_view field);

// The integer typed in a parameter field; a text that is no integer is a FilterInputError.
int ParameterInt(std::string_view field, const std::string& text);

// The rule box line (number counted from 1) of the wrong form as a FilterInputError.
FilterInputError RuleLineError(std::string_view memo, std::size_t number, const std::string& line,
                               std::string expected, const Error& original);

// "过滤条件“caption”：place的内容“text”无法识别，应为expected。" (a long text cut short).
std::string FilterInputReport(std::string_view caption, const FilterInputError& error);

// One basket line as the rules see it. Nearly every line is a RedCombo (six two-digit
// numbers 01..33, ascending, single blanks); those carry a 33-bit mask (bit n-1 for the
// number n) and their six numbers, and rules evaluate them on that form. Any other line
// keeps only its text and goes through the literal text rules, errors included. Both
// forms must give the same answer for the same text.
struct BasketLine
{
    std::string_view Text;
    bool IsCombo = false;
    std::uint64_t Mask = 0;             // valid when IsCombo
    std::array<std::uint8_t, 6> Reds{}; // valid when IsCombo, ascending
};

// Fills a BasketLine from text: IsCombo, Mask and Reds when the text is a RedCombo.
BasketLine MakeBasketLine(std::string_view text);

// CountHits(items, line): how many non-empty blank-separated items of items occur in line
// as substrings; an item listed twice counts twice.
int CountHits(std::string_view items, std::string_view line);

// CountHits compiled once for many lines: on a RedCombo line an item hits exactly when
// one of the line's numbers contains it, so each item becomes a mask of the numbers it
// hits ("7" hits 07, 17 and 27; "07" only 07; items that can hit no number get 0).
class HitList
{
public:
    HitList() = default;
    explicit HitList(std::string_view items);

    int Count(const BasketLine& line) const
    {
        if (line.IsCombo && m_others.empty())
            return CountBits(m_singles & line.Mask);
        return CountSlow(line);
    }
    int Count(std::string_view text) const { return CountHits(m_items, text); }
    bool Empty() const { return m_masks.empty(); }
    // The masks of the non-empty items, in list order.
    const std::vector<std::uint64_t>& Masks() const { return m_masks; }
    const std::string& Items() const { return m_items; }

private:
    int CountSlow(const BasketLine& line) const;

    std::string m_items;
    std::vector<std::uint64_t> m_masks;  // one per non-empty item
    std::uint64_t m_singles = 0;         // items hitting one number, each standing once
    std::vector<std::uint64_t> m_others; // every other item that can hit something
};

// What a pass may read besides the line: the red parts of the history, the reference and
// prediction lists, the filter view's fields, and the log for extra lines.
struct FilterContext
{
    const Lines& RedHistory; // one RedCombo per draw, newest first, then one empty line
    const NextIssueReference& Reference;
    const NextIssuePrediction& Prediction;
    const FilterState& Settings;
    StepLog& Log;
};

// A file a rule leaves beside its pass for the player to read (the neighbour-pair table):
// its path below AppDir and its lines. The run saves it; the rule writes nothing.
struct RuleFile
{
    std::string_view Path;
    const Lines& Content;
};

// The rule of one filter for one pass. A new object is made for every pass.
class FilterRule
{
public:
    virtual ~FilterRule() = default;

    // Done once per pass after the basket was loaded and found non-empty, before the walk:
    // reads parameters (a text that is not an integer throws the conversion error), builds
    // tables, writes the start line where the filter writes it late.
    virtual void Prepare(FilterContext& context) { (void)context; }

    // The file the preparation produced for the run to save before the walk, if any.
    virtual std::optional<RuleFile> File() const { return std::nullopt; }

    // Called once for every line, in basket order. May throw the run's errors ("List index
    // out of bounds", the conversion error) for lines or rule texts of the wrong form.
    virtual bool Removes(const BasketLine& line) = 0;
};

// One of the 47 filters of the catalogue.
struct FilterInfo
{
    int Order = 0;        // 1..47, the fixed run order
    std::string CheckBox; // "CheckBox6"
    std::string Caption;  // "排除无效组合"
    std::string Counter;  // "Label5"
    bool Default = false; // checked when the window opens
    // The start line written after " " at the pass's start; empty for the filters that
    // write theirs in Prepare. Read when the pass begins.
    std::string (*StartLine)(const FilterContext& context) = nullptr;
    // The closing line for a pass that removed removed lines (Prepare has run).
    std::string (*ClosingLine)(const FilterContext& context, long long removed) = nullptr;
    std::unique_ptr<FilterRule> (*Make)() = nullptr;
    // The filter's parameter fields and rule boxes with their default texts.
    std::vector<std::pair<std::string, std::string>> EditDefaults;
    std::vector<std::pair<std::string, Lines>> MemoDefaults;
};

// A catalogue entry's Make for a rule that needs nothing at construction.
template <typename Rule> std::unique_ptr<FilterRule> MakeRule()
{
    return std::make_unique<Rule>();
}

// A closing line that shows the count removed: before + N + after.
inline std::string CountLine(const char* before, long long removed, const char* after)
{
    std::string text = before;
    text += std::to_string(removed);
    text += after;
    return text;
}

// Each family adds its filters to the catalogue from its own file.
void AddCombinationFilters(std::vector<FilterInfo>& catalogue);   // 组合滤除
void AddFormatFilters(std::vector<FilterInfo>& catalogue);        // 格式滤除
void AddMagicFilters(std::vector<FilterInfo>& catalogue);         // 神奇公式
void AddValueFilters(std::vector<FilterInfo>& catalogue);         // 取值估算, 三区设置
void AddNumberSettingFilters(std::vector<FilterInfo>& catalogue); // 号码设置
void AddProbabilityFilters(std::vector<FilterInfo>& catalogue);   // 概率估计

} // namespace qv
