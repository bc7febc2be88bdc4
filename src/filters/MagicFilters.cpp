#include "filters/FilterRule.h"

namespace qv {

void AddMagicFilters(std::vector<FilterInfo>& catalogue)
{
    (void)catalogue;
}

} // namespace qv
