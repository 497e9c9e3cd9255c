#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "app/GrowthChartData.h"
#include "model/Units.h"

namespace {

struct Diet {
  const char* name;
  const char* endAge;
};

// Daily rows (age, weight, feed in columns 5..7) and the diets' rows (name and
// end age in columns 0 and 2).
Grid Results(const std::vector<std::array<std::string, 3>>& daily,
             const std::vector<Diet>& diets = {}) {
  Grid grid(kResultRows, kResultCols);
  for (std::size_t r = 0; r < daily.size(); ++r)
    for (int c = 0; c < 3; ++c) grid.SetText(static_cast<int>(r) + 1, 5 + c, daily[r][c]);
  for (std::size_t r = 0; r < diets.size(); ++r) {
    grid.SetText(static_cast<int>(r) + 1, 0, diets[r].name);
    grid.SetText(static_cast<int>(r) + 1, 2, diets[r].endAge);
  }
  return grid;
}

// From `first` to `last` days, gaining `gain` a day from `start` on `feed`.
Grid StraightRun(int first,
                 int last,
                 double start,
                 double gain,
                 double feed,
                 const std::vector<Diet>& diets = {}) {
  std::vector<std::array<std::string, 3>> rows;
  for (int age = first; age <= last; ++age)
    rows.push_back({std::to_string(age),
                    std::to_string(start + gain * (age - first)),
                    age == first ? "" : std::to_string(feed)});
  return Results(rows, diets);
}

}  // namespace

// The start has no feed, the final part-day's feed is no daily rate, reading
// ends at the first row without an age or at the chart's limit. The run's own
// feed is taken at full precision unless its cell was typed over.
TEST(GrowthChartData, DailyRowsAreTheTablesRows) {
  const Grid table = Results({{"21", "6", ""},
                              {"22", "6.1", ".3"},
                              {"23", "6,2", ".3"},
                              {"24", "6.4", "1e999"},
                              {"24.0", "6.45", ".033"},
                              {"", "", ""},
                              {"26", "7", ".4"}});
  const GrowthCurve curve = ReadDailyRows(table);
  ASSERT_EQ(curve.dayCount, 5);
  const ChartDay expected[] = {{21, 6, 0, false},
                               {22, 6.1, 0.3, true},
                               {23, 6.2, 0.3, true},
                               {24, 6.4, 0, true},  // no finite number: 0
                               {24, 6.45, 0.033, false}};
  for (int d = 1; d <= 5; ++d) {
    SCOPED_TRACE(d);
    EXPECT_EQ(curve.days[d], expected[d - 1]);
  }
  const GrowthCurve full = ReadDailyRows(StraightRun(0, 200, 1, 0.1, 0.2));  // 201 days
  EXPECT_EQ(full.dayCount, kMaxChartDays);
  EXPECT_DOUBLE_EQ(full.days[kMaxChartDays].age, 198);

  GrowthState growth;
  growth.dailyFeed[22][kHerdColumn] = 0.312;  // shown as .3
  growth.dailyFeed[23][kHerdColumn] = 0.512;  // but the cell was typed over: .3
  const GrowthCurve fed = ReadDailyRows(table, &growth);
  EXPECT_DOUBLE_EQ(fed.days[2].feed, 0.312);
  EXPECT_DOUBLE_EQ(fed.days[3].feed, 0.3);
}

