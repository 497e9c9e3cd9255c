#include <gtest/gtest.h>

#include <functional>
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

// The example's three diets, changed by `change` before the run.
GrowthState ExampleRun(const std::function<void(GrowthState&)>& change = {}) {
  GrowthState growth;
  LoadExampleDiets(growth);
  if (change) change(growth);
  RunGrowthDays(growth);
  return growth;
}

TEST(RunGrowthDays, StopsAfterAge198WhenTheFinalWeightIsNeverReached) {
  const GrowthState growth = ExampleRun([](GrowthState& g) { g.finalWeight = 900; });
  EXPECT_FALSE(growth.growthFailed);
  EXPECT_EQ(growth.finalAge, 198);
  EXPECT_EQ(growth.liveWeight[199][kHerdColumn], 0);
  EXPECT_GT(growth.dailyFeed[199][kHerdColumn], 0);  // the day from 198 was computed
}

// A long run on another slot first leaves feed, lipid and diet logs behind.
TEST(RunGrowthDays, ARunDependsOnItsInputsOnly) {
  const GrowthState fresh = ExampleRun();
  GrowthState reused = ExampleRun([](GrowthState& g) { g.finalWeight = 60; });
  for (auto& feed : reused.dailyFeed) feed[1] = 5;  // an earlier summary's male feed
  reused.finalWeight = 25;
  reused.finalAge = 0;
  reused.runSlot = 1;
  RunGrowthDays(reused);
  ASSERT_FALSE(reused.growthFailed);
  EXPECT_EQ(reused.finalAge, fresh.finalAge);
  EXPECT_EQ(reused.cumFeed[1], fresh.cumFeed[0]);
  for (int diet = 0; diet <= kMaxDiets; ++diet) {
    EXPECT_EQ(reused.dietPhaseLog[diet].age, fresh.dietPhaseLog[diet].age) << diet;
    EXPECT_EQ(reused.dietPhaseLog[diet].cumFeed, fresh.dietPhaseLog[diet].cumFeed) << diet;
  }
}

TEST(RunGrowthDays, StartAtTheFinalWeightGrowsNoDay) {
  GrowthState growth;
  LoadExampleDiets(growth);
  growth.liveWeight[kStart][kHerdColumn] = 25;
  growth.finalAge = 50;
  growth.showDailyRows = true;
  Grid results(200, 14);
  RunGrowthDays(growth, &results);
  EXPECT_FALSE(growth.growthFailed);
  EXPECT_EQ(growth.finalAge, kStart);
  EXPECT_EQ(growth.cumFeed[0], 0);
  EXPECT_EQ(results.Text(1, kAgeColumn), "21.0");
  EXPECT_EQ(results.Text(2, kAgeColumn), "");
}

