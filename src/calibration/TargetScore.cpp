#include "calibration/TargetScore.h"

#include "calibration/SwineCalib.h"
#include "model/Units.h"

namespace {

// Target terms of the run's score; the calibration fit weighs them by 50.
constexpr double kTargetWeight = 10;
constexpr double kObservationDivisor = 10;

}  // namespace

bool HasCalibrationTargets(const CalibrationData& calib) {
  return calib.HerdInputs[kHerdTotalFeed] > 0 && calib.HerdInputs[kHerdFinalAge] > 0;
}

double ObservationTerm(const GrowthState& growth, const CalibrationData& calib) {
  double sum = 0;
  SwineCalib::ObsDeviation(growth, calib, sum);
  return sum;
}

double TargetScore(const GrowthState& growth, const CalibrationData& calib, double runFeed) {
  const double feed =
      ConvertWeight(growth, kToInternal, calib.HerdInputs[kHerdTotalFeed]) - runFeed;
  const double age = calib.HerdInputs[kHerdFinalAge] - growth.finalAge;
  return kTargetWeight * feed * feed + kTargetWeight * age * age +
         ObservationTerm(growth, calib) / kObservationDivisor;
}
