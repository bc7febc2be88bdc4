// Written by tools/MakeWheelTables.cpp; do not edit.

#include "selection/WheelTables.h"

namespace qv {

std::span<const ShippedWheel> ShippedWheels()
{
    return {};
}

const ShippedWheel* FindShippedWheel(int, int, int)
{
    return nullptr;
}

} // namespace qv
