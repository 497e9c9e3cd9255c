// "Run Opt.": the diet optimization run with the "Diet Optimization"
// window's table, from the checks to the result snapshot.
#include "app/OptimizationRun.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <string_view>

#include "app/App.h"
#include "model/DietsTable.h"
#include "model/GrowthSummary.h"
#include "model/Units.h"
#include "optimization/ThoroughDietSearch.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"

namespace {

constexpr const char* kKindNames[] = {"", " Feed Weight", " Energy", " Protein"};
constexpr int kPhaseFirst = 0;
constexpr int kPhaseFull = 1;
constexpr int kPhaseFinal = 2;

bool Blank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

bool Ticked(const Grid& optimizationTable, int row) {
  return optimizationTable.CellCheck(row, kOptTickCol) == CheckState::Checked;
}

double Cell(const Grid& optimizationTable, int row, int col) {
  return ReadNumber(optimizationTable.Text(row, col));
}

std::string DietText(int diet) { return " " + std::to_string(diet); }

// kg at startAge, as the last growth run started.
double StartingWeight(const GrowthState& growth) {
  const bool inTable = growth.startAge >= 0 && growth.startAge <= kMaxAge;
  return inTable ? growth.liveWeight[growth.startAge][kHerdColumn] : growth.startWeight;
}

// Everything one run works on.
struct Run {
  App& app;
  DietOptState& opt;
  const OptWindowView& window;
  LeastCostContext lp;
  FeedCostObjective objective;
  int diets = 0;
  double startCost = 0;

  Run(App& a, DietOptState& o, const OptWindowView& w)
      : app(a),
        opt(o),
        window(w),
        lp{a.formulation, a.growth, *a.formulationState, a.dialogs},
        objective(lp, a.mainForm.dietsTable, o.objective) {}

