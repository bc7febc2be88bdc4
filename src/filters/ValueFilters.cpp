// The groups "取值估算" and "三区设置" of the page "条件": limits the user types in on
// the first number, the spans, the sum, the counts of small, odd, big and cold numbers,
// and the sums and counts of the three zones.

#include "filters/FilterRule.h"
#include "filters/MagicValueProbability.h"

#include <memory>

namespace qv {

namespace {

constexpr EditField kSpanLo{"TeSEdit1", "18"};
constexpr EditField kSpanHi{"TeSEdit2", "28"};
constexpr EditField kFirstAtLeast{"Edit5", "12"};
constexpr EditField kFirstAtMost{"edit6", "6"};
constexpr EditField kColdLo{"Edit20", "0"};
constexpr EditField kColdHi{"Edit21", "4"};
constexpr EditField kFirstSpan{"Edit8", "20"};
constexpr EditField kSingleDigits{"Edit9", "4"};
constexpr EditField kSumLo{"Edit13", "90"};
constexpr EditField kSumHi{"edit14", "130"};
constexpr EditField kOddLo{"edit15", "1"};
constexpr EditField kOddHi{"edit16", "4"};
constexpr EditField kBigLo{"edit17", "2"};
constexpr EditField kBigHi{"edit18", "4"};
constexpr EditField kZoneSums[6] = {{"T1Qx", "0"},  {"T1Qy", "10"}, {"T2Qx", "0"},
                                    {"T2Qy", "30"}, {"T3Qx", "0"},  {"T3Qy", "50"}};
constexpr EditField kZoneCounts[6] = {{"TeSEdit10", "0"}, {"TeSEdit11", "2"}, {"TeSEdit14", "0"},
                                      {"TeSEdit15", "2"}, {"TeSEdit16", "0"}, {"TeSEdit17", "2"}};

// The zone of a number: 1 below 12, 2 for 12..22, 3 for 23..32; 33 (and anything above)
// lies in no zone.
constexpr int ZoneOf(int n)
{
    if (n < 12)
        return 1;
    if (n <= 22)
        return 2;
    if (n <= 32)
        return 3;
    return 0;
}

constexpr std::array<std::uint8_t, 34> kZoneOfNumber = [] {
    std::array<std::uint8_t, 34> zones{};
    for (int n = 0; n < 34; ++n)
        zones[n] = static_cast<std::uint8_t>(ZoneOf(n));
    return zones;
}();

// What a rule reads from a line. The number at a position comes from the compact form for
// a RedCombo and from the fields otherwise; every rule reads its positions in the same
// order on both forms, so a malformed line fails at the same field.
template <typename Value> int ValueOf(const BasketLine& line, Value value)
{
    if (line.IsCombo)
        return value([&](int position) { return static_cast<int>(line.Reds[position - 1]); });
    const LineFields fields(line.Text);
    return value([&](int position) { return fields.Number(position); });
}

template <typename Number, typename Test> int CountNumbers(Number number, Test test)
{
    int count = 0;
    for (int k = 1; k <= 6; ++k)
        count += test(number(k)) ? 1 : 0;
    return count;
}

const auto kSpan = [](auto number) {
    const int last = number(6);
    return last - number(1);
};
const auto kFirst = [](auto number) { return number(1); };
const auto kFirstToSecond = [](auto number) {
    const int second = number(2);
    return second - number(1);
};
const auto kSingleDigitCount = [](auto number) { return CountNumbers(number, [](int n) { return n <= 9; }); };
const auto kSum = [](auto number) {
    int sum = 0;
    for (int k = 1; k <= 6; ++k)
        sum += number(k);
    return sum;
};
const auto kOddCount = [](auto number) { return CountNumbers(number, [](int n) { return n % 2 != 0; }); };
const auto kBigCount = [](auto number) { return CountNumbers(number, [](int n) { return n > 16; }); };

// Keeps the lines whose value lies within lo..hi, both included.
template <const EditField& Lo, const EditField& Hi, const auto& Value> class RangeRule : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        m_lo = EditInt(context, Lo);
        m_hi = EditInt(context, Hi);
    }
    bool Removes(const BasketLine& line) override
    {
        const int value = ValueOf(line, Value);
        return value < m_lo || value > m_hi;
    }

private:
    int m_lo = 0;
    int m_hi = 0;
};

