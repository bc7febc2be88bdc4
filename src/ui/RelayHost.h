#pragma once

#include "core/Host.h"

#include <string>
#include <unordered_set>

class QObject;

namespace qv::ui {

// The Host of a command running on a worker thread: every call is carried out by the
// window's Host on the window's thread, in the order made. The worker waits for each call
// that answers it (a message box, a file dialog) or that lets the window read the run's
// lists (ViewChanged, ShowView, a text that is not a plain label's); the log, the progress
// bar and the plain labels, which touch widgets only, go without waiting, so painting
// them never holds the worker up. Called on the window's thread itself, it calls straight
// through.
class RelayHost : public Host
{
public:
    // context lives on the window's thread; plainLabels names the components whose text
    // only a label shows.
    RelayHost(Host& target, QObject* context, std::unordered_set<std::string> plainLabels)
        : m_target(target), m_context(context), m_plainLabels(std::move(plainLabels))
    {
    }

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

    // Marks the run's lists as the worker's (StateLent()) from the worker's start to its
    // end; while a call of the worker is carried out, the worker waits and they are the
    // window's again.
    static void LendState(bool lent);

private:
    template <typename Call> void Relay(Call&& call);
    template <typename Call> void Post(Call&& call);

    Host& m_target;
    QObject* m_context;
    std::unordered_set<std::string> m_plainLabels;
};

} // namespace qv::ui
