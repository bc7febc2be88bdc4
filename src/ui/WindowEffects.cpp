#include "ui/WindowEffects.h"

#include <QCloseEvent>
#include <QPointer>
#include <QPropertyAnimation>
#include <QRect>
#include <QWidget>

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

} // namespace qv::ui
