#include "platform/Location.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/Grid.h"

bool IsFolderSeparator(char ch) { return ch == '/' || ch == '\\'; }

std::size_t FileNameStart(std::string_view path) {
  std::size_t last = path.find_last_of("/\\");
  return last == std::string_view::npos ? 0 : last + 1;
}

std::string FolderOf(std::string_view path) {
  return std::string(path.substr(0, FileNameStart(path)));
}

std::string FileNameOf(std::string_view path) {
  return std::string(path.substr(FileNameStart(path)));
}

std::string LocationBaseOf(std::string_view path) {
  std::size_t nameStart = FileNameStart(path);
  std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < nameStart) return std::string(path);
  return std::string(path.substr(0, dot));
}

void StripFolder(std::string& path) { path.erase(0, FileNameStart(path)); }

std::string WithSeparator(std::string_view folder) {
  std::string text(folder);
  if (!text.empty() && !IsFolderSeparator(text.back())) text.push_back('/');
  return text;
}

std::string ResolveInFolder(std::string_view folder, std::string_view name) {
  bool absolute = !name.empty() && IsFolderSeparator(name.front());
  bool drive = name.size() >= 2 && name[1] == ':';
  if (absolute || drive || folder.empty()) return std::string(name);
  return WithSeparator(folder) + std::string(name);
}

void SetFileNames(Location& location, const std::string& base, Grid& filesTable) {
  location.locationBase = base;
  location.matrixFile = base + std::string(kMatrixSuffix);
  location.dietsFile = base + std::string(kDietsSuffix);
  location.calibrationFile = base + std::string(kPltSuffix);
  location.observationsFile = base + std::string(kCalSuffix);
  location.temperatureFile = base + std::string(kStgSuffix);
  location.nutRestrictionsFile = base + std::string(kReqNutSuffix);
  location.ingRestrictionsFile = base + std::string(kReqIngSuffix);
  filesTable.SetText(kDietsRow, 0, location.dietsFile);
  filesTable.SetText(kMatrixRow, 0, location.matrixFile);
  filesTable.SetText(kReqNutRow, 0, location.nutRestrictionsFile);
  filesTable.SetText(kReqIngRow, 0, location.ingRestrictionsFile);
  location.ClearSaveWithoutAsking();
}

namespace {

bool Writable(const std::filesystem::path& folder) {
  return !folder.empty() && ::access(folder.c_str(), W_OK) == 0;
}

// Where a desktop user keeps this program's data: $XDG_DATA_HOME/tamsel, or
// ~/.local/share/tamsel; made when missing.
std::filesystem::path UserDataFolder() {
  std::filesystem::path folder;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
    folder = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home)
    folder = std::filesystem::path(home) / ".local" / "share";
  else
    folder = std::filesystem::temp_directory_path();
  folder /= "tamsel";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder;
}

}  // namespace

std::string ProgramFolder() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ProgramFolderFor(ec ? std::string() : exe.parent_path().string());
}

std::string ProgramFolderFor(const std::string& exeFolder) {
  std::filesystem::path folder = exeFolder;
  if (!Writable(folder)) folder = UserDataFolder();
  return WithSeparator(folder.string());
}

std::string LocationFieldText(std::string_view fieldText) {
  const std::string name = FileNameOf(fieldText);
  return name.empty() ? std::string(fieldText) : name;
}
