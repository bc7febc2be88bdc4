#include "session/SavedSession.h"

#include "core/RecordingHost.h"
#include "filters/FilterRun.h"
#include "history/AppPaths.h"
#include "purchase/BluePicker.h"
#include "purchase/PurchaseList.h"
#include "selection/Basket.h"
#include "session/PurchaseCommands.h"
#include "session/SelectionCommands.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// A state over dir as the desktop program holds it after its start: the filter defaults.
void Fresh(AppState& state, const test::TempAppDir& dir)
{
    dir.Attach(state);
    ResetFilterState(state.Filters);
}

// Every part of the session changed from its default, with an expanded basket of 7 lines.
void Work(AppState& state, const test::TempAppDir& dir)
{
    Fresh(state, dir);
    for (auto& [name, on] : state.Filters.Switches)
        on = !on;
    for (auto& [name, text] : state.Filters.Edits)
        text += "7";
    for (auto& [name, lines] : state.Filters.Memos)
        lines = {"01 05,1", "", "位置=3\\n"};
    state.Filters.SelectAllState = true;
    state.Selection.Picker[0] = state.Selection.Picker[32] = true;
    state.Selection.BetList = {"01 02 03 04 05 06 07", "", "10 11 12 13 14 15"};
    ApplyBluePreset(state.Purchase, BluePreset::Odd);
    SetBlueChecked(state.Purchase, 1, false);
    state.Purchase.ListPath = dir / "清单/双色球购买清单.txt";
    RecordingHost host;
    ExpandBetList(state, host);
}

TEST(SavedSession, EveryPartComesBackAfterARestartAndResetGoesToTheDefaults)
{
    test::TempAppDir dir;
    AppState before;
    Work(before, dir);
    ASSERT_EQ(before.Selection.BasketView.Size(), 8u);
    SaveSession(before);

    AppState after;
    Fresh(after, dir);
    const std::string line = LoadSession(after);
    EXPECT_EQ(line, "已恢复上次的设置（过滤条件、选号与投注列表、蓝码、购买清单位置），号码篮8注");
    EXPECT_EQ(after.Filters.Switches, before.Filters.Switches);
    EXPECT_EQ(after.Filters.Edits, before.Filters.Edits);
    EXPECT_EQ(after.Filters.Memos, before.Filters.Memos);
    EXPECT_TRUE(after.Filters.SelectAllState);
    EXPECT_EQ(after.Selection.Picker, before.Selection.Picker);
    EXPECT_EQ(after.Selection.BetList, before.Selection.BetList);
    EXPECT_EQ(after.Purchase.BlueChecked, before.Purchase.BlueChecked);
    EXPECT_EQ(after.Purchase.SelectedPreset, BluePreset::Odd);
    EXPECT_EQ(after.Purchase.ListPath, before.Purchase.ListPath);
    EXPECT_TRUE(after.Selection.BasketReadyFlag);
    EXPECT_EQ(after.Selection.BasketView.Text(), before.Selection.BasketView.Text());
    EXPECT_EQ(after.Selection.BasketGroups, 3u);

    ResetSession(after);
    AppState defaults;
    Fresh(defaults, dir);
    EXPECT_EQ(after.Filters.Switches, defaults.Filters.Switches);
    EXPECT_EQ(after.Filters.Edits, defaults.Filters.Edits);
    EXPECT_EQ(after.Filters.Memos, defaults.Filters.Memos);
    EXPECT_EQ(after.Selection.Picker, defaults.Selection.Picker);
    EXPECT_TRUE(after.Selection.BetList.empty());
    EXPECT_EQ(after.Purchase.BlueChecked, defaults.Purchase.BlueChecked);
    EXPECT_EQ(after.Purchase.SelectedPreset, BluePreset::All16);
    EXPECT_TRUE(after.Purchase.ListPath.empty());
    EXPECT_TRUE(after.Selection.BasketReadyFlag); // the basket is the player's data, not a setting
}

TEST(SavedSession, PurchaseListDialogsStartAtTheLastListSavedOrLoaded)
{
    test::TempAppDir dir;
    AppState state;
    Fresh(state, dir);
    state.Purchase.PurchaseList = {"01 02 03 04 05 06 +07"};
    RecordingHost host;
    const std::filesystem::path saved = dir / "lists/周六.txt";
    const std::filesystem::path loaded = dir / "old/周三.txt";
    dir.Write("old/周三.txt", {"01 02 03 04 05 06"});
    host.QueueSaveFile(saved);
    ASSERT_TRUE(SavePurchaseList(state, host));
    host.QueueSaveFile(std::nullopt);
    SavePurchaseList(state, host);
    host.QueueOpenFile(loaded);
    ASSERT_TRUE(LoadPurchaseList(state, host));
    host.QueueSaveFile(std::nullopt);
    SavePurchaseList(state, host);

    ASSERT_EQ(host.SaveRequests.size(), 3u);
    EXPECT_EQ(host.SaveRequests[0].StartFolder, dir.Path());
    EXPECT_EQ(host.SaveRequests[0].ProposedName, kPurchaseListFileName);
    EXPECT_EQ(host.SaveRequests[1].StartFolder, saved.parent_path());
    EXPECT_EQ(host.SaveRequests[1].ProposedName, "周六.txt");
    EXPECT_EQ(host.OpenRequests.at(0).StartFolder, saved.parent_path());
    EXPECT_EQ(host.SaveRequests[2].StartFolder, loaded.parent_path());
    EXPECT_EQ(host.SaveRequests[2].ProposedName, "周三.txt");
    EXPECT_EQ(state.Purchase.ListPath, loaded);
}

