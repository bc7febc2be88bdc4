// The group "神奇公式" of the page "公式": fixed number arrangements (roulette, trigrams,
// the 7 x 5 grid, position ranges), the golden-section orderings of the newest 12 draws
// and the region-edge numbers of the prediction.

#include "filters/FilterRule.h"
#include "filters/MagicValueProbability.h"

#include <algorithm>
#include <bit>
#include <memory>

namespace qv {

namespace {

constexpr const char* kRouletteRows[8] = {
    "18 15 32 01 11 22 05 28", "14 19 02 31 27 06 23 10", "30 03 20 13 07 26 09 24",
    "04 29 12 21 17 16 25 08", "01 31 13 21 11 27 07 17", "32 02 20 12 22 06 26 16",
    "15 19 03 29 05 23 09 25", "18 14 30 04 28 10 24 08",
};

constexpr const char* kTrigramGroups[8] = {
    "01 10 19 28", "02 11 20 29", "03 12 21 30", "04 13 22 31",
    "05 14 23 32", "06 15 24 25", "07 16 17 26", "08 09 18 27",
};

constexpr const char* kGridRows[7] = {
    "01 02 03 04 05", "06 07 08 09 10", "11 12 13 14 15", "16 17 18 19 20",
    "21 22 23 24 25", "26 27 28 29 30", "31 32 33",
};

constexpr const char* kGridColumns[5] = {
    "01 06 11 16 21 26 31", "02 07 12 17 22 27 32", "03 08 13 18 23 28 33",
    "04 09 14 19 24 29",    "05 10 15 20 25 30",
};

// The numbers around which 黄金分割第2算法 opens its windows.
constexpr const char* kGoldenCentres[5] = {"06", "13", "16", "20", "27"};

// Out of range at position k (1..6) for the sorting method.
bool OutOfSortRange(int position, int value)
{
    switch (position) {
    case 1:
        return value > 9;
    case 2:
        return value < 3 || value > 15;
    case 3:
        return value < 7 || value > 21;
    case 4:
        return value < 13 || value > 27;
    case 5:
        return value < 19 || value > 31;
    default:
        return value < 25 || value > 33;
    }
}

// The number of ones in a byte, without relying on a population-count instruction.
constexpr std::array<std::uint8_t, 256> kBitsIn = [] {
    std::array<std::uint8_t, 256> bits{};
    for (int i = 1; i < 256; ++i)
        bits[i] = static_cast<std::uint8_t>(bits[i / 2] + (i & 1));
    return bits;
}();

// A list of groups of two-digit numbers: the line is removed when one group has at least
// Threshold hits in it.
struct NumberGroup
{
    std::string Text;
    std::uint64_t Mask = 0;
};

NumberGroup MakeGroup(std::string text)
{
    NumberGroup group;
    group.Mask = MaskOfNumbers(text);
    group.Text = std::move(text);
    return group;
}

// Up to sixteen groups: on a RedCombo the hits of group g are counted in the four bits
// 4g..4g+3 of one word, each number adding its groups' ones (no count exceeds 6), and the
// bias makes bit 3 of a nibble the test "count >= threshold".
class GroupHitRule : public FilterRule
{
public:
    GroupHitRule() = default;
    GroupHitRule(std::vector<NumberGroup> groups, int threshold) { Use(std::move(groups), threshold); }

    bool Removes(const BasketLine& line) override
    {
        if (line.IsCombo) {
            std::uint64_t counts = m_bias;
            for (std::uint8_t n : line.Reds)
                counts += m_groupsOf[n];
            return (counts & kNibbleHighBits) != 0;
        }
        // The groups hold distinct two-digit numbers: a group's hits on any text are its
        // numbers whose two digits stand in the text.
        const std::uint64_t found = TwoDigitNumbersIn(line.Text);
        for (const auto& group : m_groups)
            if (std::popcount(group.Mask & found) >= m_threshold)
                return true;
        return false;
    }

protected:
    void Use(std::vector<NumberGroup> groups, int threshold)
    {
        m_groups = std::move(groups);
        m_threshold = threshold;
        m_groupsOf.fill(0);
        m_bias = 0;
        for (std::size_t g = 0; g < m_groups.size(); ++g) {
            for (int n = 1; n <= 33; ++n)
                if (m_groups[g].Mask >> (n - 1) & 1)
                    m_groupsOf[n] |= std::uint64_t{1} << (4 * g);
            m_bias |= static_cast<std::uint64_t>(8 - threshold) << (4 * g);
        }
    }

private:
    static constexpr std::uint64_t kNibbleHighBits = 0x8888888888888888ULL;

