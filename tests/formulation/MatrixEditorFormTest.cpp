#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "formulation/Matrix.h"
#include "formulation/MatrixEditorForm.h"
#include "formulation/Restrictions.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

namespace fs = std::filesystem;

constexpr int kIngredients = 4;
constexpr int kRowsUsed = 17;  // the fifteen standard rows, calcium and phosphorus

const char* const kIngNames[kIngredients + 1] = {"", "Corn", "Soybean meal", "Fish meal", "Whey"};

// Every entry carries where it came from: diet, kind and ingredient (or
// nutrient index), so a moved restriction shows its origin.
// Name of matrix row r before any edit.
std::string OriginalNutName(int r) {
  if (r <= kStandardNutrientRows) return std::string(StandardNutrientName(r));
  return r == 16 ? "CALCIUM" : "PHOSPHORUS";
}

double IngTag(int d, int k, int i) { return 1000.0 * d + 100.0 * k + i; }
double NutTag(int d, int k, int j) { return 1000.0 * d + 100.0 * k + j; }
constexpr double kFileOffset = 0.5;

class MatrixEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t = std::make_unique<FormulationTables>();
    t->ingredientCount = kIngredients;
    t->nutrientCount = kRowsUsed;
    for (int r = 1; r <= kRowsUsed; ++r) t->nutrientName[r] = OriginalNutName(r);
    for (int i = 1; i <= kIngredients; ++i) {
      t->ingredientName[i] = kIngNames[i];
      t->ingredientPrice[i] = 0.1 * i;
      t->matrix[kWeightRow][i] = 100;
      for (int r = 2; r <= kRowsUsed; ++r) t->matrix[r][i] = 10 * r + i;
    }
    for (int d = 1; d <= kMaxDiets; ++d)
      for (int k = 0; k <= kMaxKind; ++k) {
        t->nutrientRestrictions[d][k][0] = 100;
        for (int i = 1; i <= kIngredients; ++i) {
          t->ingredientRestrictions[d][k][i] = IngTag(d, k, i);
          t->ingredientRestrictionsInFile[d][k][i] = IngTag(d, k, i) + kFileOffset;
        }
        for (int j = 1; j < kRowsUsed; ++j) {
          t->nutrientRestrictions[d][k][j] = NutTag(d, k, j);
          t->nutrientRestrictionsInFile[d][k][j] = NutTag(d, k, j) + kFileOffset;
        }
      }
    growth.dietCount = 3;
    displayNutColumns = 16;
    editor = std::make_unique<MatrixEditorForm>(dialogs, *t, growth, displayNutColumns);
    editor->Fill();
  }

  // After a store: ingredient slot p holds the restrictions of original
  // ingredient origins[p-1] (0: a new one, none), in every diet and kind.
  void ExpectIngredientOrigins(const std::vector<int>& origins) {
    for (int p = 1; p <= kMaxIngredients; ++p) {
      const int origin = p <= static_cast<int>(origins.size()) ? origins[p - 1] : 0;
      for (int d = 1; d <= kMaxDiets; ++d)
        for (int k = 0; k <= kMaxKind; ++k) {
          SCOPED_TRACE("slot " + std::to_string(p) + " diet " + std::to_string(d));
          ASSERT_EQ(t->ingredientRestrictions[d][k][p], origin ? IngTag(d, k, origin) : 0);
          ASSERT_EQ(t->ingredientRestrictionsInFile[d][k][p],
                    origin ? IngTag(d, k, origin) + kFileOffset : 0);
        }
    }
  }

  void ExpectNutrientOrigins(const std::vector<int>& originIndex) {
    for (int j = 1; j <= 120; ++j) {
      const int origin = j <= static_cast<int>(originIndex.size()) ? originIndex[j - 1] : 0;
      for (int d = 1; d <= kMaxDiets; ++d)
        for (int k = 0; k <= kMaxKind; ++k) {
          SCOPED_TRACE("index " + std::to_string(j) + " diet " + std::to_string(d));
          ASSERT_EQ(t->nutrientRestrictions[d][k][j], origin ? NutTag(d, k, origin) : 0);
          ASSERT_EQ(t->nutrientRestrictionsInFile[d][k][j],
                    origin ? NutTag(d, k, origin) + kFileOffset : 0);
        }
    }
    for (int d = 1; d <= kMaxDiets; ++d) ASSERT_EQ(t->nutrientRestrictions[d][kMinKind][0], 100);
  }

  ScriptedDialogs dialogs;
  GrowthState growth;
  int displayNutColumns = 16;
  std::unique_ptr<FormulationTables> t;
  std::unique_ptr<MatrixEditorForm> editor;
};

