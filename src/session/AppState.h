#pragma once

#include "core/Host.h"
#include "filters/FilterState.h"
#include "history/AppPaths.h"
#include "history/ReadyFlag.h"
#include "history/Text.h"
#include "purchase/PurchaseState.h"
#include "selection/SelectionState.h"
#include "session/AnalysisState.h"
#include "session/IndicatorState.h"
#include "session/KillState.h"

#include <string>

namespace qv {

inline constexpr const char* kProgramTitle = "Quorvane 2010 Ver 1.75";

// Who may write it: only the session commands (src/session/), on the thread that owns the
// Host (the desktop program's user-interface thread, the command line's one thread).
// Everything below the session layer takes the parts it reads as const inputs and returns
// what it computes.
//
// Everything the main window owns for the whole run, without any widget: the lists each
// step replaces whole and the others read in place, the flags, and the data behind the
// views. One object per run of the program; the desktop program and the command-line
// front end each hold one.
struct AppState
{
    AppPaths Paths; // AppDir
    ReadyFlag Flag; // the program's copy of "option.ini"
    // Whether the commands lay out the rows of the list views (the indicator tables, the
    // kill-formula tables). The command line shows none of them and turns this off; the
    // tables, files, counters and logs are the same either way.
    bool BuildsViews = true;

    Lines HistoryLines; // the history file as read, newest first
    Lines RedHistory;   // one RedCombo per draw, then one empty line

    IndicatorState Indicators; // RedIndicatorTable, BlueIndicatorTable and their views
    AnalysisState Analysis;    // NextIssueReference, NextIssuePrediction, the analysis views
    KillState Kill;            // the kill-formula verification tables
    SelectionState Selection;  // BetList, BasketReadyFlag, the 24-code groups
    FilterState Filters;       // the 47 switches, their parameters and counters
    PurchaseState Purchase;    // PurchaseList, the blue picker, the prize check

    // Resolves a path below AppDir as the program spells it.
    std::filesystem::path File(std::string_view relative) const { return Paths.Resolve(relative); }

    // The text-file dialog every open and save starts with: *.txt files, opened in AppDir,
    // with proposedName filled in for a save.
    FileDialogRequest TextFileDialog(std::string proposedName = {}) const
    {
        FileDialogRequest request;
        request.StartFolder = Paths.Dir();
        request.ProposedName = std::move(proposedName);
        return request;
    }
};

} // namespace qv