// Runs at the end of the day tables, and diet counts outside the table.
TEST(RunGrowthDays, StaysInsideTheDayAndDietTables) {
  for (int startAge : {199, 200}) {
    const GrowthState growth = ExampleRun([startAge](GrowthState& g) {
      g.startAge = static_cast<std::int16_t>(startAge);
      g.liveWeight[startAge][kHerdColumn] = 10;
    });
    EXPECT_FALSE(growth.growthFailed) << startAge;
    EXPECT_EQ(growth.finalAge, startAge);
  }
  for (int numDiets : {0, -2, 12}) {
    const GrowthState growth = ExampleRun(
        [numDiets](GrowthState& g) { g.dietCount = static_cast<std::int16_t>(numDiets); });
    EXPECT_FALSE(growth.growthFailed) << numDiets;
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

// Each way a run fails; only the runaway weight shows a message. Below B0
// the curve age is 0 and 5 + (0.0452 + 0.0697) / 2 stays below B0 = 6.154.
TEST(GrowthFailure, EveryFailureSetsTheFlag) {
  struct Case {
    const char* what;
    std::function<void(GrowthState&)> change;
    double next;  // 0: a whole run; otherwise one day from 8 kg at age 30
    bool message = false;
    bool feedRecorded = false;  // the day failed after recording its intake
  };
  const std::vector<Case> cases = {
      {"B1 zero", [](GrowthState& p) { p.growthCoef[1] = 0; }, 0},
      {"B2 zero", [](GrowthState& p) { p.growthCoef[2] = 0; }, 0},
      {"B3 negative", [](GrowthState& p) { p.growthCoef[3] = -0.002; }, 0},
      {"start weight 0", [](GrowthState& p) { p.liveWeight[kStart][kHerdColumn] = 0; }, 0},
      {"start below B0", [](GrowthState& p) { p.liveWeight[kStart][kHerdColumn] = 5; }, 0},
      {"start age negative", [](GrowthState& p) { p.startAge = -1; }, 0},
      {"start age past the tables", [](GrowthState& p) { p.startAge = 201; }, 0},
      {"next weight above 1000 kg", [](GrowthState&) {}, 1000.5, true},
      {"next weight below B0", [](GrowthState&) {}, 6.1},
      {"intake below 0.1 kg", [](GrowthState& p) { p.dietNutrients[1][kEnergy] = 1e6; }, 8.4},
      // Lipid above the weight, a high maintenance keeping the intake up.
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
       8.1},
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
    EXPECT_EQ(dialogs.Messages().size(), c.message ? 1u : 0u);
  }
  const GrowthState belowB0 =
      ExampleRun([](GrowthState& g) { g.liveWeight[kStart][kHerdColumn] = 5; });
  EXPECT_EQ(belowB0.curveAge, 0);
  EXPECT_NEAR(belowB0.nextWeight, 5.05748, 1e-5);
}

// 24.6 kg at 24 days, 25.4 at 25: half the last step reaches 25 kg, in kg
// and in lb (9.5 kg = 20.9475 lb; 25 kg = 55.125 lb); a zero step takes the
// whole day. Without daily rows the feed is not shown.
TEST(CloseFinalDay, InterpolatesTheAgeAndScalesTheLastFeed) {
  struct Case {
    int weightUnit;
    double weightBefore;
    const char *age, *feed, *total, *weight;
  };
  const Case cases[] = {
      {0, 24.6, "24.5", ".50", "9.5", "25.0"},
      {1, 24.6, "24.5", "1.103", "20.9", "55.1"},
      {0, 25, "25.0", "", "", "25.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.age);
    GrowthState growth;
    growth.unitCodes[kWeightUnit] = static_cast<std::int16_t>(c.weightUnit);
    growth.startAge = 20;
    growth.finalWeight = 25;
    growth.showDailyRows = *c.feed != '\0';
    growth.liveWeight[24][kHerdColumn] = c.weightBefore;
    growth.liveWeight[25][kHerdColumn] = 2 * 25 - c.weightBefore;
    growth.dailyFeed[25][kHerdColumn] = 1.0;
    growth.cumFeed[0] = 10.0;
    Grid results(200, 14);
    results.SetText(5, kTotFeedColumn, "8.7");  // a rounded total above is not added to
    CloseFinalDay(growth, 25, &results);
    const double share = c.weightBefore == 25 ? 1 : 0.5;
    EXPECT_NEAR(growth.finalAge, 24 + share, 1e-12);
    EXPECT_NEAR(growth.dailyFeed[25][kHerdColumn], share, 1e-12);
    EXPECT_NEAR(growth.cumFeed[0], 9 + share, 1e-12);
    EXPECT_EQ(results.Text(6, kAgeColumn), c.age);
    EXPECT_EQ(results.Text(6, kWeightColumn), c.weight);
    EXPECT_EQ(results.Text(6, kDailyFeedColumn), c.feed);
    EXPECT_EQ(results.Text(6, kTotFeedColumn), c.total);
  }
}

}  // namespace
