// Edits of the diets table that set the diets' least-cost restrictions.
#include "formulation/DietsTableEdit.h"

#include <array>
#include <optional>

#include "platform/NumberFormat.h"

namespace {

constexpr int kPreviousMin = 0;  // the minimum the last protein or lysine edit replaced
constexpr int kMin = kMinKind;
constexpr int kMax = kMaxKind;

}  // namespace

void SetProteinRule(RatioRuleChecks& checks, bool on) {
  checks.proteinRule = on;
  if (on) checks.lysineRule = false;
}

void SetLysineRule(RatioRuleChecks& checks, bool on) {
  checks.lysineRule = on;
  if (on) checks.proteinRule = false;
}

void DietsCellEdited(DietsEditContext& context, int row, int col) {
  if (row < kDietEnergyRow || row > kDietSpareRow || !IsDietColumn(col)) return;
  const double x = DietCellNumber(context.dietsTable, row, col);
  const int j = row - kDietRowOffset;
  auto& limits = context.nutrientRestrictions[col];
  const double oldMin = limits[kMin][j];

  if (row == kDietProteinRow || row == kDietLysineRow) {
    limits[kPreviousMin][j] = oldMin;
    limits[kMin][j] = x;
    if (row == kDietProteinRow && x == 0) context.checks.proteinRule = false;
    const bool proteinRule = row == kDietProteinRow && context.checks.proteinRule;
    const bool lysineRule = row == kDietLysineRow && context.checks.lysineRule;
    if (proteinRule || lysineRule) RatioAminoAcids(context, col);
  }
  limits[kMin][j] = x;
  // The maximum keeps its distance from the minimum it had before the edit.
  if (limits[kMax][j] > 0) limits[kMax][j] = limits[kMax][j] - oldMin + x;
  if (row == kDietProteinRow && context.proteinMargin) context.proteinMargin(col);
}

void RatioAminoAcids(DietsEditContext& context, int col) {
  if (!IsDietColumn(col)) return;
  const bool proteinRule = context.checks.proteinRule;
  const bool lysineRule = !proteinRule && context.checks.lysineRule;
  if (!proteinRule && !lysineRule) return;
  Grid& grid = context.dietsTable;
  auto& limits = context.nutrientRestrictions[col];

  std::array<double, kNutrients> base{};
  for (int i = kProtein; i <= kValine; ++i) {
    const double lastRun = context.growth.dietNutrients[col][i];
    base[i] = lastRun > 0 ? lastRun : DietCellNumber(grid, i + kDietRowOffset, col);
  }
  if (base[kProtein] <= 0) {
    context.dialogs.Message("Run Current Calc First");
    return;
  }

  // Without an earlier minimum there is nothing to scale the minima by.
  std::optional<double> ratio;
  if (proteinRule) {
    if (limits[kPreviousMin][kProtein] > 0) {
      ratio = limits[kMin][kProtein] / limits[kPreviousMin][kProtein];
    }
    const double protein = DietCellNumber(grid, kDietProteinRow, col);
    for (int i = kArginine; i <= kValine; ++i) {
      grid.SetText(i + kDietRowOffset,
                   col,
                   NumberText(protein * base[i] / base[kProtein], context.growth.decimalComma));
    }
  } else {
    if (base[kLysine] <= 0) {
      context.dialogs.Message("No previous value for Lysine found");
      return;
    }
    if (limits[kPreviousMin][kLysine] == 0) limits[kPreviousMin][kLysine] = base[kLysine];
    ratio = limits[kMin][kLysine] / limits[kPreviousMin][kLysine];
    const double lysine = DietCellNumber(grid, kDietLysineRow, col);
    for (int i = kHistidine; i <= kValine; ++i) {
      grid.SetText(i + kDietRowOffset,
                   col,
                   NumberText(lysine * base[i] / base[kLysine], context.growth.decimalComma));
    }
  }
  if (!ratio) return;
  // Arginine and lysine stay out of the lysine rule, as they do above.
  const int first = lysineRule ? kHistidine : kArginine;
  for (int i = first; i <= kValine; ++i) {
    if (lysineRule && i == kLysine) continue;
    limits[kMin][i] *= *ratio;
    if (limits[kMin][i] > 0) {
      grid.SetText(
          i + kDietRowOffset, col, NumberText(limits[kMin][i], context.growth.decimalComma));
    }
  }
}
