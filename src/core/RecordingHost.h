#pragma once

#include "core/Host.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// A Host without windows: it keeps every log entry, message, label and progress value,
// answers questions and file dialogs from queues, and can pass log entries and messages
// on as they happen. Used by the command-line front end and by the tests.
class RecordingHost : public Host
{
public:
    struct MessageRecord
    {
        std::string Caption;
        std::string Text;
        MessageIcon Icon = MessageIcon::None;
        MessageButtons Buttons = MessageButtons::Ok;
    };

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

    // Queued answers. A Yes/No question with no queued answer is answered DefaultAnswer;
    // a file dialog with no queued answer is cancelled.
    void QueueAnswer(MessageAnswer answer) { m_answers.push_back(answer); }
    void QueueOpenFile(std::optional<std::filesystem::path> path) { m_openFiles.push_back(std::move(path)); }
    void QueueSaveFile(std::optional<std::filesystem::path> path) { m_saveFiles.push_back(std::move(path)); }
    MessageAnswer DefaultAnswer = MessageAnswer::Yes;

    // Called as each entry or message arrives (the CLI prints them at once).
    std::function<void(const std::string&)> OnLog;
    std::function<void(const MessageRecord&)> OnMessage;

    std::vector<std::string> LogLines;
    std::vector<MessageRecord> Messages;
    std::map<std::string, std::string> Labels;
    std::vector<std::string> ChangedViews;
    std::vector<std::string> ShownViews;
    std::vector<FileDialogRequest> OpenRequests;
    std::vector<FileDialogRequest> SaveRequests;
    int ProgressMaximum = 100;
    int ProgressPosition = 0;
    int ProgressUpdates = 0;

    void Clear();

private:
    std::deque<MessageAnswer> m_answers;
    std::deque<std::optional<std::filesystem::path>> m_openFiles;
    std::deque<std::optional<std::filesystem::path>> m_saveFiles;
};

} // namespace qv
