#pragma once

#include "history/Text.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// A settings file of the user's: UTF-8 text, one "key=value" a line. A value keeps its
// line breaks and backslashes escaped ("\n", "\r", "\\"), so a multi-line text stays on
// one line. The file opens with a comment and "version=1" and closes with "end=1", so a
// file cut short is told from a whole one. Lines starting with '#' and empty lines are
// comments; keys are ASCII letters, digits and ". _ -".
using SettingValues = std::map<std::string, std::string>;

std::string WriteSettings(const SettingValues& values, std::string_view comment);

// The values of a whole settings file; a CR before a line end and a byte order mark are
// tolerated. Nothing, with the reason in Chinese in problem, for a file that is not one
// ("第3行没有“=”", "文件不完整（缺少结尾行“end=1”）", ...).
std::optional<SettingValues> ReadSettings(std::string_view bytes, std::string& problem);

// Lines as one value: every line followed by a line break ({} is "", {""} is "\n").
std::string LinesValue(const Lines& lines);
Lines ValueLines(std::string_view value);

} // namespace qv
