// Least-cost diet formulation: the cheapest mix of ingredients meeting a
// diet's minima and maxima, by linear programming (the solver behind SolveLp).

#include "formulation/LeastCost.h"

#include <algorithm>
#include <string>

#include "formulation/ConflictingRestrictions.h"
#include "formulation/Restrictions.h"
#include "platform/NumberFormat.h"

namespace {

constexpr int kWeightIndex = 0;              // nutrient index of the weight row
constexpr int kProteinIndex = 2;             // nutrient index of crude protein
constexpr int kEmptyRow = kMinimumRows + 1;  // row 62: no coefficients, right-hand side 100

bool ValidDiet(int diet) { return diet >= 1 && diet <= kMaxDiets; }

int DietsInUse(const GrowthState& growth) {
  return std::clamp<int>(growth.dietCount, 0, kMaxDiets);
}

int Ingredients(const FormulationTables& tables) {
  return std::clamp<int>(tables.ingredientCount, 0, kMaxIngredients);
}

// The highest nutrient index with a matrix row: rows 1..nutrientCount are in use.
int LastNutrientIndex(const FormulationTables& tables) {
  return std::clamp<int>(tables.nutrientCount, 0, kMaxNutrientRows) - 1;
}

bool Speaks(const LeastCostContext& context) { return context.state.optMode == kOptModeOff; }

// Shows the message that `text()` makes, only outside an optimization: while
// one runs nothing is shown and no text is made.
template <class MakeText>
void Say(LeastCostContext& context, MakeText&& text) {
  if (Speaks(context)) context.dialogs.Message(text());
}

// A number as a print statement writes it: a blank before a positive one.
std::string Printed(int value) { return (value < 0 ? "" : " ") + std::to_string(value); }

double NutMin(const FormulationTables& t, int diet, int j) {
  return t.nutrientRestrictions[diet][kMinKind][j];
}
double NutMax(const FormulationTables& t, int diet, int j) {
  return t.nutrientRestrictions[diet][kMaxKind][j];
}
double IngMin(const FormulationTables& t, int diet, int i) {
  return t.ingredientRestrictions[diet][kMinKind][i];
}
double IngMax(const FormulationTables& t, int diet, int i) {
  return t.ingredientRestrictions[diet][kMaxKind][i];
}

bool HasIngredientMinimum(const FormulationTables& t, int diet, int c) {
  return std::max(IngMin(t, diet, c), 0.0) > 0;
}

bool HasIngredientMaximum(const FormulationTables& t, int diet, int c) {
  const double maximum = IngMax(t, diet, c);
  return maximum != 0 && maximum < kFullInclusion;
}

// Matrix rows restricted by the minimum rows of `diet`, in row order: rows
// 1..15 always, then every further row with a minimum or a maximum.
int MinimumRows(const FormulationTables& t, int diet, std::array<int, kMaxNutrientRows + 1>& rows) {
  int count = 0;
  for (int row = 1; row <= kStandardMinimumRows; ++row) rows[++count] = row;
  for (int j = kStandardMinimumRows; j <= LastNutrientIndex(t); ++j) {
    if (NutMin(t, diet, j) != 0 || NutMax(t, diet, j) != 0) rows[++count] = j + 1;
  }
  return count;
}

// Rows the program of `diet` needs in all, given its minimum rows.
int RowsNeeded(const FormulationTables& t,
               int diet,
               const std::array<int, kMaxNutrientRows + 1>& rows,
               int minimumRows) {
  int needed = kEmptyRow;
  for (int r = 1; r <= minimumRows; ++r) {
    if (NutMax(t, diet, rows[r] - 1) > 0) ++needed;
  }
  for (int c = 1; c <= Ingredients(t); ++c) {
    needed += HasIngredientMinimum(t, diet, c) + HasIngredientMaximum(t, diet, c);
  }
  return needed;
}

// While the diet optimization runs, the protein maximum of the diet follows
// its band, and every diet without a protein maximum gets minimum + 0.25.
void SetProteinMaxima(LeastCostContext& context, int diet) {
  auto& nut = context.tables.nutrientRestrictions;
  ApplyProteinMargin(context, diet);
  for (int d = 1; d <= DietsInUse(context.growth); ++d) {
    if (nut[d][kMaxKind][kProteinIndex] == 0) {
      nut[d][kMaxKind][kProteinIndex] = nut[d][kMinKind][kProteinIndex] + kProteinBandDefault;
    }
  }
}

// Empties the coefficients and row types that earlier builds wrote; the
// right-hand sides stay.
void ClearLpTables(FormulationState& state) {
  for (int r = 1; r <= state.rowsWritten; ++r) {
    auto& row = state.lp.matrix[r];
    std::fill(row.begin() + 1, row.begin() + 1 + state.columnsWritten, 0.0);
  }
  state.lp.rowType.fill(0);
  state.rowsWritten = 0;
  state.columnsWritten = 0;
}

// Appends a row with coefficient 1 for ingredient c.
void AppendIngredientRow(
    LpProblem& lp, DietProgramRows& program, int c, std::int32_t type, double rhs) {
  const int r = ++lp.rowCount;
  lp.matrix[r][c] = 1;
  lp.matrix[r][0] = rhs;
  lp.rowType[r] = type;
  program.row[r] = {
      type == kLpAtLeast ? RestrictionKind::IngredientMinimum : RestrictionKind::IngredientMaximum,
      c};
}

}  // namespace

