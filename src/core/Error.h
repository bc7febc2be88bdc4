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
    // A NUL byte of a quoted text (a file full of them, a line the user loaded) would end
    // the message where the user reads it; it is shown as "␀" instead.
    explicit Error(const std::string& message) : std::runtime_error(ShowingNul(message)) {}

    // "Cannot open file "%s". %s": the path, then the system's reason in words.
    static Error CannotOpenFile(std::string_view path, std::string_view reason);
    // Same, with the reason taken from an errno value.
    static Error CannotOpenFileErrno(std::string_view path, int errnum);
    // "List index out of bounds (%d)".
    static Error ListIndexOutOfBounds(long long index);
    // "'%s' is not a valid integer value", with the text exactly as it stood.
    static Error NotAnInteger(std::string_view text);

private:
    static std::string ShowingNul(const std::string& message);
};

} // namespace qv