TEST(GrowthChartData, DietChangesAtTheEndsOfDietsThatHadDays) {
  const struct {
    const char* what;
    std::vector<Diet> diets;
    int numDiets;
    int last;  // the run's last age
    const char* first;
    std::vector<DietChange> changes;
  } cases[] = {
      {"ended in diet 2", {{"A", "28"}, {"B", "40"}, {"C", "40"}}, 3, 40, "A", {{28, "B"}}},
      // Diet 1 changes to diet 3.
      {"diet 2 unfed",
       {{"A", "28"}, {"B", "28"}, {"C", "42"}, {"D", "60"}},
       4,
       60,
       "A",
       {{28, "C"}, {42, "D"}}},
      {"diet 1 had no days", {{"A", "21"}, {"B", "30"}, {"C", "50"}}, 3, 50, "B", {{30, "C"}}},
      {"no diets", {{"A", "30"}}, 0, 50, "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Grid table = StraightRun(21, c.last, 6, 0.4, 0.5, c.diets);
    const GrowthCurve curve = ReadDailyRows(table);
    std::string first = "left over";
    std::array<DietChange, kMaxDiets + 1> changes{};
    changes[5] = {99, "left over"};
    const int count = ReadDietChanges(table, c.numDiets, curve, first, changes);
    EXPECT_EQ(first, c.first);
    ASSERT_EQ(count, static_cast<int>(c.changes.size()));
    for (int i = 1; i <= count; ++i) EXPECT_EQ(changes[i], c.changes[i - 1]) << i;
    EXPECT_EQ(changes[5], DietChange{});
  }
}

// Rows without a weighing are left out; pounds are shown in kg.
TEST(GrowthChartData, ObservedWeightsOfTheLastCalibrationInTheChartsUnit) {
  CalibrationData calib;
  calib.observations[1] = {21, 6, 0};
  calib.observations[2] = {42, 0, 5.9};  // no weighing
  calib.observations[3] = {65, 22.05, 21.5};
  calib.observationCount = 200;
  GrowthState lb;
  SetUnitSwitch(lb, 1);
  std::array<ObservedWeight, kMaxCalibRows + 1> observed{};
  ASSERT_EQ(ReadObservedWeights(calib, lb, 1, observed), 2);
  EXPECT_DOUBLE_EQ(observed[2].age, 65);
  EXPECT_NEAR(observed[2].weight, 10, 1e-12);
  EXPECT_EQ(ReadObservedWeights(calib, lb, 0, observed), 0);
}

// Runs, a unit change, a run in it and a cleared table, as a user makes them.
TEST(GrowthChartData, FollowsRunsUnitsAndClearing) {
  GrowthChartData chart;
  GrowthState growth;
  growth.dietCount = 2;
  growth.finalWeight = 12;  // kg
  CalibrationData calib;
  const std::vector<Diet> diets = {{"A", "25"}, {"B", "31"}};
  const Grid empty(kResultRows, kResultCols);
  const Grid runA = StraightRun(21, 30, 6, 0.5, 0.4, diets);  // 6 .. 10.5 kg
  const Grid runB = StraightRun(21, 30, 6, 0.6, 0.5, diets);

  EXPECT_FALSE(FollowGrowthResults(chart, empty, growth, calib));
  EXPECT_TRUE(FollowGrowthResults(chart, runA, growth, calib));
  EXPECT_EQ(chart.curve.dayCount, 10);
  EXPECT_EQ(chart.changes[1], (DietChange{25, "B"}));
  EXPECT_FALSE(FollowGrowthResults(chart, runA, growth, calib));  // nothing new

  EXPECT_TRUE(FollowGrowthResults(chart, runB, growth, calib));
  EXPECT_DOUBLE_EQ(chart.previous.days[10].weight, 10.5);

  // Pounds chosen: the same run and the one before it are shown in pounds.
  SetUnitSwitch(growth, 1);
  calib.observations[1] = {21, 6 * 2.205, 0};
  calib.observations[2] = {30, 11 * 2.205, 4 * 2.205};
  calib.observationCount = 2;
  const Grid runBInLb = StraightRun(21, 30, 13.23, 0.6 * 2.205, 0.5 * 2.205, diets);
  EXPECT_TRUE(FollowGrowthResults(chart, runBInLb, growth, calib));
  EXPECT_EQ(WeightAxisTitle(chart), "Live weight, lb");
  EXPECT_NEAR(chart.previous.days[10].weight, 10.5 * 2.205, 1e-9);
  EXPECT_NEAR(chart.finalWeight, 12 * 2.205, 1e-9);
  EXPECT_NEAR(chart.observed[2].weight, 11 * 2.205, 1e-12);

  // A run in pounds: the run before too (6 + 10 * 0.6 = 11.4 kg = 25.137 lb).
  const Grid runC = StraightRun(21, 30, 13.23, 1.323, 1.1, diets);
  EXPECT_TRUE(FollowGrowthResults(chart, runC, growth, calib));
  EXPECT_NEAR(chart.previous.days[10].weight, 25.137, 1e-5);

  // Cleared: no curve; the next run keeps the cleared one as its previous.
  EXPECT_TRUE(FollowGrowthResults(chart, empty, growth, calib));
  EXPECT_EQ(chart.curve.dayCount, 0);
  EXPECT_DOUBLE_EQ(chart.finalWeight, 0);
  EXPECT_TRUE(FollowGrowthResults(chart, runA, growth, calib));
  EXPECT_NEAR(chart.previous.days[1].weight, 13.23, 1e-9);
}

TEST(GrowthChartData, NiceScales) {
  const struct {
    double low, high;
    int steps;
    AxisScale expected;
  } cases[] = {
      {21, 65.029, 6, {20, 70, 10}},  // the demo's ages
      {0, 1.166, 6, {0, 1.2, 0.2}},   // its daily feed
      {3, 3, 5, {3, 4, 0.2}},         // no span: one unit
      {10, 0, 5, {0, 10, 2}},         // given the wrong way round
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.low << ".." << c.high);
    const AxisScale scale = NiceScale(c.low, c.high, c.steps);
    EXPECT_NEAR(scale.low, c.expected.low, 1e-12);
    EXPECT_NEAR(scale.high, c.expected.high, 1e-12);
    EXPECT_NEAR(scale.step, c.expected.step, 1e-12);
  }
  EXPECT_EQ(NiceScale(0, std::numeric_limits<double>::infinity(), 5), AxisScale{});
}
