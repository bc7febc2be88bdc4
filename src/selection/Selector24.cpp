#include "selection/Selector24.h"

#include "core/Error.h"
#include "history/AppPaths.h"
#include "history/TextFile.h"
#include "selection/BetList.h"

namespace qv {

namespace {

constexpr std::array<std::string_view, kGroupCount24> kGroups = {
    "01 02 03 05 07 09 10 11 12 14 15 16 17 20 21 22 23 24 25 26 28 30 32 33",
    "01 02 04 05 07 08 09 10 12 13 14 15 16 17 18 22 23 25 26 27 28 29 30 32",
    "01 02 04 05 08 09 10 11 12 13 14 15 16 18 21 22 23 24 25 26 27 28 29 30",
    "03 04 05 07 08 09 10 11 12 13 15 17 18 20 21 22 23 24 26 27 29 30 32 33",
    "01 03 04 06 07 08 09 11 13 14 17 18 19 20 21 22 23 24 27 28 29 31 32 33",
    "01 02 03 04 05 08 09 10 12 13 14 15 16 18 20 22 23 25 26 27 28 29 30 33",
    "01 02 03 04 07 09 10 11 12 13 14 16 17 20 21 22 23 24 25 26 27 28 32 33",
    "01 02 03 04 05 07 08 11 13 14 15 16 17 18 20 21 24 25 27 28 29 30 32 33",
    "01 02 03 04 06 08 10 11 12 13 14 16 18 19 20 21 24 25 26 27 28 29 31 33",
    "02 05 06 07 08 09 10 11 12 15 16 17 18 19 21 22 23 24 25 26 29 30 31 32",
    "01 03 04 05 06 09 10 11 12 13 14 15 19 20 21 22 23 24 26 27 28 30 31 33",
    "02 03 05 06 07 08 09 10 12 15 16 17 18 19 20 22 23 25 26 29 30 31 32 33",
    "01 03 04 05 06 07 08 10 12 13 14 15 17 18 19 20 26 27 28 29 30 31 32 33",
    "01 02 03 06 07 08 10 11 12 14 16 17 18 19 20 21 24 25 26 28 29 31 32 33",
    "01 02 03 05 06 08 10 11 12 14 15 16 18 19 20 21 24 25 26 28 29 30 31 33",
    "01 02 03 06 07 08 09 11 14 16 17 18 19 20 21 22 23 24 25 28 29 31 32 33",
    "01 03 05 06 07 08 09 11 14 15 17 18 19 20 21 22 23 24 28 29 30 31 32 33",
    "01 03 06 07 08 09 10 11 12 14 17 18 19 20 21 22 23 24 26 28 29 31 32 33",
    "01 02 03 06 08 09 10 11 12 14 16 18 19 20 21 22 23 24 25 26 28 29 31 33",
    "02 04 06 07 08 09 10 11 12 13 16 17 18 19 21 22 23 24 25 26 27 29 31 32",
    "01 02 04 05 06 07 09 10 12 13 14 15 16 17 19 22 23 25 26 27 28 30 31 32",
    "01 02 04 05 06 07 08 09 13 14 15 16 17 18 19 22 23 25 27 28 29 30 31 32",
    "01 02 04 05 06 08 09 10 12 13 14 15 16 18 19 22 23 25 26 27 28 29 30 31",
    "01 02 04 05 06 07 09 11 13 14 15 16 17 19 21 22 23 24 25 27 28 30 31 32",
    "01 04 05 06 07 08 10 11 12 13 14 15 17 18 19 21 24 26 27 28 29 30 31 32",
    "01 02 03 04 05 06 07 09 13 14 15 16 17 19 20 22 23 25 27 28 30 31 32 33",
    "02 03 04 06 07 08 09 10 12 13 16 17 18 19 20 22 23 25 26 27 29 31 32 33",
    "02 03 04 05 06 07 10 11 12 13 15 16 17 19 20 21 24 25 26 27 30 31 32 33",
    "02 03 04 05 06 08 09 11 13 15 16 18 19 20 21 22 23 24 25 27 29 30 31 33",
};

// The issue selector's items: the history file's lines as they stand.
void LoadIssues(AppState& state)
{
    state.Selection.Selector.Issues = LoadLines(state.File(files::kHistory));
}

} // namespace

const std::array<std::string_view, kGroupCount24>& Groups24()
{
    return kGroups;
}

std::uint64_t GroupMask24(int index)
{
    std::uint64_t mask = 0;
    const std::string_view caption = kGroups.at(static_cast<std::size_t>(index));
    for (std::size_t p = 0; p + 1 < caption.size(); p += 3)
        mask |= std::uint64_t{1} << ((caption[p] - '0') * 10 + (caption[p + 1] - '0') - 1);
    return mask;
}

std::array<bool, kGroupCount24> HitGroups24(std::string_view historyLine)
{
    const auto fields = SplitFieldViews(historyLine);
    if (fields.size() < 7) {
        std::string text = "所选开奖记录的格式不正确（应为期号、6个红球和蓝球，以一个空格分隔）：";
        text += historyLine;
        throw Error(text);
    }
    std::array<bool, kGroupCount24> hits{};
    for (int g = 0; g < kGroupCount24; ++g) {
        int count = 0;
        for (std::size_t k = 1; k <= 6; ++k) {
            // A text occurs in the caption when it is found there; the empty text never is.
            if (!fields[k].empty() && Contains(kGroups[g], fields[k]))
                ++count;
        }
        hits[g] = count == 6;
    }
    return hits;
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
        AppendBetLine(state, host, std::string(kGroups[g]));
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
