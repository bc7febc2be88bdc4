#pragma once

#include "core/Host.h"
#include "history/TextFile.h"
#include "session/AppState.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qv::test {

// A fresh, empty app directory for one test, removed afterwards. "option.ini" lives in it
// too (the state's flag file points there), so tests never touch the working directory.
class TempAppDir
{
public:
    TempAppDir();
    ~TempAppDir();
    TempAppDir(const TempAppDir&) = delete;
    TempAppDir& operator=(const TempAppDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(std::string_view relative) const
    {
        return m_path / std::string(relative);
    }

    // Writes lines (UTF-8, saved as GBK with CR LF) to a file below the directory.
    void Write(std::string_view relative, const Lines& lines) const;
    // Writes raw bytes.
    void WriteBytes(std::string_view relative, std::string_view bytes) const;
    Lines Read(std::string_view relative) const;
    std::string ReadBytes(std::string_view relative) const;
    bool Exists(std::string_view relative) const;

    // A state whose AppDir is this directory and whose flag file is "option.ini" in it.
    void Attach(AppState& state) const;

    // Copies the bundled real history (3,493 draws) to data/data.txt; false when the
    // source tree's copy is missing.
    bool InstallRealHistory() const;

private:
    std::filesystem::path m_path;
};

// The bundled history of the source tree, loaded as lines.
Lines RealHistoryLines();

// A history line from an issue, six reds and a blue, each number two digits.
std::string HistoryLine(std::string_view issue, const std::array<int, 6>& reds, int blue);
inline std::string HistoryLine(int issue, const std::array<int, 6>& reds, int blue)
{
    return HistoryLine(std::to_string(issue), reds, blue);
}

// count draws, newest first from issue 2009200; draw i has the reds i*6+1 ... i*6+6
// wrapped into 1..33 and the blue i % 16 + 1.
Lines RotatingHistory(int count);

// A StepLog that keeps every line.
class CollectingLog : public StepLog
{
public:
    void Log(const std::string& line) override { Lines.push_back(line); }
    std::vector<std::string> Lines;
};

} // namespace qv::test