void ApplyProteinMargin(LeastCostContext& context, int diet) {
  if (!ValidDiet(diet)) return;
  auto& protein = context.tables.nutrientRestrictions[diet];
  const double band = context.state.proteinBand[diet];
  protein[kMaxKind][kProteinIndex] = band == 0 ? 0 : protein[kMinKind][kProteinIndex] + band;
  if (protein[kMaxKind][kProteinIndex] == 0) {
    protein[kMaxKind][kProteinIndex] = protein[kMinKind][kProteinIndex] + kProteinBandDefault;
  }
}

void ClearFormulationTables(FormulationState& state) {
  for (int r = 1; r <= kLpMaxRows; ++r) state.lp.matrix[r].fill(0.0);
  state.lp.rowType.fill(0);
  state.lp.rowCount = 0;
  state.lp.ingredientCount = 0;
  state.lp.ingredientPrice.fill(0.0);
  state.rowNutrient.fill(0);
  state.answer.solution.fill(0.0);
  for (auto& program : state.programRows) program.rowCount = 0;
  for (auto& conflict : state.conflicts) conflict.count = 0;
  for (auto& diet : state.dietInclusion) diet.fill(0.0);
  state.builtDiet = 0;
  state.rowsWritten = 0;
  state.columnsWritten = 0;
}

std::string SolveDietErrorText(LpStatus status) {
  const int number = status == LpStatus::InvalidInput ? kErrorInvalidCall : kErrorInternal;
  return "Error " + std::to_string(number) + " (" + LpStatusText(status) +
         ") in procedure {LPCOST} of Calculations";
}

void CheckRestrictions(LeastCostContext& context) {
  FormulationTables& t = context.tables;
  for (int d = 1; d <= DietsInUse(context.growth); ++d) {
    for (int i = 1; i <= Ingredients(t); ++i) {
      const double maximum = IngMax(t, d, i);
      if (maximum > 0 && maximum < IngMin(t, d, i)) {
        Say(context, [&] {
          return t.ingredientName[i] + " in diet " + Printed(d) +
                 " has a maximum limit less than its minimum";
        });
      }
    }
    for (int j = 1; j <= std::clamp<int>(t.nutrientCount, 0, kMaxNutrientIndex); ++j) {
      auto& kinds = t.nutrientRestrictions[d];
      if (kinds[kMaxKind][j] > 0 && kinds[kMaxKind][j] < kinds[kMinKind][j]) {
        kinds[kMaxKind][j] = kinds[kMinKind][j];
      }
    }
  }
}

