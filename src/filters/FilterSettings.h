#pragma once

#include "filters/FilterState.h"

#include <string>
#include <string_view>

namespace qv {

// Names of the filter view's controls as a user may type them (front ends, scripts).

// The check box of a component name ("CheckBox6", letter case ignored) or a caption
// ("排除无效组合"); empty when neither names one of the 47.
std::string FilterSwitchName(std::string_view nameOrCaption);

// The one-line parameter field ("Edit11", "edit12", ...) or the multi-line rule box
// ("Memo3", "TeMemo1", "TeMemo3") of a component name, spelled as the window spells it;
// an exact spelling wins over one that differs only in letter case. Empty when unknown.
std::string FilterEditName(std::string_view name);
std::string FilterMemoName(std::string_view name);

} // namespace qv
