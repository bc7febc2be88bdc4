// 组合滤除: ten filters that judge a line by which numbers it holds.

#include "filters/HitCountRule.h"
#include "filters/LineText.h"

#include <bit>

namespace qv {

namespace {

constexpr const char* kGroupList = "01 02 03 04 06 09 14 16 18 24 25 28 32";
constexpr const char* kUniversalTwelve = "01 10 11 12 14 15 18 19 24 25 27 29";
constexpr const char* kMagicSeven = "07 14 16 17 18 21 25 27 28 29";

constexpr const char* kLawTable1[] = {
    "01 07 13 19 25 31", "02 08 14 20 26 32", "03 09 15 21 27 33", "02 08 14 20 26 31 32 33",
    "05 11 17 23 29",    "04 10 16 22 28",    "06 12 18 24 30",
};

constexpr const char* kLawTable2[] = {
    "04 07 08 09 10 11 12 16 22 28",       "05 07 08 09 10 11 12 17 23 29",
    "06 07 08 09 10 11 12 18 24 30",       "01 02 03 04 05 06 11 17 23 29",
    "01 02 03 04 05 06 12 18 24 30",       "01 04 07 10 13 16 19 22 25 28 33",
    "01 06 07 12 13 18 19 24 25 30 33",    "02 05 08 11 14 17 20 23 26 29 32",
    "02 03 08 09 14 15 20 21 26 27 32 33", "03 04 09 10 15 16 21 22 27 28 33",
    "03 06 09 12 15 16 21 24 27 30 33",    "04 05 10 11 16 17 22 23 28 29",
    "01 07 08 09 10 11 12 13 19 25 31",    "03 07 08 09 10 11 12 15 21 27 33",
};

// The decades of CheckBox6 as masks: 1..9, 10..19, 20..29, 30..33.
constexpr std::uint64_t kDecadeA = 0x1FFull;
constexpr std::uint64_t kDecadeB = 0x3FFull << 9;
constexpr std::uint64_t kDecadeC = 0x3FFull << 19;
constexpr std::uint64_t kDecadeD = 0xFull << 29;

bool DecadesRemove(int a, int b, int c, int d)
{
    return a >= 4 || b >= 5 || c >= 5 || d == 4 || (a == 3 && d == 3) || (b == 4 && d == 2) ||
           (b == 3 && d == 3) || (c == 4 && d == 2) || (c == 3 && d == 3) || (a == 0 && b == 0) ||
           (b == 0 && c == 0) || (a == 0 && b == 1) || (a == 1 && b == 0 && c == 4);
}

class DecadeRule final : public FilterRule
{
public:
    bool Removes(const BasketLine& line) override
    {
        if (line.IsCombo)
            return DecadesRemove(CountBits(line.Mask & kDecadeA), CountBits(line.Mask & kDecadeB),
                                 CountBits(line.Mask & kDecadeC), CountBits(line.Mask & kDecadeD));
        int a = 0, b = 0, c = 0, d = 0;
        for (const int n : SixNumbers(line.Text)) {
            if (n <= 9)
                ++a;
            else if (n <= 19)
                ++b;
            else if (n <= 29)
                ++c;
            else if (n <= 33)
                ++d;
        }
        return DecadesRemove(a, b, c, d);
    }
};

// Removes a line as soon as one group of the table holds at least limit of its numbers.
class GroupTableRule final : public FilterRule
{
public:
    template <std::size_t N> GroupTableRule(const char* const (&groups)[N], int limit) : m_limit(limit)
    {
        for (const char* group : groups)
            m_groups.emplace_back(group);
    }

