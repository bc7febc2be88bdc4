#pragma once

#include "ui/ViewContext.h"

#include <QWidget>

#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QWheelEvent;

namespace qv::ui {

// The filter explanation pop-up "运算公式说明": a borderless stay-on-top window created once
// and hidden. The filter view calls PointerMoved/PointerLeft from its check boxes; while
// ShownFlag() is set, further movement over the same box neither refills nor moves it.
// The pointer may move from the box onto the pop-up and stay there to read and scroll it;
// the pop-up closes a moment after the pointer has left both, on Esc and on 关闭.
class TNhelpsum : public QWidget
{
    Q_OBJECT
public:
    explicit TNhelpsum(ViewContext context, QWidget* parent = nullptr);

    // The switch TeCheckBox1 "打开算法公式悬浮说明" of the filter view (on at start).
    void SetSwitch(bool on) { m_switchOn = on; }
    bool SwitchOn() const { return m_switchOn; }

    // The pointer moved over a filter box (its mouse-move handler): fills the pop-up from
    // the box's entry and shows it near the pointer, clear of keepClear (the box's caption
    // and the rule box below it, global coordinates) and inside the screen's available area.
    void PointerMoved(const std::string& checkBox, const QPoint& globalPos, const QRect& keepClear = {});
    // The pointer left a filter box: with the switch on, the pop-up closes unless the
    // pointer reaches it (or the box again) within CloseDelay().
    void PointerLeft();
    // Scrolls the text as the wheel over the box or the pop-up asks.
    void Scroll(const QWheelEvent& wheel);

    static constexpr int kCloseDelayMs = 350;
    // Where the pop-up goes for a box: below keepClear, else above it, else right or left
    // of it, each inside screen; the first that fits, or the first clamped to screen.
    static QPoint Placement(const QSize& size, const QPoint& pointer, const QRect& keepClear,
                            const QRect& screen);

    QPlainTextEdit* TextBox() const { return m_text; }
    QString Text() const;
    int ShownCount() const { return m_shownCount; }
    // A box's explanation is showing (or its file just failed): set when the pop-up fills
    // from a box, cleared when it closes or the pointer leaves a box it never showed for.
    bool ShownFlag() const { return m_shownFlag; }

    void TeButton1Click(); // 关闭

protected:
    void closeEvent(QCloseEvent* event) override; // FormClose
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override; // Esc anywhere in the program

private:
    void CloseUnlessHovered();

    ViewContext m_context;
    bool m_switchOn = true;
    bool m_shownFlag = false; // the pop-up shows (or tried to show) m_box's entry
    int m_shownCount = 0;
    std::string m_box;        // the box whose entry is shown
    bool m_overBox = false;   // the pointer is over that box
    bool m_overPopup = false; // the pointer is over the pop-up
    QTimer* m_closeTimer = nullptr;
    QPlainTextEdit* m_text = nullptr;
};

} // namespace qv::ui
