#include "app/GrowthChartData.h"

#include <algorithm>
#include <cmath>

#include "model/PigGrowth.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"

namespace {

using PigGrowth::kAgeColumn;
using PigGrowth::kDailyFeedColumn;
using PigGrowth::kWeightColumn;

// A whole day between rows, less rounding of the shown ages.
constexpr double kWholeDay = 0.999;

// A cell as a number; text that is no finite number counts 0, so a pasted
// cell cannot stretch the axes to infinity.
double CellNumber(const Grid& grid, int row, int col) {
  const double value = ReadNumber(grid.Text(row, col));
  return std::isfinite(value) ? value : 0;
}

double KgPerUnit(const GrowthState& growth) { return ConvertWeight(growth, kToInternal, 1); }

void Rescale(GrowthCurve& curve, double factor) {
  for (int d = 1; d <= curve.dayCount; ++d) {
    curve.days[d].weight *= factor;
    curve.days[d].feed *= factor;
  }
}

// Two curves of the same days: a unit change leaves the ages alone.
bool SameAges(const GrowthCurve& a, const GrowthCurve& b) {
  if (a.dayCount != b.dayCount) return false;
  for (int d = 1; d <= a.dayCount; ++d)
    if (a.days[d].age != b.days[d].age) return false;
  return true;
}

// The day's feed as the run computed it, while the cell still shows that
// run's value: the cell's tenth of a kg would draw the feed line as steps.
// A typed or pasted cell is taken as it stands.
double RunFeed(const Grid& results, int row, double age, const GrowthState* growth) {
  const double shown = CellNumber(results, row, kDailyFeedColumn);
  if (!growth || age != std::floor(age) || age < 0 || age > kMaxAge) return shown;
  const double fed =
      ConvertWeight(*growth, kToDisplay, growth->dailyFeed[static_cast<int>(age)][kHerdColumn]);
  const bool sameRun =
      results.Text(row, kDailyFeedColumn) == FormatNumber(fed, "##.0", growth->decimalComma);
  return sameRun ? fed : shown;
}

}  // namespace

GrowthCurve ReadDailyRows(const Grid& results, const GrowthState* growth) {
  GrowthCurve curve;
  for (int row = 1; row <= kMaxChartDays && !results.Text(row, kAgeColumn).empty(); ++row) {
    ChartDay& day = curve.days[row];
    day.age = CellNumber(results, row, kAgeColumn);
    day.weight = CellNumber(results, row, kWeightColumn);
    day.feed = RunFeed(results, row, day.age, growth);
    const bool wholeDay = row > 1 && day.age - curve.days[row - 1].age >= kWholeDay;
    day.fed = wholeDay && !results.Text(row, kDailyFeedColumn).empty();
    curve.dayCount = row;
  }
  return curve;
}

int ReadDietChanges(const Grid& results,
                    int numDiets,
                    const GrowthCurve& curve,
                    std::string& firstDiet,
                    std::array<DietChange, kMaxDiets + 1>& changes) {
  firstDiet.clear();
  changes.fill({});
  const int diets = std::clamp(numDiets, 0, kMaxDiets);
  if (diets == 0 || curve.dayCount == 0) return 0;
  auto endAge = [&](int diet) { return CellNumber(results, diet, kSummaryAgeColumn); };
  auto name = [&](int diet) { return results.Text(diet, kSummaryNameColumn); };
  // The diet after `age`: the first from `from` on that ends later; a diet
  // of no days is never fed.
  auto nextFed = [&](int from, double age) {
    int diet = from;
    while (diet < diets && !(endAge(diet) > age)) ++diet;
    return diet;
  };

  const double firstAge = curve.days[1].age;
  const double lastAge = curve.days[curve.dayCount].age;
  firstDiet = name(nextFed(1, firstAge));
  int count = 0;
  double since = firstAge;
  for (int diet = 1; diet < diets; ++diet) {
    const double age = endAge(diet);
    if (!(age > since)) continue;  // no days of this diet
    if (!(age < lastAge)) break;   // the run ended on it
    changes[++count] = {age, name(nextFed(diet + 1, age))};
    since = age;
  }
  return count;
}

