#include "app/ChartFile.h"

#include "platform/Location.h"
#include "platform/SaveProtocol.h"

FileRequest ChartSaveRequest(const std::string& folder) {
  return {"Save Chart", folder, "Pictures (*.png *.svg)", ".png", "*.png"};
}

ChartTarget ChartTargetOf(const std::string& answer, const FileRequest& request) {
  ChartTarget target;
  target.path = ChosenSavePath(answer, request);
  target.chosen = !target.path.empty();
  if (!target.chosen) return target;
  if (HasEnding(answer, ".svg")) {
    target.format = ChartFormat::Svg;
  } else if (!HasEnding(answer, ".png")) {
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
