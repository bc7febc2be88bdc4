#include "support/TempAppDir.h"

#include <algorithm>
#include <atomic>
#include <unistd.h>

namespace qv::test {

TempAppDir::TempAppDir()
{
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("quorvane-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempAppDir::~TempAppDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void TempAppDir::Write(std::string_view relative, const Lines& lines) const
{
    SaveLines(m_path / std::string(relative), lines);
}

void TempAppDir::WriteBytes(std::string_view relative, std::string_view bytes) const
{
    ReplaceFile(m_path / std::string(relative), bytes);
}

Lines TempAppDir::Read(std::string_view relative) const
{
    return LoadLines(ResolveIgnoringCase(m_path, relative));
}

std::string TempAppDir::ReadBytes(std::string_view relative) const
{
    return ReadFileBytes(ResolveIgnoringCase(m_path, relative));
}

bool TempAppDir::Exists(std::string_view relative) const
{
    return std::filesystem::exists(ResolveIgnoringCase(m_path, relative));
}

void TempAppDir::Attach(AppState& state) const
{
    state.Paths.SetDir(m_path);
    state.Flag.SetFile(m_path / "option.ini");
    state.Flag.Load();
}

bool TempAppDir::InstallRealHistory() const
{
    const std::filesystem::path source =
        std::filesystem::path(QUORVANE_SOURCE_DIR) / "appdata" / "data" / "data.txt";
    if (!std::filesystem::exists(source))
        return false;
    std::filesystem::create_directories(m_path / "data");
    std::filesystem::copy_file(source, m_path / "data" / "data.txt",
                               std::filesystem::copy_options::overwrite_existing);
    return true;
}

Lines RealHistoryLines()
{
    return LoadLines(std::filesystem::path(QUORVANE_SOURCE_DIR) / "appdata" / "data" / "data.txt");
}

std::string HistoryLine(std::string_view issue, const std::array<int, 6>& reds, int blue)
{
    std::string line(issue);
    for (const int red : reds) {
        line += ' ';
        line += TwoDigits(red);
    }
    line += ' ';
    line += TwoDigits(blue);
    return line;
}

Lines RotatingHistory(int count)
{
    Lines history;
    for (int i = 0; i < count; ++i) {
        std::array<int, 6> reds{};
        for (int k = 0; k < 6; ++k)
            reds[static_cast<std::size_t>(k)] = (i * 6 + k) % 33 + 1;
        std::sort(reds.begin(), reds.end());
        history.push_back(HistoryLine(2009200 - i, reds, i % 16 + 1));
    }
    return history;
}

} // namespace qv::test
