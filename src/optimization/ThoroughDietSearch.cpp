#include "optimization/ThoroughDietSearch.h"

#include <chrono>
#include <memory>
#include <utility>
#include <vector>

#include "optimization/DietOptimization.h"
#include "platform/LpSolver.h"
#include "platform/SilentDialogs.h"

namespace {

// What the formulation of one diet reads of earlier work: the costs (the
// given diets' prices), the protein bands and the mode. The kept solvers
// stay the worker's own.
void CopyFormulationInputs(const FormulationState& from, FormulationState& to) {
  to.dietInclusion = from.dietInclusion;
  to.dietCost = from.dietCost;
  to.dietProblems = from.dietProblems;
  to.proteinBand = from.proteinBand;
  to.optMode = from.optMode;
}

// One island's model: a copy of the App's model state, formulation tables and
// objective state, scoring the free coordinates `free` of x.
class DietWorker : public SearchWorker {
 public:
  DietWorker(const ThoroughDietContext& c, const OptVariables& x, std::vector<int> free)
      : growth_(c.lp.growth),
        tables_(c.lp.tables),
        cost_(c.cost),
        lp_{tables_, growth_, *state_, dialogs_},
        objective_(lp_, c.dietsTable, cost_),
        x_(x),
        free_(std::move(free)) {
    CopyFormulationInputs(c.lp.state, *state_);
    for (LpSolver& solver : state_->solvers) solver.SetFreshStarts(true);
    cost_.showNewBest = nullptr;
    cost_.formulated.fill(false);
  }

  double Score(const std::vector<double>& y) override {
    for (size_t j = 0; j < free_.size(); ++j) x_.point[free_[j]] = y[j];
    return objective_.Evaluate(x_, 1);
  }

 private:
  GrowthState growth_;
  FormulationTables tables_;
  std::unique_ptr<FormulationState> state_ = std::make_unique<FormulationState>();
  FeedCostState cost_;
  // A worker never talks to the user: it runs on a thread of its own, and
  // what the formulation could say of a diet it already said in the classic
  // search.
  SilentDialogs dialogs_;
  LeastCostContext lp_;
  FeedCostObjective objective_;
  OptVariables x_;
  std::vector<int> free_;
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

std::unique_ptr<SearchWorker> MakeDietSearchWorker(const ThoroughDietContext& context,
                                                   const OptVariables& start,
                                                   const std::vector<int>& free) {
  return std::make_unique<DietWorker>(context, start, free);
}

OptFlags ThoroughHeldVariables(const OptVariables& x) {
  OptFlags held = x.fixedFlags;
  const int diets = x.n / kOptKinds;
  if (diets >= 1) held[VariableOf(diets, kFeedKind)] = 1;
  return held;
}

SearchStageFigures RunThoroughDietSearch(ThoroughDietContext& c, bool& stopped) {
  const auto started = std::chrono::steady_clock::now();
  OptSearch& s = c.search;
  stopped = false;
  SearchStageFigures figures{s.best.bestScore, 0, 0};
  if (!s.best.found) return figures;

  OptVariables start = s;
  start.point = s.best.bestVar;
  start.fixedFlags = ThoroughHeldVariables(s);
  std::vector<int> free;
  GlobalSearchSettings settings;
  for (int i = 1; i <= s.n; ++i) {
    if (start.fixedFlags[i] != 0) continue;
    free.push_back(i);
    settings.lower.push_back(s.lower[i]);
    settings.upper.push_back(s.upper[i]);
    settings.start.push_back(start.point[i]);
  }
  if (free.empty()) return figures;
  settings.startScore = s.best.bestScore;
  settings.failedScore = kOptBig;
  settings.seed = kDietSearchSeed;
  settings.islandEvaluations = kDietIslandEvaluations;
  settings.polishEvaluations = kDietPolishEvaluations;
  settings.threads = c.threads;
  settings.progress = c.progress;
  settings.threadEnds = LpReleaseThread;

  std::vector<std::unique_ptr<SearchWorker>> workers;
  for (int i = 0; i < kSearchIslands; ++i) {
    workers.push_back(MakeDietSearchWorker(c, start, free));
  }
  const GlobalSearchResult found = GlobalSearch(settings, workers);
  stopped = found.stopped;
  if (found.improved) {
    OptVector x = start.point;
    for (size_t j = 0; j < free.size(); ++j) x[free[j]] = found.x[j];
    s.best.Offer(found.score, x);
  }
  figures.score = s.best.bestScore;
  figures.evaluations = found.evaluations;
  figures.seconds = Seconds(started);
  return figures;
}
