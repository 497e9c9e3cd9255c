#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "formulation/ConflictMarks.h"
#include "formulation/ConflictingRestrictions.h"
#include "formulation/DietSensitivity.h"
#include "formulation/LeastCost.h"
#include "support/FormulationSession.h"

namespace {

constexpr int kProtein = 2;  // nutrient index j of crude protein
constexpr int kEnergy = 1;

struct Ingredient {
  const char* name;
  double price, energy, protein;
};

using Messages = std::vector<std::string>;

class LeastCostTest : public ::testing::Test, public FormulationSession {
 protected:
  void SetUp() override {
    growth->dietCount = 1;
    t->nutrientCount = 3;  // weight, energy, protein
    t->nutrientName = {"", "Weight", "Net ENERGY", "PROTEIN"};
    for (int r = 1; r < dietsTable.Rows(); ++r) {
      for (int d = 1; d <= kMaxDiets; ++d) dietsTable.SetText(r, d, "old");
    }
  }

  void SetIngredients(const std::vector<Ingredient>& list) {
    t->ingredientCount = static_cast<std::int16_t>(list.size());
    for (int i = 1; i <= t->ingredientCount; ++i) {
      const Ingredient& ing = list[i - 1];
      t->ingredientName[i] = ing.name;
      t->ingredientPrice[i] = ing.price;
      t->matrix[1][i] = 100;
      t->matrix[2][i] = ing.energy;
      t->matrix[3][i] = ing.protein;
    }
  }
  void CornAndSoy() { SetIngredients({{"Corn", 200, 3000, 8}, {"Soybean meal", 400, 2500, 48}}); }
  void ThreeIngredients() {  // per tonne
    SetIngredients(
        {{"Corn", 200, 3000, 8}, {"Soybean meal", 400, 2500, 48}, {"Oil", 1000, 8000, 0}});
  }

  double& NutMin(int d, int j) { return t->nutrientRestrictions[d][kMinKind][j]; }
  double& NutMax(int d, int j) { return t->nutrientRestrictions[d][kMaxKind][j]; }
  double& IngMin(int d, int i) { return t->ingredientRestrictions[d][kMinKind][i]; }
  double& IngMax(int d, int i) { return t->ingredientRestrictions[d][kMaxKind][i]; }
  double Inclusion(int d, int i) const { return s->dietInclusion[d][i]; }

