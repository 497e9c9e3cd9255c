#include "platform/LpSolver.h"

#include <glpk.h>

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <csetjmp>
#include <limits>
#include <thread>
#include <utility>

namespace {

// The library keeps one state per thread, and an error inside it frees that
// state with every problem made in the thread. A solver compares its
// generation with this one to know whether its problem still exists.
// Generations are unique across threads: a thread that starts may get the id
// of one that ended, and must not take that thread's freed problems for its own.
std::atomic<std::uint64_t> gLastGeneration{0};
std::uint64_t NewGeneration() { return ++gLastGeneration; }
thread_local std::uint64_t tLibraryGeneration = NewGeneration();

// Simplex iterations allowed per row and column before a run counts as
// failed; far above what a diet needs, it only stops a run that cannot end.
constexpr int kIterationsPerDimension = 50;
constexpr int kIterationFloor = 1000;

struct Trap {
  std::jmp_buf jump;
};

// The library calls this on any error instead of ending the program: free
// its state, as it must be after an error, and return to the trap.
void OnLibraryError(void* info) {
  tLibraryGeneration = NewGeneration();
  glp_free_env();
  std::longjmp(static_cast<Trap*>(info)->jump, 1);
}

// Swallows every line the library would print, error reports included.
int SwallowOutput(void*, const char*) { return 1; }

// Runs body with the library silenced and its errors trapped; false when an
// error was trapped. Nothing between here and the library may own resources:
// the jump back skips destructors.
template <class Body>
bool Trapped(Body&& body) {
  Trap trap;
  glp_term_out(GLP_OFF);
  glp_term_hook(SwallowOutput, nullptr);
  glp_error_hook(OnLibraryError, &trap);
  if (setjmp(trap.jump) != 0) return false;
  body();
  glp_error_hook(nullptr, nullptr);
  return true;
}

bool KnownRowType(std::int32_t type) {
  return type == kLpAtMost || type == kLpEqual || type == kLpAtLeast;
}

// The column of a row whose only coefficient is positive, or 0.
int OnlyColumn(const LpProblem& problem, int row) {
  int only = 0;
  for (int c = 1; c <= problem.ingredientCount; ++c) {
    const double v = problem.matrix[row][c];
    if (v == 0.0) continue;
    if (only != 0 || v < 0) return 0;
    only = c;
  }
  return only;
}

bool HasCoefficients(const LpProblem& problem, int row) {
  const auto& coefficients = problem.matrix[row];
  return std::any_of(coefficients.begin() + 1,
                     coefficients.begin() + 1 + problem.ingredientCount,
                     [](double v) { return v != 0.0; });
}

// Counts in range and every number the library will see finite. A row
// without coefficients constrains nothing: its type and right-hand side are
// not looked at.
bool ValidProgram(const LpProblem& problem, bool checkCoefficients) {
  const int m = problem.rowCount;
  const int n = problem.ingredientCount;
  if (m < 0 || m > kLpMaxRows || n < 1 || n > kLpMaxColumns) return false;
  for (int c = 1; c <= n; ++c) {
    if (!std::isfinite(problem.ingredientPrice[c])) return false;
  }
  for (int r = 1; r <= m; ++r) {
    const auto& row = problem.matrix[r];
    if (checkCoefficients && !std::all_of(row.begin() + 1, row.begin() + 1 + n, [](double v) {
          return std::isfinite(v);
        })) {
      return false;
    }
    if (HasCoefficients(problem, r) &&
        (!KnownRowType(problem.rowType[r]) || !std::isfinite(row[0]))) {
      return false;
    }
  }
  return true;
}

void SetLibraryRowBounds(glp_prob* problem, int libraryRow, std::int32_t type, double rhs) {
  if (type == kLpEqual) {
    glp_set_row_bnds(problem, libraryRow, GLP_FX, rhs, rhs);
  } else if (type == kLpAtLeast) {
    glp_set_row_bnds(problem, libraryRow, GLP_LO, rhs, 0.0);
  } else {
    glp_set_row_bnds(problem, libraryRow, GLP_UP, 0.0, rhs);
  }
}

// The library's "no limit" (plus or minus DBL_MAX) as an infinity.
double OpenEnded(double limit) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  if (limit >= DBL_MAX) return kInfinity;
  if (limit <= -DBL_MAX) return -kInfinity;
  return limit;
}

void ClearRanging(LpRanging& ranging) {
  ranging.rows.fill({});
  ranging.columns.fill({});
}

