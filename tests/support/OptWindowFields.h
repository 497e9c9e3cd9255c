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
      : TargetWeight(std::move(target)), TextOptDiet(std::move(diets)) {}

  Grid GridOpt{kOptTableRows, kOptTableCols};
  std::string LocationName = "Demo";
  std::string TargetWeight;
  std::string TextOptDiet;
  bool WorkingVisible = false;
  bool ViewEnabled = false;
  bool AddMinMaxVisible = true;
  OptWindowView window{GridOpt,
                       LocationName,
                       TargetWeight,
                       TextOptDiet,
                       WorkingVisible,
                       ViewEnabled,
                       AddMinMaxVisible};
};
