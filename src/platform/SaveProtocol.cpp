#include "platform/SaveProtocol.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/Location.h"
#include "platform/TextFile.h"

std::string SaveDialogTitle(std::string_view currentPath) {
  std::string title = "CURRENT FILE IS ";
  title += currentPath;
  title += " -  CHOOSE THE LOCATION AND NAME TO CHANGE IT";
  return title;
}

bool IsPattern(std::string_view path) {
  return path.find('*', FileNameStart(path)) != std::string_view::npos;
}

std::string ChosenSavePath(const std::string& answer, const FileRequest& request) {
  if (answer.empty() || answer == request.fileName || FileNameOf(answer).empty()) return {};
  return ResolveInFolder(request.folder, answer);
}

bool HasEnding(std::string_view path, std::string_view ending) {
  if (path.size() < ending.size()) return false;
  return std::equal(ending.begin(), ending.end(), path.end() - ending.size(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

bool ChooseSavePath(Dialogs& dialogs, std::string& currentPath, const SaveRequest& request) {
  if (!request.saveWithoutAsking) {
    // Rejecting the dialog writes to the current name: its button says so.
    const bool named = !currentPath.empty() && !IsPattern(currentPath);
    FileRequest file;
    file.title = SaveDialogTitle(currentPath);
    file.folder = request.dataFolder;
    file.filter = request.filter;
    file.defaultExt = request.defaultExt;
    file.fileName = request.offeredName;
    std::string chosen = dialogs.SaveFile(file, named ? kKeepNameCaption : std::string_view{});
    // The dialog hands back the offered name when cancelled; a name that is
    // still a pattern was never chosen either.
    bool cancelled = chosen.empty() || chosen == request.offeredName || IsPattern(chosen);
    if (!cancelled) currentPath = chosen;
  }
  return !currentPath.empty() && !IsPattern(currentPath);
}

std::string ErrorText(int number, std::string_view description, std::string_view procedure) {
  std::string text = "Error " + std::to_string(number) + " (";
  text += description;
  text += ") in procedure ";
  text += procedure;
  return text;
}

bool WriteFileOrReport(Dialogs& dialogs,
                       const std::string& path,
                       const std::vector<std::string>& lines,
                       std::string_view procedure) {
  const TextFile::WriteResult written = TextFile::WriteLines(path, lines);
  if (written.ok) return true;
  dialogs.Message(ErrorText(kErrPathFileAccess, kDescPathFileAccess, procedure) + "\n" + path +
                  ": " + written.error);
  return false;
}

std::string ReadProblemText(const std::string& path, const TextFile::ReadResult& result) {
  using TextFile::ReadStatus;
  switch (result.status) {
    case ReadStatus::Ok:
      return {};
    case ReadStatus::Missing:
      return "Cannot find " + path;
    case ReadStatus::Unreadable:
      return "Cannot read " + path + ": " + result.reason;
    case ReadStatus::NotText:
      return path + " is not a text file this program reads";
    case ReadStatus::TooLarge:
      break;
  }
  char size[64];
  std::snprintf(size,
                sizeof size,
                "%.1f MB; a location's files are at most %.0f MB",
                static_cast<double>(result.bytes) / (1 << 20),
                static_cast<double>(TextFile::kMaxBytes) / (1 << 20));
  return path + " is far too large to be a file of a location (" + size + "); it was not read";
}
