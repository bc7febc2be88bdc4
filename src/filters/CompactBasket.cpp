#include "filters/CompactBasket.h"

#include "core/Error.h"
#include "history/Gbk.h"
#include "history/TextFile.h"

#include <bit>
#include <cstring>

namespace qv {

namespace {

bool IsAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

void CompactBasket::Load(const std::filesystem::path& path)
{
    std::string bytes = ReadFileBytes(path);
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
    m_lines.clear();
    // A RedCombo line with its CR LF takes 19 bytes.
    m_lines.reserve(m_text.size() / 19 + 1);
    const char* data = m_text.data();
    const std::size_t n = m_text.size();
    std::size_t start = 0;
    while (start < n) {
        std::size_t p = start;
        // Nearly every line is a RedCombo: look for its line end at once.
        if (p + 17 < n && (data[p + 17] == '\r' || data[p + 17] == '\n') &&
            std::memchr(data + p, '\r', 17) == nullptr && std::memchr(data + p, '\n', 17) == nullptr)
            p += 17;
        else
            while (p < n && data[p] != '\r' && data[p] != '\n')
                ++p;
        const std::string_view text(data + start, p - start);
        const BasketLine line = MakeBasketLine(text);
        m_lines.push_back({line.IsCombo ? line.Mask : 0, static_cast<std::uint32_t>(start),
                           static_cast<std::uint32_t>(p - start)});
        if (p >= n)
            break;
        if (data[p] == '\r' && p + 1 < n && data[p + 1] == '\n')
            ++p;
        start = p + 1;
    }
}

BasketLine CompactBasket::Line(std::size_t index) const
{
    const Entry& entry = m_lines[index];
    BasketLine line;
    line.Text = std::string_view(m_text.data() + entry.Offset, entry.Length);
    if (entry.Mask != 0) {
        line.IsCombo = true;
        line.Mask = entry.Mask;
        std::uint64_t rest = entry.Mask;
        for (auto& red : line.Reds) {
            red = static_cast<std::uint8_t>(std::countr_zero(rest) + 1);
            rest &= rest - 1;
        }
    }
    return line;
}

void CompactBasket::Remove(const std::vector<std::uint8_t>& removed)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (!removed[i])
            m_lines[kept++] = m_lines[i];
    m_lines.resize(kept);
}

std::string CompactBasket::Encode() const
{
    std::size_t size = 0;
    for (const Entry& entry : m_lines)
        size += entry.Length + 2;
    std::string bytes;
    bytes.resize(size);
    char* out = bytes.data();
    for (const Entry& entry : m_lines) {
        std::memcpy(out, m_text.data() + entry.Offset, entry.Length);
        out += entry.Length;
        *out++ = '\r';
        *out++ = '\n';
    }
    if (m_ascii)
        return bytes;
    return Utf8ToGbk(bytes);
}

void CompactBasket::Save(const std::filesystem::path& path) const
{
    ReplaceFile(path, Encode());
}

} // namespace qv
