#pragma once

#include "history/DrawRecord.h"
#include "history/Text.h"

#include <QImage>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <optional>

class QLabel;
class QTimer;

namespace qv::ui {

// What the loading window needs from the main window: its owner, the start-up run, whether
// a command is running, and the history file and list the picture shows.
struct LoadingContext
{
    QWidget* Owner = nullptr; // the main window: the loading window's parent
    // The start-up run; beforeReport runs before a failed step's error is shown. True when
    // every step finished.
    std::function<bool(const std::function<void()>& beforeReport)> RunStartup;
    std::function<bool()> Busy;
    std::filesystem::path HistoryFile; // read once, before the start-up run
    const Lines* History = nullptr;    // the history as the start-up run left it
};

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

    explicit TNstarloading(LoadingContext context);

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

    LoadingContext m_context;
    QLabel* m_label = nullptr;
    QTimer* m_timer = nullptr;
    int m_ticks = 0;
    bool m_started = false;
    std::optional<DrawRecord> m_newest;
    QImage m_picture;
};

} // namespace qv::ui
