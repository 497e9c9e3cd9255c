// Command line: `tamsel-cli formulate`.
#pragma once

#include "cli/CliOptions.h"

// `tamsel-cli formulate`: "Run LP" on a location, and each diet's cost,
// ingredients in per cent and nutrient levels. Returns the exit code.
int RunFormulateCommand(const CliOptions& options);
