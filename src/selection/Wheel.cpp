#include "selection/Wheel.h"

#include "core/Error.h"
#include "history/Text.h"
#include "selection/BetForm.h"
#include "selection/WheelTables.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <random>
#include <stdexcept>

namespace qv {

namespace {

constexpr int kMaxV = kWheelMaxReds;

// Up to this many tickets every step scans them all; and the work of a step besides.
constexpr std::size_t kFullScan = 256;
constexpr std::uint64_t kStepOverhead = 64;

struct BinomialTable
{
    std::array<std::array<std::uint32_t, kMaxV + 1>, kMaxV + 1> C{};
    BinomialTable()
    {
        for (int n = 0; n <= kMaxV; ++n) {
            C[n][0] = 1;
            for (int r = 1; r <= n; ++r)
                C[n][r] = C[n - 1][r - 1] + (r <= n - 1 ? C[n - 1][r] : 0);
        }
    }
};

const BinomialTable& Binomials()
{
    static const BinomialTable table;
    return table;
}

// The next mask with the same number of bits (Gosper): walks the r-subsets in colex order.
WheelTicket NextSubset(WheelTicket x)
{
    const WheelTicket c = x & (~x + 1);
    const WheelTicket r = x + c;
    return (((r ^ x) >> 2) / c) | r;
}

// Calls f on every mask of r bits taken from the set bits of pool.
template <typename F> void ForEachSubsetOf(WheelTicket pool, int r, F&& f)
{
    std::array<WheelTicket, 32> bits{};
    int n = 0;
    for (WheelTicket p = pool; p; p &= p - 1)
        bits[static_cast<std::size_t>(n++)] = p & (~p + 1);
    if (r < 0 || r > n)
        return;
    if (r == 0) {
        f(WheelTicket{0});
        return;
    }
    for (WheelTicket sel = (WheelTicket{1} << r) - 1; sel < (WheelTicket{1} << n); sel = NextSubset(sel)) {
        WheelTicket mask = 0;
        for (WheelTicket s = sel; s; s &= s - 1)
            mask |= bits[static_cast<std::size_t>(std::countr_zero(s))];
        f(mask);
    }
}

// The colex rank of an m-subset among all m-subsets of 0..v-1.
std::uint32_t Rank(WheelTicket mask)
{
    const auto& c = Binomials().C;
    std::uint32_t rank = 0;
    int i = 1;
    for (WheelTicket p = mask; p; p &= p - 1, ++i)
        rank += c[static_cast<std::size_t>(std::countr_zero(p))][static_cast<std::size_t>(i)];
    return rank;
}

// A fixed-seed generator with a reduction of our own, so that every platform draws the
// same numbers.
class Random
{
public:
    explicit Random(std::uint32_t seed) : Engine(seed) {}
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Engine() % n); }
    double Unit() { return (Engine() >> 5) * (1.0 / 134217728.0); }

private:
    std::mt19937 Engine;
};

// The search state: how often each m-set is covered and the tickets in use.
class Cover
{
public:
    Cover(int v, int m, int t, int k)
        : V(v), M(m), T(t), K(k), All((WheelTicket{1} << v) - 1),
          Count(Binomials().C[static_cast<std::size_t>(v)][static_cast<std::size_t>(m)], 0),
          Where(Count.size(), kNone)
    {
        Uncovered.reserve(Count.size());
        for (std::uint32_t r = 0; r < Count.size(); ++r) {
            Where[r] = static_cast<std::uint32_t>(Uncovered.size());
            Uncovered.push_back(r);
        }
        WheelTicket s = (WheelTicket{1} << m) - 1;
        Sets.reserve(Count.size());
        for (std::size_t r = 0; r < Count.size(); ++r, s = NextSubset(s))
            Sets.push_back(s);
    }

    // Calls f(rank) for every m-set that ticket holds at least t of.
    template <typename F> void ForEachCovered(WheelTicket ticket, F&& f) const
    {
        for (int j = T; j <= std::min(K, M); ++j)
            ForEachSubsetOf(ticket, j, [&](WheelTicket inside) {
                ForEachSubsetOf(All & ~ticket, M - j,
                                [&](WheelTicket outside) { f(Rank(inside | outside)); });
            });
    }