  OptSearch& search() { return opt.search; }
  bool Cancelled() const { return app.growth.cancelRun; }
};

// The table into tableValues and its ticks into fixedFlags.
void ReadOptTable(Run& run) {
  FeedCostState& state = run.opt.objective;
  OptSearch& s = run.search();
  state.tableValues = {};
  for (int d = 1; d <= kMaxDiets; ++d) {
    for (int k = 1; k <= kOptKinds; ++k) {
      const int row = VariableOf(d, k);
      state.tableValues[d][k] = {Cell(run.window.optimizationTable, row, kOptCurrentCol),
                                 Cell(run.window.optimizationTable, row, kOptMinimumCol),
                                 Cell(run.window.optimizationTable, row, kOptMaximumCol)};
    }
  }
  s.fixedFlags.fill(1);
  for (int i = 1; i <= s.n; ++i) s.fixedFlags[i] = Ticked(run.window.optimizationTable, i) ? 0 : 1;
}

// Readies the model, the objective and the search for the first search.
void PrepareRun(Run& run, double targetWeight) {
  App& app = run.app;
  GrowthState& growth = app.growth;
  FeedCostState& state = run.opt.objective;
  OptSearch& s = run.search();
  const int feedChoice = app.mainForm.feedFormulation.selected;

  growth.dietCount = static_cast<std::int16_t>(run.diets);
  growth.cancelRun = false;
  if (feedChoice == kFeedGrid) {
    // The given diets and their costs, as the last growth run took them.
    TakeDietsFromTable(app.mainForm.dietsTable, growth);
    for (int d = 1; d <= run.diets; ++d) {
      app.formulationState->dietCost[d] = ReadNumber(app.mainForm.dietsTable.Text(kDietCostRow, d));
    }
  }
  run.opt.userRestrict = app.formulation.nutrientRestrictions;
  state.feedChoice = feedChoice;
  state.targetWeight = targetWeight;
  state.startWeight = StartingWeight(growth);
  s.n = kOptKinds * run.diets;
  s.best = {};
  s.totalEvaluations = 0;
  s.cancel = &growth.cancelRun;
  ReadOptTable(run);
  PrepareFeedCost(state, app.formulation, run.diets);
  app.formulationState->optMode = kOptModeRunning;
  for (int i = 1; i <= s.n; ++i) {
    s.upper[i] = kCoordHigh;
    s.lower[i] = kCoordLow;
    const auto& row = state.tableValues[VariableDiet(i)][VariableKind(i)];
    // A row whose minimum equals its maximum stays at the minimum's coordinate.
    s.point[i] = state.scale[i] != 0
                     ? kCoordLow + (row[kOptCurrent] - row[kOptMinimum]) / state.scale[i]
                     : kCoordLow;
  }
  run.opt.startVar = s.point;
  run.opt.ticked = s.fixedFlags;
}

// Each ticked variable optimized alone from the starting point: the value of
// each single change.
void SingleChanges(Run& run) {
  OptSearch& s = run.search();
  OptResult& result = run.opt.result;
  for (int v = 1; v <= s.n && !run.Cancelled(); ++v) {
    if (run.opt.ticked[v] != 0) continue;
    s.fixedFlags.fill(1);
    s.fixedFlags[v] = 0;
    s.point = run.opt.startVar;
    Optimize(s, run.objective, false);
    s.fixedFlags[v] = 1;
    const auto& row = run.opt.objective.tableValues[VariableDiet(v)][VariableKind(v)];
    result.singlePoint[v] =
        (row[kOptMaximum] - row[kOptMinimum]) * (s.point[v] - kCoordLow) / kCoordSpan +
        row[kOptMinimum];
    result.singleCost[v] = s.score;
  }
  s.point = run.opt.startVar;
  s.fixedFlags = run.opt.ticked;
}

// The thorough stage from the classic searches' best point; the window
// follows it through the search's progress, and cancelRun stops it.
void ThoroughStage(Run& run) {
  OptSearch& s = run.search();
  const long classicEvaluations = s.totalEvaluations;
  auto progress = [&run, &s, classicEvaluations](long evaluations, double best) {
    if (s.progress) s.progress(classicEvaluations + evaluations, best);
    return run.Cancelled();
  };
  ThoroughDietContext context{
      run.lp, run.app.mainForm.dietsTable, run.opt.objective, s, run.opt.threads, progress};
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
  if (s.best.found) s.point = s.best.bestVar;
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
  if (fresh && !FailedScore(s.score)) run.objective.NewBest(s, s.score);
  if (!FailedScore(s.score)) return s.score;
  // Nothing scored: the starting point stands.
  s.point = run.opt.startVar;
  ScoreOptPoint(s, run.objective);
  return FailedScore(s.score) ? run.startCost : s.score;
}

void TakeSnapshot(Run& run, double bestCost) {
  const GrowthState& growth = run.app.growth;
  const FormulationState& lp = *run.app.formulationState;
  const OptSearch& s = run.search();
  const FeedCostState& state = run.opt.objective;
  OptResult& r = run.opt.result;
  r.done = true;
  r.cancelled = run.Cancelled();
  r.diets = run.diets;
  r.startCost = run.startCost;
  r.bestCost = bestCost;
  r.bestVar = s.point;
  r.targetWeight = state.targetWeight;
  r.finalAge = growth.finalAge;
  r.tableValues = state.tableValues;
  r.fixed = run.opt.ticked;
  r.dietNutrients = growth.dietNutrients;
  r.dietInclusion = lp.dietInclusion;
  r.nutrientRestrictions = run.app.formulation.nutrientRestrictions;
  for (int d = 0; d <= kMaxDiets; ++d) {
    r.dietCost[d] = d <= run.diets ? lp.dietCost[d] : 0;
    r.feedAmount[d] = d <= run.diets ? growth.dietFeedAmount[d] : 0;
    r.phaseFeed[d] = d <= run.diets ? DietPhaseFeed(growth, d) : 0;
    // The search never writes the diets table: it holds the start's diets.
    r.startPrice[d] =
        d <= run.diets ? ReadNumber(run.app.mainForm.dietsTable.Text(kDietCostRow, d)) : 0;
  }
  for (int age = 0; age < kDays; ++age) {
    r.liveWeight[age] = growth.liveWeight[age][kHerdColumn];
    r.dailyFeed[age] = growth.dailyFeed[age][kHerdColumn];
  }
  r.lastDay = static_cast<int>(std::clamp(std::ceil(growth.finalAge) + 1, 0.0, double{kMaxAge}));
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
  if (Blank(w.locationName)) return false;
  run.startCost = ReadNumber(app.mainForm.costPerPig.text);
  if (run.startCost == 0) {
    dialogs.Message("Run Current Calc First");
    return false;
  }
  if (run.opt.showStartingCost) run.opt.showStartingCost(run.startCost);
  const int feedChoice = app.mainForm.feedFormulation.selected;
  if (feedChoice == kFeedGrid) {
    if (dialogs.Message(kGivenCostsQuestion, Buttons::YesNo) != Answer::Yes) return false;
    for (int d = 1; d <= kMaxDiets; ++d) {
      w.optimizationTable.SetCellCheck(
          VariableOf(d, kEnergyKind), kOptTickCol, CheckState::Unchecked);
      w.optimizationTable.SetCellCheck(
          VariableOf(d, kProteinKind), kOptTickCol, CheckState::Unchecked);
    }
  }
  app.formulationState->optMode = kOptModeOff;
  // The search holds six diets (18 variables).
  run.diets = ReadInteger(w.dietCountText);
  if (run.diets < 1) {
    dialogs.Message("Set No. of Diets first");
    return false;
  }
  if (run.diets > kOptDiets) {
    dialogs.Message(kTooManyOptDiets);
    return false;
  }
  if (CheckOptTable(w.optimizationTable, run.diets, app.formulation, feedChoice, dialogs))
    return false;
  targetWeight = ConvertWeight(app.growth, kToInternal, ReadNumber(w.targetWeight));
  // A target at or below the starting weight would cost nothing to reach.
  if (targetWeight == 0 || !(targetWeight > StartingWeight(app.growth))) {
    dialogs.Message("Set the Target Weight");
    return false;
  }
  if (feedChoice == kFeedNotChosen &&
      ReadInteger(w.optimizationTable.Text(VariableOf(1, kEnergyKind), kOptCurrentCol)) == 0) {
    dialogs.Message("Set Diet Values");
    return false;
  }
  return Cell(w.optimizationTable, VariableOf(1, kFeedKind), kOptCurrentCol) != 0;
}

}  // namespace

