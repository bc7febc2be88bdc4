#include "selection/Basket.h"

#include "core/Error.h"
#include "history/AppPaths.h"
#include "history/Gbk.h"
#include "history/TextFile.h"
#include "selection/BetForm.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <unordered_set>

namespace qv {

namespace {

// The basket is sorted as text, but nearly every line is a RedCombo: six two-digit numbers
// 01..33, ascending. Those texts sort exactly like their number tuples, so they are kept as
// one byte per combination (indexed by colex rank) and written out in order without any
// sorting. Six two-digit numbers that do not ascend (a typed "07 03 01 02 04 05") still
// sort like their tuples and are kept as packed integers. Everything else keeps its text.
// The three streams are merged by the text comparison at the end; a RedCombo text can only
// equal another RedCombo text, so no repeat crosses the streams.

constexpr int kReds = 33;
constexpr std::uint64_t kAllCombos = 1'107'568;
constexpr std::size_t kComboBytes = 19; // 17 characters and CR LF
constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();

struct BinomialTable
{
    std::uint32_t Value[kReds + 1][7] = {};
    constexpr BinomialTable()
    {
        for (int n = 0; n <= kReds; ++n) {
            Value[n][0] = 1;
            for (int k = 1; k <= 6; ++k)
                Value[n][k] = n == 0 ? 0 : Value[n - 1][k - 1] + Value[n - 1][k];
        }
    }
};
constexpr BinomialTable kBinomial;
static_assert(kBinomial.Value[33][6] == kAllCombos);

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b)
{
    return a > kSaturated - b ? kSaturated : a + b;
}

std::uint64_t SaturatingMul(std::uint64_t a, std::uint64_t b)
{
    if (a != 0 && b > kSaturated / a)
        return kSaturated;
    return a * b;
}

// C(n, k) for any n, saturating.
std::uint64_t Choose(std::uint64_t n, int k)
{
    if (n < static_cast<std::uint64_t>(k))
        return 0;
    std::uint64_t r = 1;
    for (int i = 0; i < k; ++i) {
        const std::uint64_t factor = n - static_cast<std::uint64_t>(i);
        if (r > kSaturated / factor)
            return kSaturated;
        r = r * factor / static_cast<std::uint64_t>(i + 1);
    }
    return r;
}

// The number of a field that is a two-digit red number "01".."33", otherwise 0.
int RedValue(std::string_view field)
{
    if (field.size() != 2 || field[0] < '0' || field[0] > '9' || field[1] < '0' || field[1] > '9')
        return 0;
    const int value = (field[0] - '0') * 10 + (field[1] - '0');
    return value <= kReds ? value : 0;
}

// Cuts a line at blanks like SplitFields, into a vector kept across lines.
void SplitInto(std::string_view text, std::vector<std::string_view>& fields)
{
    fields.clear();
    if (text.empty())
        return;
    std::size_t start = 0;
    for (;;) {
        const std::size_t p = text.find(' ', start);
        if (p == std::string_view::npos)
            break;
        fields.push_back(text.substr(start, p - start));
        start = p + 1;
    }
    if (start < text.size())
        fields.push_back(text.substr(start));
}

// Lines with the same fields give the same combinations; "a b " and "a b" have the same.
std::string_view FieldKey(std::string_view line)
{
    if (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    return line;
}

// What a bet list asks for, worked out before anything is allocated per combination.
struct Plan
{
    std::vector<std::uint64_t> PlainMasks; // lines of ascending two-digit numbers, as number sets
    std::vector<std::size_t> OtherLines;   // every other line of six fields or more, repeats dropped
    BasketEstimate Estimate;
};

Plan MakePlan(const Lines& betList)
{
    Plan plan;
    std::vector<std::string_view> fields;
    std::unordered_set<std::string_view> seenOther;
    std::uint64_t otherLines = 0;
    std::uint64_t otherBytes = 0;
    for (std::size_t li = 0; li < betList.size(); ++li) {
        const std::string& line = betList[li];
        if (line.empty())
            continue;
        SplitInto(line, fields);
        const std::size_t n = fields.size();
        if (n < 6)
            continue;
        bool plain = true;
        int previous = 0;
        std::uint64_t mask = 0;
        for (const auto field : fields) {
            const int value = RedValue(field);
            if (value <= previous) {
                plain = false;
                break;
            }
            mask |= std::uint64_t{1} << (value - 1);
            previous = value;
        }
        if (plain) {
            plan.PlainMasks.push_back(mask);
            continue;
        }
        if (!seenOther.insert(FieldKey(line)).second)
            continue;
        plan.OtherLines.push_back(li);
        // Every field stands in C(n-1, 5) of the line's combinations; each combination adds
        // five blanks and the line break.
        std::uint64_t fieldBytes = 0;
        for (const auto field : fields)
            fieldBytes = SaturatingAdd(fieldBytes, field.size());
        const std::uint64_t combos = Choose(n, 6);
        otherLines = SaturatingAdd(otherLines, combos);
        otherBytes = SaturatingAdd(otherBytes, SaturatingMul(Choose(n - 1, 5), fieldBytes));
        otherBytes = SaturatingAdd(otherBytes, SaturatingMul(combos, 7));
    }

    // Equal number sets give equal combinations, and a set inside a larger one adds nothing:
    // drop both, largest sets first. The inclusion test looks at the first few kept sets only,
    // which catches the usual case (a full line beside smaller groups) at no real cost.
    auto& masks = plan.PlainMasks;
    std::sort(masks.begin(), masks.end());
    masks.erase(std::unique(masks.begin(), masks.end()), masks.end());
    std::stable_sort(masks.begin(), masks.end(),
                     [](std::uint64_t a, std::uint64_t b) { return std::popcount(a) > std::popcount(b); });
    std::vector<std::uint64_t> kept;
    std::uint64_t plainLines = 0;
    for (const std::uint64_t mask : masks) {
        const std::size_t probe = std::min<std::size_t>(kept.size(), 64);
        bool inside = false;
        for (std::size_t i = 0; i < probe && !inside; ++i)
            inside = (mask & ~kept[i]) == 0;
        if (inside)
            continue;
        kept.push_back(mask);
        plainLines = SaturatingAdd(plainLines, kBinomial.Value[std::popcount(mask)][6]);
    }
    masks = std::move(kept);

    const std::uint64_t plain = std::min(plainLines, kAllCombos);
    plan.Estimate.Lines = SaturatingAdd(plain, otherLines);
    plan.Estimate.Bytes = SaturatingAdd(plain * kComboBytes, otherBytes);
    return plan;
}

void CheckCeilings(const BasketEstimate& estimate)
{
    if (estimate.Lines > kMaxBasketLines) {
        std::string text = "投注列表最多可分解出";
        text += estimate.Lines == kSaturated ? std::string("无法计数的") : std::to_string(estimate.Lines);
        text += "注，超过了号码篮";
        text += std::to_string(kMaxBasketLines);
        text += "注的上限，未进行分解。请减少每行的号码个数或删除多余的行后再分解。";
        throw Error(text);
    }
    if (estimate.Bytes > kMaxBasketBytes) {
        std::string text = "投注列表分解后的号码篮文件将超过";
        text += std::to_string(kMaxBasketBytes / (1024 * 1024));
        text += "MB的上限，未进行分解。请检查投注列表中过长的号码。";
        throw Error(text);
    }
}

// Packs six numbers 1..33 into an integer that orders like their two-digit text.
constexpr std::uint64_t PackKey(std::uint64_t prefix, int value)
{
    return (prefix << 6) | static_cast<std::uint64_t>(value);
}

static_assert(kMaxBasketBytes < (std::uint64_t{1} << 32));

// The first eight characters, letters folded to capitals, big-endian and padded with zero
// bytes: comparing two of these orders texts as CompareTextIgnoreCase does, or ties.
std::uint64_t FoldedPrefix(std::string_view text)
{
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        unsigned char ch = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<unsigned char>(ch - 'a' + 'A');
        key = key << 8 | ch;
    }
    return key;
}

// The combinations collected from the bet list, before they are written out.
struct Collected
{
    std::vector<std::uint8_t> Present; // by colex rank: the RedCombo is in the basket
    std::uint64_t PresentCount = 0;
    std::vector<std::uint64_t> Unordered; // packed six two-digit numbers that do not ascend
    std::string OtherText;                // every other combination's text, back to back
    // Offsets fit in 32 bits because the text stays below kMaxBasketBytes. Prefix holds the
    // first eight characters with letters folded, so that most comparisons end there.
    struct Span
    {
        std::uint64_t Prefix;
        std::uint32_t Offset;
        std::uint32_t Length;
    };
    std::vector<Span> Other;