    std::vector<NumberGroup> m_groups;
    int m_threshold = 0;
    std::array<std::uint64_t, 34> m_groupsOf{};
    std::uint64_t m_bias = 0;
};

std::vector<NumberGroup> GroupsOf(const char* const* texts, std::size_t count)
{
    std::vector<NumberGroup> groups;
    for (std::size_t i = 0; i < count; ++i)
        groups.push_back(MakeGroup(texts[i]));
    return groups;
}

// The sixteen groups of 轮盘算法2: row r of 1-4 followed by the numbers of row c of 5-8
// that row r lacks, in row c's order.
std::vector<NumberGroup> RouletteGroups()
{
    std::vector<NumberGroup> groups;
    for (int r = 0; r < 4; ++r) {
        for (int c = 4; c < 8; ++c) {
            std::string text = kRouletteRows[r];
            for (std::string_view number : SplitFieldViews(kRouletteRows[c]))
                if (!Contains(kRouletteRows[r], number)) {
                    text += ' ';
                    text += number;
                }
            groups.push_back(MakeGroup(std::move(text)));
        }
    }
    return groups;
}

// 排除区域分析号码: a line without any region-edge number goes.
class RegionEdgeRule : public FilterRule
{
public:
    void Prepare(FilterContext& context) override { m_hits = HitList(context.Prediction.RegionEdgeNumbers); }
    bool Removes(const BasketLine& line) override { return m_hits.Count(line) == 0; }

private:
    HitList m_hits;
};

// 7行5列过滤法: counts the rows and columns of the grid that none of the line's numbers
// touches.
class GridRule : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        for (int row = 0; row < 7; ++row)
            for (std::string_view number : SplitFieldViews(kGridRows[row]))
                m_rowOf[StrToInt(number)] = static_cast<std::uint8_t>(row);
        for (int column = 0; column < 5; ++column)
            for (std::string_view number : SplitFieldViews(kGridColumns[column]))
                m_columnOf[StrToInt(number)] = static_cast<std::uint8_t>(column);
        LogStep(context.Log, "正在进行7行5列运算.....");
    }

    bool Removes(const BasketLine& line) override
    {
        unsigned rows = 0;
        unsigned columns = 0;
        if (line.IsCombo) {
            for (std::uint8_t n : line.Reds) {
                rows |= 1u << m_rowOf[n];
                columns |= 1u << m_columnOf[n];
            }
        } else {
            const LineFields fields(line.Text);
            std::array<std::string_view, 6> numbers;
            for (std::size_t k = 0; k < 6; ++k)
                numbers[k] = fields.Field(k + 1);
            for (std::string_view number : numbers) {
                int n = 0;
                if (number.size() == 2 && TryStrToInt(number, n) && number[0] != '+' && number[0] != '-') {
                    // Two digits stand in a row's text only as one of its numbers.
                    if (n >= 1 && n <= 33) {
                        rows |= 1u << m_rowOf[n];
                        columns |= 1u << m_columnOf[n];
                    }
                    continue;
                }
                if (number.empty())
                    continue;
                for (int row = 0; row < 7; ++row)
                    if (Contains(kGridRows[row], number))
                        rows |= 1u << row;
                for (int column = 0; column < 5; ++column)
                    if (Contains(kGridColumns[column], number))
                        columns |= 1u << column;
            }
        }
        const int emptyRows = 7 - kBitsIn[rows];
        const int emptyColumns = 5 - kBitsIn[columns];
        return emptyRows >= 5 || emptyColumns >= 4 || (emptyRows == 1 && emptyColumns == 0);
    }

private:
    std::array<std::uint8_t, 34> m_rowOf{};
    std::array<std::uint8_t, 34> m_columnOf{};
};

