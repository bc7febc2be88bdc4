#pragma once

// The PNG of a trend grid without any toolkit type, for callers without Qt (the
// command-line front end, when the desktop program is built with it).

#include "analysis/TrendGrid.h"

#include <filesystem>

namespace qv::ui {

// Renders the grid as the trend view draws it and replaces path with the PNG. Works
// without a display: when no Qt application runs, one runs on the offscreen platform for
// the time of the call. Throws qv::Error when the picture cannot be made or written.
void SaveTrendPng(const TrendGrid& grid, bool showOmissions, const std::filesystem::path& path);

} // namespace qv::ui
