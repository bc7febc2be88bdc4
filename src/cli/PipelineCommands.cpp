// The start-up run, the recomputes and the analysis buttons, without windows.

#include "cli/PipelineCommands.h"
#include "analysis/NextIssueReference.h"
#include "analysis/OmissionStatistics.h"
#include "analysis/Prediction.h"
#include "cli/Cli.h"
#include "cli/PredictionOptions.h"
#include "session/AnalysisCommands.h"
#include "session/Pipeline.h"

namespace qv::cli {

void AddAnalysisLists(Context& ctx)
{
    const auto& ref = ctx.State.Analysis.Reference;
    const auto& pred = ctx.State.Analysis.Prediction;
    ctx.Lists["RepeatNumbers"] = JsonString(ref.RepeatNumbers);
    ctx.Lists["NeighbourNumbers"] = JsonString(ref.NeighbourNumbers);
    ctx.Lists["ColdNumbers"] = JsonString(ref.ColdNumbers);
    ctx.Lists["HotNumbers"] = JsonString(ref.HotNumbers);
    ctx.Lists["FiveDrawMeanNumbers"] = JsonString(pred.FiveDrawMeanNumbers);
    ctx.Lists["FifthDrawNumbers"] = JsonString(pred.FifthDrawNumbers);
    ctx.Lists["RegionEdgeNumbers"] = JsonString(pred.RegionEdgeNumbers);
    ctx.Lists["KillNumbers"] = JsonString(pred.KillNumbers);
    ctx.Lists["LongOmissionNumbers"] = JsonString(pred.LongOmissionNumbers);
    std::string means = "[";
    for (std::size_t i = 0; i < ref.PositionMeans.size(); ++i) {
        if (i)
            means += ',';
        means += JsonNumber(ref.PositionMeans[i]);
    }
    means += ']';
    ctx.Lists["PositionMeans"] = means;
    ctx.ReportProgress = true;
}

namespace {

// Every command that may run the prediction takes --off first.
void Prepare(Context& ctx, std::vector<std::string>& args, const std::string& usage)
{
    ApplyPredictionOff(args, ctx.State);
    ExpectPositional(args, 0, usage);
}

template <void (*Step)(AppState&, Host&)>
void RunAfterStartup(Context& ctx, std::vector<std::string>& args, const char* usage)
{
    Prepare(ctx, args, usage);
    try {
        RunStartup(ctx.State, ctx.Host);
        Step(ctx.State, ctx.Host);
    } catch (...) {
        AddAnalysisLists(ctx);
        throw;
    }
    AddAnalysisLists(ctx);
}

template <typename Body> void WithLists(Context& ctx, Body body)
{
    try {
        body();
    } catch (...) {
        AddAnalysisLists(ctx);
        throw;
    }
    AddAnalysisLists(ctx);
}

const bool registered = [] {
    RegisterCommand({"startup", "[--off CheckBox1,...]", [](Context& ctx, std::vector<std::string>& args) {
                         Prepare(ctx, args, "startup [--off CheckBox1,...]");
                         WithLists(ctx, [&] { RunStartup(ctx.State, ctx.Host); });
                     }});
    RegisterCommand({"recompute", "[--off CheckBox1,...]", [](Context& ctx, std::vector<std::string>& args) {
                         Prepare(ctx, args, "recompute [--off CheckBox1,...]");
                         WithLists(ctx, [&] { RecomputeAll(ctx.State, ctx.Host); });
                     }});
    RegisterCommand({"refresh", "[--off CheckBox1,...]", [](Context& ctx, std::vector<std::string>& args) {
                         Prepare(ctx, args, "refresh [--off CheckBox1,...]");
                         WithLists(ctx, [&] { RefreshAndReset(ctx.State, ctx.Host); });
                     }});
    RegisterCommand(
        {"analyse-reference", "[--off CheckBox1,...]", [](Context& ctx, std::vector<std::string>& args) {
             RunAfterStartup<RunNextIssueReference>(ctx, args, "analyse-reference [--off CheckBox1,...]");
         }});
    RegisterCommand(
        {"analyse-omission", "[--off CheckBox1,...]", [](Context& ctx, std::vector<std::string>& args) {
             RunAfterStartup<RunOmissionStatistics>(ctx, args, "analyse-omission [--off CheckBox1,...]");
         }});
    RegisterCommand(
        {"analyse-prediction", "[--off CheckBox1,...]", [](Context& ctx, std::vector<std::string>& args) {
             RunAfterStartup<RunPrediction>(ctx, args, "analyse-prediction [--off CheckBox1,...]");
         }});
    return true;
}();

} // namespace
} // namespace qv::cli
