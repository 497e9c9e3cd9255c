// Command line: `tamsel-cli grow`.
#pragma once

#include "cli/CliOptions.h"

// `tamsel-cli grow`: the "Growth" command on a location, with the inputs
// the options set, and its daily rows, per-diet summary and result fields.
// Returns the exit code.
int RunGrowCommand(const CliOptions& options);
