#include "session/Pipeline.h"

#include "analysis/AnalysisResults.h"
#include "core/Host.h"
#include "history/AppPaths.h"
#include "history/StoredFile.h"
#include "history/TextFile.h"
#include "session/AnalysisCommands.h"
#include "session/AppState.h"
#include "session/HistoryCommands.h"
#include "session/IndicatorCommands.h"
#include "session/KillCommands.h"

namespace qv {

void RunSpiralStep(AppState& state, Host& host)
{
    LogStep(host, "正在开始螺旋体猜想...");
    // Only a readable file matters here; the view this step served is not offered.
    RequireReadableFile(state.File("red/redana.txt"));
    LogStep(host, "螺旋体猜想运算成功.....OK");
}

namespace {

using Progress = std::function<void(int)>;

// Takes one stage of the computing chain into the state and the views, and writes the files
// that are complete with it, each once and at the point the steps always wrote it.
void StoreStage(AppState& state, Host& host, AnalysisStage stage, const AnalysisResults& r,
                const Progress& progress)
{
    IndicatorState& indicators = state.Indicators;
    AnalysisState& analysis = state.Analysis;
    switch (stage) {
    case AnalysisStage::Started:
        break;
    case AnalysisStage::RedIndicators:
        indicators.RedIndicatorTable = r.RedIndicatorTable;
        indicators.RedRows = r.RedIndicatorRows;
        host.ViewChanged(kRedIndicatorView);
        SaveLines(state.File(files::kRedAna), r.RedIndicatorTable);
        // The blue table comes next.
        indicators.BlueIndicatorTable.clear();
        indicators.BlueRows.clear();
        host.ViewChanged(kBlueIndicatorView);
        break;
    case AnalysisStage::BlueIndicatorTable:
        indicators.BlueIndicatorTable = r.BlueIndicatorTable;
        SaveLines(state.File(files::kBlueAna), r.BlueIndicatorTable);
        break;
    case AnalysisStage::BlueIndicators:
        indicators.BlueRows = r.BlueIndicatorRows;
        host.ViewChanged(kBlueIndicatorView);
        break;
    case AnalysisStage::IndicatorsDone:
        if (progress)
            progress(25);
        break;
    case AnalysisStage::Reference:
        SaveLines(state.File(files::kRedZB), r.Reference.Red);
        SaveLines(state.File(files::kBlueZB), r.Reference.Blue);
        analysis.Reference = r.Reference.Reference;
        ShowReferenceSheets(state, host, r.Reference.Red, r.Reference.Blue);
        break;
    case AnalysisStage::ReferenceDone:
        if (progress)
            progress(45);
        ClearOmissionPanes(state, host);
        break;
    case AnalysisStage::RedOmission:
        analysis.OmissionView.RedOmission = r.RedOmission;
        host.ViewChanged(OmissionViews::kRedOmissionComponent);
        SaveLines(state.File(files::kRedYL), r.RedOmission);
        break;
    case AnalysisStage::BlueOmission:
        SaveLines(state.File(files::kBlueLM), r.BlueRunHistogram);
        analysis.OmissionView.BlueOmission = r.BlueOmission;
        host.ViewChanged(OmissionViews::kBlueOmissionComponent);
        SaveLines(state.File(files::kBlueYL), r.BlueOmission);
        break;
    case AnalysisStage::BlueAppearance:
        analysis.OmissionView.BlueAppearance = r.BlueAppearance;
        host.ViewChanged(OmissionViews::kBlueAppearanceComponent);
        SaveLines(state.File(files::kBlueQK), r.BlueAppearance);
        // The red kill formulas come next.
        state.Kill.Red.RateLines.clear();
        host.ViewChanged(kRedKillRates);
        break;
    case AnalysisStage::RedKill:
        state.Kill.Red = r.RedKill;
        host.ViewChanged(kRedKillRates);
        host.ViewChanged(kRedKillView);
        state.Kill.Blue.RateLines.clear();
        host.ViewChanged(kBlueKillRates);
        break;
    case AnalysisStage::BlueKill:
        state.Kill.Blue = r.BlueKill;
        host.ViewChanged(kBlueKillRates);
        host.ViewChanged(kBlueKillView);
        // The prediction comes next.
        analysis.PredictionView.Rows.clear();
        analysis.OmissionView.RedAppearance.clear();
        host.ViewChanged(OmissionViews::kRedAppearanceComponent);
        break;
    case AnalysisStage::RedAppearance:
        SaveLines(state.File(files::kRedQK), r.RedAppearance);
        analysis.OmissionView.RedAppearance = r.RedAppearance;
        host.ViewChanged(OmissionViews::kRedAppearanceComponent);
        break;
    case AnalysisStage::Prediction:
        ShowComputedPrediction(state, host, r.Prediction);
        SaveLines(state.File(files::kRedNext), r.Prediction.Stored);
        if (progress)
            progress(60);
        break;
    case AnalysisStage::Complete:
        if (progress)
            progress(80);
        break;
    }
}

// The computing chain on the history the state holds: every result computed once in
// memory, each file written once, the state and the views filled as the steps always did.
// A step that fails keeps what the steps before it stored, and the view rows filled before
// the line that could not be shown.
void RunComputingChain(AppState& state, Host& host, const Progress& progress)
{
    IndicatorState& indicators = state.Indicators;
    indicators.RedRows.clear();
    host.ViewChanged(kRedIndicatorView);
    indicators.RedIndicatorTable.clear();

    AnalysisResults results;
    try {
        ComputeAnalysis(results, state.HistoryLines, state.Analysis.PredictionView.Switches, &host,
                        [&](AnalysisStage stage, const AnalysisResults& r) {
                            StoreStage(state, host, stage, r, progress);
                        });
    } catch (...) {
        if (results.Reached == AnalysisStage::Started) {
            indicators.RedIndicatorTable = results.RedIndicatorTable;
            indicators.RedRows = results.RedIndicatorRows;
            host.ViewChanged(kRedIndicatorView);
        } else if (results.Reached == AnalysisStage::BlueIndicatorTable) {
            indicators.BlueRows = results.BlueIndicatorRows;
            host.ViewChanged(kBlueIndicatorView);
        }
        throw;
    }
}

// The steps one by one on the history the state holds, each after the flag: a reload
// ("Data=1") or a flag of neither value. checkTables: the reloaded tables must belong to
// the history (before any step reads the history, so that a history edited since is
// computed and reported).
void RunStartupSteps(AppState& state, Host& host, bool checkTables)
{
    RefreshIndicatorsOnLoadedHistory(state, host);
    if (checkTables)
        RequireTablesMatchHistory(state);
    RunNextIssueReference(state, host);
    RunOmissionStatistics(state, host);
    RunPredictionOnLoadedHistory(state, host);
    RunSpiralStep(state, host);
}

// "Data=0": the computing chain and the closing step.
void RunComputingSteps(AppState& state, Host& host)
{
    RunComputingChain(state, host, {});
    RunSpiralStep(state, host);
}

// "Data=1" only for a complete set: a prediction switch that was off left its list out of
// "Red/RedNext.txt" (or "Red/RedQK.txt" unwritten), which no later reload can read.
void SetFlagAfterComputing(AppState& state)
{
    const bool complete = state.Analysis.PredictionView.Switches.All();
    state.Flag.Set(complete ? ReadyFlag::kReady : ReadyFlag::kStale);
}

} // namespace

void RunStartup(AppState& state, Host& host)
{
    LoadHistory(state);
    if (!state.Flag.IsReady()) {
        // Any other value than "Data=1" (a flag edited by hand, a damaged file) means the
        // stored files cannot be trusted: compute them, as for "Data=0".
        if (!state.Flag.IsStale())
            state.Flag.Set(ReadyFlag::kStale);
        RunComputingSteps(state, host);
        SetFlagAfterComputing(state);
        return;
    }
    try {
        RunStartupSteps(state, host, true);
    } catch (const StoredFileError& e) {
        std::string line = e.what();
        line += "，改为根据历史数据重新计算全部数据...";
        LogStep(host, line);
        state.Flag.Set(ReadyFlag::kStale);
        RunComputingSteps(state, host);
        SetFlagAfterComputing(state);
        return;
    }
    state.Flag.Set(ReadyFlag::kReady);
}

void RecomputeAll(AppState& state, Host& host, const std::function<void()>& reloadSelector)
{
    host.SetProgressMaximum(100);
    host.SetProgressPosition(0);
    state.Flag.Set(ReadyFlag::kStale);
    LoadHistory(state);
    RunComputingChain(state, host, [&host](int position) { host.SetProgressPosition(position); });
    RunSpiralStep(state, host);
    host.SetProgressPosition(100);
    if (reloadSelector)
        reloadSelector();
    SetFlagAfterComputing(state);
}

void SaveHistoryForRecompute(AppState& state, const Lines& lines)
{
    state.Flag.Set(ReadyFlag::kStale);
    SaveLines(state.File(files::kHistory), lines, Flush::Yes);
}

void RefreshAndReset(AppState& state, Host& host)
{
    host.SetProgressMaximum(100);
    host.SetProgressPosition(0);
    RefreshIndicators(state, host);
    host.SetProgressPosition(25);
    RunOmissionStatistics(state, host);
    host.SetProgressPosition(50);
    RunPrediction(state, host);
    host.SetProgressPosition(75);
    RunNextIssueReference(state, host);
    host.SetProgressPosition(100);
}

} // namespace qv
