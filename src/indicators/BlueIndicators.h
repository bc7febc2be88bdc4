#pragma once

#include "history/Text.h"

#include <string>
#include <string_view>

namespace qv {

// BlueIndicatorTable: one line of 7 blank-separated fields per history line, newest first:
//   0 issue(DrawOrdinal)  1 blue  2 奇偶  3 质合  4 大小  5 五行属性  6 trigram ":" trigram of the draw
// e.g. "2009149(3) 07 奇 质 小 火 艮:离". A blue outside 1..16 has neither element nor
// trigram, so its line has two fields fewer. Writes nothing to the log (the refresh frames
// it). A line with fewer than 8 fields stops with "List index out of bounds (%d)", a blue
// that is not a number with "'%s' is not a valid integer value".
Lines ComputeBlueIndicatorTable(const Lines& historyLines);

// The blue line of one history line whose draw has the given ordinal.
std::string BlueIndicatorLine(std::string_view historyLine, long long ordinal);

} // namespace qv
