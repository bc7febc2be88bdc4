#pragma once

#include "history/Text.h"

namespace qv {

struct KillState
{
};

} // namespace qv
