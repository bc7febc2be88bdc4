#pragma once

#include "history/Text.h"

#include <filesystem>
#include <string>

namespace qv {

// The ready flag "option.ini": "Data=1" when every stored analysis file matches the
// history and steps reload them, "Data=0" while they are being or must be rebuilt.
// The program holds a copy read once at start; setting the flag replaces the copy and the
// file together.
class ReadyFlag
{
public:
    static constexpr const char* kReady = "Data=1";
    static constexpr const char* kStale = "Data=0";

    ReadyFlag() : ReadyFlag(std::filesystem::path("option.ini")) {}
    explicit ReadyFlag(std::filesystem::path file);

    const std::filesystem::path& File() const { return m_file; }
    void SetFile(std::filesystem::path file) { m_file = std::move(file); }

    // Reads the file into the copy. A missing file behaves as "Data=0" (the file is
    // created when the flag is first set); a file that exists but cannot be read is the
    // "Cannot open file" report.
    void Load();

    // The first line of the copy, compared as a whole by the readers.
    std::string Value() const;
    bool IsReady() const { return Value() == kReady; }
    bool IsStale() const { return Value() == kStale; }

    // flag := value: the copy becomes the single line value and "option.ini" is replaced
    // with it. The copy changes only once the file was written.
    void Set(const std::string& value);

    // For tests and front ends that hold the copy without a file.
    void SetCopy(Lines copy) { m_copy = std::move(copy); }

private:
    std::filesystem::path m_file;
    Lines m_copy;
};

} // namespace qv
