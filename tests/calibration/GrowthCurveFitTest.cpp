#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calibration/CalibrationData.h"
#include "calibration/GrowthCurveFit.h"
#include "model/GrowthExample.h"
#include "model/GrowthState.h"
#include "model/Units.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"
#include "support/ScriptedDialogs.h"

namespace {

using GrowthCurveFit::FitContext;
using GrowthCurveFit::FitState;

constexpr int kStart = 20;           // starting age, days
constexpr double kTargetFeed = 30;   // kg
constexpr double kTargetAge = 58;    // days
constexpr double kFinalWeight = 25;  // kg
constexpr double kPoundsPerKg = 2.205;

struct Fit {
  Fit() {
    SetUnitSwitch(*growth, 0);
    growth->startAge = kStart;
    growth->finalWeight = kFinalWeight;
    calib.herdInputs = {0, 6, kStart, kFinalWeight, kTargetFeed, kTargetAge};
    state.targetTotalFeed = kTargetFeed;
    state.targetFinalAge = kTargetAge;
  }
  std::unique_ptr<GrowthState> growth = std::make_unique<GrowthState>();
  CalibrationData calib;
  FitState state;
  Grid coefficientTable{5, 7};
  ScriptedDialogs dialogs;
  FitContext context{*growth, calib, state, &coefficientTable, &dialogs};
};

// A hand-made growth run: 6 kg at 20 days, 0.5 kg a day to 25 kg at 58
// days, 0.5 kg of feed a day, diets running out at 10.2 and 16.1 kg.
void HandMadeRun(GrowthState& growth) {
  for (int d = kStart; d <= 58; ++d) growth.liveWeight[d][kHerdColumn] = 6 + 0.5 * (d - kStart);
  for (int d = 0; d <= kMaxAge; ++d) growth.dailyFeed[d][kHerdColumn] = 0;
  for (int d = kStart + 1; d <= 58; ++d) growth.dailyFeed[d][kHerdColumn] = 0.5;
  // Days the run never reached hold what another run left.
  for (int d = 59; d <= kMaxAge; ++d) growth.liveWeight[d][kHerdColumn] = 99;
  growth.dietPhaseLog = {};
  growth.dietPhaseLog[1].weight = 10.2;
  growth.dietPhaseLog[2].weight = 16.1;
}

void SetObs(CalibrationData& calib, std::vector<std::array<double, 3>> rows, double scale = 1) {
  calib.observations = {};
  for (std::size_t r = 0; r < rows.size(); ++r) {
    calib.observations[r + 1] = {rows[r][0], rows[r][1] * scale, rows[r][2] * scale};
  }
}

TEST(GrowthCurveFitTest, RoundDayHalvesToEven) {
  const std::pair<double, int> cases[]{
      {30.4, 30}, {30.5, 30}, {31.5, 32}, {-0.4, 0}, {-3, -1}, {1e9, kDays}, {std::nan(""), -1}};
  for (const auto& [age, day] : cases) EXPECT_EQ(GrowthCurveFit::RoundDay(age), day) << age;
}

// A growth stand-in that records the points it is run with and scores them
// by how many days late the pigs are: lateness(B0..B4).
struct Recorder {
  std::vector<std::array<double, 5>> points;
  std::vector<int> rounds;  // fitRound at each run
  std::function<double(const std::array<double, 5>&)> lateness;

