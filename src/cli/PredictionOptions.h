#pragma once

#include "session/AppState.h"

#include <string>
#include <vector>

namespace qv::cli {

// Takes every "--off CheckBox1,CheckBox2,..." from args and unticks those prediction
// switches (CheckBox1, CheckBox2, CheckBox5, CheckBox4, CheckBoxsh, spelled as the
// components are named). An unknown or empty name is a UsageError.
void ApplyPredictionOff(std::vector<std::string>& args, AppState& state);

} // namespace qv::cli
