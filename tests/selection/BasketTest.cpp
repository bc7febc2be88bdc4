#include "selection/Basket.h"
#include "core/Error.h"
#include "core/RecordingHost.h"
#include "history/Gbk.h"
#include "session/SelectionCommands.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace qv {
namespace {

// The expansion done the plain way: a sorted set of strings under the case-insensitive
// comparison, filled line by line, choice by choice; adding an equal string does nothing.
Lines LiteralBasket(const Lines& betList)
{
    struct Less
    {
        bool operator()(const std::string& a, const std::string& b) const
        {
            return CompareTextIgnoreCase(a, b) < 0;
        }
    };
    std::set<std::string, Less> set;
    for (const auto& line : betList) {
        if (line.empty())
            continue;
        const auto f = SplitFields(line);
        const int n = static_cast<int>(f.size());
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b)
                for (int c = b + 1; c < n; ++c)
                    for (int d = c + 1; d < n; ++d)
                        for (int e = d + 1; e < n; ++e)
                            for (int g = e + 1; g < n; ++g)
                                set.insert(f[a] + " " + f[b] + " " + f[c] + " " + f[d] + " " + f[e] + " " +
                                           f[g]);
    }
    return Lines(set.begin(), set.end());
}

std::string Numbers(int from, int to)
{
    std::string line;
    for (int k = from; k <= to; ++k) {
        if (!line.empty())
            line += ' ';
        line += TwoDigits(k);
    }
    return line;
}

TEST(ExpandLines, MatchesTheLiteralExpansion)
{
    struct Case
    {
        const char* name;
        Lines betList;
    };
    const Case cases[] = {
        {"picker line", {"01 02 03 04 05 06 "}},
        {"typed out of order", {"07 03 01 02 04 05"}},
        {"out of order, seven", {"07 03 01 02 04 05 06"}},
        {"descending", {"12 11 10 09 08 07 06 05"}},
        {"repeated number", {"01 01 02 03 04 05 06"}},
        {"numbers above 33", {"01 02 03 04 05 34 35"}},
        {"zero", {"00 01 02 03 04 05 06"}},
        {"one-digit numbers", {"1 2 3 4 5 6 7", "01 02 03 04 05 06 07"}},
        {"chinese text", {"一 二 三 四 五 六 七", "01 02 03 04 05 06"}},
        {"letters keep the first case", {"a b c d e f g", "A B C D E F G", "a B c D e F"}},
        {"letters around digits", {"0a 01 02 03 04 05 06", "1A 1a 09 10 11 12"}},
        {"double blank", {"01  02 03 04 05 06"}},
        {"leading blank", {" 01 02 03 04 05 06 07"}},
        {"two trailing blanks", {"01 02 03 04 05 06  "}},
        {"short and empty lines", {"", "01 02 03 04 05", "   ", "01 02 03 04 05 06 07 08"}},
        {"mixed groups", {"01 02 03 04 05 06 07 08 09", "09 08 07 06 05 04 03", "05 06 07 08 09 10 x"}},
        {"same line twice", {"03 05 07 09 11 13 15", "03 05 07 09 11 13 15 "}},
        {"groups that overlap", {Numbers(1, 10), Numbers(5, 14), Numbers(1, 8) + " 20"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExpandLines(c.betList).ToLines(), LiteralBasket(c.betList));
    }
}

TEST(ExpandLines, MatchesTheLiteralExpansionOnRandomLists)
{
    const std::vector<std::string> tokens = {"01", "02", "05", "07", "10", "13", "17", "21", "26", "30", "33",
                                             "34", "00", "7",  "ab", "AB", "",   "一", "3a", "3A", "99"};
    std::mt19937 random(20240607);
    for (int round = 0; round < 300; ++round) {
        Lines betList;
        const int lineCount = 1 + static_cast<int>(random() % 4);
        for (int l = 0; l < lineCount; ++l) {
            const int n = 4 + static_cast<int>(random() % 6);
            // Mostly numbers, now and then something else.
            const int spread = random() % 3 == 0 ? static_cast<int>(tokens.size()) : 11;
            std::string line;
            for (int k = 0; k < n; ++k) {
                if (k)
                    line += ' ';
                line += tokens[random() % spread];
            }
            if (random() % 2)
                line += ' ';
            betList.push_back(line);
        }
        SCOPED_TRACE("round " + std::to_string(round) + ": " + Join(betList, " | "));
        ASSERT_EQ(ExpandLines(betList).ToLines(), LiteralBasket(betList));
    }
}

TEST(ExpandLines, CountsAsTheGroupSizesSay)
{
    struct Case
    {
        Lines betList;
        std::size_t lines;
    };
    const Case cases[] = {
        {{Numbers(1, 6)}, 1},      {{Numbers(1, 7)}, 7},
        {{Numbers(1, 10)}, 210},   {{Numbers(1, 12)}, 924},
        {{Numbers(18, 33)}, 8008}, {{Numbers(3, 9), Numbers(3, 9)}, 7},
        {{Numbers(1, 5)}, 0},      {{Numbers(1, 8), Numbers(1, 33), Numbers(20, 28)}, 1107568},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Join(c.betList, " | "));
        EXPECT_EQ(ExpandLines(c.betList).Size(), c.lines);
    }
}

