#include "ui/widgets/WindowEffects.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QPointer>
#include <QPropertyAnimation>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace qv::ui {

namespace {

bool g_enabled = true;

constexpr const char* kFading = "qvFading";
constexpr const char* kFaded = "qvFaded";

} // namespace

void SetWindowEffectsEnabled(bool enabled)
{
    g_enabled = enabled;
}

bool WindowEffectsEnabled()
{
    return g_enabled;
}

void UnfoldFromCentre(QWidget* window, int milliseconds)
{
    if (!g_enabled || milliseconds <= 0 || !window)
        return;
    if (window->windowFlags() & Qt::FramelessWindowHint) {
        const QRect full = window->geometry();
        auto* animation = new QPropertyAnimation(window, "geometry", window);
        animation->setDuration(milliseconds);
        animation->setStartValue(QRect(full.center(), QSize(1, 1)));
        animation->setEndValue(full);
        animation->setEasingCurve(QEasingCurve::OutCubic);
        animation->start(QAbstractAnimation::DeleteWhenStopped);
        return;
    }
    window->setWindowOpacity(0.0);
    auto* animation = new QPropertyAnimation(window, "windowOpacity", window);
    animation->setDuration(milliseconds);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

namespace {

void CloseFaded(QWidget* target)
{
    QPointer<QWidget> window(target);
    window->setProperty(kFaded, true);
    window->close(); // may destroy a window that closes for good
    if (window) {
        window->setProperty(kFaded, false);
        window->setProperty(kFading, false);
        window->setWindowOpacity(1.0);
    }
}

void StartFade(QWidget* window, int milliseconds)
{
    window->setProperty(kFading, true);
    auto* animation = new QPropertyAnimation(window, "windowOpacity", window);
    animation->setDuration(milliseconds);
    animation->setStartValue(window->windowOpacity());
    animation->setEndValue(0.0);
    QPointer<QWidget> guard(window);
    QObject::connect(animation, &QPropertyAnimation::finished, window, [guard]() {
        if (guard)
            CloseFaded(guard);
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace

void FadeOutAndClose(QWidget* window, int milliseconds)
{
    if (!window || window->property(kFading).toBool())
        return;
    if (!g_enabled || milliseconds <= 0 || !window->isVisible()) {
        CloseFaded(window);
        return;
    }
    StartFade(window, milliseconds);
}

bool FadeOutBeforeClose(QWidget* window, QCloseEvent* event, int milliseconds)
{
    if (window->property(kFaded).toBool()) {
        // The close that ends the fade: the window is hidden now; it is whole again for
        // its next showing.
        window->setProperty(kFaded, false);
        window->setProperty(kFading, false);
        window->setWindowOpacity(1.0);
        return true;
    }
    if (!g_enabled || milliseconds <= 0 || !window->isVisible())
        return true;
    event->ignore();
    if (!window->property(kFading).toBool())
        StartFade(window, milliseconds);
    return false;
}

QPoint NearPointer(const QSize& frameSize, const QPoint& pointer, const QRect& available)
{
    // The title bar lands under the pointer, the window centred on it.
    const QPoint wanted = pointer - QPoint(frameSize.width() / 2, 12);
    const int maxX = std::max(available.left(), available.right() + 1 - frameSize.width());
    const int maxY = std::max(available.top(), available.bottom() + 1 - frameSize.height());
    return {std::clamp(wanted.x(), available.left(), maxX), std::clamp(wanted.y(), available.top(), maxY)};
}

void PlaceNearPointer(QWidget* window)
{
    if (!window)
        return;
    const QPoint pointer = QCursor::pos();
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // Before its first showing a window knows no frame: it takes the frame of the window
    // that owns it (the main window), which the same window manager drew.
    // When that is unknown too, a generous guess keeps the window inside.
    QSize frame = window->frameGeometry().size() - window->geometry().size();
    if (frame.isNull() && !(window->windowFlags() & Qt::FramelessWindowHint)) {
        const QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
        if (owner && owner->isVisible())
            frame = owner->frameGeometry().size() - owner->geometry().size();
        if (frame.isNull())
            frame = QSize(16, 40);
    }
    const QSize room = available.size() - frame;
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(window->size().boundedTo(room));
    window->move(NearPointer(window->size() + frame, pointer, available));
}

namespace {

// Catches Esc for one window before the focused child sees it.
class EscapeFilter : public QObject
{
public:
    EscapeFilter(QWidget* window, std::function<void()> onEscape)
        : QObject(window), m_window(window), m_onEscape(std::move(onEscape))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape ||
            static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != m_window || !m_window->isVisible())
            return false;
        m_onEscape();
        return true;
    }

private:
    QWidget* m_window;
    std::function<void()> m_onEscape;
};

} // namespace

void OnEscape(QWidget* window, std::function<void()> onEscape)
{
    new EscapeFilter(window, std::move(onEscape));
}

} // namespace qv::ui
