#include "session/PurchaseCommands.h"

#include "core/Error.h"
#include "history/AppPaths.h"
#include "history/FileStamp.h"
#include "history/TextFile.h"
#include "purchase/BluePicker.h"
#include "selection/Basket.h"
#include "session/AppState.h"
#include "session/SelectionCommands.h"

#include <utility>

namespace qv {

namespace {

constexpr const char* kRefusalCaption = "非法操作";

} // namespace

void CheckPrizes(AppState& state, Host& host)
{
    PurchaseState& purchase = state.Purchase;
    std::string why;
    const auto query = ReadQueryDraw(purchase.QueryDraw, &why);
    if (!query)
        throw Error(QueryErrorText(purchase.QueryDraw, why));
    PrizeReport report = CheckPrizeList(purchase.QueryList, *query);
    if (purchase.QueryDraw != query->Text) {
        purchase.QueryDraw = query->Text;
        host.ViewChanged("Edit7");
    }
    state.Purchase.PrizeResult = std::move(report.Result);
    purchase.PrizeCounts = report.Counts;
    purchase.PrizeBets = report.Bets;
    std::string text;
    for (const auto& line : state.Purchase.PrizeResult) {
        text += line;
        text += '\n';
    }
    host.SetLabel("Memo7", text);
    host.ViewChanged("PrizeTotals");
    host.Log(kPrizeCheckDone);
    if (report.AllWithoutBlue)
        host.Message("中奖查询",
                     "查询清单中的号码都没有蓝球，无法查询中奖。请先在“购买清单”中点“随机->”配上蓝码，"
                     "或在每行末尾写上蓝球，如“01 02 03 04 05 06 +07”",
                     MessageIcon::Information, MessageButtons::Ok);
}

bool LoadQueryList(AppState& state, Host& host)
{
    const auto path = host.ChooseOpenFile(state.TextFileDialog());
    if (!path)
        return false;
    LoadLinesInto(*path, state.Purchase.QueryList);
    host.ViewChanged("Memo9");
    return true;
}

void AppendToPurchaseList(AppState& state, Host& host, const Lines& lines)
{
    Lines& list = state.Purchase.PurchaseList;
    while (!list.empty() && IsBlankList({list.back()}))
        list.pop_back();
    for (const auto& line : lines)
        if (!IsBlankList({line}))
            list.push_back(line);
    host.ShowView(kPurchaseListView);
    host.ViewChanged("Memo8");
}

bool TakeBasketIntoPurchaseList(AppState& state, Host& host)
{
    if (!state.Selection.BasketReadyFlag) {
        host.Message(kRefusalCaption, "您的号码篮没有号码，请先导入号码列表或进行组合",
                     MessageIcon::Information, MessageButtons::Ok);
        host.ShowView(kBetView);
        return false;
    }
    host.ShowView(kPurchaseListView);
    const std::filesystem::path path = state.File(files::kBasket);
    if (state.Selection.BasketFile && IdentityOf(path) == state.Selection.BasketFile) {
        // The file stands as this run last wrote or read it: the view holds its lines.
        state.Purchase.PurchaseList = state.Selection.BasketView.ToLines();
        host.ViewChanged("Memo8");
        host.ViewChanged(kBasketViewComponent);
        return true;
    }
    state.Purchase.PurchaseList = LoadLines(path);
    host.ViewChanged("Memo8");
    ReloadBasketView(state, host);
    return true;
}

void AssignRandomBlues(AppState& state, Host& host)
{
    if (IsBlankList(state.Purchase.PurchaseList)) {
        host.Message(kRefusalCaption, "没有加载购买清单", MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    BlueGenerator generator = ClockSeededGenerator();
    AssignRandomBlues(state, host, generator);
}

void AssignRandomBlues(AppState& state, Host& host, BlueGenerator& generator)
{
    Lines& list = state.Purchase.PurchaseList;
    if (IsBlankList(list)) {
        host.Message(kRefusalCaption, "没有加载购买清单", MessageIcon::Information, MessageButtons::Ok);
        return;
    }

    const std::string chosen = ChosenBlueText(state.Purchase);
    const Lines captions = SplitFields(chosen);
    const std::size_t n = captions.size();
    // A line of the wrong form throws before any line changes.
    AssignBlues(list, captions, generator);
    state.Purchase.ChosenBlueText = chosen;
    std::string logLine = "随机蓝码，蓝码共";
    logLine += std::to_string(n);
    logLine += "粒，分别为：";
    logLine += chosen;
    LogStep(host, logLine);
    host.ViewChanged("Memo8");
}

namespace {

// The dialog starts at the list last saved or loaded, in AppDir before the first.
FileDialogRequest ListDialog(const AppState& state, std::string proposedName)
{
    FileDialogRequest request = state.TextFileDialog(std::move(proposedName));
    const std::filesystem::path& last = state.Purchase.ListPath;
    if (!last.empty() && last.has_filename()) {
        request.StartFolder = last.parent_path();
        if (!request.ProposedName.empty())
            request.ProposedName = last.filename().string();
    }
    return request;
}

} // namespace

bool SavePurchaseList(AppState& state, Host& host)
{
    const auto path = host.ChooseSaveFile(ListDialog(state, kPurchaseListFileName));
    if (!path)
        return false;
    // The player's own list, like the history: on the disk before it counts as saved.
    SaveLines(*path, state.Purchase.PurchaseList, Flush::Yes);
    state.Purchase.ListPath = *path;
    return true;
}

bool LoadPurchaseList(AppState& state, Host& host)
{
    const auto path = host.ChooseOpenFile(ListDialog(state, {}));
    if (!path)
        return false;
    LoadLinesInto(*path, state.Purchase.PurchaseList);
    state.Purchase.ListPath = *path;
    host.ViewChanged("Memo8");
    return true;
}

std::vector<IssuedDraw> ReplayDrawsOf(const AppState& state)
{
    return ReplayDraws(state.HistoryLines, state.Purchase.ReplayDrawCount);
}

void StoreReplay(AppState& state, Host& host, ReplayOutcome outcome)
{
    state.Purchase.Replay = std::move(outcome.Replay);
    host.ViewChanged("ReplayTable");
    if (!outcome.SkippedNote.empty())
        host.Log(outcome.SkippedNote);
    host.Log(kReplayDone);
}

void ReplayQueryList(AppState& state, Host& host)
{
    const std::vector<IssuedDraw> draws = ReplayDrawsOf(state);
    StoreReplay(state, host, ReplayList(state.Purchase.QueryList, draws));
}

} // namespace qv
