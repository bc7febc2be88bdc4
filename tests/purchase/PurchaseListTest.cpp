#include "purchase/PurchaseList.h"
#include "core/Error.h"
#include "core/RecordingHost.h"
#include "history/AppPaths.h"
#include "purchase/BluePicker.h"
#include "session/PurchaseCommands.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace qv {
namespace {

using Log = std::vector<std::string>;

std::string Blue(const std::string& line)
{
    const auto plus = line.rfind('+');
    return plus == std::string::npos ? std::string() : line.substr(plus + 1);
}

std::string Reds(const std::string& line)
{
    const auto plus = line.rfind(" +");
    return plus == std::string::npos ? line : line.substr(0, plus);
}

TEST(BluePicker, PresetsSetTheSixteenBoxes)
{
    struct Case
    {
        std::string caption;
        std::string chosen;
    };
    const Case cases[] = {
        {"全16码", "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 "},
        {"全奇", "01 03 05 07 09 11 13 15 "},
        {"全偶", "02 04 06 08 10 12 14 16 "},
        {"全大", "09 10 11 12 13 14 15 16 "},
        {"全小", "01 02 03 04 05 06 07 08 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        PurchaseState purchase;
        ApplyBluePreset(purchase, BluePreset::Odd); // start from another preset
        SetBlueChecked(purchase, 2, true);
        const auto preset = BluePresetFromCaption(c.caption);
        ASSERT_TRUE(preset.has_value());
        ApplyBluePreset(purchase, *preset);
        EXPECT_EQ(ChosenBlueText(purchase), c.chosen);
        EXPECT_EQ(purchase.SelectedPreset, *preset);
        EXPECT_EQ(BluePresetCaption(*preset), c.caption);
    }
    EXPECT_FALSE(BluePresetFromCaption("全部").has_value());

    PurchaseState atStart;
    EXPECT_EQ(ChosenBlueText(atStart), cases[0].chosen);
    EXPECT_EQ(atStart.SelectedPreset, BluePreset::All16);

    PurchaseState byHand;
    CheckOnlyBlues(byHand, {9, 1, 5, 0, 17});
    EXPECT_EQ(ChosenBlueText(byHand), "01 05 09 ");
    CheckOnlyBlues(byHand, {});
    EXPECT_EQ(ChosenBlueText(byHand), "");
}

TEST(RandomBlues, WhatEachKindOfLineBecomes)
{
    struct Case
    {
        std::string line;
        std::string becomes; // empty: dropped
    };
    const Case cases[] = {
        {"01 02 03 04 05 06", "01 02 03 04 05 06 +07"},
        {"01 02 03 04 05 06 ", "01 02 03 04 05 06 +07"},
        {"01 02 03 04 05 06 +12", "01 02 03 04 05 06 +07"},
        // a compound or banker line keeps its blues; a banker line without one gets one
        {"01 02 03 04 05 06 +12 +13", "01 02 03 04 05 06 +12 +13"},
        {"(01 02) 03 04 05 06 07 +12", "(01 02) 03 04 05 06 07 +12"},
        {"(01 02) 03 04 05 06 07 ", "(01 02) 03 04 05 06 07 +07"},
        {"01 02 03 04 05 06 07 08", "01 02 03 04 05 06 07"},
        {"", ""},
        // two blanks give an empty field, which stands like any other
        {"01  02 03 04 05", "01  02 03 04 05 +07"},
        {"01  02 03 04 05 06", "01  02 03 04 05 +07"},
        {"小 02 03 04 05 06", "小 02 03 04 05 06 +07"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("'" + c.line + "'");
        AppState state;
        RecordingHost host;
        CheckOnlyBlues(state.Purchase, {7});
        state.Purchase.PurchaseList = {"10 11 12 13 14 15", c.line};
        BlueGenerator generator(1);
        AssignRandomBlues(state, host, generator);
        Lines expected = {"10 11 12 13 14 15 +07"};
        if (!c.becomes.empty())
            expected.push_back(c.becomes);
        expected.emplace_back();
        EXPECT_EQ(state.Purchase.PurchaseList, expected);
        EXPECT_EQ(host.LogLines, (Log{" ", "随机蓝码，蓝码共1粒，分别为：07 "}));
        EXPECT_TRUE(host.Messages.empty());
    }
}

TEST(RandomBlues, OneDrawPerNonEmptyLine)
{
    AppState state;
    RecordingHost host;
    state.Purchase.PurchaseList = {"01 02 03 04 05 06", "", "01 02 03 04 05 06 +01 x", "",
                                   "07 08 09 10 11 12 +16"};
    BlueGenerator generator(2024);
    BlueGenerator reference = generator;
    AssignRandomBlues(state, host, generator);

    std::uniform_int_distribution<std::size_t> pick(0, 15);
    const std::size_t first = pick(reference);
    pick(reference); // the line of eight fields draws too, though it keeps its blue
    const std::size_t third = pick(reference);
    EXPECT_EQ(state.Purchase.PurchaseList,
              (Lines{"01 02 03 04 05 06 +" + TwoDigits(static_cast<int>(first) + 1), "01 02 03 04 05 06 +01",
                     "07 08 09 10 11 12 +" + TwoDigits(static_cast<int>(third) + 1), ""}));
    EXPECT_EQ(host.LogLines,
              (Log{" ", "随机蓝码，蓝码共16粒，分别为：01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 "}));
    EXPECT_EQ(state.Purchase.ChosenBlueText, "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 ");
}

TEST(RandomBlues, RepeatedRunsKeepTheRedsAndOneEmptyLine)
{
    AppState state;
    RecordingHost host;
    Lines reds;
    for (int i = 1; i <= 28; ++i)
        reds.push_back(TwoDigits(i) + " 29 30 31 32 33");
    state.Purchase.PurchaseList = reds;

    // only 07: every line ends in +07, and another run changes nothing
    CheckOnlyBlues(state.Purchase, {7});
    AssignRandomBlues(state, host);
    const Lines once = state.Purchase.PurchaseList;
    AssignRandomBlues(state, host);
    EXPECT_EQ(state.Purchase.PurchaseList, once);
    ASSERT_EQ(once.size(), reds.size() + 1);
    EXPECT_EQ(once.back(), "");
    for (std::size_t i = 0; i < reds.size(); ++i)
        EXPECT_EQ(once[i], reds[i] + " +07");

    // "全大" then unchecking 16: blues only from 09..15, red parts unchanged
    ApplyBluePreset(state.Purchase, BluePreset::Big);
    SetBlueChecked(state.Purchase, 16, false);
    BlueGenerator generator(7);
    std::set<std::string> seen;
    for (int run = 0; run < 20; ++run) {
        AssignRandomBlues(state, host, generator);
        ASSERT_EQ(state.Purchase.PurchaseList.size(), reds.size() + 1);
        for (std::size_t i = 0; i < reds.size(); ++i) {
            EXPECT_EQ(Reds(state.Purchase.PurchaseList[i]), reds[i]);
            seen.insert(Blue(state.Purchase.PurchaseList[i]));
        }
    }
    EXPECT_EQ(seen, (std::set<std::string>{"09", "10", "11", "12", "13", "14", "15"}));
    EXPECT_EQ(host.LogLines.back(), "随机蓝码，蓝码共7粒，分别为：09 10 11 12 13 14 15 ");
}

TEST(RandomBlues, SameSeedSameListAndClockSeedsDiffer)
{
    Lines list(300, "01 02 03 04 05 06");
    auto run = [&](BlueGenerator* generator) {
        AppState state;
        RecordingHost host;
        state.Purchase.PurchaseList = list;
        if (generator)
            AssignRandomBlues(state, host, *generator);
        else
            AssignRandomBlues(state, host);
        return state.Purchase.PurchaseList;
    };
    BlueGenerator a(99), b(99);
    EXPECT_EQ(run(&a), run(&b));
    // two clock-seeded runs drawing 300 blues each agree with a chance of 16^-300
    EXPECT_NE(run(nullptr), run(nullptr));
}

TEST(RandomBlues, BluesAreUniform)
{
    // Pearson's chi-square over many draws against the 0.1% critical value.
    struct Case
    {
        std::vector<int> blues;
        double critical; // chi-square, blues.size() - 1 degrees of freedom, p = 0.001
    };
    const Case cases[] = {
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, 37.70},
        {{3, 8, 13}, 13.82},
        {{1, 3, 5, 7, 9, 11, 13}, 22.46},
    };
    constexpr std::size_t kLines = 48000;
    for (const auto& c : cases) {
        for (const std::uint64_t seed : {1u, 2u, 3u}) {
            SCOPED_TRACE(std::to_string(c.blues.size()) + " blues, seed " + std::to_string(seed));
            AppState state;
            RecordingHost host;
            CheckOnlyBlues(state.Purchase, c.blues);
            state.Purchase.PurchaseList.assign(kLines, "01 02 03 04 05 06");
            BlueGenerator generator(seed);
            AssignRandomBlues(state, host, generator);
            std::map<std::string, std::size_t> counts;
            for (const auto& line : state.Purchase.PurchaseList)
                if (!line.empty())
                    ++counts[Blue(line)];
            ASSERT_EQ(counts.size(), c.blues.size());
            const double expected = static_cast<double>(kLines) / static_cast<double>(c.blues.size());
            double chi = 0;
            for (const int blue : c.blues) {
                const double d = static_cast<double>(counts[TwoDigits(blue)]) - expected;
                chi += d * d / expected;
            }
            EXPECT_LT(chi, c.critical);
        }
    }
}

TEST(RandomBlues, RefusalsAndMalformedLinesChangeNothing)
{
    struct Case
    {
        std::string name;
        Lines list;
        std::vector<int> blues;
        std::string message; // the refusal's box text, when it refuses
        std::string error;   // the failure text, when it stops
    };
    const Case cases[] = {
        {"empty list", {}, {7}, "没有加载购买清单", ""},
        {"only white space", {"", "  ", "\t"}, {7}, "没有加载购买清单", ""},
        {"five fields",
         {"01 02 03 04 05 06", "", "01 02 03 04 05"},
         {7},
         "",
         "购买清单第3行“01 02 03 04 05”不足6个红球号码，无法配蓝码（每行应为6个红球，以一个空格分隔，如“01 "
         "02 03 "
         "04 05 06”）"},
        {"blanks only among lines", {"01 02 03 04 05 06", " "}, {7}, "", "购买清单第2行“ ”不足6个红球号码"},
        {"no blue box checked",
         {"01 02 03 04 05 06 07 08", "01 02 03 04 05 06 +09"},
         {},
         "",
         "没有选择蓝码，请至少勾选一个蓝码（购买清单第2行“01 02 03 04 05 06 +09”需要配蓝码）"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AppState state;
        RecordingHost host;
        CheckOnlyBlues(state.Purchase, c.blues);
        state.Purchase.PurchaseList = c.list;
        BlueGenerator generator(5);
        if (!c.message.empty()) {
            AssignRandomBlues(state, host, generator);
            ASSERT_EQ(host.Messages.size(), 1u);
            EXPECT_EQ(host.Messages[0].Caption, "非法操作");
            EXPECT_EQ(host.Messages[0].Text, c.message);
            EXPECT_EQ(host.Messages[0].Icon, MessageIcon::Information);
        } else {
            try {
                AssignRandomBlues(state, host, generator);
                ADD_FAILURE() << "no error";
            } catch (const Error& e) {
                EXPECT_EQ(std::string(e.what()).rfind(c.error, 0), 0u) << e.what();
            }
        }
        EXPECT_EQ(state.Purchase.PurchaseList, c.list);
        EXPECT_TRUE(host.LogLines.empty());
    }

    // lines that keep their own blue need no checked box
    AppState state;
    RecordingHost host;
    CheckOnlyBlues(state.Purchase, {});
    state.Purchase.PurchaseList = {"01 02 03 04 05 06 +09 x"};
    AssignRandomBlues(state, host);
    EXPECT_EQ(state.Purchase.PurchaseList, (Lines{"01 02 03 04 05 06 +09", ""}));
    EXPECT_EQ(host.LogLines, (Log{" ", "随机蓝码，蓝码共0粒，分别为："}));
}

TEST(PurchaseList, TakingTheBasket)
{
    test::TempAppDir dir;
    AppState state;
    dir.Attach(state);
    RecordingHost host;
    const Lines basket = {"01 02 03 04 05 06", "01 02 03 04 05 07"};
    dir.Write("Data/temp.txt", basket); // left from an earlier run
    state.Purchase.PurchaseList = {"kept"};

    EXPECT_FALSE(TakeBasketIntoPurchaseList(state, host));
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Caption, "非法操作");
    EXPECT_EQ(host.Messages[0].Text, "您的号码篮没有号码，请先导入号码列表或进行组合");
    EXPECT_EQ(host.Messages[0].Icon, MessageIcon::Information);
    EXPECT_EQ(host.ShownViews, (Log{"投注/组合"}));
    EXPECT_EQ(state.Purchase.PurchaseList, Lines{"kept"});
    EXPECT_TRUE(host.LogLines.empty());

    host.Clear();
    state.Selection.BasketReadyFlag = true;
    EXPECT_TRUE(TakeBasketIntoPurchaseList(state, host));
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_EQ(host.ShownViews, (Log{"购买清单"}));
    EXPECT_EQ(state.Purchase.PurchaseList, basket);
    EXPECT_EQ(state.Selection.BasketView.ToLines(), basket); // the basket view reloaded too

    // the basket file gone: the platform's report, the list as it was
    std::filesystem::remove(state.File(files::kBasket));
    state.Purchase.PurchaseList = {"kept"};
    EXPECT_THROW(TakeBasketIntoPurchaseList(state, host), Error);
    EXPECT_EQ(state.Purchase.PurchaseList, Lines{"kept"});
}

TEST(PurchaseList, SaveAndLoadRoundTrip)
{
    test::TempAppDir dir;
    AppState state;
    dir.Attach(state);
    RecordingHost host;
    state.Purchase.PurchaseList = {"01 02 03 04 05 06", "", "07 08 09 10 11 12 +03"};
    BlueGenerator generator(11);
    AssignRandomBlues(state, host, generator);
    const Lines saved = state.Purchase.PurchaseList;

    // cancelled: no file
    EXPECT_FALSE(SavePurchaseList(state, host));
    ASSERT_EQ(host.SaveRequests.size(), 1u);
    EXPECT_EQ(host.SaveRequests[0].ProposedName, "双色球购买清单.txt");
    EXPECT_EQ(host.SaveRequests[0].Filter, "*.txt|*.txt");
    EXPECT_EQ(host.SaveRequests[0].StartFolder, dir.Path());
    EXPECT_FALSE(dir.Exists("双色球购买清单.txt"));

    host.QueueSaveFile(dir / "双色球购买清单.txt");
    EXPECT_TRUE(SavePurchaseList(state, host));
    const std::string bytes = dir.ReadBytes("双色球购买清单.txt");
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n"); // the empty line after "随机->"
    EXPECT_EQ(bytes.size(), 2 * 23 + 2u);

    state.Purchase.PurchaseList = {"other"};
    EXPECT_FALSE(LoadPurchaseList(state, host));
    EXPECT_EQ(state.Purchase.PurchaseList, Lines{"other"});
    host.QueueOpenFile(dir / "双色球购买清单.txt");
    EXPECT_TRUE(LoadPurchaseList(state, host));
    EXPECT_EQ(state.Purchase.PurchaseList, saved);

    // unwritable target and unreadable source: the platform's report, list unchanged
    dir.Write("blocker", {"x"});
    host.QueueSaveFile(dir / "blocker" / "list.txt");
    EXPECT_THROW(SavePurchaseList(state, host), Error);
    host.QueueOpenFile(dir / "missing.txt");
    EXPECT_THROW(LoadPurchaseList(state, host), Error);
    EXPECT_EQ(state.Purchase.PurchaseList, saved);
}

} // namespace
} // namespace qv
