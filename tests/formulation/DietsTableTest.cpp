#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "formulation/DietsTableEdit.h"
#include "model/DietsTable.h"
#include "support/ScriptedDialogs.h"

namespace {

// Amino acids of the last run's diet 1 (nutrient index 3..14), protein 20.
constexpr std::array<double, 12> kAminoAcids{
    1.2, 0.5, 1.4, 0.25, 1.3, 0.75, 0.8, 0.4, 0.9, 1.5, 0.8, 0.95};

class DietsTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FillDietLabels(diets_);
    tables_ = std::make_unique<FormulationTables>();
    diets_.SetText(0, 1, "Diet 1");
    diets_.SetText(4, 1, "2450");
    diets_.SetText(5, 1, "20");
    growth_.dietNutrients[1][kProtein] = 20;
    for (int i = 0; i < 12; ++i) {
      growth_.dietNutrients[1][kArginine + i] = kAminoAcids[i];
      diets_.SetText(kArginine + i + 3, 1, std::to_string(kAminoAcids[i]));
    }
  }

  DietsEditContext Context() {
    return {diets_, growth_, tables_->nutrientRestrictions, checks_, dialogs_, proteinMargin_};
  }
  void Edit(int row, int col, const std::string& text) {
    diets_.SetText(row, col, text);
    DietsEditContext context = Context();
    DietsCellEdited(context, row, col);
  }
  double Min(int diet, int j) const { return tables_->nutrientRestrictions[diet][kMinKind][j]; }
  double Max(int diet, int j) const { return tables_->nutrientRestrictions[diet][kMaxKind][j]; }
  double Cell(int row, int col) const { return std::stod(diets_.Text(row, col)); }

  Grid diets_{kDietsRows, kDietsCols};
  GrowthState growth_;
  std::unique_ptr<FormulationTables> tables_;  // large: kept off the stack
  RatioRuleChecks checks_;
  ScriptedDialogs dialogs_;
  ProteinMarginRule proteinMargin_;
};

TEST_F(DietsTableTest, DietsInUseCountsEnergyInTheFirstSixColumns) {
  Grid diets(kDietsRows, kDietsCols);
  EXPECT_EQ(DietsInUse(diets), 0);
  diets.SetText(4, 1, "2450");
  diets.SetText(4, 3, "2400,5");
  diets.SetText(4, 4, "-1");
  diets.SetText(4, 7, "2300");
  EXPECT_EQ(DietsInUse(diets), 3);
  EXPECT_EQ(DietsInUse(diets, 8), 7);
  EXPECT_EQ(DietsInUse(diets, 99), 7);
}

TEST_F(DietsTableTest, TableIsReadIntoInternalUnits) {
  growth_.unitCodes = {1, 1, 3};  // kcal/lb, lb, per short ton
  growth_.dietCount = 2;
  diets_.SetText(2, 1, "180");
  diets_.SetText(3, 1, "11,025");
  diets_.SetText(4, 1, "1000");
  diets_.SetText(17, 1, "0.95");
  diets_.SetText(4, 2, "text");
  diets_.SetText(4, 3, "1200");  // past dietCount
  TakeDietsFromTable(diets_, growth_);
  EXPECT_EQ(growth_.dietNutrients[1][kPrice], 180);  // as typed
  EXPECT_NEAR(growth_.dietFeedAmount[1], 5, 1e-12);
  EXPECT_NEAR(growth_.dietNutrients[1][kEnergy], 2205, 1e-9);
  EXPECT_EQ(growth_.dietNutrients[1][kValine], 0.95);
  EXPECT_EQ(growth_.dietNutrients[2][kEnergy], 0);
  EXPECT_EQ(growth_.dietNutrients[3][kEnergy], 0);
}

