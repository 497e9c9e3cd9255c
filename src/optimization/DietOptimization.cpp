// The diet optimization: a bounded Nelder-Mead simplex (Nelder & Mead,
// Computer Journal 7, 1965) over the feed amounts, energy and protein minima
// of the diets, scored by the feed-cost objective.

#include "optimization/DietOptimization.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <string_view>

#include "app/App.h"
#include "app/NumberFormat.h"
#include "model/DietsTable.h"
#include "model/GrowthSummary.h"
#include "model/Units.h"
#include "optimization/ThoroughDietSearch.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"

namespace {

// ---------------------------------------------------------------------------
// The bounded simplex.

bool Free(const OptSearch& s, int i) { return s.OptFixed[i] == 0; }

bool ValidCount(const OptSearch& s) { return s.n >= 1 && s.n <= kMaxOptVars; }

void ScoreAt(OptSearch& s, OptObjective& f, const OptVector& point) {
  s.OptVar = point;
  ScoreOptPoint(s, f);
}

// p = a + factor x (b - a) on the free coordinates; fixed ones keep a's.
OptVector Along(const OptSearch& s, const OptVector& a, const OptVector& b, double factor) {
  OptVector p = a;
  for (int i = 1; i <= s.n; ++i) {
    if (Free(s, i)) p[i] = a[i] + factor * (b[i] - a[i]);
  }
  return p;
}

void Replace(OptSearch& s, int vertex, const OptVector& point, double score) {
  s.vertex[vertex] = point;
  s.vertexScore[vertex] = score;
}

void FindWorstAndBest(OptSearch& s) {
  s.worstVertex = 1;
  s.bestVertex = 1;
  for (int j = 2; j <= s.vertices; ++j) {
    if (s.vertexScore[j] > s.vertexScore[s.worstVertex]) s.worstVertex = j;
    if (s.vertexScore[j] < s.vertexScore[s.bestVertex]) s.bestVertex = j;
  }
}

OptVector Centroid(const OptSearch& s) {
  OptVector c = s.vertex[s.worstVertex];
  const int others = s.vertices - 1;
  for (int i = 1; i <= s.n; ++i) {
    if (!Free(s, i)) continue;
    double sum = 0;
    for (int j = 1; j <= s.vertices; ++j) {
      if (j != s.worstVertex) sum += s.vertex[j][i];
    }
    c[i] = sum / others;
  }
  return c;
}

// Every vertex but the best moves half-way towards it.
void Shrink(OptSearch& s, OptObjective& f) {
  const OptVector best = s.vertex[s.bestVertex];
  for (int j = 1; j <= s.vertices; ++j) {
    if (j == s.bestVertex) continue;
    const OptVector p = Along(s, s.vertex[j], best, 0.5);
    ScoreAt(s, f, p);
    Replace(s, j, p, s.OptScore);
  }
}

bool Converged(const OptSearch& s) {
  for (int i = 1; i <= s.n; ++i) {
    if (!Free(s, i)) continue;
    double low = s.vertex[1][i];
    double high = low;
    for (int j = 2; j <= s.vertices; ++j) {
      low = std::min(low, s.vertex[j][i]);
      high = std::max(high, s.vertex[j][i]);
    }
    if (!(high - low <= s.OptTol[i])) return false;
  }
  return true;
}

void CheckStop(OptSearch& s) {
  if (Converged(s)) {
    s.status = OptStatus::Converged;
  } else if (s.evaluations > s.evaluationLimit || s.trials > kOptTrialLimit) {
    s.status = OptStatus::EvaluationLimit;
  } else if (s.cancel && *s.cancel) {
    s.status = OptStatus::Cancelled;
  }
}

}  // namespace

