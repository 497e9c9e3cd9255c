#include <gtest/gtest.h>

#include <string>

#include "model/Units.h"

namespace {

// A converter and the element of the unit codes it reads.
struct Quantity {
  double (*convert)(const GrowthState&, int, double);
  int element;
};

TEST(Units, ConversionsBothWays) {
  const Quantity weight{ConvertWeight, kWeightUnit};
  const Quantity energy{ConvertEnergy, kEnergyUnit};
  const Quantity price{ConvertPrice, kPriceUnit};
  struct Case {
    const char* what;
    Quantity quantity;
    int code, direction;
    double value, expected;
  };
  const Case cases[] = {
      {"1 kg shown in lb", weight, 1, kToDisplay, 1, 2.205},
      {"2.205 lb to kg", weight, 1, kToInternal, 2.205, 1},
      {"500 g to kg", weight, 2, kToInternal, 500, 0.5},
      {"10 per hundredweight to per kg", price, 4, kToInternal, 10, 0.2205},
      {"0.22 per kg shown per short ton", price, 3, kToDisplay, 0.22, 0.22 / 0.0011025},
      {"1 MJ/kg to kcal/kg", energy, 4, kToInternal, 1, 239.00573613766730},
      {"2205 kcal/kg shown in Mcal/lb", energy, 3, kToDisplay, 2205, 1},
      // A code outside the table has factor 0, and never an infinite result.
      {"weight code 3 towards display", weight, 3, kToDisplay, 5, 0},
      {"energy code -1 towards display", energy, -1, kToDisplay, 2450, 0},
      {"price code 5 towards kg", price, 5, kToInternal, 300, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GrowthState growth;
    growth.unitCodes[c.quantity.element] = static_cast<std::int16_t>(c.code);
    EXPECT_NEAR(c.quantity.convert(growth, c.direction, c.value), c.expected, 1e-9);
  }
}

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
}

TEST(Units, CodesNoScreenOffersAreNamed) {
  EXPECT_EQ(UnitsNoScreenOffers({1, 0, 3}), std::nullopt);  // kcal/lb with kg: the dialog's
  const auto note = UnitsNoScreenOffers({3, 2, 4});
  ASSERT_TRUE(note);
  EXPECT_NE(note->find("(energy in Mcal/lb, weights in Grams, cost per hundredweight)"),
            std::string::npos);
}

}  // namespace
