#pragma once

#include "core/Host.h"
#include "filters/FilterRun.h"
#include "filters/HelpCatalogue.h"

#include <string>
#include <vector>

namespace qv {

struct AppState;

// The inputs a filter rule reads, taken from the state, with log for its extra lines.
FilterContext FilterInputsOf(const AppState& state, StepLog& log);

// Saves a file a rule produced below the state's AppDir.
void SaveRuleFile(const AppState& state, const RuleFile& file);

// "开始执行运算/过滤" (Button9Click): every switched-on filter makes one pass over the
// basket "Data/temp.txt" in run order, after one log line listing the checked filters.
// Refuses without an expansion in this run; stops with a message when a pass finds the
// basket empty; throws qv::Error for a parameter or a basket line of the wrong form and
// for a file that cannot be read or written. A parameter field or rule line that cannot be
// read is reported in Chinese with the filter's caption, the field or line and the form
// expected (FilterInputReport), logged with the original text after it.
// The file is read once and written once, atomically, when the run ends or stops; it
// then holds exactly what writing it after every pass would leave (after a stop, the
// result of the last completed pass). A file a rule produces is saved after its
// preparation, before its walk. Counter labels go to state.Filters.Counters and
// host.SetLabel, the basket total to "Label4"; once the file is written the basket view is
// reloaded from it (state.Selection.BasketView, host.ViewChanged("BasketView")).
void RunFilters(AppState& state, Host& host);

// With 容错 K ≥ 1 (state.Filters.Tolerance) the run logs the K used, every switched-on filter
// judges the basket as it stood when the run began (its counter shows the lines it
// rejected), and a line is removed when more than K of them reject it; the count goes to
// the counter kToleranceCounter and the log. A filter that fails stops the run with nothing
// removed. K = 0 is the run above, unchanged.
inline constexpr const char* kToleranceCounter = "ToleranceCounter";
std::string ToleranceCounterText(long long removed); // "容错删除N注"

// The explanation pop-up's lines of entry as the state now stands (HelpLines over the
// state's AppDir and next-issue lists).
std::vector<std::string> HelpLines(const HelpEntry& entry, const AppState& state);

} // namespace qv
