// Calibration: WeighingFit, each weighing against the fitted growth run.
#pragma once

#include <array>
#include <string>

#include "calibration/CalibrationData.h"
#include "model/GrowthState.h"

class Grid;

// A fit the user can see: each weighing of the calibration data against the
// growth run with the fitted curve, the weight at the weighing's age and the
// feed eaten from the start to it, observed and simulated.

struct WeighingFit {
  double age = 0;  // days
  double observedWeight = 0;
  double simulatedWeight = 0;
  double observedFeed = 0;  // from the start to the weighing
  double simulatedFeed = 0;
};

// Weighings 1..count are observation rows 2.. while their ages are above 0;
// weights and feeds in display units.
struct WeighingFitTable {
  int count = 0;
  std::array<WeighingFit, kMaxCalibRows + 1> rows{};
};

// The last growth run (from startAge) against the weighings. A weighing after
// the run stopped meets the run's last weight, as the fit's objective does.
WeighingFitTable CompareWeighings(const GrowthState& growth, const CalibrationData& calib);

// The table as the calibration window shows it: one row per weighing (age,
// observed and simulated weight and their difference, observed and simulated
// feed from the start and their difference); `unit` is the weight unit's name.
inline constexpr int kWeighingColumns = 7;
void FillWeighingGrid(Grid& grid,
                      const WeighingFitTable& table,
                      const std::string& unit,
                      bool comma);
