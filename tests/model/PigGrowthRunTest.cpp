#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "model/GlobalPig.h"
#include "model/GrowthExample.h"
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
int FinalDay(const GlobalPig& pig) {
  int d = pig.StartAge;
  while (d < kMaxAge && pig.LiveWeight[d][kHerdColumn] < pig.FinalWeight) ++d;
  return d;
}

TEST(RunGrowthDays, ThreeDietsReachTheFinalWeightInOrder) {
  GlobalPig pig;
  LoadExampleDiets(pig);
  RunGrowthDays(pig);
  ASSERT_FALSE(pig.GrowthFailed);
  EXPECT_EQ(pig.CurrentDiet, 3);
  EXPECT_EQ(pig.LipidEnergy, 6700);
  EXPECT_EQ(pig.LeanEnergy, 1231);

  // The diets end in order, each when its allowance has been eaten.
  EXPECT_EQ(pig.DietPhaseLog[0].age, kStart);
  EXPECT_EQ(pig.DietPhaseLog[1].cumFeed, 3);
  EXPECT_EQ(pig.DietPhaseLog[2].cumFeed, 11);
  EXPECT_LT(pig.DietPhaseLog[1].age, pig.DietPhaseLog[2].age);
  EXPECT_LT(pig.DietPhaseLog[2].age, pig.FinalAge);

  // The final age interpolates the last step linearly to 25 kg.
  const int last = FinalDay(pig);
  const double before = pig.LiveWeight[last - 1][kHerdColumn];
  const double after = pig.LiveWeight[last][kHerdColumn];
  ASSERT_LT(before, 25);
  ASSERT_GE(after, 25);
  const double share = (25 - before) / (after - before);
  EXPECT_NEAR(pig.FinalAge, last - 1 + share, 1e-12);

  // The total feed is the sum of the days, the last one scaled by that share.
  double total = 0;
  for (int d = kStart + 1; d <= last; ++d) total += pig.DailyFeed[d][kHerdColumn];
  EXPECT_NEAR(pig.CumFeed[0], total, 1e-9);
  EXPECT_GT(pig.DailyFeed[last][kHerdColumn], 0);
}

TEST(RunGrowthDays, StopsAfterAge198WhenTheFinalWeightIsNeverReached) {
  GlobalPig pig;
  LoadExampleDiets(pig);
  pig.FinalWeight = 900;
  RunGrowthDays(pig);
  EXPECT_FALSE(pig.GrowthFailed);
  EXPECT_EQ(pig.FinalAge, 198);
  EXPECT_GT(pig.LiveWeight[198][kHerdColumn], 100);
  EXPECT_EQ(pig.LiveWeight[199][kHerdColumn], 0);
  EXPECT_GT(pig.DailyFeed[199][kHerdColumn], 0);  // the day from 198 was computed
  EXPECT_EQ(pig.CurrentDiet, 3);
}

TEST(RunGrowthDays, OneDietNeverMixesAndItsLogFollowsTheFeed) {
  GlobalPig pig;
  LoadExampleDiets(pig);
  pig.NumDiets = 1;
  pig.DietFeedAmount[1] = 5;
  RunGrowthDays(pig);
  ASSERT_FALSE(pig.GrowthFailed);
  EXPECT_EQ(pig.CurrentDiet, 1);
  for (int i = kEnergy; i <= kValine; ++i) EXPECT_EQ(pig.DaySupply[i], pig.DietNutrients[1][i]);
  // The log holds the feed up to the last whole day; CumFeed then takes only
  // the share of that day needed to reach the final weight.
  const int last = FinalDay(pig);
  const double lastShare = pig.FinalAge - (last - 1);
  const double fullLastDay = pig.DailyFeed[last][kHerdColumn] / lastShare;
  EXPECT_NEAR(pig.DietPhaseLog[1].cumFeed,
              pig.CumFeed[0] - pig.DailyFeed[last][kHerdColumn] + fullLastDay,
              1e-9);
  EXPECT_EQ(pig.DietPhaseLog[1].age, last - 1);
}

