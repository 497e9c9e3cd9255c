#include "formulation/Restrict.h"

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
bool ShownInUse(bool written, Grid& gridFILES, int row, const std::string& path) {
  if (written) gridFILES.SetText(row, 0, path);
  return written;
}

}  // namespace

Restrict::Restrict(Dialogs& dialogs, FormulationTables& tables, GrowthState& growth)
    : dialogs_(dialogs), tables_(tables), growth_(growth) {}

int Restrict::DietsInUse() const { return std::clamp<int>(growth_.dietCount, 0, kMaxDiets); }

void Restrict::FillHeadings(Grid& grid, std::string_view corner) {
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

void Restrict::ShowValue(Grid& grid, int row, int col, double value) {
  grid.SetText(row, col, LocalNumberText(FullNumberText(value), growth_.decimalComma));
  if (value != 0) grid.SetCellColor(row, col, kPeach);
}

void Restrict::Fill() {
  const int nutCount = std::clamp<int>(tables_.NutCount, 0, kMaxNutrientRows);
  const int ingCount = std::clamp<int>(tables_.ingredientCount, 0, kMaxIngredients);
  for (int d = 1; d <= kMaxDiets; ++d)
    for (int k = kMinKind; k <= kMaxKind; ++k)
      for (int j = 1; j < nutCount; ++j) {
        double& value = tables_.NutRestrict[d][k][j];
        if (value > 0) value = std::nearbyint(value * kShownPlaces) / kShownPlaces;
      }

  NUTS.Resize(std::max(nutCount, 1) + 1, kCols);
  FillHeadings(NUTS, "Nutrient Restrictions");
  for (int r = 1; r <= nutCount; ++r) NUTS.SetText(r, 0, tables_.NutName[r]);
  for (int col = 1; col <= 2 * DietsInUse(); ++col) {
    NUTS.SetText(kWeightRow, col, kWeightText);
    NUTS.SetCellColor(kWeightRow, col, kPeach);
  }
  for (int r = 2; r <= nutCount; ++r)
    for (int d = 1; d <= kMaxDiets; ++d) {
      ShowValue(NUTS, r, MinCol(d), tables_.NutRestrict[d][kMinKind][r - 1]);
      ShowValue(NUTS, r, MaxCol(d), tables_.NutRestrict[d][kMaxKind][r - 1]);
    }

  GridRestrict.Resize(std::max(ingCount, 1) + 1, kCols);
  FillHeadings(GridRestrict, "Ing. Restrictions");
  for (int i = 1; i <= ingCount; ++i) {
    GridRestrict.SetText(i, 0, " " + std::to_string(i) + " " + tables_.IngName[i]);
    for (int d = 1; d <= kMaxDiets; ++d) {
      ShowValue(GridRestrict, i, MinCol(d), tables_.IngRestrict[d][kMinKind][i]);
      ShowValue(GridRestrict, i, MaxCol(d), tables_.IngRestrict[d][kMaxKind][i]);
    }
  }
  NUTS.SetCurrent(1, 1);
  GridRestrict.SetCurrent(1, 1);
}

void Restrict::Load() {
  Fill();
  visible = true;
}

void Restrict::GridRestrictClick(int row) {
  std::string name = row >= 1 && row <= kMaxIngredients ? tables_.IngName[row] : std::string();
  IngLabel = "Ingredient # " + NumberText(row, growth_.decimalComma) + " is " + name;
}

bool Restrict::KeyDown(Grid& grid, Key key, KeyModifiers modifiers) {
  if (&grid == &NUTS && key == Key::X && modifiers == kControlModifier) return false;
  return GridKey(grid, key, modifiers, dialogs_);
}

// Only rows the table has are stored: a cell it lacks is no value of 0.
void Restrict::SaveIngSes() {
  const int ingCount = std::min(std::clamp<int>(tables_.ingredientCount, 0, kMaxIngredients),
                                GridRestrict.Rows() - 1);
  for (int i = 1; i <= ingCount; ++i)
    for (int d = 1; d <= DietsInUse(); ++d) {
      tables_.IngRestrict[d][kMinKind][i] = ReadNumber(GridRestrict.Text(i, MinCol(d)));
      tables_.IngRestrict[d][kMaxKind][i] = ReadNumber(GridRestrict.Text(i, MaxCol(d)));
    }
  // The edits are kept for the session, not yet in the file.
  if (GridRestrict.Edited()) tables_.unsaved.ingRestrictions = true;
  GridRestrict.SetEdited(false);
}

bool Restrict::SaveNutSes() {
  if (NUTS.Edited()) tables_.unsaved.nutRestrictions = true;
  const int lastIndex =
      std::min(std::clamp<int>(tables_.NutCount, 0, kMaxNutrientRows), NUTS.Rows() - 2);
  for (int j = 1; j <= lastIndex; ++j)
    for (int d = 1; d <= DietsInUse(); ++d) {
      double minimum = ReadNumber(NUTS.Text(j + 1, MinCol(d)));
      double maximum = ReadNumber(NUTS.Text(j + 1, MaxCol(d)));
      tables_.NutRestrict[d][kMinKind][j] = minimum;
      tables_.NutRestrict[d][kMaxKind][j] = maximum;
      if (maximum > 0 && maximum < minimum) {
        dialogs_.Message("The Min Restriction on Diet " + std::to_string(d) + " Nutrient " +
                         NUTS.Text(j + 1, 0) + " is greater than the Maximum");
        return false;
      }
    }
  NUTS.SetEdited(false);  // every edit kept
  return true;
}

bool Restrict::SaveIngFile(RestrictionFiles files) {
  SaveIngSes();
  const bool written =
      SaveIngRestrictions(tables_,
                          DietsInUse(),
                          dialogs_,
                          files.ingRestrictionsFile,
                          IngSaveRequest(files.dataFolder, files.LocationName, false));
  return ShownInUse(written, files.gridFILES, kReqIngRow, files.ingRestrictionsFile);
}

bool Restrict::SaveNutFile(RestrictionFiles files) {
  SaveNutSes();  // the file is written even when a pair was refused
  const bool written =
      SaveNutRestrictions(tables_,
                          DietsInUse(),
                          dialogs_,
                          files.nutRestrictionsFile,
                          NutSaveRequest(files.dataFolder, files.LocationName, false));
  return ShownInUse(written, files.gridFILES, kReqNutRow, files.nutRestrictionsFile);
}

bool Restrict::SaveFile(RestrictionFiles files) {
  bool ingWritten = SaveIngFile(files);
  bool nutWritten = SaveNutFile(files);
  return ingWritten && nutWritten;
}
