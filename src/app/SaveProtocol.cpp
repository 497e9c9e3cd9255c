#include "app/SaveProtocol.h"

#include "platform/TextFile.h"

std::string SaveDialogTitle(std::string_view currentPath) {
  std::string title = "CURRENT FILE IS ";
  title += currentPath;
  title += " -  CHOOSE THE LOCATION AND NAME TO CHANGE IT";
  return title;
}

bool ChooseSavePath(Dialogs& dialogs, std::string& currentPath, const SaveRequest& request) {
  if (!request.saveWithoutAsking) {
    // Rejecting the dialog writes to the current name: its button says so.
    const bool named = !currentPath.empty() && currentPath.find('*') == std::string::npos;
    FileRequest file;
    file.title = SaveDialogTitle(currentPath);
    file.folder = request.dataFolder;
    file.filter = request.filter;
    file.defaultExt = request.defaultExt;
    file.fileName = request.offeredName;
    std::string chosen = dialogs.SaveFile(file, named ? kKeepNameCaption : std::string_view{});
    // The dialog hands back the offered name when cancelled; a name that is
    // still a pattern was never chosen either.
    bool cancelled =
        chosen.empty() || chosen == request.offeredName || chosen.find('*') != std::string::npos;
    if (!cancelled) currentPath = chosen;
  }
  return !currentPath.empty() && currentPath.find('*') == std::string::npos;
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