// 黄金分割第1算法: the golden ordering in three thirds; five hits in one third remove.
class GoldenThirdsRule : public GroupHitRule
{
public:
    void Prepare(FilterContext& context) override
    {
        const auto order = BuildGoldenOrder(context.RedHistory);
        std::vector<NumberGroup> thirds;
        for (std::size_t start = 0; start < 33; start += 11) {
            std::vector<std::string> third(order.begin() + start, order.begin() + start + 11);
            thirds.push_back(MakeGroup(Join(third, " ")));
        }
        Use(std::move(thirds), 5);
    }
};

// 黄金分割第2算法: the hits of the line summed over the five windows; two or fewer remove.
class GoldenWindowsRule : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        const auto order = BuildGoldenOrder(context.RedHistory);
        std::string start = "正在进行黄金算法2.....";
        start += Join(order, " ");
        LogStep(context.Log, start);
        for (auto& text : GoldenWindows(order)) {
            m_windows.push_back(MakeGroup(std::move(text)));
            for (int n = 1; n <= 33; ++n)
                m_windowsHolding[n] += m_windows.back().Mask >> (n - 1) & 1;
        }
    }

    bool Removes(const BasketLine& line) override
    {
        int hits = 0;
        if (line.IsCombo) {
            for (std::uint8_t n : line.Reds)
                hits += m_windowsHolding[n];
        } else {
            const std::uint64_t found = TwoDigitNumbersIn(line.Text);
            for (const auto& window : m_windows)
                hits += std::popcount(window.Mask & found);
        }
        return hits <= 2;
    }

private:
    std::vector<NumberGroup> m_windows;
    std::array<int, 34> m_windowsHolding{}; // how many windows hold the number
};

// 排序法: five or six positions out of their ranges remove.
class SortRangeRule : public FilterRule
{
public:
    bool Removes(const BasketLine& line) override
    {
        int outside = 0;
        if (line.IsCombo) {
            for (int k = 1; k <= 6; ++k)
                outside += OutOfSortRange(k, line.Reds[k - 1]);
        } else {
            const LineFields fields(line.Text);
            for (int k = 1; k <= 6; ++k)
                outside += OutOfSortRange(k, fields.Number(k));
        }
        return outside >= 5;
    }
};

} // namespace

std::uint64_t MaskOfNumbers(std::string_view text)
{
    std::uint64_t mask = 0;
    for (std::string_view item : SplitFieldViews(text)) {
        int n = 0;
        if (item.size() == 2 && TryStrToInt(item, n) && n >= 1 && n <= 33)
            mask |= std::uint64_t{1} << (n - 1);
    }
    return mask;
}

std::uint64_t TwoDigitNumbersIn(std::string_view text)
{
    std::uint64_t mask = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const char tens = text[i];
        const char ones = text[i + 1];
        if (tens < '0' || tens > '3' || ones < '0' || ones > '9')
            continue;
        const int n = (tens - '0') * 10 + (ones - '0');
        if (n >= 1 && n <= 33)
            mask |= std::uint64_t{1} << (n - 1);
    }
    return mask;
}

