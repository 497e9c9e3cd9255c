#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "model/GrowthExample.h"
#include "model/GrowthState.h"
#include "model/PigGrowth.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"
#include "support/ScriptedDialogs.h"

namespace {

using PigGrowth::CloseFinalDay;
using PigGrowth::GrowOneDay;
using PigGrowth::kAgeColumn;
using PigGrowth::kDailyFeedColumn;
using PigGrowth::kTotFeedColumn;
using PigGrowth::kWeightColumn;
using PigGrowth::RunGrowthDays;

constexpr int kStart = 21;

// The first age whose weight reaches the final weight.
int FinalDay(const GrowthState& growth) {
  int d = growth.startAge;
  while (d < kMaxAge && growth.liveWeight[d][kHerdColumn] < growth.finalWeight) ++d;
  return d;
}

TEST(RunGrowthDays, StopsAfterAge198WhenTheFinalWeightIsNeverReached) {
  GrowthState growth;
  LoadExampleDiets(growth);
  growth.finalWeight = 900;
  RunGrowthDays(growth);
  EXPECT_FALSE(growth.growthFailed);
  EXPECT_EQ(growth.finalAge, 198);
  EXPECT_GT(growth.liveWeight[198][kHerdColumn], 100);
  EXPECT_EQ(growth.liveWeight[199][kHerdColumn], 0);
  EXPECT_GT(growth.dailyFeed[199][kHerdColumn], 0);  // the day from 198 was computed
  EXPECT_EQ(growth.currentDiet, 3);
}

TEST(RunGrowthDays, OneDietNeverMixesAndItsLogFollowsTheFeed) {
  GrowthState growth;
  LoadExampleDiets(growth);
  growth.dietCount = 1;
  growth.dietFeedAmount[1] = 5;
  RunGrowthDays(growth);
  ASSERT_FALSE(growth.growthFailed);
  EXPECT_EQ(growth.currentDiet, 1);
  for (int i = kEnergy; i <= kValine; ++i)
    EXPECT_EQ(growth.daySupply[i], growth.dietNutrients[1][i]);
  // The log holds the feed up to the last whole day; cumFeed then takes only
  // the share of that day needed to reach the final weight.
  const int last = FinalDay(growth);
  const double lastShare = growth.finalAge - (last - 1);
  const double fullLastDay = growth.dailyFeed[last][kHerdColumn] / lastShare;
  EXPECT_NEAR(growth.dietPhaseLog[1].cumFeed,
              growth.cumFeed[0] - growth.dailyFeed[last][kHerdColumn] + fullLastDay,
              1e-9);
  EXPECT_EQ(growth.dietPhaseLog[1].age, last - 1);
}

TEST(RunGrowthDays, AnEmptyFirstAllowanceFeedsTheSecondDietFromTheFirstDay) {
  GrowthState growth;
  LoadExampleDiets(growth);
  growth.dietFeedAmount[1] = 0;
  GrowthState skipped;
  LoadExampleDiets(skipped);
  skipped.dietCount = 2;
  skipped.dietNutrients[1] = growth.dietNutrients[2];
  skipped.dietNutrients[2] = growth.dietNutrients[3];
  skipped.dietFeedAmount[1] = 8;
  skipped.dietFeedAmount[2] = 20;

  RunGrowthDays(growth);
  RunGrowthDays(skipped);
  ASSERT_FALSE(growth.growthFailed);
  ASSERT_FALSE(skipped.growthFailed);
  EXPECT_EQ(growth.dietPhaseLog[1].age, kStart);
  EXPECT_EQ(growth.dietPhaseLog[1].cumFeed, 0);
  for (int i = kEnergy; i <= kValine; ++i) EXPECT_TRUE(std::isfinite(growth.daySupply[i]));
  EXPECT_DOUBLE_EQ(growth.finalAge, skipped.finalAge);
  EXPECT_DOUBLE_EQ(growth.cumFeed[0], skipped.cumFeed[0]);
}

TEST(RunGrowthDays, ARunDependsOnItsInputsOnly) {
  GrowthState fresh;
  LoadExampleDiets(fresh);
  RunGrowthDays(fresh);

  // A long run on another slot first leaves feed, lipid and diet logs behind.
  GrowthState reused;
  LoadExampleDiets(reused);
  reused.finalWeight = 60;
  RunGrowthDays(reused);
  for (auto& feed : reused.dailyFeed) feed[1] = 5;  // an earlier summary's male feed
  reused.finalWeight = 25;
  reused.finalAge = 0;
  reused.runSlot = 1;
  RunGrowthDays(reused);

  ASSERT_FALSE(reused.growthFailed);
  EXPECT_EQ(reused.finalAge, fresh.finalAge);
  EXPECT_EQ(reused.cumFeed[1], fresh.cumFeed[0]);
  for (int diet = 0; diet <= kMaxDiets; ++diet) {
    SCOPED_TRACE(diet);
    EXPECT_EQ(reused.dietPhaseLog[diet].age, fresh.dietPhaseLog[diet].age);
    EXPECT_EQ(reused.dietPhaseLog[diet].cumFeed, fresh.dietPhaseLog[diet].cumFeed);
  }
}

TEST(RunGrowthDays, StartAtOrAboveTheFinalWeightGrowsNoDay) {
  for (double start : {25.0, 26.0}) {
    SCOPED_TRACE(start);
    GrowthState growth;
    LoadExampleDiets(growth);
    growth.liveWeight[kStart][kHerdColumn] = start;
    growth.finalAge = 50;
    growth.showDailyRows = true;
    Grid results(200, 14);
    RunGrowthDays(growth, &results);
    EXPECT_FALSE(growth.growthFailed);
    EXPECT_EQ(growth.finalAge, kStart);
    EXPECT_EQ(growth.cumFeed[0], 0);
    EXPECT_EQ(results.Text(1, kAgeColumn), "21.0");
    EXPECT_EQ(results.Text(1, kWeightColumn), start == 25 ? "25.0" : "26.0");
    EXPECT_EQ(results.Text(2, kAgeColumn), "");
  }
}

TEST(RunGrowthDays, AgesAtTheEndOfTheDayTables) {
  struct Case {
    int startAge;
    double finalAge;
  };
  for (const Case c : {Case{199, 199}, Case{200, 200}}) {
    SCOPED_TRACE(c.startAge);
    GrowthState growth;
    LoadExampleDiets(growth);
    growth.startAge = static_cast<std::int16_t>(c.startAge);
    growth.liveWeight[c.startAge][kHerdColumn] = 10;
    RunGrowthDays(growth);
    EXPECT_FALSE(growth.growthFailed);
    EXPECT_EQ(growth.finalAge, c.finalAge);
  }
}

TEST(RunGrowthDays, DietCountAndCurrentDietStayInsideTheDietTable) {
  for (int numDiets : {0, -2, 12}) {
    SCOPED_TRACE(numDiets);
    GrowthState growth;
    LoadExampleDiets(growth);
    growth.dietCount = static_cast<std::int16_t>(numDiets);
    RunGrowthDays(growth);
    EXPECT_FALSE(growth.growthFailed);
    EXPECT_GE(growth.currentDiet, 1);
    EXPECT_LE(growth.currentDiet, kMaxDiets);
  }
  GrowthState growth;
  LoadExampleDiets(growth);
  growth.liveWeight[30][kHerdColumn] = 8;
  growth.bodyLipid[30] = 0.8;
  growth.currentDiet = 7;
  double next = 8.4;
  GrowOneDay(growth, 0, 30, next);
  EXPECT_EQ(growth.currentDiet, 3);
  EXPECT_EQ(growth.daySupply[kEnergy], 2550);
}

TEST(RunGrowthDays, CurveAgeIsZeroBelowB0) {
  GrowthState growth;
  LoadExampleDiets(growth);
  growth.liveWeight[kStart][kHerdColumn] = 5;
  RunGrowthDays(growth);
  EXPECT_EQ(growth.curveAge, 0);
  // The potential 5 + (0.0452 + 0.0697) / 2 is below B0 = 6.154.
  EXPECT_TRUE(growth.growthFailed);
  EXPECT_NEAR(growth.nextWeight, 5.05748, 1e-5);
}

// Each way a run fails; only the runaway weight shows a message.
TEST(GrowthFailure, EveryFailureSetsTheFlag) {
  struct Case {
    const char* what;
    std::function<void(GrowthState&)> change;
    double next;  // 0: a whole run; otherwise one day from 8 kg at age 30
    bool message;
    bool feedRecorded = false;  // the day failed after recording its intake
  };
  const std::vector<Case> cases = {
      {"B1 zero", [](GrowthState& p) { p.growthCoef[1] = 0; }, 0, false},
      {"B1 negative", [](GrowthState& p) { p.growthCoef[1] = -1.5; }, 0, false},
      {"B2 zero", [](GrowthState& p) { p.growthCoef[2] = 0; }, 0, false},
      {"B2 negative", [](GrowthState& p) { p.growthCoef[2] = -3; }, 0, false},
      {"B3 negative", [](GrowthState& p) { p.growthCoef[3] = -0.002; }, 0, false},
      {"start weight 0", [](GrowthState& p) { p.liveWeight[kStart][kHerdColumn] = 0; }, 0, false},
      {"start weight negative",
       [](GrowthState& p) { p.liveWeight[kStart][kHerdColumn] = -6; },
       0,
       false},
      {"start age negative", [](GrowthState& p) { p.startAge = -1; }, 0, false},
      {"start age past the tables", [](GrowthState& p) { p.startAge = 201; }, 0, false},
      {"next weight above 1000 kg", [](GrowthState&) {}, 1000.5, true},
      {"next weight below B0", [](GrowthState&) {}, 6.1, false},
      {"intake below 0.1 kg",
       [](GrowthState& p) { p.dietNutrients[1][kEnergy] = 1e6; },
       8.4,
       false},
      // Lipid above the weight makes deposition so negative that the growth
      // energy of the final pass is below 1 kcal; a high maintenance keeps
      // the intake up.
      {"growth energy below 1 kcal",
       [](GrowthState& p) {
         p.bodyLipid[30] = -8;
         p.growthCoef[4] = 10;
       },
       8.4,
       false,
       true},
      // Dense energy, protein far short: k = 0.1 and r = 0.7 cut 0.1 kg to 7 g.
      {"limited gain below 10 g",
       [](GrowthState& p) {
         p.dietNutrients[1][kEnergy] = 10000;
         p.dietNutrients[1][kProtein] = 0.1;
       },
       8.1,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GrowthState growth;
    LoadExampleDiets(growth);
    ScriptedDialogs dialogs;
    if (c.next == 0) {
      c.change(growth);
      RunGrowthDays(growth, nullptr, &dialogs);
    } else {
      growth.liveWeight[30][kHerdColumn] = 8;
      growth.bodyLipid[30] = 0.8;
      c.change(growth);
      double next = c.next;
      GrowOneDay(growth, 0, 30, next, nullptr, &dialogs);
    }
    EXPECT_TRUE(growth.growthFailed);
    EXPECT_EQ(growth.dailyFeed[31][kHerdColumn] > 0, c.feedRecorded);
    EXPECT_EQ(dialogs.Messages(),
              c.message ? std::vector<std::string>{"alivewt "} : std::vector<std::string>{});
  }
}

TEST(CloseFinalDay, InterpolatesTheAgeAndScalesTheLastFeed) {
  // 24.6 kg at 24 days, 25.4 at 25: half the last step reaches 25 kg.
  struct Case {
    int weightUnit;
    const char *feed, *total, *weight;
  };
  const Case cases[] = {
      {0, ".50", "9.5", "25.0"},     // kg: 9 kg before the day + 0.5
      {1, "1.103", "20.9", "55.1"},  // lb: 9.5 kg = 20.9475 lb; 25 kg = 55.125 lb
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.weightUnit);
    GrowthState growth;
    growth.unitCodes[kWeightUnit] = static_cast<std::int16_t>(c.weightUnit);
    growth.startAge = 20;
    growth.finalWeight = 25;
    growth.showDailyRows = true;
    growth.liveWeight[24][kHerdColumn] = 24.6;
    growth.liveWeight[25][kHerdColumn] = 25.4;
    growth.dailyFeed[25][kHerdColumn] = 1.0;
    growth.cumFeed[0] = 10.0;
    Grid results(200, 14);
    results.SetText(5, kTotFeedColumn, "8.7");  // a rounded total above is not added to
    CloseFinalDay(growth, 25, &results);
    EXPECT_NEAR(growth.finalAge, 24.5, 1e-12);
    EXPECT_NEAR(growth.dailyFeed[25][kHerdColumn], 0.5, 1e-12);
    EXPECT_NEAR(growth.cumFeed[0], 9.5, 1e-12);
    EXPECT_EQ(results.Text(6, kAgeColumn), "24.5");
    EXPECT_EQ(results.Text(6, kWeightColumn), c.weight);
    EXPECT_EQ(results.Text(6, kDailyFeedColumn), c.feed);
    EXPECT_EQ(results.Text(6, kTotFeedColumn), c.total);
  }
}

TEST(CloseFinalDay, AZeroStepTakesTheWholeDay) {
  GrowthState growth;
  growth.startAge = 20;
  growth.finalWeight = 25;
  growth.liveWeight[24][kHerdColumn] = 25;
  growth.liveWeight[25][kHerdColumn] = 25;
  growth.dailyFeed[25][kHerdColumn] = 1.0;
  growth.cumFeed[0] = 10.0;
  CloseFinalDay(growth, 25);
  EXPECT_EQ(growth.finalAge, 25);
  EXPECT_EQ(growth.dailyFeed[25][kHerdColumn], 1.0);
  EXPECT_EQ(growth.cumFeed[0], 10.0);
}

// The example's three diets end in order, each when its allowance has been
// eaten; the results table gets the weights, and the feed when asked.
TEST(RunGrowthDays, ThreeDietsReachTheFinalWeightAndFillTheTable) {
  for (bool showDaily : {false, true}) {
    SCOPED_TRACE(showDaily);
    GrowthState growth;
    LoadExampleDiets(growth);
    growth.showDailyRows = showDaily;
    growth.liveWeight[kStart + 1][kLeanGainColumn] = -1;
    Grid results(200, 14);
    RunGrowthDays(growth, &results);
    ASSERT_FALSE(growth.growthFailed);
    EXPECT_EQ(growth.currentDiet, 3);
    EXPECT_EQ(growth.lipidEnergy, 6700);
    EXPECT_EQ(growth.leanEnergy, 1231);
    EXPECT_EQ(growth.dietPhaseLog[0].age, kStart);
    EXPECT_EQ(growth.dietPhaseLog[1].cumFeed, 3);
    EXPECT_EQ(growth.dietPhaseLog[2].cumFeed, 11);
    EXPECT_LT(growth.dietPhaseLog[1].age, growth.dietPhaseLog[2].age);
    EXPECT_LT(growth.dietPhaseLog[2].age, growth.finalAge);

    // The final age interpolates the last step linearly to 25 kg.
    const int last = FinalDay(growth);
    const double before = growth.liveWeight[last - 1][kHerdColumn];
    const double after = growth.liveWeight[last][kHerdColumn];
    ASSERT_LT(before, 25);
    ASSERT_GE(after, 25);
    EXPECT_NEAR(growth.finalAge, last - 1 + (25 - before) / (after - before), 1e-12);
    // The total feed is the sum of the days, the last one scaled by that share.
    double total = 0;
    for (int d = kStart + 1; d <= last; ++d) total += growth.dailyFeed[d][kHerdColumn];
    EXPECT_NEAR(growth.cumFeed[0], total, 1e-9);
    EXPECT_GT(growth.dailyFeed[last][kHerdColumn], 0);

    const int lastRow = last - kStart + 1;
    EXPECT_EQ(results.Text(1, kAgeColumn), "21");
    EXPECT_EQ(results.Text(1, kWeightColumn), "6.2");
    EXPECT_EQ(results.Text(1, kDailyFeedColumn), "");
    EXPECT_EQ(results.Text(lastRow - 1, kAgeColumn), std::to_string(last - 1));
    EXPECT_EQ(results.Text(lastRow, kAgeColumn), FormatNumber(growth.finalAge, "###.0"));
    EXPECT_EQ(results.Text(lastRow, kWeightColumn), "25.0");
    EXPECT_EQ(results.Text(lastRow + 1, kAgeColumn), "");
    if (showDaily) {
      // Row 2 holds the feed of the day from 21 to 22 days.
      EXPECT_EQ(results.Text(2, kDailyFeedColumn),
                FormatNumber(growth.dailyFeed[kStart + 1][kHerdColumn], "##.0"));
      EXPECT_EQ(results.Text(2, kTotFeedColumn), results.Text(2, kDailyFeedColumn));
      EXPECT_EQ(results.Text(lastRow, kTotFeedColumn), FormatNumber(growth.cumFeed[0], "##.0"));
      EXPECT_GT(growth.liveWeight[kStart + 1][kLeanGainColumn], 0);
    } else {
      EXPECT_EQ(results.Text(2, kDailyFeedColumn), "");
      EXPECT_EQ(results.Text(lastRow, kTotFeedColumn), "");
      EXPECT_EQ(growth.liveWeight[kStart + 1][kLeanGainColumn], -1);
    }
  }
}

}  // namespace
