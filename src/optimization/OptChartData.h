// Optimization: the data of the optimization report's chart.
#pragma once

#include <array>
#include <string>

#include "model/GrowthState.h"
#include "optimization/DietOptimization.h"

// The chart of the optimization report: by diet, the feed per pig and the
// feed cost per pig of the start against the optimum, from the run's
// snapshot. Feed in display weight units, cost in money per pig.

struct DietBars {
  double startFeed = 0;
  double optimumFeed = 0;
  double startCost = 0;
  double optimumCost = 0;
  friend bool operator==(const DietBars&, const DietBars&) = default;
};

struct OptChartData {
  int diets = 0;                               // 0: no finished run
  std::array<DietBars, kMaxDiets + 1> diet{};  // [1..diets]
  int weightCode = 0;                          // unitCodes[kWeightUnit] of the feed
  friend bool operator==(const OptChartData&, const OptChartData&) = default;
};

// The start: the feed amounts the run started from (the optimization table's
// current values) at the diets' prices then. The optimum: the feed the
// report shows (the amount allowed when the search kept it fixed, else what
// the diet's phase ate) and the report's cost of each diet (its price times
// its amount).
OptChartData ReadOptChart(const OptResult& result, const GrowthState& growth);

// "Diet 1", "Diet 2", ...
std::string DietBarLabel(int diet);
// "Feed per pig, kg" in the chart's weight unit.
std::string FeedBarsTitle(const OptChartData& chart);
inline constexpr const char* kCostBarsTitle = "Feed cost per pig";
inline constexpr const char* kStartBars = "Start";
inline constexpr const char* kChartTabCaption = "Chart";
inline constexpr const char* kNoOptChartYet = "Run an optimization to chart it";
inline constexpr const char* kOptimumBars = "Optimum";
