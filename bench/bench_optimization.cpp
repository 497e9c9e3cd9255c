// The whole diet optimization of the demo location, as "Run Opt." does it
// after a growth run: the feed amount, energy and protein of the three diets
// all free within the window's default limits around the current values.
// Also one evaluation of the feed-cost objective with every diet moved, and
// the optimization of the given diets (feed amounts only, no formulation).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "DemoCases.h"

namespace {

void Optimization(benchmark::State& bench, int feedChoice) {
  DemoOptimization demo(feedChoice);
  for (auto _ : bench) {
    demo.Run();
    benchmark::DoNotOptimize(demo.opt->result.bestCost);
  }
  const OptResult& r = demo.opt->result;
  if (!r.done) bench.SkipWithError("the run did not start");
  bench.counters["evaluations"] = static_cast<double>(r.evaluations);
  bench.counters["lp_solves"] = static_cast<double>(r.lpSolves);
  bench.counters["start_cost"] = r.startCost;
  bench.counters["best_cost"] = r.bestCost;
  // The given diets ask one question a run; any other message is counted too.
  bench.counters["messages"] = demo.dialogs.messages / static_cast<double>(bench.iterations());
}

void BM_OptimizeDemoLeastCost(benchmark::State& bench) { Optimization(bench, kFeedLeastCost); }
void BM_OptimizeDemoGridDiets(benchmark::State& bench) { Optimization(bench, kFeedGrid); }
BENCHMARK(BM_OptimizeDemoLeastCost)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimizeDemoGridDiets)->Unit(benchmark::kMillisecond);

// One objective evaluation at the optimum's neighbourhood: each diet's
// energy moves every time, so every diet is formulated (warm) and grown.
void BM_FeedCostEvaluation(benchmark::State& bench) {
  DemoOptimization demo(kFeedLeastCost);
  demo.Run();
  App& app = *demo.app;
  DietOptState& opt = *demo.opt;
  LeastCostContext lp{app.formulation, app.growth, *app.formulationState, app.dialogs};
  FeedCostObjective objective(lp, app.mainForm.dietsTable, opt.objective);
  OptVariables x = opt.search;
  x.fixedFlags = opt.ticked;
  x.point = opt.startVar;
  app.formulationState->optMode = kOptModeRunning;
  const long solvesBefore = opt.objective.lpSolves;
  double modifiers = 0.25;
  for (auto _ : bench) {
    modifiers = -modifiers;
    for (int d = 1; d <= kDemoDiets; ++d) x.point[VariableOf(d, kEnergyKind)] += modifiers;
    benchmark::DoNotOptimize(objective.Evaluate(x, 1));
  }
  app.formulationState->optMode = kOptModeOff;
  bench.counters["lp_solves"] =
      static_cast<double>(opt.objective.lpSolves - solvesBefore) / bench.iterations();
}
BENCHMARK(BM_FeedCostEvaluation)->Unit(benchmark::kMicrosecond);

}  // namespace
