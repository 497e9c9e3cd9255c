// Formulation: edits of the diets table that set the diets' restrictions.
#pragma once

#include <functional>

#include "formulation/Matrix.h"
#include "model/DietsTable.h"
#include "model/GrowthState.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"

// An edit of a nutrient cell of the diets table sets that diet's least-cost
// restrictions; the ratio rules keep the amino acids in step with protein or
// lysine.

// The two check boxes of the ratio rules; ticking one clears the other.
struct RatioRuleChecks {
  bool proteinRule = false;  // "When Protein Changes, Ratio Amino Acids"
  bool lysineRule = false;   // "OR When  Lysine Changes, ratio Amino Acids"
};
void SetProteinRule(RatioRuleChecks& checks, bool on);
void SetLysineRule(RatioRuleChecks& checks, bool on);

// Sets the protein maximum of a diet after its protein minimum was edited:
// the least-cost formulation's protein-margin rule, passed in by its owner.
using ProteinMarginRule = std::function<void(int diet)>;

// What an edit of the diets table reads and changes.
struct DietsEditContext {
  Grid& dietsTable;
  GrowthState& growth;  // dietNutrients of the last run are the ratio rules' base
  FormulationTables::NutrientRestrictionTable& nutrientRestrictions;
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
