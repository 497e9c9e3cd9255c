#include "calibration/Correlation.h"

#include <algorithm>
#include <cmath>

#include "platform/Dialogs.h"

namespace Correlation {
namespace {

double Failed(Dialogs* dialogs) {
  if (dialogs) dialogs->Message(std::string(kErrorText) + "\nOverflow", Buttons::OK, kErrorTitle);
  return 0;
}

bool AllEqual(const PairTable& pairs, int rows, int col) {
  for (int i = 2; i <= rows; ++i) {
    if (pairs[i][col] != pairs[1][col]) return false;
  }
  return true;
}

}  // namespace

double CorrelationCoefficient(const PairTable& pairs, int rows, Dialogs* dialogs) {
  const int n = std::min(rows, kPairRows);
  if (n < 1) return 0;
  // Equal values have no spread: the coefficient is 0, found exactly rather
  // than from a difference of sums that rounding leaves a little off zero.
  if (AllEqual(pairs, n, kObserved) || AllEqual(pairs, n, kSimulated)) {
    return std::isfinite(pairs[1][kObserved]) && std::isfinite(pairs[1][kSimulated])
               ? 0
               : Failed(dialogs);
  }
  double sumX = 0;
  double sumY = 0;
  for (int i = 1; i <= n; ++i) {
    sumX += pairs[i][kObserved];
    sumY += pairs[i][kSimulated];
  }
  const double meanX = sumX / n;
  const double meanY = sumY / n;
  // Sums of products of deviations from the means: the same Sxy, Sxx and Syy
  // as the sums of products less n times the product of the means.
  double sxy = 0;
  double sxx = 0;
  double syy = 0;
  for (int i = 1; i <= n; ++i) {
    const double dx = pairs[i][kObserved] - meanX;
    const double dy = pairs[i][kSimulated] - meanY;
    sxy += dx * dy;
    sxx += dx * dx;
    syy += dy * dy;
  }
  const double d = std::sqrt(sxx) * std::sqrt(syy);
  if (!std::isfinite(d) || !std::isfinite(sxy)) return Failed(dialogs);
  if (d == 0) return 0;
  return std::clamp(sxy / d, -1.0, 1.0);
}

}  // namespace Correlation
