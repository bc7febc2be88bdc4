#pragma once

#include "history/Text.h"

#include <map>
#include <string>

namespace qv {

// The controls of the filter view as data: the 47 check boxes, the one-line parameter
// fields and the multi-line rule boxes, all by component name, and the counter labels.
// The command-line tool starts from the window's defaults (FilterCatalogue fills them);
// the desktop program takes back what the player last had (session/SavedSession.h).
struct FilterState
{
    std::map<std::string, bool> Switches;        // "CheckBox6" -> checked
    std::map<std::string, std::string> Edits;    // "Edit5" -> "12"
    std::map<std::string, Lines> Memos;          // "Memo3" -> {"01 05,1"}
    std::map<std::string, std::string> Counters; // "Label5" -> "已排除0注"
    bool SelectAllState = false;
    // 容错 K: with K ≥ 1 the run removes a line only when more than K switched-on filters
    // reject it, each judging the basket as it stood when the run began.
    int Tolerance = 0;
};

} // namespace qv