TEST(SavedSession, TheBasketIsReadyOnlyWhileItsFileIsTheOneWritten)
{
    struct Case
    {
        const char* name;
        void (*change)(const test::TempAppDir&);
        std::string line; // what follows the restored settings
    };
    const Case cases[] = {
        {"unchanged", [](const test::TempAppDir&) {}, "，号码篮8注"},
        {"filtered in this run, then saved",
         [](const test::TempAppDir& dir) {
             // a filter run reloads the basket it wrote
             AppState state;
             dir.Attach(state);
             dir.WriteBytes(files::kBasket, "01 02 03 04 05 06\r\n");
             RecordingHost host;
             ReloadBasketView(state, host);
             state.Selection.BasketReadyFlag = true;
             SaveSession(state);
         },
         "，号码篮1注"},
        {"one character changed",
         [](const test::TempAppDir& dir) {
             std::string bytes = dir.ReadBytes(files::kBasket);
             bytes[0] = '9';
             dir.WriteBytes(files::kBasket, bytes);
         },
         "；号码篮文件“Data/temp.txt”已被改动，号码篮未恢复"},
        {"cut short",
         [](const test::TempAppDir& dir) {
             const std::string bytes = dir.ReadBytes(files::kBasket);
             dir.WriteBytes(files::kBasket, bytes.substr(0, bytes.size() - 10));
         },
         "；号码篮文件“Data/temp.txt”已被改动，号码篮未恢复"},
        {"removed", [](const test::TempAppDir& dir) { std::filesystem::remove(dir / files::kBasket); },
         "；号码篮文件“Data/temp.txt”已不存在，号码篮未恢复"},
        {"never expanded",
         [](const test::TempAppDir& dir) {
             AppState state;
             Fresh(state, dir);
             SaveSession(state);
         },
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempAppDir dir;
        AppState before;
        Work(before, dir);
        SaveSession(before);
        c.change(dir);
        AppState after;
        Fresh(after, dir);
        EXPECT_EQ(LoadSession(after),
                  "已恢复上次的设置（过滤条件、选号与投注列表、蓝码、购买清单位置）" + c.line);
        EXPECT_EQ(after.Selection.BasketReadyFlag, c.line.find("注") != std::string::npos);
        EXPECT_EQ(after.Selection.BasketView.Empty(), !after.Selection.BasketReadyFlag);
    }
}

TEST(SavedSession, ADamagedFileIsIgnoredAndNamedAndTheDefaultsStay)
{
    struct Case
    {
        std::string bytes;
        std::string reason; // empty: accepted
    };
    const std::string head = "version=1\n";
    const Case cases[] = {
        {head + "reds=01 33\nfilter.switch.NoSuchBox=1\nfilter.memo.NoSuchMemo=x\nfuture.key=x\nend=1\n", ""},
        {head + "reds=01 34\nend=1\n", "的“reds=01 34”不对（应为01–33的升序号码，以空格分隔）"},
        {head + "reds=05 01\nend=1\n", "的“reds=05 01”不对"},
        {head + "blues=17\nend=1\n", "的“blues=17”不对"},
        {head + "blues.preset=全部\nend=1\n", "的“blues.preset=全部”不对"},
        {head + "filter.switch.CheckBox6=yes\nend=1\n", "的“filter.switch.CheckBox6=yes”不对（应为0或1）"},
        {head + "filter.selectall=2\nend=1\n", "的“filter.selectall=2”不对"},
        {head + "basket.stamp=12\nend=1\n", "的“basket.stamp=12”不对"},
        {head + "basket.groups=-1\nend=1\n", "的“basket.groups=-1”不对"},
        {head + "reds=01 33\n", "不完整（缺少结尾行“end=1”）"},
        {"Data=1\r\n", "第1行应为“version=1”"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        test::TempAppDir dir;
        dir.WriteBytes(kSessionFile, c.bytes);
        AppState state;
        Fresh(state, dir);
        const std::string line = LoadSession(state);
        if (c.reason.empty()) {
            EXPECT_EQ(line.rfind("已恢复上次的设置", 0), 0u) << line;
            EXPECT_TRUE(state.Selection.Picker[0] && state.Selection.Picker[32]);
            continue;
        }
        EXPECT_EQ(line.rfind("设置文件“" + (dir / kSessionFile).string() + "”", 0), 0u) << line;
        EXPECT_NE(line.find(c.reason), std::string::npos) << line;
        EXPECT_TRUE(line.ends_with("，已忽略，使用默认设置")) << line;
        EXPECT_FALSE(state.Selection.Picker[0]);
    }
}

} // namespace
} // namespace qv
