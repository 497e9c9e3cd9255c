#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/LpSolver.h"

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Row {
  std::int32_t type;
  double rhs;
  std::vector<double> coefficients;  // ingredients 1..n
};

// An LpProblem is too large for the stack.
std::unique_ptr<LpProblem> MakeProblem(const std::vector<double>& prices,
                                       const std::vector<Row>& rows) {
  auto lp = std::make_unique<LpProblem>();
  lp->ingredientCount = static_cast<int>(prices.size());
  for (int c = 1; c <= lp->ingredientCount; ++c) lp->ingredientPrice[c] = prices[c - 1];
  lp->rowCount = static_cast<int>(rows.size());
  for (int r = 1; r <= lp->rowCount; ++r) {
    lp->rowType[r] = rows[r - 1].type;
    lp->matrix[r][0] = rows[r - 1].rhs;
    const std::vector<double>& a = rows[r - 1].coefficients;
    for (std::size_t c = 0; c < a.size(); ++c) lp->matrix[r][c + 1] = a[c];
  }
  return lp;
}

void ExpectAllZero(const LpResult& result) {
  const auto zero = std::make_unique<LpResult>();
  EXPECT_EQ(result.objective, 0.0);
  EXPECT_EQ(result.solution, zero->solution);
  EXPECT_EQ(result.reducedCost, zero->reducedCost);
  EXPECT_EQ(result.rowResult, zero->rowResult);
}

// Leaves something in every output so that a test sees it overwritten.
void Soil(LpResult& result) {
  result.objective = 7;
  result.solution.fill(7);
  result.reducedCost.fill(7);
  for (auto& row : result.rowResult) row = {7, 7};
}

// Corn (8 % protein, price 0.20) and soybean meal (44 %, 0.40); the weight
// row makes 100 parts of feed.
const std::vector<double> kCornSoy{0.20, 0.40};
const Row kWeight{kLpEqual, 100, {1, 1}};
Row Protein(std::int32_t type, double percent) { return {type, percent, {0.08, 0.44}}; }

struct HandCase {
  const char* name;
  std::vector<double> prices;
  std::vector<Row> rows;
  std::vector<double> x;
  double cost;
  LpStatus status = LpStatus::Optimal;  // otherwise every output is 0
};

// Answers worked by hand from the binding rows.
const std::vector<HandCase> kHandCases = {
    // 0.08 x1 + 0.44 x2 = 20 with x1 + x2 = 100: x2 = 12 / 0.36.
    {"minimum", kCornSoy, {kWeight, Protein(kLpAtLeast, 20)}, {200.0 / 3, 100.0 / 3}, 80.0 / 3},
    // Soybean meal is now the cheaper one; the protein maximum holds it back.
    {"maximum", {0.2, 0.1}, {kWeight, Protein(kLpAtMost, 20)}, {200.0 / 3, 100.0 / 3}, 50.0 / 3},
    // Protein exactly 30: x2 = 22 / 0.36 = 550 / 9.
    {"equality", kCornSoy, {kWeight, Protein(kLpEqual, 30)}, {350.0 / 9, 550.0 / 9}, 290.0 / 9},
    // A loose minimum leaves the cheapest ingredient alone.
    {"only the weight binds", kCornSoy, {kWeight, Protein(kLpAtLeast, 5)}, {100, 0}, 20},
    // Rows without coefficients constrain nothing, whatever their type and
    // right-hand side (the builder leaves old ones inside the row range).
    {"only empty rows", kCornSoy, {{kLpEqual, 100, {0, 0}}, {kLpAtLeast, 50, {}}}, {0, 0}, 0},
    {"empty rows among others",
     kCornSoy,
     {kWeight, {kLpAtMost, -3, {0, 0}}, Protein(kLpAtLeast, 20), {5, 100, {}}, {kLpAtLeast, 0, {}}},
     {200.0 / 3, 100.0 / 3},
     80.0 / 3},
    // No mix of 8 % and 44 % protein reaches 50 %; no ingredient both
    // reaches 60 and stays under 50; a negative price with nothing to hold
    // the ingredient back.
    {"out of reach", kCornSoy, {kWeight, Protein(kLpAtLeast, 50)}, {}, 0, LpStatus::Infeasible},
    {"minimum above maximum",
     kCornSoy,
     {kWeight, {kLpAtLeast, 60, {1, 0}}, {kLpAtMost, 50, {1, 0}}},
     {},
     0,
     LpStatus::Infeasible},
    {"negative price", {-1.0, 0.4}, {{kLpAtLeast, 100, {1, 1}}}, {}, 0, LpStatus::Unbounded},
    // Three ingredients, protein and lysine minima; the vertex (60, 30, 10)
    // has duals weight 140/99, protein 410/99, lysine 1700/99, all of the
    // right sign, so it is the unique optimum: 2*60 + 4*30 + 10*10.
    {"three ingredients",
     {2, 4, 10},
     {{kLpEqual, 100, {1, 1, 1}},
      {kLpAtLeast, 21, {0.1, 0.5, 0.0}},
      {kLpAtLeast, 6.5, {0.01, 0.03, 0.5}}},
     {60, 30, 10},
     340},
};

