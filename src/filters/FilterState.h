#pragma once

#include "history/Text.h"

namespace qv {

struct FilterState
{
    bool SelectAllState = false;
};

} // namespace qv
