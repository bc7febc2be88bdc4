#pragma once

#include "history/Text.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace qv {

// The red indicators the trend view draws as line charts, read from the red indicator
// table (newest first, as ComputeRedIndicatorTable writes it): 和值 (field 14), 跨度
// (field 21), AC值 (field 8), the odd count of 奇偶 (field 11) and 大小比 as the count of
// reds of 17 and more (fields 1-6).
enum class TrendIndicator
{
    Sum,
    Span,
    Ac,
    Odd,
    Big,
};
inline constexpr std::size_t kTrendIndicatorCount = 5;
inline constexpr std::array<const char*, kTrendIndicatorCount> kTrendIndicatorNames = {"和值", "跨度", "AC值",
                                                                                       "奇偶比", "大小比"};
// The draws each moving average spans.
inline constexpr std::size_t kTrendAverageDraws = 10;

struct TrendSeries
{
    std::vector<int> Values;     // one per row, oldest first
    std::vector<double> Average; // the mean of the value and the nine draws before it
};

struct TrendIndicatorSeries
{
    std::vector<std::string> Issues; // one per row, oldest first
    std::array<TrendSeries, kTrendIndicatorCount> Series;

    const TrendSeries& Of(TrendIndicator indicator) const
    {
        return Series[static_cast<std::size_t>(indicator)];
    }
};

// The five series over the newest `rows` draws of the table (all when there are fewer).
// The averages reach back into older draws than the rows shown; at the oldest draws of
// the table they average over the draws there are. A line the table cannot give a field
// of is the usual conversion report.
TrendIndicatorSeries BuildTrendIndicators(const Lines& redIndicatorTable, std::size_t rows);

} // namespace qv
