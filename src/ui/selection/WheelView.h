#pragma once

#include "selection/Wheel.h"
#include "ui/ViewContext.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QThread;

namespace qv::ui {

// The wheel page ("旋转矩阵"): the chosen reds (the picker's by default), the bankers, the
// guarantee and the blues; "生成" builds and verifies the wheel on a worker thread and
// shows the cost against the full expansion, the tickets and the verifier's line;
// "加入购买清单" and "保存" take its lines. A request that cannot be wheeled stops with
// its message and clears the page's wheel.
class WheelView : public QWidget
{
    Q_OBJECT
public:
    // pullPurchaseList takes the user's edits of the purchase-list box into the state
    // before lines are added to it.
    WheelView(ViewContext context, std::function<void()> pullPurchaseList, QWidget* parent = nullptr);
    ~WheelView() override;

    void TakePickerClick();    // 取选号盘红球
    void BuildClick();         // 生成
    void AddToPurchaseClick(); // 加入购买清单
    void SaveClick();          // 保存
    bool Building() const { return m_worker != nullptr; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetBuilding(bool building);
    void FinishBuild(const std::function<void()>& store);
    void ShowWheel();
    std::vector<std::string> BetLines() const;

    ViewContext m_context;
    std::function<void()> m_pullPurchaseList;
    QLineEdit* m_reds = nullptr;
    QLineEdit* m_bankers = nullptr;
    QComboBox* m_guarantee = nullptr;
    QLineEdit* m_blues = nullptr;
    QPushButton* m_build = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_save = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_verified = nullptr;
    QPlainTextEdit* m_tickets = nullptr;
    QThread* m_worker = nullptr;
    bool m_redsTyped = false; // the user wrote the reds: the picker no longer fills them
    std::optional<WheelResult> m_wheel;
    std::vector<int> m_wheelBlues;
};

} // namespace qv::ui