  void Formulate(int d) {
    ASSERT_TRUE(BuildLp(context, d));
    SolveDiet(context, d);
  }
  void Judge(const std::vector<double>& x) {
    std::array<double, kLpMaxColumns + 1> answer{};
    for (std::size_t c = 0; c < x.size(); ++c) answer[c + 1] = x[c];
    JudgeLpAnswer(context, 1, answer);
  }
  // Diet 1 of `state` is the mix `percent` at `cost`, found feasible.
  static void ExpectMix(const FormulationState& state, std::vector<double> percent, double cost) {
    EXPECT_EQ(state.dietProblems[1], 0);
    for (std::size_t i = 0; i < percent.size(); ++i)
      EXPECT_NEAR(state.dietInclusion[1][i + 1], percent[i], 1e-7) << i + 1;
    EXPECT_NEAR(state.dietCost[1], cost, 1e-7);
  }
};

// 100 parts of corn (8 % protein, 3000 kcal, 200) and soybean meal (48 %,
// 2500 kcal, 400) with at least 20 % protein: 0.08 a + 0.48 (100 - a) >= 20
// gives a <= 70; the cheapest mix takes a = 70, b = 30: cost 260, energy
// 2850. With oil (8000 kcal, no protein, 1000) and at least 3095 kcal:
// protein and energy both bind. a = 250 - 6b from protein; energy
// 30a + 25b + 80c = 3095 with c = 100 - a - b gives b = 31, a = 64, c = 5;
// cost 128 + 124 + 50 = 302. A kept solver re-solving with the new minimum
// finds it, and so does one after a matrix load emptied the tables.
TEST_F(LeastCostTest, DietsSolvedByHandWarmAndAfterClearing) {
  ThreeIngredients();
  NutMin(1, kProtein) = 20;
  NutMin(1, kEnergy) = 2850;
  RunLp(context, dietsTable);
  EXPECT_TRUE(dialogs.Messages().empty());
  ExpectMix(*s, {70, 30, 0}, 260);
  EXPECT_EQ(dietsTable.Text(2, 1), "260.00");  // the cost replaces the weight total
  EXPECT_EQ(dietsTable.Text(3, 1), "old");     // the feed amount is not touched
  Formulate(1);
  NutMin(1, kEnergy) = 3095;
  Formulate(1);
  EXPECT_TRUE(s->solvers[1].LastSolve().warmStart);
  ExpectMix(*s, {64, 31, 5}, 302);

  ClearFormulationTables(*s);
  EXPECT_EQ(s->lp.rowCount, 0);
  SolveDiet(context, 1);  // nothing built since: no stale diet
  EXPECT_EQ(s->dietProblems[1], 1);
  Formulate(1);
  ExpectMix(*s, {64, 31, 5}, 302);
}

// Protein above the best ingredient's 48 %: no mix; the message names the
// protein minimum, the cost row shows the weight total and " Infeas".
TEST_F(LeastCostTest, InfeasibleDietShowsWeightTotalAndKeepsNutrientRows) {
  CornAndSoy();
  s->dietCost[1] = 123;
  NutMin(1, kProtein) = 50;
  RunLp(context, dietsTable);
  EXPECT_EQ(dialogs.Messages(), Messages{"Diet 1: the minimum of PROTEIN 50 % cannot hold."});
  EXPECT_EQ(s->dietProblems[1], 1);
  EXPECT_EQ(s->dietCost[1], 123);
  EXPECT_EQ(dietsTable.Text(2, 1), "0 Infeas");

  // A mix that comes out short shows its own total.
  Judge({60, 39.5});
  ShowDietResult(context, 1, dietsTable);
  EXPECT_EQ(dietsTable.Text(2, 1), "99.500 Infeas");

  // While optimizing the same diet is silent, and so are restrictions that
  // would be reported outside an optimization.
  dialogs.Forget();
  s->optMode = kOptModeRunning;
  IngMin(1, 1) = 10, IngMax(1, 1) = 5;
  RunLp(context, dietsTable);
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(s->dietProblems[1], 1);
}

// A maximum of -1 holds the cheapest ingredient out; 100 or more adds no row.
TEST_F(LeastCostTest, IngredientMaximaBlockOrAddNoRow) {
  SetIngredients({{"Barley", 150, 2800, 11}, {"Corn", 200, 3000, 8}, {"Wheat", 300, 3100, 12}});
  IngMax(1, 1) = -1;
  IngMax(1, 2) = 100;
  IngMax(1, 3) = 250;
  Formulate(1);
  EXPECT_EQ(s->lp.rowCount, 63);  // 61 minimum rows, the empty row 62, barley's row
  ExpectMix(*s, {0, 100, 0}, 200);

  IngMax(1, 2) = 99.5;  // just below 100: a row, so wheat makes up the rest
  Formulate(1);
  ExpectMix(*s, {0, 99.5, 0.5}, 200 * 0.995 + 300 * 0.005);
}

// Which rows BuildLp lays out for one diet: a free nutrient with only a
// maximum still has a minimum row, one with nothing has none; a negative
// ingredient minimum adds no row.
TEST_F(LeastCostTest, BuildLayoutOfMinimaMaximaAndIngredientRows) {
  ThreeIngredients();
  t->nutrientCount = 18;  // rows 16..18: free nutrients
  for (int i = 1; i <= 3; ++i) t->matrix[17][i] = 0.5 * i;
  NutMin(1, kProtein) = 20;
  NutMax(1, kProtein) = 24;
  NutMax(1, 16) = 1.2;  // row 17: only a maximum, still a minimum row
  NutMin(1, 17) = 0.3;  // row 18
  IngMin(1, 2) = -4;
  IngMin(1, 3) = 2;
  IngMax(1, 3) = 6;
  ASSERT_TRUE(BuildLp(context, 1));
  const LpProblem& lp = s->lp;
  // Minima rows 1..17, the empty row 62, the maxima of protein and row 17,
  // then oil's minimum and maximum.
  EXPECT_EQ(lp.rowCount, 66);
  EXPECT_DOUBLE_EQ(lp.matrix[64][0], 1.2);
  EXPECT_DOUBLE_EQ(lp.matrix[64][3], 0.015);

  // A second diet with fewer rows leaves no coefficient of the first behind.
  growth->dietCount = 2;
  ASSERT_TRUE(BuildLp(context, 2));
  EXPECT_EQ(lp.rowCount, 62);
  for (int r = 16; r <= 66; ++r) {
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(lp.matrix[r][c], 0) << r << "," << c;
  }
}

// Inclusions must sum to 99.9..100.1, negative answers counting as 0. A
// level just above 0.99 x its minimum passes, just below is reported (when
// above 0, and only outside an optimization); just below 1.01 x its maximum
// passes, just above fails silently.
TEST_F(LeastCostTest, AcceptanceEdgesOfTheTotalAndTheLevels) {
  const char* const kShort = "Infeasible diet 1 with PROTEIN. Target is 20 and Result is 19.79";
  const struct {
    std::vector<double> x;  // of two ingredients with the same protein
    double protein, minimum, maximum;
    int optMode, problems;
    const char* message;
  } cases[] = {
      {{70, 29.91}, 20, 0, 0, kOptModeOff, 0, nullptr},
      {{70, 29.89}, 20, 0, 0, kOptModeOff, 1, nullptr},
      {{70, 30.09}, 20, 0, 0, kOptModeOff, 0, nullptr},
      {{70, 30.11}, 20, 0, 0, kOptModeOff, 1, nullptr},
      {{-0.5, 100}, 20, 0, 0, kOptModeOff, 0, nullptr},
      {{0, 0}, 20, 0, 0, kOptModeOff, 1, nullptr},
      {{100, 0}, 19.81, 20, 0, kOptModeOff, 0, nullptr},
      {{100, 0}, 19.79, 20, 0, kOptModeOff, 1, kShort},
      {{100, 0}, 19.79, 20, 0, kOptModeRunning, 1, nullptr},
      {{100, 0}, 0, 20, 0, kOptModeOff, 0, nullptr},  // a level of 0 is never reported
      {{100, 0}, 20.19, 0, 20, kOptModeOff, 0, nullptr},
      {{100, 0}, 20.21, 0, 20, kOptModeOff, 1, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.x) + " " + std::to_string(c.protein));
    dialogs.Forget();
    SetIngredients({{"Mix", 100, 2500, c.protein}, {"Other", 100, 2500, c.protein}});
    NutMin(1, kProtein) = c.minimum;
    NutMax(1, kProtein) = c.maximum;
    s->optMode = c.optMode;
    Judge(c.x);
    EXPECT_EQ(s->dietProblems[1], c.problems);
    EXPECT_GE(Inclusion(1, 1), 0);
    EXPECT_EQ(dialogs.Messages(), c.message ? Messages{c.message} : Messages{});
  }
}

