#include "indicators/BlueIndicators.h"

#include "core/Error.h"
#include "history/HistoryLoad.h"
#include "indicators/Classification.h"
#include "indicators/FieldCut.h"

namespace qv {

namespace {

// The prime test searches the blue's text here, as it always has: for the two-digit texts
// 01..16 it holds exactly for 2, 3, 5, 7, 11 and 13 (01 counts as composite).
constexpr std::string_view kPrimeBlues = "02 03 05 07 11 13";

} // namespace

std::string BlueIndicatorLine(std::string_view historyLine, long long ordinal)
{
    std::array<std::string_view, 8> fields;
    const std::size_t found = CutFields(historyLine, fields);
    if (found == 0)
        throw Error::ListIndexOutOfBounds(0);
    std::string line;
    line.reserve(48);
    line += fields[0];
    line += '(';
    AppendInt(line, ordinal);
    line += ") ";
    if (found < 8)
        throw Error::ListIndexOutOfBounds(7);
    const std::string_view blueText = fields[7];
    line += blueText;

    const int blue = StrToInt(blueText);
    line += blue % 2 == 0 ? " 偶" : " 奇";
    line += kPrimeBlues.find(blueText) != std::string_view::npos ? " 质" : " 合";
    line += blue <= 8 ? " 小" : " 大";
    if (blue >= 1 && blue <= 16) {
        line += ' ';
        line += ElementOf(blue);
        line += ' ';
        line += TrigramOf(blue);
    }
    line += ':';
    line += TrigramOf(ordinal);
    return line;
}

Lines ComputeBlueIndicatorTable(const Lines& historyLines)
{
    Lines table;
    table.reserve(historyLines.size());
    const std::size_t count = historyLines.size();
    for (std::size_t i = 0; i < count; ++i)
        table.push_back(ReadHistoryLine(i, historyLines[i], [&] {
            return BlueIndicatorLine(historyLines[i], static_cast<long long>(count - i));
        }));
    return table;
}

} // namespace qv
