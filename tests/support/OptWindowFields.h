#pragma once

#include <string>
#include <utility>

#include "app/OptimizationRun.h"
#include "optimization/DietOptimization.h"
#include "platform/Grid.h"

// The fields of the "Diet Optimization" window a run reads and writes, held
// for a test that drives the optimization without the window.
struct OptWindowFields {
  explicit OptWindowFields(std::string target = "", std::string diets = "3")
      : targetWeight(std::move(target)), dietCountText(std::move(diets)) {}

  Grid optimizationTable{kOptTableRows, kOptTableCols};
  std::string locationName = "Demo";
  std::string targetWeight;
  std::string dietCountText;
  bool workingVisible = false;
  bool viewEnabled = false;
  bool addMinMaxVisible = true;
  OptWindowView window{optimizationTable,
                       locationName,
                       targetWeight,
                       dietCountText,
                       workingVisible,
                       viewEnabled,
                       addMinMaxVisible};
};
