#pragma once

// A private app directory for one fuzzing process, in memory where the system offers it so
// that the writes of every run stay cheap; removed when the process ends.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace qv::fuzz {

inline const std::filesystem::path& FuzzAppDir(const char* name)
{
    static const std::filesystem::path dir = [name] {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec) || ::access(base.c_str(), W_OK) != 0)
            base = std::filesystem::temp_directory_path();
        auto path = base / ("quorvane-fuzz-" + std::string(name) + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(path, ec);
        std::filesystem::create_directories(path);
        return path;
    }();
    static const bool cleanup = [] {
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(dir, ec);
        });
        return true;
    }();
    (void)cleanup;
    return dir;
}

} // namespace qv::fuzz