// An ingredient below its minimum (inclusion x 1.01 < minimum) is a warning
// outside an optimization and a problem inside one.
TEST_F(LeastCostTest, IngredientBelowItsMinimum) {
  SetIngredients({{"Corn", 200, 3000, 8}, {"Fish meal", 1500, 2700, 65}});
  IngMin(1, 2) = 5;
  Judge({95.04, 4.96});  // 4.96 x 1.01 = 5.0096
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(s->dietProblems[1], 0);

  Judge({95.1, 4.9});  // 4.949
  EXPECT_EQ(dialogs.Messages(),
            Messages{"WARNING - Diet  1 has less than the minimum of Fish meal.  "
                     "Check Nutrient Values and Max restrictions that it provides."});
  EXPECT_EQ(s->dietProblems[1], 0);
  EXPECT_NEAR(s->dietCost[1], 0.951 * 200 + 0.049 * 1500, 1e-9);

  dialogs.Forget();
  s->optMode = kOptModeRunning;
  Judge({95.1, 4.9});
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(s->dietProblems[1], 1);

  IngMin(1, 2) = 0.5;  // a minimum below 1 % is looked at too
  Judge({99.6, 0.4});
  EXPECT_EQ(s->dietProblems[1], 1);

  IngMax(1, 2) = -1;  // a blocked ingredient's minimum is not looked at
  Judge({99.6, 0.4});
  EXPECT_EQ(s->dietProblems[1], 0);
}

