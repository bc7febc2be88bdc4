#include "session/AnalysisCommands.h"

#include "analysis/NextIssueReference.h"
#include "analysis/OmissionStatistics.h"
#include "analysis/Prediction.h"
#include "core/Host.h"
#include "history/StoredFile.h"
#include "history/TextFile.h"
#include "session/AppState.h"
#include "session/HistoryCommands.h"
#include "session/KillCommands.h"

namespace qv {

void ShowReferenceSheets(AppState& state, Host& host, const Lines& red, const Lines& blue)
{
    auto& view = state.Analysis.ReferenceView;
    view.RedRows = ReferenceRows(red, kRedReferenceCaptions);
    view.BlueRows = ReferenceRows(blue, kBlueReferenceCaptions);
    host.ViewChanged(ReferenceViews::kRedComponent);
    host.ViewChanged(ReferenceViews::kBlueComponent);
}

void ClearOmissionPanes(AppState& state, Host& host)
{
    auto& view = state.Analysis.OmissionView;
    view.RedOmission.clear();
    view.RedAppearance.clear();
    view.BlueOmission.clear();
    view.BlueAppearance.clear();
    host.ViewChanged(OmissionViews::kRedOmissionComponent);
    host.ViewChanged(OmissionViews::kRedAppearanceComponent);
    host.ViewChanged(OmissionViews::kBlueOmissionComponent);
    host.ViewChanged(OmissionViews::kBlueAppearanceComponent);
}

void ShowComputedPrediction(AppState& state, Host& host, const PredictionLists& lists)
{
    const auto& switches = state.Analysis.PredictionView.Switches;
    auto& prediction = state.Analysis.Prediction;
    if (switches.FiveDrawMean)
        prediction.FiveDrawMeanNumbers = lists.Lists.FiveDrawMeanNumbers;
    if (switches.FifthDraw)
        prediction.FifthDrawNumbers = lists.Lists.FifthDrawNumbers;
    if (switches.RegionEdge)
        prediction.RegionEdgeNumbers = lists.Lists.RegionEdgeNumbers;
    if (switches.KillRed)
        prediction.KillNumbers = lists.Lists.KillNumbers;
    prediction.LongOmissionNumbers = lists.Lists.LongOmissionNumbers;
    state.Analysis.PredictionView.Rows = lists.Rows;
    host.ViewChanged(PredictionViews::kComponent);
}

namespace {

void RunComputedReference(AppState& state, Host& host)
{
    LogStep(host, kReferenceStartLine);
    const Lines redTable = LoadLines(state.File(files::kRedAna));
    const Lines blueTable = LoadLines(state.File(files::kBlueAna));
    const ReferenceSheets sheets = ComputeReferenceSheets(state.RedHistory, redTable, blueTable);
    LogReferenceComputation(host, sheets, state.RedHistory);

    SaveLines(state.File(files::kRedZB), sheets.Red);
    SaveLines(state.File(files::kBlueZB), sheets.Blue);
    state.Analysis.Reference = sheets.Reference;
    ShowReferenceSheets(state, host, sheets.Red, sheets.Blue);
}

void RunStoredReference(AppState& state, Host& host)
{
    const Lines red = LoadStoredLines(state.Paths, files::kRedZB);
    RequireStoredLineCount(files::kRedZB, red, kRedSheetLines);
    const Lines blue = LoadStoredLines(state.Paths, files::kBlueZB);
    RequireStoredLineCount(files::kBlueZB, blue, kBlueSheetLines);
    NextIssueReference reference;
    CheckStoredLines(files::kRedZB, [&]() { reference = ReferenceFromSheets(red, blue); });
    state.Analysis.Reference = std::move(reference);
    ShowReferenceSheets(state, host, red, blue);
}

// The omission statistics.

void Show(Host& host, Lines& pane, const char* component, Lines lines)
{
    pane = std::move(lines);
    host.ViewChanged(component);
}

void SavePane(AppState& state, Host& host, const Lines& pane, const char* proposedName)
{
    if (const auto path = host.ChooseSaveFile(state.TextFileDialog(proposedName)))
        SaveLines(*path, pane);
}

void RunComputedOmission(AppState& state, Host& host)
{
    auto& view = state.Analysis.OmissionView;
    LogStep(host, kOmissionStartLine);
    const std::vector<OmissionDraw> draws = ParseOmissionDraws(state.HistoryLines);

    OmissionReport red = BuildOmissionReport(draws, BallColour::Red);
    Show(host, view.RedOmission, OmissionViews::kRedOmissionComponent, std::move(red.Report));
    SaveLines(state.File(files::kRedYL), view.RedOmission);

    OmissionReport blue = BuildOmissionReport(draws, BallColour::Blue);
    SaveLines(state.File(files::kBlueLM), blue.Histogram.ToLines());
    Show(host, view.BlueOmission, OmissionViews::kBlueOmissionComponent, std::move(blue.Report));
    SaveLines(state.File(files::kBlueYL), view.BlueOmission);

    Show(host, view.BlueAppearance, OmissionViews::kBlueAppearanceComponent,
         BuildAppearanceReport(draws, BallColour::Blue));
    SaveLines(state.File(files::kBlueQK), view.BlueAppearance);

    LogStep(host, kOmissionDoneLine);
    RunPrediction(state, host);
}

Lines LoadStoredOmissionReport(const AppState& state, std::string_view file, BallColour colour)
{
    Lines report = LoadStoredLines(state.Paths, file);
    CheckStoredOmissionReport(file, report, colour);
    return report;
}

Lines LoadStoredAppearanceReport(const AppState& state, std::string_view file, BallColour colour)
{
    Lines report = LoadStoredLines(state.Paths, file);
    CheckStoredAppearanceReport(file, report, colour);
    return report;
}

void RunStoredOmission(AppState& state, Host& host)
{
    auto& view = state.Analysis.OmissionView;
    Show(host, view.RedOmission, OmissionViews::kRedOmissionComponent,
         LoadStoredOmissionReport(state, files::kRedYL, BallColour::Red));
    Show(host, view.RedAppearance, OmissionViews::kRedAppearanceComponent,
         LoadStoredAppearanceReport(state, files::kRedQK, BallColour::Red));
    Show(host, view.BlueOmission, OmissionViews::kBlueOmissionComponent,
         LoadStoredOmissionReport(state, files::kBlueYL, BallColour::Blue));
    Show(host, view.BlueAppearance, OmissionViews::kBlueAppearanceComponent,
         LoadStoredAppearanceReport(state, files::kBlueQK, BallColour::Blue));
}

// The prediction.

void RunComputedPrediction(AppState& state, Host& host)
{
    const Lines& history = state.HistoryLines;
    RequirePredictionInput(history);

    const auto& switches = state.Analysis.PredictionView.Switches;
    auto& appearance = state.Analysis.OmissionView.RedAppearance;
    appearance.clear();
    host.ViewChanged(OmissionViews::kRedAppearanceComponent);

    if (switches.TimeSequence) {
        LogStep(host, kTimeSequenceStartLine);
        Lines report = PredictionAppearanceReport(history, nullptr);
        SaveLines(state.File(files::kRedQK), report);
        appearance = std::move(report);
        host.ViewChanged(OmissionViews::kRedAppearanceComponent);
        LogStep(host, kTimeSequenceDoneLine);
    }

    const PredictionLists lists = ComputePredictionLists(history, switches, host);
    ShowComputedPrediction(state, host, lists);
    SaveLines(state.File(files::kRedNext), lists.Stored);
}

void RunStoredPrediction(AppState& state, Host& host)
{
    // Read and check the stored lists whole first, so a short file leaves the view and
    // the lists the filters use as they were instead of half replaced.
    PredictionLists lists =
        PredictionFromStored(files::kRedNext, LoadStoredLines(state.Paths, files::kRedNext));
    state.Analysis.Prediction = lists.Lists;
    state.Analysis.PredictionView.Rows = std::move(lists.Rows);
    host.ViewChanged(PredictionViews::kComponent);
}

void PredictByFlag(AppState& state, Host& host)
{
    if (state.Flag.IsStale()) {
        state.Analysis.PredictionView.Rows.clear();
        RunComputedPrediction(state, host);
    } else if (state.Flag.IsReady()) {
        RunStoredPrediction(state, host);
    } else {
        // Any other flag value computes and shows nothing; the stored lists stay on disk.
        state.Analysis.PredictionView.Rows.clear();
        host.ViewChanged(PredictionViews::kComponent);
    }
}

} // namespace

void RunNextIssueReference(AppState& state, Host& host)
{
    if (state.Flag.IsStale())
        RunComputedReference(state, host);
    else if (state.Flag.IsReady())
        RunStoredReference(state, host);
    LogStep(host, kReferenceDoneLine);
}

void SaveRedReference(AppState& state, Host& host)
{
    const Lines lines = LoadLines(state.File(files::kRedZB));
    if (const auto path = host.ChooseSaveFile(state.TextFileDialog("红球遗下期指标参考.txt")))
        SaveLines(*path, lines);
}

void SaveBlueReference(AppState& state, Host& host)
{
    const Lines lines = LoadLines(state.File(files::kBlueZB));
    if (const auto path = host.ChooseSaveFile(state.TextFileDialog("蓝球下期指标参考.txt")))
        SaveLines(*path, lines);
}

void RunOmissionStatistics(AppState& state, Host& host)
{
    ClearOmissionPanes(state, host);
    if (state.Flag.IsStale())
        RunComputedOmission(state, host);
    else if (state.Flag.IsReady())
        RunStoredOmission(state, host);
}

void SaveRedOmissionReport(AppState& state, Host& host)
{
    SavePane(state, host, state.Analysis.OmissionView.RedOmission, "红球遗漏数据分析报告.txt");
}

void SaveRedAppearanceReport(AppState& state, Host& host)
{
    SavePane(state, host, state.Analysis.OmissionView.RedAppearance, "红球出号统计报告.txt");
}

void SaveBlueOmissionReport(AppState& state, Host& host)
{
    SavePane(state, host, state.Analysis.OmissionView.BlueOmission, "蓝球遗漏数据分析报告.txt");
}

void SaveBlueAppearanceReport(AppState& state, Host& host)
{
    SavePane(state, host, state.Analysis.OmissionView.BlueAppearance, "蓝球出号统计报告.txt");
}

void ShowRedOmissionPanel(AppState& state, Host& host)
{
    state.Analysis.OmissionView.RedPanelShown = true;
    host.ViewChanged(OmissionViews::kRedPanelLabel);
}

void ShowBlueOmissionPanel(AppState& state, Host& host)
{
    state.Analysis.OmissionView.RedPanelShown = false;
    host.ViewChanged(OmissionViews::kBluePanelLabel);
}

void RunPrediction(AppState& state, Host& host)
{
    LoadHistory(state);
    VerifyRedKillFormulas(state, host);
    VerifyBlueKillFormulas(state, host);
    PredictByFlag(state, host);
}

void RunPredictionOnLoadedHistory(AppState& state, Host& host)
{
    VerifyKillFormulasOn(state, host, state.HistoryLines);
    PredictByFlag(state, host);
}

} // namespace qv