  Recorder(Fit& fit, std::function<double(const std::array<double, 5>&)> late)
      : lateness(std::move(late)) {
    fit.context.growthRun = [this, state = &fit.state](GrowthState& growth) {
      points.push_back(growth.growthCoef);
      rounds.push_back(state->fitRound);
      growth.liveWeight[kStart][kHerdColumn] = kFinalWeight;
      growth.dailyFeed = {};
      growth.dailyFeed[kStart + 1][kHerdColumn] = kTargetFeed;
      growth.finalAge = kTargetAge + lateness(growth.growthCoef);
    };
  }
  int RunsInRound(int round) const {
    return static_cast<int>(std::count(rounds.begin(), rounds.end(), round));
  }
};

// Hand-worked observation terms over the hand-made run (weights at 30 and
// 40 days are 11 and 16 kg; 0.5 kg of feed a day), weighed in lb.
TEST(GrowthCurveFitTest, ObsDeviationHandWorked) {
  struct Case {
    const char* what;
    std::vector<std::array<double, 3>> rows;  // age, weight, feed (kg)
    double expected;
    int dietsInUse = 0;  // else diet 2 is left unfinished, as a run leaves it
  };
  // Every row past the diets' log (8 diets): two days of feed (1 kg) against
  // 1 kg observed, no weight, no phase term.
  std::vector<std::array<double, 3>> allRows{{20, 6, 0}};
  for (int r = 2; r <= kMaxCalibRows; ++r) allRows.push_back({20.0 + 2 * (r - 1), 0, 1});
  // Row 2 at 30 d: (10.5 - 11)^2 + (4.5 - 5)^2 + (10.2 - 10.5)^2 = 0.59.
  // Row 3 at 40 d: (16.5 - 16)^2 + (6 - 5)^2 + (16.1 - 16.5)^2 = 1.41.
  const std::vector<std::array<double, 3>> two{{20, 6, 0}, {30, 10.5, 4.5}, {40, 16.5, 6}};
  const std::vector<Case> cases{
      {"two weighings", two, 2.0},
      {"a gap in the ages ends the rows", {{20, 6, 0}, {0, 10.5, 4.5}, {40, 16.5, 6}}, 0},
      // Without a weight only the feed term counts, and the rows before stay.
      {"a row without a weight", {{20, 6, 0}, {30, 10.5, 4.5}, {40, 0, 6}}, 0.59 + 1},
      // Row 2's age 30.5 rounds to 30; row 3's feed runs from 31.5 -> 32
      // to 40: 4.5 kg, (6 - 4.5)^2 = 2.25.
      {"halves to the even day",
       {{20, 6, 0}, {30.5, 10.5, 4.5}, {40, 16.5, 6}},
       0.59 + 0.25 + 2.25 + 0.16},
      // At 70 d the run had stopped (58 d, 25 kg): the weight is the last
      // grown, the feed that of days 31..58 (14 kg), the phase term
      // (16.1 - 25)^2 = 79.21.
      {"a weighing after the run stopped",
       {{20, 6, 0}, {30, 10.5, 4.5}, {70, 25, 14}},
       0.59 + 79.21},
      {"rows past the diets", allRows, 0},
      // The diet-end term compares a weighing only with diets in use; a diet
      // still fed when the run stopped ends at the run's last weight.
      {"one diet in use: row 3 has no diet", two, 0.59 + 1.25, 1},
      {"diet 2 never ran out", two, 0.59 + 1.25 + (25 - 16.5) * (25 - 16.5), 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Fit fit;
    SetUnitSwitch(*fit.growth, 1);  // the weighings are in lb
    HandMadeRun(*fit.growth);
    if (c.dietsInUse > 0) {
      fit.growth->dietCount = static_cast<std::int16_t>(c.dietsInUse);
      fit.growth->dietPhaseLog[2] = {};
    }
    SetObs(fit.calib, c.rows, kPoundsPerKg);
    double sum = 1;  // the term adds to what is there
    GrowthCurveFit::ObservationDeviation(*fit.growth, fit.calib, sum);
    EXPECT_NEAR(sum, 1 + c.expected, 1e-9);
  }
}

TEST(GrowthCurveFitTest, FitObjectiveHandWorked) {
  Fit fit;
  fit.context.growthRun = [](GrowthState& growth) {
    HandMadeRun(growth);
    growth.dailyFeed[58][kHerdColumn] = 0.3;  // the part of the last day needed
    growth.finalAge = 57.6;
  };
  SetObs(fit.calib, {{20, 6, 0}, {30, 10.5, 4.5}, {40, 16.5, 6}});
  GrowthCurveFit::FitObjective(fit.context);
  // FS = 37 x 0.5 + 0.3 = 18.8 kg (days 21..round(58.6) = 59).
  EXPECT_NEAR(fit.state.simulatedFeed, 18.8, 1e-12);
  // 50 (30 - 18.8)^2 + 50 (58 - 57.6)^2 + 2.0 / 10.
  const double expected = 50 * 11.2 * 11.2 + 50 * 0.4 * 0.4 + 0.2;
  EXPECT_NEAR(fit.state.fitValue, expected, 1e-9);
  // The first value becomes bestFit without becoming a new best.
  EXPECT_EQ(fit.state.fitTrace[0], 0);
}

// More than ten days later than observed scores ten times as much; exactly
// ten, or earlier, is not penalised.
TEST(GrowthCurveFitTest, TenDayPenaltyBoundary) {
  for (double daysLate : {10.0, 10.25, -12.0}) {
    Fit fit;
    fit.state.useObservationRows = false;
    Recorder recorder(fit, [daysLate](const std::array<double, 5>&) { return daysLate; });
    GrowthCurveFit::FitObjective(fit.context);
    EXPECT_NEAR(fit.state.fitValue, (daysLate > 10 ? 500 : 50) * daysLate * daysLate, 1e-9);
  }
}

TEST(GrowthCurveFitTest, EvaluatePoint) {
  Fit fit;
  fit.state.useObservationRows = false;
  double late = 3;
  Recorder recorder(fit, [&late](const std::array<double, 5>&) { return late; });
  fit.state.bestPoint[0] = 1000;
  NelderMead::Vector x{0, 5, 1.5, 3, -0.001, 1};
  EXPECT_EQ(GrowthCurveFit::EvaluatePoint(fit.context, x), GrowthCurveFit::kNegativeB3Score);
  EXPECT_TRUE(recorder.points.empty());
  EXPECT_EQ(fit.state.fitRound, GrowthCurveFit::kSimplexRound);

  x[4] = 0;  // a rate of 0 is run: only a negative one is refused
  EXPECT_EQ(GrowthCurveFit::EvaluatePoint(fit.context, x), 450);  // 50 x 3^2
  EXPECT_EQ(fit.state.bestPoint, (std::array<double, 6>{450, 5, 1.5, 3, 0, 1}));

  // A worse point leaves the best alone; a perfect one is announced.
  x[1] = 6;
  late = 4;
  GrowthCurveFit::EvaluatePoint(fit.context, x);
  EXPECT_EQ(fit.state.bestPoint[0], 450);
  late = 0;
  EXPECT_EQ(GrowthCurveFit::EvaluatePoint(fit.context, x), 0);
  EXPECT_EQ(fit.state.bestPoint, (std::array<double, 6>{0, 6, 1.5, 3, 0, 1}));
  EXPECT_EQ(fit.dialogs.Messages(), (std::vector<std::string>{GrowthCurveFit::kPerfectFitMessage}));
}

void ExpectPoint(const std::array<double, 5>& got, const std::array<double, 5>& want) {
  for (int k = 0; k < 5; ++k) EXPECT_NEAR(got[k], want[k], 1e-12 * std::abs(want[k])) << "B" << k;
}

TEST(GrowthCurveFitTest, GridSearchVisitsItsPoints) {
  Fit fit;
  Recorder recorder(fit, [](const std::array<double, 5>&) { return 2.0; });
  fit.state.bestPoint = {0, 5, 1.5, 3, 0.002, 0.9};
  fit.growth->growthCoef[4] = 0.8;  // B4 keeps its current value
  fit.state.bestFit = 1000;
  GrowthCurveFit::GridSearch(fit.context);

  ASSERT_EQ(recorder.points.size(), 1296u);
  ExpectPoint(recorder.points.front(), {3.5, 1.35, 2.7, 0.0001, 0.8});
  ExpectPoint(recorder.points.back(), {6, 1.6, 3.2, 0.0006, 0.8});
  // B3 runs innermost: the second point differs from the first in B3 only.
  ExpectPoint(recorder.points[1], {3.5, 1.35, 2.7, 0.0002, 0.8});
  EXPECT_EQ(fit.state.bestFit, 200);  // 50 x 2^2, below 1000
  EXPECT_EQ(fit.state.searchFit, fit.state.bestFit);
}

// Points hand-computed from the large steps at scale 1 / round; a round
// below 1 takes the largest steps instead of dividing by zero.
TEST(GrowthCurveFitTest, RefineGridSearchVisitsItsPoints) {
  Fit fit;
  Recorder recorder(fit, [](const std::array<double, 5>&) { return 20.0; });
  fit.state.bestPoint = {0, 5, 1.5, 3, 0.002, 1};
  fit.state.bestFit = 60;  // the large steps from 60
  fit.state.fitRound = 0;
  GrowthCurveFit::RefineGridSearch(fit.context);
  ASSERT_EQ(recorder.points.size(), 7776u);
  ExpectPoint(recorder.points.front(), {4.85, 1.185, 2.1, 0.0014, 0.85});
  ExpectPoint(recorder.points.back(), {5.1, 1.71, 3.6, 0.0024, 1.1});
  EXPECT_NE(recorder.points[1][4], recorder.points[0][4]);  // B4 runs innermost
}

// A best below 5 after the coarse grid ends the fit, else at most three fine
// grids run; the returned point is scored by its own objective.
TEST(GrowthCurveFitTest, WholeFitsScoreTheReturnedPoint) {
  for (double daysLate : {0.2, 2.0, 1.0}) {
    SCOPED_TRACE(daysLate);
    Fit fit;
    const double slope = daysLate < 1 ? 0.1 : 1;
    auto late = [=](const std::array<double, 5>& b) {
      return daysLate + slope * std::abs(b[0] - 5.3);
    };
    Recorder recorder(fit, late);
    std::vector<long> told;
    fit.context.progressEvery = 500;
    fit.context.progress = [&](long runs, double) { told.push_back(runs); };
    fit.growth->showDailyRows = true;
    fit.growth->finalWeight = 99;  // mode 1 takes it from the herd inputs
    fit.growth->growthCoef = {5, 1.5, 3, 0.002, 1};
    const auto summary = GrowthCurveFit::CalibrateFit(fit.context, 1);
    EXPECT_EQ(summary.status, GrowthCurveFit::FitStatus::Finished);
    EXPECT_TRUE(fit.growth->showDailyRows);  // restored
    const int simplexRuns = recorder.RunsInRound(GrowthCurveFit::kSimplexRound);
    if (daysLate < 1) {
      EXPECT_EQ(recorder.RunsInRound(1), 1 + 1296 + 1);
      EXPECT_EQ(summary.evaluations, simplexRuns + 1 + 1296 + 1);
      EXPECT_LT(summary.best, 5);
      // Mode 1 mixes the sexes.
      EXPECT_EQ(fit.growth->finalWeight, kFinalWeight);
      EXPECT_EQ(fit.growth->herdSex, 0);
    } else if (daysLate == 2) {
      EXPECT_EQ(recorder.RunsInRound(2), 7776);
      EXPECT_EQ(recorder.RunsInRound(4), 7776 + 1);  // and the returned point's score
      EXPECT_EQ(recorder.RunsInRound(5), 0);
    }
    ASSERT_GE(told.size(), 2u);
    EXPECT_EQ(told[1], 1000);
    EXPECT_EQ(told.back(), summary.evaluations);
    const double days = late(fit.growth->growthCoef);
    EXPECT_NEAR(summary.best, 50 * days * days, 1e-12 * summary.best);
    for (int k = 0; k < 5; ++k) {
      EXPECT_EQ(fit.growth->growthCoef[k], fit.state.bestPoint[k + 1]) << k;
      EXPECT_EQ(ReadNumber(fit.coefficientTable.Text(kCoefRow, k + 1)), fit.growth->growthCoef[k]);
    }
  }
}

// A B0 above the herd's 6 kg start is scored by the growth model itself: a
// curve with B0 at 6.04119 grows the pigs, with B0 at 6.05 the model fails.
TEST(GrowthCurveFitTest, B0AboveTheStartIsLeftToTheModel) {
  for (double b0 : {6.04119, 6.05}) {
    SCOPED_TRACE(b0);
    Fit fit;
    LoadExampleDiets(*fit.growth);
    fit.growth->startAge = kStart;
    fit.growth->growthCoef = {b0, 1.36106, 3.56107, 0.00179, 0.64983};
    GrowthCurveFit::FitObjective(fit.context);
    EXPECT_EQ(fit.state.fitValue < GrowthCurveFit::kFailedRunScore, b0 < 6.05);
  }
}

}  // namespace
