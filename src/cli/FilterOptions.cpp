#include "cli/FilterOptions.h"

#include "cli/Cli.h"
#include "filters/FilterRun.h"
#include "filters/FilterSettings.h"
#include "history/Gbk.h"
#include "history/TextFile.h"

#include <algorithm>

namespace qv::cli {

namespace {

void SetSwitches(FilterState& settings, const std::string& list, bool on, const char* option)
{
    const auto names = SplitFields(list, ',');
    if (names.empty())
        throw UsageError{std::string("--") + option + " needs at least one filter name"};
    for (const auto& name : names) {
        const std::string box = FilterSwitchName(name);
        if (box.empty())
            throw UsageError{std::string("--") + option + ": unknown filter \"" + name + "\""};
        settings.Switches[box] = on;
    }
}

std::pair<std::string, std::string> NameAndValue(const std::string& assignment, const char* option)
{
    const auto equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0)
        throw UsageError{std::string("--") + option + " needs NAME=VALUE, got \"" + assignment + "\""};
    return {assignment.substr(0, equals), assignment.substr(equals + 1)};
}

} // namespace

void ApplyFilterOptions(std::vector<std::string>& args, FilterState& settings)
{
    const auto presses = std::count(args.begin(), args.end(), std::string("--select-all"));
    const bool none = TakeFlag(args, "none");
    TakeFlag(args, "select-all");
    const bool recommend = TakeFlag(args, "recommend");
    const auto enable = TakeOptionAll(args, "enable");
    const auto disable = TakeOptionAll(args, "disable");
    const auto sets = TakeOptionAll(args, "set");
    const auto setFiles = TakeOptionAll(args, "set-file");
    const auto tolerance = TakeOption(args, "tolerance");
    if (tolerance)
        settings.Tolerance = ParseTolerance(*tolerance);

    if (none)
        for (const auto& slot : FilterRunOrder())
            settings.Switches[slot.CheckBox] = false;
    for (auto i = presses; i > 0; --i)
        ToggleSelectAll(settings);
    if (recommend)
        SelectRecommended(settings);
    for (const auto& list : enable)
        SetSwitches(settings, list, true, "enable");
    for (const auto& list : disable)
        SetSwitches(settings, list, false, "disable");
    for (const auto& assignment : sets) {
        const auto [name, text] = NameAndValue(assignment, "set");
        const std::string field = FilterEditName(name);
        if (field.empty())
            throw UsageError{"--set: unknown parameter field \"" + name + "\""};
        settings.Edits[field] = text;
    }
    for (const auto& assignment : setFiles) {
        const auto [name, path] = NameAndValue(assignment, "set-file");
        const std::string memo = FilterMemoName(name);
        if (memo.empty())
            throw UsageError{"--set-file: unknown rule box \"" + name + "\""};
        settings.Memos[memo] = LoadLinesUtf8OrGbk(path);
    }
}

void AddFilterLabels(const FilterState& settings, std::map<std::string, std::string>& labels)
{
    for (const auto& slot : FilterRunOrder()) {
        const auto it = settings.Counters.find(slot.Counter);
        labels[slot.Counter] = it != settings.Counters.end() ? it->second : CounterText(0);
    }
    labels.try_emplace("Label4", "合计共：0注/0元");
}

} // namespace qv::cli
