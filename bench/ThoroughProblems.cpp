#include "ThoroughProblems.h"

#include <cmath>

#include "calibration/ThoroughFit.h"
#include "model/Units.h"
#include "optimization/ThoroughDietSearch.h"

namespace {

// The thorough stage's own worker, its bounds and its start.
class WorkerProblem : public BenchProblem {
 public:
  int Dimension() const override { return static_cast<int>(start_.size()); }
  std::vector<double> Lower() const override { return lower_; }
  std::vector<double> Upper() const override { return upper_; }
  std::vector<double> Start() const override { return start_; }
  double StartScore() const override { return startScore_; }
  double Score(const std::vector<double>& x) override { return worker_->Score(x); }

 protected:
  std::unique_ptr<SearchWorker> worker_;
  std::vector<double> lower_;
  std::vector<double> upper_;
  std::vector<double> start_;
  double startScore_ = 0;
};

// The demo's diet optimization after the classic searches: every ticked
// coordinate but the last diet's feed amount, within [7, 15].
class DietProblem : public WorkerProblem {
 public:
  DietProblem()
      : demo_(kFeedLeastCost),
        lp_{demo_.app->formulation,
            demo_.app->growth,
            *demo_.app->formulationState,
            demo_.dialogs} {
    demo_.Run();
    OptSearch& s = demo_.opt->search;
    OptVariables start = s;
    start.point = demo_.opt->result.bestVar;
    start.fixedFlags = ThoroughHeldVariables(s);
    std::vector<int> free;
    for (int i = 1; i <= s.n; ++i) {
      if (start.fixedFlags[i] != 0) continue;
      free.push_back(i);
      lower_.push_back(kCoordLow);
      upper_.push_back(kCoordHigh);
      start_.push_back(start.point[i]);
    }
    startScore_ = demo_.opt->result.bestCost;
    demo_.app->formulationState->optMode = kOptModeRunning;
    const ThoroughDietContext context{
        lp_, demo_.app->mainForm.dietsTable, demo_.opt->objective, s, 0, {}};
    worker_ = MakeDietSearchWorker(context, start, free);
  }

 private:
  DemoOptimization demo_;
  LeastCostContext lp_;
};

// The demo's calibration, or the hard farm's, after the classic fit.
class FitProblem : public WorkerProblem {
 public:
  explicit FitProblem(bool hardFarm) {
    demo_.Reset();
    GrowthCurveFit::FitContext& fit = hardFarm ? demo_.hardContext : demo_.context;
    startScore_ = GrowthCurveFit::CalibrateFit(fit, 1).best;
    for (int k = 0; k < kCoefCount; ++k) start_.push_back(demo_.state->bestPoint[k + 1]);
    start_[3] = std::log10(start_[3]);
    const FitSearchBounds bounds = ThoroughFitBounds(
        ConvertWeight(*demo_.growth, kToInternal, fit.calib.herdInputs[kHerdStartWeight]));
    lower_.assign(bounds.lower.begin(), bounds.lower.end());
    upper_.assign(bounds.upper.begin(), bounds.upper.end());
    worker_ = MakeFitSearchWorker(fit);
  }

 private:
  DemoCalibration demo_;
};

}  // namespace

std::unique_ptr<BenchProblem> MakeDietProblem() { return std::make_unique<DietProblem>(); }

std::unique_ptr<BenchProblem> MakeFitProblem(bool hardFarm) {
  return std::make_unique<FitProblem>(hardFarm);
}