// Each row's activity is worked from x; each column's reduced cost is its
// price less what the rows' duals value it at.
TEST(LpSolverHandSolved, CheapestMixMeetsTheRowsOrAllIsZero) {
  LpResult result;
  for (const HandCase& hand : kHandCases) {
    SCOPED_TRACE(hand.name);
    auto lp = MakeProblem(hand.prices, hand.rows);
    LpSolver solver;
    Soil(result);
    ASSERT_EQ(SolveLp(solver, *lp, result), hand.status);
    EXPECT_EQ(result.status, hand.status);
    if (hand.status != LpStatus::Optimal) {
      ExpectAllZero(result);
      continue;
    }
    EXPECT_NEAR(result.objective, hand.cost, 1e-9);
    EXPECT_EQ(result.solution[lp->ingredientCount + 1], 0.0);
    for (int c = 1; c <= lp->ingredientCount; ++c) {
      EXPECT_NEAR(result.solution[c], hand.x[c - 1], 1e-9) << "ingredient " << c;
      double valued = 0;
      for (int r = 1; r <= lp->rowCount; ++r) valued += result.rowResult[r][1] * lp->matrix[r][c];
      EXPECT_NEAR(result.reducedCost[c], hand.prices[c - 1] - valued, 1e-9) << "ingredient " << c;
    }
    for (int r = 1; r <= lp->rowCount; ++r) {
      double activity = 0;
      for (int c = 1; c <= lp->ingredientCount; ++c) activity += lp->matrix[r][c] * hand.x[c - 1];
      EXPECT_NEAR(result.rowResult[r][0], activity, 1e-9) << "row " << r;
    }
  }
  // The three-ingredient vertex's duals, as worked above.
  const double duals[] = {140.0 / 99, 410.0 / 99, 1700.0 / 99};
  for (int r = 1; r <= 3; ++r) EXPECT_NEAR(result.rowResult[r][1], duals[r - 1], 1e-9);
}

