// The two groups "概率估计": the tails 2689 and 2378, the repeat of past draws (page
// "公式"), and the tolerances of the spiral ranges, the kill numbers, the long-omission
// numbers and the neighbour pairs of past draws (page "条件").

#include "filters/FilterRule.h"
#include "filters/MagicValueProbability.h"
#include "history/AppPaths.h"

#include <bit>
#include <climits>
#include <memory>
#include <optional>
#include <unordered_map>

namespace qv {

namespace {

constexpr EditField kSpiralLo{"TeSEdit9", "2"};
constexpr EditField kSpiralHi{"TeSEdit6", "6"};
constexpr EditField kLongOmissionLo{"TeSEdit12", "1"};
constexpr EditField kLongOmissionHi{"TeSEdit13", "3"};
constexpr EditField kNeighbourLimit{"edit19", "0"};
constexpr EditField kKillLo{"TeSEdit7", "0"};
constexpr EditField kKillHi{"TeSEdit8", "2"};

// A number has tail d when the first d in its text is its second character ("22" has
// none).
bool HasTailAmong(std::string_view number, std::string_view digits)
{
    for (char d : digits)
        if (number.find(d) == 1)
            return true;
    return false;
}

std::uint64_t TailMask(std::string_view digits)
{
    std::uint64_t mask = 0;
    for (int n = 1; n <= 33; ++n)
        if (HasTailAmong(TwoDigits(n), digits))
            mask |= std::uint64_t{1} << (n - 1);
    return mask;
}

// 排除没有2689尾 / 排除没有2378尾: a line none of whose six numbers has one of the tails goes.
template <const char* Digits> class TailRule : public FilterRule
{
public:
    bool Removes(const BasketLine& line) override
    {
        if (line.IsCombo)
            return (line.Mask & m_mask) == 0;
        const LineFields fields(line.Text);
        bool any = false;
        for (int k = 1; k <= 6; ++k)
            any = HasTailAmong(fields.Field(k), Digits) || any;
        return !any;
    }

private:
    std::uint64_t m_mask = TailMask(Digits);
};

constexpr char kTails2689[] = "2689";
constexpr char kTails2378[] = "2378";

// The bounds of a tolerance, converted when the first line is judged rather than when the
// pass begins.
class LazyRange
{
public:
    void Read(const FilterContext& context, const EditField& lo, const EditField& hi)
    {
        m_loText = EditText(context, lo);
        m_hiText = EditText(context, hi);
        m_loField = lo.Name;
        m_hiField = hi.Name;
    }
    bool Outside(int value)
    {
        if (!m_ready) {
            m_lo = ParameterInt(m_loField, m_loText);
            m_hi = ParameterInt(m_hiField, m_hiText);
            m_ready = true;
        }
        return value < m_lo || value > m_hi;
    }

private:
    std::string m_loText;
    std::string m_hiText;
    const char* m_loField = "";
    const char* m_hiField = "";
    bool m_ready = false;
    int m_lo = 0;
    int m_hi = 0;
};

// Position k of the line lies strictly between the bounds of the spiral row k.
bool InSpiralRange(int position, int value)
{
    static constexpr int kLower[6] = {INT_MIN, 5, 9, 17, 21, 25};
    static constexpr int kUpper[6] = {8, 12, 16, 24, 28, 33};
    return value > kLower[position - 1] && value < kUpper[position - 1];
}

// 螺旋体第1算法容对条件.
class SpiralRule : public FilterRule
{
public:
    void Prepare(FilterContext& context) override { m_range.Read(context, kSpiralLo, kSpiralHi); }
    bool Removes(const BasketLine& line) override
    {
        int inRange = 0;
        if (line.IsCombo) {
            for (int k = 1; k <= 6; ++k)
                inRange += InSpiralRange(k, line.Reds[k - 1]);
        } else {
            const LineFields fields(line.Text);
            for (int k = 1; k <= 6; ++k)
                inRange += InSpiralRange(k, fields.Number(k));
        }
        return m_range.Outside(inRange);
    }

private:
    LazyRange m_range;
};

// 杀号过滤容错 and 大遗漏值容对条件: the hits of a list of the prediction within lo..hi.
template <bool Kill> class PredictionListRule : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        const auto& prediction = context.Prediction;
        if (Kill) {
            m_range.Read(context, kKillLo, kKillHi);
            m_hits = HitList(prediction.KillNumbers);
        } else {
            m_range.Read(context, kLongOmissionLo, kLongOmissionHi);
            m_hits = HitList(prediction.LongOmissionNumbers);
        }
    }
    bool Removes(const BasketLine& line) override { return m_range.Outside(m_hits.Count(line)); }

private:
    LazyRange m_range;
    HitList m_hits;
};

