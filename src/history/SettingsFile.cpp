#include "history/SettingsFile.h"

#include "history/TextFile.h"

#include <vector>

namespace qv {

namespace {

constexpr std::string_view kVersionKey = "version";
constexpr std::string_view kVersion = "1";
constexpr std::string_view kEndKey = "end";

bool IsKey(std::string_view key)
{
    if (key.empty())
        return false;
    for (const char ch : key) {
        const bool ok = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                        ch == '.' || ch == '_' || ch == '-';
        if (!ok)
            return false;
    }
    return true;
}

std::string Escape(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (const char ch : value) {
        if (ch == '\\')
            out += "\\\\";
        else if (ch == '\n')
            out += "\\n";
        else if (ch == '\r')
            out += "\\r";
        else
            out += ch;
    }
    return out;
}

bool Unescape(std::string_view value, std::string& out)
{
    out.clear();
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size())
            return false;
        switch (value[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return false;
        }
    }
    return true;
}

std::string AtLine(std::size_t line, std::string_view what)
{
    return "第" + std::to_string(line) + "行" + std::string(what);
}

} // namespace

std::string WriteSettings(const SettingValues& values, std::string_view comment)
{
    std::string text = "# ";
    text += comment;
    text += "\nversion=";
    text += kVersion;
    text += '\n';
    for (const auto& [key, value] : values) {
        if (key == kVersionKey || key == kEndKey)
            continue;
        text += key;
        text += '=';
        text += Escape(value);
        text += '\n';
    }
    text += "end=1\n";
    return text;
}

std::optional<SettingValues> ReadSettings(std::string_view bytes, std::string& problem)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    if (!IsValidUtf8(bytes)) {
        problem = "不是UTF-8文本";
        return std::nullopt;
    }
    SettingValues values;
    bool versioned = false;
    bool ended = false;
    std::size_t number = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        if (ended) {
            problem = AtLine(number, "在结尾行“end=1”之后");
            return std::nullopt;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            problem = AtLine(number, "没有“=”");
            return std::nullopt;
        }
        const std::string_view key = line.substr(0, equals);
        if (!IsKey(key)) {
            problem = AtLine(number, "的名称“" + std::string(key) + "”无效");
            return std::nullopt;
        }
        std::string value;
        if (!Unescape(line.substr(equals + 1), value)) {
            problem = AtLine(number, "含有无法识别的“\\”转义");
            return std::nullopt;
        }
        if (!versioned) {
            if (key != kVersionKey || value != kVersion) {
                problem = AtLine(number, "应为“version=1”（不是本程序的设置文件，或版本不符）");
                return std::nullopt;
            }
            versioned = true;
            continue;
        }
        if (key == kEndKey) {
            if (value != "1") {
                problem = AtLine(number, "应为“end=1”");
                return std::nullopt;
            }
            ended = true;
            continue;
        }
        if (!values.emplace(std::string(key), std::move(value)).second) {
            problem = AtLine(number, "的名称“" + std::string(key) + "”重复");
            return std::nullopt;
        }
    }
    if (!versioned) {
        problem = "是空文件";
        return std::nullopt;
    }
    if (!ended) {
        problem = "不完整（缺少结尾行“end=1”）";
        return std::nullopt;
    }
    return values;
}

std::string LinesValue(const Lines& lines)
{
    std::string value;
    for (const auto& line : lines) {
        value += line;
        value += '\n';
    }
    return value;
}

Lines ValueLines(std::string_view value)
{
    Lines lines;
    std::size_t start = 0;
    while (start < value.size()) {
        std::size_t end = value.find('\n', start);
        if (end == std::string_view::npos)
            end = value.size();
        lines.emplace_back(value.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace qv
