#pragma once

#include "ui/ViewContext.h"

#include <QStringList>
#include <QWidget>

#include <map>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTabWidget;

namespace qv::ui {

class BacktestView;
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
    BacktestView* Backtest() const { return m_backtest; }
    // The region the explanation pop-up of a box leaves clear: the box and the rule box
    // below it, in global coordinates.
    QRect KeepClear(const std::string& checkBox) const;

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
    // Each page's title carries the number of its checked filters.
    void UpdatePageTitles();

    ViewContext m_context;
    TNhelpsum* m_popup = nullptr;
    QTabWidget* m_pages = nullptr;
    BacktestView* m_backtest = nullptr;
    QSpinBox* m_tolerance = nullptr;
    QLabel* m_toleranceCounter = nullptr;
    QCheckBox* m_popupSwitch = nullptr;
    std::map<std::string, QCheckBox*> m_switches;
    std::map<std::string, QLabel*> m_counters; // by counter label name
    std::map<std::string, QLineEdit*> m_edits;
    std::map<std::string, QPlainTextEdit*> m_memos;
    std::map<QObject*, std::string> m_boxNames;         // check box -> component name
    std::map<std::string, QPlainTextEdit*> m_ruleBoxes; // check box -> its rule box
    std::map<std::string, int> m_pageOf;                // check box -> its page
    QStringList m_pageTitles;
    int m_buildingPage = 0;
    bool m_refreshing = false;
};

} // namespace qv::ui
