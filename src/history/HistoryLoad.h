#pragma once

#include "core/Error.h"
#include "history/Text.h"

namespace qv {

// A history line that a reader cannot use, reported in Chinese with the line's number and
// text, what is wrong with it and the form a history line must have. Original() keeps the
// reader's own report ("'0x' is not a valid integer value").
class HistoryLineError : public Error
{
public:
    HistoryLineError(std::size_t index, std::string_view line, const Error& original);
    const std::string& Original() const { return m_original; }

private:
    std::string m_original;
};

// A line quoted in a report: cut after 60 bytes (at a character boundary) with "…".
std::string QuotedLine(std::string_view line);

// What is wrong with a history line, in Chinese, as the readers find it: too few fields, a
// number that is no integer, else the first departure from the exact format; empty when
// the line is well formed.
std::string HistoryLineReason(std::string_view line);

// Runs read over the history line at index; an Error it throws becomes a HistoryLineError.
template <typename Read> auto ReadHistoryLine(std::size_t index, std::string_view line, Read&& read)
{
    try {
        return read();
    } catch (const HistoryLineError&) {
        throw;
    } catch (const Error& e) {
        throw HistoryLineError(index, line, e);
    }
}

// RedHistory for these history lines: fields 1 to 6 of each joined by single blanks (a
// short line gives empty fields), then one empty line.
Lines RedHistoryOf(const Lines& historyLines);

} // namespace qv
