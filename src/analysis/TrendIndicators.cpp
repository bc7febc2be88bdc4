#include "analysis/TrendIndicators.h"

#include <algorithm>

namespace qv {

namespace {

std::array<int, kTrendIndicatorCount> ValuesOf(const std::vector<std::string_view>& fields)
{
    int big = 0;
    for (std::size_t k = 1; k <= 6; ++k)
        if (StrToInt(FieldAt(fields, k)) >= 17)
            ++big;
    const std::string_view oddEven = FieldAt(fields, 11);
    // 奇偶 is the odd count followed by the even count, "42" for four odd reds.
    const int odd = oddEven.size() == 2 ? StrToInt(oddEven.substr(0, 1)) : StrToInt(oddEven);
    return {StrToInt(FieldAt(fields, 14)), StrToInt(FieldAt(fields, 21)), StrToInt(FieldAt(fields, 8)), odd,
            big};
}

} // namespace

TrendIndicatorSeries BuildTrendIndicators(const Lines& redIndicatorTable, std::size_t rows)
{
    TrendIndicatorSeries result;
    const std::size_t shown = std::min(rows, redIndicatorTable.size());
    // Oldest first: the rows shown and the draws their first averages reach back to.
    const std::size_t read = std::min(redIndicatorTable.size(), shown + kTrendAverageDraws - 1);
    std::vector<std::array<int, kTrendIndicatorCount>> values(read);
    std::vector<std::string> issues(read);
    for (std::size_t i = 0; i < read; ++i) {
        const auto fields = SplitFieldViews(redIndicatorTable[read - 1 - i]);
        values[i] = ValuesOf(fields);
        const std::string_view issue = FieldAt(fields, 0);
        issues[i] = std::string(issue.substr(0, issue.find('(')));
    }
    const std::size_t first = read - shown;
    result.Issues.assign(issues.begin() + static_cast<std::ptrdiff_t>(first), issues.end());
    for (std::size_t s = 0; s < kTrendIndicatorCount; ++s) {
        TrendSeries& series = result.Series[s];
        series.Values.reserve(shown);
        series.Average.reserve(shown);
        long long windowSum = 0;
        for (std::size_t i = 0; i < read; ++i) {
            windowSum += values[i][s];
            if (i >= kTrendAverageDraws)
                windowSum -= values[i - kTrendAverageDraws][s];
            if (i < first)
                continue;
            const std::size_t span = std::min(i + 1, kTrendAverageDraws);
            series.Values.push_back(values[i][s]);
            series.Average.push_back(static_cast<double>(windowSum) / static_cast<double>(span));
        }
    }
    return result;
}

} // namespace qv
