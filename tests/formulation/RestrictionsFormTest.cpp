#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "formulation/Restrictions.h"
#include "formulation/RestrictionsForm.h"
#include "platform/GridClipboard.h"
#include "platform/Location.h"
#include "platform/TextFile.h"
#include "support/FormulationSession.h"
#include "support/TempFiles.h"

namespace {

namespace fs = std::filesystem;

bool HasLine(const std::string& path, const std::string& line) {
  const auto lines = TextFile::ReadLines(path);
  return lines && std::find(lines->begin(), lines->end(), line) != lines->end();
}

class RestrictionsFormTest : public ::testing::Test, public FormulationSession {
 protected:
  void SetUp() override {
    t->ingredientCount = 3;
    t->nutrientCount = 4;
    t->ingredientName = {"", "Corn", "Soybean meal", "Wheat"};
    t->nutrientName = {"", "Weight", "Net ENERGY", "PROTEIN", "ARGININE"};
    t->nutrientRestrictions[1][kMinKind][1] = 2400;
    t->nutrientRestrictions[1][kMinKind][2] = 1.23456;
    t->nutrientRestrictions[1][kMaxKind][2] = -1.23456;  // only values above 0 are rounded
    t->nutrientRestrictions[8][kMaxKind][3] = 0.5;
    t->ingredientRestrictions[2][kMaxKind][3] = -1;
    t->ingredientRestrictions[1][kMinKind][1] = 12.345678;
    growth->dietCount = 2;
  }

  RestrictionFiles Files() {
    return {ing, nut, temp.path().string() + "/", temp.Path("Farm"), filesInUse};
  }

