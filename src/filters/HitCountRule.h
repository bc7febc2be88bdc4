#pragma once

#include "filters/FilterRule.h"

#include <string>

namespace qv {

// A rule on the number of items of one list that a line holds (CountHits): the list is
// read when the pass begins, the test decides from the count alone.
class HitCountRule final : public FilterRule
{
public:
    using ListText = std::string (*)(const FilterContext& context);
    using RemovesAt = bool (*)(int hits);

    HitCountRule(ListText list, RemovesAt removes) : m_listText(list), m_removes(removes) {}

    void Prepare(FilterContext& context) override { m_list = HitList(m_listText(context)); }
    bool Removes(const BasketLine& line) override { return m_removes(m_list.Count(line)); }

private:
    ListText m_listText;
    RemovesAt m_removes;
    HitList m_list;
};

} // namespace qv