void ScoreOptPoint(OptSearch& s, OptObjective& f) {
  ++s.trials;
  for (int i = 1; i <= s.n; ++i) {
    if (Free(s, i) && !(s.OptVar[i] >= s.OptLower[i] && s.OptVar[i] <= s.OptUpper[i])) {
      s.OptScore = kOptBig;
      return;
    }
  }
  double score = f.Evaluate(s, s.evaluations);
  if (std::isnan(score)) score = kOptBig;
  s.OptScore = score;
  ++s.evaluations;
  ++s.totalEvaluations;
  if (s.best.Offer(score, s.OptVar)) f.NewBest(s, score);
  if (s.progress) s.progress(s.totalEvaluations, s.best.found ? s.best.OptBest : 0);
}

void InitSimplex(OptSearch& s, OptObjective& f) {
  s.status = OptStatus::Searching;
  s.vertices = 0;
  s.notReproducible = false;
  if (!ValidCount(s)) {
    s.status = OptStatus::WrongCount;
    return;
  }
  for (int i = 1; i <= s.n; ++i) {
    if (!Free(s, i)) continue;
    s.OptTol[i] = std::fabs(s.OptTol[i]);
    double& x = s.OptVar[i];
    if (x + s.OptStep[i] == x || x - s.OptStep[i] == x) {
      s.OptStep[i] = x != 0 ? kVanishedStep * x : kVanishedStep;
    }
    if (!(s.OptUpper[i] > s.OptLower[i])) {
      s.OptUpper[i] = kOptBig;
      s.OptLower[i] = -kOptBig;
    }
    x = std::clamp(x, s.OptLower[i], s.OptUpper[i]);
  }
  const OptVector centre = s.OptVar;
  int j = 0;
  for (int i = 1; i <= s.n; ++i) {
    if (!Free(s, i)) continue;
    OptVector p = centre;
    p[i] += s.OptStep[i];
    ScoreAt(s, f, p);
    Replace(s, ++j, p, s.OptScore);
  }
  s.vertices = j + 1;
  ScoreAt(s, f, centre);
  Replace(s, s.vertices, centre, s.OptScore);
  const double first = s.OptScore;
  ScoreOptPoint(s, f);
  s.notReproducible = s.OptScore != first;
}

void SimplexStep(OptSearch& s, OptObjective& f) {
  FindWorstAndBest(s);
  if (s.worstVertex == s.bestVertex) {
    s.status = OptStatus::NoProgress;
    return;
  }
  const int worst = s.worstVertex;
  const OptVector c = Centroid(s);
  const OptVector r = Along(s, c, s.vertex[worst], -kReflection);
  ScoreAt(s, f, r);
  const double fr = s.OptScore;

  if (fr < s.vertexScore[s.bestVertex]) {
    const OptVector e = Along(s, c, r, kExpansion);
    ScoreAt(s, f, e);
    if (s.OptScore < fr) {
      Replace(s, worst, e, s.OptScore);
    } else {
      Replace(s, worst, r, fr);
    }
  } else {
    bool beatsAnother = false;
    for (int j = 1; j <= s.vertices; ++j) {
      if (j != worst && fr < s.vertexScore[j]) beatsAnother = true;
    }
    if (beatsAnother) {
      Replace(s, worst, r, fr);
    } else {
      if (fr < s.vertexScore[worst]) Replace(s, worst, r, fr);
      const OptVector k = Along(s, c, s.vertex[worst], kContraction);
      ScoreAt(s, f, k);
      if (s.OptScore < s.vertexScore[worst]) {
        Replace(s, worst, k, s.OptScore);
      } else {
        Shrink(s, f);
      }
    }
  }
  CheckStop(s);
}

void Optimize(OptSearch& s, OptObjective& f, bool resumeFromBest) {
  s.evaluations = 0;
  s.trials = 0;
  s.evaluationLimit = kOptEvaluationLimit;
  s.status = OptStatus::Searching;
  if (!ValidCount(s)) {
    s.status = OptStatus::WrongCount;
    return;
  }
  for (int i = s.n + 1; i <= kMaxOptVars; ++i) s.OptVar[i] = 0;
  const bool final = s.phase == 2;
  for (int i = 1; i <= s.n; ++i) {
    s.OptStep[i] = final ? kFinalStep : kSearchStep;
    s.OptTol[i] = final ? kFinalTol : kSearchTol;
  }
  s.OptStart = s.OptVar;
  ScoreOptPoint(s, f);
  s.startScore = s.OptScore;
  if (resumeFromBest && s.best.found && s.best.OptBest < s.startScore) s.OptVar = s.best.bestVar;

  InitSimplex(s, f);
  while (s.status == OptStatus::Searching) SimplexStep(s, f);

  FindWorstAndBest(s);
  ScoreAt(s, f, s.vertex[s.bestVertex]);
  if (FailedScore(s.OptScore)) {
    s.OptScore = s.startScore;
    s.OptVar = s.OptStart;
  }
}

