// One growth run of a three-diet nursery program, 6.2 kg at 21 days to
// 25 kg, as the calibration and the diet optimization repeat it: without the
// daily table and with its feed columns written.

#include <benchmark/benchmark.h>

#include <array>
#include <memory>

#include "model/GlobalPig.h"
#include "model/PigGrowth.h"
#include "model/Units.h"
#include "platform/Grid.h"

namespace {

void LoadThreeDiets(GlobalPig& pig) {
  struct Diet {
    double pricePerTonne, energy, protein, lysine, allowance;
  };
  constexpr std::array<Diet, 3> kDiets{{
      {640, 2450, 22, 1.50, 3},
      {450, 2500, 20, 1.35, 8},
      {340, 2550, 19, 1.25, 20},
  }};
  // Arginine to valine relative to lysine.
  constexpr std::array<double, 12> kRatio{
      0.85, 0.34, 1.0, 0.185, 1.14, 0.66, 0.55, 0.31, 0.59, 1.07, 0.60, 0.65};
  SetUnitSwitch(pig, 0);
  pig.NumDiets = 3;
  for (int c = 1; c <= 3; ++c) {
    const Diet& diet = kDiets[c - 1];
    pig.DietNutrients[c][kPrice] = diet.pricePerTonne;
    pig.DietNutrients[c][kEnergy] = diet.energy;
    pig.DietNutrients[c][kProtein] = diet.protein;
    for (int i = kArginine; i <= kValine; ++i) {
      pig.DietNutrients[c][i] = diet.lysine * kRatio[i - kArginine];
    }
    pig.DietFeedAmount[c] = diet.allowance;
  }
  pig.GrowthCoef = pig.DefaultGrowthCoef;
  pig.StartAge = 21;
  pig.LiveWeight[21][kHerdColumn] = 6.2;
  pig.FinalWeight = 25;
}

void RunGrowth(benchmark::State& state, bool showDailyRows) {
  auto pig = std::make_unique<GlobalPig>();
  LoadThreeDiets(*pig);
  pig->ShowDailyRows = showDailyRows;
  Grid results(200, 14);
  Grid* grid = showDailyRows ? &results : nullptr;
  for (auto _ : state) {
    pig->FinalAge = 0;
    PigGrowth::RunGrowthDays(*pig, grid);
    benchmark::DoNotOptimize(pig->FinalAge);
  }
  if (pig->GrowthFailed) state.SkipWithError("the growth run failed");
  state.counters["final_age"] = pig->FinalAge;
}

void BM_GrowthRun(benchmark::State& state) { RunGrowth(state, false); }
void BM_GrowthRunDailyRows(benchmark::State& state) { RunGrowth(state, true); }

BENCHMARK(BM_GrowthRun)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrowthRunDailyRows)->Unit(benchmark::kMicrosecond);

}  // namespace