TEST_F(MatrixEditorTest, FillShowsIngredientsAsRowsAndNutrientsAsColumns) {
  const Grid& g = editor->matrixTable;
  EXPECT_EQ(g.Text(0, 0), "");
  EXPECT_EQ(g.Text(0, 1), "Ing. Price");
  EXPECT_EQ(g.Text(0, 2), "Net ENERGY");
  EXPECT_EQ(g.Text(0, 17), "PHOSPHORUS");
  EXPECT_EQ(g.Text(0, 18), "");
  EXPECT_EQ(g.Text(3, 0), "Fish meal");
  EXPECT_EQ(g.Text(3, 1), "0.3000");
  EXPECT_EQ(g.Text(3, 16), "163.00");  // calcium of fish meal
  EXPECT_EQ(g.Text(5, 0), "");
  EXPECT_EQ(editor->IngredientRows(), 4);
  EXPECT_EQ(editor->LastNutrientCol(), 17);
}

struct IngredientEdit {
  char kind;  // 'a' add at row, 'd' delete row (OK), 'c' delete row but cancel
  int row;
  std::string name;
};

struct IngredientCase {
  const char* title;
  std::vector<IngredientEdit> edits;
  std::vector<std::string> names;
  std::vector<int> origins;
};

TEST_F(MatrixEditorTest, IngredientRestrictionsFollowTheirIngredientThroughEdits) {
  const std::vector<IngredientCase> cases = {
      {"insert at row 2",
       {{'a', 2, "Barley"}},
       {"Corn", "Barley", "Soybean meal", "Fish meal", "Whey"},
       {1, 0, 2, 3, 4}},
      {"append from the heading row",
       {{'a', 0, "Barley"}},
       {"Corn", "Soybean meal", "Fish meal", "Whey", "Barley"},
       {1, 2, 3, 4, 0}},
      {"delete row 2", {{'d', 2, ""}}, {"Corn", "Fish meal", "Whey"}, {1, 3, 4}},
      {"cancelled delete",
       {{'c', 2, ""}},
       {"Corn", "Soybean meal", "Fish meal", "Whey"},
       {1, 2, 3, 4}},
      {"two inserts before one store",
       {{'a', 2, "Barley"}, {'a', 4, "Oats"}},
       {"Corn", "Barley", "Soybean meal", "Oats", "Fish meal", "Whey"},
       {1, 0, 2, 0, 3, 4}},
      {"insert then delete below it",
       {{'a', 1, "Barley"}, {'d', 3, ""}},
       {"Barley", "Corn", "Fish meal", "Whey"},
       {0, 1, 3, 4}},
      {"delete the last", {{'d', 4, ""}}, {"Corn", "Soybean meal", "Fish meal"}, {1, 2, 3}},
  };
  for (const IngredientCase& c : cases) {
    SCOPED_TRACE(c.title);
    SetUp();
    for (const IngredientEdit& e : c.edits) {
      editor->matrixTable.SetCurrent(e.row, 0);
      if (e.kind == 'a') {
        dialogs.Input(e.name);
        editor->AddIngredient();
      } else {
        dialogs.Answer(e.kind == 'd' ? Answer::OK : Answer::Cancel);
        editor->DeleteIngredient();
      }
    }
    editor->SaveChanges();
    ASSERT_TRUE(dialogs.Done());
    ASSERT_EQ(t->ingredientCount, static_cast<int>(c.names.size()));
    for (size_t p = 0; p < c.names.size(); ++p) {
      const int slot = static_cast<int>(p) + 1;
      EXPECT_EQ(t->ingredientName[slot], c.names[p]);
      const int origin = c.origins[p];
      EXPECT_EQ(t->matrix[kWeightRow][slot], 100);
      // A new ingredient's cells start as "0"; an old one keeps its values.
      EXPECT_EQ(t->matrix[16][slot], origin ? 160 + origin : 0);
      EXPECT_DOUBLE_EQ(t->ingredientPrice[slot], origin ? 0.1 * origin : 0);
    }
    EXPECT_EQ(t->ingredientName[c.names.size() + 1], "");
    ExpectIngredientOrigins(c.origins);
  }
}

