#include "core/Error.h"

#include <cstring>

namespace qv {

std::string Error::ShowingNul(const std::string& message)
{
    if (message.find('\0') == std::string::npos)
        return message;
    std::string shown;
    shown.reserve(message.size() + 8);
    for (const char c : message) {
        if (c == '\0')
            shown += "\u2400"; // SYMBOL FOR NULL
        else
            shown += c;
    }
    return shown;
}

Error Error::CannotOpenFile(std::string_view path, std::string_view reason)
{
    std::string text = "Cannot open file \"";
    text += path;
    text += "\". ";
    text += reason;
    return Error(text);
}

Error Error::CannotOpenFileErrno(std::string_view path, int errnum)
{
    std::string reason = std::strerror(errnum);
    if (!reason.empty() && reason.back() != '.')
        reason += '.';
    return CannotOpenFile(path, reason);
}

Error Error::ListIndexOutOfBounds(long long index)
{
    return Error("List index out of bounds (" + std::to_string(index) + ")");
}

Error Error::NotAnInteger(std::string_view text)
{
    std::string message = "'";
    message += text;
    message += "' is not a valid integer value";
    return Error(message);
}

} // namespace qv
