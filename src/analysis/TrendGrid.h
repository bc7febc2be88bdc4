#pragma once

#include "analysis/OmissionStatistics.h"
#include "history/Text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// The trend chart (走势图) of one colour: one row per draw, oldest first, one column per
// number. A cell holds the number's omission at that draw: 0 when it was drawn there,
// otherwise one more than at the draw before. Omissions count over the whole history
// (before its oldest draw every omission is 0), whatever part of it the rows show.
struct TrendGrid
{
    BallColour Colour = BallColour::Red;
    int Numbers = 33;                // columns: numbers 1..Numbers
    std::vector<std::string> Issues; // one per row, oldest first
    std::vector<std::int32_t> Cells; // Rows() x Numbers, row by row

    // The statistics rows over the rows shown, one value per number.
    std::vector<int> Appearances;     // 出现次数: rows with omission 0
    std::vector<int> MeanOmission;    // 平均遗漏: (rows - appearances) / (appearances + 1), truncated
    std::vector<int> MaxOmission;     // 最大遗漏
    std::vector<int> LongestRun;      // 最大连出: longest run of consecutive rows with omission 0
    std::vector<int> CurrentOmission; // 当前遗漏: the omission in the last row

    std::size_t Rows() const { return Issues.size(); }
    // Omission of number (1..Numbers) at row.
    int At(std::size_t row, int number) const
    {
        return Cells[row * static_cast<std::size_t>(Numbers) + static_cast<std::size_t>(number - 1)];
    }
    bool Drawn(std::size_t row, int number) const { return At(row, number) == 0; }
};

// The default number of rows and the names of the five statistics rows, in their order.
inline constexpr std::size_t kTrendDefaultDraws = 100;
inline constexpr std::array<const char*, 5> kTrendStatisticNames = {"出现次数", "平均遗漏", "最大遗漏",
                                                                    "最大连出", "当前遗漏"};

// Numbers of a colour: 33 red, 16 blue.
inline int TrendNumbers(BallColour colour)
{
    return colour == BallColour::Red ? 33 : 16;
}

// The grid of the newest `rows` draws (all of them when there are fewer) and its
// statistics, in one pass over the draws (newest first, as ParseOmissionDraws gives them).
TrendGrid BuildTrendGrid(const std::vector<OmissionDraw>& draws, BallColour colour, std::size_t rows);

// The same from the history lines (newest first); a line of fewer than eight fields or with
// a number that is not one is the usual conversion report.
TrendGrid BuildTrendGrid(const Lines& historyLines, BallColour colour, std::size_t rows);

// Both colours' grids from one reading of the history lines.
struct TrendGrids
{
    TrendGrid Red;
    TrendGrid Blue;
};
TrendGrids BuildTrendGrids(const Lines& historyLines, std::size_t rows);

// Statistics row k (0..4, in the order of kTrendStatisticNames).
const std::vector<int>& TrendStatistic(const TrendGrid& grid, std::size_t k);

// The grid as CSV text (UTF-8, LF): "期号,01,02,...", one line per row (the issue, then
// every number's omission), then the five statistics lines, each named in place of the
// issue.
std::string TrendCsv(const TrendGrid& grid);

} // namespace qv
