#pragma once

#include "session/CoverCommands.h"
#include "ui/ViewContext.h"

#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>

class QComboBox;
class QPushButton;
class QTableView;
class QThread;

namespace qv::ui {

// 缩水覆盖 below the basket grid: the guarantee (中5, 中4, 中3) and the command, which
// computes the cover of the basket on a thread of its own (取消 stops it), selects the
// cover's lines in the grid and offers them to the purchase list.
class CoverControl : public QWidget
{
    Q_OBJECT
public:
    // pullPurchaseList takes what the player typed into the purchase list before the
    // cover's lines are appended to it.
    CoverControl(ViewContext context, QTableView* grid, std::function<void()> pullPurchaseList,
                 QWidget* parent = nullptr);
    ~CoverControl() override;

    void CoverClick();
    void CancelClick();
    bool Running() const { return m_thread != nullptr; }

signals:
    void Finished();

private:
    void SetRunning(bool running);
    void Finish(const CoverInput& input, const CoverResult& cover);

    ViewContext m_context;
    QTableView* m_grid = nullptr;
    std::function<void()> m_pullPurchaseList;
    QComboBox* m_guarantee = nullptr;
    QPushButton* m_cover = nullptr;
    QPushButton* m_cancel = nullptr;
    QThread* m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancelFlag;
};

} // namespace qv::ui
