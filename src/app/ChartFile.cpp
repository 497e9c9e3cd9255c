#include "app/ChartFile.h"

#include <algorithm>
#include <cctype>

#include "platform/Location.h"
#include "platform/SaveProtocol.h"

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  return std::equal(end.begin(), end.end(), text.end() - end.size(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

}  // namespace

FileRequest ChartSaveRequest(const std::string& folder) {
  return {"Save Chart", folder, "Pictures (*.png *.svg)", ".png", "*.png"};
}

ChartTarget ChartTargetOf(const std::string& answer, const FileRequest& request) {
  ChartTarget target;
  // A cancelled dialog gives back the offered pattern; a name ending in a
  // folder separator names no file.
  if (answer.empty() || answer == request.fileName || FileNameOf(answer).empty()) return target;
  target.chosen = true;
  target.path = ResolveInFolder(request.folder, answer);
  if (EndsWithNoCase(answer, ".svg")) {
    target.format = ChartFormat::Svg;
  } else if (!EndsWithNoCase(answer, ".png")) {
    target.path += ".png";
  }
  return target;
}

ChartTarget ChooseChartTarget(Dialogs& dialogs, const std::string& folder) {
  const FileRequest request = ChartSaveRequest(folder);
  return ChartTargetOf(dialogs.SaveFile(request), request);
}

std::string ChartSaveError() {
  return ErrorText(kErrPathFileAccess, kDescPathFileAccess, kSaveChartProcedure);
}
