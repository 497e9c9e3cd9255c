#pragma once

#include <memory>
#include <string>

#include "BenchDemo.h"
#include "app/App.h"
#include "app/OptimizationRun.h"
#include "calibration/CalibrationData.h"
#include "calibration/GrowthCurveFit.h"
#include "model/DietsTable.h"
#include "model/GrowthState.h"
#include "optimization/DietOptimization.h"
#include "platform/Grid.h"

// The demo location as the benchmarks use it: grown once and ready for the
// diet optimization, or loaded and ready for the calibration fit, both with
// the demo's curve as it shipped before its thorough fit (5.54119, 1.56109,
// 3.86114, .00060, .64984), so the figures compare with earlier ones.

inline constexpr int kDemoDiets = 3;

// The demo grown once, and the optimization window as it opens with its
// default limits, every row ticked.
struct DemoOptimization {
  explicit DemoOptimization(int feedChoice);

  void Run() { RunOptimization(*app, *opt, window); }

  BenchDialogs dialogs{Answer::Yes, true};
  std::unique_ptr<App> app = std::make_unique<App>(dialogs);
  std::unique_ptr<DietOptState> opt = std::make_unique<DietOptState>();
  Grid optimizationTable{kOptTableRows, kOptTableCols};
  std::string location = "Demo";
  std::string target;
  std::string diets = std::to_string(kDemoDiets);
  bool working = false;
  bool viewEnabled = false;
  bool addMinMax = true;
  OptWindowView window{optimizationTable, location, target, diets, working, viewEnabled, addMinMax};
};

// The demo's calibration data and model inputs, as the calibration run
// prepares them, and the "hard farm": the demo with a total feed half as
// much again as its weighings say, so no point fits well and the classic fit
// runs every stage.
struct DemoCalibration {
  DemoCalibration();

  // A fresh copy of the loaded model state and a fit that has not started.
  void Reset() {
    *growth = *loaded;
    *state = GrowthCurveFit::FitState{};
  }

  std::unique_ptr<GrowthState> loaded = std::make_unique<GrowthState>();
  std::unique_ptr<GrowthState> growth = std::make_unique<GrowthState>();
  std::unique_ptr<GrowthCurveFit::FitState> state = std::make_unique<GrowthCurveFit::FitState>();
  CalibrationData calib;
  CalibrationData hard;
  Grid coefficientTable{5, 7};
  Grid dietsTable{kDietsRows, kDietsCols};
  BenchDialogs dialogs;
  GrowthCurveFit::FitContext context{*growth, calib, *state, &coefficientTable, &dialogs};
  GrowthCurveFit::FitContext hardContext{*growth, hard, *state, &coefficientTable, &dialogs};
};
