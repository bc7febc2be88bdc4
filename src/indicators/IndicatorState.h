#pragma once

#include "history/Text.h"

namespace qv {

struct IndicatorState
{
    Lines RedIndicatorTable;
    Lines BlueIndicatorTable;
};

} // namespace qv
