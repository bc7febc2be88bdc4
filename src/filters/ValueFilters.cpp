#include "filters/FilterRule.h"

namespace qv {

void AddValueFilters(std::vector<FilterInfo>& catalogue)
{
    (void)catalogue;
}

} // namespace qv
