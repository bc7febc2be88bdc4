#pragma once

#include "history/Text.h"

namespace qv {

struct SelectionState
{
    Lines BetList;                // the groups waiting to be expanded, one per line
    bool BasketReadyFlag = false; // set once the basket was expanded in this run
};

} // namespace qv
