#include "platform/LpConflict.h"

namespace {

void HoldEveryRow(LpSolver& solver) {
  for (int row = 1; row <= solver.Rows(); ++row) solver.SetRowRelaxed(row, false);
}

}  // namespace

LpStatus FindConflictingRows(LpSolver& solver, LpRowSet& rows) {
  HoldEveryRow(solver);
  const LpStatus start = solver.SolveStatus();
  if (start != LpStatus::Infeasible) {
    rows.count = 0;
    return start;
  }
  int kept = 0;
  for (int i = 0; i < rows.count; ++i) {
    const int row = rows.rows[i];
    solver.SetRowRelaxed(row, true);
    const LpStatus status = solver.SolveStatus();
    if (status == LpStatus::Infeasible) continue;  // not needed: stays relaxed
    if (status != LpStatus::Optimal && status != LpStatus::Unbounded) {
      HoldEveryRow(solver);
      rows.count = 0;
      return status;
    }
    // Without it the rest can hold: it is part of the conflict.
    solver.SetRowRelaxed(row, false);
    rows.rows[kept++] = row;
  }
  rows.count = kept;
  HoldEveryRow(solver);
  return LpStatus::Infeasible;
}
