#pragma once

#include "core/Error.h"
#include "history/Text.h"

#include <string>
#include <string_view>

namespace qv {

class AppPaths;

// A stored analysis file that a "Data=1" reload cannot use as it stands: missing,
// unreadable, not GBK, or not of the form its step writes (a short file, a cut line, a
// field that is no number). The start-up run answers it by computing every file anew.
class StoredFileError : public Error
{
public:
    StoredFileError(std::string_view file, const std::string& reason);

    const std::string& File() const { return m_file; }
    const std::string& Reason() const { return m_reason; }

private:
    std::string m_file;
    std::string m_reason;
};

// Loads a stored analysis file for a reload. A file that is missing or unreadable, or
// whose bytes are not GBK (the program writes nothing else there), is a StoredFileError.
Lines LoadStoredLines(const AppPaths& paths, std::string_view file);

// A StoredFileError unless the file has exactly the expected number of lines.
void RequireStoredLineCount(std::string_view file, const Lines& lines, std::size_t expected);

// Runs check over a stored file's lines; an Error it throws (a cut line, a field that is
// no number) becomes a StoredFileError with that text as its reason.
template <typename Check> void CheckStoredLines(std::string_view file, Check&& check)
{
    try {
        check();
    } catch (const StoredFileError&) {
        throw;
    } catch (const Error& e) {
        throw StoredFileError(file, e.what());
    }
}

} // namespace qv
