#pragma once

#include "core/Host.h"
#include "selection/Basket.h"
#include "selection/BetList.h"
#include "selection/Selector24.h"

#include <string>

namespace qv {

struct AppState;

// "分解到号码篮" (Button8Click): expands state.Selection.BetList into "Data/temp.txt",
// reloads the basket view, sets BasketReadyFlag and the counters Label29 and Label4.
void ExpandBetList(AppState& state, Host& host);

// Reloads the basket view from "Data/temp.txt" and tells the front end.
void ReloadBasketView(AppState& state, Host& host);

// Shows the basket just written to "Data/temp.txt" without reading it back: written is
// its text, gbk the bytes written when they are not that text itself (not all ASCII).
// What the view and the stamp become is what ReloadBasketView would make of the file.
void ShowWrittenBasket(AppState& state, Host& host, LineTable written, const std::string* gbk);

// Shows the selection view's start state: both counters at zero.
void ShowStartLabels(Host& host);

// "全" (ToolButton8Click) and "清" (TeButton9Click): checks or unchecks all 33 boxes.
void CheckAllPicker(AppState& state, Host& host);
void ClearPicker(AppState& state, Host& host);

// "添加到下列投注列表" (TeButton7Click): appends the picker's line to the bet list when six
// or more boxes are checked, otherwise refuses. Returns whether a line was added.
bool AddPickerToBetList(AppState& state, Host& host);

// Appends one line at the end of the bet list (the 24-code selector uses it).
void AppendBetLine(AppState& state, Host& host, std::string line);

// "载入号码列表" (TeButton17Click): asks for a text file and replaces the bet list by its
// lines; a cancelled dialog changes nothing.
void LoadBetList(AppState& state, Host& host);

// "清除投注列表" (TeButton10Click): empties the bet list; basket, counters and flag stay.
void ClearBetList(AppState& state, Host& host);

// The window's creation (FormCreate): the issue selector lists the history file's lines
// and selects the first.
void FillIssueSelector(AppState& state, Host& host);
// The recompute's refill: the same lines, with no line selected.
void ReloadIssueSelector(AppState& state, Host& host);

// "查询" (TeButton3Click): shows in red the groups that hold the selected draw's reds and
// the others in black; check marks stay.
void QueryGroups(AppState& state, Host& host);

// "添加" (TeButton1Click): appends the checked groups to the bet list. Returns true when
// at least one was added (the window then closes), otherwise refuses and returns false.
bool AddCheckedGroups(AppState& state, Host& host);

// "清除" (TeButton4Click): unchecks all groups; the red marks stay.
void ClearGroupChecks(AppState& state, Host& host);

} // namespace qv
