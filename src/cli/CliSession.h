// Command line: one App for one command.
#pragma once

#include <memory>
#include <string>

#include "app/App.h"
#include "cli/CliDialogs.h"
#include "cli/CliOptions.h"

// One application for one command: its dialogs and its App, with the
// location opened as the "Calibration Name" field opens it.
struct CliSession {
  CliDialogs dialogs;
  std::unique_ptr<App> app = std::make_unique<App>(dialogs);  // large: kept off the stack

  // Chooses `path` (relative to the current folder) in the field's file
  // dialog. False, with the reason on standard error, when no location was
  // loaded.
  bool OpenLocation(const std::string& path);
  // The main window's inputs the options set, as a user types them.
  void TypeInputs(const CliOptions& options);
};
