#include "faults/Spawn.h"

#include "history/TextFile.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qv::test {

namespace {

void Redirect(const std::filesystem::path& path, int fd)
{
    const int target = path.empty() ? ::open("/dev/null", O_WRONLY)
                                    : ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (target < 0 || ::dup2(target, fd) < 0)
        _exit(126);
    ::close(target);
}

} // namespace

SpawnRequest CliRequest(const std::filesystem::path& dir, std::vector<std::string> args)
{
    args.insert(args.begin(), {"--app-dir", dir.string()});
    SpawnRequest request;
    request.Args = std::move(args);
    request.WorkingDir = dir;
    return request;
}

pid_t Spawn(const SpawnRequest& request)
{
    std::string program = request.Program.empty() ? std::string(QUORVANE_CLI) : request.Program.string();
    std::vector<std::string> args = request.Args;
    std::vector<char*> argv;
    argv.push_back(program.data());
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    // The child: only async-signal-safe work from here on, apart from the environment.
    if (!request.WorkingDir.empty() && ::chdir(request.WorkingDir.c_str()) != 0)
        _exit(127);
    Redirect(request.Out, STDOUT_FILENO);
    Redirect(request.Err, STDERR_FILENO);
    for (const auto& [name, value] : request.Env) {
        if (value.empty())
            ::unsetenv(name.c_str());
        else
            ::setenv(name.c_str(), value.c_str(), 1);
    }
    if (request.FileSizeLimit > 0) {
        // Writes past the limit fail with EFBIG instead of ending the program.
        ::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit
        {
            static_cast<rlim_t>(request.FileSizeLimit), static_cast<rlim_t>(request.FileSizeLimit)
        };
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(126);
    }
    ::execv(program.c_str(), argv.data());
    _exit(127);
}

ChildExit WaitChild(pid_t pid)
{
    int status = 0;
    struct rusage usage
    {
    };
    while (::wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            return {};
    }
    ChildExit exit;
    if (WIFEXITED(status))
        exit.Code = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        exit.Signal = WTERMSIG(status);
    exit.MaxRssKb = usage.ru_maxrss;
    return exit;
}

ChildRun RunChild(SpawnRequest request)
{
    static std::atomic<int> counter{0};
    const auto stem = std::filesystem::temp_directory_path() /
                      ("quorvane-child-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    request.Out = stem.string() + ".out";
    request.Err = stem.string() + ".err";
    ChildRun run;
    run.Exit = WaitChild(Spawn(request));
    std::error_code ec;
    if (std::filesystem::exists(request.Out, ec))
        run.Out = ReadFileBytes(request.Out);
    if (std::filesystem::exists(request.Err, ec))
        run.Err = ReadFileBytes(request.Err);
    std::filesystem::remove(request.Out, ec);
    std::filesystem::remove(request.Err, ec);
    return run;
}

} // namespace qv::test
