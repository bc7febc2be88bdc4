#include "selection/SelectionState.h"

namespace qv {

LineTable::LineTable(std::string text) : m_text(std::move(text))
{
    const std::size_t n = m_text.size();
    std::size_t start = 0;
    while (start < n) {
        m_starts.push_back(start);
        std::size_t p = start;
        while (p < n && m_text[p] != '\r' && m_text[p] != '\n')
            ++p;
        if (p < n && m_text[p] == '\r' && p + 1 < n && m_text[p + 1] == '\n')
            ++p;
        start = p + 1;
    }
}

LineTable::LineTable(std::string text, std::vector<std::size_t> starts)
    : m_text(std::move(text)), m_starts(std::move(starts))
{
}

std::string_view LineTable::operator[](std::size_t index) const
{
    const std::size_t begin = m_starts[index];
    std::size_t end = index + 1 < m_starts.size() ? m_starts[index + 1] : m_text.size();
    // Drop the line's own break: CR LF, LF or CR.
    if (end > begin && m_text[end - 1] == '\n')
        --end;
    if (end > begin && m_text[end - 1] == '\r')
        --end;
    return std::string_view(m_text).substr(begin, end - begin);
}

Lines LineTable::ToLines() const
{
    Lines lines;
    lines.reserve(Size());
    for (std::size_t i = 0; i < Size(); ++i)
        lines.emplace_back((*this)[i]);
    return lines;
}

std::string LineTable::TakeText()
{
    std::string text = std::move(m_text);
    Clear();
    return text;
}

void LineTable::Clear()
{
    m_text.clear();
    m_text.shrink_to_fit();
    m_starts.clear();
    m_starts.shrink_to_fit();
}

} // namespace qv
