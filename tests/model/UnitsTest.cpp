#include <gtest/gtest.h>

#include <string>

#include "model/Units.h"

namespace {

// A value shown in one unit, multiplied by the rescale, is the same
// quantity shown in the other; unknown codes leave it alone.
TEST(Units, DisplayRescaleKeepsTheQuantity) {
  struct Case {
    UnitCodeSet from, to;
    int element;
    double expected;
  };
  const Case cases[] = {
      {{0, 1, 1}, {0, 2, 1}, kWeightUnit, 1000 / 2.205},
      {{4, 0, 1}, {2, 0, 1}, kEnergyUnit, 1 / 4.184},
      {{0, 0, 4}, {0, 0, 0}, kPriceUnit, 0.02205},
      {{0, 7, 1}, {0, 1, 1}, kWeightUnit, 1},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(DisplayRescale(c.from, c.to, c.element), c.expected, 1e-12);
  // Codes no screen offers are named in the note.
  EXPECT_NE(UnitsNoScreenOffers({3, 2, 4}).value_or("").find(
                "(energy in Mcal/lb, weights in Grams, cost per hundredweight)"),
            std::string::npos);
}

}  // namespace
