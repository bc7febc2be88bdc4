#pragma once

#include "filters/Backtest.h"
#include "ui/ViewContext.h"

#include <QWidget>

#include <atomic>
#include <memory>
#include <optional>

class QCheckBox;
class QChartView;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTableView;
class QThread;

namespace qv::ui {

// The page "历史验证" of the filter view: every filter and next-issue list judged against
// the newest draws with the window's switches, parameters and rule boxes. The run works on
// a copy of what it reads, on a thread of its own; the page stays usable and 取消 stops it
// between draws.
class BacktestView : public QWidget
{
    Q_OBJECT
public:
    explicit BacktestView(ViewContext context, QWidget* parent = nullptr);
    ~BacktestView() override;

    void StartClick();     // 开始验证
    void CancelClick();    // 取消
    void SwitchOffClick(); // switches off every filter whose kill rate is above the level
    void ExportClick();    // 导出CSV

    bool Running() const { return m_thread != nullptr; }
    const std::optional<BacktestReport>& Report() const { return m_report; }

signals:
    void Finished();

protected:
    // The draw count offers every draw the history allows.
    void showEvent(QShowEvent* event) override;

private:
    void SetRunning(bool running);
    void Show(BacktestReport report);
    void FillFilters();
    void FillChart();
    void FillDraws();
    void FillLists();

    ViewContext m_context;
    QSpinBox* m_draws = nullptr;
    QCheckBox* m_shrink = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_cancel = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_summary = nullptr;
    QTableView* m_filterTable = nullptr;
    QStandardItemModel* m_filterModel = nullptr;
    QChartView* m_chart = nullptr;
    QTableView* m_drawTable = nullptr;
    QStandardItemModel* m_drawModel = nullptr;
    QTableView* m_listTable = nullptr;
    QStandardItemModel* m_listModel = nullptr;
    QDoubleSpinBox* m_level = nullptr;
    QPushButton* m_switchOff = nullptr;
    QPushButton* m_export = nullptr;

    QThread* m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancelFlag;
    std::optional<BacktestReport> m_report;
};

} // namespace qv::ui
