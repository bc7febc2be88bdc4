#pragma once

#include "analysis/NextIssueLists.h"
#include "core/Host.h"
#include "history/Text.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Captions of the red sheet lines 1-13 and the blue sheet lines 1-8 in the list views.
inline constexpr std::array<std::string_view, 13> kRedReferenceCaptions = {
    "重号",
    "邻号",
    "最近冷号",
    "最近热号",
    "位置平均值",
    "最近10期位置总和",
    "最近9期位置总和",
    "3区总和情况",
    "10期来总和平均",
    "平均极距",
    "极距分析",
    "10期奇偶偏态",
    "10期大小偏态",
};
inline constexpr std::array<std::string_view, 8> kBlueReferenceCaptions = {
    "总平均值",     "最近总值",         "奇偶出号比率", "奇偶最近出号比率",
    "质合出号比率", "质合最近出号比率", "大小出号比率", "大小最近出号比率",
};

inline constexpr std::size_t kRedSheetLines = 19;
inline constexpr std::size_t kBlueSheetLines = 8;
// The fewest draws the sheets can be computed from (the ten-draw rows).
inline constexpr std::size_t kReferenceMinimumDraws = 10;

// Both sheets as computed from the inputs, with the reference lists they imply.
struct ReferenceSheets
{
    Lines Red;  // 19 lines
    Lines Blue; // 8 lines
    NextIssueReference Reference;
};

// The computation behind "Data=0". redHistory is the red part of the history (newest
// first, one RedCombo per line; empty lines are skipped); the tables are the indicator
// files' lines. Throws qv::Error for fewer than ten draws in any of them and for a field
// that is not a number.
ReferenceSheets ComputeReferenceSheets(const Lines& redHistory, const Lines& redIndicatorTable,
                                       const Lines& blueIndicatorTable);

// The progress lines that open the computation and close the reference step.
inline constexpr const char* kReferenceStartLine = "开始读取历史文件.....";
inline constexpr const char* kReferenceDoneLine = "基础指标统计结束...";

// The progress lines of the computation, after "开始读取历史文件.....": the number of draws
// in redHistory, then what each part found.
void LogReferenceComputation(StepLog& log, const ReferenceSheets& sheets, const Lines& redHistory);

// Reads the stored sheets back ("Data=1"): the reference lists from red lines 1-4 and the
// position means from lines 14-19. Throws for sheets shorter than their line count or a
// mean that is not a number.
NextIssueReference ReferenceFromSheets(const Lines& red, const Lines& blue);

// The list-view rows of a sheet: caption and line, for the first captions.size() lines.
template <std::size_t Count>
std::vector<std::vector<std::string>> ReferenceRows(const Lines& sheet,
                                                    const std::array<std::string_view, Count>& captions)
{
    std::vector<std::vector<std::string>> rows;
    rows.reserve(Count);
    for (std::size_t i = 0; i < Count && i < sheet.size(); ++i)
        rows.push_back({std::string(captions[i]), sheet[i]});
    return rows;
}

} // namespace qv