    std::string_view OtherAt(const Span& span) const
    {
        return std::string_view(OtherText).substr(span.Offset, span.Length);
    }
    // The text comparison of two collected texts.
    int Compare(const Span& a, const Span& b) const
    {
        if (a.Prefix != b.Prefix)
            return a.Prefix < b.Prefix ? -1 : 1;
        return CompareTextIgnoreCase(OtherAt(a), OtherAt(b), std::min<std::size_t>({8, a.Length, b.Length}));
    }
};

void AddPlainLine(std::uint64_t mask, Collected& out)
{
    if (out.PresentCount == kAllCombos)
        return;
    if (std::popcount(mask) == kReds) {
        std::fill(out.Present.begin(), out.Present.end(), std::uint8_t{1});
        out.PresentCount = kAllCombos;
        return;
    }
    int u[kReds];
    int n = 0;
    for (int b = 0; b < kReds; ++b)
        if (mask >> b & 1)
            u[n++] = b;
    const auto& c = kBinomial.Value;
    std::uint8_t* present = out.Present.data();
    std::uint64_t added = 0;
    for (int i1 = 0; i1 <= n - 6; ++i1) {
        const std::uint32_t r1 = c[u[i1]][1];
        for (int i2 = i1 + 1; i2 <= n - 5; ++i2) {
            const std::uint32_t r2 = r1 + c[u[i2]][2];
            for (int i3 = i2 + 1; i3 <= n - 4; ++i3) {
                const std::uint32_t r3 = r2 + c[u[i3]][3];
                for (int i4 = i3 + 1; i4 <= n - 3; ++i4) {
                    const std::uint32_t r4 = r3 + c[u[i4]][4];
                    for (int i5 = i4 + 1; i5 <= n - 2; ++i5) {
                        const std::uint32_t r5 = r4 + c[u[i5]][5];
                        for (int i6 = i5 + 1; i6 <= n - 1; ++i6) {
                            const std::uint32_t r = r5 + c[u[i6]][6];
                            added += present[r] ^ 1u;
                            present[r] = 1;
                        }
                    }
                }
            }
        }
    }
    out.PresentCount += added;
}

void AddOtherLine(const std::vector<std::string_view>& fields, Collected& out)
{
    const int n = static_cast<int>(fields.size());
    std::vector<int> values(fields.size());
    for (int i = 0; i < n; ++i)
        values[i] = RedValue(fields[i]);
    const auto& c = kBinomial.Value;
    int idx[6] = {0, 1, 2, 3, 4, 5};
    for (;;) {
        bool numbers = true;
        bool ascending = true;
        for (int k = 0; k < 6; ++k) {
            const int v = values[idx[k]];
            numbers = numbers && v > 0;
            ascending = ascending && (k == 0 || v > values[idx[k - 1]]);
        }
        if (numbers && ascending) {
            std::uint32_t rank = 0;
            for (int k = 0; k < 6; ++k)
                rank += c[values[idx[k]] - 1][k + 1];
            out.PresentCount += out.Present[rank] ^ 1u;
            out.Present[rank] = 1;
        } else if (numbers) {
            std::uint64_t key = 0;
            for (int k = 0; k < 6; ++k)
                key = PackKey(key, values[idx[k]]);
            out.Unordered.push_back(key);
        } else {
            const std::size_t offset = out.OtherText.size();
            for (int k = 0; k < 6; ++k) {
                if (k)
                    out.OtherText += ' ';
                out.OtherText += fields[idx[k]];
            }
            const std::string_view text = std::string_view(out.OtherText).substr(offset);
            out.Other.push_back({FoldedPrefix(text), static_cast<std::uint32_t>(offset),
                                 static_cast<std::uint32_t>(text.size())});
        }
        // Next index choice, i6 innermost.
        int k = 5;
        while (k >= 0 && idx[k] == n - 6 + k)
            --k;
        if (k < 0)
            break;
        ++idx[k];
        for (int j = k + 1; j < 6; ++j)
            idx[j] = idx[j - 1] + 1;
    }
}

inline void PutTwoDigits(char* p, int value)
{
    p[0] = static_cast<char>('0' + value / 10);
    p[1] = static_cast<char>('0' + value % 10);
}

// Writes the three sorted streams into one text. Merge is false when only RedCombos exist.
class Writer
{
public:
    Writer(const Collected& in, std::string& text, std::vector<std::size_t>& starts)
        : m_in(in), m_out(text.data()), m_base(text.data()), m_starts(starts.data())
    {
    }

