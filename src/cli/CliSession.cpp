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
  app->mainForm.Text6_Click();
  if (app->location.LocationLoaded) return true;
  std::fprintf(stderr, "tamsel-cli: no location's calibration file at %s\n", path.c_str());
  return false;
}

void CliSession::TypeInputs(const CliOptions& options) {
  AfrmMain& form = app->mainForm;
  if (options.herdSex) form.ComboSex.ListIndex = *options.herdSex;
  if (options.feedChoice) form.Combo1.ListIndex = *options.feedChoice;
  if (options.startWeight) form.Text1.Text = *options.startWeight;
  if (options.startAge) form.Text2.Text = *options.startAge;
  if (options.finalWeight) form.Text3.Text = *options.finalWeight;
  if (options.pigs) form.TextPigNo.Text = *options.pigs;
}
