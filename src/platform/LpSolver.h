// Platform: LpSolver and SolveLp, the linear programs of the formulation over GLPK.
#pragma once

#include <array>
#include <cstdint>
#include <thread>
#include <vector>

struct glp_prob;  // the library's problem object

// Linear programs of the least-cost formulation, solved by GLPK.
//
// The program: minimise the sum over c = 1..n of cost(c) x(c) subject to
// x(c) >= 0 and, for each row r = 1..m, the sum over c of matrix[r][c] x(c)
// equal to, at least, or at most matrix[r][0] as rowType[r] says. A row
// whose coefficients are all 0 constrains nothing, whatever its type and
// right-hand side. When no optimum exists every output is 0, so the answer
// never describes a valid diet.
//
// One LpSolver is kept per diet. Solving the same diet again with only new
// right-hand sides, row types or costs keeps the library's problem and starts
// from the last basis; a changed matrix rebuilds it. The library never prints
// and never ends the program: a misuse inside it is trapped and reported as
// LpStatus::LibraryError.

inline constexpr int kLpMaxRows = 320;     // rows 1..320
inline constexpr int kLpMaxColumns = 260;  // ingredients 1..260

// Row type codes, as the builder writes them into rowType.
inline constexpr std::int32_t kLpAtMost = -1;
inline constexpr std::int32_t kLpEqual = 0;
inline constexpr std::int32_t kLpAtLeast = 1;

enum class LpStatus {
  Optimal,       // x is a cheapest solution
  Infeasible,    // no x meets the rows; outputs are 0
  Unbounded,     // the cost falls without limit; outputs are 0
  InvalidInput,  // a count, index, row type or number the program cannot hold; outputs are 0
  LibraryError,  // the library failed or was misused; outputs are 0
};

// The system's description of a status, for error messages.
const char* LpStatusText(LpStatus status);

// [r][0] right-hand side of row r, [r][c] coefficient of ingredient c.
using LpMatrixTable = std::array<std::array<double, kLpMaxColumns + 1>, kLpMaxRows + 1>;

// The linear program of one diet, as the builder fills it (about 670 kB: keep
// it in long-lived state, not on the stack).
struct LpProblem {
  int rowCount = 0;                                         // m: rows 1..m take part, 0..320
  int ingredientCount = 0;                                  // n: columns 1..n take part, 1..260
  std::array<double, kLpMaxColumns + 1> ingredientPrice{};  // cost of column c; [0] unused
  LpMatrixTable matrix{};
  std::array<std::int32_t, kLpMaxRows + 1> rowType{};  // kLpEqual, kLpAtLeast or kLpAtMost
};

struct LpResult {
  LpStatus status = LpStatus::InvalidInput;
  double objective = 0;                                           // sum of cost(c) x(c)
  std::array<double, kLpMaxColumns + 1> solution{};               // x(c); [0] unused
  std::array<std::array<double, 2>, kLpMaxRows + 1> rowResult{};  // row activity, dual value
  std::array<double, kLpMaxColumns + 1> reducedCost{};            // per column; [0] unused
};

// What the optimum of the held program says about each row and column: the
// dual values and the ranges over which they hold (sensitivity analysis of
// the optimal basis). Ranges are open-ended (an infinity) where nothing
// limits them.
struct LpRowRanging {
  bool active = false;  // the row's bound is part of the optimal basis (non-basic)
  double activity = 0;  // the row's level, sum of coefficient x x(c)
  double dual = 0;      // change of the objective per unit of the right-hand side
  double rhsLow = 0;    // the right-hand side may move from rhsLow to rhsHigh
  double rhsHigh = 0;   // with the dual unchanged (the basis stays optimal)
};

struct LpColumnRanging {
  bool basic = false;
  double value = 0;        // x(c)
  double reducedCost = 0;  // cost(c) less what the rows value the column at; 0 when basic
  double costLow = 0;      // cost(c) may move from costLow to costHigh with the
  double costHigh = 0;     // optimal basis, and so x, unchanged
};

struct LpRanging {
  std::array<LpRowRanging, kLpMaxRows + 1> rows{};           // rows 1..m; [0] unused
  std::array<LpColumnRanging, kLpMaxColumns + 1> columns{};  // columns 1..n; [0] unused
};

// How the last solve went; for tests and benchmarks.
struct LpSolveInfo {
  bool rebuilt = false;    // the library's problem was (re)made from the matrix
  bool warmStart = false;  // the answer came from the basis kept from the last solve
  bool reused = false;     // nothing had changed: the last answer, without a simplex run
  int attempts = 0;        // simplex runs: a failed warm start falls back to fresh ones
  int iterations = 0;      // simplex iterations of the answering run
};

// The kept program of one diet. Its library problem belongs to the thread
// that solved it; used from another thread it starts afresh there.
class LpSolver {
 public:
  LpSolver() = default;
  ~LpSolver();
  LpSolver(const LpSolver&) = delete;
  LpSolver& operator=(const LpSolver&) = delete;
  LpSolver(LpSolver&& other) noexcept;
  LpSolver& operator=(LpSolver&& other) noexcept;

