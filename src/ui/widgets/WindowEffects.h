#pragma once

#include <functional>

class QCloseEvent;
class QPoint;
class QRect;
class QSize;
class QWidget;

namespace qv::ui {

// The window effects of the program: a window unfolds from its centre when it opens and
// fades out when it closes. Tests and the screenshot tour switch them off, and then every
// effect finishes at once.
void SetWindowEffectsEnabled(bool enabled);
bool WindowEffectsEnabled();

// Grows the window from a point at its centre to its full geometry (frameless windows),
// or brings its opacity up (framed windows, whose geometry belongs to the window manager).
void UnfoldFromCentre(QWidget* window, int milliseconds = 200);

// For a window that fades out on every close, called first in its close event: true when
// the close goes ahead now (the fade is over, or there is nothing to fade); otherwise the
// event is refused, the fade starts, and the window closes again once it has faded.
bool FadeOutBeforeClose(QWidget* window, QCloseEvent* event, int milliseconds = 1000);

// Fades the window out, then closes it, for windows that fade only on some ways of
// closing (a button). Windows that call FadeOutBeforeClose() simply call close().
void FadeOutAndClose(QWidget* window, int milliseconds = 1000);

// Moves a secondary window near the pointer, whole inside the available area of the
// screen under the pointer (the window's frame included; a window larger than that area
// is shrunk to it where it may be).
void PlaceNearPointer(QWidget* window);
// The top-left corner of a frame of frameSize near pointer, clamped into available.
QPoint NearPointer(const QSize& frameSize, const QPoint& pointer, const QRect& available);

// Esc pressed anywhere in the window (whatever child has the focus) runs onEscape.
void OnEscape(QWidget* window, std::function<void()> onEscape);

} // namespace qv::ui
