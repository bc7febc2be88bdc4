#include "core/Error.h"
#include "core/RecordingHost.h"
#include "selection/Basket.h"
#include "selection/BetList.h"
#include "selection/Selector24.h"
#include "session/SelectionCommands.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <bit>

namespace qv {
namespace {

std::vector<int> RedGroups(const std::array<bool, kGroupCount24>& red)
{
    std::vector<int> groups;
    for (int g = 0; g < kGroupCount24; ++g)
        if (red[g])
            groups.push_back(g + 1);
    return groups;
}

TEST(Groups24, CaptionsAreTwentyFourAscendingNumbers)
{
    for (int g = 0; g < kGroupCount24; ++g) {
        SCOPED_TRACE(g + 1);
        const auto fields = SplitFields(Groups24()[g]);
        ASSERT_EQ(fields.size(), 24u);
        for (std::size_t k = 1; k < fields.size(); ++k)
            EXPECT_LT(fields[k - 1], fields[k]);
        EXPECT_EQ(std::popcount(GroupMask24(g)), 24);
    }
}

TEST(Groups24, EveryNumberLiesInTwentyToTwentyTwoGroups)
{
    for (int number = 1; number <= 33; ++number) {
        int groups = 0;
        for (int g = 0; g < kGroupCount24; ++g)
            groups += GroupMask24(g) >> (number - 1) & 1;
        SCOPED_TRACE(number);
        EXPECT_GE(groups, 20);
        EXPECT_LE(groups, 22);
    }
}

TEST(Groups24, EveryComboLiesInOneToSeventeenGroups)
{
    std::array<std::uint64_t, kGroupCount24> masks{};
    for (int g = 0; g < kGroupCount24; ++g)
        masks[g] = GroupMask24(g);
    int fewest = 99;
    int most = 0;
    std::uint64_t combos = 0;
    for (int a = 0; a < 33; ++a)
        for (int b = a + 1; b < 33; ++b)
            for (int c = b + 1; c < 33; ++c)
                for (int d = c + 1; d < 33; ++d)
                    for (int e = d + 1; e < 33; ++e)
                        for (int f = e + 1; f < 33; ++f) {
                            const std::uint64_t combo = (1ull << a) | (1ull << b) | (1ull << c) |
                                                        (1ull << d) | (1ull << e) | (1ull << f);
                            int groups = 0;
                            for (const auto mask : masks)
                                groups += (combo & ~mask) == 0;
                            fewest = std::min(fewest, groups);
                            most = std::max(most, groups);
                            ++combos;
                        }
    EXPECT_EQ(combos, 1107568u);
    EXPECT_EQ(fewest, 1);
    EXPECT_EQ(most, 17);
}

TEST(HitGroups24, MarksTheGroupsHoldingAllSixReds)
{
    struct Case
    {
        const char* line;
        std::vector<int> groups;
    };
    const Case cases[] = {
        {"2010001 01 02 03 04 05 06 09", {26}},
        {"2010001 01 02 03 04 05 07 09", {8, 26}},
        {"2009148 06 12 15 22 29 32 07", {10, 12}},
        // Texts are searched in the caption: one digit occurs inside numbers, "34" and "" nowhere.
        {"x 1 2 3 4 5 6 7",
         {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}},
        {"x 01 02 03 04 05 34 07", {}},
        {"x 01  02 03 04 05 06", {}},
        {"x 01 01 02 03 04 05 07", {6, 8, 26}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(RedGroups(HitGroups24(c.line)), c.groups);
    }
}

TEST(HitGroups24, EveryRealDrawHitsAGroup)
{
    const Lines history = test::RealHistoryLines();
    ASSERT_GT(history.size(), 3000u);
    for (const auto& line : history) {
        const auto red = HitGroups24(line);
        ASSERT_FALSE(RedGroups(red).empty()) << line;
    }
}

class SelectorTest : public ::testing::Test
{
protected:
    void SetUp() override { dir.Attach(state); }

    test::TempAppDir dir;
    AppState state;
    RecordingHost host;
};

TEST_F(SelectorTest, QueryColoursTheSelectedDraw)
{
    dir.Write("data/data.txt", {"2010002 01 02 03 04 05 07 09", "2010001 01 02 03 04 05 06 09"});
    FillIssueSelector(state, host);
    auto& selector = state.Selection.Selector;
    EXPECT_EQ(selector.SelectedIssue, 0);
    selector.Checked[3] = true;
    QueryGroups(state, host);
    EXPECT_EQ(RedGroups(selector.Red), (std::vector<int>{8, 26}));
    selector.SelectedIssue = 1;
    QueryGroups(state, host);
    EXPECT_EQ(RedGroups(selector.Red), (std::vector<int>{26}));
    EXPECT_TRUE(selector.Checked[3]);

    ClearGroupChecks(state, host);
    EXPECT_FALSE(selector.Checked[3]);
    EXPECT_EQ(RedGroups(selector.Red), (std::vector<int>{26}));

    ReloadIssueSelector(state, host);
    EXPECT_EQ(selector.Issues.size(), 2u);
    EXPECT_EQ(selector.SelectedIssue, -1);
    QueryGroups(state, host);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(RedGroups(selector.Red), (std::vector<int>{26}));
}

TEST_F(SelectorTest, MalformedDrawKeepsTheColours)
{
    dir.Write("data/data.txt", {"2010001 01 02 03 04 05 06 09", "2010000 01 02 03 04 05"});
    FillIssueSelector(state, host);
    QueryGroups(state, host);
    state.Selection.Selector.SelectedIssue = 1;
    try {
        QueryGroups(state, host);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("2010000 01 02 03 04 05"), std::string::npos);
    }
    EXPECT_EQ(RedGroups(state.Selection.Selector.Red), (std::vector<int>{26}));
}

TEST_F(SelectorTest, EmptyOrMissingHistory)
{
    dir.Write("data/data.txt", {});
    FillIssueSelector(state, host);
    EXPECT_EQ(state.Selection.Selector.SelectedIssue, -1);
    std::filesystem::remove(dir / "data/data.txt");
    EXPECT_THROW(FillIssueSelector(state, host), Error);
}

TEST_F(SelectorTest, AddingGroupsOneAndTwoExpandsToTheirUnion)
{
    state.Selection.Selector.Checked[0] = true;
    state.Selection.Selector.Checked[1] = true;
    EXPECT_TRUE(AddCheckedGroups(state, host));
    EXPECT_EQ(state.Selection.BetList, (Lines{std::string(Groups24()[0]), std::string(Groups24()[1])}));
    EXPECT_EQ(std::popcount(GroupMask24(0) & GroupMask24(1)), 18);

    ExpandBetList(state, host);
    EXPECT_EQ(host.Labels["Label29"], "组数：2组");
    // 2 × C(24, 6) − C(18, 6)
    EXPECT_EQ(state.Selection.BasketView.Size(), 2u * 134596 - 18564);
    EXPECT_EQ(host.Labels["Label4"], "合计共：250628注/501256元");
}

TEST_F(SelectorTest, AddingNothingRefuses)
{
    EXPECT_FALSE(AddCheckedGroups(state, host));
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Caption, "号码选择");
    EXPECT_EQ(host.Messages[0].Text, "您没有选择任何复式组合");
    EXPECT_EQ(host.Messages[0].Icon, MessageIcon::None);
    EXPECT_TRUE(state.Selection.BetList.empty());
}

TEST_F(SelectorTest, PickerAddsOneLineOfSixOrMore)
{
    auto& picker = state.Selection.Picker;
    for (int k : {1, 2, 3, 4, 5, 6})
        picker[k - 1] = true;
    EXPECT_TRUE(AddPickerToBetList(state, host));
    EXPECT_TRUE(AddPickerToBetList(state, host));
    EXPECT_EQ(state.Selection.BetList, (Lines{"01 02 03 04 05 06 ", "01 02 03 04 05 06 "}));

    picker[5] = false;
    EXPECT_FALSE(AddPickerToBetList(state, host));
    EXPECT_EQ(state.Selection.BetList.size(), 2u);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Caption, "错误投注");
    EXPECT_EQ(host.Messages[0].Text, "投注号码不能少于6个");
    EXPECT_EQ(host.Messages[0].Icon, MessageIcon::Information);
    EXPECT_EQ(host.LogLines, (Lines{" ", "您没有选择投注号码....."}));

