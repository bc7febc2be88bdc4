#pragma once

#include "history/DrawRecord.h"
#include "history/Text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// One draw as players type it or copy it from results pages and spreadsheets: the issue
// ("2026097", "2026-097", "26097", "第2026097期"), then six reds in any order and the blue,
// one or two digits each, separated by blanks, tabs, commas, "|" or "+" (full-width forms
// too). A date, a time or a word (a weekday) may stand before or after the numbers.
struct DrawLineRead
{
    std::optional<DrawRecord> Draw; // issue of 7 digits, reds ascending; DrawOrdinal unset
    std::string Reason;             // why the line is no draw, in Chinese
    bool Blank = false;             // nothing but blanks and separators
};
DrawLineRead ReadDrawLine(std::string_view line);

// The issue of a history line (its first field) when it is 7 digits, else empty.
std::string_view IssueOf(std::string_view line);

// The first line of a history (newest first) that must not be written: a line out of the
// exact form, or a line whose issue is not greater than the issue of the line below it
// (which also keeps every issue to one line). LineNumber counts from 1; for an order
// fault it is the upper line of the two.
struct HistoryFault
{
    int LineNumber = 0;
    std::string Line;
    std::string Reason;
    bool Order = false; // the two issues are out of order, each line itself is well formed
};
std::optional<HistoryFault> FindHistoryFault(const Lines& history);

// Whether history[index] may stand where it is in a newest-first history: its issue is on
// no other line, below the issue of the line above and above the issue of the line below
// (issues compare as numbers, so 2027001 above 2026153 is in order). Lines whose first
// field is no issue are not compared. The reason in Chinese, or nothing.
std::optional<std::string> PlacementFault(const Lines& history, std::size_t index);

} // namespace qv
