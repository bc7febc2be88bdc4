#pragma once

#include "session/AppState.h"
#include "core/Host.h"

#include <array>
#include <string>

namespace qv {

// The counters' texts before the first expansion of a run.
inline constexpr const char* kLabel29Start = "组数：0组";
inline constexpr const char* kLabel4Start = "合计共：0注/0元";

// The front end's component for the bet list text box.
inline constexpr const char* kBetListComponent = "Memo6";

// Shows the selection view's start state: both counters at zero.
void ShowStartLabels(Host& host);

// The picker's line: the numbers of the checked boxes in ascending order, each as two
// digits followed by one blank ("03 08 11 19 24 30 ").
std::string PickerLine(const std::array<bool, kPickerNumbers>& picker);

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

} // namespace qv