TEST_F(LeastCostTest, CheckRestrictionsReportsIngredientsAndRaisesNutrientMaxima) {
  SetIngredients({{"Corn", 100, 3000, 8}, {"Fish meal", 1500, 2700, 65}});
  growth->dietCount = 2;
  IngMin(2, 1) = 10, IngMax(2, 1) = 5;
  IngMin(1, 2) = 10, IngMax(1, 2) = -1;  // blocked: not a maximum above 0
  NutMin(1, kProtein) = 20, NutMax(1, kProtein) = 18;
  NutMin(2, kEnergy) = 2500, NutMax(2, kEnergy) = 0;
  CheckRestrictions(context);
  EXPECT_EQ(dialogs.Messages(),
            Messages{"Corn in diet  2 has a maximum limit less than its minimum"});
  EXPECT_EQ(IngMax(2, 1), 5);
  EXPECT_EQ(NutMax(1, kProtein), 20);
  EXPECT_EQ(NutMax(2, kEnergy), 0);
}

TEST_F(LeastCostTest, MissingPricesAndSolverFailuresAreReported) {
  SetIngredients({{"Corn", 0, 3000, 8}, {"Soybean meal", 400, 2500, 48}});
  RunLp(context, dietsTable);
  EXPECT_EQ(dialogs.Messages(), Messages{"Prices are missing"});
  EXPECT_EQ(dietsTable.Text(2, 1), "old");

  dialogs.Forget();
  t->ingredientPrice[1] = 200;
  t->matrix[3][2] = std::numeric_limits<double>::quiet_NaN();
  RunLp(context, dietsTable);
  EXPECT_EQ(dialogs.Messages(),
            (Messages{"Error 5 (Invalid linear program) in procedure {LPCOST} of Calculations",
                      "Diet No 1 was Infeasible"}));
  EXPECT_EQ(s->dietProblems[1], 1);
  EXPECT_EQ(SolveDietErrorText(LpStatus::LibraryError),
            "Error 51 (Linear program solver failed) in procedure {LPCOST} of Calculations");
}

// Row limits: more than 150 rows is a warning; more than 61 minimum rows or
// 320 rows in all refuses the diet before building.
TEST_F(LeastCostTest, RowLimits) {
  std::vector<Ingredient> many(100, Ingredient{"Filler", 100, 2000, 10});
  SetIngredients(many);
  t->nutrientCount = kMaxNutrientRows;
  for (int i = 1; i <= 100; ++i) IngMin(1, i) = 0.1, IngMax(1, i) = 50;  // 200 rows
  // Nutrient rows 16..61 carry a minimum and a maximum: 61 minimum rows, and
  // with the protein maximum 62 + 47 + 200 = 309 rows.
  for (int j = 15; j <= 60; ++j) NutMin(1, j) = 0.001, NutMax(1, j) = 100;
  NutMax(1, kProtein) = 20;
  EXPECT_TRUE(BuildLp(context, 1));
  EXPECT_EQ(s->lp.rowCount, 309);
  EXPECT_EQ(dialogs.Messages(), Messages{"Too many Restrictions for Diet  1"});

  // Eleven more maxima on the standard rows: 320 rows, still built.
  for (int j = 3; j <= 13; ++j) NutMax(1, j) = 100;
  EXPECT_TRUE(BuildLp(context, 1));
  EXPECT_EQ(s->lp.rowCount, 320);

  // One more is refused, and SolveDiet finds nothing to stand on.
  dialogs.Forget();
  NutMax(1, 14) = 100;
  EXPECT_FALSE(BuildLp(context, 1));
  const Messages refused{
      "Too many Restrictions for Diet  1.  The diet needs more rows than a formulation holds and "
      "was not formulated."};
  EXPECT_EQ(dialogs.Messages(), refused);
  SolveDiet(context, 1);
  EXPECT_EQ(s->dietProblems[1], 1);

  // A 62nd minimum row is refused too.
  dialogs.Forget();
  NutMax(1, 14) = 0;
  NutMin(1, 61) = 0.001;
  EXPECT_FALSE(BuildLp(context, 1));
  EXPECT_EQ(dialogs.Messages(), refused);
}

