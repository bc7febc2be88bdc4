#pragma once

#include "core/Host.h"
#include "history/Text.h"
#include "session/AppState.h"

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace qv::ui {

// What a view of the selection area (and each window that works on the same lists) needs
// from the main window that owns it: the run's state, the Host its commands report
// through, a way to run a command (the owner shows a stopped command's error and refuses
// a second command while one runs), a way to hear that the core changed the data behind
// a component (Host::ViewChanged), and the view switch of the main window.
struct ViewContext
{
    AppState& State;
    Host& CommandHost;
    std::function<bool(const std::function<void()>&)> Run;
    // The same for a command that can take long on a full basket: it runs on a worker
    // thread and reports through the Host it is given, while the window keeps painting
    // with the busy cursor and takes no input until it is back.
    std::function<bool(const std::function<void(Host&)>&)> RunAside;
    std::function<void(const std::string&, std::function<void()>)> Register;
    std::function<void(const QString&)> ShowView;
    QWidget* Owner = nullptr; // the main window: parent of the secondary windows
};

// A multi-line text box shows its lines the way a memo always did: every line followed by
// a line break, so the caret rests on an empty line below the last one, and a final line
// break adds no line when the text is read back ("a\nb\n" is the two lines a and b;
// "a\nb\n\n" ends in one empty line).
QString MemoText(const Lines& lines);

// True while a command runs aside: the run's lists are the worker's then, and the views
// over them (the basket grid, the long lists) show nothing until it is back.
bool StateLent();
Lines MemoLines(const QString& text);

} // namespace qv::ui