TEST(ExpandLines, FullLineGivesEveryComboInOrder)
{
    const LineTable basket = ExpandLines({Numbers(1, 33) + " "});
    ASSERT_EQ(basket.Size(), 1107568u);
    EXPECT_EQ(basket[0], "01 02 03 04 05 06");
    EXPECT_EQ(basket[1], "01 02 03 04 05 07");
    EXPECT_EQ(basket[27], "01 02 03 04 05 33");
    EXPECT_EQ(basket[28], "01 02 03 04 06 07");
    EXPECT_EQ(basket[basket.Size() - 1], "28 29 30 31 32 33");
    EXPECT_EQ(basket.Text().size(), 1107568u * 19);
    for (std::size_t i = 1; i < basket.Size(); ++i)
        ASSERT_LT(basket[i - 1], basket[i]) << "at line " << i;
}

TEST(EstimateBasket, BoundsWhatTheListCanGive)
{
    std::string twoHundred;
    for (int k = 0; k < 200; ++k)
        twoHundred += std::to_string(k) + " ";
    struct Case
    {
        const char* name;
        Lines betList;
        std::uint64_t lines;
    };
    const Case cases[] = {
        {"full line twice", {Numbers(1, 33), Numbers(1, 33) + " "}, 1107568},
        {"groups inside a full line", {Numbers(1, 24), Numbers(1, 33), Numbers(10, 33)}, 1107568},
        {"plain lines never pass all combos",
         {Numbers(1, 30), Numbers(2, 31), Numbers(3, 32), Numbers(4, 33)},
         1107568},
        {"forty fields", {Numbers(1, 40)}, 3838380},
        {"typed lines add up", {"07 03 01 02 04 05", "07 03 01 02 04 05 ", "07 03 01 02 04 06"}, 2},
        {"two hundred fields", {twoHundred}, 82408626300ull},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EstimateBasket(c.betList).Lines, c.lines);
    }
}

