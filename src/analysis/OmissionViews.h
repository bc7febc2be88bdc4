#pragma once

namespace qv {

struct OmissionViews
{
};

} // namespace qv
