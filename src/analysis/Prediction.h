#pragma once

#include "analysis/NextIssueLists.h"
#include "core/Host.h"
#include "history/Text.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct OmissionDraw;

using ViewRow = std::vector<std::string>;
using ViewRows = std::vector<ViewRow>;

// Which prediction algorithms run. All are on at start and never saved. The ten-draw
// omission has no switch and always runs.
struct PredictionSwitches
{
    bool TimeSequence = true; // 时向序列分析 (the red appearance report)
    bool FiveDrawMean = true; // 五期平均值算法
    bool FifthDraw = true;    // 第五期重码
    bool RegionEdge = true;   // 区域边缘算法
    bool KillRed = true;      // 自动杀号器

    // Every algorithm on: only then does a computed set hold every stored list.
    bool All() const { return TimeSequence && FiveDrawMean && FifthDraw && RegionEdge && KillRed; }
};

// What the prediction lists give: the lists (only those whose switch is on are filled,
// the ten-draw omission always), the lines of "Red/RedNext.txt" and the rows of the
// prediction view (caption, numbers).
struct PredictionLists
{
    NextIssuePrediction Lists;
    Lines Stored;
    ViewRows Rows;
};

// The progress lines around the red appearance report of the time-sequence analysis.
inline constexpr const char* kTimeSequenceStartLine = "正在进行时向序列分析.....";
inline constexpr const char* kTimeSequenceDoneLine = "时向序列分析.....OK";

// Every history line the lists read, checked before anything is shown or written: at
// least ten draws, the reds of the newest ten and the kill candidates of the newest.
void RequirePredictionInput(const Lines& historyLines);

// The lists of the algorithms whose switches are on, each framed by its progress lines.
PredictionLists ComputePredictionLists(const Lines& historyLines, const PredictionSwitches& switches,
                                       StepLog& log);

// The progress lines ComputePredictionLists writes for these switches, without computing.
void LogPredictionLists(StepLog& log, const PredictionSwitches& switches);

// The red appearance report of the time-sequence analysis ("Red/RedQK.txt"), from the
// parsed draws when given, else from the history lines.
Lines PredictionAppearanceReport(const Lines& historyLines, const std::vector<OmissionDraw>* draws);

// The stored lists of a reload ("Red/RedNext.txt", five lines of numbers), with the rows
// the view shows for them. A file of another form is a StoredFileError for file.
PredictionLists PredictionFromStored(std::string_view file, const Lines& stored);

// The fewest draws the prediction computes from.
inline constexpr std::size_t kPredictionMinimumDraws = 10;

// The single algorithms, on history lines newest first (each throws the usual reports
// for a short or non-numeric line, and an explanation for too few draws).
//
// Positional means of the newest five draws: per position the sum divided by 5 and
// truncated, two digits, in position order.
std::string FiveDrawMeanNumbers(const Lines& historyLines);
// The reds of the fourth-newest draw as written.
std::string FifthDrawNumbers(const Lines& historyLines);
// The numbers on either side of 10, 20 and 30 among the newest two draws' reds and among
// the numbers those draws missed, sorted, repeats kept.
std::string RegionEdgeNumbers(const Lines& historyLines);
// The thirteen kill candidates of the newest draw, sorted, repeats dropped.
std::string KillRedNumbers(std::string_view newestLine);
// The reds missing from all of the newest ten draws, ascending.
std::string LongOmissionNumbers(const Lines& historyLines);

} // namespace qv