TEST(LpSolverInput, ProgramsThatCannotBeHeldAreRefused) {
  const struct {
    const char* name;
    void (*spoil)(LpProblem&);
  } cases[] = {
      {"too many rows", [](LpProblem& lp) { lp.rowCount = kLpMaxRows + 1; }},
      {"negative rows", [](LpProblem& lp) { lp.rowCount = -1; }},
      {"no columns", [](LpProblem& lp) { lp.ingredientCount = 0; }},
      {"too many columns", [](LpProblem& lp) { lp.ingredientCount = kLpMaxColumns + 1; }},
      {"coefficient not a number", [](LpProblem& lp) { lp.matrix[2][1] = kNan; }},
      {"infinite right-hand side", [](LpProblem& lp) { lp.matrix[2][0] = kInf; }},
      {"infinite first price", [](LpProblem& lp) { lp.ingredientPrice[1] = kInf; }},
      {"unknown row type", [](LpProblem& lp) { lp.rowType[2] = 2; }},
  };
  // The solver held the good program first: a refused one leaves nothing
  // to solve or change, and the good program is taken again afterwards.
  const HandCase& hand = kHandCases.front();
  auto lp = MakeProblem(hand.prices, hand.rows);
  LpSolver solver;
  LpResult result;
  ASSERT_EQ(SolveLp(solver, *lp, result), LpStatus::Optimal);
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    test.spoil(*lp);
    Soil(result);
    EXPECT_EQ(SolveLp(solver, *lp, result), LpStatus::InvalidInput);
    ExpectAllZero(result);
    EXPECT_FALSE(solver.Loaded());
    EXPECT_EQ(solver.Solve(result), LpStatus::InvalidInput);
    EXPECT_FALSE(solver.SetRow(1, kLpEqual, 100));
    lp = MakeProblem(hand.prices, hand.rows);
    EXPECT_EQ(SolveLp(solver, *lp, result), LpStatus::Optimal);
    EXPECT_NEAR(result.objective, hand.cost, 1e-9);
  }
  // The largest program that can be held is taken: here rows and free
  // columns without coefficients around the hand-solved ones.
  lp->rowCount = kLpMaxRows;
  lp->ingredientCount = kLpMaxColumns;
  EXPECT_EQ(SolveLp(solver, *lp, result), LpStatus::Optimal);
  EXPECT_NEAR(result.objective, hand.cost, 1e-9);
  // In-place changes out of range, of unknown type or not finite are refused.
  EXPECT_FALSE(solver.SetRow(0, kLpEqual, 1));
  EXPECT_FALSE(solver.SetRow(kLpMaxRows + 1, kLpEqual, 1));
  EXPECT_FALSE(solver.SetRow(2, 7, 1));
  EXPECT_FALSE(solver.SetRow(2, kLpAtLeast, kInf));
  EXPECT_FALSE(solver.SetCost(0, 1));
  EXPECT_FALSE(solver.SetCost(kLpMaxColumns + 1, 1));
  EXPECT_FALSE(solver.SetCost(1, kNan));
}

