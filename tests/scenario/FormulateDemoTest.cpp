// The demo location's three phase diets formulated at least cost, as "Run LP"
// does after the location's matrix and restrictions are loaded.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "formulation/LeastCost.h"
#include "formulation/Matrix.h"
#include "formulation/Restrictions.h"
#include "platform/NumberFormat.h"
#include "support/ScriptedDialogs.h"

namespace {

constexpr int kDemoDiets = 3;
constexpr double kSolverSlack = 1e-6;  // percent; the solver's own tolerance

std::string Demo(const std::string& name) {
  return std::string(TAMSEL_SOURCE_DIR) + "/data/demo/" + name;
}

class FormulateDemo : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ReadMatrixFile(*tables, Demo("DemoMatrix.txt"), dialogs), MatrixLoad::Loaded);
    std::string reqNut;
    std::int16_t feedChoice = kFeedNotChosen;
    LoadRestrictions(*tables, dialogs, Demo("DemoReq.ing"), reqNut, feedChoice);
    ASSERT_EQ(feedChoice, kFeedLeastCost);
    ASSERT_TRUE(dialogs.Messages().empty());
    growth->dietCount = kDemoDiets;
  }

  std::unique_ptr<FormulationTables> tables = std::make_unique<FormulationTables>();
  std::unique_ptr<GrowthState> growth = std::make_unique<GrowthState>();
  std::unique_ptr<FormulationState> state = std::make_unique<FormulationState>();
  ScriptedDialogs dialogs;
  LeastCostContext context{*tables, *growth, *state, dialogs};
  Grid dietsTable{19, 9};
};

TEST_F(FormulateDemo, EveryPhaseMeetsItsRestrictions) {
  ASSERT_EQ(tables->ingredientCount, 16);
  ASSERT_EQ(tables->nutrientCount, 18);
  RunLp(context, dietsTable);
  EXPECT_TRUE(dialogs.Messages().empty());

  for (int d = 1; d <= kDemoDiets; ++d) {
    SCOPED_TRACE("diet " + std::to_string(d));
    EXPECT_EQ(state->dietProblems[d], 0);
    double total = 0;
    double cost = 0;
    for (int i = 1; i <= tables->ingredientCount; ++i) {
      SCOPED_TRACE(tables->ingredientName[i]);
      const double x = state->dietInclusion[d][i];
      const double minimum = tables->ingredientRestrictions[d][kMinKind][i];
      const double maximum = tables->ingredientRestrictions[d][kMaxKind][i];
      total += x;
      cost += x * tables->ingredientPrice[i] / 100;
      EXPECT_GE(x, 0);
      if (minimum > 0) EXPECT_GE(x, minimum - kSolverSlack);
      if (maximum == -1) EXPECT_EQ(x, 0);
      if (maximum > 0 && maximum < 100) EXPECT_LE(x, maximum + kSolverSlack);
    }
    EXPECT_NEAR(total, 100, 1e-6);
    EXPECT_NEAR(state->dietCost[d], cost, 1e-9);
    EXPECT_EQ(dietsTable.Text(2, d), NumberText(state->dietCost[d]));

    for (int j = 1; j < tables->nutrientCount; ++j) {
      SCOPED_TRACE(tables->nutrientName[j + 1]);
      double level = 0;
      for (int i = 1; i <= tables->ingredientCount; ++i) {
        level += tables->matrix[j + 1][i] * state->dietInclusion[d][i] / 100;
      }
      EXPECT_NEAR(growth->dietNutrients[d][j], level, 1e-9);
      const double minimum = tables->nutrientRestrictions[d][kMinKind][j];
      const double maximum = tables->nutrientRestrictions[d][kMaxKind][j];
      if (minimum > 0) EXPECT_GE(level, 0.99 * minimum);
      if (maximum > 0) EXPECT_LE(level, 1.01 * maximum);
      if (j + 3 < dietsTable.Rows()) EXPECT_EQ(dietsTable.Text(j + 3, d), NumberText(level));
    }
  }
}

// The diets file of the demo holds these formulations: the same costs.
TEST_F(FormulateDemo, CostsMatchTheDemoDiets) {
  RunLp(context, dietsTable);
  const double demoCosts[] = {636.86, 413.68, 310.66};
  for (int d = 1; d <= kDemoDiets; ++d) {
    SCOPED_TRACE(d);
    EXPECT_NEAR(state->dietCost[d], demoCosts[d - 1], 0.01);
  }
}

// Formulating again from the kept programs gives the same diets.
TEST_F(FormulateDemo, SecondRunFromKeptProgramsAgrees) {
  RunLp(context, dietsTable);
  auto first = state->dietInclusion;
  auto firstCost = state->dietCost;
  RunLp(context, dietsTable);
  RunLp(context, dietsTable);
  for (int d = 1; d <= kDemoDiets; ++d) {
    SCOPED_TRACE(d);
    EXPECT_TRUE(state->solvers[d].LastSolve().warmStart);
    EXPECT_NEAR(state->dietCost[d], firstCost[d], 1e-6);
    for (int i = 1; i <= tables->ingredientCount; ++i) {
      EXPECT_NEAR(state->dietInclusion[d][i], first[d][i], 1e-6) << tables->ingredientName[i];
    }
  }
}

}  // namespace
