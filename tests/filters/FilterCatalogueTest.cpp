#include "FilterTestSupport.h"

#include <set>

namespace qv {
namespace {

std::set<std::string> Checked(const FilterState& settings)
{
    std::set<std::string> names;
    for (const auto& [name, on] : settings.Switches)
        if (on)
            names.insert(name);
    return names;
}

TEST(FilterCatalogue, FollowsTheRunOrderTable)
{
    const auto& slots = FilterRunOrder();
    ASSERT_EQ(slots.size(), 47u);
    std::set<std::string> boxes, counters;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(slots[i].Order, static_cast<int>(i) + 1);
        boxes.insert(slots[i].CheckBox);
        counters.insert(slots[i].Counter);
    }
    EXPECT_EQ(boxes.size(), 47u);
    EXPECT_EQ(counters.size(), 47u);

    // Every family entry matches its row of the table; families not written yet are
    // simply absent.
    const auto& catalogue = FilterCatalogue();
    int previous = 0;
    for (const auto& info : catalogue) {
        SCOPED_TRACE(info.CheckBox);
        ASSERT_GE(info.Order, 1);
        ASSERT_LE(info.Order, 47);
        EXPECT_GT(info.Order, previous);
        previous = info.Order;
        const FilterSlot& slot = slots[static_cast<std::size_t>(info.Order - 1)];
        EXPECT_EQ(info.CheckBox, slot.CheckBox);
        EXPECT_EQ(info.Caption, slot.Caption);
        EXPECT_EQ(info.Counter, slot.Counter);
        EXPECT_EQ(info.Default, slot.Default);
        EXPECT_NE(info.ClosingLine, nullptr);
        EXPECT_NE(info.Make, nullptr);
        EXPECT_EQ(FindFilter(info.CheckBox), &info);
        EXPECT_EQ(FindFilter(info.Caption), &info);
    }
    if (catalogue.size() < 47)
        GTEST_SKIP() << catalogue.size() << " of 47 filters in the catalogue so far";
}

TEST(FilterCatalogue, WindowDefaults)
{
    FilterState settings;
    settings.Switches["CheckBox46"] = true;
    settings.Counters["Label5"] = "已排除9注";
    settings.Edits["Edit11"] = "33";
    settings.SelectAllState = true;
    ResetFilterState(settings);
    EXPECT_FALSE(settings.SelectAllState);
    EXPECT_EQ(settings.Switches.size(), 47u);
    EXPECT_EQ(Checked(settings).size(), 32u);
    EXPECT_FALSE(settings.Switches.at("CheckBox46"));
    EXPECT_TRUE(settings.Switches.at("CheckBox6"));
    EXPECT_EQ(settings.Counters.size(), 47u);
    EXPECT_EQ(settings.Counters.at("Label5"), "已排除0注");
    EXPECT_EQ(settings.Edits.at("Edit11"), "01 02");
    EXPECT_EQ(settings.Edits.at("edit12"), "1");
    EXPECT_EQ(settings.Memos.at("Memo3"), Lines{"01 05,1"});
    EXPECT_EQ(settings.Memos.at("TeMemo1"),
              (Lines{"01 02 03", "11 12 13", "18 19 20", "21 22 23", "25 26 27", "30 31 32"}));
    EXPECT_EQ(settings.Memos.at("TeMemo3"), Lines{"01 02 03 04 05 06,1,2"});
}

TEST(FilterCatalogue, SelectAllToggles)
{
    const std::set<std::string> all43 = {
        "CheckBox6",   "CheckBox7",   "CheckBox8",   "CheckBox9",    "CheckBox10",   "CheckBox11",
        "CheckBox12",  "CheckBox13",  "CheckBox14",  "CheckBox15",   "CheckBox17",   "CheckBox18",
        "CheckBox19",  "CheckBox20",  "CheckBox21",  "CheckBox22",   "CheckBox23",   "CheckBox24",
        "CheckBox25",  "CheckBox26",  "CheckBox27",  "CheckBox28",   "CheckBox29",   "CheckBox30",
        "CheckBox31",  "CheckBox32",  "CheckBox33",  "CheckBox34",   "CheckBox37",   "CheckBox38",
        "CheckBox39",  "CheckBox42",  "CheckBox43",  "CheckBox45",   "TeCheckBox2",  "TeCheckBox5",
        "TeCheckBox6", "TeCheckBox7", "TeCheckBox9", "TeCheckBox11", "TeCheckBox12", "TeCheckBox13",
        "TeCheckBox14"};
    ASSERT_EQ(all43.size(), 43u);
    FilterState settings;
    ResetFilterState(settings);
    settings.Switches["TeCheckBox8"] = true;
    settings.Switches["CheckBox36"] = true;

    ToggleSelectAll(settings);
    EXPECT_TRUE(settings.SelectAllState);
    std::set<std::string> expected = all43;
    expected.insert({"TeCheckBox8", "CheckBox36"}); // left as they were
    EXPECT_EQ(Checked(settings), expected);

    // The next press unchecks whatever the boxes show, TeCheckBox8 too.
    settings.Switches["CheckBox6"] = false;
    settings.Switches["CheckBox46"] = true;
    ToggleSelectAll(settings);
    EXPECT_FALSE(settings.SelectAllState);
    EXPECT_EQ(Checked(settings), (std::set<std::string>{"CheckBox36", "CheckBox46"}));

    // From start-up: two presses check the 43, then uncheck them and TeCheckBox8.
    ResetFilterState(settings);
    ToggleSelectAll(settings);
    EXPECT_EQ(Checked(settings), all43);
    ToggleSelectAll(settings);
    EXPECT_TRUE(Checked(settings).empty());
}

TEST(FilterCatalogue, RecommendRestoresFortyOneDefaults)
{
    FilterState defaults;
    ResetFilterState(defaults);
    FilterState settings = defaults;
    for (auto& [name, on] : settings.Switches)
        on = !on;
    settings.SelectAllState = true;
    SelectRecommended(settings);
    EXPECT_TRUE(settings.SelectAllState);
    const std::set<std::string> untouched = {"CheckBox46", "TeCheckBox8",  "TeCheckBox10",
                                             "CheckBox36", "TeCheckBox11", "TeCheckBox13"};
    for (const auto& [name, on] : settings.Switches) {
        SCOPED_TRACE(name);
        EXPECT_EQ(on, untouched.count(name) ? !defaults.Switches.at(name) : defaults.Switches.at(name));
    }
    // The recommendation is the documented list of 32.
    const std::set<std::string> recommended = {
        "CheckBox6",    "CheckBox7",   "CheckBox9",   "CheckBox10",  "CheckBox11",  "CheckBox12",
        "CheckBox13",   "CheckBox14",  "CheckBox15",  "CheckBox18",  "CheckBox19",  "CheckBox20",
        "CheckBox21",   "CheckBox22",  "CheckBox23",  "CheckBox24",  "CheckBox26",  "CheckBox27",
        "CheckBox28",   "CheckBox29",  "CheckBox30",  "CheckBox33",  "CheckBox38",  "CheckBox39",
        "CheckBox42",   "CheckBox43",  "TeCheckBox2", "TeCheckBox5", "TeCheckBox6", "TeCheckBox9",
        "TeCheckBox12", "TeCheckBox14"};
    EXPECT_EQ(Checked(defaults), recommended);
}

} // namespace
} // namespace qv
