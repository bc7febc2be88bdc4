// 格式滤除: seven filters that judge the shape of a line.

#include "core/Error.h"
#include "filters/HitCountRule.h"
#include "filters/LineText.h"

#include <bit>

namespace qv {

namespace {

constexpr const char* kPrimeList = "01 03 05 07 11 13 17 19 23 29 31";

std::uint64_t MaskWhere(bool (*test)(int n))
{
    std::uint64_t mask = 0;
    for (int n = 1; n <= 33; ++n)
        if (test(n))
            mask |= NumberBit(n);
    return mask;
}

// ---- 排除无效连码 -------------------------------------------------------------------

class RunRule final : public FilterRule
{
public:
    bool Removes(const BasketLine& line) override
    {
        // In an ascending line two neighbouring positions hold consecutive numbers
        // exactly when both numbers are in it.
        if (line.IsCombo)
            return CountBits(line.Mask & (line.Mask >> 1)) >= 4;
        const auto n = SixNumbers(line.Text);
        int pairs = 0;
        for (std::size_t k = 0; k + 1 < n.size(); ++k)
            if (static_cast<long long>(n[k + 1]) == static_cast<long long>(n[k]) + 1)
                ++pairs;
        return pairs >= 4;
    }
};

// ---- 排除无效ABC值 ------------------------------------------------------------------

// "A" for n mod 3 = 1, "B" for 2, "C" for 0; a negative number with another remainder
// has no letter.
char AbcClass(int n)
{
    switch (n % 3) {
    case 0:
        return 'C';
    case 1:
        return 'A';
    case 2:
        return 'B';
    default:
        return 0;
    }
}

std::string AbcPattern(const std::array<int, 6>& numbers)
{
    std::string pattern;
    for (const int n : numbers)
        if (const char letter = AbcClass(n))
            pattern += letter;
    return pattern;
}

// A six-letter pattern as a number 0..728, each letter a base-3 digit.
int PatternCode(std::string_view pattern)
{
    int code = 0;
    for (const char letter : pattern)
        code = code * 3 + (letter == 'A' ? 0 : letter == 'B' ? 1 : 2);
    return code;
}

class AbcRule final : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        const Lines& history = context.RedHistory;
        for (std::size_t i = 0; i < 10 && i < history.size(); ++i) {
            // An empty history line gives the empty pattern.
            const std::string pattern =
                history[i].empty() ? std::string() : AbcPattern(SixNumbers(history[i]));
            if (pattern.size() == 6)
                m_comboPatterns[static_cast<std::size_t>(PatternCode(pattern))] = true;
            m_patterns.push_back(pattern);
        }
    }

    bool Removes(const BasketLine& line) override
    {
        if (line.IsCombo) {
            static const std::uint64_t kA = MaskWhere([](int n) { return n % 3 == 1; });
            static const std::uint64_t kB = MaskWhere([](int n) { return n % 3 == 2; });
            const int a = CountBits(line.Mask & kA);
            const int b = CountBits(line.Mask & kB);
            const int c = 6 - a - b;
            if (a >= 5 || b >= 5 || c >= 5)
                return true;
            int code = 0;
            for (const int n : line.Reds)
                code = code * 3 + (n % 3 == 1 ? 0 : n % 3 == 2 ? 1 : 2);
            return m_comboPatterns[static_cast<std::size_t>(code)];
        }
        const std::string pattern = AbcPattern(SixNumbers(line.Text));
        int a = 0, b = 0, c = 0;
        for (const char letter : pattern) {
            a += letter == 'A';
            b += letter == 'B';
            c += letter == 'C';
        }
        if (a >= 5 || b >= 5 || c >= 5)
            return true;
        for (const auto& historyPattern : m_patterns)
            if (historyPattern == pattern)
                return true;
        return false;
    }

private:
    std::vector<std::string> m_patterns;
    std::array<bool, 729> m_comboPatterns{};
};

// ---- 排除全奇偶数 -------------------------------------------------------------------

class ParityRule final : public FilterRule
{
public:
    bool Removes(const BasketLine& line) override
    {
        if (line.IsCombo) {
            static const std::uint64_t kEven = MaskWhere([](int n) { return n % 2 == 0; });
            const int even = CountBits(line.Mask & kEven);
            return even == 6 || even == 0;
        }
        int even = 0;
        for (const int n : SixNumbers(line.Text))
            even += n % 2 == 0;
        return even == 6 || even == 0;
    }
};

// ---- 排除非法同尾>=3 ----------------------------------------------------------------

// The tail of a number's text: the digit whose first occurrence is the second character
// ("10" has tail 0, "21" tail 1; "11", "7" and "x1" have none). -1 for none.
int Tail(std::string_view text)
{
    if (text.size() < 2 || text[1] < '0' || text[1] > '9' || text[0] == text[1])
        return -1;
    return text[1] - '0';
}

