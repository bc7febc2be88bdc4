#pragma once

#include "session/AppState.h"
#include "core/Host.h"

#include <string>
#include <string_view>

namespace qv {

// Button6Click: loads the history, runs both kill-formula verifications, then the five
// prediction algorithms whose switches are on, and fills ListView2.
void RunPrediction(AppState& state, Host& host);

// The fewest draws the prediction computes from.
inline constexpr std::size_t kPredictionMinimumDraws = 10;

// The single algorithms, on history lines newest first (each throws the usual reports
// for a short or non-numeric line, and an explanation for too few draws).
//
// Positional means of the newest five draws: per position the sum divided by 5 and
// truncated, two digits, in position order.
std::string FiveDrawMeanNumbers(const Lines& historyLines);
// The reds of the fourth-newest draw as written.
std::string FifthDrawNumbers(const Lines& historyLines);
// The numbers on either side of 10, 20 and 30 among the newest two draws' reds and among
// the numbers those draws missed, sorted, repeats kept.
std::string RegionEdgeNumbers(const Lines& historyLines);
// The thirteen kill candidates of the newest draw, sorted, repeats dropped.
std::string KillRedNumbers(std::string_view newestLine);
// The reds missing from all of the newest ten draws, ascending.
std::string LongOmissionNumbers(const Lines& historyLines);

} // namespace qv
