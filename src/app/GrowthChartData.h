// App: the data of the growth chart beside the daily table.
#pragma once

#include <array>
#include <string>

#include "calibration/CalibrationData.h"
#include "model/GrowthState.h"
#include "model/GrowthSummary.h"
#include "platform/Grid.h"

// What the growth chart beside the daily table shows, read from the results
// table (resultsTable) so that the chart and the table never disagree: live weight
// and daily feed against age, one point per daily row; the diet changes; the
// final weight; the observed weighings of a calibration; and the run before
// as a faint curve. Weights and feed are in the units the table was written
// in.

inline constexpr int kMaxChartDays = kResultRows - 1;  // daily rows 1..199

// One daily row of the table.
struct ChartDay {
  double age = 0;     // days
  double weight = 0;  // live weight
  double feed = 0;    // feed of the day
  // False on the first row (no feed yet) and on the final part-day, whose
  // feed is no daily rate.
  bool fed = false;
  friend bool operator==(const ChartDay&, const ChartDay&) = default;
};

struct GrowthCurve {
  std::array<ChartDay, kMaxChartDays + 1> days{};  // [1..dayCount]: the table's daily rows
  int dayCount = 0;
  friend bool operator==(const GrowthCurve&, const GrowthCurve&) = default;
};

// A diet change: the diet fed from `age` on.
struct DietChange {
  double age = 0;
  std::string name;
  friend bool operator==(const DietChange&, const DietChange&) = default;
};

struct ObservedWeight {
  double age = 0;
  double weight = 0;
  friend bool operator==(const ObservedWeight&, const ObservedWeight&) = default;
};

struct GrowthChartData {
  GrowthCurve curve;
  std::string firstDiet;                            // the diet fed from the start
  std::array<DietChange, kMaxDiets + 1> changes{};  // [1..changeCount], by age
  int changeCount = 0;
  double finalWeight = 0;                                    // 0: no line
  std::array<ObservedWeight, kMaxCalibRows + 1> observed{};  // [1..observedCount]
  int observedCount = 0;
  GrowthCurve previous;  // the run before this one; dayCount 0: none

  // The weight unit of the table's numbers, when the chart read it.
  int weightCode = 0;    // unitCodes[kWeightUnit]
  double kgPerUnit = 1;  // a shown weight times this is kg
  friend bool operator==(const GrowthChartData&, const GrowthChartData&) = default;
};

// What the axes must hold: every point of the curve, the previous curve,
// the observed weighings and the final weight.
struct ChartExtent {
  double firstAge = 0;
  double lastAge = 0;
  double maxWeight = 0;
  double maxFeed = 0;
  bool empty = true;  // nothing to show
};

// The daily rows (columns 5 Age, 6 Weight, 7 Daily Feed) from row 1 until
// the first row without an age. Given the run's state, a feed cell that still
// shows the run's value is read at the run's full precision.
GrowthCurve ReadDailyRows(const Grid& results, const GrowthState* growth = nullptr);

// The diet changes of the per-diet summary (rows 1..numDiets: column 0 the
// name, column 2 the age at the diet's end): a change at the end of each
// diet that had days and ended before the run did, to the next diet that
// had days. Returns the number of changes; `firstDiet` is the diet the run
// started on.
int ReadDietChanges(const Grid& results,
                    int numDiets,
                    const GrowthCurve& curve,
                    std::string& firstDiet,
                    std::array<DietChange, kMaxDiets + 1>& changes);

// The weighings of the last calibration (observations rows 1..observationCount with
// an age and a weight), in the display units of `pig`, converted into the
// chart's units (kgPerUnit). Returns how many.
int ReadObservedWeights(const CalibrationData& calib,
                        const GrowthState& growth,
                        double kgPerUnit,
                        std::array<ObservedWeight, kMaxCalibRows + 1>& observed);

// Follows the results table and the calibration, as the window does after
// every command. When the daily rows differ from the chart's, the chart
// takes them with the diet changes, the final weight and the weight unit in
// force now (the run just wrote them), and a curve it held becomes the
// previous run's, converted into the new unit. The weighings are read every
// time. True when anything the chart shows changed.
bool FollowGrowthResults(GrowthChartData& chart,
                         const Grid& results,
                         const GrowthState& growth,
                         const CalibrationData& calib);

ChartExtent ExtentOf(const GrowthChartData& chart);

// An axis from `low` to `high` widened to whole steps of 1, 2, 2.5 or 5
// times a power of ten, with at most `maxSteps` steps.
struct AxisScale {
  double low = 0;
  double high = 1;
  double step = 1;
  friend bool operator==(const AxisScale&, const AxisScale&) = default;
};
AxisScale NiceScale(double low, double high, int maxSteps);

// "kg", "lb" or "g" for a weight unit code.
std::string ChartWeightUnit(int weightCode);

// Axis captions in the chart's unit: "Live weight, kg", "Daily feed, kg/day".
std::string WeightAxisTitle(const GrowthChartData& chart);
std::string FeedAxisTitle(const GrowthChartData& chart);

// The chart's caption before any growth run.
inline constexpr const char* kNoGrowthChartYet = "Press Growth to chart the herd's growth";
