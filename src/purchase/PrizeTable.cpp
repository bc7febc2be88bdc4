#include "purchase/PrizeTable.h"

#include "core/Error.h"
#include "history/DrawRecord.h"
#include "purchase/FieldScan.h"

#include <bit>
#include <span>

namespace qv {

namespace {

using purchase_detail::HasBetLength;
using purchase_detail::IsBlankLine;

void AddTier(TierCounts& counts, int reds, bool blue, std::uint64_t ways)
{
    const int tier = kTierOfMatch[reds][blue ? 1 : 0];
    if (tier != 0)
        counts[static_cast<std::size_t>(tier - 1)] += ways;
}

std::uint64_t Saturating(std::uint64_t a, std::uint64_t b)
{
    return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}

void AddForm(CompactBets& bets, const BetForm& form)
{
    if (form.Kind == BetKind::Single)
        bets.Singles.push_back(CompactSingle(form.Reds, std::countr_zero(form.Blues) + 1));
    else
        bets.Forms.push_back(form);
    bets.Bets = Saturating(bets.Bets, BetCount(form));
}

// Per draw, the single bets by (red hits, blue hit): index hits * 2 + blue.
using Histogram = std::array<std::uint64_t, 16>;

// Bet by bet over all draws, so that a list of a million bets is read once, not once per
// draw; the draws' masks and the histograms stay in the first-level cache.
[[gnu::always_inline]] inline void CountSinglesBody(const std::vector<std::uint64_t>& singles,
                                                    const std::vector<std::uint64_t>& reds,
                                                    const std::vector<std::uint64_t>& blues,
                                                    std::vector<Histogram>& out)
{
    const std::size_t draws = reds.size();
    for (const std::uint64_t bet : singles) {
        const std::uint64_t blue = bet >> kCompactBlueShift;
        for (std::size_t k = 0; k < draws; ++k) {
            const int hits = std::popcount(bet & reds[k]);
            ++out[k][static_cast<std::size_t>(hits * 2) + (blue == blues[k] ? 1 : 0)];
        }
    }
}

#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__)
#define QV_POPCNT_DISPATCH 1
[[gnu::target("popcnt")]] void CountSinglesPopcnt(const std::vector<std::uint64_t>& singles,
                                                  const std::vector<std::uint64_t>& reds,
                                                  const std::vector<std::uint64_t>& blues,
                                                  std::vector<Histogram>& out)
{
    CountSinglesBody(singles, reds, blues, out);
}
#endif

void CountSingles(const std::vector<std::uint64_t>& singles, const std::vector<std::uint64_t>& reds,
                  const std::vector<std::uint64_t>& blues, std::vector<Histogram>& out)
{
#ifdef QV_POPCNT_DISPATCH
    static const bool popcnt = __builtin_cpu_supports("popcnt");
    if (popcnt) {
        CountSinglesPopcnt(singles, reds, blues, out);
        return;
    }
#endif
    CountSinglesBody(singles, reds, blues, out);
}

// The tiers of the bets against each draw.
std::vector<TierCounts> CheckCompactDraws(const CompactBets& bets, std::span<const DrawNumbers> draws)
{
    std::vector<std::uint64_t> reds;
    std::vector<std::uint64_t> blues;
    for (const auto& draw : draws) {
        reds.push_back(draw.Reds);
        blues.push_back(static_cast<std::uint64_t>(draw.Blue));
    }
    std::vector<Histogram> histograms(draws.size(), Histogram{});
    CountSingles(bets.Singles, reds, blues, histograms);
    std::vector<TierCounts> result(draws.size(), TierCounts{});
    for (std::size_t k = 0; k < draws.size(); ++k) {
        TierCounts& counts = result[k];
        for (int hits = 0; hits <= 6; ++hits)
            for (int b = 0; b <= 1; ++b)
                AddTier(counts, hits, b == 1, histograms[k][static_cast<std::size_t>(hits * 2 + b)]);
        for (const auto& form : bets.Forms) {
            const TierCounts formCounts = CheckForm(form, draws[k]);
            for (std::size_t t = 0; t < counts.size(); ++t)
                counts[t] += formCounts[t];
        }
    }
    return result;
}

} // namespace

const PrizeTierRule& TierRule(int tier)
{
    return kPrizeTiers[static_cast<std::size_t>(tier - 1)];
}

bool IsFloatingTier(int tier)
{
    return TierRule(tier).Amount == 0;
}

std::optional<std::uint64_t> TierAmount(int tier, const FloatingAmounts& floating)
{
    if (!IsFloatingTier(tier))
        return TierRule(tier).Amount;
    return tier == 1 ? floating.First : floating.Second;
}

std::uint64_t FixedWinnings(const TierCounts& counts)
{
    std::uint64_t total = 0;
    for (const auto& rule : kPrizeTiers)
        total += counts[static_cast<std::size_t>(rule.Tier - 1)] * rule.Amount;
    return total;
}

PrizeTotals TotalPrizes(const TierCounts& counts, std::uint64_t bets, const FloatingAmounts& floating)
{
    PrizeTotals totals;
    totals.Bets = bets;
    totals.Cost = bets * kBetPrice;
    totals.Fixed = FixedWinnings(counts);
    std::uint64_t total = totals.Fixed;
    for (const auto& rule : kPrizeTiers) {
        const std::uint64_t count = counts[static_cast<std::size_t>(rule.Tier - 1)];
        if (rule.Amount != 0 || count == 0)
            continue;
        const auto amount = TierAmount(rule.Tier, floating);
        if (!amount)
            return totals;
        total += count * *amount;
    }
    totals.Total = total;
    return totals;
}

TierCounts CheckForm(const BetForm& form, const DrawNumbers& draw)
{
    TierCounts counts{};
    const int blues = form.BlueCount();
    const bool blueHit = draw.Blue >= 1 && (form.Blues >> (draw.Blue - 1) & 1);
    const std::uint64_t withBlue = blueHit ? 1 : 0;
    const std::uint64_t withoutBlue = static_cast<std::uint64_t>(blues) - withBlue;
    const int bankerHits = std::popcount(form.Bankers & draw.Reds);
    const int reds = form.RedCount();
    const int redHits = std::popcount(form.Reds & draw.Reds);
    const int need = 6 - form.BankerCount();
    for (int j = 0; j <= need; ++j) {
        const std::uint64_t ways = Binomial(redHits, j) * Binomial(reds - redHits, need - j);
        if (ways == 0)
            continue;
        AddTier(counts, bankerHits + j, true, ways * withBlue);
        AddTier(counts, bankerHits + j, false, ways * withoutBlue);
    }
    return counts;
}

TierCounts CheckCompact(const CompactBets& bets, const DrawNumbers& draw)
{
    return CheckCompactDraws(bets, {&draw, 1}).front();
}

std::string ListLineError(std::string_view listName, std::size_t index, std::string_view line,
                          std::string_view why)
{
    std::string text(listName);
    text += "第";
    text += std::to_string(index + 1);
    text += "行“";
    text += line;
    text += "”：";
    text += why;
    return text;
}

TicketList ReadTicketList(const Lines& lines, std::string_view listName)
{
    TicketList list;
    std::string why;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (IsBlankLine(line))
            continue;
        const bool single = HasBetLength(line);
        if (single || LooksLikeMultiBetForm(line)) {
            const auto form = ParseBetForm(line, true, &why);
            if (form) {
                AddForm(list.Bets, *form);
                continue;
            }
            if (!single)
                throw Error(ListLineError(listName, i, line, why));
        }
        const bool withoutBlue = line.find('+') == std::string::npos;
        ++list.SkippedCount;
        if (withoutBlue)
            ++list.SkippedWithoutBlue;
        if (list.Skipped.size() < kSkippedShown)
            list.Skipped.push_back({i, line, withoutBlue});
    }
    return list;
}

