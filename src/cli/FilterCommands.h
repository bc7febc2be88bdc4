#pragma once

#include "cli/Cli.h"

#include <string>
#include <vector>

namespace qv::cli {

// The filter view at its window defaults, then the filter options of args applied.
void PrepareFilterRun(Context& ctx, std::vector<std::string>& args);

// Shows the start labels, runs the start-up run when asked, reads betFile (UTF-8 or GBK)
// as the bet list and expands it into the number basket.
void StartAndExpand(Context& ctx, const std::string& betFile, bool startup);

} // namespace qv::cli
