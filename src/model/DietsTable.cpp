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

void DietFill(Grid& Griddiets) {
  for (int r = kDietNameRow; r <= kDietLastNutrientRow; ++r) Griddiets.SetText(r, 0, kRowLabels[r]);
}

int DietsInUse(const Grid& Griddiets, int lastColumn) {
  lastColumn = std::clamp(lastColumn, 0, kMaxDiets);
  int inUse = 0;
  for (int c = 1; c <= lastColumn; ++c) {
    if (DietCellNumber(Griddiets, kDietEnergyRow, c) > 0) inUse = c;
  }
  return inUse;
}

void TakeDietsFromTable(const Grid& Griddiets, GlobalPig& pig) {
  const int diets = std::clamp<int>(pig.NumDiets, 0, kMaxDiets);
  for (int c = 1; c <= diets; ++c) {
    auto& nutrients = pig.DietNutrients[c];
    nutrients[kEnergy] =
        ConvertEnergy(pig, kToInternal, DietCellNumber(Griddiets, kDietEnergyRow, c));
    for (int i = kProtein; i <= kValine; ++i) {
      nutrients[i] = DietCellNumber(Griddiets, i + kDietRowOffset, c);
    }
    nutrients[kPrice] = DietCellNumber(Griddiets, kDietCostRow, c);
    pig.DietFeedAmount[c] =
        ConvertWeight(pig, kToInternal, DietCellNumber(Griddiets, kDietAmountRow, c));
  }
}

std::optional<SourcesRequest> DietsCellClicked(const Grid& Griddiets, int row, int col) {
  if (!IsDietColumn(col)) return std::nullopt;
  SourcesRequest request;
  request.diet = col;
  request.flag = 0;
  if (row == kDietCostRow) {
    request.index = -1;
    request.caption = "Diet " + Griddiets.Text(0, col) + "  " + "Feed Cost";
  } else if (row >= kDietEnergyRow && row <= kDietSpareRow) {
    request.index = row - kDietRowOffset;
    request.caption = "Nutrient " + StrInt(request.index) + " " + Griddiets.Text(row, 0);
  } else {
    return std::nullopt;
  }
  request.caption += "\n   Current Value is " + Griddiets.Text(row, col);
  return request;
}

std::string DietsToolTip(int row) { return row >= kDietProteinRow ? kDietsTip : ""; }
