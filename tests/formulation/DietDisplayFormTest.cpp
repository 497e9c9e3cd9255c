#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "formulation/DietDisplayForm.h"
#include "model/DietsTable.h"
#include "platform/NumberFormat.h"
#include "platform/TextFile.h"
#include "support/FormulationSession.h"
#include "support/TempFiles.h"

namespace {

using Messages = std::vector<std::string>;

// Restrictions as read from the files carry where they came from.
double NutFileTag(int d, int k, int j) { return 100.0 * d + 10.0 * k + j; }
double IngFileTag(int d, int k, int i) { return 1000.0 + 100.0 * d + 10.0 * k + i; }

// Three ingredients, matrix rows 1..17 (16 calcium, 17 phosphorus).
class DietDisplayFormTest : public ::testing::Test, public FormulationSession {
 protected:
  void SetUp() override {
    t->ingredientCount = 3;
    t->nutrientCount = 17;
    for (int r = 1; r <= kStandardNutrientRows; ++r) t->nutrientName[r] = StandardNutrientName(r);
    t->nutrientName[16] = "CALCIUM";
    t->nutrientName[17] = "PHOSPHORUS";
    const struct {
      const char* name;
      double price, energy, protein, lysine, calcium;
    } ingredients[] = {{"Corn", 0.2, 2500, 8, 0.25, 0.02},
                       {"Soybean meal", 0.4, 2300, 48, 2.9, 0.3},
                       {"Fish meal", 1.0, 2800, 60, 4.5, 5.0}};
    for (int i = 1; i <= 3; ++i) {
      const auto& ing = ingredients[i - 1];
      t->ingredientName[i] = ing.name;
      t->ingredientPrice[i] = ing.price;
      t->matrix[kWeightRow][i] = 100;
      t->matrix[2][i] = ing.energy;
      t->matrix[3][i] = ing.protein;
      t->matrix[6][i] = ing.lysine;
      t->matrix[16][i] = ing.calcium;
    }
    for (int d = 1; d <= kMaxDiets; ++d)
      for (int k = kMinKind; k <= kMaxKind; ++k) {
        for (int j = 1; j <= 16; ++j) {
          t->nutrientRestrictionsInFile[d][k][j] = NutFileTag(d, k, j);
          t->nutrientRestrictions[d][k][j] = -1;
        }
        for (int i = 1; i <= 3; ++i) {
          t->ingredientRestrictionsInFile[d][k][i] = IngFileTag(d, k, i);
          t->ingredientRestrictions[d][k][i] = -1;
        }
      }
    FillDietLabels(dietsTable);
    growth->dietCount = 3;
    location.dataFolder = temp.path().string() + "/";
    location.locationBase = temp.Path("Farm1");
    display.today = [] { return std::string("2024-01-31"); };
  }

  // Diet d of the diets table: name, cost, allowance, energy, protein, ...
  void PutDiet(int d, std::vector<std::string> cells) {
    for (size_t r = 0; r < cells.size(); ++r)
      dietsTable.SetText(static_cast<int>(r) + 1, d, cells[r]);
  }

