#include "history/TextFile.h"

#include "core/Error.h"
#include "history/Gbk.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <random>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace qv {

namespace {

std::function<void(const std::filesystem::path&)>& WriteHook()
{
    static std::function<void(const std::filesystem::path&)> hook;
    return hook;
}

// Safe from any thread: every thread draws from a generator of its own.
std::string TempNameBeside(const std::filesystem::path& path)
{
    thread_local std::mt19937_64 generator{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%d.%016llx.tmp", static_cast<int>(getpid()),
                  static_cast<unsigned long long>(generator()));
    return path.string() + suffix;
}

// The writer's process id when the name is one TempNameBeside makes ("<name>.<pid>.<16 hex
// digits>.tmp"), otherwise nothing.
std::optional<long> TempWriterPid(std::string_view name)
{
    constexpr std::string_view kTail = ".tmp";
    constexpr std::size_t kHexDigits = 16;
    if (name.size() < kTail.size() || name.substr(name.size() - kTail.size()) != kTail)
        return std::nullopt;
    name.remove_suffix(kTail.size());
    if (name.size() < kHexDigits + 1)
        return std::nullopt;
    const std::string_view hex = name.substr(name.size() - kHexDigits);
    for (char c : hex) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return std::nullopt;
    }
    name.remove_suffix(kHexDigits);
    if (name.back() != '.')
        return std::nullopt;
    name.remove_suffix(1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    const std::string_view digits = name.substr(dot + 1);
    if (digits.empty() || digits.size() > 9)
        return std::nullopt;
    long pid = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

std::atomic<bool> g_counting{false};
std::mutex g_countMutex;
FileAccessCounts g_counts;

void Count(const std::filesystem::path& path, int FileAccessCount::*what)
{
    if (!g_counting.load(std::memory_order_relaxed))
        return;
    const std::lock_guard<std::mutex> lock(g_countMutex);
    if (g_counting.load(std::memory_order_relaxed))
        ++(g_counts[path].*what);
}

// An open descriptor for reading, or the "Cannot open file" report (a folder included).
int OpenForReading(const std::filesystem::path& path, struct stat& st)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw Error::CannotOpenFileErrno(path.string(), errno);
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw Error::CannotOpenFileErrno(path.string(), EISDIR);
    }
    return fd;
}

} // namespace

void StartCountingFileAccess()
{
    const std::lock_guard<std::mutex> lock(g_countMutex);
    g_counts.clear();
    g_counting.store(true);
}

FileAccessCounts StopCountingFileAccess()
{
    const std::lock_guard<std::mutex> lock(g_countMutex);
    g_counting.store(false);
    return std::exchange(g_counts, {});
}

void RequireReadableFile(const std::filesystem::path& path)
{
    struct stat st
    {
    };
    ::close(OpenForReading(path, st));
}

std::string ReadFileBytes(const std::filesystem::path& path)
{
    Count(path, &FileAccessCount::Reads);
    struct stat st
    {
    };
    const int fd = OpenForReading(path, st);
    const auto readSome = [&](char* into, std::size_t room) {
        for (;;) {
            const ssize_t n = ::read(fd, into, room);
            if (n >= 0)
                return static_cast<std::size_t>(n);
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            throw Error::CannotOpenFileErrno(path.string(), err);
        }
    };
    // Read straight into the text at the size the file has, then on to the end of a file
    // that grew meanwhile.
    const std::size_t size = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
    std::string bytes(size, '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::size_t n = readSome(bytes.data() + got, bytes.size() - got);
        if (n == 0)
            break;
        got += n;
    }
    bytes.resize(got);
    if (got == size) {
        char buffer[1 << 16];
        while (const std::size_t n = readSome(buffer, sizeof buffer))
            bytes.append(buffer, n);
    }
    ::close(fd);
    return bytes;
}