    CheckAllPicker(state, host);
    EXPECT_EQ(PickerLine(picker).size(), 33u * 3);
    ClearPicker(state, host);
    EXPECT_EQ(PickerLine(picker), "");
    picker[2] = picker[7] = picker[10] = picker[18] = picker[23] = picker[29] = true;
    EXPECT_EQ(PickerLine(picker), "03 08 11 19 24 30 ");
}

TEST_F(SelectorTest, LoadAndClearTheBetList)
{
    dir.Write("mine.txt", {"01 02 03 04 05 06", "", "一 二"});
    state.Selection.BetList = {"old"};
    host.QueueOpenFile(std::nullopt);
    LoadBetList(state, host);
    EXPECT_EQ(state.Selection.BetList, Lines{"old"});
    host.QueueOpenFile(dir / "mine.txt");
    LoadBetList(state, host);
    EXPECT_EQ(state.Selection.BetList, (Lines{"01 02 03 04 05 06", "", "一 二"}));
    EXPECT_EQ(host.OpenRequests.back().StartFolder, dir.Path());

    ExpandBetList(state, host);
    ClearBetList(state, host);
    EXPECT_TRUE(state.Selection.BetList.empty());
    EXPECT_TRUE(state.Selection.BasketReadyFlag);
    EXPECT_EQ(state.Selection.BasketView.Size(), 1u);
    EXPECT_EQ(host.Labels["Label29"], "组数：3组");
}

} // namespace
} // namespace qv
