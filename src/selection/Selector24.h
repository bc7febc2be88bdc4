#pragma once

#include "selection/SelectionState.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace qv {

// The front end's component for the 24-code selector window.
inline constexpr const char* kSelector24Component = "TNS24";

// The 29 fixed groups of 24 numbers; the caption of group k+1 is Groups24()[k].
const std::array<std::string_view, kGroupCount24>& Groups24();
// The numbers of group k+1 as a set: bit n-1 for the number n.
std::uint64_t GroupMask24(int index);

// Which groups a history line marks: a group is hit when each of the line's second to
// seventh fields occurs somewhere in its caption. A line with fewer than seven fields is
// refused with an error naming it.
std::array<bool, kGroupCount24> HitGroups24(std::string_view historyLine);

} // namespace qv
