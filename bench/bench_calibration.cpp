// The calibration fit of the demo location (Demo.plt, Demo.cal, Demo.dts),
// prepared as the calibration run prepares it: the whole fit, and one
// evaluation of its objective. The fit's counters give the growth runs it
// made, the runs per second and the best score.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchDemo.h"
#include "calibration/CalibrationData.h"
#include "calibration/GrowthCurveFit.h"
#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "model/GrowthState.h"
#include "model/Units.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"

namespace {

struct DemoCalibration {
  DemoCalibration() {
    const std::string base = DemoFile("Demo");
    LoadCalibrationFile(base + ".plt", *loaded, calib, coefficientTable, dialogs);
    LoadCalibrationRows(base + ".cal", calib);
    ReadDietsFile(base + ".dts", dietsTable, *loaded);
    // As the calibration run: the coefficients of row 1, the diets in use
    // read into the model, the start and final weight from the herd inputs.
    for (int k = 0; k < kCoefCount; ++k) {
      loaded->growthCoef[k] = ReadNumber(coefficientTable.Text(kCoefRow, k + 1));
    }
    loaded->defaultGrowthCoef = loaded->growthCoef;
    loaded->dietCount = static_cast<std::int16_t>(DietsInUse(dietsTable, kMaxDiets));
    loaded->currentDiet = 1;
    TakeDietsFromTable(dietsTable, *loaded);
    loaded->startAge = static_cast<std::int16_t>(calib.herdInputs[kHerdStartAge]);
    loaded->liveWeight[loaded->startAge][kHerdColumn] =
        ConvertWeight(*loaded, kToInternal, calib.herdInputs[kHerdStartWeight]);
    loaded->finalWeight = ConvertWeight(*loaded, kToInternal, calib.herdInputs[kHerdFinalWeight]);
    // A farm whose total feed is half as much again as its weighings say: no
    // point fits well, so the fit runs every stage.
    hard = calib;
    hard.herdInputs[kHerdTotalFeed] *= 1.5;
  }

  // A fresh copy of the loaded model state and a fit that has not started.
  void Reset() {
    *growth = *loaded;
    *state = GrowthCurveFit::FitState{};
  }

  std::unique_ptr<GrowthState> loaded = std::make_unique<GrowthState>();
  std::unique_ptr<GrowthState> growth = std::make_unique<GrowthState>();
  std::unique_ptr<GrowthCurveFit::FitState> state = std::make_unique<GrowthCurveFit::FitState>();
  CalibrationData calib;
  CalibrationData hard;
  Grid coefficientTable{5, 7};
  Grid dietsTable{kDietsRows, kDietsCols};
  BenchDialogs dialogs;
  GrowthCurveFit::FitContext context{*growth, calib, *state, &coefficientTable, &dialogs};
  GrowthCurveFit::FitContext hardContext{*growth, hard, *state, &coefficientTable, &dialogs};
};

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
