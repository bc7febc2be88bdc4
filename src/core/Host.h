#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace qv {

enum class MessageIcon
{
    None,
    Information,
    Question,
    Warning, // the exclamation icon
    Error,
};

enum class MessageButtons
{
    Ok,
    YesNo,
};

enum class MessageAnswer
{
    Ok,
    Yes,
    No,
};

// What a file dialog is asked to show. The filter is written the way the program always
// wrote it ("*.txt|*.txt"); the front end turns it into its own form.
struct FileDialogRequest
{
    std::string Filter = "*.txt|*.txt";
    std::filesystem::path StartFolder;
    std::string ProposedName;
    std::string Title;
};

// Where a computation writes its progress lines ("信息提示"). Kernels take only this, so
// that they can run in memory, in a scratch evaluation or on a worker thread; the sink
// says which thread may call it.
class StepLog
{
public:
    virtual ~StepLog() = default;

    // Appends one entry to the log. Texts are UTF-8.
    virtual void Log(const std::string& line) = 0;
};

// Everything a command needs from whoever runs it: the information log, message boxes
// and questions, the progress bar, file dialogs and the labels and views it fills.
// Texts are UTF-8. The desktop program implements it with widgets; the command-line
// front end and the tests implement it without.
//
// Threads: a Host belongs to the thread that runs the session commands (the desktop
// program's user-interface thread, the command line's one thread). Every member is called
// on that thread only; work moved to another thread reports through its own sink, and
// the window side forwards what it reports.
class Host : public StepLog
{
public:
    // Appends one entry to the information log ("信息提示").
    void Log(const std::string& line) override = 0;

    // Shows a message box and returns the button pressed (Ok for an OK-only box).
    virtual MessageAnswer Message(const std::string& caption, const std::string& text, MessageIcon icon,
                                  MessageButtons buttons) = 0;

    // The progress bar. Called in coarse steps, never once per basket line.
    virtual void SetProgressMaximum(int maximum) = 0;
    virtual void SetProgressPosition(int position) = 0;

    // File dialogs: the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::filesystem::path> ChooseOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::filesystem::path> ChooseSaveFile(const FileDialogRequest& request) = 0;

    // A label, counter or one-text box was given a new text (by component name, e.g.
    // "Label4", "Label5", "Memo19").
    virtual void SetLabel(const std::string& component, const std::string& text) = 0;

    // The rows behind a list view or the lines behind a text pane changed in the state
    // (by component name, e.g. "ListView3", "Memo4"); the front end redraws it.
    virtual void ViewChanged(const std::string& component) { (void)component; }

    // Asks the front end to show one of the main window's views (e.g. "投注/组合").
    virtual void ShowView(const std::string& view) { (void)view; }
};

// Appends the blank line and the message that nearly every progress report consists of.
inline void LogStep(StepLog& log, const std::string& line)
{
    log.Log(" ");
    log.Log(line);
}

} // namespace qv
