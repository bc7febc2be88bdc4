#pragma once

#include "ui/ViewContext.h"

#include <QWidget>

#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qv::ui {

// The filter explanation pop-up "运算公式说明": a borderless stay-on-top window created once
// and hidden. The filter view calls PointerMoved/PointerLeft from its check boxes; while
// PopupShownFlag is set, further movement neither refills nor moves it.
class TNhelpsum : public QWidget
{
    Q_OBJECT
public:
    explicit TNhelpsum(ViewContext context, QWidget* parent = nullptr);

    // The switch TeCheckBox1 "打开算法公式悬浮说明" of the filter view (on at start).
    void SetSwitch(bool on) { m_switchOn = on; }
    bool SwitchOn() const { return m_switchOn; }

    // The pointer moved over a filter box (its mouse-move handler): fills the pop-up from
    // the box's entry and shows it one pixel right of and below the pointer.
    void PointerMoved(const std::string& checkBox, const QPoint& globalPos);
    // The pointer left a filter box: with the switch on, clears the flag and closes.
    void PointerLeft();

    QPlainTextEdit* TextBox() const { return m_text; }
    QString Text() const;
    int ShownCount() const { return m_shownCount; }

    void TeButton1Click(); // 关闭

protected:
    void closeEvent(QCloseEvent* event) override; // FormClose
    void paintEvent(QPaintEvent* event) override;

private:
    ViewContext m_context;
    bool m_switchOn = true;
    int m_shownCount = 0;
    QPlainTextEdit* m_text = nullptr;
};

} // namespace qv::ui
