#pragma once

#include "cli/Cli.h"

namespace qv::cli {

// Puts the reference and prediction lists and the progress bar into the JSON output.
void AddAnalysisLists(Context& ctx);

} // namespace qv::cli
