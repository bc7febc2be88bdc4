#pragma once

#include "support/TempAppDir.h"
#include "ui/QtHost.h"
#include "ui/Unit1.h"

#include <QStringList>

#include <memory>
#include <string>

namespace qv::ui::test {

// The desktop program over a temporary app directory: the main window and its secondary
// windows, a scripted host (no modal dialog ever waits for a person) and no window effects.
class Desk
{
public:
    // realHistory: install the bundled 3,493-draw history as data/data.txt.
    explicit Desk(bool realHistory = true);

    qv::test::TempAppDir Dir;
    std::unique_ptr<TForm1> Form;

    // Writes "option.ini" in the app directory (before Create()).
    void SetFlagFile(const std::string& value) const;
    // Creates the windows in the program's order.
    TForm1& Create();
    // Shows the main window and waits for the start-up run; its result.
    bool Start(int timeoutMs = 120000);

    QtHost& Host() { return Form->Host(); }
    RecordingHost& Script() { return Form->Host().Script(); }
    // The lines of InfoLog as shown.
    QStringList LogLines() const;
    // The texts of the message boxes shown so far.
    QStringList MessageTexts();

    template <typename T> T* Find(const char* name) const
    {
        return Form->findChild<T*>(QString::fromUtf8(name));
    }
};

// Sets up what every GUI test program needs (the CJK font, effects off).
void PrepareApplication();

} // namespace qv::ui::test
