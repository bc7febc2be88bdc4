#pragma once

namespace qv {

struct PredictionViews
{
};

} // namespace qv
