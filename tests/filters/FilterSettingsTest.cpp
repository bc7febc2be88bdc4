#include "filters/FilterSettings.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(FilterSettings, NamesAsUsersTypeThem)
{
    const struct
    {
        std::string (*lookup)(std::string_view);
        const char* typed;
        const char* name;
    } cases[] = {
        {FilterSwitchName, "CheckBox6", "CheckBox6"},
        {FilterSwitchName, "checkbox6", "CheckBox6"},
        {FilterSwitchName, "TECHECKBOX14", "TeCheckBox14"},
        {FilterSwitchName, "排除无效组合", "CheckBox6"},
        {FilterSwitchName, "排除非法同尾>=3", "CheckBox28"},
        {FilterSwitchName, "排除历史出现邻号出现次数<=", "CheckBox45"},
        {FilterSwitchName, "CheckBox16", ""}, // no such filter
        {FilterSwitchName, "CheckBox1", ""},  // a prediction switch, not a filter
        {FilterSwitchName, "", ""},
        {FilterSwitchName, "Label5", ""},
        {FilterEditName, "Edit11", "Edit11"},
        {FilterEditName, "edit12", "edit12"},
        {FilterEditName, "EDIT12", "edit12"},
        {FilterEditName, "Memo3", ""},
        {FilterEditName, "Edit99", ""},
        {FilterMemoName, "Memo3", "Memo3"},
        {FilterMemoName, "tememo1", "TeMemo1"},
        {FilterMemoName, "TeMemo3", "TeMemo3"},
        {FilterMemoName, "Edit11", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(c.lookup(c.typed), c.name);
    }
}

} // namespace
} // namespace qv
