#pragma once

#include "analysis/TrendGrid.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <cstddef>
#include <filesystem>
#include <optional>

class QPainter;

namespace qv::ui {

// How the trend grid is drawn, the same in the view, in its PNG and in the command-line
// PNG: a header row of numbers, one row per draw, the five statistics rows at the bottom
// and the issue column at the left. Drawn numbers are balls in the colour's colour, every
// other cell its omission in small grey digits (unless switched off); the blue page joins
// the balls of consecutive rows, the red page separates the three zones.
struct TrendPaintOptions
{
    bool ShowOmissions = true;
};

struct TrendMetrics
{
    static constexpr int kIssueWidth = 76;
    static constexpr int kCellWidth = 26;
    static constexpr int kRowHeight = 22;
    static constexpr int kHeaderHeight = 26;
    static constexpr int kStatisticsHeight = 5 * kRowHeight;

    // The width of the number columns and of the whole grid.
    static int CellsWidth(const TrendGrid& grid) { return grid.Numbers * kCellWidth; }
    static int Width(const TrendGrid& grid) { return kIssueWidth + CellsWidth(grid); }
    // The height of the draw rows and of the whole grid with its header and statistics.
    static int BodyHeight(const TrendGrid& grid) { return static_cast<int>(grid.Rows()) * kRowHeight; }
    static int Height(const TrendGrid& grid) { return kHeaderHeight + BodyHeight(grid) + kStatisticsHeight; }
};

// A cell under a point of the drawing: a draw row and a number.
struct TrendCell
{
    std::size_t Row = 0;
    int Number = 0;
};

// Paints the grid into an area of `size` whose draw rows and number columns are scrolled
// by `scroll` (pixels into the rows and columns): the header stays at the top, the
// statistics at the bottom and the issue column at the left. Only the rows in sight are
// painted.
void PaintTrendGrid(QPainter& painter, const TrendGrid& grid, const TrendPaintOptions& options, QSize size,
                    QPoint scroll);

// The cell of the draw rows at point, if any, for the same area and scroll.
std::optional<TrendCell> TrendCellAt(const TrendGrid& grid, QSize size, QPoint scroll, QPoint point);

// The whole grid as one picture, every row of it. Any thread may draw one.
QImage RenderTrendImage(const TrendGrid& grid, const TrendPaintOptions& options);

// Replaces path with the picture as PNG; throws qv::Error when it cannot be made or written.
void SavePngFile(const QImage& image, const std::filesystem::path& path);

} // namespace qv::ui
