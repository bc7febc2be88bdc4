#pragma once

#include "analysis/NextIssueLists.h"
#include "history/Text.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

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
