#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qv::test {

struct CliResult
{
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// Runs the built quorvane-cli with args in workingDir (where "option.ini" lives) and
// collects its output.
CliResult RunCli(const std::vector<std::string>& args, const std::filesystem::path& workingDir);

} // namespace qv::test
