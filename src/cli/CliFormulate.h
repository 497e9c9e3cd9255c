// Command line: `tamsel-cli formulate`.
#pragma once

#include "cli/CliOptions.h"

// `tamsel-cli formulate`: "Run LP" on a location, and each diet's cost,
// ingredients in per cent and nutrient levels; with --sensitivity each
// diet's sensitivity tables or conflicting restrictions. Returns the exit
// code: 1 when a diet is infeasible.
int RunFormulateCommand(const CliOptions& options);
