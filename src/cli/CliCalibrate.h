// Command line: `tamsel-cli calibrate`.
#pragma once

#include "cli/CliOptions.h"

// `tamsel-cli calibrate`: the "Calibration" command on a location with its
// name kept, "Continue Calibration" on the inputs screen as it opens, and the
// fitted growth curve against the observations. Returns the exit code.
int RunCalibrateCommand(const CliOptions& options);