// The count of a table entry: the text after its first comma (the whole entry when it has
// none), read as an integer when a rule needs it.
std::string_view CountText(std::string_view entry)
{
    const auto comma = entry.find(',');
    return comma == std::string_view::npos ? entry : entry.substr(comma + 1);
}

// "dd dd": two two-digit texts and a blank, the form of every pair of a normal history.
bool IsDigitPair(std::string_view pair)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return pair.size() == 5 && digit(pair[0]) && digit(pair[1]) && pair[2] == ' ' && digit(pair[3]) &&
           digit(pair[4]);
}

int DigitPairKey(std::string_view pair)
{
    return ((pair[0] - '0') * 10 + (pair[1] - '0')) * 100 + (pair[3] - '0') * 10 + (pair[4] - '0');
}

// Keeps the table while it is built. As long as every pair is of the form "dd dd", an
// entry "dd dd,c" contains a pair exactly when it begins with it (the pair's blank can only
// stand on the entry's one blank), so a look-up by key finds the same entry as the search
// from the top. The first pair of any other form turns the table into its literal list.
class PairTableBuilder
{
public:
    void Count(const std::string& pair)
    {
        if (!m_literal && IsDigitPair(pair)) {
            const int key = DigitPairKey(pair);
            int count = 0;
            if (m_indexOf[key] >= 0) {
                auto& entry = m_entries[m_indexOf[key]];
                entry.Alive = false;
                count = entry.Count;
            }
            m_indexOf[key] = static_cast<int>(m_entries.size());
            m_entries.push_back({pair, count + 1, true});
            return;
        }
        if (!m_literal) {
            m_table = Table();
            m_literal = true;
        }
        for (std::size_t i = 0; i < m_table.size(); ++i) {
            if (!Contains(m_table[i], pair))
                continue;
            const int count = StrToInt(CountText(m_table[i]));
            m_table.erase(m_table.begin() + static_cast<std::ptrdiff_t>(i));
            m_table.push_back(pair + "," + std::to_string(count + 1));
            return;
        }
        m_table.push_back(pair + ",1");
    }

    Lines Table() const
    {
        if (m_literal)
            return m_table;
        Lines table{"  "};
        for (const auto& entry : m_entries)
            if (entry.Alive)
                table.push_back(entry.Pair + "," + std::to_string(entry.Count));
        return table;
    }

private:
    struct Entry
    {
        std::string Pair;
        int Count = 0;
        bool Alive = false;
    };
    std::vector<Entry> m_entries;
    std::vector<int> m_indexOf = std::vector<int>(10000, -1);
    bool m_literal = false;
    Lines m_table;
};

// 排除历史出现邻号出现次数<=: every neighbour pair of the line must have stood together in
// more than L past draws. The limit is converted at the first pair found in the table.
class NeighbourPairRule : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        m_limitText = EditText(context, kNeighbourLimit);
        m_table = BuildNeighbourPairTable(context.RedHistory);

        // Where each pair of two numbers 01..33 is first found, for the RedCombo lines.
        m_entryOf.fill(-1);
        for (std::size_t e = 0; e < m_table.size(); ++e) {
            const std::string_view entry = m_table[e];
            for (std::size_t i = 0; i + 5 <= entry.size(); ++i) {
                const auto pair = entry.substr(i, 5);
                if (!IsDigitPair(pair))
                    continue;
                const int a = (pair[0] - '0') * 10 + (pair[1] - '0');
                const int b = (pair[3] - '0') * 10 + (pair[4] - '0');
                if (a >= 1 && a <= 33 && b >= 1 && b <= 33 && m_entryOf[a * 34 + b] < 0)
                    m_entryOf[a * 34 + b] = static_cast<int>(e);
            }
        }
        m_counts.resize(m_table.size());
        for (std::size_t e = 0; e < m_table.size(); ++e) {
            int count = 0;
            m_counts[e] = TryStrToInt(CountText(m_table[e]), count) ? count : kBadCount;
        }
    }

    // The table as "Red/Redlm.txt" shows it to the player.
    std::optional<RuleFile> File() const override { return RuleFile{files::kRedLM, m_table}; }

    bool Removes(const BasketLine& line) override
    {
        if (line.IsCombo) {
            for (int k = 0; k < 5; ++k) {
                const int e = m_entryOf[line.Reds[k] * 34 + line.Reds[k + 1]];
                if (e < 0 || RareEnough(static_cast<std::size_t>(e)))
                    return true;
            }
            return false;
        }
        const LineFields fields(line.Text);
        for (int k = 1; k <= 5; ++k) {
            std::string pair(fields.Field(k));
            pair += ' ';
            pair += fields.Field(k + 1);
            const std::size_t e = FirstEntryHolding(std::move(pair));
            if (e == m_table.size() || RareEnough(e))
                return true;
        }
        return false;
    }

