#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "formulation/Matrix.h"
#include "formulation/MatrixEditorForm.h"
#include "support/ScriptedDialogs.h"

namespace {

constexpr int kIngredients = 4;
constexpr int kRowsUsed = 17;  // the fifteen standard rows, calcium and phosphorus

const char* const kIngNames[kIngredients + 1] = {"", "Corn", "Soybean meal", "Fish meal", "Whey"};

// Name of matrix row r before any edit.
std::string OriginalNutName(int r) {
  if (r <= kStandardNutrientRows) return std::string(StandardNutrientName(r));
  return r == 16 ? "CALCIUM" : "PHOSPHORUS";
}

// Every restriction carries where it came from: diet, kind and ingredient
// (or nutrient index), so a moved restriction shows its origin; the copy as
// read from the file is 0.5 above it.
double Tag(int d, int k, int slot) { return 1000.0 * d + 100.0 * k + slot; }
constexpr double kFileOffset = 0.5;

// An edit of the ingredient rows ('a' add at row, 'd' delete row, 'c' delete
// but cancel) or the nutrient columns ('a' add at column, 'd' delete, 'x'
// delete refused without a question). The added ones are named New1, New2...
struct Edit {
  char kind;
  int at;
};

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
          t->ingredientRestrictions[d][k][i] = Tag(d, k, i);
          t->ingredientRestrictionsInFile[d][k][i] = Tag(d, k, i) + kFileOffset;
        }
        for (int j = 1; j < kRowsUsed; ++j) {
          t->nutrientRestrictions[d][k][j] = Tag(d, k, j);
          t->nutrientRestrictionsInFile[d][k][j] = Tag(d, k, j) + kFileOffset;
        }
      }
    growth.dietCount = 3;
    displayNutColumns = 16;
    editor = std::make_unique<MatrixEditorForm>(dialogs, *t, growth, displayNutColumns);
    editor->Fill();
  }

  // After a store, slot p of `kept` and `inFile` holds the restrictions of
  // original slot origins[p - 1] (0: a new one, none) in every diet and kind.
  static void ExpectOrigins(const auto& kept,
                            const auto& inFile,
                            const std::vector<int>& origins,
                            int lastSlot) {
    for (int p = 1; p <= lastSlot; ++p) {
      const int origin = p <= static_cast<int>(origins.size()) ? origins[p - 1] : 0;
      for (int d = 1; d <= kMaxDiets; ++d)
        for (int k = 0; k <= kMaxKind; ++k) {
          SCOPED_TRACE("slot " + std::to_string(p) + " diet " + std::to_string(d));
          ASSERT_EQ(kept[d][k][p], origin ? Tag(d, k, origin) : 0);
          ASSERT_EQ(inFile[d][k][p], origin ? Tag(d, k, origin) + kFileOffset : 0);
        }
    }
  }
  void ExpectIngredientOrigins(const std::vector<int>& origins) {
    ExpectOrigins(
        t->ingredientRestrictions, t->ingredientRestrictionsInFile, origins, kMaxIngredients);
  }
  void ExpectNutrientOrigins(const std::vector<int>& origins) {
    ExpectOrigins(t->nutrientRestrictions, t->nutrientRestrictionsInFile, origins, 120);
    for (int d = 1; d <= kMaxDiets; ++d) ASSERT_EQ(t->nutrientRestrictions[d][kMinKind][0], 100);
  }

  // Makes the edits on the ingredient rows or the nutrient columns, then
  // stores the table.
  void Store(const std::vector<Edit>& edits, bool rows) {
    int added = 0;
    for (const Edit& e : edits) {
      editor->matrixTable.SetCurrent(rows ? e.at : 0, rows ? 0 : e.at);
      if (e.kind == 'a') {
        dialogs.Input("New" + std::to_string(++added));
        rows ? editor->AddIngredient() : editor->AddNutrient();
        continue;
      }
      if (e.kind != 'x') dialogs.Answer(e.kind == 'd' ? Answer::OK : Answer::Cancel);
      rows ? editor->DeleteIngredient() : editor->DeleteNutrient();
    }
    editor->SaveChanges();
  }

  ScriptedDialogs dialogs;
  GrowthState growth;
  int displayNutColumns = 16;
  std::unique_ptr<FormulationTables> t;
  std::unique_ptr<MatrixEditorForm> editor;
};

// After the edits are stored, slot p holds original number origins[p - 1],
// or 0 for the added ones, in the order they were added.
struct EditCase {
  const char* title;
  std::vector<Edit> edits;
  std::vector<int> origins;
  int displayColumns = 16;
};

