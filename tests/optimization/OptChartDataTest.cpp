#include <gtest/gtest.h>

#include <memory>

#include "model/Units.h"
#include "optimization/FeedCostObjective.h"
#include "optimization/OptChartData.h"

namespace {

// Two diets read as pounds and dollars per short ton: diet 1's feed searched
// (its row ticked), diet 2's kept. Start 600/t x 2.4 lb (1.0884 kg, 0.6615 a
// kg); optimum 650/t x 2.25 allowed, 2.2 eaten; diet 2 kept at 5.9.
TEST(OptChartData, StartAgainstOptimumByDiet) {
  auto r = std::make_unique<OptResult>();
  r->done = true;
  r->diets = 2;
  r->fixed.fill(1);
  r->fixed[VariableOf(1, kFeedKind)] = 0;
  r->tableValues[1][kFeedKind][kOptCurrent] = 2.4;  // display units
  r->tableValues[2][kFeedKind][kOptCurrent] = 5.5;
  r->startPrice = {0, 600, 420};
  r->dietCost = {0, 650, 400};
  r->feedAmount = {0, 2.25, 5.9};  // kg
  r->phaseFeed = {0, 2.2, 5.8};
  GrowthState lb;
  SetUnitSwitch(lb, 1);
  const OptChartData chart = ReadOptChart(*r, lb);
  ASSERT_EQ(chart.diets, 2);
  const DietBars want[] = {{},
                           {2.4, 2.2 * 2.205, 0.6615 * 2.4 / 2.205, 0.716625 * 2.25},
                           {5.5, 5.9 * 2.205, 0.46305 * 5.5 / 2.205, 0.441 * 5.9}};
  for (int d = 1; d <= 2; ++d) {
    EXPECT_NEAR(chart.diet[d].startFeed, want[d].startFeed, 1e-9) << d;
    EXPECT_NEAR(chart.diet[d].optimumFeed, want[d].optimumFeed, 1e-9) << d;
    EXPECT_NEAR(chart.diet[d].startCost, want[d].startCost, 1e-9) << d;
    EXPECT_NEAR(chart.diet[d].optimumCost, want[d].optimumCost, 1e-9) << d;
  }
  EXPECT_EQ(FeedBarsTitle(chart), "Feed per pig, lb");

  // Nothing before a run, and no diet beyond the tables.
  r->diets = 40;
  EXPECT_EQ(ReadOptChart(*r, lb).diets, kMaxDiets);
  r->done = false;
  EXPECT_EQ(ReadOptChart(*r, lb).diets, 0);
}

}  // namespace
