// Sensitivity of least-cost diets solved by hand, and the restrictions of an
// infeasible diet that cannot all hold.

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "formulation/ConflictMarks.h"
#include "formulation/ConflictingRestrictions.h"
#include "formulation/DietSensitivity.h"
#include "support/FormulationSession.h"

namespace {

constexpr int kEnergy = 1;  // nutrient index
constexpr int kProtein = 2;
constexpr int kSoybean = 2;  // ingredient number
constexpr int kOil = 3;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kTolerance = 1e-7;

using Kind = RestrictionKind;

struct ExpectedRestriction {
  Kind kind;
  int index;
  bool binding;
  double shadowPrice, low, high;  // per tonne, per 100 kcal or per 1 %
};

struct ExpectedIngredient {
  int ingredient;
  double inclusion, reducedCost, low, high;
};

// Equal, or near: an infinite limit must be met exactly.
void ExpectNear(double expected, double actual) {
  if (expected != actual) EXPECT_NEAR(expected, actual, kTolerance);
}

class SensitivityTest : public ::testing::Test, public FormulationSession {
 protected:
  void SetUp() override {
    growth->dietCount = 1;
    t->nutrientCount = 3;
    t->nutrientName = {"", "Weight", "Net ENERGY", "PROTEIN"};
    // Per tonne; kcal/kg; per cent.
    AddIngredient("Corn", 200, 3300, 8);
    AddIngredient("Soybean meal", 400, 2500, 48);
  }

  void AddIngredient(const char* name, double price, double energy, double protein) {
    const int i = ++t->ingredientCount;
    t->ingredientName[i] = name;
    t->ingredientPrice[i] = price;
    t->matrix[1][i] = 100;
    t->matrix[2][i] = energy;
    t->matrix[3][i] = protein;
  }

  double& Nut(int kind, int j) { return t->nutrientRestrictions[1][kind][j]; }
  double& Ing(int kind, int i) { return t->ingredientRestrictions[1][kind][i]; }

  // "Run LP" on diet 1; its cost per tonne.
  double Formulate() {
    RunLp(context, dietsTable);
    return s->dietCost[1];
  }
};

struct HandCase {
  const char* name;
  struct {
    double energyMin, energyMax, proteinMin, cost;
  } diet;
  std::vector<ExpectedRestriction> restrictions;  // in the order shown
  std::vector<ExpectedIngredient> ingredients;
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
//
// Soybean meal left out (protein at least 5, corn alone gives 8): cost 200,
// t = 200; soybean meal's reduced cost 400 - t = 200: it comes in below 200.
// Corn stays alone while it costs at most 400.
const std::vector<HandCase> kHandCases = {
    {"energy maximum binds",
     {0, 3200, 5, 225},
     {{Kind::NutrientMaximum, kEnergy, true, -25, 2500, 3300},
      {Kind::NutrientMinimum, kProtein, false, 0, -kInf, 13}},
     {{1, 87.5, 0, -kInf, 400}, {kSoybean, 12.5, 0, 200, kInf}}},
    {"soybean meal left out",
     {0, 0, 5, 200},
     {{Kind::NutrientMinimum, kProtein, false, 0, -kInf, 8}},
     {{1, 100, 0, -kInf, 400}, {kSoybean, 0, 200, 200, kInf}}},
};

TEST_F(SensitivityTest, HandSolvedDietsGiveTheirDualsAndRanges) {
  for (const HandCase& c : kHandCases) {
    SCOPED_TRACE(c.name);
    Nut(kMinKind, kEnergy) = c.diet.energyMin;
    Nut(kMaxKind, kEnergy) = c.diet.energyMax;
    Nut(kMinKind, kProtein) = c.diet.proteinMin;
    EXPECT_NEAR(Formulate(), c.diet.cost, kTolerance);
    const DietSensitivity result = AnalyzeDietSensitivity(*s, *growth, 1);
    ASSERT_EQ(result.status, SensitivityStatus::Analysed);
    ASSERT_EQ(result.restrictions.size(), c.restrictions.size());
    for (std::size_t k = 0; k < c.restrictions.size(); ++k) {
      const ExpectedRestriction& want = c.restrictions[k];
      const RestrictionSensitivity& got = result.restrictions[k];
      SCOPED_TRACE(k);
      EXPECT_EQ(got.restriction.kind, want.kind);
      EXPECT_EQ(got.restriction.index, want.index);
      EXPECT_EQ(got.binding, want.binding);
      ExpectNear(want.shadowPrice, got.shadowPrice);
      ExpectNear(want.low, got.limitLow);
      ExpectNear(want.high, got.limitHigh);
    }
    ASSERT_EQ(result.ingredients.size(), c.ingredients.size());
    for (std::size_t k = 0; k < c.ingredients.size(); ++k) {
      const ExpectedIngredient& want = c.ingredients[k];
      const IngredientSensitivity& got = result.ingredients[k];
      SCOPED_TRACE(t->ingredientName[want.ingredient]);
      EXPECT_EQ(got.ingredient, want.ingredient);
      ExpectNear(want.inclusion, got.inclusion);
      ExpectNear(want.reducedCost, got.reducedCost);
      ExpectNear(want.low, got.priceLow);
      ExpectNear(want.high, got.priceHigh);
    }
  }
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
  AddIngredient("Oil", 1000, 8000, 0);
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
