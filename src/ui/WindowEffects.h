#pragma once

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

// Fades the window out, then closes it. A window that fades on every close calls this from
// its close event when FadeDone() is still false, ignoring that event; the close that
// ends the fade then finds FadeDone() true and goes ahead.
void FadeOutAndClose(QWidget* window, int milliseconds = 1000);
bool FadeDone(const QWidget* window);

} // namespace qv::ui
