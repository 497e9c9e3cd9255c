#pragma once

#include <memory>
#include <string>

#include "BenchDemo.h"
#include "app/App.h"
#include "calibration/CalibrationData.h"
#include "calibration/SwineCalib.h"
#include "model/DietsTable.h"
#include "model/GlobalPig.h"
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
  Grid GridOpt{kOptTableRows, kOptTableCols};
  std::string location = "Demo";
  std::string target;
  std::string diets = std::to_string(kDemoDiets);
  bool working = false;
  bool viewEnabled = false;
  bool addMinMax = true;
  OptWindowView window{GridOpt, location, target, diets, working, viewEnabled, addMinMax};
};

// The demo's calibration data and model inputs, as the calibration run
// prepares them, and the "hard farm": the demo with a total feed half as
// much again as its weighings say, so no point fits well and the classic fit
// runs every stage.
struct DemoCalibration {
  DemoCalibration();

  // A fresh copy of the loaded model state and a fit that has not started.
  void Reset() {
    *pig = *loaded;
    *state = SwineCalib::FitState{};
  }

  std::unique_ptr<GlobalPig> loaded = std::make_unique<GlobalPig>();
  std::unique_ptr<GlobalPig> pig = std::make_unique<GlobalPig>();
  std::unique_ptr<SwineCalib::FitState> state = std::make_unique<SwineCalib::FitState>();
  CalibrationData calib;
  CalibrationData hard;
  Grid GridWeight{5, 7};
  Grid Griddiets{kDietsRows, kDietsCols};
  BenchDialogs dialogs;
  SwineCalib::FitContext context{*pig, calib, *state, &GridWeight, &dialogs};
  SwineCalib::FitContext hardContext{*pig, hard, *state, &GridWeight, &dialogs};
};
