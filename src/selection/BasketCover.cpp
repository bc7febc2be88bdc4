#include "selection/BasketCover.h"

#include "core/Error.h"
#include "history/HistoryLoad.h"
#include "selection/BetForm.h"

#include <algorithm>
#include <queue>

namespace qv {

namespace {

using Reds = std::array<std::uint8_t, 6>;

// C(n, k) for n ≤ 33, k ≤ 6, at hand for the ranks of the hot loops.
struct Binomials
{
    std::uint32_t Value[34][7]{};
    Binomials()
    {
        for (int n = 0; n <= 33; ++n)
            for (int k = 0; k <= 6; ++k)
                Value[n][k] = static_cast<std::uint32_t>(Binomial(n, k));
    }
};
const Binomials kBinomial;

// The t-subsets of a line's six positions, as position lists.
std::vector<std::array<std::uint8_t, 6>> PositionSubsets(int t)
{
    std::vector<std::array<std::uint8_t, 6>> subsets;
    for (unsigned mask = 0; mask < 64; ++mask) {
        if (__builtin_popcount(mask) != t)
            continue;
        std::array<std::uint8_t, 6> positions{};
        int k = 0;
        for (int p = 0; p < 6; ++p)
            if (mask & (1u << p))
                positions[static_cast<std::size_t>(k++)] = static_cast<std::uint8_t>(p);
        subsets.push_back(positions);
    }
    return subsets;
}

// The lines by the t-subsets of their reds: for a subset's rank (the combinatorial number
// of its reds 0..32), the lines holding it. Two lines share at least t reds exactly when
// some t-subset lists both.
class SubsetIndex
{
public:
    SubsetIndex(const std::vector<Reds>& lines, int t)
        : m_lines(lines), m_t(t), m_subsets(PositionSubsets(t)), m_mark(lines.size(), 0)
    {
        const std::size_t ranks = kBinomial.Value[33][t];
        m_offsets.assign(ranks + 1, 0);
        for (std::size_t i = 0; i < lines.size(); ++i)
            for (const auto& s : m_subsets)
                ++m_offsets[Rank(lines[i], s) + 1];
        for (std::size_t r = 0; r < ranks; ++r)
            m_offsets[r + 1] += m_offsets[r];
        m_entries.resize(m_offsets.back());
        std::vector<std::uint32_t> fill(m_offsets.begin(), m_offsets.end() - 1);
        for (std::size_t i = 0; i < lines.size(); ++i)
            for (const auto& s : m_subsets)
                m_entries[fill[Rank(lines[i], s)]++] = static_cast<std::uint32_t>(i);
    }

    // Calls visit(j) once for every line j sharing at least t reds with line i (i itself
    // included).
    template <typename Visit> void ForNeighbours(std::size_t i, Visit&& visit)
    {
        if (++m_stamp == 0) {
            std::fill(m_mark.begin(), m_mark.end(), 0);
            m_stamp = 1;
        }
        for (const auto& s : m_subsets) {
            const std::uint32_t r = Rank(m_lines[i], s);
            for (std::uint32_t e = m_offsets[r]; e < m_offsets[r + 1]; ++e) {
                const std::uint32_t j = m_entries[e];
                if (m_mark[j] != m_stamp) {
                    m_mark[j] = m_stamp;
                    visit(j);
                }
            }
        }
    }

private:
    std::uint32_t Rank(const Reds& reds, const std::array<std::uint8_t, 6>& positions) const
    {
        std::uint32_t rank = 0;
        for (int k = 0; k < m_t; ++k)
            rank += kBinomial.Value[reds[positions[static_cast<std::size_t>(k)]] - 1][k + 1];
        return rank;
    }

