#pragma once

#include "core/Host.h"
#include "filters/FilterRule.h"
#include "filters/FilterState.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct AppState;

// One row of the filter view's run-order table: where a filter stands in the run, its
// check box, caption, counter label and the state of its box when the window opens.
struct FilterSlot
{
    int Order;
    const char* CheckBox;
    const char* Caption;
    const char* Counter;
    bool Default;
};

// The 47 rows in run order. The catalogue's families must match it row for row.
const std::vector<FilterSlot>& FilterRunOrder();

// The 47 filters in run order, gathered once from the six families.
const std::vector<FilterInfo>& FilterCatalogue();

// The filter of a check box ("CheckBox6") or of a caption ("排除无效组合"); null if none.
const FilterInfo* FindFilter(std::string_view checkBoxOrCaption);

// The filter view as the window opens: the default switches, every parameter field and
// rule box at its default text, every counter at "已排除0注", SelectAllState false.
void ResetFilterState(FilterState& settings);

// "全选/反选": checks the 43 boxes (SelectAllState false) or unchecks them and
// TeCheckBox8 (SelectAllState true), then flips SelectAllState.
void Button13Click(FilterState& settings);

// "选择推荐": puts 41 boxes into their default state; leaves the six number-setting and
// three-zone boxes and SelectAllState alone.
void TeButton19Click(FilterState& settings);

// "开始执行运算/过滤" (Button9Click): every switched-on filter makes one pass over the
// basket "Data/temp.txt" in run order, after one log line listing the checked filters.
// Refuses without an expansion in this run; stops with a message when a pass finds the
// basket empty; throws qv::Error for a parameter or a basket line of the wrong form and
// for a file that cannot be read or written. A parameter field or rule line that cannot be
// read is reported in Chinese with the filter's caption, the field or line and the form
// expected (FilterInputReport), logged with the original text after it.
// The file is read once and written once, atomically, when the run ends or stops; it
// then holds exactly what writing it after every pass would leave (after a stop, the
// result of the last completed pass). Counter labels go to settings.Counters and
// host.SetLabel, the basket total to "Label4"; once the file is written the basket view is
// reloaded from it (state.Selection.BasketView, host.ViewChanged("BasketView")).
void RunFilters(AppState& state, Host& host);

// The counter text of a filter that removed removed lines.
std::string CounterText(long long removed);

} // namespace qv