std::vector<std::string> BuildGoldenOrder(const Lines& redHistory)
{
    const std::size_t newest = std::min<std::size_t>(12, redHistory.size());
    std::vector<std::string> keyed;
    for (int n = 1; n <= 33; ++n) {
        const std::string number = TwoDigits(n);
        int count = 0;
        for (std::size_t i = 0; i < newest; ++i)
            count += Contains(redHistory[i], number);
        std::string key = std::to_string(count);
        key += ',';
        key += number;
        keyed.push_back(std::move(key));
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> order;
    for (const auto& key : keyed)
        order.push_back(key.substr(key.find(',') + 1));
    return order;
}

std::vector<std::string> GoldenWindows(const std::vector<std::string>& goldenOrder)
{
    const int size = static_cast<int>(goldenOrder.size());
    std::vector<std::string> windows;
    for (int p = 0; p < size; ++p) {
        if (std::find(std::begin(kGoldenCentres), std::end(kGoldenCentres), goldenOrder[p]) ==
            std::end(kGoldenCentres))
            continue;
        std::string window;
        for (int offset = -2; offset <= 2; ++offset) {
            if (!window.empty())
                window += ' ';
            window += goldenOrder[((p + offset) % size + size) % size];
        }
        windows.push_back(std::move(window));
    }
    return windows;
}

void AddMagicFilters(std::vector<FilterInfo>& catalogue)
{
    {
        FilterInfo info;
        info.Order = 14;
        info.CheckBox = "CheckBox15";
        info.Caption = "排除区域分析号码";
        info.Counter = "Label14";
        info.Default = true;
        info.StartLine = [](const FilterContext& context) {
            std::string line = "正在排除区域分析法号码.....";
            line += context.Prediction.RegionEdgeNumbers;
            return line;
        };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("排除区域分析法号码：", removed, "注....OK");
        };
        info.Make = MakeRule<RegionEdgeRule>;
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info;
        info.Order = 22;
        info.CheckBox = "CheckBox22";
        info.Caption = "八卦阵排除法";
        info.Counter = "Label21";
        info.Default = true;
        info.StartLine = [](const FilterContext&) { return std::string("正在进行八卦排除法....."); };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("通过八卦排除法共排除：", removed, "注....OK");
        };
        info.Make = []() -> std::unique_ptr<FilterRule> {
            return std::make_unique<GroupHitRule>(GroupsOf(kTrigramGroups, 8), 4);
        };
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info;
        info.Order = 24;
        info.CheckBox = "CheckBox24";
        info.Caption = "衡值轮盘过滤第1算法";
        info.Counter = "Label23";
        info.Default = true;
        info.StartLine = [](const FilterContext&) { return std::string("正在进行轮盘算法1....."); };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("通过轮盘算法1 共排除：", removed, "注....OK");
        };
        info.Make = []() -> std::unique_ptr<FilterRule> {
            return std::make_unique<GroupHitRule>(GroupsOf(kRouletteRows, 8), 5);
        };
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info;
        info.Order = 25;
        info.CheckBox = "CheckBox25";
        info.Caption = "衡值轮盘过滤第2算法";
        info.Counter = "Label24";
        info.Default = false;
        info.StartLine = [](const FilterContext&) { return std::string("正在进行轮盘算法2....."); };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("通过轮盘算法2 共排除：", removed, "注....OK");
        };
        info.Make = []() -> std::unique_ptr<FilterRule> {
            return std::make_unique<GroupHitRule>(RouletteGroups(), 6);
        };
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info;
        info.Order = 32;
        info.CheckBox = "CheckBox32";
        info.Caption = "7行5列过滤法";
        info.Counter = "Label33";
        info.Default = false;
        info.StartLine = nullptr; // written by the preparation, once the basket holds lines
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("通过7行5列 共排除：", removed, "注....OK");
        };
        info.Make = MakeRule<GridRule>;
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info;
        info.Order = 33;
        info.CheckBox = "CheckBox33";
        info.Caption = "黄金分割第1算法";
        info.Counter = "Label28";
        info.Default = true;
        info.StartLine = [](const FilterContext&) { return std::string("正在进行黄金算法1....."); };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("通过黄金算法1 共排除：", removed, "注....OK");
        };
        info.Make = MakeRule<GoldenThirdsRule>;
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info;
        info.Order = 34;
        info.CheckBox = "CheckBox34";
        info.Caption = "黄金分割第2算法";
        info.Counter = "Label34";
        info.Default = false;
        info.StartLine = nullptr; // written by the preparation, with the golden ordering
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("通过黄金算法2 共排除：", removed, "注....OK");
        };
        info.Make = MakeRule<GoldenWindowsRule>;
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info;
        info.Order = 39;
        info.CheckBox = "CheckBox43";
        info.Caption = "排序法";
        info.Counter = "Label47";
        info.Default = true;
        info.StartLine = [](const FilterContext&) { return std::string("正在进行排序法运算....."); };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("排除法运算，排除注数", removed, "....OK");
        };
        info.Make = MakeRule<SortRangeRule>;
        catalogue.push_back(std::move(info));
    }
}

} // namespace qv
