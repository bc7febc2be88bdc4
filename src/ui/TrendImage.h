#pragma once

// The trend image moved to the analysis folder; this name stays for the command-line front
// end until its include follows.
#include "ui/analysis/TrendImage.h"
