// The whole "Growth" command on the demo location: the three phase diets
// formulated at least cost, one growth run with the daily table, the summary,
// the comparison, the formula table and the score against the weighings.
// Also with the diets taken from the grid, to show what the formulation
// costs.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchDemo.h"
#include "app/App.h"

namespace {

void GrowthCommand(benchmark::State& state, int feedChoice) {
  BenchDialogs dialogs(Answer::OK, true);
  auto app = std::make_unique<App>(dialogs);
  MainForm& form = app->mainForm;
  form.LocationNameClicked();
  form.herdSex.selected = 0;  // "Mixed"
  form.feedFormulation.selected = feedChoice;
  dialogs.messages = 0;
  for (auto _ : state) {
    form.Growth();
    benchmark::DoNotOptimize(app->growthResults.costPerPig);
  }
  if (dialogs.messages > 0) state.SkipWithError("the run showed a message");
  if (!app->growthResults.scored) state.SkipWithError("the demo's targets were not scored");
  state.counters["final_age"] = app->growth.finalAge;
  state.counters["cost_per_pig"] = app->growthResults.costPerPig;
}

void BM_GrowthCommandLeastCost(benchmark::State& state) { GrowthCommand(state, kFeedLeastCost); }
void BM_GrowthCommandGridDiets(benchmark::State& state) { GrowthCommand(state, kFeedGrid); }

BENCHMARK(BM_GrowthCommandLeastCost)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrowthCommandGridDiets)->Unit(benchmark::kMicrosecond);

}  // namespace