// The minima and prices move as the diet optimization moves them. A warm
// start, and the same changes made in place, answer as a fresh solve does;
// a program solved again unchanged costs no simplex run. Step 3 asks for
// more lysine than any mix holds. The library prints nothing throughout.
TEST(LpSolverWarmStart, ResolvesAnswerAsAFreshSolve) {
  const HandCase& hand = kHandCases.back();
  auto lp = MakeProblem(hand.prices, hand.rows);
  LpSolver kept;
  LpSolver inPlace;
  LpResult warm;
  LpResult changed;
  LpResult once;
  ASSERT_EQ(SolveLp(kept, *lp, warm), LpStatus::Optimal);
  EXPECT_TRUE(kept.LastSolve().rebuilt);
  EXPECT_FALSE(kept.LastSolve().warmStart);
  ASSERT_EQ(SolveLp(inPlace, *lp, changed), LpStatus::Optimal);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  for (int step = 0; step < 8; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    lp->matrix[2][0] = 15 + 3 * step;              // protein
    lp->matrix[3][0] = step == 3 ? 60 : 4 + step;  // lysine: at most 50 in any mix
    const int column = 1 + step % 3;
    lp->ingredientPrice[column] *= 0.8;
    LpSolver newSolver;
    const LpStatus expected = SolveLp(newSolver, *lp, once);
    EXPECT_EQ(expected, step == 3 ? LpStatus::Infeasible : LpStatus::Optimal);
    ASSERT_EQ(SolveLp(kept, *lp, warm), expected);
    EXPECT_FALSE(kept.LastSolve().rebuilt);
    EXPECT_TRUE(kept.LastSolve().warmStart);
    for (int row : {2, 3}) ASSERT_TRUE(inPlace.SetRow(row, kLpAtLeast, lp->matrix[row][0]));
    ASSERT_TRUE(inPlace.SetCost(column, lp->ingredientPrice[column]));
    ASSERT_EQ(inPlace.Solve(changed), expected);
    EXPECT_TRUE(inPlace.LastSolve().warmStart);
    if (expected != LpStatus::Optimal) {
      Soil(warm);
      ASSERT_EQ(SolveLp(kept, *lp, warm), expected);
      EXPECT_TRUE(kept.LastSolve().reused);
      ExpectAllZero(warm);
      continue;
    }
    for (int c = 1; c <= 3; ++c) {
      EXPECT_NEAR(warm.solution[c], once.solution[c], 1e-9) << "ingredient " << c;
      EXPECT_NEAR(changed.solution[c], once.solution[c], 1e-9) << "ingredient " << c;
    }
    EXPECT_NEAR(warm.objective, once.objective, 1e-9);
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

  Soil(once);
  ASSERT_EQ(SolveLp(kept, *lp, once), LpStatus::Optimal);
  EXPECT_TRUE(kept.LastSolve().reused);
  EXPECT_EQ(kept.LastSolve().attempts, 0);
  EXPECT_EQ(once.rowResult, warm.rowResult);
}

// A moved solver keeps its program, its basis, and a change it has taken
// but not yet solved.
TEST(LpSolverWarmStart, MovedSolverKeepsItsProgramAndItsChanges) {
  const HandCase& hand = kHandCases.back();
  auto lp = MakeProblem(hand.prices, hand.rows);
  LpSolver first;
  LpResult result;
  ASSERT_EQ(SolveLp(first, *lp, result), LpStatus::Optimal);
  LpSolver second(std::move(first));
  ASSERT_EQ(second.Solve(result), LpStatus::Optimal);
  EXPECT_TRUE(second.LastSolve().warmStart);
  EXPECT_NEAR(result.objective, hand.cost, 1e-9);
  EXPECT_EQ(first.Solve(result), LpStatus::InvalidInput);  // NOLINT: moved-from is empty

  const HandCase& two = kHandCases.front();
  lp = MakeProblem(two.prices, two.rows);
  ASSERT_EQ(SolveLp(second, *lp, result), LpStatus::Optimal);
  lp->matrix[2][2] = 0.48;  // richer soybean meal: x2 = 12 / 0.40 = 30
  ASSERT_TRUE(second.Load(*lp));
  LpSolver third(std::move(second));
  ASSERT_EQ(third.Solve(result), LpStatus::Optimal);
  EXPECT_TRUE(third.LastSolve().rebuilt);
  EXPECT_NEAR(result.solution[2], 30, 1e-9);
  EXPECT_NEAR(result.objective, 0.2 * 70 + 0.4 * 30, 1e-9);
}

// The library's state is per thread, and an error inside it frees that
// state with every problem made in the thread: a solver whose problem went
// with it, or that is taken to a worker thread, starts afresh, and again
// when it comes back (a worker that starts after another ended may get its
// thread id). Nothing is printed; destroying a solver whose problem went
// with the state must not free it again.
TEST(LpSolverLibraryState, SolversRecoverFromErrorsAndFollowTheirThread) {
  const HandCase& two = kHandCases.front();
  const HandCase& three = kHandCases.back();
  auto lpTwo = MakeProblem(two.prices, two.rows);
  auto lpThree = MakeProblem(three.prices, three.rows);
  LpSolver solver;
  LpResult result;
  ASSERT_EQ(SolveLp(solver, *lpTwo, result), LpStatus::Optimal);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  {
    LpSolver dropped;
    ASSERT_EQ(SolveLp(dropped, *lpThree, result), LpStatus::Optimal);
    EXPECT_EQ(LpMisuseForTest(), LpStatus::LibraryError);
  }
  for (int i = 0; i < 3; ++i) EXPECT_EQ(LpMisuseForTest(), LpStatus::LibraryError);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ASSERT_EQ(solver.Solve(result), LpStatus::Optimal);  // after the error, in this thread
  EXPECT_TRUE(solver.LastSolve().rebuilt);
  EXPECT_NEAR(result.objective, two.cost, 1e-9);
  for (int worker = 1; worker <= 2; ++worker) {
    SCOPED_TRACE(worker);
    bool rebuilt = false;
    std::thread([&] {
      EXPECT_EQ(solver.Solve(result), LpStatus::Optimal);
      rebuilt = solver.LastSolve().rebuilt;
      LpReleaseThread();
    }).join();
    EXPECT_TRUE(rebuilt);
    EXPECT_NEAR(result.objective, two.cost, 1e-9);
  }
  ASSERT_EQ(solver.Solve(result), LpStatus::Optimal);
  EXPECT_TRUE(solver.LastSolve().rebuilt);
  LpSolver fresh;
  ASSERT_EQ(SolveLp(fresh, *lpThree, result), LpStatus::Optimal);
  EXPECT_NEAR(result.objective, three.cost, 1e-9);
}

}  // namespace
