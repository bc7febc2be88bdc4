#pragma once

#include <cstdint>
#include <filesystem>
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

// Where a file stands on disk: device, inode, size and modification time. A file whose
// identity is still the one it had right after this process wrote or read it has been
// neither replaced nor written since (a replacement is a new inode; a write in place
// moves the time), so what the process holds of it in memory is still its content.
struct FileIdentity
{
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::uint64_t Size = 0;
    std::int64_t ModifiedSeconds = 0;
    std::int64_t ModifiedNanoseconds = 0;

    bool operator==(const FileIdentity&) const = default;
};

// Nothing when the path is not a regular file that can be looked at.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

// "SIZE:HASH", the hash as 16 lower-case hex digits; nothing for any other text.
std::string StampText(const FileStamp& stamp);
std::optional<FileStamp> ParseStamp(std::string_view text);

} // namespace qv
