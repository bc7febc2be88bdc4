#include "history/FileStamp.h"

#include <charconv>
#include <sys/stat.h>

namespace qv {

FileStamp StampOf(std::string_view bytes)
{
    std::uint64_t hash = 1469598103934665603ull;
    for (const char ch : bytes) {
        hash ^= static_cast<unsigned char>(ch);
        hash *= 1099511628211ull;
    }
    return {bytes.size(), hash};
}

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path)
{
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                        static_cast<std::uint64_t>(st.st_size), static_cast<std::int64_t>(st.st_mtim.tv_sec),
                        static_cast<std::int64_t>(st.st_mtim.tv_nsec)};
}

std::string StampText(const FileStamp& stamp)
{
    char hex[17];
    const auto end = std::to_chars(hex, hex + 16, stamp.Hash, 16).ptr;
    const std::string digits(hex, end);
    return std::to_string(stamp.Size) + ":" + std::string(16 - digits.size(), '0') + digits;
}

std::optional<FileStamp> ParseStamp(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || text.size() - colon - 1 != 16)
        return std::nullopt;
    FileStamp stamp;
    const auto number = [](std::string_view digits, std::uint64_t& value, int base) {
        for (const char ch : digits)
            if (!(ch >= '0' && ch <= '9') && !(base == 16 && ch >= 'a' && ch <= 'f'))
                return false;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
        return ec == std::errc() && end == digits.data() + digits.size();
    };
    if (!number(text.substr(0, colon), stamp.Size, 10) || !number(text.substr(colon + 1), stamp.Hash, 16))
        return std::nullopt;
    return stamp;
}

} // namespace qv
