#pragma once

#include "history/Text.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace qv {

// Reads a whole file as bytes; throws "Cannot open file ..." when it cannot.
std::string ReadFileBytes(const std::filesystem::path& path);

// Throws what ReadFileBytes throws for a file that cannot be opened for reading (missing,
// no permission, a folder), without reading it.
void RequireReadableFile(const std::filesystem::path& path);

// Cuts text into lines at CR, LF or CR LF; a final line break adds no empty line.
Lines SplitLines(std::string_view text);

// Loads a GBK text file whole as UTF-8 lines.
Lines LoadLines(const std::filesystem::path& path);
// Reads the file into lines, which it replaces only once the file was read: the old
// lines are let go before the new ones are made, so a long list is never held twice.
void LoadLinesInto(const std::filesystem::path& path, Lines& lines);

// Loads a text file the user hands over in UTF-8 (with or without a byte order mark) or
// GBK: well-formed UTF-8 is taken as it is, anything else is decoded as GBK.
Lines LoadLinesUtf8OrGbk(const std::filesystem::path& path);

// True when bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Joins lines with CR LF after every line (the last one included) and encodes them as GBK.
std::string EncodeLines(const Lines& lines);

// Replaces the file whole with bytes: written to a temporary file beside it, flushed, then
// renamed over it, so the old file stays complete if anything fails. Missing parent
// folders are created. Throws "Cannot open file ..." on failure. The rename alone keeps
// the file whole when the program is killed; with flush the data also reaches the disk
// before the rename, and the rename with its folder, for files that must survive a power
// cut (the history, the flag, purchase lists).
enum class Flush
{
    No,
    Yes,
};
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes, Flush flush = Flush::No);

// Saves lines as GBK with CR LF by atomic replacement. An empty list gives an empty file.
void SaveLines(const std::filesystem::path& path, const Lines& lines, Flush flush = Flush::No);

// Removes the temporary files that a replacement left behind below dir when its process
// was killed before the rename (their process no longer runs). Returns how many it removed.
int RemoveStaleTempFiles(const std::filesystem::path& dir);

// Test seam: how often each path was read whole (ReadFileBytes, and so LoadLines) and
// asked to be replaced (ReplaceFile, and so SaveLines) while counting is on. Safe from any thread; costs one
// atomic load per read or replacement while it is off.
struct FileAccessCount
{
    int Reads = 0;
    int Replacements = 0;
};
using FileAccessCounts = std::map<std::filesystem::path, FileAccessCount>;
// Clears the counts and starts counting.
void StartCountingFileAccess();
// Stops counting and returns the counts since the start.
FileAccessCounts StopCountingFileAccess();

// Test seam: called with the target path before every replacement; it may throw to make
// the write fail. Pass an empty function to remove it.
void SetWriteFailureHook(std::function<void(const std::filesystem::path&)> hook);

} // namespace qv
