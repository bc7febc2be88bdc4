#include "ui/analysis/TrendPainter.h"

#include "core/Error.h"
#include "history/TextFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QPainter>

#include <QtMath>

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

namespace qv::ui {

namespace {

using M = TrendMetrics;

const QColor kRedBall(0xd0, 0x31, 0x2d);
const QColor kBlueBall(0x1f, 0x5f, 0xbf);
const QColor kOmission(0xa0, 0xa0, 0xa0);
const QColor kGridLine(0xe3, 0xdd, 0xd7);
const QColor kZoneLine(0xb0, 0x8c, 0x70);
const QColor kHeaderFill(0xef, 0xe8, 0xe1);
const QColor kStatisticsFill(0xfb, 0xf1, 0xe4);
const QColor kStripe(0xf8, 0xf5, 0xf1);
const QColor kText(0x33, 0x33, 0x33);

QColor BallColourOf(const TrendGrid& grid)
{
    return grid.Colour == BallColour::Red ? kRedBall : kBlueBall;
}

QFont PixelFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QString Two(int number)
{
    return QString::number(number).rightJustified(2, QLatin1Char('0'));
}

// The geometry of one painting: where the body starts and how it is scrolled.
struct Frame
{
    int BodyTop = M::kHeaderHeight;
    int BodyBottom = 0; // the statistics start here
    QPoint Scroll;

    int CellX(int number) const { return M::kIssueWidth + (number - 1) * M::kCellWidth - Scroll.x(); }
    int RowY(std::size_t row) const { return BodyTop + static_cast<int>(row) * M::kRowHeight - Scroll.y(); }
    QPointF Centre(std::size_t row, int number) const
    {
        return {CellX(number) + M::kCellWidth / 2.0, RowY(row) + M::kRowHeight / 2.0};
    }
};

Frame FrameOf(QSize size, QPoint scroll)
{
    Frame frame;
    frame.BodyBottom = std::max(frame.BodyTop, size.height() - M::kStatisticsHeight);
    frame.Scroll = scroll;
    return frame;
}

void PaintBall(QPainter& painter, QPointF centre, const QColor& colour, int number)
{
    const double radius = M::kRowHeight / 2.0 - 1.5;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(centre, radius, radius);
    painter.setFont(PixelFont(11, true));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                     Qt::AlignCenter, Two(number));
}

// Every cell of the rows is one of few pictures (a ball of a number, an omission value), so
// each is drawn once per thread and pixel ratio and then copied: a grid of all draws holds
// a hundred thousand cells.
class CellPictures
{
public:
    const QImage& Ball(const QColor& colour, int number, qreal ratio)
    {
        return Picture(Key{1, colour.rgb(), number, ratio}, ratio, [&](QPainter& painter) {
            painter.setRenderHint(QPainter::Antialiasing, true);
            PaintBall(painter, QPointF(M::kCellWidth / 2.0, M::kRowHeight / 2.0), colour, number);
        });
    }
    const QImage& Omission(int omission, qreal ratio)
    {
        return Picture(Key{0, 0, omission, ratio}, ratio, [&](QPainter& painter) {
            painter.setFont(PixelFont(10));
            painter.setPen(kOmission);
            painter.drawText(QRect(0, 0, M::kCellWidth, M::kRowHeight), Qt::AlignCenter,
                             QString::number(omission));
        });
    }

private:
    using Key = std::tuple<int, QRgb, int, qreal>;

    template <typename Draw> const QImage& Picture(const Key& key, qreal ratio, const Draw& draw)
    {
        auto found = m_pictures.find(key);
        if (found != m_pictures.end())
            return found->second;
        QImage image(QSize(qCeil(M::kCellWidth * ratio), qCeil(M::kRowHeight * ratio)),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            draw(painter);
        }
        if (m_pictures.size() > 4096)
            m_pictures.clear();
        return m_pictures.emplace(key, std::move(image)).first->second;
    }

