#pragma once

#include <exception>
#include <string>
#include <utility>

namespace qv::test {

// The message of the error call throws, or "" when it throws none.
template <typename Call> std::string ErrorOf(Call&& call)
{
    try {
        std::forward<Call>(call)();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

} // namespace qv::test
