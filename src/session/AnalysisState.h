#pragma once

#include "analysis/NextIssueLists.h"
#include "history/Text.h"
#include "session/OmissionViews.h"
#include "session/PredictionViews.h"
#include "session/ReferenceViews.h"

#include <array>
#include <string>
#include <vector>

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
