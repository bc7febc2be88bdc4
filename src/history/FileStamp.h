#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// What a file held when the program last wrote or read it: its size and a 64-bit FNV-1a
// hash of its bytes. A file whose stamp still matches is whole and unchanged since.
struct FileStamp
{
    std::uint64_t Size = 0;
    std::uint64_t Hash = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(std::string_view bytes);

// "SIZE:HASH", the hash as 16 lower-case hex digits; nothing for any other text.
std::string StampText(const FileStamp& stamp);
std::optional<FileStamp> ParseStamp(std::string_view text);

} // namespace qv
