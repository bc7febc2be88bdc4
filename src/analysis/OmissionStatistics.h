#pragma once

#include "history/Text.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace qv {

enum class BallColour
{
    Red,  // numbers 01-33, a hit is one of the six reds
    Blue, // numbers 01-16, a hit is the blue
};

// One history line as these statistics read it.
struct OmissionDraw
{
    std::string Issue;         // field 0
    std::string RedText;       // fields 1-6 joined by single blanks, as written
    std::string BlueText;      // field 7, as written
    std::uint64_t RedMask = 0; // bit n set when red n (1..33) was drawn
    int Blue = 0;

    bool Hits(BallColour colour, int number) const
    {
        return colour == BallColour::Red ? ((RedMask >> number) & 1u) != 0 : Blue == number;
    }
};

// Reads the history lines (newest first); a short line or a field that is not a number is
// the usual conversion report.
std::vector<OmissionDraw> ParseOmissionDraws(const Lines& historyLines);

// Runs of consecutive hits ("L") and misses ("K") of every number of one colour, counted by
// length. Each count that changes moves its entry to the end, so the entries stand in the
// order of their last update; that order is the order of the report lines.
class RunHistogram
{
public:
    struct Entry
    {
        int Number = 0;
        char Kind = 'L'; // 'L' hits, 'K' misses
        int Length = 0;
        int Count = 0;
    };

    void Record(int number, char kind, int length);

    // The entries in the order of their last update.
    std::vector<Entry> Entries() const;
    // The histogram as stored: the single blank entry " ", then NN "," kind "," len "," count.
    Lines ToLines() const;

private:
    struct Slot
    {
        int Count = 0;
        std::uint64_t Updated = 0;
    };
    std::map<std::tuple<int, char, int>, Slot> m_slots;
    std::uint64_t m_clock = 0;
};

struct OmissionReport
{
    Lines Report; // blocks for every number, then one empty line
    RunHistogram Histogram;
};

// The omission report of one colour over the draws (newest first).
OmissionReport BuildOmissionReport(const std::vector<OmissionDraw>& draws, BallColour colour);

// The appearance report of one colour: for every number its last draw, its hits in the 61
// draws ending there, its current omission and its long-run mean interval. A number that
// was never drawn, or whose last draw has fewer than 60 older draws behind it, stops the
// report with a qv::Error that names the number.
Lines BuildAppearanceReport(const std::vector<OmissionDraw>& draws, BallColour colour);

// The progress lines around the computed statistics.
inline constexpr const char* kOmissionStartLine = "正在进行数据统计分析并且存入数据档案...";
inline constexpr const char* kOmissionDoneLine = "数据分析成功，存入档案成功...OK";

// The checks of a reload, over a stored report's lines (StoredFileError for file): an
// omission report has one block per number, in order, each opened by its "NN共出现：" line,
// and the closing empty line; an appearance report has seven lines per number, each block
// under its "=======NN=======" title, and the closing empty line.
void CheckStoredOmissionReport(std::string_view file, const Lines& report, BallColour colour);
void CheckStoredAppearanceReport(std::string_view file, const Lines& report, BallColour colour);

// The draws of the window the appearance report counts in: the last hit and 60 older ones.
inline constexpr int kAppearanceWindow = 60;

} // namespace qv
