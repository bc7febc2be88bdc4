#pragma once

#include "core/Host.h"
#include "history/Text.h"

namespace qv {

// RedIndicatorTable: one line of 25 blank-separated fields per history line, in the order
// of the history (newest first). Fields 0-7 repeat the draw ("2009149(3)", the six reds,
// the blue), fields 8-24 are its seventeen red indicators:
//   8 AC值  9 个十  10 大小  11 奇偶  12 除3  13 奇数和  14 总和  15 连号  16 连号数
//   17 重号  18 重号数  19 三区比  20 三区和值  21 极距  22 五行  23 螺旋体范围  24 先天八卦
//
// The table is built in seventeen passes over the draws, each framed by its progress lines
// in the information log. Passes up to the repeat numbers read the reds from historyLines,
// the later ones from redHistory (the same reds, one RedCombo per draw). A line the pass
// cannot read stops the computation with the report of that pass: fewer than 8 fields is
// "List index out of bounds (%d)", a red that is not a number "'%s' is not a valid integer
// value"; the log then ends with the last progress line written before that pass.
Lines ComputeRedIndicatorTable(const Lines& historyLines, const Lines& redHistory, StepLog& log);

} // namespace qv