void ClearResult(LpResult& result, LpStatus status) {
  result.status = status;
  result.objective = 0;
  result.solution.fill(0.0);
  for (auto& row : result.rowResult) row = {0.0, 0.0};
  result.reducedCost.fill(0.0);
}

}  // namespace

const char* LpStatusText(LpStatus status) {
  switch (status) {
    case LpStatus::Optimal:
      return "Optimal";
    case LpStatus::Infeasible:
      return "Infeasible";
    case LpStatus::Unbounded:
      return "Unbounded";
    case LpStatus::InvalidInput:
      return "Invalid linear program";
    case LpStatus::LibraryError:
      return "Linear program solver failed";
  }
  return "Unknown";
}

LpSolver::~LpSolver() { Release(); }

bool LpSolver::ProblemAlive() const {
  return problem_ != nullptr && generation_ == tLibraryGeneration &&
         owner_ == std::this_thread::get_id();
}

LpSolver::LpSolver(LpSolver&& other) noexcept { *this = std::move(other); }

LpSolver& LpSolver::operator=(LpSolver&& other) noexcept {
  if (this == &other) return *this;
  Release();
  loaded_ = other.loaded_;
  rows_ = other.rows_;
  columns_ = other.columns_;
  libraryRows_ = other.libraryRows_;
  coefficients_ = std::move(other.coefficients_);
  libraryRow_ = other.libraryRow_;
  onlyColumn_ = other.onlyColumn_;
  type_ = other.type_;
  rhs_ = other.rhs_;
  cost_ = other.cost_;
  relaxed_ = other.relaxed_;
  problem_ = std::exchange(other.problem_, nullptr);
  generation_ = other.generation_;
  owner_ = other.owner_;
  matrixChanged_ = other.matrixChanged_;
  boundsChanged_ = other.boundsChanged_;
  basisKept_ = std::exchange(other.basisKept_, false);
  answerKept_ = std::exchange(other.answerKept_, false);
  freshStarts_ = other.freshStarts_;
  answer_ = other.answer_;
  info_ = other.info_;
  other.loaded_ = false;
  other.rows_ = 0;
  other.columns_ = 0;
  other.libraryRows_ = 0;
  return *this;
}

void LpSolver::Release() {
  if (ProblemAlive()) {
    glp_prob* problem = problem_;
    Trapped([problem] { glp_delete_prob(problem); });
  }
  ForgetLibraryProblem();
}

bool LpSolver::SameMatrix(const LpProblem& problem) const {
  const int n = problem.ingredientCount;
  if (coefficients_.empty() || rows_ != problem.rowCount || columns_ != n) return false;
  for (int r = 1; r <= rows_; ++r) {
    const auto& row = problem.matrix[r];
    if (!std::equal(row.begin() + 1, row.begin() + 1 + n, coefficients_.begin() + (r - 1) * n)) {
      return false;
    }
  }
  return true;
}

void LpSolver::TakeMatrix(const LpProblem& problem) {
  rows_ = problem.rowCount;
  columns_ = problem.ingredientCount;
  coefficients_.assign(static_cast<std::size_t>(rows_) * columns_, 0.0);
  libraryRow_.fill(0);
  onlyColumn_.fill(0);
  libraryRows_ = 0;
  for (int r = 1; r <= rows_; ++r) {
    const auto& row = problem.matrix[r];
    std::copy(
        row.begin() + 1, row.begin() + 1 + columns_, coefficients_.begin() + (r - 1) * columns_);
    if (HasCoefficients(problem, r)) libraryRow_[r] = ++libraryRows_;
    onlyColumn_[r] = OnlyColumn(problem, r);
  }
  matrixChanged_ = true;
}

bool LpSolver::Load(const LpProblem& problem) {
  // The held matrix was checked when it was taken.
  const bool same = SameMatrix(problem);
  if (!ValidProgram(problem, /*checkCoefficients=*/!same)) {
    loaded_ = false;
    return false;
  }
  if (!same) TakeMatrix(problem);
  for (int r = 1; r <= rows_; ++r) {
    const double rhs = problem.matrix[r][0];
    if (type_[r] != problem.rowType[r] || rhs_[r] != rhs) boundsChanged_ = true;
    type_[r] = problem.rowType[r];
    rhs_[r] = rhs;
  }
  for (int c = 1; c <= columns_; ++c) {
    if (cost_[c] != problem.ingredientPrice[c]) boundsChanged_ = true;
    cost_[c] = problem.ingredientPrice[c];
  }
  if (std::find(relaxed_.begin(), relaxed_.end(), true) != relaxed_.end()) {
    relaxed_.fill(false);
    boundsChanged_ = true;
  }
  loaded_ = true;
  return true;
}

