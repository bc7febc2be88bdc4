#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace qv::ui {

// The core speaks UTF-8 std::string; the widgets speak QString.
inline QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string S(const QString& text)
{
    return text.toStdString();
}

inline QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

inline QString Q(const char* text)
{
    return QString::fromUtf8(text);
}

inline QString QPath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

inline std::filesystem::path PathOf(const QString& text)
{
    return std::filesystem::path(text.toStdString());
}

} // namespace qv::ui
