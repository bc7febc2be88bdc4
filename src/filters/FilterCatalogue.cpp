#include "filters/FilterRun.h"

#include <algorithm>

namespace qv {

const std::vector<FilterSlot>& FilterRunOrder()
{
    static const std::vector<FilterSlot> slots = {
        {1, "CheckBox46", "号码相斥排除", "Label50", false},
        {2, "TeCheckBox8", "位势选号条件", "Label81", false},
        {3, "TeCheckBox10", "组合模块条件", "Label56", false},
        {4, "TeCheckBox7", "留下极距在", "Label79", false},
        {5, "CheckBox6", "排除无效组合", "Label5", true},
        {6, "CheckBox7", "排除首位数>=", "Label6", true},
        {7, "CheckBox8", "排除首位数<=", "Label7", false},
        {8, "CheckBox9", "排除无效重号", "Label8", true},
        {9, "CheckBox10", "留下冷号个数在", "Label9", true},
        {10, "CheckBox11", "过滤无效衍生号", "Label10", true},
        {11, "CheckBox12", "排除无效热号", "Label11", true},
        {12, "CheckBox13", "排除前5期均值命中", "Label12", true},
        {13, "CheckBox14", "排除第5期命中", "Label13", true},
        {14, "CheckBox15", "排除区域分析号码", "Label14", true},
        {15, "CheckBox17", "排除质数为0号码", "Label16", false},
        {16, "CheckBox18", "排除没有2689尾", "Label17", true},
        {17, "TeCheckBox14", "排除没有2378尾", "Label96", true},
        {18, "CheckBox19", "排除神奇数字7", "Label18", true},
        {19, "TeCheckBox6", "排除万能12码", "Label70", true},
        {20, "CheckBox20", "排除无效连码", "Label19", true},
        {21, "CheckBox21", "排除无效ABC值", "Label20", true},
        {22, "CheckBox22", "八卦阵排除法", "Label21", true},
        {23, "CheckBox23", "排除全奇偶数", "Label22", true},
        {24, "CheckBox24", "衡值轮盘过滤第1算法", "Label23", true},
        {25, "CheckBox25", "衡值轮盘过滤第2算法", "Label24", false},
        {26, "CheckBox26", "集团出号法过滤", "Label25", true},
        {27, "CheckBox27", "过滤一二位跨度>=", "Label26", true},
        {28, "CheckBox28", "排除非法同尾>=3", "Label27", true},
        {29, "CheckBox29", "排除个位个数>=", "Label30", true},
        {30, "CheckBox30", "组合定律过滤第1算法", "Label31", true},
        {31, "CheckBox31", "组合定律过滤第2算法", "Label32", false},
        {32, "CheckBox32", "7行5列过滤法", "Label33", false},
        {33, "CheckBox33", "黄金分割第1算法", "Label28", true},
        {34, "CheckBox34", "黄金分割第2算法", "Label34", false},
        {35, "CheckBox36", "设胆码", "Label37", false},
        {36, "CheckBox37", "留下和值在", "Label40", false},
        {37, "CheckBox38", "留下奇数在", "Label42", true},
        {38, "CheckBox39", "留下大号在", "Label44", true},
        {39, "CheckBox43", "排序法", "Label47", true},
        {40, "TeCheckBox5", "排除重复和值", "Label69", true},
        {41, "TeCheckBox2", "螺旋体第1算法容对条件", "Label52", true},
        {42, "TeCheckBox9", "杀号过滤容错", "Label53", true},
        {43, "TeCheckBox12", "大遗漏值容对条件", "Label60", true},
        {44, "TeCheckBox11", "设置三区和", "Label57", false},
        {45, "TeCheckBox13", "设置三区比", "Label77", false},
        {46, "CheckBox45", "排除历史出现邻号出现次数<=", "Label48", false},
        {47, "CheckBox42", "排除历史重复", "Label46", true},
    };
    return slots;
}

const std::vector<FilterInfo>& FilterCatalogue()
{
    static const std::vector<FilterInfo> catalogue = [] {
        std::vector<FilterInfo> all;
        AddNumberSettingFilters(all);
        AddValueFilters(all);
        AddCombinationFilters(all);
        AddFormatFilters(all);
        AddMagicFilters(all);
        AddProbabilityFilters(all);
        std::stable_sort(all.begin(), all.end(),
                         [](const FilterInfo& a, const FilterInfo& b) { return a.Order < b.Order; });
        return all;
    }();
    return catalogue;
}

const FilterInfo* FindFilter(std::string_view checkBoxOrCaption)
{
    for (const auto& info : FilterCatalogue())
        if (info.CheckBox == checkBoxOrCaption || info.Caption == checkBoxOrCaption)
            return &info;
    return nullptr;
}

std::string CounterText(long long removed)
{
    std::string text = "已排除";
    text += std::to_string(removed);
    text += "注";
    return text;
}

void ResetFilterState(FilterState& settings)
{
    settings = FilterState{};
    for (const auto& slot : FilterRunOrder()) {
        settings.Switches[slot.CheckBox] = slot.Default;
        settings.Counters[slot.Counter] = CounterText(0);
    }
    for (const auto& info : FilterCatalogue()) {
        for (const auto& [name, text] : info.EditDefaults)
            settings.Edits[name] = text;
        for (const auto& [name, lines] : info.MemoDefaults)
            settings.Memos[name] = lines;
    }
    settings.SelectAllState = false;
}

namespace {

// The boxes "全选/反选" checks; unchecking also clears TeCheckBox8.
const std::vector<std::string>& SelectAllBoxes()
{
    static const std::vector<std::string> boxes = [] {
        std::vector<std::string> names;
        for (int n = 6; n <= 15; ++n)
            names.push_back("CheckBox" + std::to_string(n));
        for (int n = 17; n <= 34; ++n)
            names.push_back("CheckBox" + std::to_string(n));
        for (const char* name :
             {"CheckBox37", "CheckBox38", "CheckBox39", "CheckBox42", "CheckBox43", "CheckBox45",
              "TeCheckBox2", "TeCheckBox5", "TeCheckBox6", "TeCheckBox7", "TeCheckBox9", "TeCheckBox11",
              "TeCheckBox12", "TeCheckBox13", "TeCheckBox14"})
            names.emplace_back(name);
        return names;
    }();
    return boxes;
}

} // namespace

void ToggleSelectAll(FilterState& settings)
{
    const bool check = !settings.SelectAllState;
    for (const auto& name : SelectAllBoxes())
        settings.Switches[name] = check;
    if (!check)
        settings.Switches["TeCheckBox8"] = false;
    settings.SelectAllState = check;
}

void SelectRecommended(FilterState& settings)
{
    // The six boxes of the number settings and the three zones keep what they have.
    static const char* const kUntouched[] = {"CheckBox46", "TeCheckBox8",  "TeCheckBox10",
                                             "CheckBox36", "TeCheckBox11", "TeCheckBox13"};
    for (const auto& slot : FilterRunOrder()) {
        const bool untouched =
            std::any_of(std::begin(kUntouched), std::end(kUntouched),
                        [&](const char* name) { return slot.CheckBox == std::string_view(name); });
        if (!untouched)
            settings.Switches[slot.CheckBox] = slot.Default;
    }
}

} // namespace qv
