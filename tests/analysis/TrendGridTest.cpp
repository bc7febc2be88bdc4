#include "analysis/TrendGrid.h"
#include "analysis/TrendIndicators.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::HistoryLine;

// Four draws, oldest first. Blue 01 is drawn only in the oldest draw, blue 02 in the two
// newest, blue 03 twice apart, blue 16 never. Red 01 stands in every draw, red 07 only in
// the oldest, red 33 never.
Lines FourDraws()
{
    return {
        HistoryLine(2024004, {1, 2, 3, 4, 5, 6}, 2),
        HistoryLine(2024003, {1, 8, 9, 10, 11, 12}, 2),
        HistoryLine(2024002, {1, 2, 13, 14, 15, 16}, 3),
        HistoryLine(2024001, {1, 7, 17, 18, 19, 20}, 1),
    };
}

struct Column
{
    BallColour Colour;
    int Number;
    std::vector<int> Omissions; // oldest row first
    std::array<int, 5> Statistics;
};

TEST(TrendGrid, OmissionsAndStatisticsFollowTheDefinitions)
{
    const std::vector<std::pair<std::size_t, Column>> cases = {
        // All four rows.
        {4, {BallColour::Blue, 1, {0, 1, 2, 3}, {1, 1, 3, 1, 3}}},
        {4, {BallColour::Blue, 2, {1, 2, 0, 0}, {2, 0, 2, 2, 0}}},
        {4, {BallColour::Blue, 3, {1, 0, 1, 2}, {1, 1, 2, 1, 2}}},
        {4, {BallColour::Blue, 16, {1, 2, 3, 4}, {0, 4, 4, 0, 4}}},
        {4, {BallColour::Red, 1, {0, 0, 0, 0}, {4, 0, 0, 4, 0}}},
        {4, {BallColour::Red, 2, {1, 0, 1, 0}, {2, 0, 1, 1, 0}}},
        {4, {BallColour::Red, 7, {0, 1, 2, 3}, {1, 1, 3, 1, 3}}},
        {4, {BallColour::Red, 33, {1, 2, 3, 4}, {0, 4, 4, 0, 4}}},
        // The newest two rows: omissions still count from the oldest draw.
        {2, {BallColour::Blue, 1, {2, 3}, {0, 2, 3, 0, 3}}},
        {2, {BallColour::Blue, 2, {0, 0}, {2, 0, 0, 2, 0}}},
        {2, {BallColour::Red, 7, {2, 3}, {0, 2, 3, 0, 3}}},
        // More rows asked for than there are draws.
        {50, {BallColour::Blue, 3, {1, 0, 1, 2}, {1, 1, 2, 1, 2}}},
    };
    const Lines history = FourDraws();
    for (const auto& [rows, column] : cases) {
        SCOPED_TRACE(testing::Message()
                     << "rows " << rows << (column.Colour == BallColour::Red ? " red " : " blue ")
                     << column.Number);
        const TrendGrid grid = BuildTrendGrid(history, column.Colour, rows);
        ASSERT_EQ(grid.Rows(), column.Omissions.size());
        EXPECT_EQ(grid.Numbers, column.Colour == BallColour::Red ? 33 : 16);
        EXPECT_EQ(grid.Issues.back(), "2024004");
        std::vector<int> omissions;
        for (std::size_t row = 0; row < grid.Rows(); ++row)
            omissions.push_back(grid.At(row, column.Number));
        EXPECT_EQ(omissions, column.Omissions);
        for (std::size_t k = 0; k < 5; ++k)
            EXPECT_EQ(TrendStatistic(grid, k)[static_cast<std::size_t>(column.Number - 1)],
                      column.Statistics[k])
                << kTrendStatisticNames[k];
    }
}

TEST(TrendGrid, CsvHasTheHeaderTheRowsAndTheNamedStatistics)
{
    const std::string csv = TrendCsv(BuildTrendGrid(FourDraws(), BallColour::Blue, 2));
    EXPECT_EQ(csv, "期号,01,02,03,04,05,06,07,08,09,10,11,12,13,14,15,16\n"
                   "2024003,2,0,1,3,3,3,3,3,3,3,3,3,3,3,3,3\n"
                   "2024004,3,0,2,4,4,4,4,4,4,4,4,4,4,4,4,4\n"
                   "出现次数,0,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n"
                   "平均遗漏,2,0,2,2,2,2,2,2,2,2,2,2,2,2,2,2\n"
                   "最大遗漏,3,0,2,4,4,4,4,4,4,4,4,4,4,4,4,4\n"
                   "最大连出,0,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n"
                   "当前遗漏,3,0,2,4,4,4,4,4,4,4,4,4,4,4,4,4\n");
}

TEST(TrendIndicators, SeriesReadTheTableAndAverageOverTenDraws)
{
    // Twelve table lines, newest first: reds 01 02 03 04 05 n for n = 17..28 (sum 15 + n,
    // span n - 1), AC value and odd-even fields as written.
    Lines table;
    for (int i = 0; i < 12; ++i) {
        const int n = 28 - i;
        table.push_back(std::to_string(2024012 - i) + "(" + std::to_string(12 - i) + ") 01 02 03 04 05 " +
                        std::to_string(n) + " 07 " + std::to_string(i % 3) + " x x " + (n % 2 ? "42" : "33") +
                        " x x " + std::to_string(15 + n) + " x x x x x x " + std::to_string(n - 1) +
                        " x x x");
    }
    const TrendIndicatorSeries series = BuildTrendIndicators(table, 3);
    EXPECT_EQ(series.Issues, (std::vector<std::string>{"2024010", "2024011", "2024012"}));
    EXPECT_EQ(series.Of(TrendIndicator::Sum).Values, (std::vector<int>{41, 42, 43}));
    EXPECT_EQ(series.Of(TrendIndicator::Span).Values, (std::vector<int>{25, 26, 27}));
    EXPECT_EQ(series.Of(TrendIndicator::Ac).Values, (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(series.Of(TrendIndicator::Odd).Values, (std::vector<int>{3, 4, 3}));
    EXPECT_EQ(series.Of(TrendIndicator::Big).Values, (std::vector<int>{1, 1, 1}));
    // The sums of draws 1..10 are 32..41, of 3..12 are 34..43.
    EXPECT_DOUBLE_EQ(series.Of(TrendIndicator::Sum).Average.front(), 36.5);
    EXPECT_DOUBLE_EQ(series.Of(TrendIndicator::Sum).Average.back(), 38.5);
    // At the oldest draws the average spans the draws there are.
    EXPECT_DOUBLE_EQ(BuildTrendIndicators(table, 12).Of(TrendIndicator::Sum).Average.front(), 32.0);
}

} // namespace
} // namespace qv