TEST_F(DietsTableTest, EditsBecomeMinimaAndMaximaMoveWithThem) {
  tables_->nutrientRestrictions[2][kMinKind][1] = 2400;
  tables_->nutrientRestrictions[2][kMaxKind][1] = 2500;
  Edit(4, 2, "2450");
  EXPECT_EQ(Min(2, 1), 2450);
  EXPECT_EQ(Max(2, 1), 2550);

  Edit(11, 2, "0,9");  // phenylalanine, nutrient index 8; no maximum set
  EXPECT_EQ(Min(2, 8), 0.9);
  EXPECT_EQ(Max(2, 8), 0);

  Edit(18, 2, "0.3");  // the spare row is nutrient index 15
  EXPECT_EQ(Min(2, 15), 0.3);

  // Names, prices, amounts and cells outside the diets set nothing.
  Edit(3, 2, "12");
  Edit(4, 0, "99");
  Edit(4, 9, "99");
  Edit(19, 2, "99");
  EXPECT_EQ(Min(2, 0), 0);
  EXPECT_EQ(Min(2, 1), 2450);
  EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(DietsTableTest, ProteinAndLysineKeepThePreviousMinimum) {
  std::vector<int> marginCalls;
  proteinMargin_ = [&](int diet) { marginCalls.push_back(diet); };
  tables_->nutrientRestrictions[1][kMinKind][kProtein] = 20;
  tables_->nutrientRestrictions[1][kMaxKind][kProtein] = 21;
  Edit(5, 1, "22");
  EXPECT_EQ(tables_->nutrientRestrictions[1][0][kProtein], 20);
  EXPECT_EQ(Min(1, kProtein), 22);
  EXPECT_EQ(Max(1, kProtein), 23);
  EXPECT_EQ(marginCalls, std::vector<int>{1});

  tables_->nutrientRestrictions[1][kMinKind][kLysine] = 1.4;
  Edit(8, 1, "1.5");
  EXPECT_EQ(tables_->nutrientRestrictions[1][0][kLysine], 1.4);
  EXPECT_EQ(Min(1, kLysine), 1.5);
  EXPECT_EQ(marginCalls, std::vector<int>{1});  // only protein edits ask for the margin
  EXPECT_EQ(Cell(7, 1), 0.5);                   // no rule ticked: nothing rescaled
}

TEST_F(DietsTableTest, RuleCheckBoxesExcludeEachOther) {
  SetProteinRule(checks_, true);
  SetLysineRule(checks_, true);
  EXPECT_FALSE(checks_.proteinRule);
  SetProteinRule(checks_, true);
  EXPECT_FALSE(checks_.lysineRule);
  Edit(5, 1, "0");  // protein 0 clears the protein rule
  EXPECT_FALSE(checks_.proteinRule);
  EXPECT_EQ(Cell(8, 1), 1.4);
}

TEST_F(DietsTableTest, ProteinRuleScalesEveryAminoAcidBy1Point1) {
  SetProteinRule(checks_, true);
  tables_->nutrientRestrictions[1][kMinKind][kProtein] = 20;
  tables_->nutrientRestrictions[1][kMinKind][kThreonine] = 0.9;  // 0.9 * 22 / 20 = 0.99
  Edit(5, 1, "22");
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(Cell(kArginine + i + 3, 1), kAminoAcids[i] * 1.1, 5e-5);
  }
  EXPECT_NEAR(Min(1, kThreonine), 0.99, 1e-12);
  EXPECT_EQ(diets_.Text(14, 1), "0.9900");  // the restriction, in the table's format
  EXPECT_EQ(Min(1, kLysine), 0);            // no minimum: none is made
  EXPECT_TRUE(dialogs_.shown().empty());
}

// Without an earlier protein minimum the minima stay; where the run has no
// value the table's is scaled.
TEST_F(DietsTableTest, ProteinRuleWithoutAnEarlierMinimumOrRunValue) {
  SetProteinRule(checks_, true);
  tables_->nutrientRestrictions[1][kMinKind][kThreonine] = 0.8;
  growth_.dietNutrients[1][kHistidine] = 0;
  diets_.SetText(7, 1, "0,6");
  Edit(5, 1, "22");
  EXPECT_NEAR(Cell(14, 1), 0.99, 5e-5);
  EXPECT_EQ(Min(1, kThreonine), 0.8);
  EXPECT_NEAR(Cell(7, 1), 0.66, 5e-5);
}

TEST_F(DietsTableTest, LysineRuleKeepsArginine) {
  SetLysineRule(checks_, true);
  tables_->nutrientRestrictions[1][kMinKind][kLysine] = 1.4;
  tables_->nutrientRestrictions[1][kMinKind][kArginine] = 1.2;
  tables_->nutrientRestrictions[1][kMinKind][kValine] = 0.95;
  Edit(8, 1, "1.54");  // 1.1 times the run's lysine
  EXPECT_EQ(diets_.Text(6, 1), std::to_string(kAminoAcids[0]));
  EXPECT_EQ(Min(1, kArginine), 1.2);
  EXPECT_EQ(Cell(8, 1), 1.54);
  for (int i = 1; i < 12; ++i) {
    if (kArginine + i == kLysine) continue;
    SCOPED_TRACE(i);
    EXPECT_NEAR(Cell(kArginine + i + 3, 1), kAminoAcids[i] * 1.1, 5e-5);
  }
  EXPECT_NEAR(Min(1, kValine), 1.045, 1e-12);
  EXPECT_EQ(Min(1, kLysine), 1.54);
}

