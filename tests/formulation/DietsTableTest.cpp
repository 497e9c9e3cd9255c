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
  double& Min(int diet, int j) { return tables_->nutrientRestrictions[diet][kMinKind][j]; }
  double& Max(int diet, int j) { return tables_->nutrientRestrictions[diet][kMaxKind][j]; }
  double Previous(int diet, int j) const { return tables_->nutrientRestrictions[diet][0][j]; }
  double Cell(int row, int col) const { return std::stod(diets_.Text(row, col)); }
  // Every amino acid cell from `first` on but `skip` is the run's times `factor`.
  void ExpectScaled(int first, int skip, double factor) const {
    for (int i = first - kArginine; i < 12; ++i)
      if (kArginine + i != skip)
        EXPECT_NEAR(Cell(kArginine + i + 3, 1), kAminoAcids[i] * factor, 5e-5) << i;
  }

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

// An edit is the diet's new minimum; a maximum keeps its distance from it.
// Protein and lysine edits keep the minimum they replace; only protein
// edits ask for the margin.
TEST_F(DietsTableTest, EditsBecomeMinimaAndMaximaMoveWithThem) {
  std::vector<int> marginCalls;
  proteinMargin_ = [&](int diet) { marginCalls.push_back(diet); };
  Min(2, 1) = 2400, Max(2, 1) = 2500;
  Edit(4, 2, "2450");
  EXPECT_EQ(Min(2, 1), 2450);
  EXPECT_EQ(Max(2, 1), 2550);
  Edit(18, 2, "0,3");  // the spare row is nutrient index 15; no maximum set
  EXPECT_EQ(Min(2, 15), 0.3);
  EXPECT_EQ(Max(2, 15), 0);
  // Names, prices, amounts and cells outside the diets set nothing.
  for (auto [row, col] : {std::pair{3, 2}, {4, 0}, {4, 9}, {19, 2}}) Edit(row, col, "99");
  EXPECT_EQ(Min(2, 1), 2450);

  Min(1, kProtein) = 20;
  Edit(5, 1, "22");
  EXPECT_EQ(Previous(1, kProtein), 20);
  Min(1, kLysine) = 1.4;
  Edit(8, 1, "1.5");
  EXPECT_EQ(Previous(1, kLysine), 1.4);
  EXPECT_EQ(marginCalls, std::vector<int>{1});
  EXPECT_EQ(Cell(7, 1), 0.5);  // no rule ticked: nothing rescaled

  // The two rules exclude each other; protein 0 clears the protein rule.
  SetProteinRule(checks_, true);
  SetLysineRule(checks_, true);
  EXPECT_FALSE(checks_.proteinRule);
  SetProteinRule(checks_, true);
  EXPECT_FALSE(checks_.lysineRule);
  Edit(5, 1, "0");
  EXPECT_FALSE(checks_.proteinRule);
  EXPECT_EQ(Cell(8, 1), 1.5);
}

// Protein 20 -> 22 scales every amino acid by 1.1, and every minimum by the
// ratio of the protein minima; without an earlier protein minimum the
// minima stay, and where the run has no value the table's is scaled.
TEST_F(DietsTableTest, ProteinRuleScalesAminoAcidsAndTheirMinima) {
  SetProteinRule(checks_, true);
  Min(1, kProtein) = 20;
  Min(1, kThreonine) = 0.9;  // 0.9 * 22 / 20 = 0.99
  Edit(5, 1, "22");
  ExpectScaled(kArginine, 0, 1.1);
  EXPECT_EQ(diets_.Text(14, 1), "0.9900");  // the restriction, in the table's format
  EXPECT_EQ(Min(1, kLysine), 0);            // no minimum: none is made

  Min(1, kProtein) = 0;
  Min(1, kThreonine) = 0.8;
  growth_.dietNutrients[1][kHistidine] = 0;
  diets_.SetText(7, 1, "0,6");
  Edit(5, 1, "22");
  EXPECT_EQ(Min(1, kThreonine), 0.8);
  EXPECT_NEAR(Cell(7, 1), 0.66, 5e-5);
}

// Lysine 1.4 -> 1.54 scales the amino acids after it but arginine; without
// an earlier lysine minimum the run's lysine is the base.
TEST_F(DietsTableTest, LysineRuleScalesAllButArginine) {
  SetLysineRule(checks_, true);
  Min(1, kLysine) = 1.4;
  Min(1, kArginine) = 1.2;
  Min(1, kValine) = 0.95;
  Edit(8, 1, "1.54");
  EXPECT_EQ(Min(1, kArginine), 1.2);
  ExpectScaled(kHistidine, kLysine, 1.1);
  EXPECT_NEAR(Min(1, kValine), 1.045, 1e-12);

  Min(1, kLysine) = Min(1, kValine) = 0;
  Min(1, kTryptophan) = 0.25;
  Edit(8, 1, "2.8");  // twice the run's lysine
  EXPECT_EQ(diets_.Text(9, 1), "0.5000");
  EXPECT_NEAR(Cell(17, 1), 1.9, 5e-5);  // valine, from the run's value
}

// An edited value is itself the base when the run has none: only a direct
// call finds no protein under the protein rule, and only a lysine of 0 no
// lysine under the lysine rule. Nothing is rescaled then.
TEST_F(DietsTableTest, RatioRulesNeedAKnownValue) {
  Min(1, kHistidine) = 0.5;
  growth_.dietNutrients[1][kProtein] = 0;
  diets_.SetText(5, 1, "");
  SetProteinRule(checks_, true);
  DietsEditContext context = Context();
  RatioAminoAcids(context, 1);
  SetLysineRule(checks_, true);
  Edit(8, 1, "1.5");
  growth_.dietNutrients[1][kProtein] = 20;
  growth_.dietNutrients[1][kLysine] = 0;
  Edit(8, 1, "0");
  EXPECT_EQ(dialogs_.Messages(),
            (std::vector<std::string>{"Run Current Calc First",
                                      "Run Current Calc First",
                                      "No previous value for Lysine found"}));
  EXPECT_EQ(Min(1, kHistidine), 0.5);

  // No rule ticked, or no diet's column: nothing happens.
  dialogs_.Forget();
  checks_ = {};
  RatioAminoAcids(context, 1);
  SetProteinRule(checks_, true);
  RatioAminoAcids(context, 0);
  RatioAminoAcids(context, 9);
  EXPECT_TRUE(dialogs_.shown().empty());
}

}  // namespace