BetTally TallyBets(const Lines& lines, std::string_view listName)
{
    BetTally tally;
    std::string why;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (IsBlankLine(line))
            continue;
        const auto form = ParseBetForm(line, false, &why);
        if (!form) {
            if (tally.Unreadable++ == 0)
                tally.FirstProblem = ListLineError(listName, i, line, why);
            continue;
        }
        ++tally.LineCount;
        tally.Bets = Saturating(tally.Bets, BetCount(*form));
    }
    return tally;
}

std::string BetTotalText(std::uint64_t bets)
{
    return "合计共：" + std::to_string(bets) + "注/" + std::to_string(bets * kBetPrice) + "元";
}

std::vector<IssuedDraw> NewestDraws(const Lines& historyLines, std::size_t count)
{
    std::vector<IssuedDraw> draws;
    for (std::size_t i = 0; i < historyLines.size() && draws.size() < count; ++i) {
        const std::string& line = historyLines[i];
        if (IsBlankLine(line))
            continue;
        std::string why;
        const auto record = ParseHistoryLine(line, &why);
        if (!record)
            throw Error(ListLineError("历史数据", i, line, why));
        IssuedDraw draw;
        draw.Issue = record->Issue;
        for (const int red : record->Reds)
            draw.Numbers.Reds |= std::uint64_t{1} << (red - 1);
        draw.Numbers.Blue = record->Blue;
        draws.push_back(std::move(draw));
    }
    return draws;
}

ReplayResult ReplayBets(const CompactBets& bets, const std::vector<IssuedDraw>& draws)
{
    ReplayResult result;
    result.Bets = bets.Bets;
    result.Draws.reserve(draws.size());
    std::vector<DrawNumbers> numbers;
    for (const auto& draw : draws)
        numbers.push_back(draw.Numbers);
    const std::vector<TierCounts> tiers = CheckCompactDraws(bets, numbers);
    for (std::size_t k = 0; k < draws.size(); ++k) {
        const IssuedDraw& draw = draws[k];
        ReplayDraw row;
        row.Issue = draw.Issue;
        row.Tiers = tiers[k];
        row.Fixed = FixedWinnings(row.Tiers);
        result.Fixed += row.Fixed;
        result.FloatingHits += row.Tiers[0] + row.Tiers[1];
        result.Draws.push_back(std::move(row));
    }
    result.Cost = bets.Bets * kBetPrice * draws.size();
    result.ReturnRate =
        result.Cost == 0 ? 0.0 : static_cast<double>(result.Fixed) / static_cast<double>(result.Cost);
    return result;
}

} // namespace qv