private:
    static constexpr int kBadCount = INT_MIN;

    // The first entry that contains pair, or the table's size; remembered per pair text, so
    // a basket of lines of other forms searches the table once per distinct pair.
    std::size_t FirstEntryHolding(std::string pair)
    {
        const auto known = m_entryOfText.find(pair);
        if (known != m_entryOfText.end())
            return known->second;
        std::size_t e = 0;
        while (e < m_table.size() && !Contains(m_table[e], pair))
            ++e;
        m_entryOfText.emplace(std::move(pair), e);
        return e;
    }

    bool RareEnough(std::size_t entry)
    {
        const int count =
            m_counts[entry] == kBadCount ? StrToInt(CountText(m_table[entry])) : m_counts[entry];
        if (!m_limit)
            m_limit = ParameterInt(kNeighbourLimit.Name, m_limitText);
        return count <= *m_limit;
    }

    std::string m_limitText;
    std::optional<int> m_limit;
    Lines m_table;
    std::array<int, 34 * 34> m_entryOf{};
    std::vector<int> m_counts;
    std::unordered_map<std::string, std::size_t> m_entryOfText;
};

// Binomial coefficients C(n, k) for n < 34, k <= 6: the rank of a six-number combination.
struct Binomials
{
    std::array<std::array<std::uint32_t, 7>, 34> C{};
    Binomials()
    {
        for (int n = 0; n < 34; ++n) {
            C[n][0] = 1;
            for (int k = 1; k <= 6 && k <= n; ++k)
                C[n][k] = C[n - 1][k - 1] + (k <= n - 1 ? C[n - 1][k] : 0);
        }
    }
};
const Binomials kBinomials;
constexpr std::uint32_t kCombinations = 1107568; // C(33, 6)

std::uint32_t RankOf(const std::array<std::uint8_t, 6>& reds)
{
    std::uint32_t rank = 0;
    for (int i = 0; i < 6; ++i)
        rank += kBinomials.C[reds[i] - 1][i + 1];
    return rank;
}

// A past draw whose items are six distinct numbers "01".."33" (in any order), as a mask;
// zero for a draw of any other form.
std::uint64_t SixNumberMask(std::string_view draw)
{
    std::uint64_t mask = 0;
    int items = 0;
    for (std::string_view item : SplitFieldViews(draw)) {
        if (item.empty())
            continue;
        int n = 0;
        if (item.size() != 2 || !TryStrToInt(item, n) || n < 1 || n > 33)
            return 0;
        const std::uint64_t bit = std::uint64_t{1} << (n - 1);
        if (mask & bit)
            return 0;
        mask |= bit;
        ++items;
    }
    return items == 6 ? mask : 0;
}

std::uint32_t RankOfMask(std::uint64_t mask)
{
    std::uint32_t rank = 0;
    for (int i = 1; mask != 0; ++i, mask &= mask - 1)
        rank += kBinomials.C[std::countr_zero(mask)][i];
    return rank;
}

