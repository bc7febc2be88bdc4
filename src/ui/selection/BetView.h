#pragma once

#include "ui/ViewContext.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QPlainTextEdit;

namespace qv::ui {

// The bet/combination view ("投注/组合"): the red picker hao1 … hao33, the bet list Memo6
// and the commands that add to it, empty it and expand it into the number basket. The
// widgets only mirror SelectionState: the picker and Memo6 write into it as the user
// changes them, and the core's commands redraw them through ViewChanged.
class BetView : public QWidget
{
    Q_OBJECT
public:
    // showSelector opens the 24-code selector window ("24式选号工具").
    BetView(ViewContext context, std::function<void()> showSelector, QWidget* parent = nullptr);

    void RefreshPicker();
    void RefreshBetList();

    void ToolButton8Click(); // 全
    void TeButton9Click();   // 清
    void TeButton7Click();   // 添加到下列投注列表
    void TeButton17Click();  // 载入号码列表
    void TeButton10Click();  // 清除投注列表
    void TeButton20Click();  // 24式选号工具
    void Button8Click();     // 分解到号码篮

private:
    void BetListEdited();

    ViewContext m_context;
    std::function<void()> m_showSelector;
    std::array<QCheckBox*, kPickerNumbers> m_picker{};
    QPlainTextEdit* m_memo6 = nullptr;
    bool m_refreshing = false;
};

} // namespace qv::ui
