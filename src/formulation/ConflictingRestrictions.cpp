#include "formulation/ConflictingRestrictions.h"

#include "platform/LpConflict.h"
#include "platform/NumberFormat.h"

namespace {

constexpr int kDigitGroup = 3;

// Rows of the diet's program that a user's restriction made.
LpRowSet UserRestrictionRows(const LpSolver& solver, const DietProgramRows& program) {
  LpRowSet rows;
  for (int r = 1; r <= program.rowCount; ++r) {
    if (IsUserRestriction(program.row[r].kind) && solver.RowConstrains(r))
      rows.rows[rows.count++] = r;
  }
  return rows;
}

}  // namespace

void FindConflictingRestrictions(FormulationState& state, int diet) {
  if (diet < 1 || diet > kMaxDiets) return;
  ConflictingSet& conflict = state.conflicts[diet];
  conflict.count = 0;
  LpSolver& solver = state.solvers[diet];
  const DietProgramRows& program = state.programRows[diet];
  if (state.builtDiet != diet || state.answer.status != LpStatus::Infeasible ||
      program.rowCount != solver.Rows()) {
    return;
  }
  LpRowSet rows = UserRestrictionRows(solver, program);
  if (FindConflictingRows(solver, rows) != LpStatus::Infeasible) return;
  for (int k = 0; k < rows.count; ++k) {
    const int r = rows.rows[k];
    conflict.members[conflict.count++] = {program.row[r], solver.RightHandSide(r)};
  }
}

std::string SentenceNumber(double value, bool decimalComma) {
  std::string text = FormatNumber(value, "0.####", decimalComma);
  const std::size_t digits = text[0] == '-' ? 1 : 0;
  std::size_t end = text.find(decimalComma ? ',' : '.');
  if (end == std::string::npos) end = text.size();
  const char group = decimalComma ? '.' : ',';
  for (std::size_t at = end; at > digits + kDigitGroup; at -= kDigitGroup)
    text.insert(at - kDigitGroup, 1, group);
  return text;
}

std::string RestrictionPhrase(const FormulationTables& tables,
                              const GrowthState& growth,
                              const ConflictingRestriction& member) {
  const RestrictionRef& restriction = member.restriction;
  const std::string name = RestrictionName(tables, restriction);
  if (restriction.kind == RestrictionKind::IngredientMaximum && member.limit == 0)
    return "the block on " + name;
  const bool minimum = restriction.kind == RestrictionKind::NutrientMinimum ||
                       restriction.kind == RestrictionKind::IngredientMinimum;
  std::string phrase = std::string(minimum ? "the minimum of " : "the maximum of ") + name + " " +
                       SentenceNumber(member.limit, growth.decimalComma);
  const std::string unit = RestrictionUnit(growth, restriction);
  return unit.empty() ? phrase : phrase + " " + unit;
}

std::string ConflictText(const FormulationTables& tables,
                         const GrowthState& growth,
                         int diet,
                         const ConflictingSet& conflict) {
  std::string text = "Diet " + std::to_string(diet) + ": ";
  for (int k = 0; k < conflict.count; ++k) {
    if (k > 0) text += k + 1 == conflict.count ? " and " : ", ";
    text += RestrictionPhrase(tables, growth, conflict.members[k]);
  }
  if (conflict.count == 1) return text + " cannot hold.";
  return text + (conflict.count == 2 ? " cannot both hold." : " cannot all hold.");
}