// ---------------------------------------------------------------------------
// "Run Opt."

namespace {

constexpr const char* kKindNames[] = {"", " Feed Weight", " Energy", " Protein"};
constexpr int kPhaseFirst = 0;
constexpr int kPhaseFull = 1;
constexpr int kPhaseFinal = 2;

bool Blank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

bool Ticked(const Grid& GridOpt, int row) {
  return GridOpt.CellCheck(row, kOptTickCol) == CheckState::Checked;
}

double Cell(const Grid& GridOpt, int row, int col) { return ReadNumber(GridOpt.Text(row, col)); }

std::string DietText(int diet) { return " " + std::to_string(diet); }

// kg at StartAge, as the last growth run started.
double StartingWeight(const GlobalPig& pig) {
  const bool inTable = pig.StartAge >= 0 && pig.StartAge <= kMaxAge;
  return inTable ? pig.LiveWeight[pig.StartAge][kHerdColumn] : pig.StartWeight;
}

// Everything one run works on.
struct Run {
  App& app;
  DietOptState& opt;
  const OptWindowView& window;
  FeedOptContext lp;
  FeedCostObjective objective;
  int diets = 0;
  double startCost = 0;

  Run(App& a, DietOptState& o, const OptWindowView& w)
      : app(a),
        opt(o),
        window(w),
        lp{a.formulation, a.pig, *a.formulationState, a.dialogs},
        objective(lp, a.mainForm.Griddiets, o.objective) {}