bool LpSolver::SetRow(int row, std::int32_t type, double rhs) {
  if (!loaded_ || row < 1 || row > rows_) return false;
  if (RowHasCoefficients(row) && (!KnownRowType(type) || !std::isfinite(rhs))) return false;
  type_[row] = type;
  rhs_[row] = rhs;
  boundsChanged_ = true;
  return true;
}

bool LpSolver::SetRowRelaxed(int row, bool relaxed) {
  if (!loaded_ || row < 1 || row > rows_) return false;
  if (relaxed_[row] != relaxed) boundsChanged_ = true;
  relaxed_[row] = relaxed;
  return true;
}

bool LpSolver::SetCost(int column, double cost) {
  if (!loaded_ || column < 1 || column > columns_ || !std::isfinite(cost)) return false;
  cost_[column] = cost;
  boundsChanged_ = true;
  return true;
}

// Makes the library's problem from the held copy. Called inside the trap.
void LpSolver::BuildLibraryProblem() {
  if (problem_ != nullptr) glp_delete_prob(problem_);
  problem_ = glp_create_prob();
  generation_ = tLibraryGeneration;
  owner_ = std::this_thread::get_id();
  glp_set_obj_dir(problem_, GLP_MIN);
  glp_add_cols(problem_, columns_);
  if (libraryRows_ > 0) glp_add_rows(problem_, libraryRows_);
  std::array<int, kLpMaxColumns + 1> index{};
  std::array<double, kLpMaxColumns + 1> value{};
  for (int r = 1; r <= rows_; ++r) {
    if (!RowHasCoefficients(r)) continue;
    int count = 0;
    for (int c = 1; c <= columns_; ++c) {
      const double v = coefficients_[(r - 1) * columns_ + (c - 1)];
      if (v == 0.0) continue;
      ++count;
      index[count] = c;
      value[count] = v;
    }
    glp_set_mat_row(problem_, libraryRow_[r], count, index.data(), value.data());
  }
  // Nutrient rows range from kcal to fractions of a per cent.
  glp_scale_prob(problem_, GLP_SF_AUTO);
  matrixChanged_ = false;
  boundsChanged_ = true;
  basisKept_ = false;
  answerKept_ = false;
  info_.rebuilt = true;
}

bool LpSolver::RowBlocksColumn(int row) const {
  return onlyColumn_[row] != 0 && !relaxed_[row] && type_[row] == kLpAtMost && rhs_[row] == 0;
}

// Hands right-hand sides, types and costs to the library. A row that holds
// its one column at most at 0 is handed on as that column's bounds [0, 0]:
// as a row it would sit at its bound beside the column's own bound at every
// optimum, and the ranging of such a doubly held, degenerate mix is no
// guide to when the formula changes. Called inside the trap.
void LpSolver::PushBoundsAndCosts() {
  std::array<bool, kLpMaxColumns + 1> blocked{};
  for (int r = 1; r <= rows_; ++r) {
    if (!RowHasCoefficients(r)) continue;
    if (RowBlocksColumn(r)) blocked[onlyColumn_[r]] = true;
    if (relaxed_[r] || RowBlocksColumn(r)) {
      glp_set_row_bnds(problem_, libraryRow_[r], GLP_FR, 0.0, 0.0);
    } else {
      SetLibraryRowBounds(problem_, libraryRow_[r], type_[r], rhs_[r]);
    }
  }
  for (int c = 1; c <= columns_; ++c) {
    if (!blocked[c]) {
      glp_set_col_bnds(problem_, c, GLP_LO, 0.0, 0.0);
      continue;
    }
    // A fixed column left in the kept basis would be a degenerate basic
    // variable: start afresh instead.
    if (glp_get_col_stat(problem_, c) == GLP_BS) basisKept_ = false;
    glp_set_col_bnds(problem_, c, GLP_FX, 0.0, 0.0);
  }
  for (int c = 1; c <= columns_; ++c) glp_set_obj_coef(problem_, c, cost_[c]);
  boundsChanged_ = false;
  answerKept_ = false;
}

