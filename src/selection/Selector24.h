#pragma once

#include "session/AppState.h"
#include "core/Host.h"

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
