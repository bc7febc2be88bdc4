#pragma once

#include "selection/SelectionState.h"

#include <array>
#include <string>

namespace qv {

// The counters' texts before the first expansion of a run.
inline constexpr const char* kLabel29Start = "组数：0组";
inline constexpr const char* kLabel4Start = "合计共：0注/0元";

// The front end's component for the bet list text box.
inline constexpr const char* kBetListComponent = "Memo6";

// The picker's line: the numbers of the checked boxes in ascending order, each as two
// digits followed by one blank ("03 08 11 19 24 30 ").
std::string PickerLine(const std::array<bool, kPickerNumbers>& picker);

// How many of the picker's boxes are checked.
int CheckedCount(const std::array<bool, kPickerNumbers>& picker);

} // namespace qv
