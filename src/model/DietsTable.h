#pragma once

#include <functional>
#include <optional>
#include <string>

#include "formulation/Matrix.h"
#include "model/GlobalPig.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"

// The diets table (Griddiets): up to eight diets side by side, column 0 the
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
void DietFill(Grid& Griddiets);

// The highest diet column from 1 to lastColumn (at most 8) whose net energy
// (row 4) is above 0; 0 when none is.
int DietsInUse(const Grid& Griddiets, int lastColumn = kRunDietColumns);

// Reads diet columns 1..pig.NumDiets into the model: price as typed, feed
// allowance and energy converted to internal units, protein and amino acids
// unchanged. Cells are read leniently; empty or text cells count as 0.
void TakeDietsFromTable(const Grid& Griddiets, GlobalPig& pig);

// The two check boxes of the ratio rules; ticking one clears the other.
struct RatioRuleChecks {
  bool Check2 = false;  // "When Protein Changes, Ratio Amino Acids"
  bool Check3 = false;  // "OR When  Lysine Changes, ratio Amino Acids"
};
void SetProteinRule(RatioRuleChecks& checks, bool on);
void SetLysineRule(RatioRuleChecks& checks, bool on);

// Sets the protein maximum of a diet after its protein minimum was edited:
// the least-cost formulation's protein-margin rule, passed in by its owner.
using ProteinMarginRule = std::function<void(int diet)>;

// What an edit of the diets table reads and changes.
struct DietsEditContext {
  Grid& Griddiets;
  GlobalPig& pig;  // DietNutrients of the last run are the ratio rules' base
  FormulationTables::NutTable& NutRestrict;
  RatioRuleChecks& checks;
  Dialogs& dialogs;
  ProteinMarginRule proteinMargin;  // may be empty
};

// After an accepted edit of a nutrient cell (rows 4..18, diets 1..8): the new
// value becomes the diet's minimum restriction, a maximum moves with it, the
// selected ratio rule runs for protein or lysine, and the protein-margin rule
// sets the protein maximum. Other cells change nothing.
void DietsCellEdited(DietsEditContext& context, int row, int col);

// Keeps the amino acids of diet column `col` in proportion to the new
// protein (protein rule) or lysine (lysine rule). Shows "Run Current Calc
// First" when no protein value is known and "No previous value for Lysine
// found" when no lysine value is known, changing nothing then.
void RatioAminoAcids(DietsEditContext& context, int col);

// What a click on a price or nutrient cell asks of the sources window: the
// diet, the nutrient index (-1 for the cost), the flag 0 (a nutrient or the
// cost, not an ingredient) and the window's two-line caption.
struct SourcesRequest {
  int diet = 0;
  int index = 0;
  int flag = 0;
  std::string caption;
};
std::optional<SourcesRequest> DietsCellClicked(const Grid& Griddiets, int row, int col);

// The tip shown over a row: kDietsTip from row 5 down, "" above.
std::string DietsToolTip(int row);
