// Sensitivity of a least-cost diet: duals and ranging of its optimal basis,
// as the solver computes them for the kept program, turned into the
// restrictions' and prices' own units.

#include "formulation/DietSensitivity.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr int kEnergyIndex = 1;
constexpr double kPercent = 100;            // inclusions are per cent: cost = sum x price / 100
constexpr double kBindingTolerance = 1e-7;  // relative: a level this close to its limit binds

// Energy steps by energy unit: 100 kcal (kcal/kg, kcal/lb), 0.1 Mcal, 1 MJ.
constexpr double kKcalStep = 100;
constexpr double kMcalStep = 0.1;
constexpr double kMJStep = 1;
constexpr int kFirstMcalUnit = 2;
constexpr int kMJUnit = 4;

bool Binding(const LpRowRanging& row, double limit) {
  return row.active ||
         std::abs(row.activity - limit) <= kBindingTolerance * std::max(1.0, std::abs(limit));
}

bool DietFormulated(const FormulationState& state, int diet) {
  return state.dietProblems[diet] == 0 && state.solvers[diet].Loaded() &&
         state.programRows[diet].rowCount > 0 &&
         state.programRows[diet].rowCount == state.solvers[diet].Rows();
}

void ReadRestrictions(const LpSolver& solver,
                      const DietProgramRows& program,
                      const LpRanging& ranging,
                      const GrowthState& growth,
                      DietSensitivity& out) {
  for (int r = 1; r <= program.rowCount; ++r) {
    if (!IsUserRestriction(program.row[r].kind) || !solver.RowConstrains(r)) continue;
    const LpRowRanging& row = ranging.rows[r];
    RestrictionSensitivity entry;
    entry.restriction = program.row[r];
    entry.limit = solver.RightHandSide(r);
    entry.level = row.activity;
    entry.binding = Binding(row, entry.limit);
    entry.step = ShadowPriceStep(growth, entry.restriction);
    entry.shadowPrice = row.dual * entry.step / kPercent;
    entry.limitLow = row.rhsLow;
    entry.limitHigh = row.rhsHigh;
    out.restrictions.push_back(entry);
  }
  std::stable_sort(out.restrictions.begin(),
                   out.restrictions.end(),
                   [](const RestrictionSensitivity& a, const RestrictionSensitivity& b) {
                     if (a.binding != b.binding) return a.binding;
                     return a.binding && std::abs(a.shadowPrice) > std::abs(b.shadowPrice);
                   });
}

bool Blocked(const LpSolver& solver, const DietProgramRows& program, int ingredient) {
  for (int r = 1; r <= program.rowCount; ++r) {
    const RestrictionRef& row = program.row[r];
    if (row.kind == RestrictionKind::IngredientMaximum && row.index == ingredient &&
        solver.RightHandSide(r) == 0)
      return true;
  }
  return false;
}

// In the diet (largest first), left out (nearest to coming in first), blocked.
int Group(const IngredientSensitivity& i) { return i.inclusion > 0 ? 0 : i.blocked ? 2 : 1; }

void ReadIngredients(const LpSolver& solver,
                     const DietProgramRows& program,
                     const LpRanging& ranging,
                     DietSensitivity& out) {
  for (int c = 1; c <= solver.Columns(); ++c) {
    const LpColumnRanging& column = ranging.columns[c];
    out.ingredients.push_back({c,
                               std::max(column.value, 0.0),
                               solver.Cost(c),
                               column.reducedCost,
                               Blocked(solver, program, c),
                               column.costLow,
                               column.costHigh});
  }
  std::stable_sort(out.ingredients.begin(),
                   out.ingredients.end(),
                   [](const IngredientSensitivity& a, const IngredientSensitivity& b) {
                     if (Group(a) != Group(b)) return Group(a) < Group(b);
                     if (Group(a) == 0) return a.inclusion > b.inclusion;
                     return a.reducedCost < b.reducedCost;
                   });
}

}  // namespace

double ShadowPriceStep(const GrowthState& growth, const RestrictionRef& restriction) {
  if (!IsNutrient(restriction.kind) || restriction.index != kEnergyIndex) return 1;
  const int unit = growth.unitCodes[kEnergyUnit];
  if (unit == kMJUnit) return kMJStep;
  return unit >= kFirstMcalUnit ? kMcalStep : kKcalStep;
}

DietSensitivity AnalyzeDietSensitivity(FormulationState& state,
                                       const GrowthState& growth,
                                       int diet) {
  DietSensitivity out;
  out.diet = diet;
  if (diet < 1 || diet > kMaxDiets) return out;
  if (state.conflicts[diet].count > 0) {
    out.status = SensitivityStatus::Infeasible;
    return out;
  }
  if (!DietFormulated(state, diet)) return out;
  LpSolver& solver = state.solvers[diet];
  auto ranging = std::make_unique<LpRanging>();
  if (solver.Analyze(*ranging) != LpStatus::Optimal) return out;
  out.status = SensitivityStatus::Analysed;
  out.cost = state.dietCost[diet];
  ReadRestrictions(solver, state.programRows[diet], *ranging, growth, out);
  ReadIngredients(solver, state.programRows[diet], *ranging, out);
  return out;
}
