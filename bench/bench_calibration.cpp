// The calibration fit of the demo location (Demo.plt, Demo.cal, Demo.dts),
// prepared as the calibration run prepares it: the whole fit, and one
// evaluation of its objective. The fit's counters give the growth runs it
// made, the runs per second and the best score.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "DemoCases.h"

namespace {

void CalibrateFit(benchmark::State& bench, bool hardFarm) {
  DemoCalibration demo;
  long runs = 0;
  GrowthCurveFit::FitSummary summary;
  for (auto _ : bench) {
    bench.PauseTiming();
    demo.Reset();
    bench.ResumeTiming();
    summary = GrowthCurveFit::CalibrateFit(hardFarm ? demo.hardContext : demo.context, 1);
    runs += summary.evaluations;
  }
  if (demo.dialogs.messages > 0) bench.SkipWithError("the fit showed a message");
  bench.counters["growth_runs"] = static_cast<double>(summary.evaluations);
  bench.counters["runs_per_second"] =
      benchmark::Counter(static_cast<double>(runs), benchmark::Counter::kIsRate);
  bench.counters["best"] = summary.best;
  for (int k = 0; k < kCoefCount; ++k) {
    bench.counters["B" + std::to_string(k)] = demo.state->bestPoint[k + 1];
  }
}

// The demo as it is, and with a total feed half as much again as its weighings'.
void BM_CalibrateFitDemo(benchmark::State& bench) { CalibrateFit(bench, false); }
void BM_CalibrateFitHardFarm(benchmark::State& bench) { CalibrateFit(bench, true); }

void BM_FitObjectiveDemo(benchmark::State& bench) {
  DemoCalibration demo;
  demo.Reset();
  demo.state->targetTotalFeed = demo.calib.herdInputs[kHerdTotalFeed];
  demo.state->targetFinalAge = demo.calib.herdInputs[kHerdFinalAge];
  for (auto _ : bench) {
    GrowthCurveFit::FitObjective(demo.context);
    benchmark::DoNotOptimize(demo.state->fitValue);
  }
  bench.counters["score"] = demo.state->fitValue;
}

BENCHMARK(BM_CalibrateFitDemo)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CalibrateFitHardFarm)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FitObjectiveDemo)->Unit(benchmark::kMicrosecond);

}  // namespace
