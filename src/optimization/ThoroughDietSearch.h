// Optimization: the thorough stage after the classic diet optimization.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "formulation/LeastCost.h"
#include "optimization/FeedCostObjective.h"
#include "platform/GlobalSearch.h"

class Grid;
struct OptSearch;

// The thorough stage of the diet optimization: after the classic simplex
// searches, a global search over the same free coordinates within the same
// bounds ([7, 15], the window's limits), started from the best point of the
// classic searches, then polished. The last diet is fed to the target, so its
// feed amount has no effect on the cost: the stage holds it where the classic
// result left it. Every evaluation formulates its diets from the solver's
// standard basis, so a point's cost does not depend on which points were
// formulated before it, nor on the thread that scores it.

// Evaluations of each of the search's islands, and of the polish: what
// reaches the demo's lowest cost per pig within half a second on two cores.
inline constexpr long kDietIslandEvaluations = 1500;
inline constexpr long kDietPolishEvaluations = 400;
inline constexpr unsigned kDietSearchSeed = 1;

// What the thorough stage reads and changes.
struct ThoroughDietContext {
  LeastCostContext& lp;  // the App's formulation: copied into every worker
  const Grid& dietsTable;
  const FeedCostState& cost;  // the run's objective state: copied into every worker
  OptSearch& search;          // its best point is where the stage starts and what it improves
  int threads = 0;            // 0: one per core
  // Told on the calling thread: the stage's evaluations so far and the best
  // cost per pig; true stops the stage (it keeps the best point found).
  std::function<bool(long evaluations, double best)> progress;
};

// Runs the stage; a point better than the classic best is offered to
// search.best. The figures are the stage's own; score is the best cost per
// pig after the stage (the classic best when nothing better was found).
SearchStageFigures RunThoroughDietSearch(ThoroughDietContext& context, bool& stopped);

// The variables the stage holds: every fixed one and the last diet's feed
// amount. Exposed for the test that it has no effect.
OptFlags ThoroughHeldVariables(const OptVariables& x);

// One worker of the stage (the benchmarks measure searches with it): its own
// copies of the model, formulation and objective state, scoring the
// coordinates `free` (1-based variable numbers) of `start` as a search point.
std::unique_ptr<SearchWorker> MakeDietSearchWorker(const ThoroughDietContext& context,
                                                   const OptVariables& start,
                                                   const std::vector<int>& free);
