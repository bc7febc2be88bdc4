#pragma once

#include "history/DrawRecord.h"

#include <QImage>
#include <QWidget>

#include <optional>

class QLabel;
class QTimer;

namespace qv::ui {

class TForm1;

// The loading window: a borderless picture, centred and above the other windows, shown
// once per run. Its showing runs the start-up run; afterwards a click on the picture
// closes it, and its one-second timer closes it at the eleventh tick. It fades out and
// is destroyed when it closes.
class TNstarloading : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 439;
    static constexpr int kHeight = 262;
    static constexpr int kClosingTick = 11;

    explicit TNstarloading(TForm1& form);

    QLabel* Label() const { return m_label; }
    int Ticks() const { return m_ticks; }
    // The timer's interval; tests shorten it.
    void SetTickInterval(int milliseconds);

    static QString LoadingText();
    static QString ReadyText();

    // The picture, drawn rather than shipped: its balls show the newest draw of the
    // history, or stay blank when there is none.
    static QImage Picture(const std::optional<DrawRecord>& newest);
    // The draw the balls show (the history's first line, read again after the start-up).
    const std::optional<DrawRecord>& ShownDraw() const { return m_newest; }

signals:
    void StartupRunFinished(bool succeeded);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void StartupRun();
    void TimerTick();
    void ShowDraw(std::optional<DrawRecord> newest);

    TForm1& m_form;
    QLabel* m_label = nullptr;
    QTimer* m_timer = nullptr;
    int m_ticks = 0;
    bool m_started = false;
    std::optional<DrawRecord> m_newest;
    QImage m_picture;
};

} // namespace qv::ui
