#include <gtest/gtest.h>

#include "model/GrowthState.h"
#include "model/PigGrowth.h"
#include "model/Units.h"

namespace {

using PigGrowth::GrowOneDay;

// A pig of `weight` kg and 10 % body lipid at age `day`, on one diet of
// 2450 kcal/kg, 22 % protein and 5 % of every amino acid (none limits).
void SetUpDay(GrowthState& growth, int day, double weight) {
  growth.dietCount = 1;
  growth.dietNutrients[1][kEnergy] = 2450;
  growth.dietNutrients[1][kProtein] = 22;
  for (int i = kArginine; i <= kValine; ++i) growth.dietNutrients[1][i] = 5;
  growth.dietFeedAmount[1] = 100;
  growth.growthCoef = growth.defaultGrowthCoef;
  growth.startAge = static_cast<std::int16_t>(day);
  growth.liveWeight[day][kHerdColumn] = weight;
  growth.bodyLipid[day] = 0.1 * weight;
}

// Two days worked from the equations by hand (independently of the code):
//   8 kg at 30 days, potential 8.4 kg: pass 1 lipid 0.0568, lean 0.3432,
//   requirement 1674.54 kcal, intake 0.68349 kg, protein requirement 11.057 %,
//   k = 1.26896, r = 1; pass 2 from 8.50758 kg: lipid 0.0677737, lean 0.439811,
//   requirement 1870.32 kcal.
//   15 kg at 50 days, potential 15.8 kg: capacity 2362.14 kcal falls short in
//   both passes, so the intake is 2362.14 / 2450 and the deficit comes out of
//   lipid; pass 1 k = 1.22113; pass 2 lipid 0.0219219 after the deficit.
TEST(GrowOneDay, MatchesAHandWorkedDay) {
  struct Case {
    int day;
    double weight, potential;
    double next, intake, lipidTomorrow;
  };
  const Case cases[] = {
      {30, 8, 8.4, 8.507584809010613, 0.7633977079942588, 0.8677736505190826},
      {50, 15, 15.8, 15.78653224099974, 0.9641387755102042, 1.5219219181241204},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.weight);
    GrowthState growth;
    SetUpDay(growth, c.day, c.weight);
    double next = c.potential;
    GrowOneDay(growth, 0, c.day, next);
    ASSERT_FALSE(growth.growthFailed);
    EXPECT_NEAR(next, c.next, 1e-12);
    EXPECT_NEAR(growth.dayFeedIntake, c.intake, 1e-12);
    EXPECT_NEAR(growth.bodyLipid[c.day + 1], c.lipidTomorrow, 1e-12);
    EXPECT_EQ(growth.dailyFeed[c.day + 1][kHerdColumn], growth.dayFeedIntake);
    EXPECT_EQ(growth.cumFeed[0], growth.dayFeedIntake);
  }
}

// Diet 1 has 3 kg per pig; the day's supply mixes diets 1 and 2 by the share
// of yesterday's intake left in diet 1's allowance.
TEST(GrowOneDay, ChangeDayMixesByTheAllowanceLeft) {
  struct Case {
    const char* what;
    double allowance1, eatenBefore, yesterday;
    double oldShare;
  };
  const Case cases[] = {
      {"half of the day left", 3, 2.8, 0.4, 0.5},
      {"not reached tomorrow: no mix", 3, 2.5, 0.4, 1},
      {"allowance already overrun: all new", 3, 3.2, 0.4, 0},
      {"first day, empty allowance: all new", 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GrowthState growth;
    SetUpDay(growth, 30, 8);
    growth.dietCount = 2;
    growth.dietFeedAmount[1] = c.allowance1;
    growth.dietFeedAmount[2] = 100;
    for (int i = kEnergy; i <= kValine; ++i)
      growth.dietNutrients[2][i] = 2 * growth.dietNutrients[1][i];
    growth.cumFeed[0] = c.eatenBefore;
    growth.dailyFeed[30][kHerdColumn] = c.yesterday;
    double next = 8.4;
    GrowOneDay(growth, 0, 30, next);
    ASSERT_FALSE(growth.growthFailed);
    for (int i = kEnergy; i <= kValine; ++i) {
      const double oldValue = growth.dietNutrients[1][i];
      EXPECT_DOUBLE_EQ(growth.daySupply[i], c.oldShare * oldValue + (1 - c.oldShare) * 2 * oldValue)
          << "nutrient " << i;
    }
  }
}

TEST(GrowOneDay, ZeroEnergyKeepsThePotentialWeightWithoutIntake) {
  GrowthState growth;
  SetUpDay(growth, 30, 8);
  growth.dietNutrients[1][kEnergy] = 0;
  growth.dayFeedIntake = 0.5;
  double next = 8.4;
  GrowOneDay(growth, 0, 30, next);
  EXPECT_FALSE(growth.growthFailed);
  EXPECT_EQ(next, 8.4);
  EXPECT_EQ(growth.dayFeedIntake, 0);
  EXPECT_EQ(growth.cumFeed[0], 0);
  // Tomorrow's lipid follows the potential weight: 0.102 * 8.4 kg.
  EXPECT_NEAR(growth.bodyLipid[31], 0.8568, 1e-12);
}

}  // namespace
