// One growth run of a three-diet nursery program, 6.2 kg at 21 days to
// 25 kg, as the calibration and the diet optimization repeat it: without the
// daily table and with its feed columns written.

#include <benchmark/benchmark.h>

#include <memory>

#include "model/GrowthExample.h"
#include "model/GrowthState.h"
#include "model/PigGrowth.h"
#include "platform/Grid.h"

namespace {

void Growth(benchmark::State& state, bool showDailyRows) {
  auto growth = std::make_unique<GrowthState>();
  LoadExampleDiets(*growth);
  growth->showDailyRows = showDailyRows;
  Grid results(200, 14);
  Grid* grid = showDailyRows ? &results : nullptr;
  for (auto _ : state) {
    growth->finalAge = 0;
    PigGrowth::RunGrowthDays(*growth, grid);
    benchmark::DoNotOptimize(growth->finalAge);
  }
  if (growth->growthFailed) state.SkipWithError("the growth run failed");
  state.counters["final_age"] = growth->finalAge;
}

void BM_GrowthRun(benchmark::State& state) { Growth(state, false); }
void BM_GrowthRunDailyRows(benchmark::State& state) { Growth(state, true); }

BENCHMARK(BM_GrowthRun)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrowthRunDailyRows)->Unit(benchmark::kMicrosecond);

}  // namespace
