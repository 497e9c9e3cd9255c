#include "formulation/RestrictionsForm.h"

#include <algorithm>
#include <cmath>

#include "formulation/Restrictions.h"
#include "platform/GridClipboard.h"
#include "platform/Location.h"
#include "platform/NumberFormat.h"

namespace {

constexpr std::string_view kWeightText = "100";  // the weight row is always held at 100
constexpr double kShownPlaces = 1000;            // nutrient restrictions shown to 3 decimals

int MinCol(int diet) { return 2 * diet - 1; }
int MaxCol(int diet) { return 2 * diet; }

// "Diet  1 Min Restrict": the diet number with the blank a positive number prints with.
std::string Heading(int diet, std::string_view kind) {
  return "Diet  " + std::to_string(diet) + " " + std::string(kind) + " Restrict";
}

// A written file is the one "Files in Use" shows.
bool ShownInUse(bool written, Grid& filesTable, int row, const std::string& path) {
  if (written) filesTable.SetText(row, 0, path);
  return written;
}

}  // namespace

RestrictionsForm::RestrictionsForm(Dialogs& dialogs, FormulationTables& tables, GrowthState& growth)
    : dialogs_(dialogs), tables_(tables), growth_(growth) {}

int RestrictionsForm::DietsInUse() const {
  return std::clamp<int>(growth_.dietCount, 0, kMaxDiets);
}

void RestrictionsForm::FillHeadings(Grid& grid, std::string_view corner) {
  grid.Clear();
  grid.SetEdited(false);
  for (int row = 0; row < grid.Rows(); ++row)
    for (int col = 0; col < grid.Cols(); ++col) grid.SetCellColor(row, col, kWhite);
  grid.SetText(0, 0, corner);
  for (int d = 1; d <= kMaxDiets; ++d) {
    grid.SetText(0, MinCol(d), Heading(d, "Min"));
    grid.SetText(0, MaxCol(d), Heading(d, "Max"));
  }
}

void RestrictionsForm::ShowValue(Grid& grid, int row, int col, double value) {
  grid.SetText(row, col, LocalNumberText(FullNumberText(value), growth_.decimalComma));
  if (value != 0) grid.SetCellColor(row, col, kPeach);
}

void RestrictionsForm::Fill() {
  const int nutCount = std::clamp<int>(tables_.nutrientCount, 0, kMaxNutrientRows);
  const int ingCount = std::clamp<int>(tables_.ingredientCount, 0, kMaxIngredients);
  for (int d = 1; d <= kMaxDiets; ++d)
    for (int k = kMinKind; k <= kMaxKind; ++k)
      for (int j = 1; j < nutCount; ++j) {
        double& value = tables_.nutrientRestrictions[d][k][j];
        if (value > 0) value = std::nearbyint(value * kShownPlaces) / kShownPlaces;
      }

  nutrientTable.Resize(std::max(nutCount, 1) + 1, kCols);
  FillHeadings(nutrientTable, "Nutrient Restrictions");
  for (int r = 1; r <= nutCount; ++r) nutrientTable.SetText(r, 0, tables_.nutrientName[r]);
  for (int col = 1; col <= 2 * DietsInUse(); ++col) {
    nutrientTable.SetText(kWeightRow, col, kWeightText);
    nutrientTable.SetCellColor(kWeightRow, col, kPeach);
  }
  for (int r = 2; r <= nutCount; ++r)
    for (int d = 1; d <= kMaxDiets; ++d) {
      ShowValue(nutrientTable, r, MinCol(d), tables_.nutrientRestrictions[d][kMinKind][r - 1]);
      ShowValue(nutrientTable, r, MaxCol(d), tables_.nutrientRestrictions[d][kMaxKind][r - 1]);
    }

  ingredientTable.Resize(std::max(ingCount, 1) + 1, kCols);
  FillHeadings(ingredientTable, "Ing. Restrictions");
  for (int i = 1; i <= ingCount; ++i) {
    ingredientTable.SetText(i, 0, " " + std::to_string(i) + " " + tables_.ingredientName[i]);
    for (int d = 1; d <= kMaxDiets; ++d) {
      ShowValue(ingredientTable, i, MinCol(d), tables_.ingredientRestrictions[d][kMinKind][i]);
      ShowValue(ingredientTable, i, MaxCol(d), tables_.ingredientRestrictions[d][kMaxKind][i]);
    }
  }
  nutrientTable.SetCurrent(1, 1);
  ingredientTable.SetCurrent(1, 1);
}