// Warm from the kept basis by the dual simplex (only bounds moved, so the old
// basis usually stays dual feasible), else fresh from the standard basis, and
// last from an advanced basis by the primal simplex. Called inside the trap.
LpStatus LpSolver::RunSimplex() {
  glp_smcp parm;
  glp_init_smcp(&parm);
  parm.msg_lev = GLP_MSG_OFF;
  parm.presolve = GLP_OFF;
  parm.it_lim = kIterationsPerDimension * (libraryRows_ + columns_) + kIterationFloor;
  enum class Start { Kept, Standard, Advanced };
  for (Start start : {Start::Kept, Start::Standard, Start::Advanced}) {
    if (start == Start::Kept) {
      if (!basisKept_ || freshStarts_) continue;
      parm.meth = GLP_DUALP;
    } else if (start == Start::Standard) {
      // All ingredients out: with prices of 0 or more this basis is already
      // dual feasible, so the dual simplex needs no first phase.
      glp_std_basis(problem_);
      parm.meth = GLP_DUALP;
    } else {
      glp_adv_basis(problem_, 0);
      parm.meth = GLP_PRIMAL;
    }
    ++info_.attempts;
    const int iterationsBefore = glp_get_it_cnt(problem_);
    const int code = glp_simplex(problem_, &parm);
    info_.iterations = glp_get_it_cnt(problem_) - iterationsBefore;
    if (code != 0) continue;
    const int status = glp_get_status(problem_);
    basisKept_ = true;
    info_.warmStart = start == Start::Kept;
    if (status == GLP_OPT) return LpStatus::Optimal;
    if (status == GLP_NOFEAS || glp_get_prim_stat(problem_) == GLP_NOFEAS) {
      return LpStatus::Infeasible;
    }
    if (status == GLP_UNBND) return LpStatus::Unbounded;
  }
  basisKept_ = false;
  info_.warmStart = false;
  return LpStatus::LibraryError;
}

void LpSolver::ReadResult(LpResult& result) const {
  result.objective = glp_get_obj_val(problem_);
  for (int c = 1; c <= columns_; ++c) {
    result.solution[c] = glp_get_col_prim(problem_, c);
    result.reducedCost[c] = glp_get_col_dual(problem_, c);
  }
  for (int r = 1; r <= rows_; ++r) {
    if (!RowHasCoefficients(r)) continue;
    result.rowResult[r] = {glp_get_row_prim(problem_, libraryRow_[r]),
                           glp_get_row_dual(problem_, libraryRow_[r])};
  }
}

// The library's copy is gone (freed with its thread's state after an error,
// or out of reach in another thread): the next solve builds it afresh.
void LpSolver::ForgetLibraryProblem() {
  problem_ = nullptr;
  basisKept_ = false;
  answerKept_ = false;
}

// Brings the library's copy up to date and solves it, unless nothing changed
// since the last solve.
LpStatus LpSolver::SolveHeld() {
  info_ = {};
  if (!loaded_) return LpStatus::InvalidInput;
  if (problem_ != nullptr && !ProblemAlive()) ForgetLibraryProblem();
  LpStatus status = LpStatus::LibraryError;
  const bool ok = Trapped([this, &status] {
    if (problem_ == nullptr || matrixChanged_) BuildLibraryProblem();
    if (boundsChanged_) PushBoundsAndCosts();
    if (answerKept_) {
      // Nothing changed since the last solve: its answer still holds.
      status = answer_;
      info_.warmStart = true;
      info_.reused = true;
    } else {
      status = RunSimplex();
      answerKept_ = status != LpStatus::LibraryError;
      answer_ = status;
    }
  });
  if (!ok) {
    ForgetLibraryProblem();
    matrixChanged_ = true;
    return LpStatus::LibraryError;
  }
  return status;
}

LpStatus LpSolver::Solve(LpResult& result) {
  ClearResult(result, LpStatus::InvalidInput);
  LpStatus status = SolveHeld();
  if (status == LpStatus::Optimal && !Trapped([this, &result] { ReadResult(result); })) {
    ForgetLibraryProblem();
    matrixChanged_ = true;
    status = LpStatus::LibraryError;
  }
  if (status != LpStatus::Optimal) ClearResult(result, status);
  result.status = status;
  return status;
}

// Ranging needs the optimal basis with its factorization, which a solve
// leaves behind. Called inside the trap.
bool LpSolver::ReadRanging(LpRanging& ranging) const {
  if (!glp_bf_exists(problem_) && glp_warm_up(problem_) != 0) return false;
  if (glp_get_status(problem_) != GLP_OPT) return false;
  for (int r = 1; r <= rows_; ++r) {
    if (!RowHasCoefficients(r) || relaxed_[r]) continue;
    if (RowBlocksColumn(r)) {
      ReadBlockRanging(r, ranging.rows[r]);
    } else {
      ReadRowRanging(r, ranging.rows[r]);
    }
  }
  for (int c = 1; c <= columns_; ++c) ReadColumnRanging(c, ranging.columns[c]);
  return true;
}

