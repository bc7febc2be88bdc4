// 号码设置: four filters driven by small rule texts on particular numbers.

#include "core/Error.h"
#include "filters/HitCountRule.h"
#include "filters/LineText.h"

#include <optional>

namespace qv {

namespace {

const std::string& EditText(const FilterContext& context, const std::string& name)
{
    static const std::string kEmpty;
    const auto it = context.Settings.Edits.find(name);
    return it == context.Settings.Edits.end() ? kEmpty : it->second;
}

const Lines& MemoLines(const FilterContext& context, const std::string& name)
{
    static const Lines kNone;
    const auto it = context.Settings.Memos.find(name);
    return it == context.Settings.Memos.end() ? kNone : it->second;
}

// One line of Memo3 or TeMemo3: "numbers,limit" or "numbers,min,max". The line is read
// when the pass begins, but a line of the wrong form only stops the run when a basket
// line reaches it.
struct BoundLine
{
    HitList Numbers;
    int Min = 0;
    int Max = 0;
    std::optional<FilterInputError> Fault;
};

// The rule lines down to the first empty one (lines below it are never used).
std::vector<BoundLine> ReadBoundLines(const Lines& lines, const char* memo, bool withMax)
{
    std::vector<BoundLine> rules;
    for (const auto& text : lines) {
        if (text.empty())
            break;
        BoundLine rule;
        try {
            const auto fields = SplitFieldViews(TrimBlanks(text), ',');
            rule.Numbers = HitList(FieldAt(fields, 0));
            rule.Min = StrToInt(FieldAt(fields, 1));
            if (withMax)
                rule.Max = StrToInt(FieldAt(fields, 2));
        } catch (const Error& error) {
            rule.Fault = RuleLineError(
                memo, rules.size() + 1, text,
                withMax ? "“号码,下限,上限”（如 01 05 09,1,2）" : "“号码,上限”（如 01 05 09,1）", error);
        }
        rules.push_back(std::move(rule));
    }
    return rules;
}

// 号码相斥排除: a line goes as soon as it holds more than limit numbers of a rule line.
class ExclusionRule final : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        m_rules = ReadBoundLines(MemoLines(context, "Memo3"), "Memo3", false);
    }

    bool Removes(const BasketLine& line) override
    {
        for (const auto& rule : m_rules) {
            if (rule.Fault)
                throw *rule.Fault;
            if (rule.Numbers.Count(line) > rule.Min)
                return true;
        }
        return false;
    }

private:
    std::vector<BoundLine> m_rules;
};

// 组合模块条件: a line goes as soon as its count for a rule line lies outside min..max.
class ModuleRule final : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        m_rules = ReadBoundLines(MemoLines(context, "TeMemo3"), "TeMemo3", true);
    }

    bool Removes(const BasketLine& line) override
    {
        for (const auto& rule : m_rules) {
            if (rule.Fault)
                throw *rule.Fault;
            const int hits = rule.Numbers.Count(line);
            if (hits < rule.Min || hits > rule.Max)
                return true;
        }
        return false;
    }

private:
    std::vector<BoundLine> m_rules;
};

// 位势选号条件: the field at position k must occur in line k of TeMemo1 (a missing line
// counts as empty).
class PositionRule final : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        m_lines = MemoLines(context, "TeMemo1");
        for (std::size_t k = 0; k < 6; ++k)
            m_allowed[k] = k < m_lines.size() ? NumbersOccurringIn(m_lines[k]) : 0;
    }

    bool Removes(const BasketLine& line) override
    {
        if (line.IsCombo) {
            for (std::size_t k = 0; k < 6; ++k)
                if ((m_allowed[k] & NumberBit(line.Reds[k])) == 0)
                    return true;
            return false;
        }
        const auto fields = SplitFieldViews(TrimBlanks(line.Text));
        for (std::size_t k = 0; k < fields.size(); ++k) {
            const std::string_view allowed =
                k < m_lines.size() ? std::string_view(m_lines[k]) : std::string_view();
            // An empty field occurs nowhere, the way the hit count treats empty items.
            if (fields[k].empty() || allowed.find(fields[k]) == std::string_view::npos)
                return true;
        }
        return false;
    }

private:
    Lines m_lines;
    std::array<std::uint64_t, 6> m_allowed{};
};

// 设胆码: a line must hold at least edit12 of the numbers in Edit11.
class BankerRule final : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        m_numbers = HitList(EditText(context, "Edit11"));
        m_minimum = ParameterInt("edit12", EditText(context, "edit12"));
    }

    bool Removes(const BasketLine& line) override { return m_numbers.Count(line) < m_minimum; }

private:
    HitList m_numbers;
    int m_minimum = 0;
};

} // namespace

void AddNumberSettingFilters(std::vector<FilterInfo>& catalogue)
{
    FilterInfo f;

    f = {};
    f.Order = 1;
    f.CheckBox = "CheckBox46";
    f.Caption = "号码相斥排除";
    f.Counter = "Label50";
    f.Default = false;
    f.StartLine = [](const FilterContext&) -> std::string { return "正在排除号码相斥....."; };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("号码相斥：排除", n, "注....OK");
    };
    f.Make = MakeRule<ExclusionRule>;
    f.MemoDefaults = {{"Memo3", {"01 05,1"}}};
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 2;
    f.CheckBox = "TeCheckBox8";
    f.Caption = "位势选号条件";
    f.Counter = "Label81";
    f.Default = false;
    f.StartLine = [](const FilterContext&) -> std::string { return "正在排除号码位数....."; };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("号码位势：排除", n, "注....OK");
    };
    f.Make = MakeRule<PositionRule>;
    f.MemoDefaults = {{"TeMemo1", {"01 02 03", "11 12 13", "18 19 20", "21 22 23", "25 26 27", "30 31 32"}}};
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 3;
    f.CheckBox = "TeCheckBox10";
    f.Caption = "组合模块条件";
    f.Counter = "Label56";
    f.Default = false;
    f.StartLine = [](const FilterContext&) -> std::string { return "正在分析号码组合模块....."; };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("号码组合模块：排除", n, "注....OK");
    };
    f.Make = MakeRule<ModuleRule>;
    f.MemoDefaults = {{"TeMemo3", {"01 02 03 04 05 06,1,2"}}};
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 35;
    f.CheckBox = "CheckBox36";
    f.Caption = "设胆码";
    f.Counter = "Label37";
    f.Default = false;
    f.StartLine = [](const FilterContext& c) {
        std::string text = "正在设立胆码.....";
        text += EditText(c, "Edit11");
        return text;
    };
    f.ClosingLine = [](const FilterContext&, long long n) { return CountLine("胆码：排除", n, "注....OK"); };
    f.Make = MakeRule<BankerRule>;
    f.EditDefaults = {{"Edit11", "01 02"}, {"edit12", "1"}};
    catalogue.push_back(std::move(f));
}

} // namespace qv
