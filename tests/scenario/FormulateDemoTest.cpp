// The demo location's three phase diets formulated at least cost, as "Run LP"
// does after the location's matrix and restrictions are loaded, and their
// sensitivity.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "formulation/ConflictingRestrictions.h"
#include "formulation/DietSensitivity.h"
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

  // BuildLp and SolveDiet of one diet; its cost, or NaN when it failed.
  double Formulate(int diet) {
    BuildLp(context, diet);
    SolveDiet(context, diet);
    return state->dietProblems[diet] == 0 ? state->dietCost[diet] : std::nan("");
  }

  // The table entry a restriction of `diet` comes from.
  double& Entry(int diet, const RestrictionRef& restriction) {
    const bool minimum = restriction.kind == RestrictionKind::NutrientMinimum ||
                         restriction.kind == RestrictionKind::IngredientMinimum;
    const int kind = minimum ? kMinKind : kMaxKind;
    if (IsNutrient(restriction.kind))
      return tables->nutrientRestrictions[diet][kind][restriction.index];
    return tables->ingredientRestrictions[diet][kind][restriction.index];
  }
};

TEST_F(FormulateDemo, EveryPhaseMeetsItsRestrictions) {
  RunLp(context, dietsTable);
  EXPECT_TRUE(dialogs.Messages().empty());
  const double demoCosts[] = {636.86, 413.68, 310.66};  // as the demo's diets file holds them

  for (int d = 1; d <= kDemoDiets; ++d) {
    SCOPED_TRACE("diet " + std::to_string(d));
    EXPECT_EQ(state->dietProblems[d], 0);
    EXPECT_NEAR(state->dietCost[d], demoCosts[d - 1], 0.01);
    double total = 0;
    for (int i = 1; i <= tables->ingredientCount; ++i) {
      SCOPED_TRACE(tables->ingredientName[i]);
      const double x = state->dietInclusion[d][i];
      const double minimum = tables->ingredientRestrictions[d][kMinKind][i];
      const double maximum = tables->ingredientRestrictions[d][kMaxKind][i];
      total += x;
      EXPECT_GE(x, 0);
      if (minimum > 0) EXPECT_GE(x, minimum - kSolverSlack);
      if (maximum == -1) EXPECT_EQ(x, 0);
      if (maximum > 0 && maximum < 100) EXPECT_LE(x, maximum + kSolverSlack);
    }
    EXPECT_NEAR(total, 100, 1e-6);

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
    }
    // Each restriction's range, a blocked ingredient's too, holds its limit.
    const DietSensitivity sensitivity = AnalyzeDietSensitivity(*state, *growth, d);
    ASSERT_EQ(sensitivity.status, SensitivityStatus::Analysed);
    for (const RestrictionSensitivity& r : sensitivity.restrictions) {
      EXPECT_LE(r.limitLow, r.limit + 1e-9) << RestrictionName(*tables, r.restriction);
      EXPECT_GE(r.limitHigh, r.limit - 1e-9) << RestrictionName(*tables, r.restriction);
    }
  }
}

// The demo's first diet asked for 4448 kcal: no mix with at most 3 % of the
// oil (7000 kcal) reaches that. The two restrictions cannot hold
// together even when the diet's other restrictions are lifted, yet the diet
// holds without either one.
TEST_F(FormulateDemo, InfeasibleDietsConflictIsIrreducible) {
  tables->nutrientRestrictions[1][kMinKind][1] = 4448;
  RunLp(context, dietsTable);
  EXPECT_EQ(dialogs.Messages(),
            std::vector<std::string>{"Diet 1: the minimum of Net ENERGY 4,448 Kcal/Kg and the "
                                     "maximum of Soybean oil 3 % cannot both hold."});
  const ConflictingSet conflict = state->conflicts[1];
  ASSERT_EQ(conflict.count, 2);

  auto restrictions = std::make_unique<FormulationTables>(*tables);
  for (int j = 1; j < tables->nutrientCount; ++j) {
    tables->nutrientRestrictions[1][kMinKind][j] = 0;
    tables->nutrientRestrictions[1][kMaxKind][j] = 0;
  }
  for (int i = 1; i <= tables->ingredientCount; ++i) {
    tables->ingredientRestrictions[1][kMinKind][i] = 0;
    tables->ingredientRestrictions[1][kMaxKind][i] = 0;
  }
  for (int k = 0; k < conflict.count; ++k)
    Entry(1, conflict.members[k].restriction) = conflict.members[k].limit;
  EXPECT_TRUE(std::isnan(Formulate(1)));
  *tables = *restrictions;

  for (int k = 0; k < conflict.count; ++k) {
    const ConflictingRestriction& member = conflict.members[k];
    SCOPED_TRACE(RestrictionPhrase(*tables, *growth, member));
    double& entry = Entry(1, member.restriction);
    const double kept = entry;
    entry = 0;  // no restriction
    EXPECT_FALSE(std::isnan(Formulate(1)));
    entry = kept;
  }
}
}  // namespace
