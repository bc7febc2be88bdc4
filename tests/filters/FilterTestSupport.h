#pragma once

#include "core/RecordingHost.h"
#include "filters/FilterRun.h"
#include "history/HistoryLoad.h"
#include "session/AppState.h"
#include "session/FilterCommands.h"
#include "support/ErrorOf.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <string>

namespace qv::test {

// A state with the window's filter defaults.
inline AppState DefaultFilterState()
{
    AppState state;
    ResetFilterState(state.Filters);
    return state;
}

// The bundled history's red parts, newest first, and lists of the kind the analyses leave.
inline void SetPlausibleInputs(AppState& state)
{
    state.RedHistory = RedHistoryOf(RealHistoryLines());
    auto& reference = state.Analysis.Reference;
    reference.RepeatNumbers = "01 04 16 22 26 31";
    reference.NeighbourNumbers = "02 03 05 15 17 21 23 25 27 30 32";
    reference.ColdNumbers = "08 11 19 28 29";
    reference.HotNumbers = "06 13 14 22 24 33";
    reference.PositionMeans = {4.9, 10.2, 15.6, 20.1, 25.3, 29.8};
    auto& prediction = state.Analysis.Prediction;
    prediction.FiveDrawMeanNumbers = "05 10 16 21 27 31";
    prediction.FifthDrawNumbers = "03 09 14 22 27 31";
    prediction.RegionEdgeNumbers = "01 11 12 22 23 33";
    prediction.KillNumbers = "07 18 20 32";
    prediction.LongOmissionNumbers = "08 19 28";
}

// One pass's rule of the filter checkBox, prepared on state, applied to line both in the
// mask form and as plain text; the two must agree.
inline bool Removes(const AppState& state, const std::string& checkBox, const std::string& line)
{
    const FilterInfo* info = FindFilter(checkBox);
    if (info == nullptr) {
        ADD_FAILURE() << "no filter " << checkBox;
        return false;
    }
    RecordingHost host;
    FilterContext context = FilterInputsOf(state, host);
    const auto rule = info->Make();
    rule->Prepare(context);
    const bool compact = rule->Removes(MakeBasketLine(line));
    BasketLine text;
    text.Text = line;
    const bool literal = rule->Removes(text);
    EXPECT_EQ(compact, literal) << checkBox << " on " << line << ": mask and text forms differ";
    return compact;
}

} // namespace qv::test