  OptSearch& search() { return opt.search; }
  bool Cancelled() const { return app.pig.CancelRun; }
};

// The table into OptTable and its ticks into OptFixed.
void ReadOptTable(Run& run) {
  FeedCostState& state = run.opt.objective;
  OptSearch& s = run.search();
  state.OptTable = {};
  for (int d = 1; d <= kMaxDiets; ++d) {
    for (int k = 1; k <= kOptKinds; ++k) {
      const int row = VariableOf(d, k);
      state.OptTable[d][k] = {Cell(run.window.GridOpt, row, kOptCurrentCol),
                              Cell(run.window.GridOpt, row, kOptMinimumCol),
                              Cell(run.window.GridOpt, row, kOptMaximumCol)};
    }
  }
  s.OptFixed.fill(1);
  for (int i = 1; i <= s.n; ++i) s.OptFixed[i] = Ticked(run.window.GridOpt, i) ? 0 : 1;
}

// Readies the model, the objective and the search for the first search.
void PrepareRun(Run& run, double targetWeight) {
  App& app = run.app;
  GlobalPig& pig = app.pig;
  FeedCostState& state = run.opt.objective;
  OptSearch& s = run.search();
  const int feedChoice = app.mainForm.Combo1.ListIndex;

  pig.NumDiets = static_cast<std::int16_t>(run.diets);
  pig.CancelRun = false;
  if (feedChoice == kFeedGrid) {
    // The given diets and their costs, as the last growth run took them.
    TakeDietsFromTable(app.mainForm.Griddiets, pig);
    for (int d = 1; d <= run.diets; ++d) {
      app.formulationState->DietCost[d] = ReadNumber(app.mainForm.Griddiets.Text(kDietCostRow, d));
    }
  }
  run.opt.userRestrict = app.formulation.NutRestrict;
  state.feedChoice = feedChoice;
  state.targetWeight = targetWeight;
  state.startWeight = StartingWeight(pig);
  s.n = kOptKinds * run.diets;
  s.best = {};
  s.totalEvaluations = 0;
  s.cancel = &pig.CancelRun;
  ReadOptTable(run);
  PrepareFeedCost(state, app.formulation, run.diets);
  app.formulationState->OptMode = kOptModeRunning;
  for (int i = 1; i <= s.n; ++i) {
    s.OptUpper[i] = kCoordHigh;
    s.OptLower[i] = kCoordLow;
    const auto& row = state.OptTable[VariableDiet(i)][VariableKind(i)];
    // A row whose minimum equals its maximum stays at the minimum's coordinate.
    s.OptVar[i] = state.scale[i] != 0
                      ? kCoordLow + (row[kOptCurrent] - row[kOptMinimum]) / state.scale[i]
                      : kCoordLow;
  }
  run.opt.startVar = s.OptVar;
  run.opt.ticked = s.OptFixed;
}

// Each ticked variable optimized alone from the starting point: the value of
// each single change.
void SingleChanges(Run& run) {
  OptSearch& s = run.search();
  OptResult& result = run.opt.result;
  for (int v = 1; v <= s.n && !run.Cancelled(); ++v) {
    if (run.opt.ticked[v] != 0) continue;
    s.OptFixed.fill(1);
    s.OptFixed[v] = 0;
    s.OptVar = run.opt.startVar;
    Optimize(s, run.objective, false);
    s.OptFixed[v] = 1;
    const auto& row = run.opt.objective.OptTable[VariableDiet(v)][VariableKind(v)];
    result.singlePoint[v] =
        (row[kOptMaximum] - row[kOptMinimum]) * (s.OptVar[v] - kCoordLow) / kCoordSpan +
        row[kOptMinimum];
    result.singleCost[v] = s.OptScore;
  }
  s.OptVar = run.opt.startVar;
  s.OptFixed = run.opt.ticked;
}

// The thorough stage from the classic searches' best point; the window
// follows it through the search's progress, and CancelRun stops it.
void ThoroughStage(Run& run) {
  OptSearch& s = run.search();
  const long classicEvaluations = s.totalEvaluations;
  auto progress = [&run, &s, classicEvaluations](long evaluations, double best) {
    if (s.progress) s.progress(classicEvaluations + evaluations, best);
    return run.Cancelled();
  };
  ThoroughDietContext context{
      run.lp, run.app.mainForm.Griddiets, run.opt.objective, s, run.opt.threads, progress};
  bool stopped = false;
  OptResult& result = run.opt.result;
  result.thorough = RunThoroughDietSearch(context, stopped);
  result.thoroughRan = true;
  s.totalEvaluations += result.thorough.evaluations;
}

// The final scoring: the best point of the run is made current and scored once more,
// so the diets, feed amounts and growth run describe it. Returns its cost.
double ScoreOptimum(Run& run) {
  OptSearch& s = run.search();
  s.phase = kPhaseFinal;
  if (s.best.found) s.OptVar = s.best.bestVar;
  // A point the thorough stage found was costed with diets formulated afresh.
  const bool fresh =
      run.opt.result.thoroughRan && run.opt.result.thorough.score < run.opt.result.classic.score;
  if (fresh) {
    for (LpSolver& solver : run.app.formulationState->solvers) solver.SetFreshStarts(true);
    run.opt.objective.formulated.fill(false);
  }
  ScoreOptPoint(s, run.objective);
  for (LpSolver& solver : run.app.formulationState->solvers) solver.SetFreshStarts(false);
  // The main window shows the thorough stage's best as it shows a new best.
  if (fresh && !FailedScore(s.OptScore)) run.objective.NewBest(s, s.OptScore);
  if (!FailedScore(s.OptScore)) return s.OptScore;
  // Nothing scored: the starting point stands.
  ScoreAt(s, run.objective, run.opt.startVar);
  return FailedScore(s.OptScore) ? run.startCost : s.OptScore;
}

void TakeSnapshot(Run& run, double bestCost) {
  const GlobalPig& pig = run.app.pig;
  const FormulationState& lp = *run.app.formulationState;
  const OptSearch& s = run.search();
  const FeedCostState& state = run.opt.objective;
  OptResult& r = run.opt.result;
  r.done = true;
  r.cancelled = run.Cancelled();
  r.diets = run.diets;
  r.startCost = run.startCost;
  r.bestCost = bestCost;
  r.bestVar = s.OptVar;
  r.targetWeight = state.targetWeight;
  r.finalAge = pig.FinalAge;
  r.OptTable = state.OptTable;
  r.fixed = run.opt.ticked;
  r.DietNutrients = pig.DietNutrients;
  r.DietInclusion = lp.DietInclusion;
  r.NutRestrict = run.app.formulation.NutRestrict;
  for (int d = 0; d <= kMaxDiets; ++d) {
    r.DietCost[d] = d <= run.diets ? lp.DietCost[d] : 0;
    r.feedAmount[d] = d <= run.diets ? pig.DietFeedAmount[d] : 0;
    r.phaseFeed[d] = d <= run.diets ? DietPhaseFeed(pig, d) : 0;
    // The search never writes the diets table: it holds the start's diets.
    r.startPrice[d] =
        d <= run.diets ? ReadNumber(run.app.mainForm.Griddiets.Text(kDietCostRow, d)) : 0;
  }
  for (int age = 0; age < kDays; ++age) {
    r.LiveWeight[age] = pig.LiveWeight[age][kHerdColumn];
    r.DailyFeed[age] = pig.DailyFeed[age][kHerdColumn];
  }
  r.lastDay = static_cast<int>(std::clamp(std::ceil(pig.FinalAge) + 1, 0.0, double{kMaxAge}));
  r.evaluations = s.totalEvaluations;
  r.lpSolves = state.lpSolves;
  r.growthRuns = state.growthRuns;
}

// The checks before a run: a failed one shows its message (or none) and
// ends the command.
bool RunAccepted(Run& run, double& targetWeight) {
  App& app = run.app;
  const OptWindowView& w = run.window;
  Dialogs& dialogs = app.dialogs;
  if (Blank(w.LocationName)) return false;
  run.startCost = ReadNumber(app.mainForm.TextPrice.Text);
  if (run.startCost == 0) {
    dialogs.Message("Run Current Calc First");
    return false;
  }
  if (run.opt.showStartingCost) run.opt.showStartingCost(run.startCost);
  const int feedChoice = app.mainForm.Combo1.ListIndex;
  if (feedChoice == kFeedGrid) {
    if (dialogs.Message(kGivenCostsQuestion, Buttons::YesNo) != Answer::Yes) return false;
    for (int d = 1; d <= kMaxDiets; ++d) {
      w.GridOpt.SetCellCheck(VariableOf(d, kEnergyKind), kOptTickCol, CheckState::Unchecked);
      w.GridOpt.SetCellCheck(VariableOf(d, kProteinKind), kOptTickCol, CheckState::Unchecked);
    }
  }
  app.formulationState->OptMode = kOptModeOff;
  // The search holds six diets (18 variables).
  run.diets = ReadInteger(w.TextOptDiet);
  if (run.diets < 1) {
    dialogs.Message("Set No. of Diets first");
    return false;
  }
  if (run.diets > kOptDiets) {
    dialogs.Message(kTooManyOptDiets);
    return false;
  }
  if (CheckOptTable(w.GridOpt, run.diets, app.formulation, feedChoice, dialogs)) return false;
  targetWeight = ConvertWeight(app.pig, kToInternal, ReadNumber(w.TargetWeight));
  // A target at or below the starting weight would cost nothing to reach.
  if (targetWeight == 0 || !(targetWeight > StartingWeight(app.pig))) {
    dialogs.Message("Set the Target Weight");
    return false;
  }
  if (feedChoice == kFeedNotChosen &&
      ReadInteger(w.GridOpt.Text(VariableOf(1, kEnergyKind), kOptCurrentCol)) == 0) {
    dialogs.Message("Set Diet Values");
    return false;
  }
  return Cell(w.GridOpt, VariableOf(1, kFeedKind), kOptCurrentCol) != 0;
}

}  // namespace

