#include "ui/analysis/TrendView.h"

#include "ui/widgets/QtText.h"

#include "core/Error.h"
#include "history/TextFile.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <chrono>
#include <future>
#include <limits>

namespace qv::ui {

namespace {

using M = TrendMetrics;

constexpr std::size_t kAllDraws = std::numeric_limits<std::size_t>::max();
const std::pair<const char*, std::size_t> kDrawChoices[] = {
    {"近30期", 30}, {"近50期", 50}, {"近100期", 100}, {"近200期", 200}, {"全部", kAllDraws}};
constexpr int kDefaultChoice = 2;
const char* const kChartNames[] = {"TrendChartSum", "TrendChartSpan", "TrendChartAc", "TrendChartOdd",
                                   "TrendChartBig"};

} // namespace

// ---------------------------------------------------------------------------------------
// The grid

TrendGridWidget::TrendGridWidget(QWidget* parent)
    : QAbstractScrollArea(parent), m_grid(BuildTrendGrid(Lines{}, BallColour::Red, 0))
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(M::kRowHeight);
    horizontalScrollBar()->setSingleStep(M::kCellWidth);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { m_followNewest = value >= verticalScrollBar()->maximum(); });
}

void TrendGridWidget::SetGrid(TrendGrid grid)
{
    m_grid = std::move(grid);
    m_followNewest = true;
    UpdateRanges();
    viewport()->update();
}

void TrendGridWidget::SetShowOmissions(bool show)
{
    m_options.ShowOmissions = show;
    viewport()->update();
}

bool TrendGridWidget::NewestRowVisible() const
{
    if (m_grid.Rows() == 0)
        return false;
    const int bodyHeight = viewport()->height() - M::kHeaderHeight - M::kStatisticsHeight;
    const int top = static_cast<int>(m_grid.Rows() - 1) * M::kRowHeight - verticalScrollBar()->value();
    return top >= 0 && top + M::kRowHeight <= bodyHeight;
}

QPoint TrendGridWidget::Scroll() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void TrendGridWidget::UpdateRanges()
{
    const bool follow = m_followNewest;
    const QSize size = viewport()->size();
    const int bodyHeight = std::max(0, size.height() - M::kHeaderHeight - M::kStatisticsHeight);
    const int cellsWidth = std::max(0, size.width() - M::kIssueWidth);
    // The last row ends exactly at the statistics when scrolled to the end.
    verticalScrollBar()->setPageStep(std::max(M::kRowHeight, bodyHeight));
    verticalScrollBar()->setRange(0, std::max(0, M::BodyHeight(m_grid) - bodyHeight));
    horizontalScrollBar()->setPageStep(std::max(M::kCellWidth, cellsWidth));
    horizontalScrollBar()->setRange(0, std::max(0, M::CellsWidth(m_grid) - cellsWidth));
    m_followNewest = follow;
    if (follow)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void TrendGridWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    PaintTrendGrid(painter, m_grid, m_options, viewport()->size(), Scroll());
}

void TrendGridWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateRanges();
}

void TrendGridWidget::scrollContentsBy(int, int)
{
    viewport()->update();
}

bool TrendGridWidget::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const auto cell = TrendCellAt(m_grid, viewport()->size(), Scroll(), help->pos());
        if (!cell) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const int omission = m_grid.At(cell->Row, cell->Number);
        const QString number = QString::number(cell->Number).rightJustified(2, QLatin1Char('0'));
        const QString text =
            QStringLiteral("期号：%1\n%2：%3\n%4")
                .arg(Q(m_grid.Issues[cell->Row]),
                     m_grid.Colour == BallColour::Red ? QStringLiteral("红球") : QStringLiteral("蓝球"),
                     number,
                     omission == 0 ? QStringLiteral("本期开出") : QStringLiteral("遗漏：%1期").arg(omission));
        QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

// ---------------------------------------------------------------------------------------
// The view

