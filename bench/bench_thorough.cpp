// The classic searches against the thorough stage after them, on the demo's
// diet optimization, the demo's calibration and the hard farm's: the best
// score (cost per pig, fit score), the evaluations and the seconds of each
// stage, on every core the machine has.

#include <benchmark/benchmark.h>

#include "DemoCases.h"

namespace {

void Counters(benchmark::State& bench,
              const SearchStageFigures& classic,
              const SearchStageFigures& thorough) {
  bench.counters["classic"] = classic.score;
  bench.counters["classic_evals"] = static_cast<double>(classic.evaluations);
  bench.counters["classic_s"] = classic.seconds;
  bench.counters["thorough"] = thorough.score;
  bench.counters["thorough_evals"] = static_cast<double>(thorough.evaluations);
  bench.counters["thorough_s"] = thorough.seconds;
}

void BM_ThoroughDietDemo(benchmark::State& bench) {
  DemoOptimization demo(kFeedLeastCost);
  demo.opt->thorough = true;
  demo.opt->threads = static_cast<int>(bench.range(0));
  for (auto _ : bench) {
    demo.Run();
    benchmark::DoNotOptimize(demo.opt->result.bestCost);
  }
  const OptResult& r = demo.opt->result;
  if (!r.done || !r.thoroughRan) bench.SkipWithError("the thorough stage did not run");
  Counters(bench, r.classic, r.thorough);
  bench.counters["best_cost"] = r.bestCost;
}
BENCHMARK(BM_ThoroughDietDemo)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
