#pragma once

#include "history/Text.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QLineEdit;
class QListWidget;

namespace qv::ui {

class TForm1;

// The record editor: the one place where the history file is written. It is created once
// at start (reading the history), then shown and hidden; its list always starts from the
// file's content when shown.
class TNadddata : public QWidget
{
    Q_OBJECT
public:
    explicit TNadddata(TForm1& form);

    QListWidget* ListBox1() const { return m_list; }
    QLineEdit* Edit1() const { return m_edit; }
    bool Changed() const { return m_changed; }
    Lines Entries() const;

    // The history line format every line must keep before it is written: the number (from 1)
    // and the reason of the first line that breaks it, or nothing when all are sound.
    struct LineFault
    {
        int LineNumber = 0;
        std::string Line;
        std::string Reason;
    };
    static std::optional<LineFault> FindFault(const Lines& lines);

public slots:
    void TeButton3Click(); // 添加
    void TeButton4Click(); // 插入
    void TeButton6Click(); // 修改
    void TeButton5Click(); // 删除
    void TeButton1Click(); // OK
    void TeButton2Click(); // Cancel
    void TeButton7Click(); // &Retry
    void TeButton8Click(); // 打开..
    void TeButton9Click(); // 另存为...
    void Label5Click();    // 下载新数据

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

    TForm1& m_form;
    QListWidget* m_list = nullptr;
    QLineEdit* m_edit = nullptr;
    bool m_changed = false;
};

} // namespace qv::ui
