#pragma once

#include "selection/Wheel.h"

#include <span>

namespace qv {

// Wheels of six-number tickets for every offered guarantee and 7 to 20 chosen reds,
// searched offline with SearchWheel at a far greater effort than a request can wait for
// (tools/MakeWheelTables.cpp writes WheelTables.cpp). Each is checked with VerifyWheel
// before use.
struct ShippedWheel
{
    int V = 0;
    int M = 0;
    int T = 0;
    std::span<const WheelTicket> Tickets;
};

std::span<const ShippedWheel> ShippedWheels();
// The shipped wheel of v chosen reds and 中m保t; nullptr when there is none.
const ShippedWheel* FindShippedWheel(int v, int m, int t);

} // namespace qv
