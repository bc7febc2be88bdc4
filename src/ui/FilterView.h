#pragma once

#include "ui/ViewContext.h"

#include <QWidget>

#include <map>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace qv::ui {

class TNhelpsum;

// The filter view ("运算/过滤窗口"): the pages "公式", "条件" and "号码设置" with the 47 filter
// boxes, their counters, parameter fields and rule boxes, and the run. Every control
// writes into FilterState as the user changes it, so a run started from anywhere (the
// button, F7) sees the window as it stands; the core's commands redraw it.
class FilterView : public QWidget
{
    Q_OBJECT
public:
    FilterView(ViewContext context, TNhelpsum* popup, QWidget* parent = nullptr);

    // Redraws every box, field, rule box and counter from FilterState.
    void Refresh();

    QCheckBox* Switch(const std::string& checkBox) const;
    QTabWidget* Pages() const { return m_pages; }

    void Button9Click();    // 开始执行运算/过滤 (also F7)
    void Button13Click();   // 全选/反选
    void TeButton19Click(); // 选择推荐

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildFormulaPage();
    QWidget* BuildConditionPage();
    QWidget* BuildNumberPage();
    QWidget* BuildGroup(const QString& title, const char* const* rows, int count, QWidget* parent);
    QWidget* BuildRow(const char* row, QWidget* parent);
    QLineEdit* MakeEdit(const std::string& name, QWidget* parent);
    QPlainTextEdit* MakeMemo(const std::string& name, QWidget* parent);

    ViewContext m_context;
    TNhelpsum* m_popup = nullptr;
    QTabWidget* m_pages = nullptr;
    QCheckBox* m_popupSwitch = nullptr;
    std::map<std::string, QCheckBox*> m_switches;
    std::map<std::string, QLabel*> m_counters; // by counter label name
    std::map<std::string, QLineEdit*> m_edits;
    std::map<std::string, QPlainTextEdit*> m_memos;
    std::map<QObject*, std::string> m_boxNames; // check box -> component name
    bool m_refreshing = false;
};

} // namespace qv::ui
