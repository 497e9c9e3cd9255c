#include "calibration/ThoroughFit.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

#include "model/Units.h"
#include "platform/Grid.h"

namespace {

using GrowthCurveFit::kCoefficients;
constexpr int kRate = 3;  // B3, searched as its decimal logarithm

// Coordinates of the search from B0..B4 and back.
double ToCoordinate(int k, double coefficient) {
  return k == kRate ? std::log10(coefficient) : coefficient;
}
double ToCoefficient(int k, double coordinate) {
  return k == kRate ? std::pow(10.0, coordinate) : coordinate;
}

// One island's model: copies of the model state and the fit's state, with no
// table, no messages and no progress of its own.
class FitWorker : public SearchWorker {
 public:
  explicit FitWorker(const GrowthCurveFit::FitContext& fit)
      : growth_(std::make_unique<GrowthState>(fit.growth)),
        state_(fit.state),
        context_{*growth_, fit.calib, state_, nullptr, nullptr, {}, 0, fit.growthRun} {
    growth_->showDailyRows = false;
  }

  double Score(const std::vector<double>& x) override {
    for (int k = 0; k < kCoefficients; ++k) growth_->growthCoef[k] = ToCoefficient(k, x[k]);
    GrowthCurveFit::FitObjective(context_);
    return state_.fitValue;
  }

 private:
  std::unique_ptr<GrowthState> growth_;
  GrowthCurveFit::FitState state_;
  GrowthCurveFit::FitContext context_;
};

// The better point into the fit's own state, scored there once more, and
// into the coefficient table.
void TakePoint(GrowthCurveFit::FitContext& fit, const std::vector<double>& x) {
  GrowthState& growth = fit.growth;
  GrowthCurveFit::FitState& state = fit.state;
  for (int k = 0; k < kCoefficients; ++k) {
    growth.growthCoef[k] = ToCoefficient(k, x[k]);
    state.bestPoint[k + 1] = growth.growthCoef[k];
  }
  const bool showDailyRows = growth.showDailyRows;
  growth.showDailyRows = false;
  GrowthCurveFit::FitObjective(fit);
  growth.showDailyRows = showDailyRows;
  for (int k = 0; k < kCoefficients; ++k) growth.growthCoef[k] = state.bestPoint[k + 1];
  state.bestFit = state.bestPoint[0] = state.fitValue;
  state.fitTrace = {state.fitValue, growth.finalAge, state.simulatedFeed};
  if (!fit.coefTable) return;
  for (int k = 0; k < kCoefficients; ++k) {
    fit.coefTable->SetText(
        kCoefRow, k + 1, CoefficientText(growth.growthCoef[k], growth.decimalComma));
  }
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

std::unique_ptr<SearchWorker> MakeFitSearchWorker(const GrowthCurveFit::FitContext& fit) {
  return std::make_unique<FitWorker>(fit);
}

FitSearchBounds ThoroughFitBounds(double startWeightKg) {
  constexpr double kLightest = 1;  // kg: the model's floor for B0
  return {{kLightest, 0.5, 0.5, -8, 0.25}, {std::max(startWeightKg, kLightest), 4, 10, 0, 4}};
}

SearchStageFigures RunThoroughFit(ThoroughFitContext& c, bool& stopped) {
  const auto started = std::chrono::steady_clock::now();
  GrowthCurveFit::FitContext& fit = c.fit;
  const GrowthState& growth = fit.growth;
  stopped = false;
  SearchStageFigures figures{fit.state.bestFit, 0, 0};

  const double startWeight =
      ConvertWeight(growth, kToInternal, fit.calib.herdInputs[kHerdStartWeight]);
  const FitSearchBounds bounds = ThoroughFitBounds(startWeight);
  GlobalSearchSettings settings;
  settings.lower.assign(bounds.lower.begin(), bounds.lower.end());
  settings.upper.assign(bounds.upper.begin(), bounds.upper.end());
  // A classic result outside the bounds (B3 of 0 or less among them) starts
  // the search at the nearest point inside.
  for (int k = 0; k < kCoefficients; ++k) {
    const double b = fit.state.bestPoint[k + 1];
    const double coordinate = k == kRate && !(b > 0) ? bounds.lower[k] : ToCoordinate(k, b);
    settings.start.push_back(std::clamp(coordinate, bounds.lower[k], bounds.upper[k]));
  }
  settings.startScore = fit.state.bestFit;
  settings.failedScore = GrowthCurveFit::kFailedRunScore;
  settings.seed = kFitSearchSeed;
  settings.islandEvaluations = kFitIslandEvaluations;
  settings.polishEvaluations = kFitPolishEvaluations;
  settings.threads = c.threads;
  settings.progress = c.progress;

  std::vector<std::unique_ptr<SearchWorker>> workers;
  for (int i = 0; i < kSearchIslands; ++i) workers.push_back(MakeFitSearchWorker(fit));
  const GlobalSearchResult found = GlobalSearch(settings, workers);
  stopped = found.stopped;
  if (found.improved) TakePoint(fit, found.x);
  figures.score = fit.state.bestFit;
  figures.evaluations = found.evaluations;
  figures.seconds = Seconds(started);
  return figures;
}

FitStages CalibrateInStages(GrowthCurveFit::FitContext& fit, bool thorough) {
  FitStages stages;
  const auto started = std::chrono::steady_clock::now();
  stages.summary = GrowthCurveFit::CalibrateFit(fit, 1);
  stages.classic = {stages.summary.best, stages.summary.evaluations, Seconds(started)};
  if (!thorough || stages.summary.status == GrowthCurveFit::FitStatus::Cancelled) return stages;
  const long classicRuns = stages.summary.evaluations;
  ThoroughFitContext context{fit, 0, [&fit, classicRuns](long runs, double best) {
                               if (fit.progress) fit.progress(classicRuns + runs, best);
                               return fit.growth.cancelRun;
                             }};
  bool stopped = false;
  stages.thorough = RunThoroughFit(context, stopped);
  stages.thoroughRan = true;
  stages.summary.best = stages.thorough.score;
  stages.summary.evaluations += stages.thorough.evaluations;
  if (stopped) stages.summary.status = GrowthCurveFit::FitStatus::Cancelled;
  if (fit.progress) fit.progress(stages.summary.evaluations, stages.summary.best);
  return stages;
}
