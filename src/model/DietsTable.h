// Model: the diets table's layout, labels and reading into the growth state.
#pragma once

#include <optional>
#include <string>

#include "model/GrowthState.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"

// The diets table (dietsTable): up to eight diets side by side, column 0 the
// row labels. Row 1 the diet's name, row 2 its price, row 3 the feed allowed
// per pig, rows 4..17 net energy, protein and the twelve amino acids (nutrient
// index = row - 3), row 18 kept and filed but not used by the model.

inline constexpr int kDietsRows = 19;  // rows 0..18
inline constexpr int kDietsCols = 9;   // column 0 labels, diets 1..8
inline constexpr int kDietNameRow = 1;
inline constexpr int kDietCostRow = 2;
inline constexpr int kDietAmountRow = 3;
inline constexpr int kDietEnergyRow = 4;
inline constexpr int kDietProteinRow = 5;
inline constexpr int kDietLysineRow = 8;
inline constexpr int kDietLastNutrientRow = 17;
inline constexpr int kDietSpareRow = 18;
inline constexpr int kDietRowOffset = 3;   // nutrient index j = row - 3
inline constexpr int kRunDietColumns = 6;  // the growth run counts diets 1..6

inline constexpr const char* kDietsTip = "Changes here become min. restrictions for Least Cost";

// Writes the row labels "Diet Name" .. "Valine" into column 0, rows 1..17.
void FillDietLabels(Grid& dietsTable);

// The highest diet column from 1 to lastColumn (at most 8) whose net energy
// (row 4) is above 0; 0 when none is.
int DietsInUse(const Grid& dietsTable, int lastColumn = kRunDietColumns);

// Reads diet columns 1..pig.dietCount into the model: price as typed, feed
// allowance and energy converted to internal units, protein and amino acids
// unchanged. Cells are read leniently; empty or text cells count as 0.
void TakeDietsFromTable(const Grid& dietsTable, GrowthState& growth);

// What a click on a price or nutrient cell asks of the sources window: the
// diet, the nutrient index (-1 for the cost), the flag 0 (a nutrient or the
// cost, not an ingredient) and the window's two-line caption.
struct SourcesRequest {
  int diet = 0;
  int index = 0;
  int flag = 0;
  std::string caption;
};
std::optional<SourcesRequest> DietsCellClicked(const Grid& dietsTable, int row, int col);

// A cell read leniently: empty, text or a number that is not finite is 0.
double DietCellNumber(const Grid& grid, int row, int col);

// Columns 1..8 hold diets.
bool IsDietColumn(int col);

// The tip shown over a row: kDietsTip from row 5 down, "" above.
std::string DietsToolTip(int row);