TEST(RunGrowthDays, AnEmptyFirstAllowanceFeedsTheSecondDietFromTheFirstDay) {
  GlobalPig pig;
  LoadExampleDiets(pig);
  pig.DietFeedAmount[1] = 0;
  GlobalPig skipped;
  LoadExampleDiets(skipped);
  skipped.NumDiets = 2;
  skipped.DietNutrients[1] = pig.DietNutrients[2];
  skipped.DietNutrients[2] = pig.DietNutrients[3];
  skipped.DietFeedAmount[1] = 8;
  skipped.DietFeedAmount[2] = 20;

  RunGrowthDays(pig);
  RunGrowthDays(skipped);
  ASSERT_FALSE(pig.GrowthFailed);
  ASSERT_FALSE(skipped.GrowthFailed);
  EXPECT_EQ(pig.DietPhaseLog[1].age, kStart);
  EXPECT_EQ(pig.DietPhaseLog[1].cumFeed, 0);
  for (int i = kEnergy; i <= kValine; ++i) EXPECT_TRUE(std::isfinite(pig.DaySupply[i]));
  EXPECT_DOUBLE_EQ(pig.FinalAge, skipped.FinalAge);
  EXPECT_DOUBLE_EQ(pig.CumFeed[0], skipped.CumFeed[0]);
}

TEST(RunGrowthDays, ARunDependsOnItsInputsOnly) {
  GlobalPig fresh;
  LoadExampleDiets(fresh);
  RunGrowthDays(fresh);

  // A long run on another slot first leaves feed, lipid and diet logs behind.
  GlobalPig reused;
  LoadExampleDiets(reused);
  reused.FinalWeight = 60;
  RunGrowthDays(reused);
  for (auto& feed : reused.DailyFeed) feed[1] = 5;  // an earlier summary's male feed
  reused.FinalWeight = 25;
  reused.FinalAge = 0;
  reused.RunSlot = 1;
  RunGrowthDays(reused);

  ASSERT_FALSE(reused.GrowthFailed);
  EXPECT_EQ(reused.FinalAge, fresh.FinalAge);
  EXPECT_EQ(reused.CumFeed[1], fresh.CumFeed[0]);
  for (int diet = 0; diet <= kMaxDiets; ++diet) {
    SCOPED_TRACE(diet);
    EXPECT_EQ(reused.DietPhaseLog[diet].age, fresh.DietPhaseLog[diet].age);
    EXPECT_EQ(reused.DietPhaseLog[diet].cumFeed, fresh.DietPhaseLog[diet].cumFeed);
  }
}

TEST(RunGrowthDays, StartAtOrAboveTheFinalWeightGrowsNoDay) {
  for (double start : {25.0, 26.0}) {
    SCOPED_TRACE(start);
    GlobalPig pig;
    LoadExampleDiets(pig);
    pig.LiveWeight[kStart][kHerdColumn] = start;
    pig.FinalAge = 50;
    pig.ShowDailyRows = true;
    Grid results(200, 14);
    RunGrowthDays(pig, &results);
    EXPECT_FALSE(pig.GrowthFailed);
    EXPECT_EQ(pig.FinalAge, kStart);
    EXPECT_EQ(pig.CumFeed[0], 0);
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
    GlobalPig pig;
    LoadExampleDiets(pig);
    pig.StartAge = static_cast<std::int16_t>(c.startAge);
    pig.LiveWeight[c.startAge][kHerdColumn] = 10;
    RunGrowthDays(pig);
    EXPECT_FALSE(pig.GrowthFailed);
    EXPECT_EQ(pig.FinalAge, c.finalAge);
  }
}

TEST(RunGrowthDays, DietCountAndCurrentDietStayInsideTheDietTable) {
  for (int numDiets : {0, -2, 12}) {
    SCOPED_TRACE(numDiets);
    GlobalPig pig;
    LoadExampleDiets(pig);
    pig.NumDiets = static_cast<std::int16_t>(numDiets);
    RunGrowthDays(pig);
    EXPECT_FALSE(pig.GrowthFailed);
    EXPECT_GE(pig.CurrentDiet, 1);
    EXPECT_LE(pig.CurrentDiet, kMaxDiets);
  }
  GlobalPig pig;
  LoadExampleDiets(pig);
  pig.LiveWeight[30][kHerdColumn] = 8;
  pig.BodyLipid[30] = 0.8;
  pig.CurrentDiet = 7;
  double next = 8.4;
  GrowOneDay(pig, 0, 30, next);
  EXPECT_EQ(pig.CurrentDiet, 3);
  EXPECT_EQ(pig.DaySupply[kEnergy], 2550);
}