    const std::vector<Reds>& m_lines;
    int m_t;
    std::vector<std::array<std::uint8_t, 6>> m_subsets;
    std::vector<std::uint32_t> m_offsets;
    std::vector<std::uint32_t> m_entries;
    std::vector<std::uint32_t> m_mark;
    std::uint32_t m_stamp = 0;
};

// The uncovered lines counted by every subset of t to 6 of their reds, so that the number
// of uncovered lines sharing at least t reds with a line follows from 42 counts instead of
// a walk over its neighbours. With A_s the sum of the counts of the line's s-subsets and
// N_k the uncovered lines meeting it in exactly k reds, A_s = Σ_k C(k,s)·N_k, solved from
// s = 6 down.
class UncoveredCounts
{
public:
    UncoveredCounts(const std::vector<Reds>& lines, int t) : m_lines(lines), m_t(t)
    {
        for (int s = t; s <= 6; ++s) {
            m_subsets[s] = PositionSubsets(s);
            m_counts[s].assign(kBinomial.Value[33][s], 0);
        }
        for (std::size_t i = 0; i < lines.size(); ++i)
            Add(i, 1);
    }

    void Add(std::size_t i, int delta)
    {
        for (int s = m_t; s <= 6; ++s)
            for (const auto& positions : m_subsets[s])
                m_counts[s][Rank(m_lines[i], positions, s)] += static_cast<std::uint32_t>(delta);
    }

    std::uint32_t Gain(std::size_t i) const
    {
        std::int64_t sums[7]{};
        for (int s = m_t; s <= 6; ++s)
            for (const auto& positions : m_subsets[s])
                sums[s] += m_counts[s][Rank(m_lines[i], positions, s)];
        std::int64_t exactly[7]{};
        std::int64_t gain = 0;
        for (int k = 6; k >= m_t; --k) {
            exactly[k] = sums[k];
            for (int above = k + 1; above <= 6; ++above)
                exactly[k] -= static_cast<std::int64_t>(kBinomial.Value[above][k]) * exactly[above];
            gain += exactly[k];
        }
        return static_cast<std::uint32_t>(gain);
    }

private:
    static std::uint32_t Rank(const Reds& reds, const std::array<std::uint8_t, 6>& positions, int s)
    {
        std::uint32_t rank = 0;
        for (int k = 0; k < s; ++k)
            rank += kBinomial.Value[reds[positions[static_cast<std::size_t>(k)]] - 1][k + 1];
        return rank;
    }

