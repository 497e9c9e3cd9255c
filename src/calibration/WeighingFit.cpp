#include "calibration/WeighingFit.h"

#include <algorithm>
#include <string>

#include "calibration/GrowthCurveFit.h"
#include "model/Units.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"

WeighingFitTable CompareWeighings(const GrowthState& growth, const CalibrationData& calib) {
  WeighingFitTable table;
  const auto& obs = calib.observations;
  const int firstDay = std::clamp<int>(growth.startAge, 0, kMaxAge);
  const int endDay = GrowthCurveFit::RunEndDay(growth);
  double observedFeed = 0;
  double simulatedFeed = 0;
  int fedTo = GrowthCurveFit::RoundDay(obs[1][kObsAge]);  // the last day whose feed is counted
  for (int r = 2; r <= kMaxCalibRows && obs[r][kObsAge] > 0 && obs[r - 1][kObsAge] > 0; ++r) {
    const int age = GrowthCurveFit::RoundDay(obs[r][kObsAge]);
    for (int d = std::max(fedTo + 1, 0); d <= std::min(age, kMaxAge); ++d) {
      simulatedFeed += growth.dailyFeed[d][kHerdColumn];
    }
    fedTo = std::max(fedTo, age);
    observedFeed += obs[r][kObsFeed];
    const int day = std::clamp(age, firstDay, endDay);
    WeighingFit& row = table.rows[++table.count];
    row.age = obs[r][kObsAge];
    row.observedWeight = obs[r][kObsWeight];
    row.simulatedWeight = ConvertWeight(growth, kToDisplay, growth.liveWeight[day][kHerdColumn]);
    row.observedFeed = observedFeed;
    row.simulatedFeed = ConvertWeight(growth, kToDisplay, simulatedFeed);
  }
  return table;
}

void FillWeighingGrid(Grid& grid,
                      const WeighingFitTable& table,
                      const std::string& unit,
                      bool comma) {
  const std::string u = ", " + unit;
  grid.Resize(table.count + 1, kWeighingColumns);
  const std::string headings[kWeighingColumns] = {"Age, Days",
                                                  "Observed Weight" + u,
                                                  "Simulated Weight" + u,
                                                  "Difference" + u,
                                                  "Observed Feed" + u,
                                                  "Simulated Feed" + u,
                                                  "Difference" + u};
  for (int c = 0; c < kWeighingColumns; ++c) grid.SetText(0, c, headings[c]);
  for (int r = 1; r <= table.count; ++r) {
    const WeighingFit& w = table.rows[r];
    const double cells[kWeighingColumns] = {w.age,
                                            w.observedWeight,
                                            w.simulatedWeight,
                                            w.simulatedWeight - w.observedWeight,
                                            w.observedFeed,
                                            w.simulatedFeed,
                                            w.simulatedFeed - w.observedFeed};
    for (int c = 0; c < kWeighingColumns; ++c) grid.SetText(r, c, ShortNumberText(cells[c], comma));
  }
}