int ReadObservedWeights(const CalibrationData& calib,
                        const GrowthState& growth,
                        double kgPerUnit,
                        std::array<ObservedWeight, kMaxCalibRows + 1>& observed) {
  observed.fill({});
  if (!(kgPerUnit > 0)) return 0;
  const int rows = std::clamp<int>(calib.observationCount, 0, kMaxCalibRows);
  int count = 0;
  for (int r = 1; r <= rows; ++r) {
    const auto& obs = calib.observations[r];
    if (!(obs[kObsAge] > 0) || !(obs[kObsWeight] > 0)) continue;
    const double kg = ConvertWeight(growth, kToInternal, obs[kObsWeight]);
    observed[++count] = {obs[kObsAge], kg / kgPerUnit};
  }
  return count;
}

bool FollowGrowthResults(GrowthChartData& chart,
                         const Grid& results,
                         const GrowthState& growth,
                         const CalibrationData& calib) {
  const GrowthChartData before = chart;
  GrowthCurve curve = ReadDailyRows(results, &growth);
  const double kgPerUnit = KgPerUnit(growth);
  if (growth.unitCodes[kWeightUnit] != chart.weightCode && kgPerUnit > 0 &&
      SameAges(curve, chart.curve)) {
    // The table was shown in another unit: the same run, drawn in it.
    Rescale(chart.previous, chart.kgPerUnit / kgPerUnit);
    chart.finalWeight *= chart.kgPerUnit / kgPerUnit;
    chart.curve = curve;
    chart.weightCode = growth.unitCodes[kWeightUnit];
    chart.kgPerUnit = kgPerUnit;
  } else if (!(curve == chart.curve)) {
    if (chart.curve.dayCount > 0 && kgPerUnit > 0) {
      chart.previous = chart.curve;
      Rescale(chart.previous, chart.kgPerUnit / kgPerUnit);
    }
    chart.curve = curve;
    chart.changeCount =
        ReadDietChanges(results, growth.dietCount, chart.curve, chart.firstDiet, chart.changes);
    chart.finalWeight =
        curve.dayCount > 0 ? ConvertWeight(growth, kToDisplay, growth.finalWeight) : 0;
    chart.weightCode = growth.unitCodes[kWeightUnit];
    chart.kgPerUnit = kgPerUnit > 0 ? kgPerUnit : 1;
  }
  chart.observedCount = ReadObservedWeights(calib, growth, chart.kgPerUnit, chart.observed);
  return !(chart == before);
}

ChartExtent ExtentOf(const GrowthChartData& chart) {
  ChartExtent extent;
  auto takeAge = [&extent](double age) {
    extent.firstAge = extent.empty ? age : std::min(extent.firstAge, age);
    extent.lastAge = extent.empty ? age : std::max(extent.lastAge, age);
    extent.empty = false;
  };
  for (const GrowthCurve* curve : {&chart.curve, &chart.previous}) {
    for (int d = 1; d <= curve->dayCount; ++d) {
      const ChartDay& day = curve->days[d];
      takeAge(day.age);
      extent.maxWeight = std::max(extent.maxWeight, day.weight);
      if (day.fed) extent.maxFeed = std::max(extent.maxFeed, day.feed);
    }
  }
  for (int i = 1; i <= chart.observedCount; ++i) {
    takeAge(chart.observed[i].age);
    extent.maxWeight = std::max(extent.maxWeight, chart.observed[i].weight);
  }
  extent.maxWeight = std::max(extent.maxWeight, chart.finalWeight);
  return extent;
}

AxisScale NiceScale(double low, double high, int maxSteps) {
  constexpr double kSlack = 1e-9;
  if (!std::isfinite(low) || !std::isfinite(high) || maxSteps < 1) return {};
  if (high < low) std::swap(low, high);
  if (high == low) high = low + 1;
  const double rough = (high - low) / maxSteps;
  double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (;; power *= 10) {
    for (double multiple : {1.0, 2.0, 2.5, 5.0}) {
      const double step = multiple * power;
      // A little slack for steps that do not divide exactly in binary
      // (3 / 0.2 is 14.999...).
      const double first = std::floor(low / step + kSlack) * step;
      const double last = std::ceil(high / step - kSlack) * step;
      if ((last - first) / step <= maxSteps + kSlack) return {first, last, step};
    }
  }
}

std::string ChartWeightUnit(int weightCode) { return WeightUnitName(weightCode); }

std::string WeightAxisTitle(const GrowthChartData& chart) {
  return "Live weight, " + ChartWeightUnit(chart.weightCode);
}

std::string FeedAxisTitle(const GrowthChartData& chart) {
  return "Daily feed, " + ChartWeightUnit(chart.weightCode) + "/day";
}