bool CheckOptTable(const Grid& GridOpt,
                   int diets,
                   const FormulationTables& tables,
                   int feedChoice,
                   Dialogs& dialogs) {
  if (Blank(GridOpt.Text(1, kOptCurrentCol))) {
    dialogs.Message("Set Diet Values");
    return true;
  }
  if (Blank(GridOpt.Text(1, kOptMinimumCol))) {
    dialogs.Message("Set Diet Minimum Values");
    return true;
  }
  // Every row to fix in one message, one line each.
  std::string toFix;
  for (int row = 1; row <= kOptKinds * diets; ++row) {
    if (!Ticked(GridOpt, row)) continue;
    const double current = Cell(GridOpt, row, kOptCurrentCol);
    const std::string where = DietText(VariableDiet(row)) + kKindNames[VariableKind(row)];
    const char* limit = current < Cell(GridOpt, row, kOptMinimumCol)   ? "Min"
                        : current > Cell(GridOpt, row, kOptMaximumCol) ? "Max"
                                                                       : nullptr;
    if (!limit) continue;
    if (!toFix.empty()) toFix += '\n';
    toFix += std::string("Check ") + limit + " Values on Diet" + where;
  }
  if (!toFix.empty()) {
    dialogs.Message(toFix);
    return true;
  }
  // The amino acids follow protein in ratio to the restrictions' minima.
  if (feedChoice == kFeedGrid) return false;
  for (int d = 1; d <= diets; ++d) {
    const bool moves =
        Ticked(GridOpt, VariableOf(d, kEnergyKind)) || Ticked(GridOpt, VariableOf(d, kProteinKind));
    if (moves && !(tables.NutRestrict[d][kMinKind][kMetCys] > 0)) {
      dialogs.Message("Set Diet Values for MET_CYS");
      return true;
    }
  }
  return false;
}

