#include "history/Pipeline.h"

#include "analysis/NextIssueReference.h"
#include "analysis/OmissionStatistics.h"
#include "analysis/Prediction.h"
#include "core/AppState.h"
#include "core/Host.h"
#include "history/AppPaths.h"
#include "history/HistoryLoad.h"
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

void RunStartup(AppState& state, Host& host)
{
    LoadHistory(state);
    RefreshIndicators(state, host);
    RunNextIssueReference(state, host);
    RunOmissionStatistics(state, host);
    RunPrediction(state, host);
    RunSpiralStep(state, host);
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
    state.Flag.Set(ReadyFlag::kReady);
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
