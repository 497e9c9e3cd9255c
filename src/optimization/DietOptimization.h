// Optimization: the bounded simplex of the diet optimization and its result.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "formulation/Matrix.h"
#include "optimization/FeedCostObjective.h"
#include "platform/GlobalSearch.h"

class Dialogs;
class Grid;

// The diet optimization: the feed amount, net-energy minimum and protein
// minimum of each diet that give the lowest feed cost per pig to a target
// weight. The search is a Nelder-Mead simplex (Nelder & Mead, Computer
// Journal 7, 1965) over normalised coordinates, with bounds enforced by
// scoring any point outside them as 1e35 without evaluating it.

inline constexpr int kMaxVertices = kMaxOptVars + 1;
inline constexpr int kOptEvaluationLimit = 1200;  // objective evaluations per search
// Points tried per search, inside the bounds or not: points outside are not
// evaluated and not counted, so they need a limit of their own.
inline constexpr int kOptTrialLimit = 10 * kOptEvaluationLimit;

inline constexpr double kReflection = 1.0;
inline constexpr double kContraction = 0.5;
inline constexpr double kExpansion = 2.0;
inline constexpr double kSearchStep = 5.0;  // initial step of a coordinate, phases 0 and 1
inline constexpr double kSearchTol = 0.1;   // convergence tolerance, phases 0 and 1
inline constexpr double kFinalStep = 1.0;   // the final scoring
inline constexpr double kFinalTol = 0.05;
inline constexpr double kVanishedStep = 0.01;  // a step lost in rounding: 1 % of the coordinate

// The optimization table (optimizationTable): 26 rows, 6 columns; diet d's kinds in rows
// 3(d - 1) + 1..3.
inline constexpr int kOptTableRows = 26;
inline constexpr int kOptTableCols = 6;
inline constexpr int kOptTickCol = 2;  // "Optimize" check box
inline constexpr int kOptCurrentCol = 3;
inline constexpr int kOptMinimumCol = 4;
inline constexpr int kOptMaximumCol = 5;

enum class OptStatus : int {
  Searching = 0,
  WrongCount = -1,       // fewer than 1 or more than 20 variables
  Converged = 1,         // every free coordinate within its tolerance over the simplex
  EvaluationLimit = -2,  // 1200 evaluations (or the trial limit) passed
  NoProgress = 2,        // every vertex scores the same
  Cancelled = -3,        // cancelRun was set
};

// One bounded simplex search and the best point of the run.
struct OptSearch : OptVariables {
  OptVector step{};
  OptVector tolerance{};
  OptVector startPoint{};                            // coordinates at the start of the search
  std::array<OptVector, kMaxVertices + 1> vertex{};  // vertices 1..vertices
  std::array<double, kMaxVertices + 1> vertexScore{};
  int vertices = 0;  // free variables + 1
  int worstVertex = 0;
  int bestVertex = 0;
  int phase = 0;  // 0 first search and single changes, 1 full search, 2 final scoring
  int evaluations = 0;
  int evaluationLimit = kOptEvaluationLimit;
  int trials = 0;
  OptStatus status = OptStatus::Searching;
  double score = 0;              // score of the last point scored
  double startScore = 0;         // score of the search's starting point
  bool notReproducible = false;  // the starting point scored twice gave two scores

  OptBestRecord best;  // lowest score of the run and its coordinates
  long totalEvaluations = 0;
  const bool* cancel = nullptr;  // stops the search when set (cancelRun)
  // Told after every evaluation: evaluations of the run, best score so far
  // (0 before any); it may set the cancel flag.
  std::function<void(long evaluations, double best)> progress;
};

// Scores the search's point: kOptBig, without evaluating or counting, when a free
// coordinate lies outside its bounds (or is not a number); otherwise the
// objective's score, counted, and offered as the run's best.
void ScoreOptPoint(OptSearch& search, OptObjective& objective);

// Builds and scores the first simplex around the point: one vertex per free
// variable, each stepped along its axis by its step, and the point itself last.
void InitSimplex(OptSearch& search, OptObjective& objective);

// One reflection, expansion, contraction or shrink, then the stopping tests.
void SimplexStep(OptSearch& search, OptObjective& objective);

// One search over the free variables from the search's point.
// `resumeFromBest` starts from the run's best point when it beats the
// starting point. Leaves the best point found, and its score, as the
// search's; a failed best restores the starting point and its score.
void Optimize(OptSearch& search, OptObjective& objective, bool resumeFromBest = true);

// What an optimization run leaves for the report, the screen's transfer and
// the results file.
struct OptResult {
  bool done = false;  // a run has finished
  bool cancelled = false;
  OptStatus status = OptStatus::Searching;  // of the full search
  int diets = 0;
  double startCost = 0;  // cost per pig before the optimization
  double bestCost = 0;   // cost per pig of the optimum; startCost when none was found
  OptVector bestVar{};
  double targetWeight = 0;  // kg
  double finalAge = 0;      // days, of the optimum's growth run
  // Per variable v: the table value and the cost per pig when only v moved;
  // singleCost[0] is the first full search's cost.
  OptVector singlePoint{};
  OptVector singleCost{};
  OptTableValues tableValues{};  // current, minimum, maximum as the run read them
  OptFlags fixed{};              // 0: the row was ticked
  // The optimum's diets: nutrient levels (internal units, [d][0] the cost),
  // costs, feed amounts allowed and eaten (kg), inclusions and the
  // restrictions they were formulated with.
  std::array<std::array<double, kMaxNutrientIndex + 1>, kMaxDiets + 1> dietNutrients{};
  std::array<double, kMaxDiets + 1> dietCost{};
  std::array<double, kMaxDiets + 1> feedAmount{};
  std::array<double, kMaxDiets + 1> phaseFeed{};
  // The diets' prices the run started from (diets table, display units),
  // for the report's chart of the start against the optimum.
  std::array<double, kMaxDiets + 1> startPrice{};
  std::array<std::array<double, kMaxIngredients + 1>, kMaxDiets + 1> dietInclusion{};
  FormulationTables::NutrientRestrictionTable nutrientRestrictions{};
  // The optimum's growth run by age (kg): ages 1..lastDay are kept.
  std::array<double, kDays> liveWeight{};
  std::array<double, kDays> dailyFeed{};
  int lastDay = 0;  // final age + 1, within the day tables
  long evaluations = 0;
  long lpSolves = 0;
  long growthRuns = 0;
  // The classic searches and, when it ran, the thorough stage after them:
  // the best cost per pig, the evaluations and the seconds of each.
  SearchStageFigures classic;
  SearchStageFigures thorough;
  bool thoroughRan = false;
};

// The optimization state the App owns (about 90 kB: keep it off the stack).
struct DietOptState {
  OptSearch search;
  FeedCostState objective;
  OptVector startVar{};  // starting coordinates of the run
  OptFlags ticked{};     // fixedFlags as the table's ticks give it
  FormulationTables::NutrientRestrictionTable
      userRestrict{};  // the restrictions before the run, restored after
  OptResult result;
  bool thorough = false;  // the thorough stage follows the classic searches
  int threads = 0;        // of the thorough stage; 0: one per core

  // The main window shows the starting cost; may be empty.
  std::function<void(double startCost)> showStartingCost;
  // Writes the results file at the end of a run; may be empty.
  std::function<void()> writeResults;
};
