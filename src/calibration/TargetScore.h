// Calibration: a growth run scored against the calibration targets.
#pragma once

#include "calibration/CalibrationData.h"
#include "model/GrowthState.h"

// The run scored against the calibration targets: 10 (target feed - run
// feed)^2 + 10 (target final age - final age)^2 + the observation rows'
// squared deviations / 10. Targets are loaded when the total feed and final
// age of the herd inputs are above 0.
bool HasCalibrationTargets(const CalibrationData& calib);
double TargetScore(const GrowthState& growth, const CalibrationData& calib, double runFeed);
// The observation rows' term of the calibration objective (ObservationDeviation).
double ObservationTerm(const GrowthState& growth, const CalibrationData& calib);
