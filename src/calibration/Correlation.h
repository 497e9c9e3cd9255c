// Calibration: Correlation, observed against simulated values.
#pragma once

#include <array>

class Dialogs;

// Pearson's correlation of observed against simulated values at the end of
// each diet: how well a calibrated growth curve follows the farm's weighings.
namespace Correlation {

inline constexpr int kPairRows = 9;  // pairs 1..9
inline constexpr int kObserved = 1;  // column of the observed value
inline constexpr int kSimulated = 2;

// Row 0 and column 0 are not used.
using PairTable = std::array<std::array<double, 3>, kPairRows + 1>;

inline constexpr const char* kErrorTitle = "Attention!";
inline constexpr const char* kErrorText = "Error in module CorrelationCoefficient!";

// The correlation coefficient of columns 1 and 2 over rows 1..rows (the
// diets in use; more than 9 rows count as 9). No pair, one pair, or a column
// whose values are all equal gives 0. A value that overflows or is not a
// number gives 0 after kErrorText (title kErrorTitle) when `dialogs` is given.
double CorrelationCoefficient(const PairTable& pairs, int rows, Dialogs* dialogs = nullptr);

}  // namespace Correlation