TEST_F(MatrixEditorTest, DeleteQuestionNamesTheIngredient) {
  editor->matrixTable.SetCurrent(3, 5);
  dialogs.Answer(Answer::Cancel);
  editor->DeleteIngredient();
  EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"Do you want to Delete Fish meal?"});
}

struct NutrientEdit {
  char kind;  // 'a' add at column, 'd' delete column (OK)
  int col;
  std::string name;
};

struct NutrientCase {
  const char* title;
  std::vector<NutrientEdit> edits;
  std::vector<std::string> freeNames;  // stored names of matrix rows 14 onwards
  std::vector<int> origins;            // nutrient index j = 1.. : original index, 0 new
  int displayColumns;
};

std::vector<int> Indices(int first, int last) {
  std::vector<int> v;
  for (int j = first; j <= last; ++j) v.push_back(j);
  return v;
}

std::vector<int> Concat(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(MatrixEditorTest, NutrientRestrictionsFollowTheirNutrientThroughEdits) {
  const std::vector<NutrientCase> cases = {
      {"delete calcium (column 16)",
       {{'d', 16, ""}},
       {"ISOLEUCINE", "VALINE", "PHOSPHORUS"},
       Concat(Indices(1, 14), {16}),
       15},
      {"delete isoleucine (column 14)",
       {{'d', 14, ""}},
       {"VALINE", "CALCIUM", "PHOSPHORUS"},
       Concat(Indices(1, 12), {14, 15, 16}),
       15},
      {"insert at column 16",
       {{'a', 16, "SODIUM"}},
       {"ISOLEUCINE", "VALINE", "SODIUM", "CALCIUM", "PHOSPHORUS"},
       Concat(Indices(1, 14), {0, 15, 16}),
       16},
      {"insert at a standard column goes after the last",
       {{'a', 5, "SODIUM"}},
       {"ISOLEUCINE", "VALINE", "CALCIUM", "PHOSPHORUS", "SODIUM"},
       Concat(Indices(1, 16), {0}),
       16},
      {"delete below column 14 is refused",
       {{'x', 13, ""}},
       {"ISOLEUCINE", "VALINE", "CALCIUM", "PHOSPHORUS"},
       Indices(1, 16),
       16},
      {"insert then delete after it",
       {{'a', 16, "SODIUM"}, {'d', 17, ""}},
       {"ISOLEUCINE", "VALINE", "SODIUM", "PHOSPHORUS"},
       Concat(Indices(1, 14), {0, 16}),
       15},
  };
  for (const NutrientCase& c : cases) {
    SCOPED_TRACE(c.title);
    SetUp();
    for (const NutrientEdit& e : c.edits) {
      editor->matrixTable.SetCurrent(0, e.col);
      if (e.kind == 'a') {
        dialogs.Input(e.name);
        editor->AddNutrient();
      } else if (e.kind == 'd') {
        dialogs.Answer(Answer::OK);
        editor->DeleteNutrient();
      } else {
        editor->DeleteNutrient();
      }
    }
    editor->SaveChanges();
    ASSERT_TRUE(dialogs.Done());
    EXPECT_EQ(displayNutColumns, c.displayColumns);
    ASSERT_EQ(t->nutrientCount, 13 + static_cast<int>(c.freeNames.size()));
    std::map<std::string, int> originalRow;
    for (int r = 2; r <= kRowsUsed; ++r) originalRow[OriginalNutName(r)] = r;
    for (size_t p = 0; p < c.freeNames.size(); ++p) {
      const int row = 14 + static_cast<int>(p);
      EXPECT_EQ(t->nutrientName[row], c.freeNames[p]);
      // The values move with their nutrient; a new one is empty, stored as 0.
      auto found = originalRow.find(c.freeNames[p]);
      const double expected = found == originalRow.end() ? 0 : 10 * found->second + 2;
      EXPECT_EQ(t->matrix[row][2], expected) << c.freeNames[p];
    }
    EXPECT_EQ(t->nutrientName[t->nutrientCount + 1], "");
    ExpectNutrientOrigins(c.origins);
  }
}

TEST_F(MatrixEditorTest, NutrientQuestionAndNewColumnHeading) {
  editor->matrixTable.SetCurrent(4, 17);
  dialogs.Answer(Answer::Cancel);
  editor->DeleteNutrient();
  dialogs.Input("");  // an empty name adds nothing
  editor->AddNutrient();
  EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"Do you want to Delete PHOSPHORUS?"});
  EXPECT_EQ(dialogs.shown().back().text, MatrixEditorForm::kAddNutPrompt);
  EXPECT_EQ(editor->LastNutrientCol(), 17);
  EXPECT_EQ(displayNutColumns, 16);
}