    void Combo(const char* line)
    {
        if (m_otherPos < m_in.Other.size()) {
            const std::string_view text(line, 17);
            while (m_otherPos < m_in.Other.size() &&
                   CompareTextIgnoreCase(m_in.OtherAt(m_in.Other[m_otherPos]), text, 0) < 0)
                OtherLine(m_in.Other[m_otherPos++]);
        }
        *m_starts++ = static_cast<std::size_t>(m_out - m_base);
        std::memcpy(m_out, line, kComboBytes);
        m_out += kComboBytes;
    }

    void UnorderedUpTo(std::uint64_t key, char* scratch)
    {
        while (m_unorderedPos < m_in.Unordered.size() && m_in.Unordered[m_unorderedPos] < key)
            UnorderedLine(m_in.Unordered[m_unorderedPos++], scratch);
    }

    void Finish(char* scratch)
    {
        UnorderedUpTo(kSaturated, scratch);
        while (m_otherPos < m_in.Other.size())
            OtherLine(m_in.Other[m_otherPos++]);
    }

private:
    void UnorderedLine(std::uint64_t key, char* scratch)
    {
        for (int k = 5; k >= 0; --k, key >>= 6)
            PutTwoDigits(scratch + 3 * k, static_cast<int>(key & 63));
        Combo(scratch);
    }

