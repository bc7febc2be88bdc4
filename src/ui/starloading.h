#pragma once

#include <QWidget>

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

    // The picture, drawn rather than shipped.
    static QImage Picture();

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

    TForm1& m_form;
    QLabel* m_label = nullptr;
    QTimer* m_timer = nullptr;
    int m_ticks = 0;
    bool m_started = false;
};

} // namespace qv::ui
