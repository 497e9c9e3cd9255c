#include "calibration/SwineCalib.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/PigGrowth.h"
#include "model/Units.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"

namespace SwineCalib {
namespace {

using NelderMead::Vector;

double Square(double x) { return x * x; }

bool Cancelled(const FitContext& context) { return context.growth.cancelRun; }

double ToKg(const GrowthState& growth, double displayWeight) {
  return ConvertWeight(growth, kToInternal, displayWeight);
}

// Total feed from day `first` to day `last`, within the day tables.
double FeedBetween(const GrowthState& growth, int first, int last) {
  double feed = 0;
  for (int d = std::max(first, 0); d <= std::min(last, kMaxAge); ++d) {
    feed += growth.dailyFeed[d][kHerdColumn];
  }
  return feed;
}

// The score on total feed and final age alone, which the fine grids take a
// second look with.
double TargetScore(const FitState& state, double finalAge) {
  return kRefineTargetWeight * Square(state.TargetTotalFeed - state.SimulatedFeed) +
         kRefineTargetWeight * Square(state.TargetFinalAge - finalAge);
}

void CopyCoefToBest(const GrowthState& growth, FitState& state) {
  for (int k = 0; k < kCoefficients; ++k) state.CalibBest[k + 1] = growth.growthCoef[k];
}

void CopyBestToCoef(const FitState& state, GrowthState& growth) {
  for (int k = 0; k < kCoefficients; ++k) growth.growthCoef[k] = state.CalibBest[k + 1];
}

void Tell(const FitContext& context) {
  if (context.progress) context.progress(context.state.GrowthRuns, context.state.BestFit);
}

void RunGrowth(FitContext& context) {
  if (context.growthRun) {
    context.growthRun(context.growth);
  } else {
    PigGrowth::RunGrowthDays(context.growth);
  }
  FitState& state = context.state;
  ++state.GrowthRuns;
  if (context.progressEvery > 0 && state.GrowthRuns % context.progressEvery == 0) Tell(context);
}

// Step 4 of the objective: only informs, and never shows for a run that
// ended normally (its final age lies within its last day).
void CheckEndDay(const FitContext& context, int endDay) {
  const GrowthState& growth = context.growth;
  if (context.dialogs && endDay - 1 > growth.finalAge) {
    context.dialogs->Message(std::string(kLateEndMessage) +
                             ShortNumberText(endDay, growth.decimalComma) + "  " +
                             ShortNumberText(growth.finalAge, growth.decimalComma));
  }
}

// Simplex stage: passes of the simplex from the best point while a pass ends
// below BestFit, which each pass starts at the value evaluated last.
void SimplexStage(FitContext& context) {
  FitState& state = context.state;
  GrowthState& growth = context.growth;
  auto evaluate = [&context](const Vector& x) {
    // A cancelled fit lets the simplex run out on a flat value, quickly.
    return Cancelled(context) ? kFailedRunScore : EvaluatePoint(context, x);
  };
  state.SearchFit = state.FitValue;
  for (int pass = 1;; ++pass) {
    state.BestFit = state.FitValue;
    state.CalibBest[0] = state.FitValue;
    Vector start{};
    Vector step{};
    Vector xmin{};
    for (int i = 1; i <= kCoefficients; ++i) {
      start[i] = state.CalibBest[i];
      growth.growthCoef[i - 1] = start[i];
      step[i] = start[i] * kSimplexStepFraction;
    }
    int icount = 0;
    int numres = 0;
    int ifault = 0;
    NelderMead::NelderMead(evaluate,
                           kCoefficients,
                           start,
                           xmin,
                           state.SearchFit,
                           kSimplexReqmin,
                           step,
                           kSimplexKonvge,
                           kSimplexKcount,
                           icount,
                           numres,
                           ifault);
    if (Cancelled(context)) return;
    if (state.SearchFit < state.BestFit && pass < kMaxSimplexPasses) continue;
    state.BestFit = state.SearchFit;
    for (int i = 1; i <= kCoefficients; ++i) {
      growth.growthCoef[i - 1] = xmin[i];
      state.CalibBest[i] = xmin[i];
    }
    state.FitRound = 1;
    return;
  }
}

// Coarse grid stage, repeated while it improves; true when the fit is good
// enough to end.
bool CoarseGridStage(FitContext& context) {
  FitState& state = context.state;
  double previous = state.BestFit;
  for (int grid = 1;; ++grid) {
    GridSearch(context);
    if (Cancelled(context) || state.BestFit < kGoodFit) return true;
    state.FitRound = 1;
    if (!(state.SearchFit < previous) || grid >= kMaxCoarseGrids) return false;
    previous = state.SearchFit;
  }
}

// Refining stage: at most three fine grids, at scales 1/2, 1/3 and 1/4 when
// FitRound comes in as 1.
void RefiningStage(FitContext& context) {
  FitState& state = context.state;
  GrowthState& growth = context.growth;
  state.BestFit = state.SearchFit;
  double previous = state.SearchFit;
  for (int grid = 1;; ++grid) {
    ++state.FitRound;
    RefineGridSearch(context);
    CopyBestToCoef(state, growth);
    if (Cancelled(context) || state.BestFit < kGoodFit || state.FitRound >= kLastRefineRound ||
        grid >= kLastRefineRound - 1) {
      return;
    }
    if (state.SearchFit - 1 < previous) {
      state.BestFit = previous = state.SearchFit;
      continue;
    }
    FitObjective(context);
    state.SearchFit = TargetScore(state, growth.finalAge);
    if (!(previous > state.SearchFit)) return;
    previous = state.BestFit = state.SearchFit;
    if (!(previous < kRefineContinueLimit)) return;
  }
}

// The fit's result: B0..B4 of the best point into growthCoef and, in full,
// into row 1 of the coefficient table; BestFit and FitTrace become the
// objective of that point. The fine grids may have chosen it on feed and
// age alone, so the value they kept is not its score.
void ScoreAndWriteBest(FitContext& context) {
  FitState& state = context.state;
  GrowthState& growth = context.growth;
  CopyBestToCoef(state, growth);
  FitObjective(context);
  CopyBestToCoef(state, growth);  // as returned, not as the run may have adjusted it
  state.BestFit = state.FitValue;
  state.FitTrace = {state.FitValue, growth.finalAge, state.SimulatedFeed};
  if (!context.coefTable) return;
  for (int k = 0; k < kCoefficients; ++k) {
    context.coefTable->SetText(
        kCoefRow, k + 1, CoefficientText(state.CalibBest[k + 1], growth.decimalComma));
  }
}

}  // namespace

int RoundDay(double age) {
  if (!(age > -1)) return -1;
  if (age > kDays) return kDays;
  return static_cast<int>(std::nearbyint(age));
}

int RunEndDay(const GrowthState& growth) {
  int d = std::clamp<int>(growth.startAge, 0, kMaxAge);
  while (d < PigGrowth::kLastGrowthAge && growth.liveWeight[d][kHerdColumn] < growth.finalWeight)
    ++d;
  return d;
}

void ObsDeviation(const GrowthState& growth, const CalibrationData& calib, double& sum) {
  const auto& obs = calib.CalibObs;
  int last = 0;
  while (last < kMaxCalibRows && obs[last + 1][kObsAge] > 0) ++last;
  if (last < 2) return;
  // Weights are read only on days this run grew: a weighing after the run
  // stopped meets the last weight grown, never a day left by another run.
  const int firstDay = std::clamp<int>(growth.startAge, 0, kMaxAge);
  const int endDay = RunEndDay(growth);
  // A diet still fed when the run stopped logged no weight: it ended where
  // the run did, at the final weight or the last weight grown.
  const double runEndWeight = std::min(growth.liveWeight[endDay][kHerdColumn], growth.finalWeight);
  const int dietsInUse = std::clamp<int>(growth.dietCount, 0, kMaxDiets);
  for (int r = 2; r <= last; ++r) {
    const double weight = ToKg(growth, obs[r][kObsWeight]);
    const int age = RoundDay(obs[r][kObsAge]);
    if (weight != 0) {
      const int day = std::clamp(age, firstDay, endDay);
      sum += Square(weight - growth.liveWeight[day][kHerdColumn]);
    }
    const double phaseFeed = FeedBetween(growth, RoundDay(obs[r - 1][kObsAge] + 1), age);
    sum += Square(ToKg(growth, obs[r][kObsFeed]) - phaseFeed);
    // The weight logged when diet r - 1 ran out; rows past the diets in use
    // have no diet to compare with.
    if (weight != 0 && r - 1 <= dietsInUse) {
      const double logged = growth.dietPhaseLog[r - 1].weight;
      sum += Square((logged > 0 ? logged : runEndWeight) - weight);
    }
  }
}

void FitObjective(FitContext& context) {
  GrowthState& growth = context.growth;
  FitState& state = context.state;
  const CalibrationData& calib = context.calib;

  growth.growthFailed = false;
  growth.finalAge = 0;
  growth.currentDiet = 1;
  state.SimulatedFeed = 0;
  const int d0 = growth.startAge;
  if (d0 >= 0 && d0 <= kMaxAge) {
    growth.liveWeight[d0][kHerdColumn] = ToKg(growth, calib.HerdInputs[kHerdStartWeight]);
    // A start below B0 is the model's business: it fails the run when a
    // day's weight falls below B0, as the "Growth" command's run would.
    RunGrowth(context);
  } else {
    growth.growthFailed = true;  // no day of the tables to start from
  }
  if (growth.growthFailed) {
    state.FitValue = kFailedRunScore;
    state.FitTrace[0] = kFailedRunScore;
    growth.growthFailed = false;
    return;
  }

  const int endDay = RunEndDay(growth);
  CheckEndDay(context, endDay);
  state.SimulatedFeed = FeedBetween(growth, d0, RoundDay(growth.finalAge + 1));
  if (growth.finalAge == 0) growth.finalAge = endDay;

  double obsTerm = 0;
  if (state.UseObsRows) ObsDeviation(growth, calib, obsTerm);
  state.FitValue = kTargetWeight * Square(state.TargetTotalFeed - state.SimulatedFeed) +
                   kTargetWeight * Square(state.TargetFinalAge - growth.finalAge) +
                   obsTerm / kObsTermDivisor;
  if (calib.HerdInputs[kHerdFinalAge] + kLateDays < growth.finalAge) state.FitValue *= kLateFactor;

  if (state.BestFit == 0) state.BestFit = state.FitValue;
  if (state.FitValue < state.BestFit) {
    state.BestFit = state.FitValue;
    state.FitTrace = {state.FitValue, growth.finalAge, state.SimulatedFeed};
    CopyCoefToBest(growth, state);
  }
}

double EvaluatePoint(FitContext& context, const Vector& x) {
  FitState& state = context.state;
  GrowthState& growth = context.growth;
  state.FitRound = kSimplexRound;
  for (int i = 1; i <= kCoefficients; ++i) growth.growthCoef[i - 1] = x[i];
  if (growth.growthCoef[3] < 0) {
    state.FitValue = kNegativeB3Score;
    return state.FitValue;
  }
  FitObjective(context);
  if (state.FitValue < state.CalibBest[0]) {
    if (state.FitValue == 0 && context.dialogs) context.dialogs->Message(kPerfectFitMessage);
    CopyCoefToBest(growth, state);
    state.CalibBest[0] = state.FitValue;
  }
  return state.FitValue;
}

void GridSearch(FitContext& context) {
  FitState& state = context.state;
  auto& coef = context.growth.growthCoef;
  const double c0 = state.CalibBest[1];
  const double c1 = state.CalibBest[2];
  const double c2 = state.CalibBest[3];
  const double c3 = kCoarseB3;  // the grid ignores the fitted rate
  for (int i = 0; i < kGridPoints; ++i) {
    for (int j = 0; j < kGridPoints; ++j) {
      for (int k = 0; k < kGridPoints; ++k) {
        for (int l = 0; l < kGridPoints; ++l) {
          if (Cancelled(context)) {
            state.SearchFit = state.BestFit;
            return;
          }
          coef[0] = c0 + (i - kGridCentre) * kCoarseStepB0;
          coef[1] = c1 + (j - kGridCentre) * kCoarseStepB1;
          coef[2] = c2 + (k - kGridCentre) * kCoarseStepB2;
          coef[3] = c3 + l * kCoarseB3;
          if (coef[3] < 0) coef[3] = kCoarseB3;
          FitObjective(context);
        }
      }
    }
  }
  state.SearchFit = state.BestFit;
}

void RefineGridSearch(FitContext& context) {
  FitState& state = context.state;
  GrowthState& growth = context.growth;
  auto& coef = growth.growthCoef;
  // A round below 1 would scale by 1/0 or turn the steps round.
  const double s = 1.0 / std::max<int>(state.FitRound, 1);
  std::array<double, kCoefficients> c{};
  for (int k = 0; k < kCoefficients; ++k) c[k] = state.CalibBest[k + 1];
  // Relative steps of B1..B4 and the absolute step of B0, chosen once.
  struct Steps {
    double b0, b1, b2, b3, b4;
  };
  const bool smallSteps = state.BestFit < kFineRegimeLimit;
  const Steps step =
      smallSteps ? Steps{0.1, 0.005, 0.005, 0.0005, 0.005} : Steps{0.05, 0.07, 0.1, 0.1, 0.05};
  for (int a = 0; a < kGridPoints; ++a) {
    for (int b = 0; b < kGridPoints; ++b) {
      for (int cc = 0; cc < kGridPoints; ++cc) {
        for (int d = 0; d < kGridPoints; ++d) {
          for (int e = 0; e < kGridPoints; ++e) {
            if (Cancelled(context)) {
              state.SearchFit = state.BestFit;
              return;
            }
            coef[0] = c[0] + (a - kGridCentre) * step.b0 * s;
            coef[1] = c[1] * (1 + (b - kGridCentre) * step.b1 * s);
            coef[2] = c[2] * (1 + (cc - kGridCentre) * step.b2 * s);
            coef[3] = c[3] * (1 + (d - kGridCentre) * step.b3 * s);
            coef[4] = c[4] * (1 + (e - kGridCentre) * step.b4 * s);
            FitObjective(context);
            if (!smallSteps) continue;
            state.FitValue = TargetScore(state, growth.finalAge);
            if (state.FitValue < state.BestFit) {
              state.BestFit = state.FitValue;
              CopyCoefToBest(growth, state);
              state.CalibBest[0] = state.FitValue;
            }
          }
        }
      }
    }
  }
  state.SearchFit = state.BestFit;
}

FitSummary CalibrateFit(FitContext& context, int mode) {
  GrowthState& growth = context.growth;
  FitState& state = context.state;
  const CalibrationData& calib = context.calib;
  const bool showDailyRows = growth.showDailyRows;
  growth.showDailyRows = false;
  growth.cancelRun = false;
  state.GrowthRuns = 0;

  state.FitRound = static_cast<std::int16_t>(mode);
  state.UseObsRows = true;
  state.TargetTotalFeed = ToKg(growth, calib.HerdInputs[kHerdTotalFeed]);
  state.TargetFinalAge = calib.HerdInputs[kHerdFinalAge];
  if (mode == 1) {
    growth.finalWeight = ToKg(growth, calib.HerdInputs[kHerdFinalWeight]);
    growth.herdSex = 0;
  }
  growth.runSlot = 0;
  CopyCoefToBest(growth, state);

  state.FitRound = kSimplexRound;
  FitObjective(context);
  SimplexStage(context);
  if (!Cancelled(context)) {
    FitObjective(context);
    if (state.FitValue < state.SearchFit) state.SearchFit = state.FitValue;
    if (state.FitValue < state.BestFit) state.BestFit = state.FitValue;
    if (!CoarseGridStage(context)) RefiningStage(context);
  }

  ScoreAndWriteBest(context);
  growth.showDailyRows = showDailyRows;
  Tell(context);
  return {Cancelled(context) ? FitStatus::Cancelled : FitStatus::Finished,
          state.GrowthRuns,
          state.BestFit};
}

}  // namespace SwineCalib