// Removes the lines whose value reaches the limit (AtLeast) or stays at or below it.
template <const EditField& Limit, const auto& Value, bool AtLeast> class LimitRule : public FilterRule
{
public:
    void Prepare(FilterContext& context) override { m_limit = EditInt(context, Limit); }
    bool Removes(const BasketLine& line) override
    {
        const int value = ValueOf(line, Value);
        return AtLeast ? value >= m_limit : value <= m_limit;
    }

private:
    int m_limit = 0;
};

// 留下冷号个数在: the cold numbers of the next-issue reference, counted with CountHits.
class ColdCountRule : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        m_lo = EditInt(context, kColdLo);
        m_hi = EditInt(context, kColdHi);
        m_hits = HitList(context.Reference.ColdNumbers);
    }
    bool Removes(const BasketLine& line) override
    {
        const int cold = m_hits.Count(line);
        return cold < m_lo || cold > m_hi;
    }

private:
    int m_lo = 0;
    int m_hi = 0;
    HitList m_hits;
};

// 设置三区和 (sums) and 设置三区比 (counts): each of the three zones within its own bounds.
template <bool Sums> class ZoneRule : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        const EditField* fields = Sums ? kZoneSums : kZoneCounts;
        for (int i = 0; i < 6; ++i)
            m_bounds[i] = EditInt(context, fields[i]);
    }
    bool Removes(const BasketLine& line) override
    {
        std::array<int, 4> zones{};
        if (line.IsCombo) {
            for (std::uint8_t n : line.Reds)
                zones[kZoneOfNumber[n]] += Sums ? n : 1;
        } else {
            const LineFields fields(line.Text);
            for (int k = 1; k <= 6; ++k) {
                const int n = fields.Number(k);
                zones[ZoneOf(n)] += Sums ? n : 1;
            }
        }
        for (int zone = 1; zone <= 3; ++zone)
            if (zones[zone] < m_bounds[2 * zone - 2] || zones[zone] > m_bounds[2 * zone - 1])
                return true;
        return false;
    }

private:
    std::array<int, 6> m_bounds{};
};

std::vector<std::pair<std::string, std::string>> Defaults(std::initializer_list<EditField> fields)
{
    std::vector<std::pair<std::string, std::string>> defaults;
    for (const auto& field : fields)
        defaults.emplace_back(field.Name, field.Default);
    return defaults;
}

FilterInfo Entry(int order, const char* checkBox, const char* caption, const char* counter, bool checked)
{
    FilterInfo info;
    info.Order = order;
    info.CheckBox = checkBox;
    info.Caption = caption;
    info.Counter = counter;
    info.Default = checked;
    return info;
}

} // namespace

