#pragma once

#include "core/AppState.h"
#include "core/Host.h"

namespace qv {

// Button6Click: loads the history, runs both kill-formula verifications, then the five
// prediction algorithms whose switches are on, and fills ListView2.
void RunPrediction(AppState& state, Host& host);

} // namespace qv
