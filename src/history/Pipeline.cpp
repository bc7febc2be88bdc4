#include "history/Pipeline.h"

#include "analysis/NextIssueReference.h"
#include "analysis/OmissionStatistics.h"
#include "analysis/Prediction.h"
#include "session/AppState.h"
#include "core/Host.h"
#include "history/AppPaths.h"
#include "history/HistoryLoad.h"
#include "history/StoredFile.h"
#include "history/TextFile.h"
#include "indicators/IndicatorRefresh.h"

namespace qv {

void RunSpiralStep(AppState& state, Host& host)
{
    LogStep(host, "正在开始螺旋体猜想...");
    // Only a readable file matters here; the view this step served is not offered.
    (void)ReadFileBytes(state.File("red/redana.txt"));
    LogStep(host, "螺旋体猜想运算成功.....OK");
}

namespace {

// checkTables: the reloaded tables must belong to the history (before any step reads the
// history on its own, so that a history edited since is computed and reported).
void RunStartupSteps(AppState& state, Host& host, bool checkTables)
{
    RefreshIndicators(state, host);
    if (checkTables)
        RequireTablesMatchHistory(state);
    RunNextIssueReference(state, host);
    RunOmissionStatistics(state, host);
    RunPrediction(state, host);
    RunSpiralStep(state, host);
}

// "Data=1" only for a complete set: a prediction switch that was off left its list out of
// "Red/RedNext.txt" (or "Red/RedQK.txt" unwritten), which no later reload can read.
void SetFlagAfterComputing(AppState& state)
{
    const PredictionSwitches& on = state.Analysis.PredictionView.Switches;
    const bool complete = on.TimeSequence && on.FiveDrawMean && on.FifthDraw && on.RegionEdge && on.KillRed;
    state.Flag.Set(complete ? ReadyFlag::kReady : ReadyFlag::kStale);
}

} // namespace

void RunStartup(AppState& state, Host& host)
{
    LoadHistory(state);
    if (!state.Flag.IsReady()) {
        RunStartupSteps(state, host, false);
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
        RunStartupSteps(state, host, false);
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
    RefreshIndicators(state, host);
    host.SetProgressPosition(25);
    RunNextIssueReference(state, host);
    host.SetProgressPosition(45);
    RunOmissionStatistics(state, host);
    host.SetProgressPosition(60);
    RunPrediction(state, host);
    host.SetProgressPosition(80);
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
