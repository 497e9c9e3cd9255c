#include <gtest/gtest.h>

#include <memory>

#include "model/Units.h"
#include "optimization/FeedCostObjective.h"
#include "optimization/OptChartData.h"

namespace {

// Two diets: diet 1's feed searched (its row ticked), diet 2's kept.
std::unique_ptr<OptResult> TwoDiets() {
  auto r = std::make_unique<OptResult>();
  r->done = true;
  r->diets = 2;
  r->fixed.fill(1);
  r->fixed[VariableOf(1, kFeedKind)] = 0;
  r->tableValues[1][kFeedKind][kOptCurrent] = 2.4;  // display units
  r->tableValues[2][kFeedKind][kOptCurrent] = 5.5;
  r->startPrice = {0, 600, 420};  // per tonne
  r->dietCost = {0, 650, 400};
  r->feedAmount = {0, 2.25, 5.9};  // kg
  r->phaseFeed = {0, 2.2, 5.8};
  return r;
}

}  // namespace

TEST(OptChartData, StartAgainstOptimumByDiet) {
  GrowthState kg;  // kg, price per tonne
  GrowthState lb;
  SetUnitSwitch(lb, 1);  // lb, price per short ton
  const auto r = TwoDiets();
  const struct {
    const char* what;
    const GrowthState& growth;
    DietBars diet1, diet2;
  } cases[] = {
      // Start 600/t x 2.4 kg; optimum 650/t x 2.25 kg allowed, 2.2 kg eaten
      // (searched); diet 2 kept at 5.9 kg: 400/t x 5.9 kg.
      {"kg", kg, {2.4, 2.2, 1.44, 1.4625}, {5.5, 5.9, 2.31, 2.36}},
      // The same numbers read as pounds and dollars per short ton: 2.4 lb
      // is 1.0884 kg, 600 per short ton is 0.6615 per kg.
      {"lb",
       lb,
       {2.4, 2.2 * 2.205, 0.6615 * 2.4 / 2.205, 0.716625 * 2.25},
       {5.5, 5.9 * 2.205, 0.46305 * 5.5 / 2.205, 0.441 * 5.9}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const OptChartData chart = ReadOptChart(*r, c.growth);
    ASSERT_EQ(chart.diets, 2);
    for (int d = 1; d <= 2; ++d) {
      const DietBars& want = d == 1 ? c.diet1 : c.diet2;
      const DietBars& got = chart.diet[d];
      EXPECT_NEAR(got.startFeed, want.startFeed, 1e-9) << d;
      EXPECT_NEAR(got.optimumFeed, want.optimumFeed, 1e-9) << d;
      EXPECT_NEAR(got.startCost, want.startCost, 1e-9) << d;
      EXPECT_NEAR(got.optimumCost, want.optimumCost, 1e-9) << d;
    }
    EXPECT_EQ(chart.diet[3], DietBars{});
  }
  EXPECT_EQ(FeedBarsTitle(ReadOptChart(*r, lb)), "Feed per pig, lb");
}

TEST(OptChartData, NothingBeforeARunAndNoDietBeyondTheTables) {
  auto r = TwoDiets();
  r->done = false;
  EXPECT_EQ(ReadOptChart(*r, GrowthState{}).diets, 0);
  r->done = true;
  r->diets = 40;
  EXPECT_EQ(ReadOptChart(*r, GrowthState{}).diets, kMaxDiets);
  r->diets = -1;
  EXPECT_EQ(ReadOptChart(*r, GrowthState{}).diets, 0);
}
