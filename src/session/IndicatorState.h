#pragma once

#include "history/Text.h"
#include "indicators/IndicatorTables.h"

namespace qv {

inline constexpr const char* kRedIndicatorView = "ListView3";
inline constexpr const char* kBlueIndicatorView = "TeListView1";

struct IndicatorState
{
    Lines RedIndicatorTable;  // "Red/RedAna.txt": 25 fields per draw, newest first
    Lines BlueIndicatorTable; // "Blue/BlueAna.txt": 7 fields per draw, newest first

    // The red data view ListView3 (tab 红球数据), 19 columns: 期号, 号码 ("06 12 15 22 29 32 +07"),
    // AC值, 个十, 大小, 奇偶, 除3, 奇数和, 总和, 连号, 连号数, 重号, 重号数, 三区比, 三区和值, 极距,
    // 五行, 螺旋体范围, 先天八卦.
    IndicatorRows RedRows;
    // The blue data view TeListView1 (tab 蓝球数据), 7 columns: 期号, 蓝球号码, 奇偶, 质合, 大小,
    // 五行属性, 先天八卦.
    IndicatorRows BlueRows;
};

} // namespace qv
