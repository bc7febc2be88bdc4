#pragma once

#include "history/Text.h"

namespace qv {

struct PurchaseState
{
    Lines PurchaseList;
};

} // namespace qv
