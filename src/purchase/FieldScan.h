#pragma once

#include <cstddef>
#include <string_view>

namespace qv::purchase_detail {

// Counts the fields of a line cut at every blank the way SplitFields cuts (a trailing
// blank adds none) and notes where the sixth and seventh fields end, without copying.
// Since every blank cuts, fields 1–6 joined by single blanks are the line up to
// EndOfSixth.
struct FieldScan
{
    std::size_t Count = 0;
    std::size_t EndOfSixth = 0;   // one past field 6 (index 5)
    std::size_t EndOfSeventh = 0; // one past field 7 (index 6)

    std::string_view Seventh(std::string_view line) const
    {
        return line.substr(EndOfSixth + 1, EndOfSeventh - EndOfSixth - 1);
    }
};

// Exactly 21 characters, the length of "01 02 03 04 05 06 +07": UTF-8 bytes that do not
// continue a character.
inline constexpr std::size_t kBetLength = 21;

inline bool HasBetLength(std::string_view line)
{
    if (line.size() < kBetLength || line.size() > kBetLength * 4)
        return false;
    std::size_t characters = 0;
    for (const char c : line)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++characters;
    return characters == kBetLength;
}

// True when the line holds nothing but blanks and control characters.
inline bool IsBlankLine(std::string_view line)
{
    for (const char c : line)
        if (static_cast<unsigned char>(c) > ' ')
            return false;
    return true;
}

inline FieldScan ScanFields(std::string_view text)
{
    FieldScan scan;
    if (text.empty())
        return scan;
    std::size_t start = 0;
    for (;;) {
        const std::size_t p = text.find(' ', start);
        if (p == std::string_view::npos && start >= text.size())
            break; // a trailing blank gives no field
        const std::size_t end = p == std::string_view::npos ? text.size() : p;
        ++scan.Count;
        if (scan.Count == 6)
            scan.EndOfSixth = end;
        else if (scan.Count == 7)
            scan.EndOfSeventh = end;
        if (p == std::string_view::npos)
            break;
        start = p + 1;
    }
    return scan;
}

} // namespace qv::purchase_detail
