#include "history/StoredFile.h"

#include "history/AppPaths.h"
#include "history/TextFile.h"

#include <filesystem>
#include <system_error>

namespace qv {

namespace {

std::string StoredFileMessage(std::string_view file, const std::string& reason)
{
    std::string text = "分析文件“";
    text += file;
    text += "”无法使用：";
    text += reason;
    return text;
}

} // namespace

StoredFileError::StoredFileError(std::string_view file, const std::string& reason)
    : Error(StoredFileMessage(file, reason)), m_file(file), m_reason(reason)
{
}

Lines LoadStoredLines(const AppPaths& paths, std::string_view file)
{
    const std::filesystem::path path = paths.Resolve(file);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw StoredFileError(file, "文件不存在");
    Lines lines;
    try {
        lines = LoadLines(path);
    } catch (const Error& e) {
        throw StoredFileError(file, e.what());
    }
    // Bytes that are not GBK decode to U+FFFD.
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find("\xEF\xBF\xBD") != std::string::npos)
            throw StoredFileError(file, "第" + std::to_string(i + 1) + "行不是GBK编码的文字");
    return lines;
}

void RequireStoredLineCount(std::string_view file, const Lines& lines, std::size_t expected)
{
    if (lines.size() == expected)
        return;
    std::string reason = "共";
    reason += std::to_string(lines.size());
    reason += "行，应为";
    reason += std::to_string(expected);
    reason += "行";
    throw StoredFileError(file, reason);
}

} // namespace qv
