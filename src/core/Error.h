#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace qv {

// The one failure a command reports. It carries the exact text the user sees in the
// message box (or on stderr): a command stops where it throws, and whatever it had
// already written stays.
class Error : public std::runtime_error
{
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}

    // "Cannot open file "%s". %s": the path, then the system's reason in words.
    static Error CannotOpenFile(std::string_view path, std::string_view reason);
    // Same, with the reason taken from an errno value.
    static Error CannotOpenFileErrno(std::string_view path, int errnum);
    // "List index out of bounds (%d)".
    static Error ListIndexOutOfBounds(long long index);
    // "'%s' is not a valid integer value", with the text exactly as it stood.
    static Error NotAnInteger(std::string_view text);
};

} // namespace qv