TEST_F(DietsTableTest, LysineRuleWithoutAnEarlierMinimumUsesTheBaseLysine) {
  SetLysineRule(checks_, true);
  tables_->nutrientRestrictions[1][kMinKind][kTryptophan] = 0.25;
  Edit(8, 1, "2.8");  // twice the run's lysine
  EXPECT_EQ(tables_->nutrientRestrictions[1][0][kLysine], 1.4);
  EXPECT_NEAR(Min(1, kTryptophan), 0.5, 1e-12);
  EXPECT_NEAR(Cell(17, 1), 1.9, 5e-5);  // valine, from the run's value
  EXPECT_EQ(diets_.Text(9, 1), "0.5000");
}

TEST_F(DietsTableTest, RatioRulesNeedAKnownValue) {
  // An edited value is itself the base when the run has none: only a direct
  // call finds no protein under the protein rule, and only a lysine of 0 no
  // lysine under the lysine rule.
  const struct {
    bool proteinRule;
    int editRow;  // 0: a direct call
    const char* edit;
    double protein, lysine;
    const char* message;
  } cases[] = {
      {true, 0, "", 0, 1.4, "Run Current Calc First"},
      {false, 8, "1.5", 0, 1.4, "Run Current Calc First"},
      {false, 8, "0", 20, 0, "No previous value for Lysine found"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    SetUp();
    dialogs_.Forget();
    if (c.proteinRule)
      SetProteinRule(checks_, true);
    else
      SetLysineRule(checks_, true);
    growth_.dietNutrients[1][kProtein] = c.protein;
    growth_.dietNutrients[1][kLysine] = c.lysine;
    diets_.SetText(5, 1, c.protein == 0 ? "" : "20");
    diets_.SetText(8, 1, c.lysine == 0 ? "" : "1.4");
    tables_->nutrientRestrictions[1][kMinKind][kHistidine] = 0.5;
    DietsEditContext context = Context();
    if (c.editRow == 0) {
      RatioAminoAcids(context, 1);
    } else {
      diets_.SetText(c.editRow, 1, c.edit);
      DietsCellEdited(context, c.editRow, 1);
    }
    EXPECT_EQ(dialogs_.Messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(diets_.Text(7, 1), std::to_string(kAminoAcids[1]));
    EXPECT_EQ(Min(1, kHistidine), 0.5);
    EXPECT_TRUE(checks_.proteinRule == c.proteinRule && checks_.lysineRule != c.proteinRule);
  }
}

TEST_F(DietsTableTest, RatioAminoAcidsWithoutARuleDoesNothing) {
  DietsEditContext context = Context();
  RatioAminoAcids(context, 1);
  RatioAminoAcids(context, 0);
  SetProteinRule(checks_, true);
  RatioAminoAcids(context, 9);
  EXPECT_EQ(diets_.Text(6, 1), std::to_string(kAminoAcids[0]));
  EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(DietsTableTest, ClickCaptionsForTheSourcesWindow) {
  diets_.SetText(2, 1, "245.5");
  const auto cost = DietsCellClicked(diets_, 2, 1);
  ASSERT_TRUE(cost);
  EXPECT_EQ(cost->index, -1);
  EXPECT_EQ(cost->caption, "Diet Diet 1  Feed Cost\n   Current Value is 245.5");
  EXPECT_EQ(DietsCellClicked(diets_, 5, 1)->index, 2);
  EXPECT_EQ(DietsCellClicked(diets_, 17, 8)->caption, "Nutrient  14 Valine\n   Current Value is ");

  for (auto [row, col] : {std::pair{1, 1}, {3, 1}, {0, 1}, {19, 1}, {5, 0}, {5, 9}}) {
    EXPECT_FALSE(DietsCellClicked(diets_, row, col)) << row << "," << col;
  }
}

}  // namespace