Lines SplitLines(std::string_view text)
{
    // Sized once: a million lines grown by doubling would hold two arrays for a moment.
    // Lines end in LF or CR LF, or in CR alone in a text without LF.
    std::size_t ends = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    if (ends == 0)
        ends = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r'));
    Lines lines;
    lines.reserve(ends + 1);
    const char* const base = text.data();
    const std::size_t n = text.size();
    std::size_t start = 0;
    while (start < n) {
        const auto* lf = static_cast<const char*>(std::memchr(base + start, '\n', n - start));
        const std::size_t lfAt = lf ? static_cast<std::size_t>(lf - base) : n;
        const auto* cr = static_cast<const char*>(std::memchr(base + start, '\r', lfAt - start));
        std::size_t p = cr ? static_cast<std::size_t>(cr - base) : lfAt;
        lines.emplace_back(text.substr(start, p - start));
        if (p >= n)
            break;
        if (text[p] == '\r' && p + 1 < n && text[p + 1] == '\n')
            ++p;
        start = p + 1;
    }
    return lines;
}

Lines LoadLines(const std::filesystem::path& path)
{
    Lines lines;
    LoadLinesInto(path, lines);
    return lines;
}

void LoadLinesInto(const std::filesystem::path& path, Lines& lines)
{
    // A text of plain characters is split where it is read: a million-line list is not
    // copied once more on the way.
    std::string bytes = ReadFileBytes(path);
    if (!IsAscii(bytes))
        bytes = GbkToUtf8(bytes);
    Lines().swap(lines);
    lines = SplitLines(bytes);
}

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0;
            if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            if (c == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char t = static_cast<unsigned char>(bytes[i + k]);
            const unsigned char lo = k == 1 ? low : 0x80;
            const unsigned char hi = k == 1 ? high : 0xBF;
            if (t < lo || t > hi)
                return false;
        }
        i += length;
    }
    return true;
}

Lines LoadLinesUtf8OrGbk(const std::filesystem::path& path)
{
    const std::string bytes = ReadFileBytes(path);
    std::string_view text = bytes;
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.remove_prefix(3);
    if (IsValidUtf8(text))
        return SplitLines(text);
    return SplitLines(GbkToUtf8(bytes));
}

std::string EncodeLines(const Lines& lines)
{
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    // Plain characters are their own GBK bytes: no second copy of a million-line list.
    if (IsAscii(text))
        return text;
    return Utf8ToGbk(text);
}

void ReplaceFile(const std::filesystem::path& path, std::string_view bytes, Flush flush)
{
    Count(path, &FileAccessCount::Replacements);
    if (auto& hook = WriteHook())
        hook(path);
    const std::string target = path.string();
    std::error_code ec;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), ec);
    struct stat st
    {
    };
    if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        throw Error::CannotOpenFileErrno(target, EISDIR);

    const std::string temp = TempNameBeside(path);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        throw Error::CannotOpenFileErrno(target, errno);
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw Error::CannotOpenFileErrno(target, err);
    };
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    if (flush == Flush::Yes && ::fdatasync(fd) != 0 && errno != EINVAL && errno != EROFS)
        fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw Error::CannotOpenFileErrno(target, err);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw Error::CannotOpenFileErrno(target, err);
    }
    if (flush == Flush::Yes) {
        // The rename itself reaches the disk with its folder. The file is complete either
        // way; a folder that cannot be synced (some file systems refuse) changes nothing.
        const std::string folder = path.has_parent_path() ? path.parent_path().string() : std::string(".");
        const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd >= 0) {
            (void)::fsync(dirFd);
            ::close(dirFd);
        }
    }
}

void SaveLines(const std::filesystem::path& path, const Lines& lines, Flush flush)
{
    ReplaceFile(path, EncodeLines(lines), flush);
}

int RemoveStaleTempFiles(const std::filesystem::path& dir)
{
    int removed = 0;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(dir, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it.depth() > 3) {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file(ec))
            continue;
        const std::optional<long> pid = TempWriterPid(it->path().filename().string());
        if (!pid)
            continue;
        if (*pid > 0 && (::kill(static_cast<pid_t>(*pid), 0) == 0 || errno == EPERM))
            continue; // its writer still runs
        std::error_code removeError;
        if (std::filesystem::remove(it->path(), removeError))
            ++removed;
    }
    return removed;
}

void SetWriteFailureHook(std::function<void(const std::filesystem::path&)> hook)
{
    WriteHook() = std::move(hook);
}

} // namespace qv