// The last matrix row (121) is formulated without reading past the matrix.
TEST_F(LeastCostTest, LastMatrixRowIsTheLastNutrient) {
  CornAndSoy();
  t->nutrientCount = kMaxNutrientRows;
  t->nutrientName[kMaxNutrientRows] = "SELENIUM";
  t->matrix[kMaxNutrientRows][1] = 0.1;
  t->matrix[kMaxNutrientRows][2] = 0.3;
  NutMin(1, kMaxNutrientRows - 1) = 0.2;  // j = 120: half of each
  Formulate(1);
  ExpectMix(*s, {50, 50}, 300);
  EXPECT_NEAR(growth->dietNutrients[1][kMaxNutrientRows - 1], 0.2, 1e-9);
}

// Sensitivity of least-cost diets solved by hand, and the restrictions of an
// infeasible diet that cannot all hold.

constexpr int kSoybean = 2;  // ingredient number
constexpr int kOil = 3;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kTolerance = 1e-7;

// Equal, or near: an infinite limit must be met exactly.
void ExpectNear(double expected, double actual) {
  if (expected != actual) EXPECT_NEAR(expected, actual, kTolerance);
}

// Corn with 3300 kcal, soybean meal as before; "Run LP" on diet 1.
class SensitivityTest : public LeastCostTest {
 protected:
  void SetUp() override {
    LeastCostTest::SetUp();
    SetIngredients({{"Corn", 200, 3300, 8}, {"Soybean meal", 400, 2500, 48}});
  }
  double& Nut(int kind, int j) { return t->nutrientRestrictions[1][kind][j]; }
  double& Ing(int kind, int i) { return t->ingredientRestrictions[1][kind][i]; }
  double Formulate() {
    RunLp(context, dietsTable);
    return s->dietCost[1];
  }
};

// Corn (a: 200 per tonne, 3300 kcal, 8 %) and soybean meal (b: 400, 2500,
// 48 %), a + b = 100 (the weight row, dual t). The program's cost is
// z = 200 a + 400 b = 100 x the diet's cost per tonne, so a dual y (per kcal
// or per %) is y / 100 per tonne, and y per tonne per 100 kcal.
//
// An energy maximum of 3200 binds: 3300 - 8 b <= 3200 gives b = 12.5,
// a = 87.5, cost 225; 200 = t + 33 y, 400 = t + 25 y, y = -25: raising the
// maximum by 100 kcal saves 25 per tonne. b = (3300 - E) / 8 in [0, 100]
// puts E in [2500, 3300]. Protein 13 % has slack. The dual (200 - 400) / 8
// stays <= 0 while corn costs at most 400 and soybean meal at least 200.

TEST_F(SensitivityTest, HandSolvedDietGivesItsDualsAndRanges) {
  Nut(kMaxKind, kEnergy) = 3200;
  Nut(kMinKind, kProtein) = 5;
  EXPECT_NEAR(Formulate(), 225, kTolerance);
  const DietSensitivity result = AnalyzeDietSensitivity(*s, *growth, 1);
  ASSERT_EQ(result.status, SensitivityStatus::Analysed);
  ASSERT_EQ(result.restrictions.size(), 2u);
  const RestrictionSensitivity& energy = result.restrictions[0];
  EXPECT_EQ(energy.restriction.kind, RestrictionKind::NutrientMaximum);
  EXPECT_TRUE(energy.binding);
  ExpectNear(-25, energy.shadowPrice);
  ExpectNear(2500, energy.limitLow);
  ExpectNear(3300, energy.limitHigh);
  const RestrictionSensitivity& protein = result.restrictions[1];
  EXPECT_EQ(protein.restriction.index, kProtein);
  EXPECT_FALSE(protein.binding);
  ExpectNear(-kInf, protein.limitLow);
  ExpectNear(13, protein.limitHigh);
  ASSERT_EQ(result.ingredients.size(), 2u);
  ExpectNear(87.5, result.ingredients[0].inclusion);
  ExpectNear(400, result.ingredients[0].priceHigh);
  ExpectNear(200, result.ingredients[1].priceLow);
  ExpectNear(kInf, result.ingredients[1].priceHigh);
}

