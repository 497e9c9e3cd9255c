// Command line: `tamsel-cli optimize`.
#pragma once

#include "cli/CliOptions.h"

// `tamsel-cli optimize`: a growth run to the target weight, then "Run
// Optimization", the limits of "Program Add Min Max to Current" (energy and
// protein fixed with --feed-only, the rows of --fix kept at their current
// value) and "Run Opt."; prints the optimum against the start, the costs per
// pig, the value of each single change and the results file written.
// Returns the exit code.
int RunOptimizeCommand(const CliOptions& options);
