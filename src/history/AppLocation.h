#pragma once

#include <filesystem>
#include <optional>

namespace qv {

// Where a run keeps its files.
struct AppLocation
{
    std::filesystem::path AppDir;    // everything below it: history, analysis files, basket
    std::filesystem::path OptionIni; // the ready flag
};

// Finds the app directory for a program started from exeDir.
// - an explicit directory (--app-dir) is used as it is;
// - a portable program directory (writable, holding data/data.txt) is its own app
//   directory, with "option.ini" in the working directory as the program has always kept it;
// - an installed program (exeDir not writable, read-only data in ../share/quorvane) works
//   in a per-user directory, $XDG_DATA_HOME/quorvane or ~/.local/share/quorvane, seeded on
//   first start from the installed data without overwriting anything already there, and
//   keeps "option.ini" there too.
AppLocation LocateAppDir(const std::filesystem::path& exeDir,
                         const std::optional<std::filesystem::path>& explicitDir = std::nullopt);

// The per-user data directory of an installed program.
std::filesystem::path UserDataDir();

// Copies every file below from into to that is missing there (folders created as needed).
void SeedMissingFiles(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace qv
