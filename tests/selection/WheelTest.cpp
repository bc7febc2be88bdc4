#include "selection/Wheel.h"
#include "core/Error.h"
#include "selection/BetForm.h"
#include "selection/WheelTables.h"

#include <gtest/gtest.h>

#include <bit>
#include <map>
#include <set>
#include <tuple>

namespace qv {
namespace {

WheelTicket Mask(std::initializer_list<int> positions)
{
    WheelTicket mask = 0;
    for (const int p : positions)
        mask |= WheelTicket{1} << p;
    return mask;
}

TEST(Wheel, VerifierCountsUncoveredSets)
{
    // The six 6-sets of 0..6 that leave out one of 0..5 hold every 5-set (a 5-set misses
    // two positions, at least one of them below 6).
    std::vector<WheelTicket> sixOfSeven;
    for (int x = 0; x < 6; ++x)
        sixOfSeven.push_back(Mask({0, 1, 2, 3, 4, 5, 6}) & ~(WheelTicket{1} << x));
    const std::vector<WheelTicket> fiveOfSeven(sixOfSeven.begin() + 1, sixOfSeven.end());
    // All 210 6-sets of 0..9 but the last: more tickets than one machine word holds.
    std::vector<WheelTicket> allButOne;
    for (WheelTicket s = 0; s < (WheelTicket{1} << 10); ++s) {
        if (std::popcount(s) == 6 && s != Mask({4, 5, 6, 7, 8, 9}))
            allButOne.push_back(s);
    }
    struct Case
    {
        const char* name;
        int v, m, t;
        std::vector<WheelTicket> tickets;
        std::uint64_t checked, uncovered;
    };
    const Case cases[] = {
        {"C(7,6,5)", 7, 5, 5, sixOfSeven, 21, 0},
        // Without the ticket leaving out 0, only {1,2,3,4,5} is missed.
        {"one ticket taken away", 7, 5, 5, fiveOfSeven, 21, 1},
        // 3-sets inside 0..5 or 2..7: 20 + 20 - 4 of 56.
        {"two overlapping tickets", 8, 3, 3, {Mask({0, 1, 2, 3, 4, 5}), Mask({2, 3, 4, 5, 6, 7})}, 56, 20},
        // Any 6-set of 0..7 meets 0..5 in at least four positions, C(6,4) of them in just four.
        {"lotto design", 8, 6, 4, {Mask({0, 1, 2, 3, 4, 5})}, 28, 0},
        {"lotto design, one more matched", 8, 6, 5, {Mask({0, 1, 2, 3, 4, 5})}, 28, 15},
        {"no tickets", 20, 6, 5, {}, 38760, 38760},
        {"full expansion less one", 10, 6, 6, allButOne, 210, 1},
        {"full expansion less one, 中6保5", 10, 6, 5, allButOne, 210, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const WheelCheck check = VerifyWheel(c.v, c.m, c.t, c.tickets);
        EXPECT_EQ(check.Checked, c.checked);
        EXPECT_EQ(check.Uncovered, c.uncovered);
    }
}

TEST(Wheel, SchoenheimBound)
{
    struct Case
    {
        int v, k, t;
        std::uint64_t bound;
    };
    const Case cases[] = {{7, 6, 5, 6},     {10, 6, 5, 44}, {12, 6, 5, 132},
                          {20, 6, 5, 2624}, {12, 6, 3, 14}, {9, 6, 1, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(SchoenheimBound(c.v, c.k, c.t), c.bound) << c.v << "," << c.k << "," << c.t;
}

TEST(Wheel, BuiltWheelsHoldTheirGuaranteeAndNeedEveryTicket)
{
    struct Case
    {
        int v, m, t, k;
        std::size_t atMost;
    };
    // Sizes: C(7,6,5) = 6, C(10,6,5) = 50, C(12,6,5) = 132 (the Steiner system S(5,6,12)) and
    // C(10,6,4) = 20 are the best known; the others are what the builder reaches today.
    const Case cases[] = {
        {7, 5, 5, 6, 6}, {10, 5, 5, 6, 50}, {12, 5, 5, 6, 132}, {12, 6, 5, 6, 39},  {10, 4, 4, 6, 20},
        {9, 6, 4, 6, 3}, {11, 5, 4, 6, 10}, {12, 3, 3, 4, 57},  {13, 4, 3, 3, 113}, {7, 6, 5, 6, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "v=" << c.v << " 中" << c.m << "保" << c.t << " k=" << c.k);
        const auto tickets = BuildWheel(c.v, c.m, c.t, c.k);
        EXPECT_LE(tickets.size(), c.atMost);
        const WheelCheck check = VerifyWheel(c.v, c.m, c.t, tickets);
        EXPECT_EQ(check.Checked, Binomial(c.v, c.m));
        EXPECT_EQ(check.Uncovered, 0u);
        for (const WheelTicket ticket : tickets) {
            EXPECT_EQ(std::popcount(ticket), c.k);
            EXPECT_LT(ticket, WheelTicket{1} << c.v);
        }
        // The local search leaves no ticket that could go: each removal shows in the verifier.
        if (c.v <= 12) {
            for (std::size_t i = 0; i < tickets.size(); ++i) {
                auto fewer = tickets;
                fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(i));
                EXPECT_GT(VerifyWheel(c.v, c.m, c.t, fewer).Uncovered, 0u) << "ticket " << i;
            }
        }
    }
    EXPECT_EQ(BuildWheel(12, 6, 5, 6), BuildWheel(12, 6, 5, 6));
}

TEST(Wheel, EveryShippedWheelHoldsItsGuarantee)
{
    // Best known sizes of the covering designs C(v,6,5) (中5保5), with 5 % allowed.
    const std::map<int, std::size_t> bestFiveFive = {{7, 6},    {8, 12},   {9, 30},  {10, 50},
                                                     {11, 100}, {12, 132}, {13, 245}};
    std::set<std::tuple<int, int, int>> seen;
    for (const ShippedWheel& wheel : ShippedWheels()) {
        SCOPED_TRACE(testing::Message() << "v=" << wheel.V << " 中" << wheel.M << "保" << wheel.T);
        EXPECT_TRUE(seen.insert({wheel.V, wheel.M, wheel.T}).second);
        const std::vector<WheelTicket> tickets(wheel.Tickets.begin(), wheel.Tickets.end());
        const WheelCheck check = VerifyWheel(wheel.V, wheel.M, wheel.T, tickets);
        EXPECT_EQ(check.Checked, Binomial(wheel.V, wheel.M));
        EXPECT_EQ(check.Uncovered, 0u);
        for (const WheelTicket ticket : tickets) {
            EXPECT_EQ(std::popcount(ticket), 6);
            EXPECT_LT(ticket, WheelTicket{1} << wheel.V);
        }
        if (wheel.M == 5 && wheel.T == 5 && bestFiveFive.count(wheel.V)) {
            EXPECT_LE(tickets.size() * 100, bestFiveFive.at(wheel.V) * 105);
        }
        EXPECT_EQ(BuildWheel(wheel.V, wheel.M, wheel.T, 6), tickets);
    }
    EXPECT_EQ(seen.size(),
              static_cast<std::size_t>(kWheelMaxReds - kWheelMinReds + 1) * OfferedGuarantees().size());
}

TEST(Wheel, SearchKeepsAGoodStartAndIgnoresABadOne)
{
    const std::vector<WheelTicket> steiner(FindShippedWheel(12, 5, 5)->Tickets.begin(),
                                           FindShippedWheel(12, 5, 5)->Tickets.end());
    WheelSearchEffort little;
    little.SearchWork = 1000000;
    EXPECT_LE(SearchWheel(12, 5, 5, 6, little, steiner).size(), steiner.size());
    // Tickets of the wrong size, or too few to hold the guarantee, are no start.
    for (const std::vector<WheelTicket>& bad : {std::vector<WheelTicket>{Mask({0, 1, 2, 3, 4})},
                                                std::vector<WheelTicket>{Mask({0, 1, 2, 3, 4, 5})}}) {
        const auto tickets = SearchWheel(9, 4, 4, 6, little, bad);
        EXPECT_EQ(VerifyWheel(9, 4, 4, tickets).Uncovered, 0u);
    }
}

TEST(Wheel, RequestsThatCannotBeWheeled)
{
    const std::vector<int> seven = {1, 3, 5, 7, 9, 11, 13};
    struct Case
    {
        WheelRequest request;
        const char* message;
    };
    const Case cases[] = {
        {{{1, 2, 3, 4, 5, 6}, {}, {6, 5}}, "旋转矩阵需要选择7至20个红球，现在选择了6个"},
        {{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}, {}, {6, 5}},
         "旋转矩阵需要选择7至20个红球，现在选择了21个"},
        {{{1, 3, 5, 7, 9, 11, 11}, {}, {6, 5}}, "选择的红球中11重复"},
        {{{1, 3, 5, 7, 9, 11, 34}, {}, {6, 5}}, "红球号码应在01至33之间"},
        {{seven, {0}, {6, 5}}, "红球号码应在01至33之间"},
        {{seven, {2, 2}, {6, 5}}, "胆码中02重复"},
        {{seven, {13}, {6, 5}}, "胆码13不能同时是选择的红球"},
        {{seven, {2, 4, 6, 8, 10, 12}, {3, 3}}, "胆码最多5个，现在有6个"},
        {{seven, {}, {6, 6}}, "不提供这种保证；可选：中6保5、中6保4、中5保5、中5保4、中4保4、中4保3、中3保3"},
        {{seven, {2, 4}, {5, 5}}, "2个胆码时每注只有4个选择的红球，不能做到中5保5（胆码最多1个）"},
        {{seven, {2, 4, 6}, {4, 3}}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WheelRequestProblem(c.request), c.message);
        if (*c.message) {
            EXPECT_THROW(MakeWheel(c.request), Error);
        }
    }
}

TEST(Wheel, ResultLinesAndSummary)
{
    const WheelResult wheel = MakeWheel({{13, 11, 9, 7, 5, 3, 1}, {2}, {5, 5}});
    ASSERT_EQ(wheel.Tickets.size(), 21u); // with one banker every 5-set is its own ticket
    EXPECT_EQ(wheel.Lines().front().substr(0, 3), "01 ");
    for (const auto& line : wheel.Lines())
        EXPECT_NE(line.find("02"), std::string::npos) << line;
    EXPECT_EQ(wheel.Summary(), "7码（胆码02）中5保5：21注/42元，全组合21注");
    EXPECT_EQ(wheel.Summary(2), "7码（胆码02）中5保5：42注/84元，全组合42注");
    EXPECT_EQ(wheel.VerifiedText(), "已验证：全部21种情况满足");

    EXPECT_EQ(ParseWheelNumbers("01、05，09 12,3", "红球"), (std::vector<int>{1, 5, 9, 12, 3}));
    EXPECT_THROW(ParseWheelNumbers("01 0x", "红球"), Error);
    ASSERT_TRUE(ParseGuarantee("中4保3"));
    EXPECT_EQ(ParseGuarantee("6-4")->T, 4);
    EXPECT_FALSE(ParseGuarantee("6-3"));
}

} // namespace
} // namespace qv
