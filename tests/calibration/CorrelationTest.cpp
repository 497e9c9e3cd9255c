#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "calibration/Correlation.h"
#include "support/ScriptedDialogs.h"

namespace {

using Correlation::CorrelationCoefficient;
using Correlation::PairTable;

PairTable Pairs(const std::vector<double>& x, const std::vector<double>& y) {
  PairTable pairs{};
  for (std::size_t i = 0; i < x.size(); ++i) {
    pairs[i + 1][Correlation::kObserved] = x[i];
    pairs[i + 1][Correlation::kSimulated] = y[i];
  }
  return pairs;
}

// An overflowing or non-numeric value is reported and gives 0.
TEST(CorrelationTest, HandComputedCases) {
  struct Case {
    const char* what;
    std::vector<double> x, y;
    int rows;
    double expected;
    bool reported = false;
  };
  // x = 1..4, y = 2, 4, 5, 4: Sxy = 3.5, Sxx = 5, Syy = 4.75.
  const double handWorked = 3.5 / std::sqrt(5 * 4.75);
  const std::vector<Case> cases{
      {"reversed order", {1, 2, 3, 4}, {4, 3, 2, 1}, 4, -1},
      {"hand worked", {1, 2, 3, 4}, {2, 4, 5, 4}, 4, handWorked},
      {"rows past the count are not read", {1, 2, 3, 4, 100}, {2, 4, 5, 4, -100}, 4, handWorked},
      {"one diet", {7.8}, {8.1}, 1, 0},
      {"no diet", {7.8, 9}, {8.1, 9}, 0, 0},
      {"constant observed column", {0.1, 0.1, 0.1}, {1, 2, 3}, 3, 0},
      {"constant simulated column", {1, 2, 3, 4}, {0.7, 0.7, 0.7, 0.7}, 4, 0},
      // More rows than the pair table holds read only its nine.
      {"a count above nine", {1, 2, 3, 4, 5, 6, 7, 8, 9}, {3, 5, 7, 9, 11, 13, 15, 17, 19}, 12, 1},
      {"squares overflow", {1e300, -1e300, 0}, {1, 2, 3}, 3, 0, true},
      {"infinite value", {1, 2, HUGE_VAL}, {1, 2, 3}, 3, 0, true},
      {"not a number", {1, 2, 3}, {std::nan(""), 2, 3}, 3, 0, true},
      {"constant observed, infinite simulated", {1, 1, 1}, {HUGE_VAL, 2, 3}, 3, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedDialogs dialogs;
    const double r = CorrelationCoefficient(Pairs(c.x, c.y), c.rows, &dialogs);
    EXPECT_NEAR(r, c.expected, 1e-12);
    // Rounding never carries the coefficient past its bounds.
    EXPECT_GE(r, -1.0);
    EXPECT_LE(r, 1.0);
    ASSERT_EQ(dialogs.Messages().size(), c.reported ? 1u : 0u);
    if (c.reported) EXPECT_EQ(dialogs.Messages()[0].rfind(Correlation::kErrorText, 0), 0u);
  }
}

}  // namespace
