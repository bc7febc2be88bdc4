#include "filters/FilterSettings.h"

#include "filters/FilterRun.h"

namespace qv {

namespace {

template <typename Names> std::string Lookup(std::string_view name, const Names& names)
{
    for (const std::string_view known : names)
        if (known == name)
            return std::string(known);
    for (const std::string_view known : names)
        if (CompareTextIgnoreCase(known, name) == 0)
            return std::string(known);
    return {};
}

std::vector<std::string_view> EditNames()
{
    std::vector<std::string_view> names;
    for (const auto& info : FilterCatalogue())
        for (const auto& [name, text] : info.EditDefaults)
            names.push_back(name);
    return names;
}

std::vector<std::string_view> MemoNames()
{
    std::vector<std::string_view> names;
    for (const auto& info : FilterCatalogue())
        for (const auto& [name, lines] : info.MemoDefaults)
            names.push_back(name);
    return names;
}

} // namespace

std::string FilterSwitchName(std::string_view nameOrCaption)
{
    std::vector<std::string_view> boxes;
    for (const auto& slot : FilterRunOrder()) {
        if (slot.Caption == nameOrCaption)
            return slot.CheckBox;
        boxes.push_back(slot.CheckBox);
    }
    return Lookup(nameOrCaption, boxes);
}

std::string FilterEditName(std::string_view name)
{
    return Lookup(name, EditNames());
}

std::string FilterMemoName(std::string_view name)
{
    return Lookup(name, MemoNames());
}

} // namespace qv
