#pragma once

// Whole processes as a user starts them: wall time, CPU time of the process, peak memory.

#include <chrono>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace qv::bench {

struct ProcessCost
{
    double Seconds = 0;
    double CpuSeconds = 0;
    double PeakMB = 0;
    bool Ok = false;
};

// Runs a program to its end with its output thrown away, and measures it.
// The program starts in cwd when one is given (the command line keeps its flag file in
// the folder it starts in).
inline ProcessCost RunProcess(const std::string& program, const std::vector<std::string>& args,
                              const std::string& cwd = {})
{
    std::vector<char*> argv;
    std::string path = program;
    argv.push_back(path.data());
    std::vector<std::string> copies = args;
    for (auto& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // The tables go nowhere: the figures are the run's, not the terminal's.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0)
            _exit(126);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    ProcessCost cost;
    cost.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cost.CpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    cost.PeakMB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    cost.Ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return cost;
}

// A whole quorvane-cli process.
inline ProcessCost RunCli(const std::vector<std::string>& args, const std::string& cwd = {})
{
    return RunProcess(QUORVANE_CLI, args, cwd);
}

} // namespace qv::bench