bool BuildLp(LeastCostContext& context, int diet) {
  FormulationState& s = context.state;
  const FormulationTables& t = context.tables;
  s.builtDiet = 0;
  if (!ValidDiet(diet)) return false;
  DietProgramRows& program = s.programRows[diet];
  program.rowCount = 0;
  if (s.optMode == kOptModeRunning) SetProteinMaxima(context, diet);
  CheckRestrictions(context);

  std::array<int, kMaxNutrientRows + 1> rows{};
  const int minimumRows = MinimumRows(t, diet, rows);
  if (minimumRows > kMinimumRows || RowsNeeded(t, diet, rows, minimumRows) > kLpMaxRows) {
    Say(context, [&] {
      return "Too many Restrictions for Diet " + Printed(diet) +
             ".  The diet needs more rows than a formulation holds and was not formulated.";
    });
    return false;
  }

  LpProblem& lp = s.lp;
  const int n = Ingredients(t);
  ClearLpTables(s);
  program.row.fill({});
  lp.ingredientCount = n;
  for (int c = 1; c <= n; ++c) lp.ingredientPrice[c] = t.ingredientPrice[c];

  // Minimum rows: the weight row fixed at 100, every other row at least its minimum.
  for (int r = 1; r <= minimumRows; ++r) {
    const int row = rows[r];
    s.rowNutrient[r] = row;
    for (int c = 1; c <= n; ++c) lp.matrix[r][c] = t.matrix[row][c] / 100;
    if (r == 1) {
      lp.matrix[r][0] = kWeightRowValue;
      lp.rowType[r] = kLpEqual;
      program.row[r] = {RestrictionKind::Total, row - 1};
    } else {
      lp.matrix[r][0] = NutMin(t, diet, row - 1);
      lp.rowType[r] = kLpAtLeast;
      if (lp.matrix[r][0] != 0) program.row[r] = {RestrictionKind::NutrientMinimum, row - 1};
    }
  }

  // Maximum rows, after the empty row 62.
  lp.rowCount = kEmptyRow;
  lp.matrix[kEmptyRow][0] = kWeightRowValue;
  for (int r = 1; r <= minimumRows; ++r) {
    const double maximum = NutMax(t, diet, rows[r] - 1);
    if (maximum <= 0) continue;
    const int m = ++lp.rowCount;
    std::copy(lp.matrix[r].begin() + 1, lp.matrix[r].begin() + 1 + n, lp.matrix[m].begin() + 1);
    lp.matrix[m][0] = maximum;
    lp.rowType[m] = kLpAtMost;
    // The weight row's maximum of 100 repeats the total.
    program.row[m] = {r == 1 ? RestrictionKind::Total : RestrictionKind::NutrientMaximum,
                      rows[r] - 1};
  }

  // Ingredient rows, minimum before maximum; a maximum of -1 holds it at 0.
  for (int c = 1; c <= n; ++c) {
    if (HasIngredientMinimum(t, diet, c))
      AppendIngredientRow(lp, program, c, kLpAtLeast, IngMin(t, diet, c));
    if (HasIngredientMaximum(t, diet, c)) {
      AppendIngredientRow(lp, program, c, kLpAtMost, std::max(IngMax(t, diet, c), 0.0));
    }
  }
  program.rowCount = lp.rowCount;
  s.rowsWritten = lp.rowCount;
  s.columnsWritten = n;
  s.builtDiet = diet;

  if (lp.rowCount > kLpRowWarning) {
    Say(context, [&] { return "Too many Restrictions for Diet " + Printed(diet); });
  }
  return true;
}

void SolveDiet(LeastCostContext& context, int diet) {
  FormulationState& s = context.state;
  if (!ValidDiet(diet)) return;
  s.dietProblems[diet] = 0;
  s.conflicts[diet].count = 0;
  if (s.builtDiet != diet) {
    // Refused by BuildLp: nothing to solve, and no stale diet stands.
    s.dietProblems[diet] = 1;
    return;
  }
  const LpStatus status = SolveLp(s.solvers[diet], s.lp, s.answer);
  if (status == LpStatus::LibraryError || status == LpStatus::InvalidInput) {
    Say(context, [&] { return SolveDietErrorText(status); });
    s.dietProblems[diet] = 1;
    return;
  }
  JudgeLpAnswer(context, diet, s.answer.solution);
}

