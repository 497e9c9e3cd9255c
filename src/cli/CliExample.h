// Command line: `tamsel-cli example`.
#pragma once

// `tamsel-cli example`: the growth model on a built-in group of pigs and
// three nursery diets, without a location. Returns the exit code.
int RunExampleCommand();