    void OtherLine(const Collected::Span& span)
    {
        *m_starts++ = static_cast<std::size_t>(m_out - m_base);
        std::memcpy(m_out, m_in.OtherText.data() + span.Offset, span.Length);
        m_out += span.Length;
        *m_out++ = '\r';
        *m_out++ = '\n';
    }

    const Collected& m_in;
    char* m_out;
    char* m_base;
    std::size_t* m_starts;
    std::size_t m_unorderedPos = 0;
    std::size_t m_otherPos = 0;
};

// Walks every RedCombo in text order (which is the order of its numbers) and hands those
// present to the writer.
template <bool Merge> void WriteCombos(const Collected& in, Writer& writer)
{
    const auto& c = kBinomial.Value;
    const std::uint8_t* present = in.Present.data();
    char line[kComboBytes] = {'0', '0', ' ', '0', '0', ' ', '0', '0',  ' ', '0',
                              '0', ' ', '0', '0', ' ', '0', '0', '\r', '\n'};
    char scratch[kComboBytes];
    std::memcpy(scratch, line, kComboBytes);
    for (int a = 0; a < kReds - 5; ++a) {
        PutTwoDigits(line, a + 1);
        const std::uint32_t ra = c[a][1];
        const std::uint64_t ka = static_cast<std::uint64_t>(a + 1);
        for (int b = a + 1; b < kReds - 4; ++b) {
            PutTwoDigits(line + 3, b + 1);
            const std::uint32_t rb = ra + c[b][2];
            const std::uint64_t kb = PackKey(ka, b + 1);
            for (int d3 = b + 1; d3 < kReds - 3; ++d3) {
                PutTwoDigits(line + 6, d3 + 1);
                const std::uint32_t r3 = rb + c[d3][3];
                const std::uint64_t k3 = PackKey(kb, d3 + 1);
                for (int d4 = d3 + 1; d4 < kReds - 2; ++d4) {
                    PutTwoDigits(line + 9, d4 + 1);
                    const std::uint32_t r4 = r3 + c[d4][4];
                    const std::uint64_t k4 = PackKey(k3, d4 + 1);
                    for (int d5 = d4 + 1; d5 < kReds - 1; ++d5) {
                        PutTwoDigits(line + 12, d5 + 1);
                        const std::uint32_t r5 = r4 + c[d5][5];
                        const std::uint64_t k5 = PackKey(k4, d5 + 1);
                        for (int d6 = d5 + 1; d6 < kReds; ++d6) {
                            if (!present[r5 + c[d6][6]])
                                continue;
                            PutTwoDigits(line + 15, d6 + 1);
                            if constexpr (Merge)
                                writer.UnorderedUpTo(PackKey(k5, d6 + 1), scratch);
                            writer.Combo(line);
                        }
                    }
                }
            }
        }
    }
    writer.Finish(scratch);
}

bool IsWrittenForm(std::string_view line)
{
    return line.find_first_of("()+") != std::string_view::npos;
}

// A banker line stands for its six-red combinations, and the blues of a line are chosen in
// the purchase list, not in the basket: lines written with parentheses or blues are
// rewritten as plain lines of reds before the expansion. Returns betList itself when no
// line needs it.
const Lines& ResolveWrittenForms(const Lines& betList, Lines& storage)
{
    if (std::none_of(betList.begin(), betList.end(),
                     [](const std::string& line) { return IsWrittenForm(line); }))
        return betList;
    storage.reserve(betList.size());
    // The banker lines' combinations as masks, so that repeats across lines cost one line.
    std::vector<std::uint64_t> bankerCombos;
    std::string why;
    for (std::size_t i = 0; i < betList.size(); ++i) {
        const std::string& line = betList[i];
        if (!IsWrittenForm(line)) {
            storage.push_back(line);
            continue;
        }
        const auto form = ParseBetForm(line, false, &why);
        if (!form)
            throw Error("投注列表第" + std::to_string(i + 1) + "行“" + line + "”：" + why);
        if (form->Kind != BetKind::Banker) {
            storage.push_back(RedComboText(form->Reds));
            continue;
        }
        const std::uint64_t total = SaturatingAdd(bankerCombos.size(), RedComboCount(*form));
        CheckCeilings({total, SaturatingMul(total, kComboBytes)});
        ForEachRedCombo(*form, [&bankerCombos](std::uint64_t mask) { bankerCombos.push_back(mask); });
    }
    std::sort(bankerCombos.begin(), bankerCombos.end());
    bankerCombos.erase(std::unique(bankerCombos.begin(), bankerCombos.end()), bankerCombos.end());
    for (const std::uint64_t mask : bankerCombos)
        storage.push_back(RedComboText(mask));
    return storage;
}

LineTable ExpandPlainLines(const Lines& betList);

} // namespace