    // Calls f(ticket) for every k-set holding at least t of the m-set s.
    template <typename F> void ForEachCandidate(WheelTicket s, F&& f) const
    {
        for (int j = T; j <= std::min(K, M); ++j)
            ForEachSubsetOf(s, j, [&](WheelTicket inside) {
                ForEachSubsetOf(All & ~s, K - j, [&](WheelTicket outside) { f(inside | outside); });
            });
    }

    // A random k-set holding at least t of the m-set s: t of its members and k - t others.
    WheelTicket RandomCandidate(WheelTicket s, Random& random) const
    {
        WheelTicket ticket = 0;
        const auto pick = [&](WheelTicket pool, int count) {
            for (int i = 0; i < count; ++i) {
                WheelTicket rest = pool & ~ticket;
                for (std::size_t skip = random.Below(static_cast<std::size_t>(std::popcount(rest))); skip > 0;
                     --skip)
                    rest &= rest - 1;
                ticket |= rest & (~rest + 1);
            }
        };
        pick(s, T);
        pick(All, K - T);
        return ticket;
    }

    // How many m-sets one ticket covers: the work of one Add, Remove, Gain or Loss.
    std::uint64_t Reach() const
    {
        std::uint64_t reach = 0;
        for (int j = T; j <= std::min(K, M); ++j)
            reach += Binomial(K, j) * Binomial(V - K, M - j);
        return reach;
    }

    int Gain(WheelTicket ticket) const
    {
        int gain = 0;
        ForEachCovered(ticket, [&](std::uint32_t r) { gain += Count[r] == 0; });
        return gain;
    }
    int Loss(WheelTicket ticket) const
    {
        int loss = 0;
        ForEachCovered(ticket, [&](std::uint32_t r) { loss += Count[r] == 1; });
        return loss;
    }

    void Add(WheelTicket ticket)
    {
        ForEachCovered(ticket, [&](std::uint32_t r) {
            if (Count[r]++ == 0)
                Drop(r);
        });
    }
    void Remove(WheelTicket ticket)
    {
        ForEachCovered(ticket, [&](std::uint32_t r) {
            if (--Count[r] == 0) {
                Where[r] = static_cast<std::uint32_t>(Uncovered.size());
                Uncovered.push_back(r);
            }
        });
    }

    int V, M, T, K;
    WheelTicket All;
    std::vector<std::uint16_t> Count;
    std::vector<std::uint32_t> Where; // index in Uncovered, kNone when covered
    std::vector<std::uint32_t> Uncovered;
    std::vector<WheelTicket> Sets; // the m-set of each rank

private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    void Drop(std::uint32_t r)
    {
        const std::uint32_t at = Where[r];
        const std::uint32_t last = Uncovered.back();
        Uncovered[at] = last;
        Where[last] = at;
        Uncovered.pop_back();
        Where[r] = kNone;
    }
};

// Greedy: while an m-set is uncovered, take one (at random) and add the ticket that
// covers it and the most other uncovered m-sets.
std::vector<WheelTicket> Greedy(Cover& cover, Random& random)
{
    // When all tickets holding S are too many to weigh, a random sample of them is.
    constexpr std::uint64_t kGreedyWork = 200000;
    const std::uint64_t reach = cover.Reach();
    std::uint64_t candidates = 0;
    for (int j = cover.T; j <= std::min(cover.K, cover.M); ++j)
        candidates += Binomial(cover.M, j) * Binomial(cover.V - cover.M, cover.K - j);
    std::vector<WheelTicket> tickets;
    while (!cover.Uncovered.empty()) {
        const WheelTicket s = cover.Sets[cover.Uncovered[random.Below(cover.Uncovered.size())]];
        WheelTicket best = 0;
        int bestGain = -1;
        const auto consider = [&](WheelTicket candidate) {
            const int gain = cover.Gain(candidate);
            if (gain > bestGain) {
                bestGain = gain;
                best = candidate;
            }
        };
        if (candidates * reach <= kGreedyWork) {
            cover.ForEachCandidate(s, consider);
        } else {
            for (std::uint64_t i = 0; i < kGreedyWork / reach; ++i)
                consider(cover.RandomCandidate(s, random));
        }
        cover.Add(best);
        tickets.push_back(best);
    }
    return tickets;
}