TrendView::TrendView(ViewContext context, QWidget* parent) : QWidget(parent), m_context(std::move(context))
{
    setObjectName(QStringLiteral("TrendView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);

    auto* bar = new QHBoxLayout;
    auto* title = new QLabel(QStringLiteral("走势图"), this);
    title->setProperty("role", QStringLiteral("title"));
    bar->addWidget(title);
    m_draws = new QComboBox(this);
    m_draws->setObjectName(QStringLiteral("TrendDraws"));
    for (const auto& [caption, draws] : kDrawChoices)
        m_draws->addItem(Q(caption));
    m_draws->setCurrentIndex(kDefaultChoice);
    bar->addWidget(m_draws);
    m_omissions = new QCheckBox(QStringLiteral("显示遗漏"), this);
    m_omissions->setObjectName(QStringLiteral("TrendShowOmissions"));
    m_omissions->setChecked(true);
    bar->addWidget(m_omissions);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("TrendNote"));
    m_note->setProperty("role", QStringLiteral("note"));
    bar->addWidget(m_note, 1);
    m_savePng = new QPushButton(QStringLiteral("保存图片"), this);
    m_savePng->setObjectName(QStringLiteral("TrendSavePng"));
    m_saveCsv = new QPushButton(QStringLiteral("保存CSV"), this);
    m_saveCsv->setObjectName(QStringLiteral("TrendSaveCsv"));
    bar->addWidget(m_savePng);
    bar->addWidget(m_saveCsv);
    layout->addLayout(bar);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("TrendPages"));
    m_red = new TrendGridWidget(m_pages);
    m_red->setObjectName(QStringLiteral("TrendRedGrid"));
    m_blue = new TrendGridWidget(m_pages);
    m_blue->setObjectName(QStringLiteral("TrendBlueGrid"));
    m_chartPages = new QTabWidget(m_pages);
    m_chartPages->setObjectName(QStringLiteral("TrendCharts"));
    m_chartPages->setTabPosition(QTabWidget::South);
    for (std::size_t k = 0; k < kTrendIndicatorCount; ++k) {
        auto* chart = new QChart;
        chart->legend()->setAlignment(Qt::AlignTop);
        chart->setMargins(QMargins(4, 4, 4, 4));
        m_charts[k] = new QChartView(chart, m_chartPages);
        m_charts[k]->setObjectName(Q(kChartNames[k]));
        m_charts[k]->setRenderHint(QPainter::Antialiasing);
        m_chartPages->addTab(m_charts[k], Q(kTrendIndicatorNames[k]));
    }
    m_pages->addTab(m_red, QStringLiteral("红球走势"));
    m_pages->addTab(m_blue, QStringLiteral("蓝球走势"));
    m_pages->addTab(m_chartPages, QStringLiteral("指标走势"));
    layout->addWidget(m_pages, 1);

    connect(m_draws, &QComboBox::currentIndexChanged, this, [this]() { Refresh(true); });
    connect(m_omissions, &QCheckBox::toggled, this, [this](bool show) {
        m_red->SetShowOmissions(show);
        m_blue->SetShowOmissions(show);
    });
    connect(m_pages, &QTabWidget::currentChanged, this, [this]() {
        ShowCurrentChart();
        UpdateButtons();
    });
    connect(m_chartPages, &QTabWidget::currentChanged, this, [this]() { ShowCurrentChart(); });
    connect(m_savePng, &QPushButton::clicked, this, [this]() { m_context.Run([this]() { SavePng(); }); });
    connect(m_saveCsv, &QPushButton::clicked, this, [this]() { m_context.Run([this]() { SaveCsv(); }); });
    UpdateButtons();
}

std::size_t TrendView::ChosenDraws() const
{
    const int index = std::clamp(m_draws->currentIndex(), 0, static_cast<int>(std::size(kDrawChoices)) - 1);
    return kDrawChoices[index].second;
}

std::string TrendView::Signature() const
{
    const AppState& state = m_context.State;
    std::string signature = std::to_string(state.HistoryLines.size()) + '|' +
                            std::to_string(state.Indicators.RedIndicatorTable.size()) + '|';
    if (!state.HistoryLines.empty())
        signature += state.HistoryLines.front() + '|' + state.HistoryLines.back();
    if (!state.Indicators.RedIndicatorTable.empty())
        signature += '|' + state.Indicators.RedIndicatorTable.front();
    return signature;
}

void TrendView::Refresh(bool force)
{
    if (!isVisible()) {
        m_signature.clear(); // read when the view is shown
        return;
    }
    std::string signature = Signature();
    if (!force && signature == m_signature)
        return;
    m_signature = std::move(signature);
    const Lines& history = m_context.State.HistoryLines;
    try {
        TrendGrids grids = BuildTrendGrids(history, ChosenDraws());
        if (grids.Red.Rows() == 0)
            m_note->setText(QStringLiteral("没有开奖记录"));
        else
            m_note->setText(QStringLiteral("共%1期：%2 — %3")
                                .arg(grids.Red.Rows())
                                .arg(Q(grids.Red.Issues.front()), Q(grids.Red.Issues.back())));
        m_red->SetGrid(std::move(grids.Red));
        m_blue->SetGrid(std::move(grids.Blue));
    } catch (const Error& e) {
        m_note->setText(QStringLiteral("历史数据不能读取：") + Q(e.what()));
        m_red->SetGrid(BuildTrendGrid(Lines{}, BallColour::Red, 0));
        m_blue->SetGrid(BuildTrendGrid(Lines{}, BallColour::Blue, 0));
    }

    m_series = TrendIndicatorSeries{};
    m_seriesRange.clear();
    try {
        m_series = BuildTrendIndicators(m_context.State.Indicators.RedIndicatorTable, ChosenDraws());
    } catch (const Error& e) {
        m_seriesRange = Q(e.what());
    }
    if (!m_series.Issues.empty())
        m_seriesRange =
            QStringLiteral("%1 — %2 期").arg(Q(m_series.Issues.front()), Q(m_series.Issues.back()));
    else if (m_seriesRange.isEmpty())
        m_seriesRange = QStringLiteral("没有指标数据");
    m_chartStale.fill(true);
    ShowCurrentChart();
    UpdateButtons();
}

