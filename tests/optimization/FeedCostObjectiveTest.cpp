// The feed-cost objective on three nursery diets.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "model/DietsTable.h"
#include "model/GrowthExample.h"
#include "optimization/FeedCostObjective.h"
#include "platform/Grid.h"
#include "support/ScriptedDialogs.h"

namespace {

constexpr int kDiets = 3;
constexpr double kAminoShare = 0.08;    // every amino acid: 8 % of the ingredient's protein
constexpr double kAminoMinimum = 0.07;  // every amino-acid minimum: 7 % of the diet's protein

// Corn, soybean meal and oil; the three diets of LoadExampleDiets.
class FeedCostTest : public ::testing::Test {
 protected:
  FeedCostTest() {
    LoadExampleDiets(*growth);
    FormulationTables& t = *tables;
    t.ingredientCount = 3;
    t.nutrientCount = kStandardNutrientRows;
    const double price[] = {0, 200, 400, 1000};
    const double energy[] = {0, 2700, 2100, 7800};
    const double protein[] = {0, 8, 46, 0};
    for (int c = 1; c <= 3; ++c) {
      t.ingredientPrice[c] = price[c];
      t.matrix[kWeightRow][c] = 100;
      t.matrix[kEnergy + 1][c] = energy[c];
      t.matrix[kProtein + 1][c] = protein[c];
      for (int j = kArginine; j <= kValine; ++j) t.matrix[j + 1][c] = kAminoShare * protein[c];
    }
    const double dietEnergy[] = {0, 2450, 2500, 2550};
    const double dietProtein[] = {0, 22, 20, 19};
    const double feed[] = {0, 3, 8, 20};
    for (int d = 1; d <= kDiets; ++d) {
      auto& nut = t.nutrientRestrictions[d];
      nut[kMinKind][kEnergy] = dietEnergy[d];
      nut[kMaxKind][kEnergy] = dietEnergy[d] + 150;
      nut[kMinKind][kProtein] = dietProtein[d];
      nut[kMaxKind][kProtein] = dietProtein[d] + 4;
      for (int j = kArginine; j <= kValine; ++j) nut[kMinKind][j] = kAminoMinimum * dietProtein[d];
      state.tableValues[d][kFeedKind] = {feed[d], 0.8 * feed[d], 1.2 * feed[d]};
      state.tableValues[d][kEnergyKind] = {dietEnergy[d], dietEnergy[d] - 40, dietEnergy[d] + 40};
      state.tableValues[d][kProteinKind] = {
          dietProtein[d], dietProtein[d] - 10, dietProtein[d] + 10};
    }
    lpState->optMode = kOptModeRunning;
    FillDietLabels(dietsTable);
    state.targetWeight = 25;
    state.startWeight = growth->liveWeight[growth->startAge][kHerdColumn];
    PrepareFeedCost(state, t, kDiets);
    x.n = kOptKinds * kDiets;
    x.fixedFlags.fill(1);
    for (int i = 1; i <= x.n; ++i) {
      x.lower[i] = kCoordLow;
      x.upper[i] = kCoordHigh;
    }
  }

  // Frees variable i at `value` in table units.
  void Try(int diet, int kind, double value) {
    const int i = VariableOf(diet, kind);
    const double minimum = state.tableValues[diet][kind][kOptMinimum];
    x.fixedFlags[i] = 0;
    x.point[i] = kCoordLow + (value - minimum) / state.scale[i];
  }

  double Evaluate(int evaluations = 1) { return objective.Evaluate(x, evaluations); }

  double MinimumOf(int diet, int j) const {
    return tables->nutrientRestrictions[diet][kMinKind][j];
  }

