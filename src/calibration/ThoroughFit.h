// Calibration: ThoroughFit, the thorough stage after the classic fit.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "calibration/GrowthCurveFit.h"
#include "platform/GlobalSearch.h"

// The thorough stage of the calibration: after the classic fit, a global
// search over B0..B4 within fixed bounds, started from the classic result,
// then polished; it keeps the classic result unless it finds a lower
// FitObjective score. The fit's landscape is a set of long, flat, curved
// valleys (B0, B1, B2 and B3 trade off against each other), which the
// classic grids cross only along B0..B3 and never along B4.
//
// Bounds, wide enough for any weanling herd and narrow enough to search:
//   B0  1 kg (the model's floor) .. the starting weight (the curve starts at
//       or below the herd)
//   B1  0.5 .. 4 (time exponent)
//   B2  0.5 .. 10 (log of mature over initial weight)
//   B3  1e-8 .. 1, searched as its decimal logarithm (rates span decades)
//   B4  0.25 .. 4 (maintenance multiplier)

// Evaluations of each of the search's islands and of the polish: what takes
// the demo below a score of 0.20 and the hard farm below 12 within two
// seconds on two cores.
inline constexpr long kFitIslandEvaluations = 40000;
inline constexpr long kFitPolishEvaluations = 5000;
inline constexpr unsigned kFitSearchSeed = 1;

struct FitSearchBounds {
  std::array<double, GrowthCurveFit::kCoefficients> lower;  // B3 as its decimal logarithm
  std::array<double, GrowthCurveFit::kCoefficients> upper;
};
FitSearchBounds ThoroughFitBounds(double startWeightKg);

// One worker of the stage (the benchmarks measure searches with it): its own
// copies of the model and fit state, scoring B0, B1, B2, log10 B3, B4.
std::unique_ptr<SearchWorker> MakeFitSearchWorker(const GrowthCurveFit::FitContext& fit);

struct ThoroughFitContext {
  // The classic fit's context: its model inputs and data; its state and
  // coefficient table take the better point.
  GrowthCurveFit::FitContext& fit;
  int threads = 0;  // 0: one per core
  // Told on the calling thread: the stage's growth runs so far and the best
  // score; true stops the stage, which keeps the best point found.
  std::function<bool(long growthRuns, double best)> progress;
};

// Runs the stage after CalibrateFit: starts from bestPoint and its score
// (bestFit). A better point goes into bestPoint, growthCoef and row 1 of the
// coefficient table, and is scored once more in the fit's own state. The
// figures are the stage's; score is the fit's score after it.
SearchStageFigures RunThoroughFit(ThoroughFitContext& context, bool& stopped);

// The calibration run's fit: the classic fit (CalibrateFit, mode 1) and,
// when `thorough` and the classic fit was not cancelled, the stage after it,
// told through the fit's progress (growth runs counted on from the classic
// fit's) and stopped by cancelRun. The summary covers both stages.
struct FitStages {
  GrowthCurveFit::FitSummary summary;
  SearchStageFigures classic;
  SearchStageFigures thorough;
  bool thoroughRan = false;
};
FitStages CalibrateInStages(GrowthCurveFit::FitContext& fit, bool thorough);