void RunOptimization(App& app, DietOptState& opt, const OptWindowView& window) {
  Run run(app, opt, window);
  double targetWeight = 0;
  if (!RunAccepted(run, targetWeight)) return;

  window.AddMinMaxVisible = false;
  window.ViewEnabled = false;
  window.WorkingVisible = true;
  const auto started = std::chrono::steady_clock::now();
  OptSearch& s = opt.search;
  opt.result = {};
  opt.result.singleCost.fill(run.startCost);
  s.OptScore = 0;
  PrepareRun(run, targetWeight);

  // The first search over every ticked variable, then each alone.
  s.phase = kPhaseFirst;
  Optimize(s, run.objective);
  if (!FailedScore(s.OptScore) && s.OptScore < run.startCost) opt.result.singleCost[0] = s.OptScore;
  for (int v = 1; v <= s.n; ++v) {
    const auto& row = opt.objective.OptTable[VariableDiet(v)][VariableKind(v)];
    opt.result.singlePoint[v] = row[kOptCurrent];
  }
  SingleChanges(run);
  // The full search, from the best point so far.
  s.phase = kPhaseFull;
  if (!run.Cancelled()) Optimize(s, run.objective);
  opt.result.classic = {
      s.best.found ? s.best.OptBest : run.startCost,
      s.totalEvaluations,
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count()};
  if (opt.thorough && !run.Cancelled()) ThoroughStage(run);
  const OptStatus status = run.Cancelled() ? OptStatus::Cancelled : s.status;
  const double bestCost = ScoreOptimum(run);

  app.formulationState->OptMode = kOptModeOff;
  TakeSnapshot(run, bestCost);
  opt.result.status = status;
  app.formulation.NutRestrict = opt.userRestrict;
  app.pig.CancelRun = false;
  if (opt.writeResults) opt.writeResults();

  window.WorkingVisible = false;
  window.ViewEnabled = true;
  window.AddMinMaxVisible = true;
  if (!(bestCost < run.startCost)) app.dialogs.Message(kNoLowerAnswer);
}
