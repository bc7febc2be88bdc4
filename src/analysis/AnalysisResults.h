#pragma once

#include "analysis/NextIssueReference.h"
#include "analysis/OmissionStatistics.h"
#include "analysis/Prediction.h"
#include "core/Host.h"
#include "history/Text.h"
#include "indicators/IndicatorTables.h"
#include "killformulas/KillResult.h"

#include <functional>

namespace qv {

// The points of the analysis chain, in the order it reaches them. Each names the result
// that is complete from then on.
enum class AnalysisStage
{
    Started,            // nothing computed yet
    RedIndicators,      // the red table and its view rows
    BlueIndicatorTable, // the blue table
    BlueIndicators,     // the blue view rows
    IndicatorsDone,     // the indicator part's closing lines written
    Reference,          // both reference sheets and their lists
    ReferenceDone,      // the reference part's closing line written
    RedOmission,        // the red omission report
    BlueOmission,       // the blue omission report and its run histogram
    BlueAppearance,     // the blue appearance report
    RedKill,            // the red kill-formula verification
    BlueKill,           // the blue kill-formula verification
    RedAppearance,      // the red appearance report (only with the time-sequence switch on)
    Prediction,         // the prediction lists
    Complete,           // the whole chain's progress lines written
};

// Everything the analysis chain computes from one history, each part once.
struct AnalysisResults
{
    Lines RedHistory;               // one RedCombo per draw, then one empty line
    Lines RedIndicatorTable;        // "Red/RedAna.txt"
    IndicatorRows RedIndicatorRows; // its view rows (those before a line that cannot be shown)
    Lines BlueIndicatorTable;       // "Blue/BlueAna.txt"
    IndicatorRows BlueIndicatorRows;
    ReferenceSheets Reference; // "Red/RedZB.txt", "Blue/BlueZB.txt" and their lists
    Lines RedOmission;         // "Red/RedYL.txt"
    Lines BlueRunHistogram;    // "Blue/BlueLM.txt"
    Lines BlueOmission;        // "Blue/BlueYL.txt"
    Lines BlueAppearance;      // "Blue/BlueQK.txt"
    KillVerification RedKill;
    KillVerification BlueKill;
    Lines RedAppearance;        // "Red/RedQK.txt" (empty with the time-sequence switch off)
    PredictionLists Prediction; // the lists, "Red/RedNext.txt" and the view rows

    AnalysisStage Reached = AnalysisStage::Started;
};

// Called each time the chain reaches a stage, with the results so far.
using AnalysisStageReached = std::function<void(AnalysisStage, const AnalysisResults&)>;

// The whole chain behind a computing start ("Data=0") in memory, from the history lines
// (newest first): the indicator tables, the next-issue reference, the omission statistics,
// both kill-formula verifications and the prediction. It writes the progress lines of every
// step, in the order the steps run (the prediction's twice: it closes the omission
// statistics and runs again as its own step, with the same results), to log when given,
// and reads or writes no file. A step that fails stops it with that step's report.
AnalysisResults ComputeAnalysis(const Lines& history, const PredictionSwitches& switches, StepLog* log);

// The same, filling results as it goes and calling reached at every stage (a caller that
// stores the results can write each file as soon as it is complete, and keeps what was
// complete when a step fails).
void ComputeAnalysis(AnalysisResults& results, const Lines& history, const PredictionSwitches& switches,
                     StepLog* log, const AnalysisStageReached& reached);

} // namespace qv