// 排除历史重复: a line sharing five or six numbers with some past draw goes. Every draw of
// six numbers marks, once per pass, all combinations that hold five of them, so a RedCombo
// line is judged by one look-up of its rank. A line of any other form holds a number's text
// exactly when it holds those two digits, so a draw's hits on it are the draw's numbers
// among the two-digit numbers found in it; the draws of other forms are counted item by
// item.
class HistoryRepeatRule : public FilterRule
{
public:
    void Prepare(FilterContext& context) override
    {
        m_marked.assign((kCombinations + 63) / 64, 0);
        for (const auto& draw : context.RedHistory) {
            if (draw.empty())
                continue; // an empty line holds no item
            const std::uint64_t mask = SixNumberMask(draw);
            if (mask != 0) {
                m_drawMasks.push_back(mask);
                MarkNeighbours(mask);
            } else {
                m_otherDraws.emplace_back(draw);
            }
        }
    }

    bool Removes(const BasketLine& line) override
    {
        if (line.IsCombo) {
            if (Marked(RankOf(line.Reds)))
                return true;
            for (const auto& draw : m_otherDraws)
                if (draw.Count(line) >= 5)
                    return true;
            return false;
        }
        if (SharesFiveWithADraw(TwoDigitNumbersIn(line.Text)))
            return true;
        for (const auto& draw : m_otherDraws)
            if (draw.Count(line.Text) >= 5)
                return true;
        return false;
    }

private:
    bool Marked(std::uint32_t rank) const { return m_marked[rank >> 6] >> (rank & 63) & 1; }

    // Some six-number draw has five numbers among found. With six to ten numbers found, that
    // is some six of them forming a marked combination; otherwise every draw is compared.
    bool SharesFiveWithADraw(std::uint64_t found) const
    {
        const int count = std::popcount(found);
        if (count < 5)
            return false;
        if (count >= 6 && count <= 10) {
            std::array<int, 10> numbers{};
            int size = 0;
            for (std::uint64_t rest = found; rest != 0; rest &= rest - 1)
                numbers[size++] = std::countr_zero(rest);
            // Every choice of six of the found numbers, as index sets in ascending order.
            std::array<int, 6> pick{0, 1, 2, 3, 4, 5};
            for (;;) {
                std::uint64_t six = 0;
                for (int p : pick)
                    six |= std::uint64_t{1} << numbers[p];
                if (Marked(RankOfMask(six)))
                    return true;
                int i = 5;
                while (i >= 0 && pick[i] == size - 6 + i)
                    --i;
                if (i < 0)
                    return false;
                ++pick[i];
                for (int j = i + 1; j < 6; ++j)
                    pick[j] = pick[j - 1] + 1;
            }
        }
        for (std::uint64_t draw : m_drawMasks)
            if (std::popcount(draw & found) >= 5)
                return true;
        return false;
    }

    // Marks every combination made of five numbers of the draw and one other number.
    void MarkNeighbours(std::uint64_t draw)
    {
        const auto& c = kBinomials.C;
        for (std::uint64_t left = draw; left != 0; left &= left - 1) {
            const std::uint64_t fiveMask = draw & ~(left & -left);
            std::array<int, 5> five{};
            int j = 0;
            for (std::uint64_t rest = fiveMask; rest != 0; rest &= rest - 1)
                five[j++] = std::countr_zero(rest) + 1;
            // before[j]: rank share of the j smallest at their own places; after[j]: share
            // of the others shifted one place up by a number inserted below them.
            std::array<std::uint32_t, 6> before{};
            std::array<std::uint32_t, 6> after{};
            for (j = 0; j < 5; ++j)
                before[j + 1] = before[j] + c[five[j] - 1][j + 1];
            for (j = 4; j >= 0; --j)
                after[j] = after[j + 1] + c[five[j] - 1][j + 2];
            int below = 0;
            for (int x = 1; x <= 33; ++x) {
                if (below < 5 && five[below] == x) {
                    ++below;
                    continue;
                }
                const std::uint32_t rank = before[below] + c[x - 1][below + 1] + after[below];
                m_marked[rank >> 6] |= std::uint64_t{1} << (rank & 63);
            }
        }
    }

    std::vector<std::uint64_t> m_marked;
    std::vector<std::uint64_t> m_drawMasks;
    std::vector<HitList> m_otherDraws;
};

} // namespace