// Protein at least 8 %: corn alone meets it exactly, so three bounds meet at
// that mix (the weight row, the protein row and soybean meal at 0) and the
// protein row's price depends on the basis: 5 per tonne going up (soybean
// meal comes in), 0 going down. Whichever basis the solver ends on, the
// price it reports must hold on the side its range covers, and the range
// must stop at the limit on the other side.
TEST_F(SensitivityTest, DegenerateRowsPriceHoldsOnTheSideItsRangeCovers) {
  Nut(kMinKind, kProtein) = 8;
  ASSERT_NEAR(Formulate(), 200, kTolerance);
  const DietSensitivity result = AnalyzeDietSensitivity(*s, *growth, 1);
  ASSERT_EQ(result.restrictions.size(), 1u);
  const RestrictionSensitivity protein = result.restrictions[0];
  EXPECT_TRUE(protein.binding);
  const bool coversUp = protein.limitHigh > 8 + kTolerance;
  EXPECT_NE(coversUp, protein.limitLow < 8 - kTolerance) << "the range stops at the limit once";
  const double move = coversUp ? 1 : -1;
  Nut(kMinKind, kProtein) = 8 + move;
  EXPECT_NEAR(Formulate(), 200 + protein.shadowPrice * move, kTolerance);
  EXPECT_NEAR(protein.shadowPrice, coversUp ? 5 : 0, kTolerance);
}

// With oil (1000 per tonne, 8000 kcal, no protein) as c: protein needs
// b >= 30 + 0.2 c, energy 3300 - 8 b + 47 c >= 3200 needs b <= 12.5 + 5.875 c,
// so c >= 3.084: an oil maximum of 3 % cannot hold beside both minima, and
// each of the three can hold without any one of the others. The soybean
// meal maximum of 60 % and the energy maximum of 4000 take no part.
TEST_F(SensitivityTest, InfeasibleDietNamesTheRestrictionsThatCannotAllHold) {
  SetIngredients({{"Corn", 200, 3300, 8}, {"Soybean meal", 400, 2500, 48}, {"Oil", 1000, 8000, 0}});
  Nut(kMinKind, kEnergy) = 3200;
  Nut(kMaxKind, kEnergy) = 4000;
  Nut(kMinKind, kProtein) = 20;
  Ing(kMaxKind, kSoybean) = 60;
  Ing(kMaxKind, kOil) = 3;
  EXPECT_FALSE(RunLp(context, dietsTable));
  EXPECT_EQ(dialogs.Messages(),
            std::vector<std::string>{
                "Diet 1: the minimum of Net ENERGY 3,200 Kcal/Kg, the minimum of PROTEIN 20 % and "
                "the maximum of Oil 3 % cannot all hold."});
  EXPECT_EQ(AnalyzeDietSensitivity(*s, *growth, 1).status, SensitivityStatus::Infeasible);

  RestrictionsForm form(dialogs, *t, *growth);
  form.Fill();
  MarkConflictingRestrictions(form, *s);
  EXPECT_EQ(form.nutrientTable.CellColor(2, 1), kConflictRed);  // energy minimum
  EXPECT_EQ(form.nutrientTable.CellColor(2, 2), kPeach);        // energy maximum
  EXPECT_EQ(form.ingredientTable.CellColor(kOil, 2), kConflictRed);

  // Once the oil may reach 4 % the diet holds, and the marks go.
  Ing(kMaxKind, kOil) = 4;
  EXPECT_TRUE(RunLp(context, dietsTable));
  MarkConflictingRestrictions(form, *s);
  EXPECT_EQ(form.ingredientTable.CellColor(kOil, 2), kPeach);
}

TEST(SentenceNumberTest, GroupsThousandsAndDropsTrailingZeros) {
  EXPECT_EQ(SentenceNumber(1234567.25, false), "1,234,567.25");
  EXPECT_EQ(SentenceNumber(-4448, false), "-4,448");
  EXPECT_EQ(SentenceNumber(2500.5, true), "2.500,5");
  EXPECT_EQ(SentenceNumber(999, false), "999");
  EXPECT_EQ(SentenceNumber(0.00004, false), "0");
}

}  // namespace
