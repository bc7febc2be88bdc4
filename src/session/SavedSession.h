#pragma once

#include "history/SettingsFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

struct AppState;

// The work a player builds in the desktop program, kept from one run to the next: the
// filter switches, parameters and rule boxes, the picked reds and the bet list, the
// chosen blues, the last purchase-list file and the basket. The settings file lies below
// AppDir beside the basket it vouches for, so each app directory (a portable copy, the
// per-user directory of an installed program, --app-dir) keeps its own.
inline constexpr std::string_view kSessionFile = "Data/settings.ini";

// The settings of the state as it stands. The basket enters (its stamp and group count)
// only while it is ready.
SettingValues CaptureSession(const AppState& state);

// What ApplySession restored.
struct SessionRestore
{
    bool BasketReady = false; // the basket file matched its stamp and is loaded
    std::uint64_t BasketLines = 0;
    std::uint64_t BasketGroups = 0;
    std::string BasketProblem; // why a recorded basket was not taken back (Chinese)
};

// Puts the settings over the window defaults (every key is checked before anything
// changes; unknown filter names are skipped). The recorded basket is ready again only
// when "Data/temp.txt" still has its stamp. Nothing, with the reason in Chinese in
// problem, for values of the wrong form; the state is then unchanged.
std::optional<SessionRestore> ApplySession(const SettingValues& values, AppState& state,
                                           std::string& problem);

// The window defaults: filter defaults, no picked reds, an empty bet list, all sixteen
// blues, no purchase-list file. The basket stays as it is.
void ResetSession(AppState& state);

// The settings file: read and applied at start, one log line of what happened (empty
// when there is no file yet; a damaged file is ignored and named in the line), and
// written whole by atomic replacement.
std::string LoadSession(AppState& state);
void SaveSession(const AppState& state);

} // namespace qv
