#pragma once

#include "history/Text.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

// The lists the next-issue reference leaves for the filter engine and the pop-ups. Each
// list is two-digit numbers joined by single blanks; empty until produced.
struct NextIssueReference
{
    std::string RepeatNumbers;
    std::string NeighbourNumbers;
    std::string ColdNumbers;
    std::string HotNumbers;
    std::array<double, 6> PositionMeans{};
};

// The lists the next-issue prediction leaves for the filter engine and the pop-ups.
struct NextIssuePrediction
{
    std::string FiveDrawMeanNumbers;
    std::string FifthDrawNumbers;
    std::string RegionEdgeNumbers;
    std::string KillNumbers;
    std::string LongOmissionNumbers;
};

// A row of a list view, one text per column.
using ViewRow = std::vector<std::string>;
using ViewRows = std::vector<ViewRow>;

} // namespace qv

#include "analysis/OmissionViews.h"
#include "analysis/PredictionViews.h"
#include "analysis/ReferenceViews.h"

namespace qv {

struct AnalysisState
{
    NextIssueReference Reference;
    NextIssuePrediction Prediction;
    ReferenceViews ReferenceView;   // next-issue reference: ListView1, TeListView2
    OmissionViews OmissionView;     // omission statistics: Memo4, Memo10, Memo11, Memo12
    PredictionViews PredictionView; // prediction: ListView2 and its switches
};

} // namespace qv