Lines BuildNeighbourPairTable(const Lines& redHistory)
{
    std::vector<std::vector<std::string_view>> draws;
    draws.reserve(redHistory.size());
    for (const auto& draw : redHistory)
        draws.push_back(SplitFieldViews(draw));

    PairTableBuilder builder;
    for (int n = 1; n <= 33; ++n) {
        const std::string number = TwoDigits(n);
        for (std::size_t d = 0; d < redHistory.size(); ++d) {
            if (!Contains(redHistory[d], number))
                continue;
            const auto& fields = draws[d];
            for (std::size_t k = 0; k < 5; ++k) {
                if (FieldAt(fields, k) != number)
                    continue;
                std::string pair(number);
                pair += ' ';
                pair += FieldAt(fields, k + 1);
                builder.Count(pair);
                break;
            }
        }
    }
    return builder.Table();
}

void AddProbabilityFilters(std::vector<FilterInfo>& catalogue)
{
    const auto entry = [](int order, const char* checkBox, const char* caption, const char* counter,
                          bool checked) {
        FilterInfo info;
        info.Order = order;
        info.CheckBox = checkBox;
        info.Caption = caption;
        info.Counter = counter;
        info.Default = checked;
        return info;
    };
    {
        FilterInfo info = entry(16, "CheckBox18", "排除没有2689尾", "Label17", true);
        info.StartLine = [](const FilterContext&) { return std::string("正在排除没有2689的号码....."); };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("排除没有2689的号码：", removed, "注....OK");
        };
        info.Make = MakeRule<TailRule<kTails2689>>;
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = entry(17, "TeCheckBox14", "排除没有2378尾", "Label96", true);
        info.StartLine = [](const FilterContext&) { return std::string("正在排除没有2378的号码....."); };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("排除没有2378的号码：", removed, "注....OK");
        };
        info.Make = MakeRule<TailRule<kTails2378>>;
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = entry(41, "TeCheckBox2", "螺旋体第1算法容对条件", "Label52", true);
        info.StartLine = [](const FilterContext&) { return std::string("正在进行螺旋体第1算法....."); };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("螺旋体第1算法，排除注数", removed, "....OK");
        };
        info.Make = MakeRule<SpiralRule>;
        info.EditDefaults = {{kSpiralLo.Name, kSpiralLo.Default}, {kSpiralHi.Name, kSpiralHi.Default}};
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = entry(42, "TeCheckBox9", "杀号过滤容错", "Label53", true);
        info.StartLine = [](const FilterContext& context) {
            std::string line = "正在进行杀号过滤.....";
            line += context.Prediction.KillNumbers;
            return line;
        };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("杀号过滤，排除注数", removed, "....OK");
        };
        info.Make = MakeRule<PredictionListRule<true>>;
        info.EditDefaults = {{kKillLo.Name, kKillLo.Default}, {kKillHi.Name, kKillHi.Default}};
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = entry(43, "TeCheckBox12", "大遗漏值容对条件", "Label60", true);
        info.StartLine = [](const FilterContext& context) {
            std::string line = "正在进行大遗漏值过滤.....";
            line += context.Prediction.LongOmissionNumbers;
            return line;
        };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("大遗漏值过滤，排除注数", removed, "....OK");
        };
        info.Make = MakeRule<PredictionListRule<false>>;
        info.EditDefaults = {{kLongOmissionLo.Name, kLongOmissionLo.Default},
                             {kLongOmissionHi.Name, kLongOmissionHi.Default}};
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = entry(46, "CheckBox45", "排除历史出现邻号出现次数<=", "Label48", false);
        info.StartLine = [](const FilterContext&) { return std::string("正在进行历史邻号运算....."); };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("排除历史邻号，排除注数", removed, "....OK");
        };
        info.Make = MakeRule<NeighbourPairRule>;
        info.EditDefaults = {{kNeighbourLimit.Name, kNeighbourLimit.Default}};
        catalogue.push_back(std::move(info));
    }
    {
        FilterInfo info = entry(47, "CheckBox42", "排除历史重复", "Label46", true);
        info.StartLine = [](const FilterContext&) { return std::string("正在排除历史出号....."); };
        info.ClosingLine = [](const FilterContext&, long long removed) {
            return CountLine("排除历史出号：", removed, "注....OK");
        };
        info.Make = MakeRule<HistoryRepeatRule>;
        catalogue.push_back(std::move(info));
    }
}

} // namespace qv