TEST_F(MatrixEditorTest, TableLimitsRefuseInsertionWithAMessage) {
  struct Limit {
    int ingredients;
    int lastCol;
    bool ingredientAdded;
    bool nutrientAdded;
  };
  for (const Limit& limit : {Limit{99, 120, true, true}, Limit{100, 121, false, false}}) {
    SCOPED_TRACE(limit.ingredients);
    SetUp();
    Grid& g = editor->matrixTable;
    for (int i = 1; i <= limit.ingredients; ++i) g.SetText(i, 0, "Ing" + std::to_string(i));
    for (int c = 2; c <= limit.lastCol; ++c) g.SetText(0, c, "N" + std::to_string(c));
    dialogs.Forget();
    if (limit.ingredientAdded) dialogs.Input("Barley");
    g.SetCurrent(1, 0);
    editor->AddIngredient();
    if (limit.nutrientAdded) dialogs.Input("SODIUM");
    g.SetCurrent(0, 3);
    editor->AddNutrient();
    ASSERT_TRUE(dialogs.Done());
    EXPECT_EQ(editor->IngredientRows(), 100);
    EXPECT_EQ(editor->LastNutrientCol(), 121);
    if (limit.ingredientAdded) {
      EXPECT_TRUE(dialogs.Messages().empty());
      EXPECT_EQ(g.Text(1, 0), "Barley");
      EXPECT_EQ(g.Text(100, 0), "Ing99");
      EXPECT_EQ(g.Text(0, 121), "SODIUM");
    } else {
      EXPECT_EQ(dialogs.Messages(),
                (std::vector<std::string>{std::string(MatrixEditorForm::kTooManyIngredients),
                                          std::string(MatrixEditorForm::kTooManyNutrients)}));
      EXPECT_EQ(g.Text(1, 0), "Ing1");
      EXPECT_EQ(g.Text(0, 3), "N3");
    }
  }
}

