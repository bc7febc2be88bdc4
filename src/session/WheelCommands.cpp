#include "session/WheelCommands.h"

#include "history/TextFile.h"
#include "purchase/PurchaseList.h"
#include "session/AppState.h"
#include "session/PurchaseCommands.h"

namespace qv {

namespace {

constexpr const char* kWheelCaption = "旋转矩阵";
constexpr const char* kWheelFileName = "旋转矩阵.txt";

bool RefuseEmpty(const Lines& lines, Host& host)
{
    if (!IsBlankList(lines))
        return false;
    host.Message(kWheelCaption, "还没有生成旋转矩阵，请先选择红球和保证方式后点“生成”",
                 MessageIcon::Information, MessageButtons::Ok);
    return true;
}

} // namespace

std::vector<int> PickedReds(const AppState& state)
{
    std::vector<int> reds;
    for (int n = 1; n <= kPickerNumbers; ++n) {
        if (state.Selection.Picker[static_cast<std::size_t>(n - 1)])
            reds.push_back(n);
    }
    return reds;
}

bool AddLinesToPurchaseList(AppState& state, Host& host, const Lines& lines)
{
    if (RefuseEmpty(lines, host))
        return false;
    AppendToPurchaseList(state, host, lines);
    return true;
}

bool SaveWheelLines(AppState& state, Host& host, const Lines& lines)
{
    if (RefuseEmpty(lines, host))
        return false;
    const auto path = host.ChooseSaveFile(state.TextFileDialog(kWheelFileName));
    if (!path)
        return false;
    SaveLines(*path, lines, Flush::Yes);
    return true;
}

} // namespace qv