bool CheckOptTable(const Grid& optimizationTable,
                   int diets,
                   const FormulationTables& tables,
                   int feedChoice,
                   Dialogs& dialogs) {
  if (Blank(optimizationTable.Text(1, kOptCurrentCol))) {
    dialogs.Message("Set Diet Values");
    return true;
  }
  if (Blank(optimizationTable.Text(1, kOptMinimumCol))) {
    dialogs.Message("Set Diet Minimum Values");
    return true;
  }
  // Every row to fix in one message, one line each.
  std::string toFix;
  for (int row = 1; row <= kOptKinds * diets; ++row) {
    if (!Ticked(optimizationTable, row)) continue;
    const double current = Cell(optimizationTable, row, kOptCurrentCol);
    const std::string where = DietText(VariableDiet(row)) + kKindNames[VariableKind(row)];
    const char* limit = current < Cell(optimizationTable, row, kOptMinimumCol)   ? "Min"
                        : current > Cell(optimizationTable, row, kOptMaximumCol) ? "Max"
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
    const bool moves = Ticked(optimizationTable, VariableOf(d, kEnergyKind)) ||
                       Ticked(optimizationTable, VariableOf(d, kProteinKind));
    if (moves && !(tables.nutrientRestrictions[d][kMinKind][kMetCys] > 0)) {
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

  window.addMinMaxVisible = false;
  window.viewEnabled = false;
  window.workingVisible = true;
  const auto started = std::chrono::steady_clock::now();
  OptSearch& s = opt.search;
  opt.result = {};
  opt.result.singleCost.fill(run.startCost);
  s.score = 0;
  PrepareRun(run, targetWeight);

  // The first search over every ticked variable, then each alone.
  s.phase = kPhaseFirst;
  Optimize(s, run.objective);
  if (!FailedScore(s.score) && s.score < run.startCost) opt.result.singleCost[0] = s.score;
  for (int v = 1; v <= s.n; ++v) {
    const auto& row = opt.objective.tableValues[VariableDiet(v)][VariableKind(v)];
    opt.result.singlePoint[v] = row[kOptCurrent];
  }
  SingleChanges(run);
  // The full search, from the best point so far.
  s.phase = kPhaseFull;
  if (!run.Cancelled()) Optimize(s, run.objective);
  opt.result.classic = {
      s.best.found ? s.best.bestScore : run.startCost,
      s.totalEvaluations,
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count()};
  if (opt.thorough && !run.Cancelled()) ThoroughStage(run);
  const OptStatus status = run.Cancelled() ? OptStatus::Cancelled : s.status;
  const double bestCost = ScoreOptimum(run);

  app.formulationState->optMode = kOptModeOff;
  TakeSnapshot(run, bestCost);
  opt.result.status = status;
  app.formulation.nutrientRestrictions = opt.userRestrict;
  app.growth.cancelRun = false;
  if (opt.writeResults) opt.writeResults();

  window.workingVisible = false;
  window.viewEnabled = true;
  window.addMinMaxVisible = true;
  if (!(bestCost < run.startCost)) app.dialogs.Message(kNoLowerAnswer);
}
