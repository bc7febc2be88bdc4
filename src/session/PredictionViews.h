#pragma once

#include "analysis/Prediction.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// One check box of the page "围红公式": its component name, its caption and the switch it
// holds.
struct PredictionSwitchInfo
{
    std::string_view Component;
    std::string_view Caption;
    bool PredictionSwitches::*Member;
};

// The switches in the order the page shows them.
inline constexpr std::array<PredictionSwitchInfo, 5> kPredictionSwitches{{
    {"CheckBox1", "时向序列分析", &PredictionSwitches::TimeSequence},
    {"CheckBox2", "五期平均值算法", &PredictionSwitches::FiveDrawMean},
    {"CheckBox5", "第五期重码", &PredictionSwitches::FifthDraw},
    {"CheckBox4", "区域边缘算法", &PredictionSwitches::RegionEdge},
    {"CheckBoxsh", "自动杀号器", &PredictionSwitches::KillRed},
}};

// The switch of a component name ("CheckBox2"), or nullptr for a name that is none of them.
inline bool* FindPredictionSwitch(PredictionSwitches& switches, std::string_view component)
{
    for (const auto& info : kPredictionSwitches)
        if (info.Component == component)
            return &(switches.*info.Member);
    return nullptr;
}

// The red prediction view ListView2 (columns "算法", "号码") and its switches. After a
// run the front end is told ViewChanged("ListView2") and shows Rows as they stand.
struct PredictionViews
{
    static constexpr const char* kComponent = "ListView2";
    static constexpr std::array<std::string_view, 2> kColumns{"算法", "号码"};

    PredictionSwitches Switches;
    ViewRows Rows; // one row per shown result: caption, numbers
};

} // namespace qv
