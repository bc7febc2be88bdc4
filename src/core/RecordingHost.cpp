#include "core/RecordingHost.h"

namespace qv {

void RecordingHost::Log(const std::string& line)
{
    LogLines.push_back(line);
    if (OnLog)
        OnLog(line);
}

MessageAnswer RecordingHost::Message(const std::string& caption, const std::string& text, MessageIcon icon,
                                     MessageButtons buttons)
{
    Messages.push_back({caption, text, icon, buttons});
    if (OnMessage)
        OnMessage(Messages.back());
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (m_answers.empty())
        return DefaultAnswer;
    const MessageAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void RecordingHost::SetProgressMaximum(int maximum)
{
    ProgressMaximum = maximum;
    ++ProgressUpdates;
}

void RecordingHost::SetProgressPosition(int position)
{
    ProgressPosition = position;
    ++ProgressUpdates;
}

std::optional<std::filesystem::path> RecordingHost::ChooseOpenFile(const FileDialogRequest& request)
{
    OpenRequests.push_back(request);
    if (m_openFiles.empty())
        return std::nullopt;
    auto path = m_openFiles.front();
    m_openFiles.pop_front();
    return path;
}

std::optional<std::filesystem::path> RecordingHost::ChooseSaveFile(const FileDialogRequest& request)
{
    SaveRequests.push_back(request);
    if (m_saveFiles.empty())
        return std::nullopt;
    auto path = m_saveFiles.front();
    m_saveFiles.pop_front();
    return path;
}

void RecordingHost::SetLabel(const std::string& component, const std::string& text)
{
    Labels[component] = text;
}

void RecordingHost::ViewChanged(const std::string& component)
{
    ChangedViews.push_back(component);
}

void RecordingHost::ShowView(const std::string& view)
{
    ShownViews.push_back(view);
}

void RecordingHost::Clear()
{
    LogLines.clear();
    Messages.clear();
    Labels.clear();
    ChangedViews.clear();
    ShownViews.clear();
    OpenRequests.clear();
    SaveRequests.clear();
    ProgressUpdates = 0;
}

} // namespace qv
