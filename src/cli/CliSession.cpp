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
