#pragma once

#include "history/TextFile.h"
#include "session/AppState.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace qv::bench {

// The bundled history of the source tree.
inline std::filesystem::path BundledHistoryFile()
{
    return std::filesystem::path(QUORVANE_SOURCE_DIR) / "appdata" / "data" / "data.txt";
}

// A throw-away app directory below the system's temporary folder, named after the
// benchmark and this process, removed afterwards. It holds the bundled history as
// data/data.txt unless an empty one is asked for.
class ScratchAppDir
{
public:
    enum class Contents
    {
        BundledHistory,
        Empty,
    };

    explicit ScratchAppDir(const std::string& tag, Contents contents = Contents::BundledHistory)
        : m_path(std::filesystem::temp_directory_path() /
                 ("quorvane-bench-" + tag + "-" + std::to_string(getpid())))
    {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path / "data");
        if (contents == Contents::BundledHistory)
            std::filesystem::copy_file(BundledHistoryFile(), m_path / "data" / "data.txt");
    }
    ~ScratchAppDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchAppDir(const ScratchAppDir&) = delete;
    ScratchAppDir& operator=(const ScratchAppDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

    // AppDir is this directory, and the flag file "option.ini" lives in it.
    void Attach(AppState& state) const
    {
        state.Paths.SetDir(m_path);
        state.Flag.SetFile(m_path / "option.ini");
    }

private:
    std::filesystem::path m_path;
};

// Calls f(n) for every six-number combination of 1..33, n ascending, in text order.
template <typename F> void ForEachCombo(F&& f)
{
    int n[6];
    for (n[0] = 1; n[0] <= 28; ++n[0])
        for (n[1] = n[0] + 1; n[1] <= 29; ++n[1])
            for (n[2] = n[1] + 1; n[2] <= 30; ++n[2])
                for (n[3] = n[2] + 1; n[3] <= 31; ++n[3])
                    for (n[4] = n[3] + 1; n[4] <= 32; ++n[4])
                        for (n[5] = n[4] + 1; n[5] <= 33; ++n[5])
                            f(static_cast<const int(&)[6]>(n));
}

// "01 02 03 04 05 06": a combination as the basket writes it.
inline std::string ComboText(const int (&n)[6])
{
    std::string text;
    text.reserve(17);
    for (int k = 0; k < 6; ++k) {
        if (k > 0)
            text += ' ';
        text += TwoDigits(n[k]);
    }
    return text;
}

} // namespace qv::bench
