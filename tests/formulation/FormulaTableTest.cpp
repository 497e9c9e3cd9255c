#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "formulation/FormulaTable.h"
#include "support/FormulationSession.h"

namespace {

// Five ingredients eaten over two diets: 4 kg of diet 1, then 6 kg of diet 2.
class FormulaTableTest : public ::testing::Test, public FormulationSession {
 protected:
  void SetUp() override {
    growth->dietCount = 2;
    growth->pigCount = 20;
    growth->unitCodes = {0, 0, 1};  // kg, price per tonne
    growth->dietPhaseLog[1].cumFeed = 4;
    growth->dietPhaseLog[2].cumFeed = 10;
    t->ingredientCount = 5;
    const char* names[] = {"", "Corn", "Wheat", "Soybean meal", "Barley", "Oil"};
    const double prices[] = {0, 200, 250, 400, 180, 1000};
    for (int i = 1; i <= 5; ++i) t->ingredientName[i] = names[i], t->ingredientPrice[i] = prices[i];
    dietsTable.SetText(1, 1, "Starter");
    dietsTable.SetText(1, 2, "Grower");
  }

  // Same inclusion in both diets, so T(i) = share x 10 kg.
  void SetShares(const std::vector<double>& percent) {
    for (int i = 1; i <= 5; ++i) {
      s->dietInclusion[1][i] = s->dietInclusion[2][i] = percent[i - 1];
    }
  }

  std::vector<std::string> Column(int col) const {
    std::vector<std::string> cells;
    for (int r = 1; r < formulaTable.Rows(); ++r) cells.push_back(formulaTable.Text(r, col));
    return cells;
  }

  Grid formulaTable{2, 12};
};

// Totals 2, 0, 2, 3, 0 (kg per pig). p = 1 swaps with the 3 at q = 4; p = 2
// takes the 2 from q = 3; p = 3 takes the 2 (ingredient 1) from q = 4. The
// two 2s never meet: the order is 4, 3, 1.
TEST_F(FormulaTableTest, ExchangeSortOrdersLargestFirstWithTies) {
  FormulaTableRefresh(context, dietsTable, formulaTable, "");  // nothing eaten: headings only
  EXPECT_EQ(formulaTable.Rows(), 2);
  EXPECT_EQ(formulaTable.Text(1, 0), "");
  SetShares({20, 0, 20, 30, 0});
  FormulaTableRefresh(context, dietsTable, formulaTable, "");
  EXPECT_EQ(Column(0), (std::vector<std::string>{" 4", " 3", " 1"}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"Barley", "Soybean meal", "Corn"}));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"30.000", "20.000", "20.000"}));
}

// Herd amount A = pigCount x T: below 1000 in kg or lbs, from 1000 in tonnes
// (A / 1000) or short tons (A / 2000); cost per tonne, per short ton or per
// hundredweight of the price unit. No herd size: the box's is taken.
TEST_F(FormulaTableTest, HerdTonnageUnits) {
  struct Case {
    std::array<std::int16_t, 3> units;
    int pigs;
    const char* box;
    double price;
    const char* amount;
    const char* unit;
    const char* cost;
  } cases[] = {
      // 20 pigs x 3 kg = 60 kg at 500 per tonne: 30.
      {{0, 0, 1}, 20, "", 500, "60.000", "Kg", "30.000"},
      // 1000 pigs x 3 kg = 3000 kg = 3 tonnes: 1500.
      {{0, 0, 1}, 1000, "", 500, "3.0000", "Tonnes", "1500.0"},
      // 10 kg per pig is 22.05 lb, 30 % of it 6.615 lb; 20 pigs 132.3 lb at
      // 400 per short ton: 132.3 x 400 / 2000 = 26.46.
      {{1, 1, 3}, 20, "", 400, "132.30", "lbs", "26.460"},
      // 1000 pigs: 6615 lb = 3.3075 tons; 6615 x 400 / 2000 = 1323.
      {{1, 1, 3}, 1000, "", 400, "3.3075", "Tons", "1323.0"},
      // Per hundredweight: 132.3 x 10 / 100 = 13.23.
      {{1, 1, 4}, 20, "", 10, "132.30", "lbs", "13.230"},
      // 50 pigs from the box x 3 kg.
      {{0, 0, 1}, 0, "50", 500, "150.00", "Kg", "75.000"},
  };
  SetShares({0, 0, 0, 30, 0});
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.unit) + " " + c.cost);
    growth->unitCodes = c.units;
    growth->pigCount = c.pigs;
    t->ingredientPrice[4] = c.price;
    FormulaTableRefresh(context, dietsTable, formulaTable, c.box);
    ASSERT_EQ(formulaTable.Text(1, 0), " 4");
    EXPECT_EQ(formulaTable.Text(1, 5), c.amount);
    EXPECT_EQ(formulaTable.Text(1, 6), c.unit);
    EXPECT_EQ(formulaTable.Text(1, 7), c.cost);
  }
  EXPECT_EQ(growth->pigCount, 50);
  growth->pigCount = 0;
  FormulaTableRefresh(context, dietsTable, formulaTable, "1e999");  // not a herd size
  EXPECT_EQ(growth->pigCount, 0);
}

// Newest first; older entries shown only when above 0, at most four.
TEST(recentCosts, MessageListsTheNewestFour) {
  auto state = std::make_unique<FormulationState>();
  EXPECT_EQ(RecentCostsText(*state, false), "Last Cost 0");
  for (double cost : {7.5, 12.346, 0.0, 9.876, 11.1}) PushRecentCost(*state, cost);
  EXPECT_EQ(RecentCostsText(*state, false), "Last Cost 11.100  # 2 9.8800  # 4 12.350");
  ScriptedDialogs dialogs;
  ShowRecentCosts(*state, dialogs, true);
  EXPECT_EQ(dialogs.Messages(),
            std::vector<std::string>{"Last Cost 11,100  # 2 9,8800  # 4 12,350"});
}

}  // namespace
