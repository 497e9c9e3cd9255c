#include "platform/LpSolver.h"

#include <glpk.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <thread>
#include <utility>

namespace {

// The library keeps one state per thread, and an error inside it frees that
// state with every problem made in the thread. A solver compares its
// generation with this one to know whether its problem still exists.
thread_local std::uint64_t tLibraryGeneration = 1;

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
  ++tLibraryGeneration;
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
  type_ = other.type_;
  rhs_ = other.rhs_;
  cost_ = other.cost_;
  problem_ = std::exchange(other.problem_, nullptr);
  generation_ = other.generation_;
  owner_ = other.owner_;
  matrixChanged_ = other.matrixChanged_;
  boundsChanged_ = other.boundsChanged_;
  basisKept_ = std::exchange(other.basisKept_, false);
  answerKept_ = std::exchange(other.answerKept_, false);
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
  problem_ = nullptr;
  basisKept_ = false;
  answerKept_ = false;
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
  libraryRows_ = 0;
  for (int r = 1; r <= rows_; ++r) {
    const auto& row = problem.matrix[r];
    std::copy(
        row.begin() + 1, row.begin() + 1 + columns_, coefficients_.begin() + (r - 1) * columns_);
    if (HasCoefficients(problem, r)) libraryRow_[r] = ++libraryRows_;
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
  for (int c = 1; c <= columns_; ++c) glp_set_col_bnds(problem_, c, GLP_LO, 0.0, 0.0);
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

// Hands right-hand sides, types and costs to the library. Called inside the trap.
void LpSolver::PushBoundsAndCosts() {
  for (int r = 1; r <= rows_; ++r) {
    if (RowHasCoefficients(r)) SetLibraryRowBounds(problem_, libraryRow_[r], type_[r], rhs_[r]);
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
      if (!basisKept_) continue;
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

LpStatus LpSolver::Solve(LpResult& result) {
  info_ = {};
  ClearResult(result, LpStatus::InvalidInput);
  if (!loaded_) return result.status;
  if (problem_ != nullptr && !ProblemAlive()) {
    // An error in this thread freed the library's state with our problem (or
    // the problem lives in another thread's state, out of reach).
    problem_ = nullptr;
    basisKept_ = false;
    answerKept_ = false;
  }
  LpStatus status = LpStatus::LibraryError;
  const bool ok = Trapped([this, &status, &result] {
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
    if (status == LpStatus::Optimal) ReadResult(result);
  });
  if (!ok) {
    problem_ = nullptr;
    basisKept_ = false;
    answerKept_ = false;
    matrixChanged_ = true;
    status = LpStatus::LibraryError;
  }
  if (status != LpStatus::Optimal) ClearResult(result, status);
  result.status = status;
  return status;
}

LpStatus SolveLp(LpSolver& diet, const LpProblem& problem, LpResult& result) {
  if (!diet.Load(problem)) {
    ClearResult(result, LpStatus::InvalidInput);
    return result.status;
  }
  return diet.Solve(result);
}

void LpReleaseThread() {
  ++tLibraryGeneration;
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