  RestrictionsForm form{dialogs, *t, *growth};
  TempFolder temp;
  std::string ing = temp.Path("FarmReq.ing"), nut = temp.Path("FarmReq.nut");
  Grid filesInUse{11, 1};
};

TEST_F(RestrictionsFormTest, FillShowsHeadingsNamesAndValues) {
  form.Fill();
  // The weight row holds 100 for the diets in use.
  EXPECT_EQ(form.nutrientTable.Text(1, 4), "100");
  EXPECT_EQ(form.nutrientTable.Text(1, 5), "");
  EXPECT_EQ(form.nutrientTable.Text(2, 2), "0");
  EXPECT_EQ(form.nutrientTable.Text(3, 1), "1.235");
  EXPECT_EQ(t->nutrientRestrictions[1][kMinKind][2], 1.235);  // rounded in the table itself
  EXPECT_EQ(form.nutrientTable.Text(3, 2), "-1.23456");
  EXPECT_EQ(form.nutrientTable.Text(4, 16), "0.5");         // every diet's columns are shown
  EXPECT_EQ(form.ingredientTable.Text(1, 1), "12.345678");  // full precision
  // Active restrictions are peach; none is white.
  EXPECT_EQ(form.ingredientTable.CellColor(3, 4), kPeach);
  EXPECT_EQ(form.nutrientTable.CellColor(2, 2), kWhite);

  // A refill after a change clears the old colour; values show the
  // machine's decimal separator and are read back with it.
  t->ingredientRestrictions[2][kMaxKind][3] = 0;
  growth->decimalComma = true;
  form.Fill();
  EXPECT_EQ(form.ingredientTable.CellColor(3, 4), kWhite);
  EXPECT_EQ(form.nutrientTable.Text(3, 1), "1,235");
  form.KeepNutrientRestrictions();
  EXPECT_DOUBLE_EQ(t->nutrientRestrictions[1][kMinKind][2], 1.235);
}

TEST_F(RestrictionsFormTest, AClickNamesTheIngredient) {
  form.IngredientRowClicked(3);
  EXPECT_EQ(form.ingredientLabel, "Ingredient # 3.0000 is Wheat");
  form.IngredientRowClicked(500);
  EXPECT_EQ(form.ingredientLabel, "Ingredient # 500.00 is ");
}

// Storing reads the diets in use only, and leaves alone what the tables do
// not show: a restriction file raised the counts past the rows shown, and an
// ingredient added since the fill has no row.
TEST_F(RestrictionsFormTest, StoringReadsOnlyWhatTheTablesShow) {
  t->nutrientCount = 5;
  t->nutrientRestrictions[1][kMinKind][5] = 0.9;
  form.Fill();
  t->ingredientCount = 4;
  t->ingredientRestrictions[1][kMaxKind][4] = 15;
  form.ingredientTable.SetText(2, 1, "2,5");
  form.ingredientTable.SetText(2, 2, "40");
  form.ingredientTable.SetText(2, 5, "7");  // diet 3 is not in use
  form.ingredientTable.SetText(1, 1, "");
  form.KeepIngredientRestrictions();
  EXPECT_TRUE(form.KeepNutrientRestrictions());
  EXPECT_DOUBLE_EQ(t->ingredientRestrictions[1][kMinKind][2], 2.5);
  EXPECT_EQ(t->ingredientRestrictions[1][kMinKind][1], 0);
  EXPECT_EQ(t->ingredientRestrictions[3][kMinKind][2], 0);
  EXPECT_EQ(t->ingredientRestrictions[1][kMaxKind][4], 15);
  EXPECT_EQ(t->nutrientRestrictions[1][kMinKind][5], 0.9);
  EXPECT_EQ(t->nutrientRestrictions[1][kMinKind][1], 2400);
}

TEST_F(RestrictionsFormTest, AMaximumBelowTheMinimumStopsTheStoring) {
  form.Fill();
  form.nutrientTable.SetText(3, 1, "22");  // diet 1 protein: minimum 22, maximum 20
  form.nutrientTable.SetText(3, 2, "20");
  form.nutrientTable.SetText(3, 3, "19");    // diet 2 protein: after the refused pair
  form.nutrientTable.SetText(2, 3, "2300");  // diet 2 energy: before it
  EXPECT_FALSE(form.KeepNutrientRestrictions());
  EXPECT_EQ(dialogs.Messages(),
            std::vector<std::string>{
                "The Min Restriction on Diet 1 Nutrient PROTEIN is greater than the Maximum"});
  EXPECT_EQ(t->nutrientRestrictions[2][kMinKind][1], 2300);
  EXPECT_EQ(t->nutrientRestrictions[1][kMinKind][2], 22);  // the refused pair itself is stored
  EXPECT_EQ(t->nutrientRestrictions[2][kMinKind][2], 0);

  // A maximum of 0 is no restriction, not a conflict.
  dialogs.Forget();
  form.nutrientTable.SetText(3, 2, "0");
  EXPECT_TRUE(form.KeepNutrientRestrictions());
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(t->nutrientRestrictions[2][kMinKind][2], 19);
}

TEST_F(RestrictionsFormTest, SaveFileStoresThenWritesBothFilesAfterAskingWhere) {
  form.Fill();
  form.ingredientTable.SetText(2, 2, "35");
  form.nutrientTable.SetText(3, 1, "22");
  std::string chosenIng = temp.Path("NewReq.ing");
  dialogs.File(chosenIng).CancelFile();
  EXPECT_TRUE(form.SaveBothRestrictionFiles(Files()));
  EXPECT_EQ(filesInUse.Text(kReqIngRow, 0), chosenIng);  // the chosen name becomes the file's
  EXPECT_EQ(filesInUse.Text(kReqNutRow, 0), nut);
  EXPECT_TRUE(HasLine(ing, " 1            \t 2 \t0\t35.000"));
  EXPECT_TRUE(HasLine(nut, " 1 \t 2 \t22.000\t-1.2346"));
}

TEST_F(RestrictionsFormTest, TheNutrientFileIsWrittenEvenWhenTheCheckStopped) {
  form.Fill();
  form.nutrientTable.SetText(3, 1, "22");
  form.nutrientTable.SetText(3, 2, "20");
  dialogs.CancelFile();
  EXPECT_TRUE(form.SaveNutrientRestrictionsFile(Files()));
  EXPECT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_TRUE(fs::exists(nut));
}

TEST_F(RestrictionsFormTest, TheNutrientTableHasNoCut) {
  form.Fill();
  form.nutrientTable.SetCurrent(2, 1);
  EXPECT_FALSE(form.KeyDown(form.nutrientTable, Key::X, kControlModifier));
  EXPECT_EQ(form.nutrientTable.Text(2, 1), "2400");
  EXPECT_TRUE(form.KeyDown(form.nutrientTable, Key::C, kControlModifier));
  EXPECT_EQ(dialogs.Clipboard(), "2400");
  form.ingredientTable.SetCurrent(1, 1);
  EXPECT_TRUE(form.KeyDown(form.ingredientTable, Key::X, kControlModifier));
  EXPECT_EQ(form.ingredientTable.Text(1, 1), "");
  EXPECT_EQ(dialogs.Clipboard(), "12.345678");
}

}  // namespace
