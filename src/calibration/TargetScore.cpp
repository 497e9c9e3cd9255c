#include "calibration/TargetScore.h"

#include "calibration/GrowthCurveFit.h"
#include "model/Units.h"

namespace {

// Target terms of the run's score; the calibration fit weighs them by 50.
constexpr double kTargetWeight = 10;
constexpr double kObservationDivisor = 10;

}  // namespace

bool HasCalibrationTargets(const CalibrationData& calib) {
  return calib.herdInputs[kHerdTotalFeed] > 0 && calib.herdInputs[kHerdFinalAge] > 0;
}

double ObservationTerm(const GrowthState& growth, const CalibrationData& calib) {
  double sum = 0;
  GrowthCurveFit::ObservationDeviation(growth, calib, sum);
  return sum;
}

double TargetScore(const GrowthState& growth, const CalibrationData& calib, double runFeed) {
  const double feed =
      ConvertWeight(growth, kToInternal, calib.herdInputs[kHerdTotalFeed]) - runFeed;
  const double age = calib.herdInputs[kHerdFinalAge] - growth.finalAge;
  return kTargetWeight * feed * feed + kTargetWeight * age * age +
         ObservationTerm(growth, calib) / kObservationDivisor;
}