    const std::vector<Reds>& m_lines;
    int m_t;
    std::vector<std::array<std::uint8_t, 6>> m_subsets[7];
    std::vector<std::uint32_t> m_counts[7];
};

void RequireT(int t)
{
    if (t < kCoverMinT || t > kCoverMaxT)
        throw Error("覆盖保证应为中3、中4或中5（t为3至5），不是" + std::to_string(t));
}

} // namespace

bool ParseBasketReds(std::string_view line, std::array<std::uint8_t, 6>& reds)
{
    if (line.size() != 17)
        return false;
    int previous = 0;
    for (int k = 0; k < 6; ++k) {
        const std::size_t at = static_cast<std::size_t>(3 * k);
        if (k > 0 && line[at - 1] != ' ')
            return false;
        const unsigned tens = static_cast<unsigned char>(line[at]) - '0';
        const unsigned ones = static_cast<unsigned char>(line[at + 1]) - '0';
        if (tens > 9 || ones > 9)
            return false;
        const int value = static_cast<int>(tens * 10 + ones);
        if (value < 1 || value > 33 || value <= previous)
            return false;
        previous = value;
        reds[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(value);
    }
    return true;
}

std::vector<std::array<std::uint8_t, 6>> BasketReds(const LineTable& basket)
{
    std::vector<Reds> lines(basket.Size());
    for (std::size_t i = 0; i < basket.Size(); ++i)
        if (!ParseBasketReds(basket[i], lines[i]))
            throw Error("号码篮第" + std::to_string(i + 1) + "行“" + QuotedLine(basket[i]) +
                        "”不是6个从小到大、以一个空格分隔的红球号码，无法计算覆盖");
    return lines;
}

CoverResult CoverBasket(const std::vector<std::array<std::uint8_t, 6>>& lines, int t, const CoverHooks& hooks)
{
    RequireT(t);
    CoverResult result;
    const std::size_t n = lines.size();
    if (n == 0)
        return result;
    SubsetIndex index(lines, t);
    std::vector<std::uint8_t> uncovered(n, 1);
    std::size_t covered = 0;
    const auto cancelled = [&] { return hooks.Cancel != nullptr && hooks.Cancel->load(); };

    // Lazy greedy: a line's gain only falls as tickets are taken, so a gain recomputed
    // and still on top of the queue is the largest.
    UncoveredCounts counts(lines, t);
    using Entry = std::pair<std::uint32_t, std::uint32_t>; // gain, line (lower line first)
    const auto later = [](const Entry& a, const Entry& b) {
        return a.first != b.first ? a.first < b.first : a.second > b.second;
    };
    std::vector<Entry> initial;
    initial.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        initial.emplace_back(counts.Gain(i), static_cast<std::uint32_t>(i));
    std::priority_queue<Entry, std::vector<Entry>, decltype(later)> queue(later, std::move(initial));
    std::vector<std::size_t> tickets;
    while (covered < n && !queue.empty()) {
        if (cancelled()) {
            result.Cancelled = true;
            break;
        }
        const Entry top = queue.top();
        queue.pop();
        const std::uint32_t gain = counts.Gain(top.second);
        if (gain == 0)
            continue;
        if (!queue.empty() && gain < top.first && later(Entry{gain, top.second}, queue.top())) {
            queue.emplace(gain, top.second);
            continue;
        }
        tickets.push_back(top.second);
        index.ForNeighbours(top.second, [&](std::uint32_t j) {
            if (uncovered[j]) {
                uncovered[j] = 0;
                ++covered;
                counts.Add(j, -1);
            }
        });
        if (hooks.Progress && (tickets.size() & 63) == 0)
            hooks.Progress(covered, n);
    }

    // Drop the tickets whose lines other tickets cover too, the last taken first.
    std::vector<std::uint32_t> holders(n, 0);
    for (const std::size_t ticket : tickets)
        index.ForNeighbours(ticket, [&](std::uint32_t j) { ++holders[j]; });
    std::vector<std::uint8_t> keep(tickets.size(), 1);
    for (std::size_t k = tickets.size(); k-- > 0;) {
        bool spare = true;
        index.ForNeighbours(tickets[k], [&](std::uint32_t j) { spare = spare && holders[j] >= 2; });
        if (!spare)
            continue;
        keep[k] = 0;
        index.ForNeighbours(tickets[k], [&](std::uint32_t j) { --holders[j]; });
    }
    for (std::size_t k = 0; k < tickets.size(); ++k)
        if (keep[k])
            result.Tickets.push_back(tickets[k]);
    std::sort(result.Tickets.begin(), result.Tickets.end());

    result.Uncovered = CoverageGaps(lines, t, result.Tickets);
    if (!result.Cancelled && result.Uncovered != 0)
        throw Error("缩水覆盖的验证失败：仍有" + std::to_string(result.Uncovered) + "注没有被覆盖");
    if (hooks.Progress)
        hooks.Progress(n - static_cast<std::size_t>(result.Uncovered), n);
    return result;
}

std::uint64_t CoverageGaps(const std::vector<std::array<std::uint8_t, 6>>& lines, int t,
                           const std::vector<std::size_t>& tickets)
{
    RequireT(t);
    if (lines.empty())
        return 0;
    SubsetIndex index(lines, t);
    std::vector<std::uint8_t> covered(lines.size(), 0);
    for (const std::size_t ticket : tickets)
        index.ForNeighbours(ticket, [&](std::uint32_t j) { covered[j] = 1; });
    return static_cast<std::uint64_t>(std::count(covered.begin(), covered.end(), 0));
}

int ParseCoverT(std::string_view text)
{
    std::string_view digits = text;
    if (digits.rfind("中", 0) == 0)
        digits.remove_prefix(std::string_view("中").size());
    if (digits.size() == 1 && digits[0] >= '3' && digits[0] <= '5')
        return digits[0] - '0';
    throw Error("覆盖保证“" + std::string(text) + "”无法识别，应为3、4或5（中3、中4、中5）");
}

std::string CoverSummary(std::size_t basket, std::size_t tickets, int t)
{
    return "缩水覆盖：号码篮" + std::to_string(basket) + "注中选出" + std::to_string(tickets) + "注（" +
           std::to_string(tickets * 2) + "元）。保证：若开奖红球是号码篮中的一注，选出的号码中至少有一注中" +
           std::to_string(t) + "个红球";
}

} // namespace qv
