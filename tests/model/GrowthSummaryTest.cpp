// The growth run's summary worked by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "model/GrowthSummary.h"
#include "model/Units.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"

namespace {

std::unique_ptr<GrowthState> KgPig() {
  auto growth = std::make_unique<GrowthState>();
  SetUnitSwitch(*growth, 0);  // kg, price per tonne
  return growth;
}

// Three phases from 6 kg at 21 days to 25 kg at 62.5 days.
std::unique_ptr<GrowthState> ThreePhasePig() {
  auto growth = KgPig();
  growth->dietCount = 3;
  growth->startAge = 21;
  growth->liveWeight[21][0] = 6;
  growth->finalWeight = 25;
  growth->finalAge = 62.5;
  growth->liveWeight[63][0] = 25.3;
  growth->cumFeed[0] = 29.8;
  growth->currentDiet = 3;
  growth->dietPhaseLog[1] = {30, 7.8, 2.4};
  growth->dietPhaseLog[2] = {42, 11.8, 8.3};
  const double energy[] = {0, 2448, 2450, 2480};
  const double price[] = {0, 636.86, 413.68, 300};
  for (int d = 1; d <= 3; ++d) {
    growth->dietNutrients[d][kEnergy] = energy[d];
    growth->dietNutrients[d][kPrice] = price[d];
  }
  return growth;
}

Grid DietNames() {
  Grid diets(19, 9);
  for (int d = 1; d <= 3; ++d) diets.SetText(1, d, "Diet " + std::to_string(d));
  return diets;
}

// The final weight came before diet 3's turn: diets 2 and 3 end with the
// run, diet 3 showing neither gain nor feed.
TEST(GrowthSummary, UnfinishedDietsEndWithTheRun) {
  auto growth = ThreePhasePig();
  growth->currentDiet = 2;
  growth->dietPhaseLog[2] = {};
  growth->cumFeed[0] = 9.0;
  Grid results(kResultRows, kResultCols);
  CloseDietPhases(*growth);
  FillDietRows(*growth, DietNames(), results);
  EXPECT_EQ(results.Text(2, 3), FormatNumber(17.2 / 32.5, "#0.0##"));
  EXPECT_NEAR(ReadNumber(results.Text(2, 4)), 6.6, 1e-9);
  EXPECT_EQ(results.Text(3, 3), "0.0");
  // A price of 0 is read from the diets table.
  Grid diets = DietNames();
  diets.SetText(2, 2, "413.68");
  growth->dietNutrients[2][kPrice] = 0;
  EXPECT_NEAR(FeedCostPerPig(*growth, diets), 0.63686 * 2.4 + 0.41368 * 6.6, 1e-9);
  // 2.4 x 2448 + 6.6 x 2450 kcal over 19 kg.
  EXPECT_NEAR(ShowEnergyPerGain(*growth, 6, results), (2.4 * 2448 + 6.6 * 2450) / 19, 0.05);
}

// Rows at 15..21 kg are more than 1.5 SD below 25 kg; 23.5, 24.4, 25 and
// 25.3 kg give z = -1.244, -0.468, 0 and 0.220, so k = 25, 9, 0, 4.
TEST(GrowthSummary, PigCountFromTheNormalTable) {
  auto growth = KgPig();
  for (int k = 0; k <= 30; ++k)
    growth->normalTable[k] = std::round(0.5 * std::erfc(-0.05 * k / std::sqrt(2.0)) * 1e5) / 1e5;
  growth->finalWeight = 25;
  growth->startAge = 40;
  Grid results(kResultRows, kResultCols);
  const char* weights[] = {"15", "17", "19", "20", "21", "23.5", "24.4", "25", "25.3"};
  for (int row = 1; row <= 9; ++row) results.SetText(row, 6, weights[row - 1]);
  EXPECT_EQ(CountPigsAtFinalWeight(*growth, results), 45);
  EXPECT_EQ(results.Text(5, 9), "");
  EXPECT_EQ(results.Text(6, 9), "2");   // 20 - 20 x 0.89435
  EXPECT_EQ(results.Text(7, 9), "6");   // 20 - 20 x 0.67364
  EXPECT_EQ(results.Text(8, 9), "10");  // 20 x 0.5
  EXPECT_EQ(results.Text(9, 9), "11");  // 20 x 0.57926
}

TEST(GrowthSummary, SexWeightsAndIntakeRatio) {
  struct Case {
    double weight;
    int sex;
    double male, female;
  };
  const Case cases[] = {
      {50, kMixedHerd, 50.43049795846062, 49.56950204153938},
      {10, kMixedHerd, 10, 10},  // the female formula lies above: both take the herd weight
      {40, kMaleHerd, 40, 39.7338152},
      {40, kFemaleHerd, 40.139742, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sex);
    const SexWeights w = SplitWeight(c.weight, c.sex);
    EXPECT_NEAR(w.male, c.male, 1e-9);
    EXPECT_NEAR(w.female, c.female, 1e-9);
  }
  // 1076.2149 / 1077.533825 at 10 kg; at 4 kg both curves are below 0.
  EXPECT_NEAR(IntakeRatio({10, 10}), 0.9987759780998056, 1e-12);
  EXPECT_NEAR(MaleIntake(4), -41.49290496, 1e-9);
  EXPECT_NEAR(FemaleIntake(4), -26.26402624, 1e-9);
  EXPECT_EQ(IntakeRatio({4.2, 4.2}), 1.0);  // male still below 0: no ratio
}

// Daily rows at 50..53 kg, two diets; diet 1 ends at age 11.
std::unique_ptr<GrowthState> HeavyPig(Grid& results) {
  auto growth = KgPig();
  growth->herdSex = kMixedHerd;
  growth->dietCount = 2;
  growth->startAge = 10;
  growth->finalAge = 12.5;
  growth->finalWeight = 52.5;
  for (int k = 0; k < 4; ++k) growth->liveWeight[10 + k][0] = 50 + k;
  growth->dailyFeed[11][0] = 1;
  growth->dailyFeed[12][0] = 1;
  growth->dailyFeed[13][0] = 0.5;
  growth->dietPhaseLog[0] = {10, 50, 0};
  growth->dietPhaseLog[1] = {11, 51, 1};
  growth->dietPhaseLog[2] = {12.5, 52.5, 2.5};
  growth->dietFeedAmount = {0, 1, 9};
  growth->cumFeed = {2.5, 0, 0};
  growth->dietNutrients[1][kPrice] = 1000;  // per tonne
  growth->dietNutrients[2][kPrice] = 500;
  const char* ages[] = {"10", "11", "12", "12.5"};
  for (int row = 1; row <= 4; ++row) {
    results.SetText(row, 5, ages[row - 1]);
    results.SetText(row, 6, "50");
  }
  return growth;
}

TEST(GrowthSummary, MixedHerdSplitsFeedByExpectedIntake) {
  Grid results(kResultRows, kResultCols);
  auto growth = HeavyPig(results);
  const SexSplit split = SplitBySex(*growth, results);
  EXPECT_EQ(split.ownColumn, 0);
  EXPECT_DOUBLE_EQ(growth->dietFeedAmount[2], 1.5);  // what was eaten of the last diet
  EXPECT_NEAR(growth->liveWeight[13][1], 53.519120682249984, 1e-9);
  EXPECT_NEAR(growth->liveWeight[13][2], 52.480879317750016, 1e-9);
  EXPECT_NEAR(growth->dailyFeed[12][1], 1.0205131566119208, 1e-12);
  EXPECT_EQ(growth->dailyFeed[12][0], 1);  // the run's own feed stays
  EXPECT_NEAR(growth->cumFeed[1], 2.5510795910626283, 1e-12);
  EXPECT_NEAR(growth->cumFeed[2], 2.4489204089373717, 1e-12);
  EXPECT_NEAR(split.dietShare[1][1], 1.0201318596975197, 1e-12);
  EXPECT_NEAR(split.dietShare[2][1], 1.0206318209100722, 1e-12);

  // Herd: 1 kg at 1.00 + 1.5 kg at 0.50; males eat each diet's share more.
  EXPECT_NEAR(FeedCostPerPig(*growth, Grid(19, 9)), 1.75, 1e-12);
  EXPECT_NEAR(
      FeedCostPerPig(*growth, Grid(19, 9), &split.dietShare, kMaleHerd), 1.785605725380074, 1e-12);
  EXPECT_NEAR(split.start.male, 50.43049795846062, 1e-9);
}

TEST(GrowthSummary, CarcassOfPigsAbove110Kg) {
  auto growth = KgPig();
  Grid results(kResultRows, kResultCols);
  results.SetText(1, 6, "100");
  results.SetText(2, 6, "120");
  EXPECT_NEAR(CarcassBlock(*growth, results), 6.75, 1e-12);
  EXPECT_EQ(results.Text(1, 10), "");
  EXPECT_EQ(results.Text(2, 10), "21.736");  // (23.708 + 19.764) / 2
  EXPECT_EQ(results.Text(2, 11), "45.162");  // (44.588 + 45.736) / 2
  EXPECT_EQ(results.Text(2, 12), "60.062");  // (59.004 + 61.12) / 2
  EXPECT_EQ(results.Text(2, 13), "66.962");  // (66.896 + 67.028) / 2

  SetUnitSwitch(*growth, 1);
  results.Clear();
  results.SetText(1, 6, "264.6");  // 120 kg
  EXPECT_NEAR(CarcassBlock(*growth, results), 6.75 * 0.3937, 1e-9);
  EXPECT_EQ(results.Text(1, 11), "7.0001");  // 45.162 x 0.155
}

}  // namespace
