#pragma once

#include "ui/ViewContext.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QScrollArea;

namespace qv::ui {

// The 24-code compound selector "24码复式选号器": a stay-on-top window created once at
// start-up and then only shown and hidden, so its check marks and red marks last the run.
// It mirrors SelectionState::Selector; the commands are the core's.
class TNS24 : public QWidget
{
    Q_OBJECT
public:
    explicit TNS24(ViewContext context, QWidget* parent = nullptr);

    void Refresh();
    QCheckBox* GroupBox(int number) const { return m_groups.at(static_cast<std::size_t>(number - 1)); }
    QComboBox* IssueSelector() const { return m_issues; }
    // How many groups the last 查询 marked, with its issue; empty before the first.
    QLabel* HitCount() const { return m_hitCount; }
    QScrollArea* Groups() const { return m_scroll; } // ScrollBox1, the list of groups

    void FormCreate();     // fills the issue selector from the history file
    void TeButton3Click(); // 查询
    void TeButton1Click(); // 添加
    void TeButton4Click(); // 清除
    void TeButton2Click(); // 取消

private:
    ViewContext m_context;
    QComboBox* m_issues = nullptr;
    QLabel* m_hitCount = nullptr;
    QScrollArea* m_scroll = nullptr;
    QString m_queriedIssue; // the issue of the last 查询
    std::array<QCheckBox*, kGroupCount24> m_groups{};
    Lines m_shownIssues;
    bool m_refreshing = false;
};

} // namespace qv::ui
