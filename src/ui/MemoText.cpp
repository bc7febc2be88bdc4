#include "ui/ViewContext.h"

namespace qv::ui {

QString MemoText(const Lines& lines)
{
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 1;
    std::string text;
    text.reserve(size);
    for (const auto& line : lines) {
        text += line;
        text += '\n';
    }
    return QString::fromStdString(text);
}

Lines MemoLines(const QString& text)
{
    const std::string utf8 = text.toStdString();
    Lines lines;
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t end = utf8.find('\n', start);
        if (end == std::string::npos)
            end = utf8.size();
        std::size_t stop = end;
        if (stop > start && utf8[stop - 1] == '\r')
            --stop;
        lines.emplace_back(utf8, start, stop - start);
        start = end + 1;
    }
    return lines;
}

} // namespace qv::ui
