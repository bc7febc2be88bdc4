#include "ui/RelayHost.h"

#include "ui/ViewContext.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <exception>

namespace qv::ui {

namespace {

bool g_lent = false; // read and written on the window's thread only

} // namespace

bool StateLent()
{
    return g_lent;
}

void RelayHost::LendState(bool lent)
{
    g_lent = lent;
}

template <typename Call> void RelayHost::Relay(Call&& call)
{
    if (QThread::currentThread() == m_context->thread()) {
        call();
        return;
    }
    // A throw goes back to the worker, not into the window's event loop.
    std::exception_ptr thrown;
    QMetaObject::invokeMethod(
        m_context,
        [&call, &thrown] {
            const bool lent = g_lent;
            g_lent = false;
            try {
                call();
            } catch (...) {
                thrown = std::current_exception();
            }
            g_lent = lent;
        },
        Qt::BlockingQueuedConnection);
    if (thrown)
        std::rethrow_exception(thrown);
}

template <typename Call> void RelayHost::Post(Call&& call)
{
    if (QThread::currentThread() == m_context->thread())
        call();
    else
        QMetaObject::invokeMethod(m_context, std::forward<Call>(call), Qt::QueuedConnection);
}

void RelayHost::Log(const std::string& line)
{
    Post([this, line] { m_target.Log(line); });
}

MessageAnswer RelayHost::Message(const std::string& caption, const std::string& text, MessageIcon icon,
                                 MessageButtons buttons)
{
    MessageAnswer answer = MessageAnswer::Ok;
    Relay([&] { answer = m_target.Message(caption, text, icon, buttons); });
    return answer;
}

void RelayHost::SetProgressMaximum(int maximum)
{
    Post([this, maximum] { m_target.SetProgressMaximum(maximum); });
}

void RelayHost::SetProgressPosition(int position)
{
    Post([this, position] { m_target.SetProgressPosition(position); });
}

std::optional<std::filesystem::path> RelayHost::ChooseOpenFile(const FileDialogRequest& request)
{
    std::optional<std::filesystem::path> path;
    Relay([&] { path = m_target.ChooseOpenFile(request); });
    return path;
}

std::optional<std::filesystem::path> RelayHost::ChooseSaveFile(const FileDialogRequest& request)
{
    std::optional<std::filesystem::path> path;
    Relay([&] { path = m_target.ChooseSaveFile(request); });
    return path;
}

void RelayHost::SetLabel(const std::string& component, const std::string& text)
{
    if (m_plainLabels.count(component) != 0)
        Post([this, component, text] { m_target.SetLabel(component, text); });
    else
        Relay([&] { m_target.SetLabel(component, text); });
}

void RelayHost::ViewChanged(const std::string& component)
{
    Relay([&] { m_target.ViewChanged(component); });
}

void RelayHost::ShowView(const std::string& view)
{
    Relay([&] { m_target.ShowView(view); });
}

} // namespace qv::ui
