#pragma once

// Small draw histories and the indicator tables that go with them, for the reference and
// omission tests. The tables carry only what those steps read (the span of a red line, the
// words of a blue line); the other fields are placeholders.

#include "history/HistoryLoad.h"
#include "history/Text.h"
#include "support/TempAppDir.h"

#include <array>
#include <string>

namespace qv::test {

// One red indicator line per history line: 25 fields, the span (field 21) computed.
inline Lines RedAnaFor(const Lines& history)
{
    Lines table;
    for (std::size_t i = 0; i < history.size(); ++i) {
        const auto f = SplitFields(history[i]);
        std::string line = f[0] + "(" + std::to_string(history.size() - i) + ")";
        for (std::size_t k = 1; k <= 7; ++k)
            line += " " + f[k];
        for (std::size_t k = 8; k <= 24; ++k)
            line += k == 21 ? " " + std::to_string(StrToInt(f[6]) - StrToInt(f[1])) : std::string(" 0");
        table.push_back(line);
    }
    return table;
}

// One blue indicator line per history line, classified the way the blue table is.
inline Lines BlueAnaFor(const Lines& history)
{
    static const std::array<const char*, 5> elements = {"土", "水", "火", "木", "金"};
    static const std::array<const char*, 8> trigrams = {"乾", "兑", "离", "震", "巽", "坎", "艮", "坤"};
    Lines table;
    for (std::size_t i = 0; i < history.size(); ++i) {
        const auto f = SplitFields(history[i]);
        const int b = StrToInt(f[7]);
        const std::size_t ordinal = history.size() - i;
        std::string line = f[0] + "(" + std::to_string(ordinal) + ") " + f[7];
        line += b % 2 == 0 ? " 偶" : " 奇";
        line += Contains("02 03 05 07 11 13", f[7]) ? " 质" : " 合";
        line += b <= 8 ? " 小" : " 大";
        line += " ";
        line += elements[static_cast<std::size_t>(b % 5)];
        line += " ";
        line += trigrams[static_cast<std::size_t>(b - 1) % 8];
        line += ":";
        line += trigrams[(ordinal + 7) % 8];
        table.push_back(line);
    }
    return table;
}

// A history of count draws, newest first, every draw the same reds and blue.
inline Lines RepeatedHistory(std::size_t count, const std::array<int, 6>& reds, int blue)
{
    Lines history;
    for (std::size_t i = 0; i < count; ++i)
        history.push_back(HistoryLine(std::to_string(2009200 - i), reds, blue));
    return history;
}

} // namespace qv::test
