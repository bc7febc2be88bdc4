#include "core/Error.h"

#include <cstring>

namespace qv {

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
