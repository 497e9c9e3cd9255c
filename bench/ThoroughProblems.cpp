#include "ThoroughProblems.h"

#include <cmath>

#include "model/Units.h"

namespace {

class DietProblem : public BenchProblem {
 public:
  DietProblem()
      : demo_(kFeedLeastCost),
        lp_{demo_.app->formulation, demo_.app->pig, *demo_.app->formulationState, demo_.dialogs},
        objective_(lp_, demo_.app->mainForm.Griddiets, demo_.opt->objective) {
    demo_.Run();
    x_ = demo_.opt->search;
    x_.OptFixed = demo_.opt->ticked;
    x_.OptVar = demo_.opt->result.bestVar;
    startScore_ = demo_.opt->result.bestCost;
    // The last diet is fed to the target: its feed amount is held.
    x_.OptFixed[VariableOf(kDemoDiets, kFeedKind)] = 1;
    for (int i = 1; i <= x_.n; ++i) {
      if (x_.OptFixed[i] == 0) free_.push_back(i);
    }
    demo_.app->formulationState->OptMode = kOptModeRunning;
  }
  int Dimension() const override { return static_cast<int>(free_.size()); }
  std::vector<double> Lower() const override {
    return std::vector<double>(free_.size(), kCoordLow);
  }
  std::vector<double> Upper() const override {
    return std::vector<double>(free_.size(), kCoordHigh);
  }
  std::vector<double> Start() const override {
    std::vector<double> x;
    for (int i : free_) x.push_back(x_.OptVar[i]);
    return x;
  }
  double StartScore() const override { return startScore_; }
  double Score(const std::vector<double>& x) override {
    for (size_t j = 0; j < free_.size(); ++j) x_.OptVar[free_[j]] = x[j];
    return objective_.Evaluate(x_, 1);
  }

 private:
  DemoOptimization demo_;
  FeedOptContext lp_;
  FeedCostObjective objective_;
  OptVariables x_;
  std::vector<int> free_;
  double startScore_ = 0;
};

// B0 from 1 kg (the model's floor) to the starting weight (above it the curve
// cannot start from the herd); B3 as its decimal logarithm.
class FitProblem : public BenchProblem {
 public:
  explicit FitProblem(bool hardFarm) : context_(hardFarm ? demo_.hardContext : demo_.context) {
    demo_.Reset();
    const SwineCalib::FitSummary fit = SwineCalib::CalibrateFit(context_, 1);
    startScore_ = fit.best;
    for (int k = 0; k < kCoefCount; ++k) start_.push_back(demo_.state->CalibBest[k + 1]);
    start_[3] = std::log10(start_[3]);
    startWeight_ =
        ConvertWeight(*demo_.pig, kToInternal, context_.calib.HerdInputs[kHerdStartWeight]);
  }
  int Dimension() const override { return kCoefCount; }
  std::vector<double> Lower() const override { return {1, 0.5, 0.5, -8, 0.25}; }
  std::vector<double> Upper() const override { return {startWeight_, 4, 10, 0, 4}; }
  std::vector<double> Start() const override { return start_; }
  double StartScore() const override { return startScore_; }
  double Score(const std::vector<double>& x) override {
    auto& coef = demo_.pig->GrowthCoef;
    for (int k = 0; k < kCoefCount; ++k) coef[k] = x[k];
    coef[3] = std::pow(10.0, x[3]);
    SwineCalib::FitObjective(context_);
    return demo_.state->FitValue;
  }

 private:
  DemoCalibration demo_;
  SwineCalib::FitContext& context_;
  std::vector<double> start_;
  double startScore_ = 0;
  double startWeight_ = 0;
};

}  // namespace

std::unique_ptr<BenchProblem> MakeDietProblem() { return std::make_unique<DietProblem>(); }

std::unique_ptr<BenchProblem> MakeFitProblem(bool hardFarm) {
  return std::make_unique<FitProblem>(hardFarm);
}