TEST(ExpandLines, RefusesListsBeyondTheCeilings)
{
    std::string twoHundred;
    for (int k = 0; k < 200; ++k)
        twoHundred += TwoDigits(k % 100) + " ";
    // A line of a million fields: C(n, 6) does not fit in 64 bits.
    std::string million;
    for (int k = 0; k < 1000000; ++k)
        million += "x ";
    const std::string longField(30 * 1024 * 1024, '7');
    struct Case
    {
        const char* name;
        Lines betList;
        const char* says;
    };
    const Case cases[] = {
        {"two hundred fields",
         {twoHundred},
         "投注列表最多可分解出82408626300注，超过了号码篮5000000注的上限"},
        {"a million fields", {million}, "无法计数的"},
        {"plain groups and a typed line",
         {Numbers(1, 33), Numbers(1, 33) + " 34 35 36 37 38 39 40 41"},
         "5603956注"},
        {"long fields", {longField + " 01 02 03 04 05 06"}, "128MB的上限"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ExpandLines(c.betList);
            ADD_FAILURE() << "no refusal";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }
}

class ExpandBetListTest : public ::testing::Test
{
protected:
    void SetUp() override { dir.Attach(state); }
    void TearDown() override { SetWriteFailureHook({}); }

    test::TempAppDir dir;
    AppState state;
    RecordingHost host;
};

TEST_F(ExpandBetListTest, WritesTheBasketAndReports)
{
    state.Selection.BetList = {"01 02 03 04 05 06 "};
    ExpandBetList(state, host);
    EXPECT_EQ(dir.ReadBytes("Data/temp.txt"), "01 02 03 04 05 06\r\n");
    EXPECT_EQ(host.LogLines,
              (Lines{" ", "将进行组合....", "01 02 03 04 05 06 ", "合计：1组复式", " ", "数据组合....OK"}));
    EXPECT_EQ(host.Labels["Label29"], "组数：1组");
    EXPECT_EQ(host.Labels["Label4"], "合计共：1注/2元");
    EXPECT_TRUE(state.Selection.BasketReadyFlag);
    EXPECT_EQ(state.Selection.BasketView.ToLines(), Lines{"01 02 03 04 05 06"});
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(ExpandBetListTest, CountsEveryLineAsAGroup)
{
    struct Case
    {
        Lines betList;
        const char* label29;
        const char* label4;
    };
    const Case cases[] = {
        {{Numbers(1, 7), Numbers(1, 7)}, "组数：2组", "合计共：7注/14元"},
        {{Numbers(1, 7), "", Numbers(2, 8)}, "组数：3组", "合计共：13注/26元"},
        {{Numbers(1, 5), Numbers(1, 6)}, "组数：2组", "合计共：1注/2元"},
        {{Numbers(1, 33)}, "组数：1组", "合计共：1107568注/2215136元"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Join(c.betList, " | "));
        state.Selection.BetList = c.betList;
        ExpandBetList(state, host);
        EXPECT_EQ(host.Labels["Label29"], c.label29);
        EXPECT_EQ(host.Labels["Label4"], c.label4);
        EXPECT_EQ(dir.Read("Data/temp.txt"), state.Selection.BasketView.ToLines());
    }
}

TEST_F(ExpandBetListTest, RefusesAnEmptyBetList)
{
    for (const Lines& betList : {Lines{}, Lines{""}, Lines{"  ", "\t", ""}}) {
        SCOPED_TRACE(betList.size());
        host.Clear();
        state.Selection.BetList = betList;
        ExpandBetList(state, host);
        ASSERT_EQ(host.Messages.size(), 1u);
        EXPECT_EQ(host.Messages[0].Caption, "投注");
        EXPECT_EQ(host.Messages[0].Text, "您没有将投注号码添加到投注列表");
        EXPECT_EQ(host.Messages[0].Icon, MessageIcon::Information);
        ASSERT_GE(host.LogLines.size(), 4u);
        EXPECT_EQ(Lines(host.LogLines.end() - 2, host.LogLines.end()),
                  (Lines{" ", "您没有选择投注号码....."}));
        EXPECT_FALSE(dir.Exists("Data/temp.txt"));
        EXPECT_FALSE(state.Selection.BasketReadyFlag);
        EXPECT_TRUE(host.Labels.empty());
    }
}

TEST_F(ExpandBetListTest, FailedWriteKeepsThePreviousBasket)
{
    state.Selection.BetList = {Numbers(1, 7)};
    ExpandBetList(state, host);
    const std::string before = dir.ReadBytes("Data/temp.txt");
    host.Clear();

    SetWriteFailureHook(
        [](const std::filesystem::path& path) { throw Error::CannotOpenFileErrno(path.string(), EACCES); });
    state.Selection.BetList = {Numbers(1, 9)};
    try {
        ExpandBetList(state, host);
        ADD_FAILURE() << "the failed write was not reported";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot open file"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("temp.txt"), std::string::npos);
    }
    EXPECT_EQ(dir.ReadBytes("Data/temp.txt"), before);
    EXPECT_EQ(state.Selection.BasketView.Size(), 7u);
    EXPECT_TRUE(host.Labels.empty());
    EXPECT_NE(host.LogLines.back(), "数据组合....OK");
}

TEST_F(ExpandBetListTest, FailedFirstWriteLeavesTheFlagClear)
{
    SetWriteFailureHook(
        [](const std::filesystem::path& path) { throw Error::CannotOpenFileErrno(path.string(), ENOSPC); });
    state.Selection.BetList = {Numbers(1, 7)};
    EXPECT_THROW(ExpandBetList(state, host), Error);
    EXPECT_FALSE(state.Selection.BasketReadyFlag);
    EXPECT_FALSE(dir.Exists("Data/temp.txt"));
}

TEST_F(ExpandBetListTest, RefusalBeyondTheCeilingChangesNothing)
{
    state.Selection.BetList = {Numbers(1, 7)};
    ExpandBetList(state, host);
    host.Clear();
    state.Selection.BetList = {Numbers(1, 33) + " 34 35 36 37 38 39 40 41 42"};
    EXPECT_THROW(ExpandBetList(state, host), Error);
    EXPECT_EQ(dir.Read("Data/temp.txt").size(), 7u);
    EXPECT_TRUE(host.Labels.empty());
}

TEST_F(ExpandBetListTest, ChineseTextIsWrittenAsGbk)
{
    state.Selection.BetList = {"红 01 02 03 04 05"};
    ExpandBetList(state, host);
    EXPECT_EQ(dir.ReadBytes("Data/temp.txt"), Utf8ToGbk("红 01 02 03 04 05\r\n"));
    EXPECT_EQ(state.Selection.BasketView.ToLines(), Lines{"红 01 02 03 04 05"});
}

TEST_F(ExpandBetListTest, ReloadShowsTheFileAsItStands)
{
    dir.Write("data/TEMP.txt", {"01 02 03 04 05 06", "07 08 09 10 11 12"});
    ReloadBasketView(state, host);
    EXPECT_EQ(state.Selection.BasketView.ToLines(), (Lines{"01 02 03 04 05 06", "07 08 09 10 11 12"}));
    EXPECT_EQ(host.ChangedViews.back(), kBasketViewComponent);
}

TEST(LineTable, CutsAtEveryKindOfBreak)
{
    struct Case
    {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\n", {""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LineTable(c.text).ToLines(), c.lines);
    }
}

} // namespace
} // namespace qv
