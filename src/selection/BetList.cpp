#include "selection/BetList.h"

#include "history/TextFile.h"

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

} // namespace

void ShowStartLabels(Host& host)
{
    host.SetLabel("Label29", kLabel29Start);
    host.SetLabel("Label4", kLabel4Start);
}

std::string PickerLine(const std::array<bool, kPickerNumbers>& picker)
{
    std::string line;
    for (int k = 0; k < kPickerNumbers; ++k) {
        if (!picker[k])
            continue;
        line += TwoDigits(k + 1);
        line += ' ';
    }
    return line;
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
    int count = 0;
    for (const bool checked : picker)
        count += checked ? 1 : 0;
    if (count < 6) {
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

} // namespace qv
