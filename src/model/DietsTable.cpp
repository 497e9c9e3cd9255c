#include "model/DietsTable.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/Units.h"
#include "platform/NumberFormat.h"

namespace {

const std::array<const char*, kDietLastNutrientRow + 1> kRowLabels{"",
                                                                   "Diet Name",
                                                                   "Diet Cost",
                                                                   "Weight",
                                                                   "Energy NE",
                                                                   "Protein",
                                                                   "Arginine",
                                                                   "Histidine",
                                                                   "Lysine",
                                                                   "Trypt",
                                                                   "Phe & Tyro.",
                                                                   "Phenylalanine",
                                                                   "Met + Cys",
                                                                   "Methionine",
                                                                   "Threonine",
                                                                   "Leucine",
                                                                   "Isoleucine",
                                                                   "Valine"};

std::string StrInt(int value) { return (value < 0 ? "" : " ") + std::to_string(value); }

}  // namespace

double DietCellNumber(const Grid& grid, int row, int col) {
  const double value = ReadNumber(grid.Text(row, col));
  return std::isfinite(value) ? value : 0.0;
}

bool IsDietColumn(int col) { return col >= 1 && col <= kMaxDiets; }

void FillDietLabels(Grid& dietsTable) {
  for (int r = kDietNameRow; r <= kDietLastNutrientRow; ++r)
    dietsTable.SetText(r, 0, kRowLabels[r]);
}

int DietsInUse(const Grid& dietsTable, int lastColumn) {
  lastColumn = std::clamp(lastColumn, 0, kMaxDiets);
  int inUse = 0;
  for (int c = 1; c <= lastColumn; ++c) {
    if (DietCellNumber(dietsTable, kDietEnergyRow, c) > 0) inUse = c;
  }
  return inUse;
}

void TakeDietsFromTable(const Grid& dietsTable, GrowthState& growth) {
  const int diets = std::clamp<int>(growth.dietCount, 0, kMaxDiets);
  for (int c = 1; c <= diets; ++c) {
    auto& nutrients = growth.dietNutrients[c];
    nutrients[kEnergy] =
        ConvertEnergy(growth, kToInternal, DietCellNumber(dietsTable, kDietEnergyRow, c));
    for (int i = kProtein; i <= kValine; ++i) {
      nutrients[i] = DietCellNumber(dietsTable, i + kDietRowOffset, c);
    }
    nutrients[kPrice] = DietCellNumber(dietsTable, kDietCostRow, c);
    growth.dietFeedAmount[c] =
        ConvertWeight(growth, kToInternal, DietCellNumber(dietsTable, kDietAmountRow, c));
  }
}

std::optional<SourcesRequest> DietsCellClicked(const Grid& dietsTable, int row, int col) {
  if (!IsDietColumn(col)) return std::nullopt;
  SourcesRequest request;
  request.diet = col;
  request.flag = 0;
  if (row == kDietCostRow) {
    request.index = -1;
    request.caption = "Diet " + dietsTable.Text(0, col) + "  " + "Feed Cost";
  } else if (row >= kDietEnergyRow && row <= kDietSpareRow) {
    request.index = row - kDietRowOffset;
    request.caption = "Nutrient " + StrInt(request.index) + " " + dietsTable.Text(row, 0);
  } else {
    return std::nullopt;
  }
  request.caption += "\n   Current Value is " + dietsTable.Text(row, col);
  return request;
}

std::string DietsToolTip(int row) { return row >= kDietProteinRow ? kDietsTip : ""; }
