#include "ui/WindowEffects.h"

#include <QGuiApplication>
#include <QPointer>
#include <QPropertyAnimation>
#include <QRect>
#include <QWidget>

namespace qv::ui {

namespace {

bool g_enabled = true;

constexpr const char* kFading = "qvFading";
constexpr const char* kFaded = "qvFaded";

void CloseNow(QWidget* target)
{
    QPointer<QWidget> window(target);
    window->setProperty(kFaded, true);
    window->close(); // may delete a window that closes for good
    if (window) {
        window->setProperty(kFaded, false);
        window->setProperty(kFading, false);
        window->setWindowOpacity(1.0);
    }
}

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
    auto* animation = new QPropertyAnimation(window, "windowOpacity", window);
    animation->setDuration(milliseconds);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void FadeOutAndClose(QWidget* window, int milliseconds)
{
    if (!window || window->property(kFading).toBool())
        return;
    if (!g_enabled || milliseconds <= 0 || !window->isVisible()) {
        CloseNow(window);
        return;
    }
    window->setProperty(kFading, true);
    auto* animation = new QPropertyAnimation(window, "windowOpacity", window);
    animation->setDuration(milliseconds);
    animation->setStartValue(window->windowOpacity());
    animation->setEndValue(0.0);
    QPointer<QWidget> guard(window);
    QObject::connect(animation, &QPropertyAnimation::finished, window, [guard]() {
        if (guard)
            CloseNow(guard);
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

bool FadeDone(const QWidget* window)
{
    return window && window->property(kFaded).toBool();
}

} // namespace qv::ui