TEST_F(MatrixEditorTest, StoringCleansPastedNamesAndStopsAtGaps) {
  Grid& g = editor->matrixTable;
  g.SetText(1, 0, "Maize\r\n");
  g.SetText(0, 16, "CALCIUM\r\n");
  g.SetText(1, 1, "0,25");
  g.SetText(1, 2, "abc");
  g.SetText(2, 2, "12.5 kcal");
  g.SetText(2, 3, "1e999");
  g.SetText(4, 0, "");  // ends the ingredients: Whey is not stored
  editor->SaveChanges();
  EXPECT_EQ(t->ingredientCount, 3);
  EXPECT_EQ(t->ingredientName[1], "Maize");
  EXPECT_EQ(t->ingredientName[4], "");
  EXPECT_EQ(t->ingredientPrice[1], 0.25);
  EXPECT_EQ(t->matrix[2][1], 0);
  EXPECT_EQ(t->matrix[2][2], 12.5);
  EXPECT_EQ(t->matrix[3][2], 0);
  EXPECT_EQ(t->nutrientName[16], "CALCIUM");
  EXPECT_EQ(t->nutrientCount, 17);

  g.SetText(0, 6, "P");  // a one-letter heading ends the nutrients
  editor->SaveChanges();
  EXPECT_EQ(t->nutrientCount, 5);
  EXPECT_EQ(t->nutrientName[6], "");
  EXPECT_EQ(t->matrix[6][1], 0);
  EXPECT_EQ(t->nutrientName[kWeightRow], "Weight");
}

class MatrixEditorFileTest : public MatrixEditorTest {
 protected:
  TempFolder temp;
  const fs::path& folder = temp.path();
};

TEST_F(MatrixEditorFileTest, SaveChangesToFileReadsBackEqualAndKeepsMovedRestrictions) {
  std::string matrixFile = (folder / "Farm1Matrix.txt").string();
  editor->matrixTable.SetCurrent(2, 0);
  dialogs.Input("Barley");
  editor->AddIngredient();
  editor->matrixTable.SetText(2, 1, "0.35");
  editor->matrixTable.SetText(2, 16, "0.08");
  editor->matrixTable.SetCurrent(0, 16);
  dialogs.Answer(Answer::OK);
  editor->DeleteNutrient();

  int loads = 0;
  MatrixFileSave save{matrixFile, MatrixSaveRequest(folder.string() + "/", "Farm1", true), [&] {
                        ++loads;
                        ReadMatrixFile(*t, matrixFile, dialogs);  // clears diets 1..5
                      }};
  ASSERT_TRUE(editor->SaveChangesToFile(save));
  ASSERT_TRUE(dialogs.Done());
  EXPECT_EQ(loads, 1);

  auto back = std::make_unique<FormulationTables>();
  ASSERT_EQ(ReadMatrixFile(*back, matrixFile, dialogs), MatrixLoad::Loaded);
  ASSERT_EQ(back->ingredientCount, 5);
  ASSERT_EQ(back->nutrientCount, 16);
  const std::vector<int> origins = {1, 0, 2, 3, 4};
  const double prices[] = {0.1, 0.35, 0.2, 0.3, 0.4};
  for (int i = 1; i <= 5; ++i) {
    SCOPED_TRACE(i);
    const int origin = origins[i - 1];
    EXPECT_EQ(back->ingredientName[i], origin ? kIngNames[origin] : "Barley");
    EXPECT_DOUBLE_EQ(back->ingredientPrice[i], prices[i - 1]);
    EXPECT_EQ(back->matrix[kWeightRow][i], 100);
    for (int r = 2; r <= 16; ++r) {
      const int originalRow = r == 16 ? 17 : r;  // calcium deleted, phosphorus moved up
      EXPECT_EQ(back->matrix[r][i], origin ? 10 * originalRow + origin : 0) << r;
    }
  }
  EXPECT_EQ(back->nutrientName[15], "VALINE");
  EXPECT_EQ(back->nutrientName[16], "PHOSPHORUS");
  EXPECT_EQ(editor->matrixTable.Text(2, 0), "Barley");
  // The reload did not put the old numbering back on the restrictions.
  ExpectIngredientOrigins({1, 0, 2, 3, 4});
  ExpectNutrientOrigins(Concat(Indices(1, 14), {16}));
}

}  // namespace
