#pragma once

#include "core/Host.h"
#include "history/Text.h"

#include <vector>

namespace qv {

struct AppState;

// The reds checked on the bet view's picker (hao1 … hao33), ascending: the reds the wheel
// page starts from.
std::vector<int> PickedReds(const AppState& state);

// "加入购买清单" of the wheel page: appends the lines after the purchase list's last
// non-empty line (the list keeps what it had), then shows the purchase-list view. An
// empty set of lines is refused with a message and changes nothing. False when refused.
bool AddLinesToPurchaseList(AppState& state, Host& host, const Lines& lines);

// "保存" of the wheel page: the save dialog proposing "旋转矩阵.txt" in AppDir; on
// confirmation the lines are written to the chosen file. Refused like the above when
// there are no lines; false when refused or cancelled.
bool SaveWheelLines(AppState& state, Host& host, const Lines& lines);

} // namespace qv
