// Linear programs of diet size: fresh solves against warm re-solves of a kept
// problem whose minima move, as the diet optimization moves them.

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>

#include "platform/LpSolver.h"

namespace {

constexpr int kIngredients = 25;
constexpr int kNutrients = 20;
constexpr int kMinimumRows = 61;  // rows 1..61 hold the minima, the rest left empty
constexpr int kRhsSteps = 16;     // distinct energy and protein minima cycled through
constexpr int kEnergyRow = 2;
constexpr int kProteinRow = 3;

// The row layout the least-cost builder makes: weight row, nutrient minima,
// empty rows up to 61, an empty row 62 with right-hand side 100, nutrient
// maxima, then ingredient minima and maxima. Dense, fixed pseudo-random data
// whose even mix meets every row, so each program is feasible.
struct DietBench {
  DietBench() : lp(std::make_unique<LpProblem>()) {
    LpProblem& p = *lp;
    p.ingredientCount = kIngredients;
    for (int c = 1; c <= kIngredients; ++c) p.ingredientPrice[c] = 0.15 + 0.5 * Next();
    p.rowType[1] = kLpEqual;
    p.matrix[1][0] = 100;
    for (int c = 1; c <= kIngredients; ++c) p.matrix[1][c] = 1;
    for (int k = 0; k < kNutrients; ++k) {
      const int r = 2 + k;
      const double scale = std::pow(10.0, k % 4 - 2);  // fractions of a per cent to tens
      for (int c = 1; c <= kIngredients; ++c) p.matrix[r][c] = scale * Next();
      evenLevel[r] = 0;
      for (int c = 1; c <= kIngredients; ++c) evenLevel[r] += p.matrix[r][c] * 100 / kIngredients;
      p.rowType[r] = kLpAtLeast;
      p.matrix[r][0] = 0.85 * evenLevel[r];
    }
    p.matrix[kMinimumRows + 1][0] = 100;
    int r = kMinimumRows + 1;
    for (int k = 0; k < 6; ++k) {
      ++r;
      p.rowType[r] = kLpAtMost;
      p.matrix[r] = p.matrix[2 + k];
      p.matrix[r][0] = 1.25 * evenLevel[2 + k];
    }
    for (int c = 1; c <= kIngredients; ++c) {
      ++r;
      p.rowType[r] = kLpAtMost;
      p.matrix[r][c] = 1;
      p.matrix[r][0] = c % 5 == 0 ? 5 : 30;
    }
    p.rowCount = r;
  }

  // Moves the energy and protein minima to step s of kRhsSteps.
  void SetStep(int s) {
    lp->matrix[kEnergyRow][0] = (0.70 + 0.03 * s) * evenLevel[kEnergyRow];
    lp->matrix[kProteinRow][0] = (1.15 - 0.03 * s) * evenLevel[kProteinRow];
  }

  double Next() {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / 16777216.0;
  }

  std::unique_ptr<LpProblem> lp;
  std::array<double, kLpMaxRows + 1> evenLevel{};
  std::uint32_t seed = 7u;
};

// Simplex iterations, optimal answers and warm starts over the benchmark's runs.
struct Tally {
  void Add(LpStatus status, const LpSolver& solver) {
    optimal += status == LpStatus::Optimal;
    iterations += solver.LastSolve().iterations;
    warm += solver.LastSolve().warmStart;
  }
  void Report(benchmark::State& state) const {
    const double runs = static_cast<double>(state.iterations());
    state.counters["simplexIters"] = iterations / runs;
    state.counters["optimal"] = optimal / runs;
    state.counters["warm"] = warm / runs;
  }
  long iterations = 0, optimal = 0, warm = 0;
};

// The kept solver of a diet, solved once so the next solve is warm.
struct WarmDiet {
  WarmDiet() { SolveLp(solver, *diet.lp, *result); }
  DietBench diet;
  std::unique_ptr<LpResult> result = std::make_unique<LpResult>();
  LpSolver solver;
};

// A new solver per call: the problem is built, scaled and solved from an advanced basis.
void BM_LpCold(benchmark::State& state) {
  DietBench diet;
  auto result = std::make_unique<LpResult>();
  Tally tally;
  int step = 0;
  for (auto _ : state) {
    diet.SetStep(step++ % kRhsSteps);
    LpSolver solver;
    tally.Add(SolveLp(solver, *diet.lp, *result), solver);
    benchmark::DoNotOptimize(result->objective);
  }
  tally.Report(state);
}
BENCHMARK(BM_LpCold)->Unit(benchmark::kMicrosecond);

// The kept solver of the diet: the whole program is handed over again, only
// its minima differ, and the dual simplex starts from the last basis.
void BM_LpWarmNewMinima(benchmark::State& state) {
  WarmDiet w;
  Tally tally;
  int step = 0;
  for (auto _ : state) {
    w.diet.SetStep(step++ % kRhsSteps);
    tally.Add(SolveLp(w.solver, *w.diet.lp, *w.result), w.solver);
    benchmark::DoNotOptimize(w.result->objective);
  }
  tally.Report(state);
}
BENCHMARK(BM_LpWarmNewMinima)->Unit(benchmark::kMicrosecond);

// The same through the in-place calls: two right-hand sides, then a solve.
void BM_LpWarmInPlace(benchmark::State& state) {
  WarmDiet w;
  const auto& rhs = w.diet.lp->matrix;
  Tally tally;
  int step = 0;
  for (auto _ : state) {
    w.diet.SetStep(step++ % kRhsSteps);
    w.solver.SetRow(kEnergyRow, kLpAtLeast, rhs[kEnergyRow][0]);
    w.solver.SetRow(kProteinRow, kLpAtLeast, rhs[kProteinRow][0]);
    tally.Add(w.solver.Solve(*w.result), w.solver);
    benchmark::DoNotOptimize(w.result->objective);
  }
  tally.Report(state);
}
BENCHMARK(BM_LpWarmInPlace)->Unit(benchmark::kMicrosecond);

// Nothing changed since the last solve: the cost of a call itself.
void BM_LpWarmUnchanged(benchmark::State& state) {
  WarmDiet w;
  Tally tally;
  for (auto _ : state) {
    tally.Add(SolveLp(w.solver, *w.diet.lp, *w.result), w.solver);
    benchmark::DoNotOptimize(w.result->objective);
  }
  tally.Report(state);
}
BENCHMARK(BM_LpWarmUnchanged)->Unit(benchmark::kMicrosecond);

}  // namespace
