#pragma once

#include <array>
#include <string>

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

} // namespace qv