TEST_F(MatrixEditorTest, IngredientRestrictionsFollowTheirIngredientThroughEdits) {
  const std::vector<EditCase> cases = {
      {"insert at row 2", {{'a', 2}}, {1, 0, 2, 3, 4}},
      {"append from the heading row", {{'a', 0}}, {1, 2, 3, 4, 0}},
      {"delete row 2", {{'d', 2}}, {1, 3, 4}},
      {"cancelled delete", {{'c', 2}}, {1, 2, 3, 4}},
      {"two inserts before one store", {{'a', 2}, {'a', 4}}, {1, 0, 2, 0, 3, 4}},
      {"insert then delete below it", {{'a', 1}, {'d', 3}}, {0, 1, 3, 4}},
      {"delete the last", {{'d', 4}}, {1, 2, 3}},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.title);
    SetUp();
    Store(c.edits, true);
    ASSERT_TRUE(dialogs.Done());
    ASSERT_EQ(t->ingredientCount, static_cast<int>(c.origins.size()));
    int added = 0;
    for (size_t p = 0; p < c.origins.size(); ++p) {
      const int slot = static_cast<int>(p) + 1;
      const int origin = c.origins[p];
      EXPECT_EQ(t->ingredientName[slot],
                origin ? kIngNames[origin] : "New" + std::to_string(++added));
      // A new ingredient's cells start as "0"; an old one keeps its values.
      EXPECT_EQ(t->matrix[16][slot], origin ? 160 + origin : 0);
      EXPECT_DOUBLE_EQ(t->ingredientPrice[slot], origin ? 0.1 * origin : 0);
    }
    EXPECT_EQ(t->ingredientName[c.origins.size() + 1], "");
    ExpectIngredientOrigins(c.origins);
  }
}

std::vector<int> Indices(int first, int last, std::vector<int> then = {}) {
  std::vector<int> v;
  for (int j = first; j <= last; ++j) v.push_back(j);
  v.insert(v.end(), then.begin(), then.end());
  return v;
}

// Nutrient index j is matrix row j + 1; the free rows start at index 13
// (row 14, isoleucine), whatever edits were made before them.
TEST_F(MatrixEditorTest, NutrientRestrictionsFollowTheirNutrientThroughEdits) {
  const std::vector<EditCase> cases = {
      {"delete calcium (column 16)", {{'d', 16}}, Indices(1, 14, {16}), 15},
      {"delete isoleucine (column 14)", {{'d', 14}}, Indices(1, 12, {14, 15, 16}), 15},
      {"insert at column 16", {{'a', 16}}, Indices(1, 14, {0, 15, 16})},
      {"insert at a standard column goes after the last", {{'a', 5}}, Indices(1, 16, {0})},
      {"delete below column 14 is refused", {{'x', 13}}, Indices(1, 16)},
      {"insert then delete after it", {{'a', 16}, {'d', 17}}, Indices(1, 14, {0, 16}), 15},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.title);
    SetUp();
    Store(c.edits, false);
    ASSERT_TRUE(dialogs.Done());
    EXPECT_EQ(displayNutColumns, c.displayColumns);
    ASSERT_EQ(t->nutrientCount, static_cast<int>(c.origins.size()) + 1);
    int added = 0;
    for (size_t j = 13; j <= c.origins.size(); ++j) {
      const int origin = c.origins[j - 1];
      // The values move with their nutrient; a new one is empty, stored as 0.
      EXPECT_EQ(t->nutrientName[j + 1],
                origin ? OriginalNutName(origin + 1) : "New" + std::to_string(++added));
      EXPECT_EQ(t->matrix[j + 1][2], origin ? 10 * (origin + 1) + 2 : 0) << j;
    }
    EXPECT_EQ(t->nutrientName[t->nutrientCount + 1], "");
    ExpectNutrientOrigins(c.origins);
  }
}

// One row and one column short of the limits an ingredient and a nutrient
// still go in; at the limits both are refused with a message.
TEST_F(MatrixEditorTest, TableLimitsRefuseInsertionWithAMessage) {
  for (const bool full : {false, true}) {
    SCOPED_TRACE(full);
    SetUp();
    Grid& g = editor->matrixTable;
    for (int i = 1; i <= (full ? 100 : 99); ++i) g.SetText(i, 0, "Ing" + std::to_string(i));
    for (int c = 2; c <= (full ? 121 : 120); ++c) g.SetText(0, c, "N" + std::to_string(c));
    dialogs.Forget();
    if (!full) dialogs.Input("Barley").Input("SODIUM");
    g.SetCurrent(1, 0);
    editor->AddIngredient();
    EXPECT_EQ(g.Edited(), !full);
    g.SetCurrent(0, 3);
    editor->AddNutrient();
    ASSERT_TRUE(dialogs.Done());
    EXPECT_EQ(editor->IngredientRows(), 100);
    EXPECT_EQ(dialogs.Messages().size(), full ? 2u : 0u);
    EXPECT_EQ(g.Text(1, 0), full ? "Ing1" : "Barley");
    EXPECT_EQ(g.Text(0, 121), full ? "N121" : "SODIUM");
  }
}

TEST_F(MatrixEditorTest, StoringCleansPastedNamesAndStopsAtGaps) {
  Grid& g = editor->matrixTable;
  dialogs.Input("");  // an empty name adds nothing
  editor->AddNutrient();
  EXPECT_EQ(editor->LastNutrientCol(), 17);
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
  EXPECT_EQ(t->ingredientPrice[1], 0.25);
  EXPECT_EQ(t->matrix[2][2], 12.5);
  EXPECT_EQ(t->nutrientName[16], "CALCIUM");

  g.SetText(0, 6, "P");  // a one-letter heading ends the nutrients
  editor->SaveChanges();
  EXPECT_EQ(t->nutrientCount, 5);
  EXPECT_EQ(t->matrix[6][1], 0);
}

}  // namespace
