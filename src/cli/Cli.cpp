#include "cli/Cli.h"

#include "history/Text.h"

#include <cstdio>

namespace qv::cli {

namespace {

std::map<std::string, Command>& Registry()
{
    static std::map<std::string, Command> commands;
    return commands;
}

} // namespace

bool RegisterCommand(Command command)
{
    auto name = command.Name;
    Registry()[name] = std::move(command);
    return true;
}

const std::map<std::string, Command>& Commands()
{
    return Registry();
}

std::optional<std::string> TakeOption(std::vector<std::string>& args, const std::string& name)
{
    std::optional<std::string> value;
    const std::string flag = "--" + name;
    for (std::size_t i = 0; i < args.size();) {
        if (args[i] == flag) {
            if (i + 1 >= args.size())
                throw UsageError{flag + " needs a value"};
            value = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            continue;
        }
        if (args[i].rfind(flag + "=", 0) == 0) {
            value = args[i].substr(flag.size() + 1);
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
    return value;
}

std::vector<std::string> TakeOptionAll(std::vector<std::string>& args, const std::string& name)
{
    std::vector<std::string> values;
    const std::string flag = "--" + name;
    for (std::size_t i = 0; i < args.size();) {
        if (args[i] == flag) {
            if (i + 1 >= args.size())
                throw UsageError{flag + " needs a value"};
            values.push_back(args[i + 1]);
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            continue;
        }
        if (args[i].rfind(flag + "=", 0) == 0) {
            values.push_back(args[i].substr(flag.size() + 1));
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
    return values;
}

bool TakeFlag(std::vector<std::string>& args, const std::string& name)
{
    bool found = false;
    const std::string flag = "--" + name;
    for (std::size_t i = 0; i < args.size();) {
        if (args[i] == flag) {
            found = true;
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
    return found;
}

void ExpectPositional(const std::vector<std::string>& args, std::size_t count, const std::string& usage)
{
    for (const auto& arg : args)
        if (arg.size() > 2 && arg.rfind("--", 0) == 0)
            throw UsageError{"unknown option " + arg + "; usage: " + usage};
    if (args.size() != count)
        throw UsageError{"usage: " + usage};
}

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (const unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
    return out;
}

std::string JsonNumber(double value)
{
    return FormatReal(value);
}

} // namespace qv::cli
