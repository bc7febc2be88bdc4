#include "filters/CompactBasket.h"

#include "core/Error.h"
#include "history/Gbk.h"
#include "history/TextFile.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

// The mask of the 17 characters at text when they form a RedCombo, else 0.
std::uint64_t ComboMask(const char* text)
{
    std::uint64_t mask = 0;
    unsigned previous = 0;
    for (int k = 0; k < 6; ++k) {
        const char* at = text + 3 * k;
        if (k > 0 && at[-1] != ' ')
            return 0;
        const unsigned tens = static_cast<unsigned char>(at[0]) - '0';
        const unsigned ones = static_cast<unsigned char>(at[1]) - '0';
        if (tens > 9 || ones > 9)
            return 0;
        const unsigned value = tens * 10 + ones;
        if (value < 1 || value > 33 || value <= previous)
            return 0;
        previous = value;
        mask |= std::uint64_t{1} << (value - 1);
    }
    return mask;
}

// Reads the whole file straight into one buffer sized from the file.
std::string ReadWhole(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw Error::CannotOpenFileErrno(path.string(), errno);
    auto fail = [&](int err) {
        ::close(fd);
        throw Error::CannotOpenFileErrno(path.string(), err);
    };
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0)
        fail(errno);
    if (S_ISDIR(st.st_mode))
        fail(EISDIR);
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadFileBytes(path);
    }
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t done = 0;
    char more[1 << 12];
    for (;;) {
        // Past the size the file had, read into a small buffer: it may have grown.
        const bool inside = done < bytes.size();
        const ssize_t n =
            inside ? ::read(fd, bytes.data() + done, bytes.size() - done) : ::read(fd, more, sizeof more);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(errno);
        if (n == 0)
            break;
        if (inside) {
            done += static_cast<std::size_t>(n);
        } else {
            bytes.append(more, static_cast<std::size_t>(n));
            done = bytes.size();
        }
    }
    ::close(fd);
    bytes.resize(done);
    return bytes;
}

} // namespace

void CompactBasket::Load(const std::filesystem::path& path)
{
    std::string bytes = ReadWhole(path);
    if (bytes.size() >= 0xFFFFFFFFull)
        throw Error::CannotOpenFile(path.string(), "号码篮文件超过4GB，无法处理");
    Assign(IsAscii(bytes) ? std::move(bytes) : GbkToUtf8(bytes));
}

void CompactBasket::Assign(std::string text)
{
    m_text = std::move(text);
    m_ascii = IsAscii(m_text);
    if (m_text.size() >= 0xFFFFFFFFull)
        throw Error("号码篮文件超过4GB，无法处理");
    // Every line but the last ends in a CR or an LF.
    std::size_t breaks = 0;
    for (const char c : m_text)
        breaks += (c == '\r') | (c == '\n');
    Reserve(breaks + 1);
    m_size = 0;
    const char* data = m_text.data();
    const std::size_t n = m_text.size();
    std::size_t start = 0;
    while (start < n) {
        std::size_t p = start;
        std::uint64_t mask = 0;
        // Nearly every line is a RedCombo followed by its line end: a RedCombo holds only
        // digits and blanks, so no line end can hide inside it.
        if (start + 17 < n && (data[start + 17] == '\r' || data[start + 17] == '\n'))
            mask = ComboMask(data + start);
        if (mask != 0)
            p = start + 17;
        else
            while (p < n && data[p] != '\r' && data[p] != '\n')
                ++p;
        if (mask == 0 && p - start == 17)
            mask = ComboMask(data + start);
        m_lines[m_size++] = {mask, static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(p - start)};
        if (p >= n)
            break;
        if (data[p] == '\r' && p + 1 < n && data[p + 1] == '\n')
            ++p;
        start = p + 1;
    }
}

void CompactBasket::Reserve(std::size_t lines)
{
    if (lines <= m_capacity)
        return;
    m_lines = std::make_unique_for_overwrite<Entry[]>(lines);
    m_capacity = lines;
}

void CompactBasket::Remove(const std::vector<std::uint8_t>& removed)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_size; ++i) {
        m_lines[kept] = m_lines[i];
        kept += removed[i] ? 0 : 1;
    }
    m_size = kept;
}

LineTable CompactBasket::Table() const
{
    std::size_t size = 0;
    for (std::size_t i = 0; i < m_size; ++i)
        size += m_lines[i].Length + 2;
    std::string text;
    text.resize(size);
    std::vector<std::size_t> starts(m_size);
    char* out = text.data();
    for (std::size_t i = 0; i < m_size; ++i) {
        const Entry& entry = m_lines[i];
        starts[i] = static_cast<std::size_t>(out - text.data());
        std::memcpy(out, m_text.data() + entry.Offset, entry.Length);
        out += entry.Length;
        *out++ = '\r';
        *out++ = '\n';
    }
    return LineTable(std::move(text), std::move(starts));
}

std::string CompactBasket::Encode() const
{
    LineTable table = Table();
    if (m_ascii)
        return table.TakeText();
    return Utf8ToGbk(table.Text());
}

} // namespace qv
