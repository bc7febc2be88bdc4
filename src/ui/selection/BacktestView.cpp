#include "ui/selection/BacktestView.h"

#include "core/Error.h"
#include "purchase/Replay.h"
#include "session/BacktestCommands.h"
#include "ui/widgets/Buttons.h"
#include "ui/widgets/QtText.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QProgressBar>
#include <QScatterSeries>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QThread>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <exception>

namespace qv::ui {

namespace {

// A cell that shows text and sorts by value.
QStandardItem* Cell(const QString& text, const QVariant& sortValue)
{
    auto* item = new QStandardItem(text);
    item->setData(sortValue, Qt::UserRole);
    item->setEditable(false);
    return item;
}

QStandardItem* Cell(const std::string& text)
{
    return Cell(Q(text), Q(text));
}

QStandardItem* Number(long long value)
{
    auto* item = Cell(QString::number(value), value);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QStandardItem* Share(double share)
{
    auto* item = Cell(Q(PercentText(share)), share);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QTableView* MakeTable(const QString& name, QStandardItemModel* model, QWidget* parent)
{
    auto* table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(model);
    model->setSortRole(Qt::UserRole);
    table->setSortingEnabled(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

} // namespace

BacktestView::BacktestView(ViewContext context, QWidget* parent)
    : QWidget(parent), m_context(std::move(context))
{
    setObjectName(QStringLiteral("TabSheetBacktest"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);

    auto* note = new QLabel(
        QStringLiteral("对最近N期的每一期，用它之前的历史数据重建当时的状态，检查每个过滤条件是否会排除"
                       "当期真正开出的红球。误杀率接近缩水率的条件并不比随机删号更好。"),
        this);
    note->setWordWrap(true);
    note->setProperty("role", QStringLiteral("note"));
    layout->addWidget(note);

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("验证期数"), this));
    m_draws = new QSpinBox(this);
    m_draws->setObjectName(QStringLiteral("BacktestDraws"));
    m_draws->setRange(10, 100000);
    m_draws->setValue(100);
    m_draws->setToolTip(QStringLiteral("最近多少期（10至全部可验证的期数）"));
    controls->addWidget(m_draws);
    m_shrink = new QCheckBox(QStringLiteral("缩水率"), this);
    m_shrink->setObjectName(QStringLiteral("BacktestShrink"));
    m_shrink->setToolTip(QStringLiteral("每期再用每个过滤条件过滤全部1107568注，求它删掉的比例（较慢）"));
    controls->addWidget(m_shrink);
    m_start = MakeButton(QStringLiteral("开始验证"), QStringLiteral("BacktestStart"), this);
    m_start->setProperty("role", QStringLiteral("primary"));
    m_cancel = MakeButton(QStringLiteral("取消"), QStringLiteral("BacktestCancel"), this);
    m_cancel->setEnabled(false);
    controls->addWidget(m_start);
    controls->addWidget(m_cancel);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("BacktestProgress"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setFormat(QString());
    controls->addWidget(m_progress, 1);
    layout->addLayout(controls);

    m_summary = new QLabel(QStringLiteral("尚未验证"), this);
    m_summary->setObjectName(QStringLiteral("BacktestSummary"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    auto* split = new QSplitter(Qt::Vertical, this);
    auto* top = new QSplitter(Qt::Horizontal, split);
    m_filterModel = new QStandardItemModel(this);
    m_filterTable = MakeTable(QStringLiteral("BacktestFilters"), m_filterModel, top);
    m_filterTable->horizontalHeader()->setStretchLastSection(false);
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart = new QChartView(chart, top);
    m_chart->setObjectName(QStringLiteral("BacktestChart"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumWidth(280);
    top->setStretchFactor(0, 3);
    top->setStretchFactor(1, 2);
    auto* bottom = new QSplitter(Qt::Horizontal, split);
    m_drawModel = new QStandardItemModel(this);
    m_drawTable = MakeTable(QStringLiteral("BacktestDrawTable"), m_drawModel, bottom);
    m_listModel = new QStandardItemModel(this);
    m_listTable = MakeTable(QStringLiteral("BacktestLists"), m_listModel, bottom);
    bottom->setStretchFactor(0, 3);
    bottom->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    auto* actions = new QHBoxLayout;
    actions->addWidget(new QLabel(QStringLiteral("误杀率高于"), this));
    m_level = new QDoubleSpinBox(this);
    m_level->setObjectName(QStringLiteral("BacktestLevel"));
    m_level->setRange(0, 100);
    m_level->setDecimals(1);
    m_level->setSuffix(QStringLiteral("%"));
    m_level->setValue(20);
    actions->addWidget(m_level);
    m_switchOff = MakeButton(QStringLiteral("关闭这些过滤条件"), QStringLiteral("BacktestSwitchOff"), this);
    m_switchOff->setEnabled(false);
    actions->addWidget(m_switchOff);
    actions->addStretch(1);
    m_export = MakeButton(QStringLiteral("导出CSV"), QStringLiteral("BacktestExport"), this);
    m_export->setEnabled(false);
    actions->addWidget(m_export);
    layout->addLayout(actions);

    connect(m_start, &QPushButton::clicked, this, &BacktestView::StartClick);
    connect(m_cancel, &QPushButton::clicked, this, &BacktestView::CancelClick);
    connect(m_switchOff, &QPushButton::clicked, this, &BacktestView::SwitchOffClick);
    connect(m_export, &QPushButton::clicked, this, &BacktestView::ExportClick);
    FillFilters();
    FillChart();
    FillDraws();
    FillLists();
}

BacktestView::~BacktestView()
{
    if (m_thread) {
        m_cancelFlag->store(true);
        m_thread->wait();
        QApplication::restoreOverrideCursor();
    }
}

void BacktestView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!Running()) {
        const auto largest = LargestBacktest(m_context.State.HistoryLines.size());
        m_draws->setMaximum(static_cast<int>(std::clamp<std::size_t>(largest, 10, 1000000)));
    }
}

void BacktestView::StartClick()
{
    if (Running())
        return;
    // The run reads a copy of the history and the filter view, taken here.
    auto request = std::make_shared<BacktestRequest>();
    const bool ok = m_context.Run([&]() {
        const std::size_t history = m_context.State.HistoryLines.size();
        const std::string problem = BacktestDrawsProblem(m_draws->value(), history);
        if (!problem.empty())
            throw Error(problem);
        *request = BacktestRequestOf(m_context.State, static_cast<std::size_t>(m_draws->value()),
                                     m_shrink->isChecked());
    });
    if (!ok || request->Draws == 0)
        return;

    m_cancelFlag = std::make_shared<std::atomic<bool>>(false);
    auto cancel = m_cancelFlag;
    auto outcome = std::make_shared<BacktestReport>();
    auto failure = std::make_shared<std::exception_ptr>();
    m_thread = QThread::create([this, request, cancel, outcome, failure]() {
        BacktestHooks hooks;
        hooks.Cancel = cancel.get();
        hooks.Progress = [this](std::size_t done, std::size_t total) {
            QMetaObject::invokeMethod(
                this,
                [this, done, total]() {
                    m_progress->setMaximum(static_cast<int>(total));
                    m_progress->setValue(static_cast<int>(done));
                },
                Qt::QueuedConnection);
        };
        try {
            *outcome = RunBacktest(*request, hooks);
        } catch (...) {
            *failure = std::current_exception();
        }
    });
    m_thread->setParent(this);
    connect(m_thread, &QThread::finished, this, [this, outcome, failure]() {
        m_thread->deleteLater();
        m_thread = nullptr;
        SetRunning(false);
        if (*failure) {
            m_context.Run([&]() { std::rethrow_exception(*failure); });
            m_summary->setText(QStringLiteral("验证没有完成"));
        } else {
            Show(std::move(*outcome));
        }
        emit Finished();
    });
    m_progress->setRange(0, static_cast<int>(request->Draws));
    m_progress->setValue(0);
    m_progress->setFormat(QStringLiteral("%v/%m期"));
    SetRunning(true);
    m_summary->setText(QStringLiteral("正在验证最近%1期……").arg(request->Draws));
    m_thread->start();
}

void BacktestView::CancelClick()
{
    if (m_cancelFlag)
        m_cancelFlag->store(true);
    m_cancel->setEnabled(false);
}

void BacktestView::SetRunning(bool running)
{
    m_start->setEnabled(!running);
    m_cancel->setEnabled(running);
    m_draws->setEnabled(!running);
    m_shrink->setEnabled(!running);
    m_switchOff->setEnabled(!running && m_report.has_value());
    m_export->setEnabled(!running && m_report.has_value());
    if (running)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void BacktestView::Show(BacktestReport report)
{
    m_report = std::move(report);
    QString summary = Q(BacktestSummary(*m_report));
    if (m_report->Cancelled)
        summary += QStringLiteral("（已取消，只验证了最近%1期）").arg(m_report->Draws.size());
    m_summary->setText(summary);
    m_switchOff->setEnabled(true);
    m_export->setEnabled(true);
    FillFilters();
    FillChart();
    FillDraws();
    FillLists();
}

void BacktestView::FillFilters()
{
    const bool shrink = m_report && m_report->Shrink;
    m_filterModel->clear();
    QStringList headers = {QStringLiteral("名称"), QStringLiteral("开启"), QStringLiteral("误杀次数"),
                           QStringLiteral("误杀率"), QStringLiteral("错误")};
    if (shrink)
        headers << QStringLiteral("平均缩水率") << QStringLiteral("提升倍数");
    m_filterModel->setHorizontalHeaderLabels(headers);
    if (!m_report)
        return;
    for (const auto& f : m_report->Filters) {
        QList<QStandardItem*> row = {Cell(f.Info->Caption),
                                     Cell(f.On ? QStringLiteral("是") : QStringLiteral("否"), f.On),
                                     Number(f.Removed), Share(f.KillRate), Number(f.Errors)};
        row.front()->setData(Q(f.Info->CheckBox), Qt::UserRole + 1);
        if (shrink) {
            row << Share(f.MeanShare);
            row << (f.Lift ? Cell(QString::number(*f.Lift, 'f', 3), *f.Lift)
                           : Cell(QStringLiteral("-"), -1.0));
            row.back()->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        m_filterModel->appendRow(row);
    }
    m_filterTable->resizeColumnsToContents();
}

void BacktestView::FillChart()
{
    QChart* chart = m_chart->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
    if (!m_report || !m_report->Shrink) {
        chart->setTitle(QStringLiteral("勾选“缩水率”后验证，<br>这里显示误杀率与缩水率"));
        return;
    }
    chart->setTitle(QStringLiteral("误杀率与缩水率<br>（虚线：与随机删号相同）"));
    auto* on = new QScatterSeries;
    on->setName(QStringLiteral("开启"));
    on->setMarkerSize(9);
    auto* off = new QScatterSeries;
    off->setName(QStringLiteral("未开启"));
    off->setMarkerSize(7);
    off->setColor(QColor(150, 150, 150));
    for (const auto& f : m_report->Filters)
        (f.On ? on : off)->append(f.MeanShare * 100, f.KillRate * 100);
    auto* chance = new QLineSeries;
    chance->setName(QStringLiteral("随机"));
    chance->append(0, 0);
    chance->append(100, 100);
    QPen pen(QColor(200, 60, 60));
    pen.setStyle(Qt::DashLine);
    chance->setPen(pen);
    chart->addSeries(chance);
    chart->addSeries(off);
    chart->addSeries(on);
    auto* x = new QValueAxis;
    x->setRange(0, 100);
    x->setTitleText(QStringLiteral("平均缩水率 %"));
    x->setLabelFormat(QStringLiteral("%d"));
    auto* y = new QValueAxis;
    y->setRange(0, 100);
    y->setTitleText(QStringLiteral("误杀率 %"));
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    // Hovering a point names the filters there.
    for (QScatterSeries* series : {on, off})
        connect(series, &QScatterSeries::hovered, this, [this](const QPointF& point, bool entered) {
            if (!entered || !m_report) {
                QToolTip::hideText();
                return;
            }
            QStringList names;
            for (const auto& f : m_report->Filters)
                if (std::abs(f.MeanShare * 100 - point.x()) < 0.01 &&
                    std::abs(f.KillRate * 100 - point.y()) < 0.01)
                    names << Q(f.Info->Caption);
            QToolTip::showText(QCursor::pos(), QStringLiteral("%1\n误杀率%2%，缩水率%3%")
                                                   .arg(names.join(QStringLiteral("、")))
                                                   .arg(point.y(), 0, 'f', 2)
                                                   .arg(point.x(), 0, 'f', 2));
        });
}

void BacktestView::FillDraws()
{
    const bool shrink = m_report && m_report->Shrink;
    m_drawModel->clear();
    QStringList headers = {QStringLiteral("期号"), QStringLiteral("开奖红球"), QStringLiteral("保留/被排除"),
                           QStringLiteral("排除它的过滤器")};
    if (shrink)
        headers << QStringLiteral("缩水率");
    m_drawModel->setHorizontalHeaderLabels(headers);
    if (!m_report)
        return;
    for (std::size_t d = 0; d < m_report->Draws.size(); ++d) {
        const BacktestDraw& draw = m_report->Draws[d];
        QStringList removedBy;
        for (const std::size_t f : RemovedBy(*m_report, draw))
            removedBy << Q(m_report->Filters[f].Info->Caption);
        QStringList errors;
        for (const std::size_t f : FailedOn(*m_report, draw))
            errors << Q(draw.Filters[f].Error);
        QString by = removedBy.join(QStringLiteral("、"));
        if (!errors.isEmpty())
            by += (by.isEmpty() ? QString() : QStringLiteral("；")) + QStringLiteral("出错：") +
                  errors.join(QStringLiteral("；"));
        auto* kept = Cell(draw.Kept ? QStringLiteral("保留") : QStringLiteral("被排除"), draw.Kept);
        kept->setForeground(draw.Kept ? QColor(0, 128, 0) : QColor(190, 30, 30));
        auto* byCell = Cell(by, by);
        if (!errors.isEmpty())
            byCell->setToolTip(errors.join(QLatin1Char('\n')));
        QList<QStandardItem*> row = {Cell(draw.Issue), Cell(draw.Reds), kept, byCell};
        if (shrink)
            row << (draw.RunShare >= 0 ? Share(draw.RunShare) : Cell(QStringLiteral("-"), -1.0));
        m_drawModel->appendRow(row);
    }
    m_drawTable->resizeColumnsToContents();
}

void BacktestView::FillLists()
{
    m_listModel->clear();
    m_listModel->setHorizontalHeaderLabels({QStringLiteral("列表"), QStringLiteral("命中"),
                                            QStringLiteral("个数"), QStringLiteral("随机期望"),
                                            QStringLiteral("命中/期望")});
    if (!m_report)
        return;
    for (const auto& list : m_report->Lists) {
        const double ratio = list.Expected > 0 ? list.Hits / list.Expected : 0;
        QList<QStandardItem*> row = {Cell(list.Caption), Number(list.Hits), Number(list.Items),
                                     Cell(QString::number(list.Expected, 'f', 2), list.Expected),
                                     Cell(QString::number(ratio, 'f', 3), ratio)};
        for (int c = 1; c < row.size(); ++c)
            row[c]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_listModel->appendRow(row);
    }
    m_listTable->resizeColumnsToContents();
}

void BacktestView::SwitchOffClick()
{
    if (!m_report || Running())
        return;
    const double level = m_level->value() / 100.0;
    m_context.Run([&]() {
        int switched = 0;
        for (const auto& f : m_report->Filters) {
            auto on = m_context.State.Filters.Switches.find(f.Info->CheckBox);
            if (on != m_context.State.Filters.Switches.end() && on->second && f.KillRate > level + 1e-12) {
                on->second = false;
                ++switched;
            }
        }
        m_context.CommandHost.ViewChanged("PageControl2");
        LogStep(m_context.CommandHost, "历史验证：关闭了" + std::to_string(switched) + "项误杀率高于" +
                                           PercentText(level) + "的过滤条件");
    });
}

void BacktestView::ExportClick()
{
    if (!m_report)
        return;
    m_context.Run([&]() {
        FileDialogRequest request = m_context.State.TextFileDialog("历史验证.csv");
        request.Filter = "CSV文件|*.csv";
        const auto path = m_context.CommandHost.ChooseSaveFile(request);
        if (!path)
            return;
        SaveBacktestCsv(*m_report, *path);
        LogStep(m_context.CommandHost, "历史验证结果已导出：" + path->string());
    });
}

} // namespace qv::ui