void RestrictionsForm::Load() {
  Fill();
  visible = true;
}

void RestrictionsForm::IngredientRowClicked(int row) {
  std::string name =
      row >= 1 && row <= kMaxIngredients ? tables_.ingredientName[row] : std::string();
  ingredientLabel = "Ingredient # " + NumberText(row, growth_.decimalComma) + " is " + name;
}

bool RestrictionsForm::KeyDown(Grid& grid, Key key, KeyModifiers modifiers) {
  if (&grid == &nutrientTable && key == Key::X && modifiers == kControlModifier) return false;
  return GridKey(grid, key, modifiers, dialogs_);
}

// Only rows the table has are stored: a cell it lacks is no value of 0.
void RestrictionsForm::KeepIngredientRestrictions() {
  const int ingCount = std::min(std::clamp<int>(tables_.ingredientCount, 0, kMaxIngredients),
                                ingredientTable.Rows() - 1);
  for (int i = 1; i <= ingCount; ++i)
    for (int d = 1; d <= DietsInUse(); ++d) {
      tables_.ingredientRestrictions[d][kMinKind][i] =
          ReadNumber(ingredientTable.Text(i, MinCol(d)));
      tables_.ingredientRestrictions[d][kMaxKind][i] =
          ReadNumber(ingredientTable.Text(i, MaxCol(d)));
    }
  // The edits are kept for the session, not yet in the file.
  if (ingredientTable.Edited()) tables_.unsaved.ingRestrictions = true;
  ingredientTable.SetEdited(false);
}

bool RestrictionsForm::KeepNutrientRestrictions() {
  if (nutrientTable.Edited()) tables_.unsaved.nutRestrictions = true;
  const int lastIndex = std::min(std::clamp<int>(tables_.nutrientCount, 0, kMaxNutrientRows),
                                 nutrientTable.Rows() - 2);
  for (int j = 1; j <= lastIndex; ++j)
    for (int d = 1; d <= DietsInUse(); ++d) {
      double minimum = ReadNumber(nutrientTable.Text(j + 1, MinCol(d)));
      double maximum = ReadNumber(nutrientTable.Text(j + 1, MaxCol(d)));
      tables_.nutrientRestrictions[d][kMinKind][j] = minimum;
      tables_.nutrientRestrictions[d][kMaxKind][j] = maximum;
      if (maximum > 0 && maximum < minimum) {
        dialogs_.Message("The Min Restriction on Diet " + std::to_string(d) + " Nutrient " +
                         nutrientTable.Text(j + 1, 0) + " is greater than the Maximum");
        return false;
      }
    }
  nutrientTable.SetEdited(false);  // every edit kept
  return true;
}

bool RestrictionsForm::SaveIngredientRestrictionsFile(RestrictionFiles files) {
  KeepIngredientRestrictions();
  const bool written =
      SaveIngRestrictions(tables_,
                          DietsInUse(),
                          dialogs_,
                          files.ingRestrictionsFile,
                          IngSaveRequest(files.dataFolder, files.locationName, false));
  return ShownInUse(written, files.filesTable, kReqIngRow, files.ingRestrictionsFile);
}

bool RestrictionsForm::SaveNutrientRestrictionsFile(RestrictionFiles files) {
  KeepNutrientRestrictions();  // the file is written even when a pair was refused
  const bool written =
      SaveNutRestrictions(tables_,
                          DietsInUse(),
                          dialogs_,
                          files.nutRestrictionsFile,
                          NutSaveRequest(files.dataFolder, files.locationName, false));
  return ShownInUse(written, files.filesTable, kReqNutRow, files.nutRestrictionsFile);
}

bool RestrictionsForm::SaveBothRestrictionFiles(RestrictionFiles files) {
  bool ingWritten = SaveIngredientRestrictionsFile(files);
  bool nutWritten = SaveNutrientRestrictionsFile(files);
  return ingWritten && nutWritten;
}
