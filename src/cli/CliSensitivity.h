// Command line: `tamsel-cli formulate --sensitivity`.
#pragma once

#include "app/App.h"
#include "cli/CliOptions.h"

// `formulate --sensitivity`: after a diet's block, its restrictions and
// ingredients tables, or for an infeasible diet its conflicting
// restrictions, each a block of tab-separated rows.
void PrintSensitivity(App& app, int diet, Precision precision);
