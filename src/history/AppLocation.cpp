#include "history/AppLocation.h"

#include "history/AppPaths.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace qv {

namespace {

bool IsWritableDir(const std::filesystem::path& dir)
{
    return ::access(dir.c_str(), W_OK) == 0;
}

} // namespace

std::filesystem::path UserDataDir()
{
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        return std::filesystem::path(xdg) / "quorvane";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".local" / "share" / "quorvane";
    return std::filesystem::temp_directory_path() / "quorvane";
}

void SeedMissingFiles(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::error_code ec;
    std::filesystem::create_directories(to, ec);
    for (auto it = std::filesystem::recursive_directory_iterator(from, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        const auto relative = std::filesystem::relative(it->path(), from, ec);
        if (ec)
            break;
        const auto target = ResolveIgnoringCase(to, relative.generic_string());
        if (it->is_directory()) {
            std::filesystem::create_directories(target, ec);
            ec.clear();
        } else if (!std::filesystem::exists(target)) {
            std::filesystem::create_directories(target.parent_path(), ec);
            std::filesystem::copy_file(it->path(), target, ec);
            ec.clear();
        }
    }
}

AppLocation LocateAppDir(const std::filesystem::path& exeDir,
                         const std::optional<std::filesystem::path>& explicitDir)
{
    if (explicitDir)
        return {std::filesystem::absolute(*explicitDir), "option.ini"};
    const auto installedData = exeDir.parent_path() / "share" / "quorvane";
    const bool portable = std::filesystem::exists(ResolveIgnoringCase(exeDir, files::kHistory));
    if (portable && IsWritableDir(exeDir))
        return {exeDir, "option.ini"};
    if (!portable && !std::filesystem::exists(installedData))
        return {exeDir, "option.ini"};
    const auto userDir = UserDataDir();
    SeedMissingFiles(portable ? exeDir : installedData, userDir);
    return {userDir, userDir / "option.ini"};
}

} // namespace qv
