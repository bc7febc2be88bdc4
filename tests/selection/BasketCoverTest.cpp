#include "selection/BasketCover.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

namespace qv {
namespace {

using Reds = std::array<std::uint8_t, 6>;

std::uint64_t MaskOf(const Reds& reds)
{
    std::uint64_t mask = 0;
    for (const auto red : reds)
        mask |= std::uint64_t{1} << red;
    return mask;
}

// count distinct lines of six reds drawn from 1..top.
std::vector<Reds> RandomBasket(std::mt19937& random, int top, std::size_t count)
{
    std::vector<std::uint64_t> masks;
    std::vector<Reds> lines;
    std::vector<std::uint8_t> pool;
    for (int n = 1; n <= top; ++n)
        pool.push_back(static_cast<std::uint8_t>(n));
    while (lines.size() < count) {
        std::shuffle(pool.begin(), pool.end(), random);
        Reds reds;
        std::copy(pool.begin(), pool.begin() + 6, reds.begin());
        std::sort(reds.begin(), reds.end());
        if (std::find(masks.begin(), masks.end(), MaskOf(reds)) != masks.end())
            continue;
        masks.push_back(MaskOf(reds));
        lines.push_back(reds);
    }
    return lines;
}

std::uint64_t BruteGaps(const std::vector<Reds>& lines, int t, const std::vector<std::size_t>& tickets)
{
    std::uint64_t gaps = 0;
    for (const auto& line : lines) {
        bool covered = false;
        for (const auto k : tickets)
            covered = covered || std::popcount(MaskOf(line) & MaskOf(lines[k])) >= t;
        gaps += covered ? 0 : 1;
    }
    return gaps;
}

// The fewest tickets of any cover, by trying every subset.
std::size_t BruteMinimum(const std::vector<Reds>& lines, int t)
{
    std::size_t best = lines.size();
    for (std::uint32_t subset = 1; subset < (1u << lines.size()); ++subset) {
        if (static_cast<std::size_t>(std::popcount(subset)) >= best)
            continue;
        std::vector<std::size_t> tickets;
        for (std::size_t k = 0; k < lines.size(); ++k)
            if (subset & (1u << k))
                tickets.push_back(k);
        if (BruteGaps(lines, t, tickets) == 0)
            best = tickets.size();
    }
    return best;
}

TEST(BasketCover, CoversAreVerifiedAndSmallAgainstBruteForce)
{
    std::mt19937 random(20261211);
    for (const int t : {3, 4, 5}) {
        for (int round = 0; round < 6; ++round) {
            SCOPED_TRACE("t=" + std::to_string(t) + " round " + std::to_string(round));
            const auto lines = RandomBasket(random, 10 + round, 14);
            const CoverResult cover = CoverBasket(lines, t);
            EXPECT_EQ(cover.Uncovered, 0u);
            EXPECT_EQ(BruteGaps(lines, t, cover.Tickets), 0u);
            EXPECT_TRUE(std::is_sorted(cover.Tickets.begin(), cover.Tickets.end()));
            EXPECT_LE(cover.Tickets.size(), BruteMinimum(lines, t) + 1);
            // The verifier finds what taking a ticket away leaves uncovered.
            for (std::size_t drop = 0; drop < cover.Tickets.size(); ++drop) {
                auto fewer = cover.Tickets;
                fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(drop));
                const auto gaps = CoverageGaps(lines, t, fewer);
                EXPECT_EQ(gaps, BruteGaps(lines, t, fewer));
                EXPECT_GT(gaps, 0u) << "a spare ticket was kept";
            }
        }
    }
    // Every line of a larger basket is covered, and the same basket gives the same cover.
    const auto lines = RandomBasket(random, 33, 3000);
    for (const int t : {3, 4, 5}) {
        const CoverResult cover = CoverBasket(lines, t);
        EXPECT_EQ(BruteGaps(lines, t, cover.Tickets), 0u) << t;
        EXPECT_EQ(CoverBasket(lines, t).Tickets, cover.Tickets) << t;
    }
}

TEST(BasketCover, BadInputIsReportedInChinese)
{
    struct Case
    {
        const char* text;
        int t; // 0: refused
    };
    for (const Case& c : {Case{"5", 5}, Case{"中4", 4}, Case{"3", 3}, Case{"2", 0}, Case{"6", 0}, Case{"", 0},
                          Case{"x", 0}, Case{"45", 0}}) {
        SCOPED_TRACE(c.text);
        const std::string error = test::ErrorOf([&] { EXPECT_EQ(ParseCoverT(c.text), c.t); });
        EXPECT_EQ(error.find("覆盖保证“") != std::string::npos, c.t == 0) << error;
    }
    EXPECT_NE(test::ErrorOf([] { CoverBasket({}, 6); }).find("覆盖保证应为中3、中4或中5"), std::string::npos);
    const LineTable basket(std::string("01 02 03 04 05 06\r\n01 02 03 04 05 6\r\n"));
    EXPECT_NE(test::ErrorOf([&] { BasketReds(basket); }).find("号码篮第2行“01 02 03 04 05 6”"),
              std::string::npos);
}

} // namespace
} // namespace qv