// Called inside the trap.
void LpSolver::ReadRowRanging(int r, LpRowRanging& row) const {
  const int k = libraryRow_[r];
  row.activity = glp_get_row_prim(problem_, k);
  row.active = glp_get_row_stat(problem_, k) != GLP_BS;
  if (!row.active) {
    // A row with slack is worth nothing until its bound reaches its level.
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    row.rhsLow = type_[r] == kLpAtLeast ? -kInfinity : row.activity;
    row.rhsHigh = type_[r] == kLpAtMost ? kInfinity : row.activity;
    return;
  }
  row.dual = glp_get_row_dual(problem_, k);
  int limiting = 0;
  glp_analyze_bound(problem_, k, &row.rhsLow, &limiting, &row.rhsHigh, &limiting);
  row.rhsLow = OpenEnded(row.rhsLow);
  row.rhsHigh = OpenEnded(row.rhsHigh);
}

// Called inside the trap.
void LpSolver::ReadColumnRanging(int c, LpColumnRanging& column) const {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  column.value = glp_get_col_prim(problem_, c);
  column.basic = glp_get_col_stat(problem_, c) == GLP_BS;
  if (glp_get_col_type(problem_, c) == GLP_FX) {
    // Blocked: no price brings it in, none changes the formula.
    column.reducedCost = glp_get_col_dual(problem_, c);
    column.costLow = -kInfinity;
    column.costHigh = kInfinity;
  } else if (column.basic) {
    int limiting = 0;
    double adjacentValue = 0;
    glp_analyze_coef(problem_,
                     libraryRows_ + c,
                     &column.costLow,
                     &limiting,
                     &adjacentValue,
                     &column.costHigh,
                     &limiting,
                     &adjacentValue);
    column.costLow = OpenEnded(column.costLow);
    column.costHigh = OpenEnded(column.costHigh);
  } else {
    // Out at its bound 0: it stays out while its cost stays above what the
    // rows value it at.
    column.reducedCost = glp_get_col_dual(problem_, c);
    column.costLow = cost_[c] - column.reducedCost;
    column.costHigh = kInfinity;
  }
}

// A row that blocks its column (held as the column's bounds [0, 0]): it is
// worth what the column would save, were it let in, per unit of the row,
// until the column's rise reaches the next bound of the basis. Called inside
// the trap.
void LpSolver::ReadBlockRanging(int r, LpRowRanging& row) const {
  const int c = onlyColumn_[r];
  const double coefficient = coefficients_[(r - 1) * columns_ + (c - 1)];
  const double saving = glp_get_col_dual(problem_, c);
  row.activity = 0;
  row.rhsLow = 0;  // below 0 the column's own bound cannot hold
  row.rhsHigh = std::numeric_limits<double>::infinity();
  row.active = saving < 0 && glp_get_col_stat(problem_, c) != GLP_BS;
  if (!row.active) return;
  row.dual = saving / coefficient;
  double low = 0;
  double high = 0;
  int limiting = 0;
  glp_analyze_bound(problem_, libraryRows_ + c, &low, &limiting, &high, &limiting);
  row.rhsHigh = OpenEnded(high) * coefficient;
}

LpStatus LpSolver::Analyze(LpRanging& ranging) {
  ClearRanging(ranging);
  const LpStatus status = SolveHeld();
  if (status != LpStatus::Optimal) return status;
  bool read = false;
  if (!Trapped([this, &ranging, &read] { read = ReadRanging(ranging); })) {
    ForgetLibraryProblem();
    matrixChanged_ = true;
  }
  if (read) return LpStatus::Optimal;
  ClearRanging(ranging);
  return LpStatus::LibraryError;
}

LpStatus SolveLp(LpSolver& diet, const LpProblem& problem, LpResult& result) {
  if (!diet.Load(problem)) {
    ClearResult(result, LpStatus::InvalidInput);
    return result.status;
  }
  return diet.Solve(result);
}

void LpReleaseThread() {
  tLibraryGeneration = NewGeneration();
  glp_free_env();
}

LpStatus LpMisuseForTest() {
  const bool ok = Trapped([] {
    glp_prob* problem = glp_create_prob();
    glp_add_rows(problem, 1);
    glp_set_row_bnds(problem, 2, GLP_FX, 0.0, 0.0);  // there is no row 2
    glp_delete_prob(problem);
  });
  return ok ? LpStatus::Optimal : LpStatus::LibraryError;
}