BasketEstimate EstimateBasket(const Lines& betList)
{
    Lines storage;
    return MakePlan(ResolveWrittenForms(betList, storage)).Estimate;
}

LineTable ExpandLines(const Lines& betList)
{
    Lines storage;
    return ExpandPlainLines(ResolveWrittenForms(betList, storage));
}

namespace {

LineTable ExpandPlainLines(const Lines& betList)
{
    const Plan plan = MakePlan(betList);
    CheckCeilings(plan.Estimate);

    Collected in;
    in.Present.assign(kAllCombos, 0);
    for (const std::uint64_t mask : plan.PlainMasks)
        AddPlainLine(mask, in);
    std::vector<std::string_view> fields;
    for (const std::size_t li : plan.OtherLines) {
        SplitInto(betList[li], fields);
        AddOtherLine(fields, in);
    }

    std::sort(in.Unordered.begin(), in.Unordered.end());
    in.Unordered.erase(std::unique(in.Unordered.begin(), in.Unordered.end()), in.Unordered.end());
    // Equal texts under the comparison keep the one added first, as a sorted list that
    // ignores repeats does.
    // Offsets grow in the order of adding, so they break ties the way a stable sort would.
    std::sort(in.Other.begin(), in.Other.end(), [&in](const auto& a, const auto& b) {
        const int order = in.Compare(a, b);
        return order != 0 ? order < 0 : a.Offset < b.Offset;
    });
    in.Other.erase(std::unique(in.Other.begin(), in.Other.end(),
                               [&in](const auto& a, const auto& b) { return in.Compare(a, b) == 0; }),
                   in.Other.end());

    std::size_t lines = static_cast<std::size_t>(in.PresentCount) + in.Unordered.size() + in.Other.size();
    std::size_t bytes = (static_cast<std::size_t>(in.PresentCount) + in.Unordered.size()) * kComboBytes;
    for (const auto& span : in.Other)
        bytes += span.Length + 2;
    std::string text(bytes, '\0');
    std::vector<std::size_t> starts(lines);
    Writer writer(in, text, starts);
    if (in.Unordered.empty() && in.Other.empty())
        WriteCombos<false>(in, writer);
    else
        WriteCombos<true>(in, writer);
    return LineTable(std::move(text), std::move(starts));
}

} // namespace

bool IsBlankBetList(const Lines& betList)
{
    return std::all_of(betList.begin(), betList.end(), [](const std::string& line) {
        return std::all_of(line.begin(), line.end(),
                           [](char ch) { return static_cast<unsigned char>(ch) <= ' '; });
    });
}

std::string GroupCountText(std::uint64_t groups)
{
    std::string text = "组数：";
    text += std::to_string(groups);
    text += "组";
    return text;
}

std::string BasketTotalText(std::uint64_t bets)
{
    std::string text = "合计共：";
    text += std::to_string(bets);
    text += "注/";
    text += std::to_string(bets * 2);
    text += "元";
    return text;
}

} // namespace qv
