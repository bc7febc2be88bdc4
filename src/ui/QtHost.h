#pragma once

#include "core/Host.h"
#include "core/RecordingHost.h"

#include <QElapsedTimer>
#include <QPointer>

class QMessageBox;
class QWidget;

namespace qv::ui {

class TForm1;

// The desktop program's Host: the information log, message boxes, the progress bar, file
// dialogs, labels and views of the main window and its secondary windows.
//
// Scripted mode (tests, the screenshot tour): no modal dialog is ever shown. Messages are
// recorded and answered from Script()'s queue (Yes/No questions without a queued answer
// get Script().DefaultAnswer), file dialogs take the queued paths and are cancelled when
// none is queued. Messages are recorded in Script().Messages in either mode.
class QtHost : public Host
{
public:
    explicit QtHost(TForm1& form);

    void Log(const std::string& line) override;
    MessageAnswer Message(const std::string& caption, const std::string& text, MessageIcon icon,
                          MessageButtons buttons) override;
    void SetProgressMaximum(int maximum) override;
    void SetProgressPosition(int position) override;
    std::optional<std::filesystem::path> ChooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const FileDialogRequest& request) override;
    void SetLabel(const std::string& component, const std::string& text) override;
    void ViewChanged(const std::string& component) override;
    void ShowView(const std::string& view) override;

    void SetScripted(bool scripted) { m_scripted = scripted; }
    bool Scripted() const { return m_scripted; }
    RecordingHost& Script() { return m_script; }

    // The window that owns the message boxes and dialogs of the command now running
    // (the record editor owns its question); the main window when none is set.
    void SetDialogOwner(QWidget* owner) { m_owner = owner; }
    QWidget* DialogOwner() const;

    // "*.txt|*.txt" (pairs of description and pattern) as a Qt name filter.
    static QString NameFilter(const std::string& filter);

    // Makes a message box wide enough that the window manager shows its whole caption
    // beside the title bar's icon and buttons, however short its text.
    static void FitCaption(QMessageBox& box);

private:
    // Lets the window paint its progress while a long command runs, without letting the
    // user start anything else.
    void KeepPainting();

    TForm1& m_form;
    bool m_scripted = false;
    RecordingHost m_script;
    QPointer<QWidget> m_owner;
    QElapsedTimer m_painted; // since the last repaint of a long command
};

// Makes a window the owner of the dialogs for as long as it lives.
class DialogOwnerScope
{
public:
    DialogOwnerScope(QtHost& host, QWidget* owner) : m_host(host), m_previous(host.DialogOwner())
    {
        m_host.SetDialogOwner(owner);
    }
    ~DialogOwnerScope() { m_host.SetDialogOwner(m_previous); }
    DialogOwnerScope(const DialogOwnerScope&) = delete;
    DialogOwnerScope& operator=(const DialogOwnerScope&) = delete;

private:
    QtHost& m_host;
    QWidget* m_previous;
};

} // namespace qv::ui
