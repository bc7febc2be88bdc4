#include "analysis/AnalysisResults.h"

#include "history/HistoryLoad.h"
#include "indicators/BlueIndicators.h"
#include "indicators/RedIndicators.h"
#include "killformulas/BlueKillFormulas.h"
#include "killformulas/RedKillFormulas.h"

namespace qv {

namespace {

class NoLog : public StepLog
{
public:
    void Log(const std::string&) override {}
};

void LogKills(StepLog& log)
{
    LogStep(log, kRedKillStartLine);
    LogStep(log, kRedKillDoneLine);
    LogStep(log, kBlueKillStartLine);
    LogStep(log, kBlueKillDoneLine);
}

} // namespace

AnalysisResults ComputeAnalysis(const Lines& history, const PredictionSwitches& switches, StepLog* log)
{
    AnalysisResults results;
    ComputeAnalysis(results, history, switches, log, {});
    return results;
}

void ComputeAnalysis(AnalysisResults& r, const Lines& history, const PredictionSwitches& switches,
                     StepLog* log, const AnalysisStageReached& reached)
{
    NoLog none;
    StepLog& out = log ? *log : none;
    const auto reach = [&](AnalysisStage stage) {
        r.Reached = stage;
        if (reached)
            reached(stage, r);
    };
    r.Reached = AnalysisStage::Started;
    r.RedHistory = RedHistoryOf(history);

    // The indicator tables and their views.
    LogIndicatorsStart(out, history.size());
    r.RedIndicatorTable = ComputeRedIndicatorTable(history, r.RedHistory, out);
    LogStep(out, kIndicatorImportLine);
    FillRedIndicatorRows(r.RedIndicatorRows, r.RedIndicatorTable, &history);
    reach(AnalysisStage::RedIndicators);
    LogRedIndicatorsDone(out);
    r.BlueIndicatorTable = ComputeBlueIndicatorTable(history);
    reach(AnalysisStage::BlueIndicatorTable);
    FillBlueIndicatorRows(r.BlueIndicatorRows, r.BlueIndicatorTable, &history);
    reach(AnalysisStage::BlueIndicators);
    LogStep(out, kBlueIndicatorsDoneLine);
    reach(AnalysisStage::IndicatorsDone);

    // The next-issue reference.
    LogStep(out, kReferenceStartLine);
    r.Reference = ComputeReferenceSheets(r.RedHistory, r.RedIndicatorTable, r.BlueIndicatorTable);
    LogReferenceComputation(out, r.Reference, r.RedHistory);
    reach(AnalysisStage::Reference);
    LogStep(out, kReferenceDoneLine);
    reach(AnalysisStage::ReferenceDone);

    // The omission statistics.
    LogStep(out, kOmissionStartLine);
    const std::vector<OmissionDraw> draws = ParseOmissionDraws(history);
    r.RedOmission = BuildOmissionReport(draws, BallColour::Red).Report;
    reach(AnalysisStage::RedOmission);
    OmissionReport blue = BuildOmissionReport(draws, BallColour::Blue);
    r.BlueRunHistogram = blue.Histogram.ToLines();
    r.BlueOmission = std::move(blue.Report);
    reach(AnalysisStage::BlueOmission);
    r.BlueAppearance = BuildAppearanceReport(draws, BallColour::Blue);
    reach(AnalysisStage::BlueAppearance);
    LogStep(out, kOmissionDoneLine);

    // The prediction that closes the statistics: both kill verifications, then the lists.
    LogStep(out, kRedKillStartLine);
    r.RedKill = VerifyRedKillTable(history);
    reach(AnalysisStage::RedKill);
    LogStep(out, kRedKillDoneLine);
    LogStep(out, kBlueKillStartLine);
    r.BlueKill = VerifyBlueKillTable(history);
    reach(AnalysisStage::BlueKill);
    LogStep(out, kBlueKillDoneLine);
    RequirePredictionInput(history);
    if (switches.TimeSequence) {
        LogStep(out, kTimeSequenceStartLine);
        r.RedAppearance = PredictionAppearanceReport(history, &draws);
        reach(AnalysisStage::RedAppearance);
        LogStep(out, kTimeSequenceDoneLine);
    }
    r.Prediction = ComputePredictionLists(history, switches, out);
    reach(AnalysisStage::Prediction);

    // The prediction's own step gives the same results again; only its lines are new.
    LogKills(out);
    if (switches.TimeSequence) {
        LogStep(out, kTimeSequenceStartLine);
        LogStep(out, kTimeSequenceDoneLine);
    }
    LogPredictionLists(out, switches);
    reach(AnalysisStage::Complete);
}

} // namespace qv
