#include "cli/CliSession.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

bool CliSession::OpenLocation(const std::string& path) {
  // The application resolves names against its data folder; the user means
  // the folder they are in.
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(path, error);
  dialogs.AnswerOpenFile(error ? path : full.lexically_normal().string());
  app->mainForm.LocationNameClicked();
  if (app->location.loaded) return true;
  std::fprintf(stderr, "tamsel-cli: no location's calibration file at %s\n", path.c_str());
  return false;
}

void CliSession::TypeInputs(const CliOptions& options) {
  MainForm& form = app->mainForm;
  if (options.herdSex) form.herdSex.selected = *options.herdSex;
  if (options.feedChoice) form.feedFormulation.selected = *options.feedChoice;
  if (options.startWeight) form.startWeight.text = *options.startWeight;
  if (options.startAge) form.startAge.text = *options.startAge;
  if (options.finalWeight) form.finalWeight.text = *options.finalWeight;
  if (options.pigs) form.pigCount.text = *options.pigs;
}
