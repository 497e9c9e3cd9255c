#include "formulation/ConflictMarks.h"

#include "platform/NumberFormat.h"

namespace {

constexpr int kFirstValueCol = 1;

// The colour Fill gives a value cell: peach for a restriction, white for none.
void Unmark(Grid& grid) {
  for (int row = 1; row < grid.Rows(); ++row)
    for (int col = kFirstValueCol; col < grid.Cols(); ++col) {
      if (grid.CellColor(row, col) != kConflictRed) continue;
      grid.SetCellColor(row, col, ReadNumber(grid.Text(row, col)) != 0 ? kPeach : kWhite);
    }
}

void Mark(RestrictionsForm& form, int diet, const RestrictionRef& restriction) {
  const bool minimum = restriction.kind == RestrictionKind::NutrientMinimum ||
                       restriction.kind == RestrictionKind::IngredientMinimum;
  const int col = minimum ? 2 * diet - 1 : 2 * diet;
  if (IsNutrient(restriction.kind)) {
    form.nutrientTable.SetCellColor(restriction.index + 1, col, kConflictRed);  // matrix row j + 1
  } else {
    form.ingredientTable.SetCellColor(restriction.index, col, kConflictRed);
  }
}

}  // namespace

void MarkConflictingRestrictions(RestrictionsForm& form, const FormulationState& state) {
  Unmark(form.nutrientTable);
  Unmark(form.ingredientTable);
  for (int d = 1; d <= kMaxDiets; ++d) {
    const ConflictingSet& conflict = state.conflicts[d];
    for (int k = 0; k < conflict.count; ++k) Mark(form, d, conflict.members[k].restriction);
  }
}
