#include "app/SaveProtocol.h"

#include "platform/TextFile.h"

std::string SaveDialogTitle(std::string_view currentPath) {
  std::string title = "CURRENT FILE IS ";
  title += currentPath;
  title += " -  CHOOSE THE LOCATION AND NAME TO CHANGE IT";
  return title;
}

namespace {

bool IsName(const std::string& path) {
  return !path.empty() && path.find('*') == std::string::npos;
}

}  // namespace

bool ChooseSavePath(Dialogs& dialogs, std::string& currentPath, const SaveRequest& request) {
  if (!request.saveWithoutAsking) {
    FileRequest file;
    file.title = SaveDialogTitle(currentPath);
    file.folder = request.dataFolder;
    file.filter = request.filter;
    file.defaultExt = request.defaultExt;
    file.fileName = request.offeredName;
    std::string chosen =
        dialogs.SaveFile(file, IsName(currentPath) ? kKeepNameCaption : std::string_view{});
    // The dialog hands back the offered name when cancelled; a name that is
    // still a pattern was never chosen either.
    bool cancelled =
        chosen.empty() || chosen == request.offeredName || chosen.find('*') != std::string::npos;
    if (!cancelled) currentPath = chosen;
  }
  return IsName(currentPath);
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
  if (TextFile::WriteLines(path, lines).ok) return true;
  dialogs.Message(ErrorText(kErrPathFileAccess, kDescPathFileAccess, procedure));
  return false;
}