TEST(RunGrowthDays, CurveAgeIsZeroBelowB0) {
  GlobalPig pig;
  LoadExampleDiets(pig);
  pig.LiveWeight[kStart][kHerdColumn] = 5;
  RunGrowthDays(pig);
  EXPECT_EQ(pig.CurveAge, 0);
  // The potential 5 + (0.0452 + 0.0697) / 2 is below B0 = 6.154.
  EXPECT_TRUE(pig.GrowthFailed);
  EXPECT_NEAR(pig.NextWeight, 5.05748, 1e-5);
}

// Each way a run fails; only the runaway weight shows a message.
TEST(GrowthFailure, EveryFailureSetsTheFlag) {
  struct Case {
    const char* what;
    std::function<void(GlobalPig&)> change;
    double next;  // 0: a whole run; otherwise one day from 8 kg at age 30
    bool message;
    bool feedRecorded = false;  // the day failed after recording its intake
  };
  const std::vector<Case> cases = {
      {"B1 zero", [](GlobalPig& p) { p.GrowthCoef[1] = 0; }, 0, false},
      {"B1 negative", [](GlobalPig& p) { p.GrowthCoef[1] = -1.5; }, 0, false},
      {"B2 zero", [](GlobalPig& p) { p.GrowthCoef[2] = 0; }, 0, false},
      {"B2 negative", [](GlobalPig& p) { p.GrowthCoef[2] = -3; }, 0, false},
      {"B3 negative", [](GlobalPig& p) { p.GrowthCoef[3] = -0.002; }, 0, false},
      {"start weight 0", [](GlobalPig& p) { p.LiveWeight[kStart][kHerdColumn] = 0; }, 0, false},
      {"start weight negative",
       [](GlobalPig& p) { p.LiveWeight[kStart][kHerdColumn] = -6; },
       0,
       false},
      {"start age negative", [](GlobalPig& p) { p.StartAge = -1; }, 0, false},
      {"start age past the tables", [](GlobalPig& p) { p.StartAge = 201; }, 0, false},
      {"next weight above 1000 kg", [](GlobalPig&) {}, 1000.5, true},
      {"next weight below B0", [](GlobalPig&) {}, 6.1, false},
      {"intake below 0.1 kg", [](GlobalPig& p) { p.DietNutrients[1][kEnergy] = 1e6; }, 8.4, false},
      // Lipid above the weight makes deposition so negative that the growth
      // energy of the final pass is below 1 kcal; a high maintenance keeps
      // the intake up.
      {"growth energy below 1 kcal",
       [](GlobalPig& p) {
         p.BodyLipid[30] = -8;
         p.GrowthCoef[4] = 10;
       },
       8.4,
       false,
       true},
      // Dense energy, protein far short: k = 0.1 and r = 0.7 cut 0.1 kg to 7 g.
      {"limited gain below 10 g",
       [](GlobalPig& p) {
         p.DietNutrients[1][kEnergy] = 10000;
         p.DietNutrients[1][kProtein] = 0.1;
       },
       8.1,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GlobalPig pig;
    LoadExampleDiets(pig);
    ScriptedDialogs dialogs;
    if (c.next == 0) {
      c.change(pig);
      RunGrowthDays(pig, nullptr, &dialogs);
    } else {
      pig.LiveWeight[30][kHerdColumn] = 8;
      pig.BodyLipid[30] = 0.8;
      c.change(pig);
      double next = c.next;
      GrowOneDay(pig, 0, 30, next, nullptr, &dialogs);
    }
    EXPECT_TRUE(pig.GrowthFailed);
    EXPECT_EQ(pig.DailyFeed[31][kHerdColumn] > 0, c.feedRecorded);
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
    GlobalPig pig;
    pig.UnitCodes[kWeightUnit] = static_cast<std::int16_t>(c.weightUnit);
    pig.StartAge = 20;
    pig.FinalWeight = 25;
    pig.ShowDailyRows = true;
    pig.LiveWeight[24][kHerdColumn] = 24.6;
    pig.LiveWeight[25][kHerdColumn] = 25.4;
    pig.DailyFeed[25][kHerdColumn] = 1.0;
    pig.CumFeed[0] = 10.0;
    Grid results(200, 14);
    results.SetText(5, kTotFeedColumn, "8.7");  // a rounded total above is not added to
    CloseFinalDay(pig, 25, &results);
    EXPECT_NEAR(pig.FinalAge, 24.5, 1e-12);
    EXPECT_NEAR(pig.DailyFeed[25][kHerdColumn], 0.5, 1e-12);
    EXPECT_NEAR(pig.CumFeed[0], 9.5, 1e-12);
    EXPECT_EQ(results.Text(6, kAgeColumn), "24.5");
    EXPECT_EQ(results.Text(6, kWeightColumn), c.weight);
    EXPECT_EQ(results.Text(6, kDailyFeedColumn), c.feed);
    EXPECT_EQ(results.Text(6, kTotFeedColumn), c.total);
  }
}

TEST(CloseFinalDay, AZeroStepTakesTheWholeDay) {
  GlobalPig pig;
  pig.StartAge = 20;
  pig.FinalWeight = 25;
  pig.LiveWeight[24][kHerdColumn] = 25;
  pig.LiveWeight[25][kHerdColumn] = 25;
  pig.DailyFeed[25][kHerdColumn] = 1.0;
  pig.CumFeed[0] = 10.0;
  CloseFinalDay(pig, 25);
  EXPECT_EQ(pig.FinalAge, 25);
  EXPECT_EQ(pig.DailyFeed[25][kHerdColumn], 1.0);
  EXPECT_EQ(pig.CumFeed[0], 10.0);
}

TEST(RunGrowthDays, WritesTheDailyRowsOfTheResultsTable) {
  for (bool showDaily : {false, true}) {
    SCOPED_TRACE(showDaily);
    GlobalPig pig;
    LoadExampleDiets(pig);
    pig.ShowDailyRows = showDaily;
    pig.LiveWeight[kStart + 1][kLeanGainColumn] = -1;
    Grid results(200, 14);
    RunGrowthDays(pig, &results);
    ASSERT_FALSE(pig.GrowthFailed);
    const int last = FinalDay(pig);
    const int lastRow = last - kStart + 1;

    EXPECT_EQ(results.Text(1, kAgeColumn), "21");
    EXPECT_EQ(results.Text(1, kWeightColumn), "6.2");
    EXPECT_EQ(results.Text(1, kDailyFeedColumn), "");
    EXPECT_EQ(results.Text(lastRow - 1, kAgeColumn), std::to_string(last - 1));
    EXPECT_EQ(results.Text(lastRow, kAgeColumn), FormatNumber(pig.FinalAge, "###.0"));
    EXPECT_EQ(results.Text(lastRow, kWeightColumn), "25.0");
    EXPECT_EQ(results.Text(lastRow + 1, kAgeColumn), "");
    if (showDaily) {
      // Row 2 holds the feed of the day from 21 to 22 days.
      EXPECT_EQ(results.Text(2, kDailyFeedColumn),
                FormatNumber(pig.DailyFeed[kStart + 1][kHerdColumn], "##.0"));
      EXPECT_EQ(results.Text(2, kTotFeedColumn), results.Text(2, kDailyFeedColumn));
      EXPECT_EQ(results.Text(lastRow, kTotFeedColumn), FormatNumber(pig.CumFeed[0], "##.0"));
      EXPECT_GT(pig.LiveWeight[kStart + 1][kLeanGainColumn], 0);
    } else {
      EXPECT_EQ(results.Text(2, kDailyFeedColumn), "");
      EXPECT_EQ(results.Text(lastRow, kTotFeedColumn), "");
      EXPECT_EQ(pig.LiveWeight[kStart + 1][kLeanGainColumn], -1);
    }
  }
}

}  // namespace
