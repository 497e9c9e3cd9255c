#include "optimization/OptChartData.h"

#include <algorithm>

#include "model/Units.h"
#include "optimization/FeedCostObjective.h"

OptChartData ReadOptChart(const OptResult& result, const GrowthState& growth) {
  OptChartData chart;
  chart.weightCode = growth.unitCodes[kWeightUnit];
  if (!result.done) return chart;
  chart.diets = std::clamp(result.diets, 0, kMaxDiets);
  for (int d = 1; d <= chart.diets; ++d) {
    DietBars& bars = chart.diet[d];
    bars.startFeed = result.tableValues[d][kFeedKind][kOptCurrent];
    bars.startCost = ConvertPrice(growth, kToInternal, result.startPrice[d]) *
                     ConvertWeight(growth, kToInternal, bars.startFeed);
    const int v = VariableOf(d, kFeedKind);
    const bool fixed = v > kMaxOptVars || result.fixed[v] != 0;
    const double eaten = fixed ? result.feedAmount[d] : result.phaseFeed[d];
    bars.optimumFeed = ConvertWeight(growth, kToDisplay, eaten);
    bars.optimumCost = ConvertPrice(growth, kToInternal, result.dietCost[d]) * result.feedAmount[d];
  }
  return chart;
}

std::string DietBarLabel(int diet) { return "Diet " + std::to_string(diet); }

std::string FeedBarsTitle(const OptChartData& chart) {
  return "Feed per pig, " + WeightUnitName(chart.weightCode);
}
