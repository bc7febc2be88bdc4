#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace qv {

// Cuts text at blanks exactly like SplitFields, keeping only the first N fields as views
// (no allocation) and returning how many fields the whole text has.
template <std::size_t N> std::size_t CutFields(std::string_view text, std::array<std::string_view, N>& fields)
{
    std::size_t count = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos)
            end = text.size();
        if (count < N)
            fields[count] = text.substr(start, end - start);
        ++count;
        start = end + 1;
    }
    return count;
}

} // namespace qv
