#pragma once

#include "history/Text.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;

namespace qv {
struct AppState;
}

namespace qv::ui {

class QtHost;

// What the record editor needs from the window that owns it: the run's state, the Host its
// messages and file dialogs go through, the command runner and the full recompute.
class RecordEditorOwner
{
public:
    virtual AppState& State() = 0;
    virtual QtHost& Host() = 0;
    // Runs one command and shows a stopped command's error; false then, and while another
    // command runs.
    virtual bool Run(const std::function<void()>& command) = 0;
    // The same without the report: the error's text, empty when the command finished.
    virtual std::string Execute(const std::function<void()>& command) = 0;
    virtual void ReportError(const std::string& text) = 0;
    // Recomputes every step from the history file, inside the command that runs it.
    virtual void RecomputeAllSteps() = 0;

protected:
    ~RecordEditorOwner() = default;
};

// The record editor: the one place where the history file is written. It is created once
// at start (reading the history), then shown and hidden; its list always starts from the
// file's content when shown.
class TNadddata : public QWidget
{
    Q_OBJECT
public:
    // parent: the owner's window, which the editor stays on top of.
    TNadddata(RecordEditorOwner& form, QWidget* parent);

    QListWidget* ListBox1() const { return m_list; }
    QLineEdit* Edit1() const { return m_edit; }
    bool Changed() const { return m_changed; }
    Lines Entries() const;

public slots:
    void TeButton3Click();  // 添加
    void TeButton4Click();  // 插入
    void TeButton6Click();  // 修改
    void TeButton5Click();  // 删除
    void TeButton1Click();  // OK
    void TeButton2Click();  // Cancel
    void TeButton7Click();  // &Retry
    void TeButton8Click();  // 打开..
    void TeButton9Click();  // 另存为...
    void Label5Click();     // 下载新数据
    void TeButton10Click(); // 粘贴导入
    void TeButton11Click(); // 从文件导入

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void Retry();
    void FillList(const Lines& lines);
    bool InputPresent();
    int CurrentEntry() const;
    void WarnEmptyInput();
    void Command(const std::function<void()>& command);
    std::optional<QString> CheckedInput(int position, bool replacing, const char* refusal);
    void OpenImport(const Lines& input, const QString& source);
    void ApplyImport(const Lines& merged, const Lines& log);

    RecordEditorOwner& m_form;
    QListWidget* m_list = nullptr;
    QLineEdit* m_edit = nullptr;
    QLabel* m_normalised = nullptr;
    bool m_changed = false;
};

} // namespace qv::ui
