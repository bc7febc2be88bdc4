#include "filters/FilterRule.h"

namespace qv {

void AddProbabilityFilters(std::vector<FilterInfo>& catalogue)
{
    (void)catalogue;
}

} // namespace qv
