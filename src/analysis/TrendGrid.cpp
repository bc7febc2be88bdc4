#include "analysis/TrendGrid.h"

#include "core/Error.h"
#include "indicators/FieldCut.h"

#include <algorithm>

namespace qv {

namespace {

// A history line read without copies: the issue as a view into the line, the numbers as
// bits.
struct LineDraw
{
    std::string_view Issue;
    std::uint64_t RedMask = 0;
    int Blue = 0;

    bool Hits(BallColour colour, int number) const
    {
        return colour == BallColour::Red ? ((RedMask >> number) & 1u) != 0 : Blue == number;
    }
};

std::vector<LineDraw> ReadDraws(const Lines& historyLines)
{
    std::vector<LineDraw> draws;
    draws.reserve(historyLines.size());
    std::array<std::string_view, 8> fields;
    for (const auto& line : historyLines) {
        const std::size_t found = CutFields(line, fields);
        if (found < 8)
            throw Error::ListIndexOutOfBounds(static_cast<long long>(found));
        LineDraw draw;
        draw.Issue = fields[0];
        for (std::size_t k = 1; k <= 6; ++k) {
            const int red = StrToInt(fields[k]);
            if (red >= 1 && red <= 33)
                draw.RedMask |= std::uint64_t{1} << red;
        }
        draw.Blue = StrToInt(fields[7]);
        draws.push_back(draw);
    }
    return draws;
}

template <typename Draw> TrendGrid Build(const std::vector<Draw>& draws, BallColour colour, std::size_t rows)
{
    TrendGrid grid;
    grid.Colour = colour;
    grid.Numbers = TrendNumbers(colour);
    const auto numbers = static_cast<std::size_t>(grid.Numbers);
    const std::size_t shown = std::min(rows, draws.size());
    const std::size_t firstShown = draws.size() - shown; // in oldest-first order

    grid.Issues.reserve(shown);
    grid.Cells.resize(shown * numbers);
    grid.Appearances.assign(numbers, 0);
    grid.MeanOmission.assign(numbers, 0);
    grid.MaxOmission.assign(numbers, 0);
    grid.LongestRun.assign(numbers, 0);
    grid.CurrentOmission.assign(numbers, 0);

    std::vector<std::int32_t> omission(numbers, 0);
    std::vector<int> run(numbers, 0);
    for (std::size_t t = 0; t < draws.size(); ++t) {
        const Draw& draw = draws[draws.size() - 1 - t];
        for (std::size_t n = 0; n < numbers; ++n)
            omission[n] = draw.Hits(colour, static_cast<int>(n) + 1) ? 0 : omission[n] + 1;
        if (t < firstShown)
            continue;
        const std::size_t row = t - firstShown;
        grid.Issues.emplace_back(draw.Issue);
        std::copy(omission.begin(), omission.end(),
                  grid.Cells.begin() + static_cast<std::ptrdiff_t>(row * numbers));
        for (std::size_t n = 0; n < numbers; ++n) {
            if (omission[n] == 0) {
                ++grid.Appearances[n];
                grid.LongestRun[n] = std::max(grid.LongestRun[n], ++run[n]);
            } else {
                run[n] = 0;
                grid.MaxOmission[n] = std::max(grid.MaxOmission[n], static_cast<int>(omission[n]));
            }
        }
    }
    for (std::size_t n = 0; n < numbers; ++n) {
        const auto hits = static_cast<std::size_t>(grid.Appearances[n]);
        grid.MeanOmission[n] = static_cast<int>((shown - hits) / (hits + 1));
        grid.CurrentOmission[n] = shown ? grid.Cells[(shown - 1) * numbers + n] : 0;
    }
    return grid;
}

} // namespace

TrendGrid BuildTrendGrid(const std::vector<OmissionDraw>& draws, BallColour colour, std::size_t rows)
{
    return Build(draws, colour, rows);
}

TrendGrid BuildTrendGrid(const Lines& historyLines, BallColour colour, std::size_t rows)
{
    return Build(ReadDraws(historyLines), colour, rows);
}

TrendGrids BuildTrendGrids(const Lines& historyLines, std::size_t rows)
{
    const std::vector<LineDraw> draws = ReadDraws(historyLines);
    return {Build(draws, BallColour::Red, rows), Build(draws, BallColour::Blue, rows)};
}

const std::vector<int>& TrendStatistic(const TrendGrid& grid, std::size_t k)
{
    switch (k) {
    case 0:
        return grid.Appearances;
    case 1:
        return grid.MeanOmission;
    case 2:
        return grid.MaxOmission;
    case 3:
        return grid.LongestRun;
    default:
        return grid.CurrentOmission;
    }
}

std::string TrendCsv(const TrendGrid& grid)
{
    std::string out = "期号";
    for (int n = 1; n <= grid.Numbers; ++n) {
        out += ',';
        out += TwoDigits(n);
    }
    out += '\n';
    const auto appendValues = [&](const auto& valueOf) {
        for (int n = 1; n <= grid.Numbers; ++n) {
            out += ',';
            out += std::to_string(valueOf(n));
        }
        out += '\n';
    };
    for (std::size_t row = 0; row < grid.Rows(); ++row) {
        out += grid.Issues[row];
        appendValues([&](int n) { return grid.At(row, n); });
    }
    for (std::size_t k = 0; k < kTrendStatisticNames.size(); ++k) {
        out += kTrendStatisticNames[k];
        const auto& values = TrendStatistic(grid, k);
        appendValues([&](int n) { return values[static_cast<std::size_t>(n - 1)]; });
    }
    return out;
}

} // namespace qv
