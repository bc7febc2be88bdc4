#pragma once

#include "analysis/TrendGrid.h"
#include "analysis/TrendIndicators.h"
#include "ui/ViewContext.h"
#include "ui/analysis/TrendPainter.h"

#include <QAbstractScrollArea>
#include <QString>
#include <QWidget>

#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

class QChartView;

namespace qv::ui {

// The scrolling trend grid of one colour. It paints only the rows in sight; the header
// and the statistics rows stay in place, the issue column stays while it scrolls
// sideways. A new grid shows its newest row; hovering a cell tells its issue, number and
// omission.
class TrendGridWidget : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit TrendGridWidget(QWidget* parent = nullptr);

    void SetGrid(TrendGrid grid);
    const TrendGrid& Grid() const { return m_grid; }
    void SetShowOmissions(bool show);
    const TrendPaintOptions& Options() const { return m_options; }
    // True when the last row (the newest draw) lies wholly in sight.
    bool NewestRowVisible() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateRanges();
    QPoint Scroll() const;

    TrendGrid m_grid;
    TrendPaintOptions m_options;
    bool m_followNewest = true; // keep the newest row in sight while the size changes
};

// The 走势图 view of the analysis area: the red and the blue grid and the indicator charts
// (和值, 跨度, AC值, 奇偶比, 大小比, each with its ten-draw average) over the newest 30, 50,
// 100, 200 or all draws, saved as PNG (any page) or CSV (a grid with its statistics).
class TrendView : public QWidget
{
    Q_OBJECT
public:
    explicit TrendView(ViewContext context, QWidget* parent = nullptr);

    // Reads the history and the red indicator table again when they changed since the
    // last reading (or always with force); a hidden view reads them when it is shown.
    void Refresh(bool force = false);

    TrendGridWidget* RedGrid() const { return m_red; }
    TrendGridWidget* BlueGrid() const { return m_blue; }
    QTabWidget* Pages() const { return m_pages; } // TrendPages

    void SavePng();
    void SaveCsv();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::size_t ChosenDraws() const;
    std::string Signature() const;
    // Draws the chart in sight when the data changed since it was last drawn.
    void ShowCurrentChart();
    void UpdateButtons();
    TrendGridWidget* CurrentGrid() const;

    ViewContext m_context;
    QComboBox* m_draws = nullptr;
    QCheckBox* m_omissions = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_savePng = nullptr;
    QPushButton* m_saveCsv = nullptr;
    QTabWidget* m_pages = nullptr;
    QTabWidget* m_chartPages = nullptr;
    TrendGridWidget* m_red = nullptr;
    TrendGridWidget* m_blue = nullptr;
    std::array<QChartView*, kTrendIndicatorCount> m_charts{};

    std::string m_signature;       // of the data last read
    TrendIndicatorSeries m_series; // of the draws shown
    QString m_seriesRange;         // the draws the charts span, or why there are none
    std::array<bool, kTrendIndicatorCount> m_chartStale{};
};

} // namespace qv::ui
