#pragma once

#include "core/Host.h"
#include "filters/CompactBasket.h"
#include "filters/FilterRule.h"
#include "filters/FilterState.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

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
void ToggleSelectAll(FilterState& settings);

// "选择推荐": puts 41 boxes into their default state; leaves the six number-setting and
// three-zone boxes and SelectAllState alone.
void SelectRecommended(FilterState& settings);

// Whether the filter's box is checked in settings.
bool IsSwitchedOn(const FilterState& settings, const FilterInfo& info);

// The log line a run starts with: the switched-on filters in their run order, whichever
// tab they sit on, or the line saying that none is.
std::string CheckedFiltersLine(const FilterState& settings);

// Saves a file a rule produced (RuleFile), below AppDir.
using RuleFileSink = std::function<void(const RuleFile& file)>;

// Prepares rule for a pass (FilterRule::Prepare) and hands the file its preparation
// produced, if any, to save before anything else happens.
void PrepareRule(FilterRule& rule, FilterContext& context, const RuleFileSink& save);

// What one pass reports while it walks: the file to save after the preparation, the
// number of lines about to be judged, and the lines judged so far (in coarse steps).
struct FilterPassHooks
{
    RuleFileSink Save;
    std::function<void(std::size_t lines)> Begin;
    std::function<void(std::size_t examined)> Progress;
};

// One pass of the filter info over a non-empty basket: prepares its rule, walks the lines
// and removes those the rule removes; returns how many. A parameter field or rule line
// that cannot be read is logged as FilterInputReport with the original text after it and
// thrown as that report; a line the rule cannot judge is logged and thrown the same way
// with the line's number and text. A rule that stops on a line leaves the basket as it
// was. Errors of the preparation and of saving its file pass through unchanged.
long long RunFilterPass(const FilterInfo& info, FilterContext& context, CompactBasket& basket,
                        const FilterPassHooks& hooks);

// The same pass judging only: every line the rule rejects gets one more in rejections
// (one count per line, resized, staying at 255 once there), the basket stays as it is;
// returns how many it rejected. Errors as RunFilterPass.
long long JudgeFilterPass(const FilterInfo& info, FilterContext& context, const CompactBasket& basket,
                          const FilterPassHooks& hooks, std::vector<std::uint8_t>& rejections);

// 容错 K as typed ("2"): an integer of 0 or more, else qv::Error with a Chinese report.
int ParseTolerance(std::string_view text);

// The counter text of a filter that removed removed lines.
std::string CounterText(long long removed);

} // namespace qv
