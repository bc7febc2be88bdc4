#pragma once

namespace qv {

struct ReferenceViews
{
};

} // namespace qv