  // Takes the program. When its shape and coefficients are those already
  // held, only right-hand sides, row types and costs change and the next
  // solve starts from the last basis. False, and nothing left to solve,
  // when the program cannot be held: counts out of range, a number that is
  // not finite, an unknown type on a row with coefficients.
  bool Load(const LpProblem& problem);

  // In-place changes of the held program, row 1..m, column 1..n; false for
  // an index out of range or a value that cannot be held.
  bool SetRow(int row, std::int32_t type, double rhs);
  bool SetCost(int column, double cost);

  // Row 1..m constrains nothing while relaxed, whatever its type and
  // right-hand side; Load makes every row hold again. False for an index
  // out of range.
  bool SetRowRelaxed(int row, bool relaxed);

  // Solves the held program; every output is written on every call.
  LpStatus Solve(LpResult& result);
  // The same solve, for its status only.
  LpStatus SolveStatus() { return SolveHeld(); }

  // Dual values and ranging of the held program's optimum, from the kept
  // basis (solved first when anything changed since the last solve). Returns
  // the program's status; `ranging` is filled only when it is Optimal and
  // all zeros otherwise.
  LpStatus Analyze(LpRanging& ranging);

  // The held program, as it is solved.
  int Rows() const { return rows_; }
  int Columns() const { return columns_; }
  bool RowConstrains(int row) const { return row >= 1 && row <= rows_ && libraryRow_[row] != 0; }
  double RightHandSide(int row) const { return rhs_[row]; }
  double Cost(int column) const { return cost_[column]; }

  // Every solve from the standard basis, never from the last one: the answer
  // then depends on the program alone, not on the solves before it (which of
  // several cheapest mixes is found, and the last bits of every number).
  void SetFreshStarts(bool fresh) { freshStarts_ = fresh; }

  bool Loaded() const { return loaded_; }
  const LpSolveInfo& LastSolve() const { return info_; }

 private:
  bool SameMatrix(const LpProblem& problem) const;
  void TakeMatrix(const LpProblem& problem);
  void BuildLibraryProblem();
  void PushBoundsAndCosts();
  LpStatus RunSimplex();
  LpStatus SolveHeld();
  void ReadResult(LpResult& result) const;
  bool ReadRanging(LpRanging& ranging) const;
  void ReadRowRanging(int row, LpRowRanging& ranging) const;
  void ReadColumnRanging(int column, LpColumnRanging& ranging) const;
  void ReadBlockRanging(int row, LpRowRanging& ranging) const;
  bool RowBlocksColumn(int row) const;
  void ForgetLibraryProblem();
  void Release();
  bool ProblemAlive() const;
  bool RowHasCoefficients(int row) const { return libraryRow_[row] != 0; }

  bool loaded_ = false;
  int rows_ = 0;
  int columns_ = 0;
  int libraryRows_ = 0;               // rows with coefficients, numbered 1.. by the library
  std::vector<double> coefficients_;  // row-major m x n copy of the matrix
  std::array<int, kLpMaxRows + 1> libraryRow_{};  // 0 for a row without coefficients
  std::array<int, kLpMaxRows + 1> onlyColumn_{};  // a row's one column (coefficient > 0), or 0
  std::array<std::int32_t, kLpMaxRows + 1> type_{};
  std::array<double, kLpMaxRows + 1> rhs_{};
  std::array<double, kLpMaxColumns + 1> cost_{};
  std::array<bool, kLpMaxRows + 1> relaxed_{};

  glp_prob* problem_ = nullptr;   // the library's copy, or none
  std::uint64_t generation_ = 0;  // library state of its thread the problem belongs to
  std::thread::id owner_;         // that thread
  bool matrixChanged_ = false;    // the library's copy must be rebuilt
  bool boundsChanged_ = false;    // right-hand sides, types or costs to hand on
  bool basisKept_ = false;        // the library's copy holds a basis from an earlier solve
  bool answerKept_ = false;       // nothing changed since the last solve, which ended in answer_
  bool freshStarts_ = false;      // never start from the kept basis
  LpStatus answer_ = LpStatus::LibraryError;
  LpSolveInfo info_;
};

// The solver call of one diet: `diet` is that diet's kept solver. Loads the
// program, solves it and writes every output. Returns the status also held in
// result.status.
LpStatus SolveLp(LpSolver& diet, const LpProblem& problem, LpResult& result);

// Frees the library's state of the calling thread with every problem made in
// it; solvers rebuild theirs on their next solve. A worker thread that solved
// calls it before it ends, or the state stays allocated.
void LpReleaseThread();

// For tests only: makes a deliberate misuse of the library (a row index out of
// range) through the same trap every call uses. Returns LibraryError; as with
// any library error, the library's state in this thread is freed and every
// solver of this thread rebuilds its problem on its next solve.
LpStatus LpMisuseForTest();