class TailRule final : public FilterRule
{
public:
    TailRule()
    {
        for (int n = 1; n <= 33; ++n)
            if (const int tail = Tail(NumberText(n)); tail >= 0)
                m_tailMasks[static_cast<std::size_t>(tail)] |= NumberBit(n);
    }

    bool Removes(const BasketLine& line) override
    {
        if (line.IsCombo) {
            for (const std::uint64_t mask : m_tailMasks)
                if (CountBits(line.Mask & mask) >= 3)
                    return true;
            return false;
        }
        std::array<int, 10> counts{};
        for (const std::string_view field : SixFields(line.Text))
            if (const int tail = Tail(field); tail >= 0)
                ++counts[static_cast<std::size_t>(tail)];
        for (const int count : counts)
            if (count >= 3)
                return true;
        return false;
    }

private:
    std::array<std::uint64_t, 10> m_tailMasks{};
};

// ---- 排除重复和值 -------------------------------------------------------------------

long long Sum(const std::array<int, 6>& numbers)
{
    long long sum = 0;
    for (const int n : numbers)
        sum += n;
    return sum;
}

class SumRule final : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        const Lines& history = context.RedHistory;
        if (history.empty())
            throw Error::ListIndexOutOfBounds(0);
        m_sum = Sum(SixNumbers(history.front()));
    }

    bool Removes(const BasketLine& line) override
    {
        if (line.IsCombo) {
            int sum = 0;
            for (const int n : line.Reds)
                sum += n;
            return sum == m_sum;
        }
        return Sum(SixNumbers(line.Text)) == m_sum;
    }

private:
    long long m_sum = 0;
};

std::string NeighbourNumbers(const FilterContext& c)
{
    return c.Reference.NeighbourNumbers;
}
std::string PrimeList(const FilterContext&)
{
    return kPrimeList;
}

} // namespace

void AddFormatFilters(std::vector<FilterInfo>& catalogue)
{
    FilterInfo f;

    f = {};
    f.Order = 10;
    f.CheckBox = "CheckBox11";
    f.Caption = "过滤无效衍生号";
    f.Counter = "Label10";
    f.Default = true;
    f.StartLine = [](const FilterContext& c) {
        std::string text = "正在排除无效邻号.....";
        text += NeighbourNumbers(c);
        return text;
    };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除无效邻号：", n, "注....OK");
    };
    f.Make = []() -> std::unique_ptr<FilterRule> {
        return std::make_unique<HitCountRule>(NeighbourNumbers, [](int h) { return h == 0 || h >= 6; });
    };
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 15;
    f.CheckBox = "CheckBox17";
    f.Caption = "排除质数为0号码";
    f.Counter = "Label16";
    f.Default = false;
    f.StartLine = [](const FilterContext&) {
        std::string text = "正在排除质数为0的号码.....";
        text += kPrimeList;
        return text;
    };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除质数为0的号码：", n, "注....OK");
    };
    f.Make = []() -> std::unique_ptr<FilterRule> {
        return std::make_unique<HitCountRule>(PrimeList, [](int h) { return h == 0; });
    };
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 20;
    f.CheckBox = "CheckBox20";
    f.Caption = "排除无效连码";
    f.Counter = "Label19";
    f.Default = true;
    f.StartLine = [](const FilterContext&) -> std::string { return "正在排除无效连码....."; };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除无效连码：", n, "注....OK");
    };
    f.Make = MakeRule<RunRule>;
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 21;
    f.CheckBox = "CheckBox21";
    f.Caption = "排除无效ABC值";
    f.Counter = "Label20";
    f.Default = true;
    f.StartLine = [](const FilterContext&) -> std::string { return "正在排除无效ABC码....."; };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除无效ABC码：", n, "注....OK");
    };
    f.Make = MakeRule<AbcRule>;
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 23;
    f.CheckBox = "CheckBox23";
    f.Caption = "排除全奇偶数";
    f.Counter = "Label22";
    f.Default = true;
    f.StartLine = [](const FilterContext&) -> std::string { return "正在排除全奇偶的号码....."; };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除全奇偶数：", n, "注....OK");
    };
    f.Make = MakeRule<ParityRule>;
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 28;
    f.CheckBox = "CheckBox28";
    f.Caption = "排除非法同尾>=3";
    f.Counter = "Label27";
    f.Default = true;
    f.StartLine = [](const FilterContext&) -> std::string { return "正在排除非法同尾数号码....."; };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除无效同尾号：", n, "注....OK");
    };
    f.Make = MakeRule<TailRule>;
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 40;
    f.CheckBox = "TeCheckBox5";
    f.Caption = "排除重复和值";
    f.Counter = "Label69";
    f.Default = true;
    f.StartLine = [](const FilterContext&) -> std::string { return "正在排除无效和值....."; };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除无效和值，排除注数", n, "....OK");
    };
    f.Make = MakeRule<SumRule>;
    catalogue.push_back(std::move(f));
}

} // namespace qv