  Grid filesTable{11, 1};
  Location location;
  TempFolder temp;
  DietDisplayForm display{dialogs, *t, *growth, dietsTable, location, filesTable};
};

// Feed 1: corn 1 + soybean meal 3; feed 2: fish meal 2 + corn 2; feed 3 no
// weights. Ingredient numbers 2 and 3 are typed on each other's rows.
void TypeWeights(Grid& g) {
  g.SetText(2, 0, "3");
  g.SetText(3, 0, "2");
  g.SetText(1, 2, "1");
  g.SetText(3, 2, "3");
  g.SetText(2, 3, "2");
  g.SetText(1, 3, "2,0");
}

// Feed 1 = 0.25 corn + 0.75 soybean meal; feed 2 = 0.5 fish meal + 0.5 corn;
// feed 3 weighs nothing and is skipped. Moving them to the diets table
// calculates first, and moves the cost and standard levels only.
TEST_F(DietDisplayFormTest, FeedsAreWeighedByShareAndTransferredToCurrent) {
  PutDiet(3, {"Grower", "0.5", "10", "2400"});
  dietsTable.SetText(18, 1, "spare");
  display.Load();
  TypeWeights(display.ingredientFeedsTable);
  display.TransferToCurrent();
  const Grid& g = display.ingredientFeedsTable;
  const int e = display.IngredientEndRow();
  ASSERT_EQ(e, 4);
  const struct {
    int row;  // matrix row, 1 for the cost
    double feed1, feed2;
  } expected[] = {
      {1, 0.35, 0.6}, {2, 2350, 2650}, {3, 38, 34}, {6, 2.2375, 2.375}, {16, 0.23, 2.51}};
  for (const auto& x : expected) {
    SCOPED_TRACE(x.row);
    EXPECT_NEAR(ReadNumber(g.Text(e + x.row, 2)), x.feed1, 1e-4);
    EXPECT_NEAR(ReadNumber(g.Text(e + x.row, 3)), x.feed2, 1e-4);
    EXPECT_EQ(g.Text(e + x.row, 4), "");
  }
  for (int d = 1; d <= 2; ++d) {
    EXPECT_EQ(dietsTable.Text(2, d), g.Text(e + 1, d + 1));
    EXPECT_EQ(dietsTable.Text(17, d), g.Text(e + 15, d + 1));
  }
  EXPECT_EQ(dietsTable.Text(1, 1), "");        // the name is not part of the block
  EXPECT_EQ(dietsTable.Text(18, 1), "spare");  // nor the free nutrients
  EXPECT_EQ(dietsTable.Text(4, 3), "2400");    // feed 3 has no weights: diet 3 kept

  // Feed 1 emptied: its cost is 0 and nothing is transferred.
  display.ingredientFeedsTable.ClearRange(1, 2, 3, 2);
  display.IngredientFeedsEdited(1, 2);
  dietsTable.SetText(2, 2, "kept");
  display.TransferToCurrent();
  EXPECT_EQ(dietsTable.Text(2, 2), "kept");
}

TEST_F(DietDisplayFormTest, FillingShowsFeedsOnTheirSideAndTheFileRestrictions) {
  PutDiet(1, {"Starter", "0.45", "5", "2450", "22"});
  PutDiet(2, {"Grower", "0.4", "10", "0", "20"});  // energy "0": not in use
  PutDiet(3, {"Finisher", "0.35", "15", "2400"});
  dietsTable.SetText(18, 3, "0.8");
  display.Load();
  const Grid& g = display.feedsTable;
  EXPECT_EQ(g.Text(0, 18), "CALCIUM");  // nutrient index 15 = matrix row 16
  EXPECT_EQ(g.Text(3, 18), "0.8");
  // Minima of diets 1..3 in rows 11..13, maxima headed in row 14.
  for (int j : {1, 16}) {
    EXPECT_NEAR(ReadNumber(g.Text(12, j + 3)), NutFileTag(2, kMinKind, j), 1e-4);
    EXPECT_NEAR(ReadNumber(g.Text(17, j + 3)), NutFileTag(3, kMaxKind, j), 1e-4);
  }
  EXPECT_NE(display.FeedsTableToolTip(11), "");
  EXPECT_EQ(display.FeedsTableToolTip(3), "");

  growth->dietCount = 6;
  PutDiet(3, {"Finisher", "0.35", "15", "0"});
  display.FillNutrientTab();
  EXPECT_EQ(growth->dietCount, 1);  // the last feed whose energy has more than one character

  t->nutrientCount = 0;  // no matrix: the standard nutrients energy .. valine, no ingredients
  t->ingredientCount = 0;
  display.Load();
  EXPECT_EQ(display.nutrientColumns, 14);
  EXPECT_EQ(display.IngredientEndRow(), 1);
}

// A digit in column 0 assigns the feed to that diet: the feed moves into the
// diets table with its restrictions from the file; a diet above the count
// needs a yes.
TEST_F(DietDisplayFormTest, DigitKeyAssignsAFeedToADiet) {
  PutDiet(1, {"Starter", "0.45", "5", "2450", "22"});
  PutDiet(2, {"", "0.4", "10", "2350", "20"});
  PutDiet(3, {"Finisher", "0.35", "15", "2400", "18"});
  display.Load();
  Grid& g = display.feedsTable;
  g.SetText(1, 0, "2");  // feed 1 held diet 2 before
  g.SetCurrent(3, 0);
  EXPECT_TRUE(display.FeedsTableKeyPress('2'));
  EXPECT_EQ(g.Text(3, 0), "2");
  EXPECT_EQ(g.Text(1, 0), "");
  EXPECT_EQ(g.Text(2, 1), "2024-01-31");  // a feed without a name gets the date
  for (int c = 1; c <= 18; ++c) EXPECT_EQ(dietsTable.Text(c, 2), g.Text(3, c)) << c;
  EXPECT_EQ(t->nutrientRestrictions[2][kMinKind][1], NutFileTag(3, kMinKind, 1));
  EXPECT_EQ(t->nutrientRestrictions[2][kMaxKind][16], NutFileTag(3, kMaxKind, 16));
  EXPECT_EQ(t->ingredientRestrictions[2][kMinKind][3], IngFileTag(3, kMinKind, 3));

  for (Answer answer : {Answer::No, Answer::Yes}) {
    SCOPED_TRACE(answer == Answer::Yes ? "Yes" : "No");
    display.dietCount = 3;
    g.SetCurrent(1, 0);
    dialogs.Forget();
    dialogs.Answer(answer);
    EXPECT_TRUE(display.FeedsTableKeyPress('6'));
    EXPECT_EQ(dialogs.Messages(), Messages{"Diet No. too High"});
    const bool yes = answer == Answer::Yes;
    EXPECT_EQ(g.Text(1, 0), yes ? "6" : "");
    EXPECT_EQ(dietsTable.Text(1, 6), yes ? "Starter" : "");
    EXPECT_EQ(growth->dietCount, yes ? 6 : 3);
    EXPECT_EQ(g.Rows(), yes ? 24 : 18);  // a minimum and a maximum row per diet
  }
  // Other keys and other cells assign nothing.
  EXPECT_FALSE(display.FeedsTableKeyPress('9'));
  g.SetCurrent(9, 0);  // below the feed rows
  EXPECT_TRUE(display.FeedsTableKeyPress('2'));
  g.SetCurrent(3, 4);
  EXPECT_TRUE(display.FeedsTableKeyPress('2'));
  EXPECT_EQ(g.Text(3, 4), "2");
  EXPECT_TRUE(dialogs.Done());
}

TEST_F(DietDisplayFormTest, TransferAllDietsMovesEveryFeedAndRestoresFileRestrictions) {
  display.Load();
  Grid& g = display.feedsTable;
  for (int row : {1, 2, 7}) g.SetText(row, 4, std::to_string(2500 - row));
  dietsTable.ClearRange(0, 0, 18, 0);  // no labels on the main form
  g.SetText(0, 18, "CALCIUM");
  display.TransferAllDiets();
  EXPECT_EQ(growth->dietCount, 7);  // feed 7 is in use: it is moved too
  EXPECT_EQ(dietsTable.Text(4, 7), "2493");
  EXPECT_EQ(dietsTable.Text(4, 0), "Energy NE");  // the labels come back
  EXPECT_EQ(dietsTable.Text(18, 0), "CALCIUM");
  for (int d = 1; d <= 8; ++d)
    for (int k = kMinKind; k <= kMaxKind; ++k) {
      EXPECT_EQ(t->nutrientRestrictions[d][k][16], d <= 7 ? NutFileTag(d, k, 16) : -1) << d;
      EXPECT_EQ(t->ingredientRestrictions[d][k][3], d <= 7 ? IngFileTag(d, k, 3) : -1) << d;
    }

  display.ClearMainDiets();
  for (int r = 1; r < kDietsRows; ++r)
    for (int c = 1; c < kDietsCols; ++c) ASSERT_EQ(dietsTable.Text(r, c), "") << r << "," << c;
  EXPECT_EQ(dietsTable.Text(4, 0), "Energy NE");
}

TEST_F(DietDisplayFormTest, FeedFilesRoundTripAndForeignFilesAreRefused) {
  display.Load();
  display.currentTab = DietDisplayForm::kIngredientTab;
  TypeWeights(display.ingredientFeedsTable);
  display.ingredientFeedsTable.SetText(1, 6, "with\ttab");
  display.CalculateNutrients();
  const Grid saved = display.ingredientFeedsTable;
  dialogs.File(temp.Path("feeds.ing"));
  ASSERT_TRUE(display.SaveAs());
  display.FillIngredientTab();
  dialogs.File(temp.Path("feeds.ing"));
  display.OpenFeedFile();
  ASSERT_EQ(display.ingredientFeedsTable.Rows(), saved.Rows());
  for (int r = 0; r < saved.Rows(); ++r)
    for (int c = 0; c < saved.Cols(); ++c) {
      std::string expected = r == 1 && c == 6 ? "with tab" : saved.Text(r, c);
      EXPECT_EQ(display.ingredientFeedsTable.Text(r, c), expected) << r << "," << c;
    }

  // A restriction file has the same extension but is not a feed file; nor
  // is one whose heading gives it more rows than a feed file holds.
  ASSERT_TRUE(TextFile::WriteLines(temp.Path("FarmReq.ing"), {" 1 \t 2 \t5\t10"}).ok);
  const std::string noRows = std::string(DietDisplayForm::kIngFileSignature) + "\t1001\t6";
  ASSERT_TRUE(TextFile::WriteLines(temp.Path("long.ing"), {noRows, "x\ty"}).ok);
  for (const char* name : {"FarmReq.ing", "long.ing", "missing.ing"}) {
    dialogs.File(temp.Path(name));
    display.OpenIngredientFile();
  }
  dialogs.CancelFile();
  display.OpenIngredientFile();
  const std::string mismatch = "Error 13 (Type mismatch) in procedure CommandIngOpen";
  EXPECT_EQ(
      dialogs.Messages(),
      (Messages{mismatch, mismatch, "Error 53 (File not found) in procedure CommandIngOpen"}));
  EXPECT_EQ(display.ingredientFeedsTable.Text(1, 2), "1");
  EXPECT_TRUE(dialogs.Done());

  // The nutrient tab saves the diets table as the location's diets file.
  PutDiet(2, {"Grower", "0.4", "10", "2350", "20"});
  display.currentTab = DietDisplayForm::kNutrientTab;
  display.FillNutrientTab();
  display.feedsTable.SetText(2, 5, "20,5");
  dialogs.File(temp.Path("Trial.dts"));
  ASSERT_TRUE(display.SaveAs());
  EXPECT_EQ(filesTable.Text(4, 0), temp.Path("Trial.dts"));
  dietsTable.ClearRange(1, 1, 18, 8);
  dialogs.File(temp.Path("Trial.dts"));
  display.OpenFeedFile();
  EXPECT_EQ(dietsTable.Text(1, 2), "Grower");
  EXPECT_EQ(display.feedsTable.Text(2, 12), "0");
}

}  // namespace
