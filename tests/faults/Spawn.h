#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace qv::test {

// A child program started without waiting for it, for tests that kill or measure it.
struct SpawnRequest
{
    std::filesystem::path Program; // empty: the built quorvane-cli
    std::vector<std::string> Args;
    std::filesystem::path WorkingDir;                     // where "option.ini" lives
    std::vector<std::pair<std::string, std::string>> Env; // set (empty value: unset)
    std::filesystem::path Out;                            // stdout/stderr; empty: /dev/null
    std::filesystem::path Err;
    long FileSizeLimit = 0; // bytes a file may grow to (0: no limit)
};

// quorvane-cli --app-dir dir args..., started in dir.
SpawnRequest CliRequest(const std::filesystem::path& dir, std::vector<std::string> args);

pid_t Spawn(const SpawnRequest& request);

struct ChildExit
{
    int Code = -1;     // exit status, or -1 when a signal ended it
    int Signal = 0;    // the signal that ended it, or 0
    long MaxRssKb = 0; // peak resident memory
};

ChildExit WaitChild(pid_t pid);

// Spawns, waits and returns the exit together with stdout and stderr.
struct ChildRun
{
    ChildExit Exit;
    std::string Out;
    std::string Err;
};
ChildRun RunChild(SpawnRequest request);

} // namespace qv::test