void AddValueFilters(std::vector<FilterInfo>& catalogue)
{
    {
        FilterInfo info = Entry(4, "TeCheckBox7", "留下极距在", "Label79", false);
        info.StartLine = [](const FilterContext& context) {
            std::string line = "正在排除极距小于";
            line += EditText(context, kSpanLo);
            line += "大于";
            line += EditText(context, kSpanHi);
            line += ".....";
            return line;
        };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("极距：排除", removed, "注....OK");
        };
        info.Make = MakeRule<RangeRule<kSpanLo, kSpanHi, kSpan>>;
        info.EditDefaults = Defaults({kSpanLo, kSpanHi});
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = Entry(6, "CheckBox7", "排除首位数>=", "Label6", true);
        info.StartLine = [](const FilterContext& context) {
            std::string line = "正在排除首位数大于";
            line += EditText(context, kFirstAtLeast);
            line += ".....";
            return line;
        };
        info.ClosingLine = [](const FilterContext& context, long long removed) {
            std::string line = "排除首位大于";
            line += EditText(context, kFirstAtLeast);
            line += "的号码，注数";
            line += std::to_string(removed);
            line += "....OK";
            return line;
        };
        info.Make = MakeRule<LimitRule<kFirstAtLeast, kFirst, true>>;
        info.EditDefaults = Defaults({kFirstAtLeast});
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = Entry(7, "CheckBox8", "排除首位数<=", "Label7", false);
        info.StartLine = [](const FilterContext& context) {
            std::string line = "正在排除首位数小于";
            line += EditText(context, kFirstAtMost);
            line += ".....";
            return line;
        };
        info.ClosingLine = [](const FilterContext& context, long long removed) {
            std::string line = "排除首位小于";
            line += EditText(context, kFirstAtMost);
            line += "的号码，注数";
            line += std::to_string(removed);
            line += "....OK";
            return line;
        };
        info.Make = MakeRule<LimitRule<kFirstAtMost, kFirst, false>>;
        info.EditDefaults = Defaults({kFirstAtMost});
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = Entry(9, "CheckBox10", "留下冷号个数在", "Label9", true);
        info.StartLine = [](const FilterContext& context) {
            std::string line = "正在排除冷号<";
            line += EditText(context, kColdLo);
            line += "个和冷号>";
            line += EditText(context, kColdHi);
            line += "个.....";
            line += context.Reference.ColdNumbers;
            return line;
        };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("排除冷号：", removed, "注....OK");
        };
        info.Make = MakeRule<ColdCountRule>;
        info.EditDefaults = Defaults({kColdLo, kColdHi});
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = Entry(27, "CheckBox27", "过滤一二位跨度>=", "Label26", true);
        info.StartLine = [](const FilterContext& context) {
            std::string line = "正在排除跨度>=";
            line += EditText(context, kFirstSpan);
            line += "的号码.....";
            return line;
        };
        info.ClosingLine = [](const FilterContext& context, long long removed) {
            std::string line = "排除一二位跨度>=";
            line += EditText(context, kFirstSpan);
            line += "的号码，注数";
            line += std::to_string(removed);
            line += "....OK";
            return line;
        };
        info.Make = MakeRule<LimitRule<kFirstSpan, kFirstToSecond, true>>;
        info.EditDefaults = Defaults({kFirstSpan});
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = Entry(29, "CheckBox29", "排除个位个数>=", "Label30", true);
        info.StartLine = [](const FilterContext& context) {
            std::string line = "正在个位数>=";
            line += EditText(context, kSingleDigits);
            line += "的号码.....";
            return line;
        };
        info.ClosingLine = [](const FilterContext& context, long long removed) {
            std::string line = "排除个位位数>=";
            line += EditText(context, kSingleDigits);
            line += "的号码，注数";
            line += std::to_string(removed);
            line += "....OK";
            return line;
        };
        info.Make = MakeRule<LimitRule<kSingleDigits, kSingleDigitCount, true>>;
        info.EditDefaults = Defaults({kSingleDigits});
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = Entry(36, "CheckBox37", "留下和值在", "Label40", false);
        info.StartLine = [](const FilterContext& context) {
            std::string line = "正在留下和值在";
            line += EditText(context, kSumLo);
            line += "-";
            line += EditText(context, kSumHi);
            line += "之间的号码....";
            return line;
        };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("和值：排除", removed, "注....OK");
        };
        info.Make = MakeRule<RangeRule<kSumLo, kSumHi, kSum>>;
        info.EditDefaults = Defaults({kSumLo, kSumHi});
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = Entry(37, "CheckBox38", "留下奇数在", "Label42", true);
        info.StartLine = [](const FilterContext& context) {
            std::string line = "正在留下奇数个数在";
            line += EditText(context, kOddLo);
            line += "-";
            line += EditText(context, kOddHi);
            line += "之间的号码....";
            return line;
        };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("奇数：排除", removed, "注....OK");
        };
        info.Make = MakeRule<RangeRule<kOddLo, kOddHi, kOddCount>>;
        info.EditDefaults = Defaults({kOddLo, kOddHi});
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = Entry(38, "CheckBox39", "留下大号在", "Label44", true);
        info.StartLine = [](const FilterContext& context) {
            std::string line = "正在留下大数个数在";
            line += EditText(context, kBigLo);
            line += "-";
            line += EditText(context, kBigHi);
            line += "之间的号码....";
            return line;
        };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("大小数：排除", removed, "注....OK");
        };
        info.Make = MakeRule<RangeRule<kBigLo, kBigHi, kBigCount>>;
        info.EditDefaults = Defaults({kBigLo, kBigHi});
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = Entry(44, "TeCheckBox11", "设置三区和", "Label57", false);
        info.StartLine = [](const FilterContext&) { return std::string("正在进行三区和过滤....."); };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("三区和过滤，排除注数", removed, "....OK");
        };
        info.Make = MakeRule<ZoneRule<true>>;
        info.EditDefaults =
            Defaults({kZoneSums[0], kZoneSums[1], kZoneSums[2], kZoneSums[3], kZoneSums[4], kZoneSums[5]});
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = Entry(45, "TeCheckBox13", "设置三区比", "Label77", false);
        info.StartLine = [](const FilterContext&) { return std::string("正在进行三区比过滤....."); };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("三区比过滤，排除注数", removed, "....OK");
        };
        info.Make = MakeRule<ZoneRule<false>>;
        info.EditDefaults = Defaults(
            {kZoneCounts[0], kZoneCounts[1], kZoneCounts[2], kZoneCounts[3], kZoneCounts[4], kZoneCounts[5]});
        catalogue.push_back(std::move(info));
    }
}

} // namespace qv
