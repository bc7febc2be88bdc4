#include "session/SelectionCommands.h"

#include "history/AppPaths.h"
#include "history/FileStamp.h"
#include "history/Gbk.h"
#include "history/TextFile.h"
#include "session/AppState.h"

#include <algorithm>

namespace qv {

namespace {

void SetAllPicker(AppState& state, Host& host, bool checked)
{
    for (int k = 0; k < kPickerNumbers; ++k) {
        if (state.Selection.Picker[k] == checked)
            continue;
        state.Selection.Picker[k] = checked;
        host.ViewChanged("hao" + std::to_string(k + 1));
    }
}

// The issue selector's items: the history file's lines as they stand.
void LoadIssues(AppState& state)
{
    state.Selection.Selector.Issues = LoadLines(state.File(files::kHistory));
}

} // namespace

void ShowStartLabels(Host& host)
{
    host.SetLabel("Label29", kLabel29Start);
    host.SetLabel("Label4", kLabel4Start);
}

void ExpandBetList(AppState& state, Host& host)
{
    const Lines& betList = state.Selection.BetList;
    LogStep(host, "将进行组合....");
    // The bet list's whole text: its lines, or one empty entry for the empty text.
    if (betList.empty())
        host.Log("");
    for (const auto& line : betList)
        host.Log(line);

    if (IsBlankBetList(betList)) {
        host.Message("投注", "您没有将投注号码添加到投注列表", MessageIcon::Information, MessageButtons::Ok);
        LogStep(host, "您没有选择投注号码.....");
        return;
    }

    const std::uint64_t groups = betList.size();
    host.Log("合计：" + std::to_string(groups) + "组复式");

    LineTable basket = ExpandLines(betList);
    const std::filesystem::path path = state.File(files::kBasket);
    const std::string& text = basket.Text();
    if (IsAscii(text)) {
        ReplaceFile(path, text);
        state.Selection.BasketStampOfView = true;
    } else {
        // The view shows what the file now holds, characters GBK lacks included.
        const std::string gbk = Utf8ToGbk(text);
        ReplaceFile(path, gbk);
        state.Selection.BasketStamp = StampOf(gbk);
        state.Selection.BasketStampOfView = false;
        basket = LineTable(GbkToUtf8(gbk));
    }
    state.Selection.BasketFile = IdentityOf(path);

    // The flag follows the file: only a basket that was written counts as expanded.
    state.Selection.BasketReadyFlag = true;
    state.Selection.BasketGroups = betList.size();
    const std::uint64_t bets = basket.Size();
    state.Selection.BasketView = std::move(basket);
    host.ViewChanged(kBasketViewComponent);
    host.SetLabel("Label29", GroupCountText(groups));
    host.SetLabel("Label4", BasketTotalText(bets));
    LogStep(host, "数据组合....OK");
}

void ReloadBasketView(AppState& state, Host& host)
{
    const std::filesystem::path path = state.File(files::kBasket);
    // Looked at before the read: a write in between makes the next run read it again.
    const std::optional<FileIdentity> identity = IdentityOf(path);
    const std::string bytes = ReadFileBytes(path);
    state.Selection.BasketStamp = StampOf(bytes);
    state.Selection.BasketStampOfView = false;
    state.Selection.BasketView = LineTable(GbkToUtf8(bytes));
    state.Selection.BasketFile = identity;
    host.ViewChanged(kBasketViewComponent);
}

void ShowWrittenBasket(AppState& state, Host& host, LineTable written, const std::string* gbk)
{
    SelectionState& selection = state.Selection;
    if (gbk == nullptr) {
        selection.BasketView = std::move(written);
        selection.BasketStampOfView = true;
    } else {
        selection.BasketStamp = StampOf(*gbk);
        selection.BasketStampOfView = false;
        selection.BasketView = LineTable(GbkToUtf8(*gbk));
    }
    selection.BasketFile = IdentityOf(state.File(files::kBasket));
    host.ViewChanged(kBasketViewComponent);
}

void CheckAllPicker(AppState& state, Host& host)
{
    SetAllPicker(state, host, true);
}

void ClearPicker(AppState& state, Host& host)
{
    SetAllPicker(state, host, false);
}

bool AddPickerToBetList(AppState& state, Host& host)
{
    const auto& picker = state.Selection.Picker;
    if (CheckedCount(picker) < 6) {
        host.Message("错误投注", "投注号码不能少于6个", MessageIcon::Information, MessageButtons::Ok);
        LogStep(host, "您没有选择投注号码.....");
        return false;
    }
    AppendBetLine(state, host, PickerLine(picker));
    return true;
}

void AppendBetLine(AppState& state, Host& host, std::string line)
{
    state.Selection.BetList.push_back(std::move(line));
    host.ViewChanged(kBetListComponent);
}

void LoadBetList(AppState& state, Host& host)
{
    const auto path = host.ChooseOpenFile(state.TextFileDialog());
    if (!path)
        return;
    state.Selection.BetList = LoadLines(*path);
    host.ViewChanged(kBetListComponent);
}

void ClearBetList(AppState& state, Host& host)
{
    state.Selection.BetList.clear();
    host.ViewChanged(kBetListComponent);
}

void FillIssueSelector(AppState& state, Host& host)
{
    LoadIssues(state);
    auto& selector = state.Selection.Selector;
    selector.SelectedIssue = selector.Issues.empty() ? -1 : 0;
    host.ViewChanged(kSelector24Component);
}

void ReloadIssueSelector(AppState& state, Host& host)
{
    auto& selector = state.Selection.Selector;
    selector.Issues.clear();
    selector.SelectedIssue = -1;
    LoadIssues(state);
    host.ViewChanged(kSelector24Component);
}

void QueryGroups(AppState& state, Host& host)
{
    auto& selector = state.Selection.Selector;
    if (selector.SelectedIssue < 0 ||
        static_cast<std::size_t>(selector.SelectedIssue) >= selector.Issues.size()) {
        host.Message("号码选择", "请先在查询期号中选择一期", MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    selector.Red = HitGroups24(selector.Issues[static_cast<std::size_t>(selector.SelectedIssue)]);
    host.ViewChanged(kSelector24Component);
}

bool AddCheckedGroups(AppState& state, Host& host)
{
    bool added = false;
    for (int g = 0; g < kGroupCount24; ++g) {
        if (!state.Selection.Selector.Checked[g])
            continue;
        AppendBetLine(state, host, std::string(Groups24()[static_cast<std::size_t>(g)]));
        added = true;
    }
    if (!added)
        host.Message("号码选择", "您没有选择任何复式组合", MessageIcon::None, MessageButtons::Ok);
    return added;
}

void ClearGroupChecks(AppState& state, Host& host)
{
    state.Selection.Selector.Checked = {};
    host.ViewChanged(kSelector24Component);
}

} // namespace qv
