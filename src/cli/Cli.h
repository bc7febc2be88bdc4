#pragma once

#include "core/RecordingHost.h"
#include "session/AppState.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qv::cli {

// Thrown for a command line that does not fit the command (exit status 2).
struct UsageError
{
    std::string Text;
};

// One invocation of quorvane-cli: one run of the program without windows.
struct Context
{
    AppState State;
    RecordingHost Host;
    bool Json = false;

    // Extra JSON members a command fills, each a complete JSON value text
    // (e.g. Lists["RepeatNumbers"] = "\"01 02\"").
    std::map<std::string, std::string> Lists;
    bool ReportProgress = false;
};

using CommandFunction = std::function<void(Context&, std::vector<std::string>& args)>;

struct Command
{
    std::string Name;
    std::string Usage; // the arguments, for the help text
    CommandFunction Run;
};

// Commands register themselves from their own source file:
//   static const bool registered = qv::cli::RegisterCommand({"name", "ARGS", Run});
bool RegisterCommand(Command command);
const std::map<std::string, Command>& Commands();

// Argument helpers. TakeOption removes "--name VALUE" (or "--name=VALUE") from args and
// returns the value; TakeFlag removes "--name". Both throw UsageError on a missing value.
std::optional<std::string> TakeOption(std::vector<std::string>& args, const std::string& name);
std::vector<std::string> TakeOptionAll(std::vector<std::string>& args, const std::string& name);
bool TakeFlag(std::vector<std::string>& args, const std::string& name);
// Throws UsageError unless args holds exactly count positional arguments.
void ExpectPositional(const std::vector<std::string>& args, std::size_t count, const std::string& usage);

// JSON text helpers for the Lists entries.
std::string JsonString(const std::string& text);
std::string JsonNumber(double value);

} // namespace qv::cli