void TrendView::ShowCurrentChart()
{
    if (m_pages->currentWidget() != m_chartPages)
        return;
    const int current = m_chartPages->currentIndex();
    if (current < 0 || !m_chartStale[static_cast<std::size_t>(current)])
        return;
    const auto k = static_cast<std::size_t>(current);
    m_chartStale[k] = false;

    QChart* chart = m_charts[k]->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(Q(kTrendIndicatorNames[k]) + QStringLiteral("走势（") + m_seriesRange +
                    QStringLiteral("）"));

    const TrendSeries& values = m_series.Series[k];
    QList<QPointF> points;
    QList<QPointF> average;
    points.reserve(static_cast<qsizetype>(values.Values.size()));
    average.reserve(static_cast<qsizetype>(values.Values.size()));
    int low = values.Values.empty() ? 0 : values.Values.front();
    int high = low + 1;
    for (std::size_t i = 0; i < values.Values.size(); ++i) {
        points.append(QPointF(static_cast<double>(i + 1), values.Values[i]));
        average.append(QPointF(static_cast<double>(i + 1), values.Average[i]));
        low = std::min(low, values.Values[i]);
        high = std::max(high, values.Values[i]);
    }
    auto* line = new QLineSeries;
    line->setName(Q(kTrendIndicatorNames[k]));
    line->setPen(QPen(QColor(0xd0, 0x31, 0x2d), 1.4));
    line->replace(points);
    auto* mean = new QLineSeries;
    mean->setName(QStringLiteral("10期均线"));
    mean->setPen(QPen(QColor(0x1f, 0x5f, 0xbf), 2.0));
    mean->replace(average);
    chart->addSeries(line);
    chart->addSeries(mean);

    auto* x = new QValueAxis;
    x->setLabelFormat(QStringLiteral("%d"));
    x->setTitleText(QStringLiteral("期（由旧到新）"));
    x->setRange(1, std::max<double>(2, static_cast<double>(points.size())));
    auto* y = new QValueAxis;
    y->setLabelFormat(QStringLiteral("%d"));
    const int margin = std::max(1, (high - low) / 10);
    y->setRange(low - margin, high + margin);
    y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

TrendGridWidget* TrendView::CurrentGrid() const
{
    QWidget* page = m_pages->currentWidget();
    return page == m_red ? m_red : page == m_blue ? m_blue : nullptr;
}

void TrendView::UpdateButtons()
{
    m_saveCsv->setEnabled(CurrentGrid() != nullptr);
}

void TrendView::SavePng()
{
    TrendGridWidget* grid = CurrentGrid();
    std::string name;
    if (grid)
        name = grid->Grid().Colour == BallColour::Red ? "红球走势图.png" : "蓝球走势图.png";
    else
        name = std::string(kTrendIndicatorNames[static_cast<std::size_t>(m_chartPages->currentIndex())]) +
               "走势.png";
    FileDialogRequest request = m_context.State.TextFileDialog(name);
    request.Filter = "*.png|*.png";
    const auto path = m_context.CommandHost.ChooseSaveFile(request);
    if (!path)
        return;
    if (grid) {
        // A grid of every draw takes a second or two to draw and encode: that runs beside
        // the window, which keeps painting meanwhile.
        auto work = std::async(std::launch::async,
                               [copy = grid->Grid(), options = grid->Options(), target = *path]() {
                                   SavePngFile(RenderTrendImage(copy, options), target);
                               });
        while (work.wait_for(std::chrono::milliseconds(30)) != std::future_status::ready)
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        work.get();
    } else {
        SavePngFile(m_chartPages->currentWidget()->grab().toImage(), *path);
    }
    m_context.CommandHost.Log("图片已保存：" + path->string());
}

void TrendView::SaveCsv()
{
    TrendGridWidget* grid = CurrentGrid();
    if (!grid)
        return;
    FileDialogRequest request = m_context.State.TextFileDialog(
        grid->Grid().Colour == BallColour::Red ? "红球走势图.csv" : "蓝球走势图.csv");
    request.Filter = "*.csv|*.csv";
    const auto path = m_context.CommandHost.ChooseSaveFile(request);
    if (!path)
        return;
    ReplaceFile(*path, TrendCsv(grid->Grid()));
    m_context.CommandHost.Log("走势图已保存：" + path->string());
}

void TrendView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Refresh();
}

void TrendView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Back from the record editor, the history may have changed.
    if (event->type() == QEvent::ActivationChange && isVisible() && isActiveWindow())
        Refresh();
}

} // namespace qv::ui