// Drops tickets whose m-sets are all covered by others, the least needed first.
void DropRedundant(Cover& cover, std::vector<WheelTicket>& tickets)
{
    for (std::size_t i = tickets.size(); i-- > 0;) {
        if (cover.Loss(tickets[i]) == 0) {
            cover.Remove(tickets[i]);
            tickets.erase(tickets.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

// For a large wheel: which tickets hold each (t - 1)-set of positions, so that a step
// finds the tickets one swap away from an uncovered m-set without scanning them all.
class NearIndex
{
public:
    NearIndex(const Cover& cover, const std::vector<WheelTicket>& tickets)
        : T(cover.T),
          Holders(Binomials().C[static_cast<std::size_t>(cover.V)][static_cast<std::size_t>(cover.T - 1)])
    {
        for (std::size_t i = 0; i < tickets.size(); ++i)
            Add(tickets[i], static_cast<std::uint32_t>(i));
    }

    void Add(WheelTicket ticket, std::uint32_t i)
    {
        ForEachSubsetOf(ticket, T - 1, [&](WheelTicket u) { Holders[Rank(u)].push_back(i); });
    }
    void Remove(WheelTicket ticket, std::uint32_t i)
    {
        ForEachSubsetOf(ticket, T - 1, [&](WheelTicket u) {
            auto& list = Holders[Rank(u)];
            for (auto& entry : list) {
                if (entry == i) {
                    entry = list.back();
                    list.pop_back();
                    break;
                }
            }
        });
    }
    // A ticket holding t - 1 of the uncovered m-set s (so exactly t - 1): a random (t-1)-set
    // of s, tried a few times, and a random holder of it. Adds the work done to spent.
    std::optional<std::size_t> Near(WheelTicket s, Random& random, std::uint64_t& spent) const
    {
        for (int attempt = 0; attempt < 4; ++attempt) {
            WheelTicket rest = s;
            WheelTicket u = 0;
            for (int j = 0; j < T - 1; ++j) {
                WheelTicket pick = rest;
                for (std::size_t skip = random.Below(static_cast<std::size_t>(std::popcount(rest))); skip > 0;
                     --skip)
                    pick &= pick - 1;
                u |= pick & (~pick + 1);
                rest &= ~(pick & (~pick + 1));
            }
            const auto& list = Holders[Rank(u)];
            spent += 8;
            if (!list.empty())
                return list[random.Below(list.size())];
        }
        return std::nullopt;
    }

private:
    int T;
    std::vector<std::vector<std::uint32_t>> Holders; // by the colex rank of the (t-1)-set
};

// With one ticket fewer than a known wheel, moves tickets until no m-set is uncovered or
// the work budget is spent: simulated annealing on the number of uncovered m-sets with
// the moves of the covering-design solvers. A step takes a random uncovered m-set S and a
// ticket holding t - 1 of S, and swaps one of the ticket's other positions for one of S,
// so that the ticket holds S; without such a ticket a random one is replaced by a random
// ticket holding S. The work (ticket walks and scans) is counted, not timed, so that
// every machine builds the same wheel.
bool Anneal(Cover& cover, std::vector<WheelTicket>& tickets, Random& random, std::uint64_t work,
            std::uint64_t& budget)
{
    const std::uint64_t reach = cover.Reach();
    const std::uint64_t allowed = std::min(work, budget);
    const bool indexed = tickets.size() > kFullScan;
    std::optional<NearIndex> index;
    if (indexed)
        index.emplace(cover, tickets);
    // The cooling assumes a step of a scan (small wheels) or a look-up (large ones) and
    // two moves of a ticket; steps stop when the work is spent.
    const std::uint64_t expected =
        std::max<std::uint64_t>(1, allowed / ((indexed ? 16 : tickets.size()) + 4 * reach + kStepOverhead));
    // A large wheel repairs best from a cooler start.
    double temperature = indexed ? 0.3 : 0.6;
    const double cooling = std::pow(0.05 / temperature, 1.0 / static_cast<double>(expected));
    std::uint64_t spent = 0;
    std::vector<std::size_t> all;
    while (spent < allowed && !cover.Uncovered.empty()) {
        temperature = std::max(0.05, temperature * cooling);
        const WheelTicket s = cover.Sets[cover.Uncovered[random.Below(cover.Uncovered.size())]];
        // A small wheel picks among all tickets holding t - 1 of S, a large one asks the
        // index.
        std::optional<std::size_t> near;
        std::size_t scanned = 0;
        if (!indexed) {
            all.clear();
            for (std::size_t i = 0; i < tickets.size(); ++i) {
                if (std::popcount(tickets[i] & s) == cover.T - 1)
                    all.push_back(i);
            }
            scanned = tickets.size();
            if (!all.empty())
                near = all[random.Below(all.size())];
        } else {
            near = index->Near(s, random, spent);
        }
        spent += scanned + 4 * reach + kStepOverhead;
        std::size_t out = 0;
        WheelTicket in = 0;
        if (near) {
            out = *near;
            const WheelTicket old = tickets[out];
            WheelTicket leave = old & ~s;
            WheelTicket enter = s & ~old;
            for (std::size_t skip = random.Below(static_cast<std::size_t>(std::popcount(leave))); skip > 0;
                 --skip)
                leave &= leave - 1;
            for (std::size_t skip = random.Below(static_cast<std::size_t>(std::popcount(enter))); skip > 0;
                 --skip)
                enter &= enter - 1;
            in = (old & ~(leave & (~leave + 1))) | (enter & (~enter + 1));
        } else {
            out = random.Below(tickets.size());
            in = cover.RandomCandidate(s, random);
        }
        const std::size_t before = cover.Uncovered.size();
        const WheelTicket old = tickets[out];
        cover.Remove(old);
        cover.Add(in);
        const double delta = static_cast<double>(cover.Uncovered.size()) - static_cast<double>(before);
        if (delta <= 0 || random.Unit() < std::exp(-delta / temperature)) {
            tickets[out] = in;
            if (index) {
                index->Remove(old, static_cast<std::uint32_t>(out));
                index->Add(in, static_cast<std::uint32_t>(out));
            }
        } else {
            cover.Remove(in);
            cover.Add(old);
        }
    }
    budget -= std::min(budget, spent);
    return cover.Uncovered.empty();
}

} // namespace

WheelCheck VerifyWheel(int v, int m, int t, const std::vector<WheelTicket>& tickets)
{
    WheelCheck check;
    if (v < 1 || v > 31 || m < 1 || m > v)
        return check;
    // holds[p * words + w], bit i: ticket 64 w + i holds position p. Sixty-four tickets are
    // judged at once: atLeast[l] marks those holding at least l of the positions so far.
    const std::size_t words = (tickets.size() + 63) / 64;
    std::vector<std::uint64_t> holds(static_cast<std::size_t>(v) * words, 0);
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        for (WheelTicket p = tickets[i] & ((WheelTicket{1} << v) - 1); p; p &= p - 1)
            holds[static_cast<std::size_t>(std::countr_zero(p)) * words + i / 64] |= std::uint64_t{1}
                                                                                     << (i % 64);
    }
    const WheelTicket end = WheelTicket{1} << v;
    std::size_t last = 0; // the ticket that covered the previous m-set is tried first
    std::array<std::size_t, 32> positions{};
    std::array<std::uint64_t, 33> atLeast{};
    for (WheelTicket s = (WheelTicket{1} << m) - 1; s < end; s = NextSubset(s)) {
        ++check.Checked;
        if (!tickets.empty() && std::popcount(tickets[last] & s) >= t)
            continue;
        int n = 0;
        for (WheelTicket p = s; p; p &= p - 1)
            positions[static_cast<std::size_t>(n++)] = static_cast<std::size_t>(std::countr_zero(p)) * words;
        bool covered = false;
        for (std::size_t w = 0; w < words && !covered; ++w) {
            atLeast.fill(0);
            atLeast[0] = ~std::uint64_t{0};
            for (int j = 0; j < n; ++j) {
                const std::uint64_t b = holds[positions[static_cast<std::size_t>(j)] + w];
                for (int l = std::min(j + 1, t); l >= 1; --l)
                    atLeast[static_cast<std::size_t>(l)] |= atLeast[static_cast<std::size_t>(l - 1)] & b;
            }
            if (const std::uint64_t hit = atLeast[static_cast<std::size_t>(t)]) {
                covered = true;
                last = w * 64 + static_cast<std::size_t>(std::countr_zero(hit));
            }
        }
        check.Uncovered += !covered;
    }
    return check;
}

std::uint64_t SchoenheimBound(int v, int k, int t)
{
    if (t <= 0)
        return 1;
    if (k <= 0 || v <= 0)
        return 0;
    const std::uint64_t inner = SchoenheimBound(v - 1, k - 1, t - 1);
    const auto vv = static_cast<std::uint64_t>(v);
    const auto kk = static_cast<std::uint64_t>(k);
    return (vv * inner + kk - 1) / kk;
}

std::vector<WheelTicket> BuildWheel(int v, int m, int t, int ticketSize)
{
    if (t < 1 || t > m || m > v || v > kMaxV || ticketSize < t || ticketSize > v)
        throw std::invalid_argument("BuildWheel: no wheel for these sizes");
    if (ticketSize == 6) {
        if (const ShippedWheel* shipped = FindShippedWheel(v, m, t)) {
            std::vector<WheelTicket> tickets(shipped->Tickets.begin(), shipped->Tickets.end());
            if (VerifyWheel(v, m, t, tickets).Uncovered != 0)
                throw std::logic_error("BuildWheel: a shipped wheel misses its guarantee");
            return tickets;
        }
    }
    return SearchWheel(v, m, t, ticketSize);
}

std::vector<WheelTicket> SearchWheel(int v, int m, int t, int ticketSize, const WheelSearchEffort& effort,
                                     const std::vector<WheelTicket>& start)
{
    if (t < 1 || t > m || m > v || v > kMaxV || ticketSize < t || ticketSize > v)
        throw std::invalid_argument("SearchWheel: no wheel for these sizes");

    Random random(effort.Seed);
    const auto coverOf = [&](const std::vector<WheelTicket>& tickets) {
        Cover cover(v, m, t, ticketSize);
        for (const WheelTicket ticket : tickets)
            cover.Add(ticket);
        return cover;
    };
    const WheelTicket all = (WheelTicket{1} << v) - 1;
    const bool startFits = !start.empty() && std::all_of(start.begin(), start.end(), [&](WheelTicket ticket) {
        return (ticket & ~all) == 0 && std::popcount(ticket) == ticketSize;
    });

    Cover cover(v, m, t, ticketSize);
    std::vector<WheelTicket> best;
    if (startFits && VerifyWheel(v, m, t, start).Uncovered == 0) {
        best = start;
        cover = coverOf(best);
        DropRedundant(cover, best);
    } else {
        // A few greedy starts with different seeds; the smallest one goes on.
        const std::size_t sets = cover.Count.size();
        const int starts = sets * static_cast<std::size_t>(ticketSize) < 90000 ? 4 : 1;
        for (int i = 0; i < starts; ++i) {
            Cover fresh(v, m, t, ticketSize);
            std::vector<WheelTicket> tickets = Greedy(fresh, random);
            DropRedundant(fresh, tickets);
            if (best.empty() || tickets.size() < best.size()) {
                best = tickets;
                cover = std::move(fresh);
            }
        }
    }

    // Take one ticket away (the least needed) and anneal until covered again. A failed
    // attempt starts again from the last wheel, taking away a ticket at random, until the
    // retries are spent.
    std::vector<WheelTicket> tickets = best;
    std::uint64_t budget = effort.SearchWork;
    int retries = effort.Retries;
    bool fromBest = false;
    while (tickets.size() > 1 && budget > 0) {
        std::size_t out = 0;
        if (fromBest) {
            out = random.Below(tickets.size());
        } else {
            int weakestLoss = cover.Loss(tickets[0]);
            for (std::size_t i = 1; i < tickets.size(); ++i) {
                const int loss = cover.Loss(tickets[i]);
                if (loss < weakestLoss) {
                    out = i;
                    weakestLoss = loss;
                }
            }
        }
        cover.Remove(tickets[out]);
        tickets.erase(tickets.begin() + static_cast<std::ptrdiff_t>(out));
        if (Anneal(cover, tickets, random, effort.AttemptWork, budget)) {
            DropRedundant(cover, tickets);
            best = tickets;
            fromBest = false;
            continue;
        }
        if (retries-- <= 0)
            break;
        tickets = best;
        cover = coverOf(tickets);
        fromBest = true;
    }

    std::sort(best.begin(), best.end());
    if (VerifyWheel(v, m, t, best).Uncovered != 0)
        throw std::logic_error("SearchWheel: the built wheel misses a guarantee");
    return best;
}

const std::vector<WheelGuarantee>& OfferedGuarantees()
{
    static const std::vector<WheelGuarantee> offered = {{6, 5}, {6, 4}, {5, 5}, {5, 4},
                                                        {4, 4}, {4, 3}, {3, 3}};
    return offered;
}

std::string GuaranteeCaption(WheelGuarantee guarantee)
{
    return "中" + std::to_string(guarantee.M) + "保" + std::to_string(guarantee.T);
}

std::optional<WheelGuarantee> ParseGuarantee(std::string_view text)
{
    for (const auto& g : OfferedGuarantees()) {
        if (text == std::to_string(g.M) + "-" + std::to_string(g.T) || text == GuaranteeCaption(g))
            return g;
    }
    return std::nullopt;
}

std::string WheelRequestProblem(const WheelRequest& request)
{
    const auto outOfRange = [](const std::vector<int>& numbers) {
        return std::any_of(numbers.begin(), numbers.end(), [](int n) { return n < 1 || n > 33; });
    };
    const auto duplicate = [](std::vector<int> numbers) -> std::optional<int> {
        std::sort(numbers.begin(), numbers.end());
        const auto at = std::adjacent_find(numbers.begin(), numbers.end());
        return at == numbers.end() ? std::nullopt : std::optional<int>(*at);
    };
    if (outOfRange(request.Reds) || outOfRange(request.Bankers))
        return "红球号码应在01至33之间";
    if (const auto d = duplicate(request.Reds))
        return "选择的红球中" + TwoDigits(*d) + "重复";
    if (const auto d = duplicate(request.Bankers))
        return "胆码中" + TwoDigits(*d) + "重复";
    const int v = static_cast<int>(request.Reds.size());
    if (v < kWheelMinReds || v > kWheelMaxReds)
        return "旋转矩阵需要选择7至20个红球，现在选择了" + std::to_string(v) + "个";
    for (const int banker : request.Bankers) {
        if (std::find(request.Reds.begin(), request.Reds.end(), banker) != request.Reds.end())
            return "胆码" + TwoDigits(banker) + "不能同时是选择的红球";
    }
    const int d = static_cast<int>(request.Bankers.size());
    if (d > kWheelMaxBankers)
        return "胆码最多5个，现在有" + std::to_string(d) + "个";
    const auto& offered = OfferedGuarantees();
    const auto& g = request.Guarantee;
    if (std::none_of(offered.begin(), offered.end(),
                     [&](const WheelGuarantee& o) { return o.M == g.M && o.T == g.T; }))
        return "不提供这种保证；可选：中6保5、中6保4、中5保5、中5保4、中4保4、中4保3、中3保3";
    if (6 - d < g.T)
        return std::to_string(d) + "个胆码时每注只有" + std::to_string(6 - d) + "个选择的红球，不能做到" +
               GuaranteeCaption(g) + "（胆码最多" + std::to_string(6 - g.T) + "个）";
    return {};
}

WheelResult MakeWheel(const WheelRequest& request)
{
    if (const std::string problem = WheelRequestProblem(request); !problem.empty())
        throw Error(problem);
    WheelResult result;
    result.Reds = request.Reds;
    result.Bankers = request.Bankers;
    std::sort(result.Reds.begin(), result.Reds.end());
    std::sort(result.Bankers.begin(), result.Bankers.end());
    result.Guarantee = request.Guarantee;
    const int v = result.V();
    const int k = 6 - static_cast<int>(result.Bankers.size());
    try {
        result.Tickets = BuildWheel(v, request.Guarantee.M, request.Guarantee.T, k);
    } catch (const std::logic_error&) {
        throw Error("旋转矩阵未能通过验证，没有生成号码");
    }
    result.Check = VerifyWheel(v, request.Guarantee.M, request.Guarantee.T, result.Tickets);
    return result;
}

std::vector<std::string> WheelResult::Lines() const
{
    std::vector<std::string> lines;
    lines.reserve(Tickets.size());
    for (const WheelTicket ticket : Tickets) {
        std::vector<int> numbers = Bankers;
        for (WheelTicket p = ticket; p; p &= p - 1)
            numbers.push_back(Reds[static_cast<std::size_t>(std::countr_zero(p))]);
        std::sort(numbers.begin(), numbers.end());
        std::string line;
        for (const int n : numbers) {
            if (!line.empty())
                line += ' ';
            line += TwoDigits(n);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string WheelResult::Summary(std::size_t blues) const
{
    std::string text = std::to_string(V()) + "码";
    if (!Bankers.empty()) {
        text += "（胆码";
        for (std::size_t i = 0; i < Bankers.size(); ++i) {
            if (i)
                text += ' ';
            text += TwoDigits(Bankers[i]);
        }
        text += "）";
    }
    const std::uint64_t bets = Tickets.size() * blues;
    const std::uint64_t full = Binomial(V(), 6 - static_cast<int>(Bankers.size())) * blues;
    return text + GuaranteeCaption(Guarantee) + "：" + std::to_string(bets) + "注/" +
           std::to_string(2 * bets) + "元，全组合" + std::to_string(full) + "注";
}

std::string WheelResult::VerifiedText() const
{
    if (Check.Uncovered != 0)
        return "验证失败：" + std::to_string(Check.Uncovered) + "种情况不满足";
    return "已验证：全部" + std::to_string(Check.Checked) + "种情况满足";
}

std::vector<std::string> WheelResult::BetLines(const std::vector<int>& blues) const
{
    std::vector<std::string> lines;
    for (const auto& ticket : Lines()) {
        if (blues.empty())
            lines.push_back(ticket);
        for (const int blue : blues)
            lines.push_back(ticket + " +" + TwoDigits(blue));
    }
    return lines;
}

std::vector<int> ParseWheelBlues(std::string_view text, bool required)
{
    std::vector<int> blues = ParseWheelNumbers(text, "蓝球");
    for (const int blue : blues) {
        if (blue < 1 || blue > 16)
            throw Error("蓝球号码应在01至16之间，不是" + TwoDigits(blue));
    }
    std::sort(blues.begin(), blues.end());
    if (const auto at = std::adjacent_find(blues.begin(), blues.end()); at != blues.end())
        throw Error("蓝球中" + TwoDigits(*at) + "重复");
    if (required && blues.empty())
        throw Error("--blues 没有给出蓝球号码");
    return blues;
}

std::vector<int> ParseWheelNumbers(std::string_view text, std::string_view what)
{
    std::vector<int> numbers;
    std::string field;
    const auto flush = [&] {
        if (field.empty())
            return;
        int value = 0;
        const bool digits = field.size() <= 2 && std::all_of(field.begin(), field.end(),
                                                             [](char c) { return c >= '0' && c <= '9'; });
        if (!digits)
            throw Error(std::string(what) + "中“" + field + "”不是号码（应为01至33）");
        for (const char c : field)
            value = value * 10 + (c - '0');
        numbers.push_back(value);
        field.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == ',' || c == '\t') {
            flush();
        } else if (text.substr(i, 3) == "、" || text.substr(i, 3) == "，") {
            flush();
            i += 2;
        } else {
            field += c;
        }
    }
    flush();
    return numbers;
}

} // namespace qv