  std::unique_ptr<FormulationTables> tables = std::make_unique<FormulationTables>();
  std::unique_ptr<GrowthState> growth = std::make_unique<GrowthState>();
  std::unique_ptr<FormulationState> lpState = std::make_unique<FormulationState>();
  ScriptedDialogs dialogs;
  LeastCostContext lp{*tables, *growth, *lpState, dialogs};
  Grid dietsTable{kDietsRows, kDietsCols};
  FeedCostState state;
  FeedCostObjective objective{lp, dietsTable, state};
  OptVariables x;
};

// A diet is formulated only when its energy or protein, as rounded, moves;
// the first evaluation of a search reformulates only the diets that move.
// The protein maximum left in the restrictions (what the report and the
// results file show) is the one each diet's last formulation used: its band,
// or minimum + 0.25 without one; given diets keep the user's maximum.
TEST_F(FeedCostTest, DietsAreFormulatedOnceAtTheirOwnProteinMaximum) {
  lpState->proteinBand[1] = 1.5;  // diets 2 and 3 have no band
  const struct {
    const char* step;
    int diet, kind;
    double value;
    int evaluations;
    long lpSolves;
    double maximum3;  // diet 3's protein maximum
  } steps[] = {
      {"every diet formulated", 0, 0, 0, 0, 3, 19.25},
      {"the same point again", 0, 0, 0, 1, 3, 19.25},
      {"a feed amount: no diet formulated", 2, kFeedKind, 7, 1, 3, 19.25},
      {"diet 2's energy", 2, kEnergyKind, 2460, 1, 4, 19.25},
      {"2460.3 is formulated at 2460", 2, kEnergyKind, 2460.3, 1, 4, 19.25},
      {"2459.8 is formulated at 2460", 2, kEnergyKind, 2459.8, 1, 4, 19.25},
      {"a search's first evaluation: diet 2 moves", 0, 0, 0, 0, 5, 19.25},
      {"diet 3's protein: diet 3 alone", 3, kProteinKind, 18, 1, 6, 18.25},
      {"diet 1's energy at its protein", 1, kEnergyKind, 2460, 1, 7, 18.25},
  };
  double first = 0;
  for (const auto& step : steps) {
    SCOPED_TRACE(step.step);
    if (step.diet > 0) Try(step.diet, step.kind, step.value);
    const double score = Evaluate(step.evaluations);
    if (first == 0) first = score;
    if (step.diet == 0 && step.evaluations == 1) EXPECT_EQ(score, first);  // from the cache
    EXPECT_LT(score, 100);  // a cost per pig, not a penalty
    EXPECT_EQ(state.lpSolves, step.lpSolves);
    EXPECT_DOUBLE_EQ(tables->nutrientRestrictions[1][kMaxKind][kProtein], 22 + 1.5);
    EXPECT_DOUBLE_EQ(tables->nutrientRestrictions[2][kMaxKind][kProtein], 20.25);
    EXPECT_DOUBLE_EQ(tables->nutrientRestrictions[3][kMaxKind][kProtein], step.maximum3);
  }
  EXPECT_DOUBLE_EQ(MinimumOf(2, kEnergy), 2460);
  // The energy band of 150 moves with the minimum.
  EXPECT_DOUBLE_EQ(tables->nutrientRestrictions[2][kMaxKind][kEnergy], 2460 + 150);

  // Given diets: nothing is formulated and the maxima stay the user's.
  state.feedChoice = kFeedGrid;
  lpState->dietCost = {0, 640, 450, 340};
  for (int d = 1; d <= kDiets; ++d) tables->nutrientRestrictions[d][kMaxKind][kProtein] = 30;
  Evaluate();
  for (int d = 1; d <= kDiets; ++d)
    EXPECT_EQ(tables->nutrientRestrictions[d][kMaxKind][kProtein], 30);
}

// Each amino-acid minimum keeps its ratio to the protein tried, which is
// formulated at one place.
TEST_F(FeedCostTest, AminoAcidMinimaFollowTheProtein) {
  Try(2, kProteinKind, 10.04);
  Evaluate();
  EXPECT_DOUBLE_EQ(MinimumOf(2, kProtein), 10);
  for (int j = kArginine; j <= kValine; ++j)
    EXPECT_NEAR(MinimumOf(2, j), kAminoMinimum * 10, 1e-12) << j;
  // Diet 1 did not move: its amino acids are as the restrictions were.
  EXPECT_NEAR(MinimumOf(1, kLysine), kAminoMinimum * 22, 1e-12);
}

TEST_F(FeedCostTest, AnInfeasibleDietScoresItsCostTimesAThousand) {
  Evaluate(0);
  const double cost = lpState->dietCost[2];
  ASSERT_GT(cost, 0);
  state.tableValues[2][kProteinKind] = {20, 20, 60};
  PrepareFeedCost(state, *tables, kDiets);
  EXPECT_EQ(state.growthRuns, 0);  // the counters start again
  Try(2, kProteinKind, 50);        // above any mix of the matrix
  EXPECT_DOUBLE_EQ(Evaluate(0), cost * 1000);
  EXPECT_GT(lpState->dietProblems[2], 0);
  EXPECT_TRUE(dialogs.Messages().empty());

  // Never formulated, the diet has no cost to scale: the point is a failure.
  lpState->dietCost[2] = 0;
  Try(2, kProteinKind, 51);
  EXPECT_EQ(Evaluate(), kOptBig);
}

}  // namespace