void JudgeLpAnswer(LeastCostContext& context,
                   int diet,
                   const std::array<double, kLpMaxColumns + 1>& solution) {
  FormulationState& s = context.state;
  FormulationTables& t = context.tables;
  if (!ValidDiet(diet)) return;
  const int n = Ingredients(t);
  int problems = 0;
  s.dietProblems[diet] = 0;
  t.nutrientRestrictions[diet][kMinKind][kWeightIndex] = kWeightRowValue;
  t.nutrientRestrictions[diet][kMaxKind][kWeightIndex] = kWeightRowValue;

  auto& inclusion = s.dietInclusion[diet];
  double total = 0;
  for (int c = 1; c <= n; ++c) {
    inclusion[c] = solution[c] > 0 ? solution[c] : 0;
    total += inclusion[c];
  }
  if (total < kTotalLow || total > kTotalHigh) ++problems;
  s.dietProblems[diet] = static_cast<std::int16_t>(problems);

  auto& levels = context.growth.dietNutrients[diet];
  for (int j = 0; j <= LastNutrientIndex(t); ++j) {
    double level = 0;
    for (int c = 1; c <= n; ++c) level += t.matrix[j + 1][c] * inclusion[c] / 100;
    levels[j] = level;
    const double minimum = NutMin(t, diet, j);
    const double maximum = NutMax(t, diet, j);
    if (level > 0 && level < kLevelLowFactor * minimum) {
      s.dietProblems[diet] = static_cast<std::int16_t>(++problems);
      Say(context, [&] {
        return "Infeasible diet " + std::to_string(diet) + " with " + t.nutrientName[j + 1] +
               ". Target is " + FullNumberText(minimum) + " and Result is " + FullNumberText(level);
      });
    }
    if (maximum > 0 && level > kLevelHighFactor * maximum) {
      s.dietProblems[diet] = static_cast<std::int16_t>(++problems);
    }
  }
  if (s.dietProblems[diet] > 0) return;  // levels[0] keeps the weight total

  for (int c = 1; c <= n; ++c) {
    const double minimum = IngMin(t, diet, c);
    if (minimum <= 0 || IngMax(t, diet, c) == kNoIngredient) continue;
    if (inclusion[c] * kIngredientLowFactor >= minimum) continue;
    if (!Speaks(context)) {
      s.dietProblems[diet] = 1;
      continue;
    }
    Say(context, [&] {
      return "WARNING - Diet " + Printed(diet) + " has less than the minimum of " +
             t.ingredientName[c] +
             ".  Check Nutrient Values and Max restrictions that it provides.";
    });
  }
  if (s.dietProblems[diet] > 0) return;

  double cost = 0;
  for (int c = 1; c <= n; ++c) cost += inclusion[c] * t.ingredientPrice[c] / 100;
  s.dietCost[diet] = cost;
  levels[kWeightIndex] = cost;
}

void ShowDietResult(const LeastCostContext& context, int diet, Grid& dietsTable) {
  if (!ValidDiet(diet)) return;
  const bool comma = context.growth.decimalComma;
  const auto& levels = context.growth.dietNutrients[diet];
  if (context.state.dietProblems[diet] != 0) {
    dietsTable.SetText(2, diet, NumberText(levels[kWeightIndex], comma) + " Infeas");
    return;
  }
  dietsTable.SetText(2, diet, NumberText(context.state.dietCost[diet], comma));
  for (int j = 1; j <= LastNutrientIndex(context.tables); ++j) {
    dietsTable.SetText(j + 3, diet, NumberText(levels[j], comma));
  }
}

bool RunLp(LeastCostContext& context, Grid& dietsTable) {
  FormulationTables& t = context.tables;
  FormulationState& s = context.state;
  if (t.ingredientPrice[1] == 0) {
    Say(context, [] { return std::string("Prices are missing"); });
    return false;
  }
  bool allFormulated = true;
  for (int d = 1; d <= DietsInUse(context.growth); ++d) {
    const auto& protein = t.nutrientRestrictions[d];
    s.proteinBand[d] =
        std::max(protein[kMaxKind][kProteinIndex] - protein[kMinKind][kProteinIndex], 0.0);
    BuildLp(context, d);
    SolveDiet(context, d);
    if (s.dietProblems[d] > 0) {
      allFormulated = false;
      if (Speaks(context)) FindConflictingRestrictions(s, d);
      Say(context, [&context, d] {
        return context.state.conflicts[d].count > 0
                   ? ConflictText(context.tables, context.growth, d, context.state.conflicts[d])
                   : "Diet No " + std::to_string(d) + " was Infeasible";
      });
    }
    dietsTable.SetText(2, d, NumberText(s.dietCost[d], context.growth.decimalComma));
    ShowDietResult(context, d, dietsTable);
  }
  return allFormulated;
}
