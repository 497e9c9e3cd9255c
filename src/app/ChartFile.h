// App: where a chart is saved as a picture.
#pragma once

#include <string>
#include <string_view>

#include "platform/Dialogs.h"

// Saving a chart as a picture: what the save dialog asks and what its answer
// means. The picture itself is drawn by the desktop layer.

enum class ChartFormat { Png, Svg };

struct ChartTarget {
  bool chosen = false;  // false: the dialog was cancelled
  std::string path;     // ends in ".png" or ".svg"
  ChartFormat format = ChartFormat::Png;
};

inline constexpr std::string_view kSaveChartProcedure = "SaveChart";

// "Save Chart" starting in the location's folder, PNG or SVG, no name
// offered (a cancelled dialog returns the pattern).
FileRequest ChartSaveRequest(const std::string& folder);

// The picture a chosen name asks for: ".svg" (any case) an SVG drawing, else
// a PNG picture, ".png" added to a name that has neither; a name without a
// folder is taken in the request's folder.
ChartTarget ChartTargetOf(const std::string& answer, const FileRequest& request);

// Asks through `dialogs` where to save; not chosen when cancelled.
ChartTarget ChooseChartTarget(Dialogs& dialogs, const std::string& folder);

// "Error 75 (Path/File access error) in procedure SaveChart".
std::string ChartSaveError();
