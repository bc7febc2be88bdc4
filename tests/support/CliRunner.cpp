#include "support/CliRunner.h"

#include "history/TextFile.h"

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace qv::test {

CliResult RunCli(const std::vector<std::string>& args, const std::filesystem::path& workingDir)
{
    static int counter = 0;
    const auto outPath = workingDir / (".cli-out-" + std::to_string(counter));
    const auto errPath = workingDir / (".cli-err-" + std::to_string(counter++));
    CliResult result;
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(workingDir.c_str()) != 0)
            _exit(127);
        if (!freopen(outPath.c_str(), "w", stdout) || !freopen(errPath.c_str(), "w", stderr))
            _exit(127);
        std::vector<char*> argv;
        std::string program = QUORVANE_CLI;
        argv.push_back(program.data());
        std::vector<std::string> copies = args;
        for (auto& arg : copies)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.Out = ReadFileBytes(outPath);
    result.Err = ReadFileBytes(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return result;
}

} // namespace qv::test
