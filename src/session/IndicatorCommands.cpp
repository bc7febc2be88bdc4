#include "session/IndicatorCommands.h"

#include "core/Host.h"
#include "history/StoredFile.h"
#include "history/TextFile.h"
#include "indicators/BlueIndicators.h"
#include "indicators/IndicatorTables.h"
#include "indicators/RedIndicators.h"
#include "session/AppState.h"
#include "session/HistoryCommands.h"

namespace qv {

namespace {

// Fills the view's rows from the table, or without views only checks that they could be
// filled; the view is told either way, also when a line cannot be shown (the rows before
// it stay).
struct RowsFill
{
    void (*Fill)(IndicatorRows& rows, const Lines& table, const Lines* history);
    void (*Check)(const Lines& table, const Lines* history);
};
constexpr RowsFill kRedRows{FillRedIndicatorRows, CheckRedIndicatorRows};
constexpr RowsFill kBlueRows{FillBlueIndicatorRows, CheckBlueIndicatorRows};

void FillView(const AppState& state, IndicatorRows& rows, const Lines& table, const char* view, Host& host,
              const RowsFill& fill, const Lines* history)
{
    try {
        if (state.BuildsViews)
            fill.Fill(rows, table, history);
        else if (history)
            fill.Check(table, history); // a stored table was checked as it was read
    } catch (...) {
        host.ViewChanged(view);
        throw;
    }
    host.ViewChanged(view);
}

void ClearView(IndicatorRows& rows, const char* view, Host& host)
{
    rows.clear();
    host.ViewChanged(view);
}

void ExportTable(AppState& state, Host& host, std::string_view stored, const char* proposedName)
{
    const Lines lines = LoadLines(state.File(stored));
    const auto chosen = host.ChooseSaveFile(state.TextFileDialog(proposedName));
    if (!chosen)
        return;
    SaveLines(*chosen, lines);
}

} // namespace

void RefreshIndicators(AppState& state, Host& host)
{
    LoadHistory(state);
    RefreshIndicatorsOnLoadedHistory(state, host);
}

void RefreshIndicatorsOnLoadedHistory(AppState& state, Host& host)
{
    IndicatorState& indicators = state.Indicators;
    const bool ready = state.Flag.IsReady();
    const bool stale = state.Flag.IsStale();

    LogIndicatorsStart(host, state.HistoryLines.size());

    // The red table. With a flag that is neither value there is nothing to show, and the
    // stored files are left as they are.
    ClearView(indicators.RedRows, kRedIndicatorView, host);
    indicators.RedIndicatorTable.clear();
    if (ready) {
        Lines table = LoadStoredLines(state.Paths, files::kRedAna);
        CheckStoredRedTable(files::kRedAna, table);
        indicators.RedIndicatorTable = std::move(table);
    } else if (stale) {
        indicators.RedIndicatorTable = ComputeRedIndicatorTable(state.HistoryLines, state.RedHistory, host);
    }
    LogStep(host, kIndicatorImportLine);
    FillView(state, indicators.RedRows, indicators.RedIndicatorTable, kRedIndicatorView, host, kRedRows,
             stale ? &state.HistoryLines : nullptr);
    if (ready || stale)
        SaveLines(state.File(files::kRedAna), indicators.RedIndicatorTable);
    LogRedIndicatorsDone(host);

    // The blue table.
    indicators.BlueIndicatorTable.clear();
    ClearView(indicators.BlueRows, kBlueIndicatorView, host);
    if (ready) {
        Lines table = LoadStoredLines(state.Paths, files::kBlueAna);
        CheckStoredBlueTable(files::kBlueAna, table);
        indicators.BlueIndicatorTable = std::move(table);
    } else if (stale) {
        indicators.BlueIndicatorTable = ComputeBlueIndicatorTable(state.HistoryLines);
    }
    if (ready || stale)
        SaveLines(state.File(files::kBlueAna), indicators.BlueIndicatorTable);
    FillView(state, indicators.BlueRows, indicators.BlueIndicatorTable, kBlueIndicatorView, host, kBlueRows,
             stale ? &state.HistoryLines : nullptr);
    LogStep(host, kBlueIndicatorsDoneLine);
}

void RequireTablesMatchHistory(const AppState& state)
{
    RequireTablesMatchHistory(state.Indicators.RedIndicatorTable, state.Indicators.BlueIndicatorTable,
                              state.HistoryLines);
}

void ExportRedTable(AppState& state, Host& host)
{
    ExportTable(state, host, files::kRedAna, "红球数据.txt");
}

void ExportBlueTable(AppState& state, Host& host)
{
    ExportTable(state, host, files::kBlueAna, "蓝球数据.txt");
}

} // namespace qv
