#include "calibration/GrowthCurveFit.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/PigGrowth.h"
#include "model/Units.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"

namespace GrowthCurveFit {
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
  return kRefineTargetWeight * Square(state.targetTotalFeed - state.simulatedFeed) +
         kRefineTargetWeight * Square(state.targetFinalAge - finalAge);
}

void CopyCoefToBest(const GrowthState& growth, FitState& state) {
  for (int k = 0; k < kCoefficients; ++k) state.bestPoint[k + 1] = growth.growthCoef[k];
}

void CopyBestToCoef(const FitState& state, GrowthState& growth) {
  for (int k = 0; k < kCoefficients; ++k) growth.growthCoef[k] = state.bestPoint[k + 1];
}

void Tell(const FitContext& context) {
  if (context.progress) context.progress(context.state.growthRuns, context.state.bestFit);
}

void RunGrowth(FitContext& context) {
  if (context.growthRun) {
    context.growthRun(context.growth);
  } else {
    PigGrowth::RunGrowthDays(context.growth);
  }
  FitState& state = context.state;
  ++state.growthRuns;
  if (context.progressEvery > 0 && state.growthRuns % context.progressEvery == 0) Tell(context);
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
// below bestFit, which each pass starts at the value evaluated last.
void SimplexStage(FitContext& context) {
  FitState& state = context.state;
  GrowthState& growth = context.growth;
  auto evaluate = [&context](const Vector& x) {
    // A cancelled fit lets the simplex run out on a flat value, quickly.
    return Cancelled(context) ? kFailedRunScore : EvaluatePoint(context, x);
  };
  state.searchFit = state.fitValue;
  for (int pass = 1;; ++pass) {
    state.bestFit = state.fitValue;
    state.bestPoint[0] = state.fitValue;
    Vector start{};
    Vector step{};
    Vector xmin{};
    for (int i = 1; i <= kCoefficients; ++i) {
      start[i] = state.bestPoint[i];
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
                           state.searchFit,
                           kSimplexReqmin,
                           step,
                           kSimplexKonvge,
                           kSimplexKcount,
                           icount,
                           numres,
                           ifault);
    if (Cancelled(context)) return;
    if (state.searchFit < state.bestFit && pass < kMaxSimplexPasses) continue;
    state.bestFit = state.searchFit;
    for (int i = 1; i <= kCoefficients; ++i) {
      growth.growthCoef[i - 1] = xmin[i];
      state.bestPoint[i] = xmin[i];
    }
    state.fitRound = 1;
    return;
  }
}

// Coarse grid stage, repeated while it improves; true when the fit is good
// enough to end.
bool CoarseGridStage(FitContext& context) {
  FitState& state = context.state;
  double previous = state.bestFit;
  for (int grid = 1;; ++grid) {
    GridSearch(context);
    if (Cancelled(context) || state.bestFit < kGoodFit) return true;
    state.fitRound = 1;
    if (!(state.searchFit < previous) || grid >= kMaxCoarseGrids) return false;
    previous = state.searchFit;
  }
}

// Refining stage: at most three fine grids, at scales 1/2, 1/3 and 1/4 when
// fitRound comes in as 1.
void RefiningStage(FitContext& context) {
  FitState& state = context.state;
  GrowthState& growth = context.growth;
  state.bestFit = state.searchFit;
  double previous = state.searchFit;
  for (int grid = 1;; ++grid) {
    ++state.fitRound;
    RefineGridSearch(context);
    CopyBestToCoef(state, growth);
    if (Cancelled(context) || state.bestFit < kGoodFit || state.fitRound >= kLastRefineRound ||
        grid >= kLastRefineRound - 1) {
      return;
    }
    if (state.searchFit - 1 < previous) {
      state.bestFit = previous = state.searchFit;
      continue;
    }
    FitObjective(context);
    state.searchFit = TargetScore(state, growth.finalAge);
    if (!(previous > state.searchFit)) return;
    previous = state.bestFit = state.searchFit;
    if (!(previous < kRefineContinueLimit)) return;
  }
}

// The fit's result: B0..B4 of the best point into growthCoef and, in full,
// into row 1 of the coefficient table; bestFit and fitTrace become the
// objective of that point. The fine grids may have chosen it on feed and
// age alone, so the value they kept is not its score.
void ScoreAndWriteBest(FitContext& context) {
  FitState& state = context.state;
  GrowthState& growth = context.growth;
  CopyBestToCoef(state, growth);
  FitObjective(context);
  CopyBestToCoef(state, growth);  // as returned, not as the run may have adjusted it
  state.bestFit = state.fitValue;
  state.fitTrace = {state.fitValue, growth.finalAge, state.simulatedFeed};
  if (!context.coefTable) return;
  for (int k = 0; k < kCoefficients; ++k) {
    context.coefTable->SetText(
        kCoefRow, k + 1, CoefficientText(state.bestPoint[k + 1], growth.decimalComma));
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

void ObservationDeviation(const GrowthState& growth, const CalibrationData& calib, double& sum) {
  const auto& obs = calib.observations;
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
  state.simulatedFeed = 0;
  const int d0 = growth.startAge;
  if (d0 >= 0 && d0 <= kMaxAge) {
    growth.liveWeight[d0][kHerdColumn] = ToKg(growth, calib.herdInputs[kHerdStartWeight]);
    // A start below B0 is the model's business: it fails the run when a
    // day's weight falls below B0, as the "Growth" command's run would.
    RunGrowth(context);
  } else {
    growth.growthFailed = true;  // no day of the tables to start from
  }
  if (growth.growthFailed) {
    state.fitValue = kFailedRunScore;
    state.fitTrace[0] = kFailedRunScore;
    growth.growthFailed = false;
    return;
  }

  const int endDay = RunEndDay(growth);
  CheckEndDay(context, endDay);
  state.simulatedFeed = FeedBetween(growth, d0, RoundDay(growth.finalAge + 1));
  if (growth.finalAge == 0) growth.finalAge = endDay;

  double obsTerm = 0;
  if (state.useObservationRows) ObservationDeviation(growth, calib, obsTerm);
  state.fitValue = kTargetWeight * Square(state.targetTotalFeed - state.simulatedFeed) +
                   kTargetWeight * Square(state.targetFinalAge - growth.finalAge) +
                   obsTerm / kObsTermDivisor;
  if (calib.herdInputs[kHerdFinalAge] + kLateDays < growth.finalAge) state.fitValue *= kLateFactor;

  if (state.bestFit == 0) state.bestFit = state.fitValue;
  if (state.fitValue < state.bestFit) {
    state.bestFit = state.fitValue;
    state.fitTrace = {state.fitValue, growth.finalAge, state.simulatedFeed};
    CopyCoefToBest(growth, state);
  }
}

double EvaluatePoint(FitContext& context, const Vector& x) {
  FitState& state = context.state;
  GrowthState& growth = context.growth;
  state.fitRound = kSimplexRound;
  for (int i = 1; i <= kCoefficients; ++i) growth.growthCoef[i - 1] = x[i];
  if (growth.growthCoef[3] < 0) {
    state.fitValue = kNegativeB3Score;
    return state.fitValue;
  }
  FitObjective(context);
  if (state.fitValue < state.bestPoint[0]) {
    if (state.fitValue == 0 && context.dialogs) context.dialogs->Message(kPerfectFitMessage);
    CopyCoefToBest(growth, state);
    state.bestPoint[0] = state.fitValue;
  }
  return state.fitValue;
}

void GridSearch(FitContext& context) {
  FitState& state = context.state;
  auto& coef = context.growth.growthCoef;
  const double c0 = state.bestPoint[1];
  const double c1 = state.bestPoint[2];
  const double c2 = state.bestPoint[3];
  const double c3 = kCoarseB3;  // the grid ignores the fitted rate
  for (int i = 0; i < kGridPoints; ++i) {
    for (int j = 0; j < kGridPoints; ++j) {
      for (int k = 0; k < kGridPoints; ++k) {
        for (int l = 0; l < kGridPoints; ++l) {
          if (Cancelled(context)) {
            state.searchFit = state.bestFit;
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
  state.searchFit = state.bestFit;
}

void RefineGridSearch(FitContext& context) {
  FitState& state = context.state;
  GrowthState& growth = context.growth;
  auto& coef = growth.growthCoef;
  // A round below 1 would scale by 1/0 or turn the steps round.
  const double s = 1.0 / std::max<int>(state.fitRound, 1);
  std::array<double, kCoefficients> c{};
  for (int k = 0; k < kCoefficients; ++k) c[k] = state.bestPoint[k + 1];
  // Relative steps of B1..B4 and the absolute step of B0, chosen once.
  struct Steps {
    double b0, b1, b2, b3, b4;
  };
  const bool smallSteps = state.bestFit < kFineRegimeLimit;
  const Steps step =
      smallSteps ? Steps{0.1, 0.005, 0.005, 0.0005, 0.005} : Steps{0.05, 0.07, 0.1, 0.1, 0.05};
  for (int a = 0; a < kGridPoints; ++a) {
    for (int b = 0; b < kGridPoints; ++b) {
      for (int cc = 0; cc < kGridPoints; ++cc) {
        for (int d = 0; d < kGridPoints; ++d) {
          for (int e = 0; e < kGridPoints; ++e) {
            if (Cancelled(context)) {
              state.searchFit = state.bestFit;
              return;
            }
            coef[0] = c[0] + (a - kGridCentre) * step.b0 * s;
            coef[1] = c[1] * (1 + (b - kGridCentre) * step.b1 * s);
            coef[2] = c[2] * (1 + (cc - kGridCentre) * step.b2 * s);
            coef[3] = c[3] * (1 + (d - kGridCentre) * step.b3 * s);
            coef[4] = c[4] * (1 + (e - kGridCentre) * step.b4 * s);
            FitObjective(context);
            if (!smallSteps) continue;
            state.fitValue = TargetScore(state, growth.finalAge);
            if (state.fitValue < state.bestFit) {
              state.bestFit = state.fitValue;
              CopyCoefToBest(growth, state);
              state.bestPoint[0] = state.fitValue;
            }
          }
        }
      }
    }
  }
  state.searchFit = state.bestFit;
}

FitSummary CalibrateFit(FitContext& context, int mode) {
  GrowthState& growth = context.growth;
  FitState& state = context.state;
  const CalibrationData& calib = context.calib;
  const bool showDailyRows = growth.showDailyRows;
  growth.showDailyRows = false;
  growth.cancelRun = false;
  state.growthRuns = 0;

  state.fitRound = static_cast<std::int16_t>(mode);
  state.useObservationRows = true;
  state.targetTotalFeed = ToKg(growth, calib.herdInputs[kHerdTotalFeed]);
  state.targetFinalAge = calib.herdInputs[kHerdFinalAge];
  if (mode == 1) {
    growth.finalWeight = ToKg(growth, calib.herdInputs[kHerdFinalWeight]);
    growth.herdSex = 0;
  }
  growth.runSlot = 0;
  CopyCoefToBest(growth, state);

  state.fitRound = kSimplexRound;
  FitObjective(context);
  SimplexStage(context);
  if (!Cancelled(context)) {
    FitObjective(context);
    if (state.fitValue < state.searchFit) state.searchFit = state.fitValue;
    if (state.fitValue < state.bestFit) state.bestFit = state.fitValue;
    if (!CoarseGridStage(context)) RefiningStage(context);
  }

  ScoreAndWriteBest(context);
  growth.showDailyRows = showDailyRows;
  Tell(context);
  return {Cancelled(context) ? FitStatus::Cancelled : FitStatus::Finished,
          state.growthRuns,
          state.bestFit};
}

}  // namespace GrowthCurveFit
