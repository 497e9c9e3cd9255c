// Least-cost formulation of the demo location: one diet built and solved
// from scratch or from its kept program, "Run LP" over the three diets, and
// what the formulations say beyond the formula: the sensitivity of the three
// diets and the conflicting restrictions of an infeasible one.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "BenchDemo.h"
#include "formulation/ConflictingRestrictions.h"
#include "formulation/DietSensitivity.h"
#include "formulation/LeastCost.h"
#include "formulation/Matrix.h"
#include "formulation/Restrictions.h"
#include "platform/Grid.h"

namespace {

constexpr int kDiet = 3;             // the grower diet: the largest share of the feed
constexpr int kEnergySteps = 16;     // energy minima cycled through, as an optimization moves them
constexpr double kEnergyLow = 2380;  // kcal/kg; the demo's minimum is 2412, its maximum 2550
constexpr double kEnergyStep = 8;

struct DemoLocation {
  DemoLocation() {
    const std::string folder = DemoFile("");
    ReadMatrixFile(*tables, folder + "DemoMatrix.txt", dialogs);
    std::string reqNut;
    std::int16_t feedChoice = 0;
    LoadRestrictions(*tables, dialogs, folder + "DemoReq.ing", reqNut, feedChoice);
    growth->dietCount = 3;
  }

  void SetEnergyStep(int step) {
    tables->nutrientRestrictions[kDiet][kMinKind][1] = kEnergyLow + kEnergyStep * step;
  }

  std::unique_ptr<FormulationTables> tables = std::make_unique<FormulationTables>();
  std::unique_ptr<GrowthState> growth = std::make_unique<GrowthState>();
  std::unique_ptr<FormulationState> state = std::make_unique<FormulationState>();
  BenchDialogs dialogs;
  LeastCostContext context{*tables, *growth, *state, dialogs};
};

void Report(benchmark::State& bench, const DemoLocation& demo, long problems) {
  bench.counters["problems"] = static_cast<double>(problems) / bench.iterations();
  bench.counters["messages"] = demo.dialogs.messages;
}

// BuildLp + SolveDiet with a new solver each time: the program is built, scaled
// and solved from the start.
void BM_FormulateDietCold(benchmark::State& bench) {
  DemoLocation demo;
  BuildLp(demo.context, kDiet);
  SolveDiet(demo.context, kDiet);  // fixes the weight row's maximum, as any first run does
  long problems = 0;
  int step = 0;
  for (auto _ : bench) {
    demo.SetEnergyStep(step++ % kEnergySteps);
    demo.state->solvers[kDiet] = LpSolver();
    BuildLp(demo.context, kDiet);
    SolveDiet(demo.context, kDiet);
    problems += demo.state->dietProblems[kDiet];
    benchmark::DoNotOptimize(demo.state->dietCost[kDiet]);
  }
  Report(bench, demo, problems);
}
BENCHMARK(BM_FormulateDietCold)->Unit(benchmark::kMicrosecond);

// BuildLp + SolveDiet on the diet's kept solver: only the energy minimum moves,
// and the solve starts from the last basis.
void BM_FormulateDietWarm(benchmark::State& bench) {
  DemoLocation demo;
  for (int first = 0; first < 2; ++first) {
    BuildLp(demo.context, kDiet);
    SolveDiet(demo.context, kDiet);
  }
  long problems = 0;
  long warm = 0;
  int step = 0;
  for (auto _ : bench) {
    demo.SetEnergyStep(step++ % kEnergySteps);
    BuildLp(demo.context, kDiet);
    SolveDiet(demo.context, kDiet);
    problems += demo.state->dietProblems[kDiet];
    warm += demo.state->solvers[kDiet].LastSolve().warmStart;
    benchmark::DoNotOptimize(demo.state->dietCost[kDiet]);
  }
  Report(bench, demo, problems);
  bench.counters["warm"] = static_cast<double>(warm) / bench.iterations();
}
BENCHMARK(BM_FormulateDietWarm)->Unit(benchmark::kMicrosecond);

// "Run LP" on the demo location: three diets, with the diets table written.
void BM_RunLpDemo(benchmark::State& bench) {
  DemoLocation demo;
  Grid dietsTable(19, 9);
  RunLp(demo.context, dietsTable);
  long problems = 0;
  for (auto _ : bench) {
    RunLp(demo.context, dietsTable);
    for (int d = 1; d <= 3; ++d) problems += demo.state->dietProblems[d];
    benchmark::DoNotOptimize(dietsTable.Text(2, 1).data());
  }
  Report(bench, demo, problems);
}
BENCHMARK(BM_RunLpDemo)->Unit(benchmark::kMicrosecond);

// "Run LP" with fresh solvers each time: what the first formulation of a
// location costs.
void BM_RunLpDemoCold(benchmark::State& bench) {
  DemoLocation demo;
  Grid dietsTable(19, 9);
  RunLp(demo.context, dietsTable);
  long problems = 0;
  for (auto _ : bench) {
    for (auto& solver : demo.state->solvers) solver = LpSolver();
    RunLp(demo.context, dietsTable);
    for (int d = 1; d <= 3; ++d) problems += demo.state->dietProblems[d];
    benchmark::DoNotOptimize(dietsTable.Text(2, 1).data());
  }
  Report(bench, demo, problems);
}
BENCHMARK(BM_RunLpDemoCold)->Unit(benchmark::kMicrosecond);

// Shadow prices, reduced costs and both kinds of range of the three demo
// diets, read from their kept programs after "Run LP".
void BM_SensitivityDemoDiets(benchmark::State& bench) {
  DemoLocation demo;
  Grid dietsTable(19, 9);
  RunLp(demo.context, dietsTable);
  long restrictions = 0;
  for (auto _ : bench) {
    for (int d = 1; d <= 3; ++d) {
      const DietSensitivity sensitivity = AnalyzeDietSensitivity(*demo.state, *demo.growth, d);
      restrictions += static_cast<long>(sensitivity.restrictions.size());
    }
  }
  Report(bench, demo, 0);
  bench.counters["restrictions"] = static_cast<double>(restrictions) / bench.iterations();
}
BENCHMARK(BM_SensitivityDemoDiets)->Unit(benchmark::kMicrosecond);

// The restrictions of the demo's first diet that cannot all hold once it asks
// for 4448 kcal: a deletion filter of re-solves from the diet's kept basis.
void BM_ConflictingSetInfeasibleDemo(benchmark::State& bench) {
  DemoLocation demo;
  demo.tables->nutrientRestrictions[1][kMinKind][1] = 4448;
  BuildLp(demo.context, 1);
  SolveDiet(demo.context, 1);
  long members = 0;
  for (auto _ : bench) {
    FindConflictingRestrictions(*demo.state, 1);
    members += demo.state->conflicts[1].count;
  }
  Report(bench, demo, 0);
  bench.counters["members"] = static_cast<double>(members) / bench.iterations();
}
BENCHMARK(BM_ConflictingSetInfeasibleDemo)->Unit(benchmark::kMicrosecond);

}  // namespace
