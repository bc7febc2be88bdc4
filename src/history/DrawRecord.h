#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// One past draw in typed form. The program works on the text lines; this is the checked
// view used where a line must be proven well formed (the record editor) and by tests.
struct DrawRecord
{
    std::string Issue;         // 7 characters: year and draw number, e.g. "2009148"
    std::array<int, 6> Reds{}; // ascending, distinct, 1..33
    int Blue = 0;              // 1..16
    int DrawOrdinal = 0;       // 1 for the oldest draw up to N for the newest

    // The 28-character history line.
    std::string ToLine() const;
};

// Parses a history line that keeps the format exactly (28 characters, single blanks,
// 7-digit issue, six distinct ascending two-digit reds 01..33, two-digit blue 01..16).
// Returns nothing and, when why is given, the reason in Chinese.
std::optional<DrawRecord> ParseHistoryLine(std::string_view line, std::string* why = nullptr);

} // namespace qv