    bool Removes(const BasketLine& line) override
    {
        for (const auto& group : m_groups)
            if (group.Count(line) >= m_limit)
                return true;
        return false;
    }

private:
    std::vector<HitList> m_groups;
    int m_limit;
};

std::string RepeatNumbers(const FilterContext& c)
{
    return c.Reference.RepeatNumbers;
}
std::string HotNumbers(const FilterContext& c)
{
    return c.Reference.HotNumbers;
}
std::string FiveDrawMean(const FilterContext& c)
{
    return c.Prediction.FiveDrawMeanNumbers;
}
std::string FifthDraw(const FilterContext& c)
{
    return c.Prediction.FifthDrawNumbers;
}
std::string GroupList(const FilterContext&)
{
    return kGroupList;
}
std::string UniversalTwelve(const FilterContext&)
{
    return kUniversalTwelve;
}
std::string MagicSeven(const FilterContext&)
{
    return kMagicSeven;
}

std::string Joined(const char* start, const std::string& list)
{
    std::string text = start;
    text += list;
    return text;
}

} // namespace

void AddCombinationFilters(std::vector<FilterInfo>& catalogue)
{
    FilterInfo f;

    f = {};
    f.Order = 5;
    f.CheckBox = "CheckBox6";
    f.Caption = "排除无效组合";
    f.Counter = "Label5";
    f.Default = true;
    f.StartLine = [](const FilterContext&) -> std::string { return "正在排除无效组合....."; };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除无效组合，注数", n, "....OK");
    };
    f.Make = MakeRule<DecadeRule>;
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 8;
    f.CheckBox = "CheckBox9";
    f.Caption = "排除无效重号";
    f.Counter = "Label8";
    f.Default = true;
    f.StartLine = [](const FilterContext& c) { return Joined("正在排除无效重号.....", RepeatNumbers(c)); };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除无效重号：", n, "注....OK");
    };
    f.Make = []() -> std::unique_ptr<FilterRule> {
        return std::make_unique<HitCountRule>(RepeatNumbers, [](int h) { return h >= 5; });
    };
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 11;
    f.CheckBox = "CheckBox12";
    f.Caption = "排除无效热号";
    f.Counter = "Label11";
    f.Default = true;
    f.StartLine = [](const FilterContext& c) { return Joined("正在排除>=5热号.....", HotNumbers(c)); };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除>=5热号：", n, "注....OK");
    };
    f.Make = []() -> std::unique_ptr<FilterRule> {
        return std::make_unique<HitCountRule>(HotNumbers, [](int h) { return h >= 5; });
    };
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 12;
    f.CheckBox = "CheckBox13";
    f.Caption = "排除前5期均值命中";
    f.Counter = "Label12";
    f.Default = true;
    f.StartLine = [](const FilterContext& c) { return Joined("正在排除5期均值号.....", FiveDrawMean(c)); };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除5期均值号：", n, "注....OK");
    };
    f.Make = []() -> std::unique_ptr<FilterRule> {
        return std::make_unique<HitCountRule>(FiveDrawMean, [](int h) { return h >= 3; });
    };
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 13;
    f.CheckBox = "CheckBox14";
    f.Caption = "排除第5期命中";
    f.Counter = "Label13";
    f.Default = true;
    f.StartLine = [](const FilterContext& c) { return Joined("正在排除第5期号.....", FifthDraw(c)); };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除第5期号：", n, "注....OK");
    };
    f.Make = []() -> std::unique_ptr<FilterRule> {
        return std::make_unique<HitCountRule>(FifthDraw, [](int h) { return h == 0 || h >= 4; });
    };
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 18;
    f.CheckBox = "CheckBox19";
    f.Caption = "排除神奇数字7";
    f.Counter = "Label18";
    f.Default = true;
    f.StartLine = [](const FilterContext&) { return Joined("正在排除神奇数字7的号码.....", kMagicSeven); };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除神奇数字7：", n, "注....OK");
    };
    f.Make = []() -> std::unique_ptr<FilterRule> {
        return std::make_unique<HitCountRule>(MagicSeven, [](int h) { return h == 0 || h >= 5; });
    };
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 19;
    f.CheckBox = "TeCheckBox6";
    f.Caption = "排除万能12码";
    f.Counter = "Label70";
    f.Default = true;
    f.StartLine = [](const FilterContext&) { return Joined("正在排除万能12码.....", kUniversalTwelve); };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除万能12码：", n, "注....OK");
    };
    f.Make = []() -> std::unique_ptr<FilterRule> {
        return std::make_unique<HitCountRule>(UniversalTwelve, [](int h) { return h == 0; });
    };
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 26;
    f.CheckBox = "CheckBox26";
    f.Caption = "集团出号法过滤";
    f.Counter = "Label25";
    f.Default = true;
    f.StartLine = [](const FilterContext&) { return Joined("正在排除集团的号码.....", kGroupList); };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("排除集团出号：", n, "注....OK");
    };
    f.Make = []() -> std::unique_ptr<FilterRule> {
        return std::make_unique<HitCountRule>(GroupList, [](int h) { return h >= 5; });
    };
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 30;
    f.CheckBox = "CheckBox30";
    f.Caption = "组合定律过滤第1算法";
    f.Counter = "Label31";
    f.Default = true;
    f.StartLine = [](const FilterContext&) -> std::string { return "正在进行组合定律第1算法....."; };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("通过组合定律第1算法 共排除：", n, "注....OK");
    };
    f.Make = []() -> std::unique_ptr<FilterRule> { return std::make_unique<GroupTableRule>(kLawTable1, 5); };
    catalogue.push_back(std::move(f));

    f = {};
    f.Order = 31;
    f.CheckBox = "CheckBox31";
    f.Caption = "组合定律过滤第2算法";
    f.Counter = "Label32";
    f.Default = false;
    f.StartLine = [](const FilterContext&) -> std::string { return "正在进行组合定律第2算法....."; };
    f.ClosingLine = [](const FilterContext&, long long n) {
        return CountLine("通过组合定律第2算法 共排除：", n, "注....OK");
    };
    f.Make = []() -> std::unique_ptr<FilterRule> { return std::make_unique<GroupTableRule>(kLawTable2, 6); };
    catalogue.push_back(std::move(f));
}

} // namespace qv