    std::map<Key, QImage> m_pictures;
};

CellPictures& Pictures()
{
    thread_local CellPictures pictures;
    return pictures;
}

void PaintZoneSeparators(QPainter& painter, const TrendGrid& grid, const Frame& frame, int top, int bottom)
{
    if (grid.Colour != BallColour::Red)
        return;
    painter.setPen(QPen(kZoneLine, 1.5));
    for (const int last : {11, 22}) {
        const int x = frame.CellX(last + 1);
        painter.drawLine(x, top, x, bottom);
    }
}

void PaintBody(QPainter& painter, const TrendGrid& grid, const TrendPaintOptions& options, const Frame& frame,
               int width)
{
    const int bodyHeight = frame.BodyBottom - frame.BodyTop;
    if (grid.Rows() == 0 || bodyHeight <= 0)
        return;
    const auto firstRow = static_cast<std::size_t>(std::max(0, frame.Scroll.y() / M::kRowHeight));
    const std::size_t endRow =
        std::min(grid.Rows(), static_cast<std::size_t>((frame.Scroll.y() + bodyHeight) / M::kRowHeight + 1));
    if (firstRow >= endRow)
        return;

    painter.save();
    painter.setClipRect(QRect(M::kIssueWidth, frame.BodyTop, width - M::kIssueWidth, bodyHeight));
    for (std::size_t row = firstRow; row < endRow; ++row)
        painter.fillRect(QRect(M::kIssueWidth, frame.RowY(row), width - M::kIssueWidth, M::kRowHeight),
                         row % 2 ? kStripe : QColor(Qt::white));
    painter.setPen(kGridLine);
    for (int n = 1; n <= grid.Numbers + 1; ++n)
        painter.drawLine(frame.CellX(n), frame.BodyTop, frame.CellX(n), frame.BodyBottom);
    PaintZoneSeparators(painter, grid, frame, frame.BodyTop, frame.BodyBottom);

    painter.setRenderHint(QPainter::Antialiasing, true);
    if (grid.Colour == BallColour::Blue) {
        // The line through the blues of consecutive rows, reaching one row beyond the rows
        // in sight so that it enters and leaves the picture.
        QList<QLineF> lines;
        std::optional<QPointF> previous;
        const std::size_t from = firstRow > 0 ? firstRow - 1 : 0;
        const std::size_t to = std::min(grid.Rows(), endRow + 1);
        for (std::size_t row = from; row < to; ++row)
            for (int n = 1; n <= grid.Numbers; ++n)
                if (grid.Drawn(row, n)) {
                    const QPointF centre = frame.Centre(row, n);
                    if (previous)
                        lines.append(QLineF(*previous, centre));
                    previous = centre;
                }
        painter.setPen(QPen(kBlueBall.lighter(140), 1.6));
        painter.drawLines(lines);
    }

    const QColor ball = BallColourOf(grid);
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    CellPictures& pictures = Pictures();
    for (std::size_t row = firstRow; row < endRow; ++row) {
        for (int n = 1; n <= grid.Numbers; ++n) {
            const int omission = grid.At(row, n);
            const QPoint corner(frame.CellX(n), frame.RowY(row));
            if (omission == 0)
                painter.drawImage(corner, pictures.Ball(ball, n, ratio));
            else if (options.ShowOmissions)
                painter.drawImage(corner, pictures.Omission(omission, ratio));
        }
    }
    painter.restore();

    // The frozen issue column.
    painter.save();
    painter.setClipRect(QRect(0, frame.BodyTop, M::kIssueWidth, bodyHeight));
    painter.setFont(PixelFont(12));
    for (std::size_t row = firstRow; row < endRow; ++row) {
        const QRect cell(0, frame.RowY(row), M::kIssueWidth, M::kRowHeight);
        painter.fillRect(cell, row % 2 ? kStripe : QColor(Qt::white));
        painter.setPen(kText);
        painter.drawText(cell.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromUtf8(grid.Issues[row]));
    }
    painter.restore();
}

void PaintHeader(QPainter& painter, const TrendGrid& grid, const Frame& frame, int width)
{
    const QColor ball = BallColourOf(grid);
    painter.fillRect(QRect(0, 0, width, M::kHeaderHeight), kHeaderFill);
    painter.save();
    painter.setClipRect(QRect(M::kIssueWidth, 0, width - M::kIssueWidth, M::kHeaderHeight));
    painter.setFont(PixelFont(12, true));
    painter.setPen(ball.darker(130));
    for (int n = 1; n <= grid.Numbers; ++n)
        painter.drawText(QRect(frame.CellX(n), 0, M::kCellWidth, M::kHeaderHeight), Qt::AlignCenter, Two(n));
    PaintZoneSeparators(painter, grid, frame, 0, M::kHeaderHeight);
    painter.restore();
    painter.setFont(PixelFont(12, true));
    painter.setPen(kText);
    painter.drawText(QRect(4, 0, M::kIssueWidth - 8, M::kHeaderHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("期号"));
    painter.setPen(kZoneLine);
    painter.drawLine(0, M::kHeaderHeight - 1, width, M::kHeaderHeight - 1);
}

void PaintStatistics(QPainter& painter, const TrendGrid& grid, const Frame& frame, int width)
{
    const int top = frame.BodyBottom;
    painter.fillRect(QRect(0, top, width, M::kStatisticsHeight), kStatisticsFill);
    painter.setPen(kZoneLine);
    painter.drawLine(0, top, width, top);
    static const QColor colours[] = {QColor(0x8a, 0x12, 0x12), QColor(0x2e, 0x6b, 0x3a),
                                     QColor(0x1f, 0x4f, 0x9f), QColor(0x7a, 0x4a, 0x10),
                                     QColor(0x55, 0x55, 0x55)};
    for (std::size_t k = 0; k < kTrendStatisticNames.size(); ++k) {
        const int y = top + static_cast<int>(k) * M::kRowHeight;
        const std::vector<int>& values = TrendStatistic(grid, k);
        if (values.size() < static_cast<std::size_t>(grid.Numbers))
            continue;
        painter.save();
        painter.setClipRect(QRect(M::kIssueWidth, top, width - M::kIssueWidth, M::kStatisticsHeight));
        painter.setFont(PixelFont(11));
        painter.setPen(colours[k]);
        for (int n = 1; n <= grid.Numbers; ++n)
            painter.drawText(QRect(frame.CellX(n), y, M::kCellWidth, M::kRowHeight), Qt::AlignCenter,
                             QString::number(values[static_cast<std::size_t>(n - 1)]));
        painter.setPen(kGridLine);
        painter.drawLine(M::kIssueWidth, y + M::kRowHeight - 1, width, y + M::kRowHeight - 1);
        PaintZoneSeparators(painter, grid, frame, y, y + M::kRowHeight);
        painter.restore();
        painter.setFont(PixelFont(12, true));
        painter.setPen(colours[k]);
        painter.drawText(QRect(4, y, M::kIssueWidth - 8, M::kRowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromUtf8(kTrendStatisticNames[k]));
    }
}

} // namespace

void PaintTrendGrid(QPainter& painter, const TrendGrid& grid, const TrendPaintOptions& options, QSize size,
                    QPoint scroll)
{
    const Frame frame = FrameOf(size, scroll);
    const int width = size.width();
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    PaintBody(painter, grid, options, frame, width);
    PaintHeader(painter, grid, frame, width);
    PaintStatistics(painter, grid, frame, width);
    painter.setPen(kZoneLine);
    painter.drawLine(M::kIssueWidth - 1, 0, M::kIssueWidth - 1, size.height());
}

std::optional<TrendCell> TrendCellAt(const TrendGrid& grid, QSize size, QPoint scroll, QPoint point)
{
    const Frame frame = FrameOf(size, scroll);
    if (point.x() < M::kIssueWidth || point.y() < frame.BodyTop || point.y() >= frame.BodyBottom)
        return std::nullopt;
    const int x = point.x() - M::kIssueWidth + scroll.x();
    const int y = point.y() - frame.BodyTop + scroll.y();
    const int number = x / M::kCellWidth + 1;
    const auto row = static_cast<std::size_t>(y / M::kRowHeight);
    if (number > grid.Numbers || row >= grid.Rows())
        return std::nullopt;
    return TrendCell{row, number};
}

QImage RenderTrendImage(const TrendGrid& grid, const TrendPaintOptions& options)
{
    const QSize size(M::Width(grid), M::Height(grid));
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    QPainter painter(&image);
    PaintTrendGrid(painter, grid, options, size, QPoint(0, 0));
    return image;
}

void SavePngFile(const QImage& image, const std::filesystem::path& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        throw Error("无法生成图片：" + path.string());
    ReplaceFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace qv::ui
