// Platform: GlobalSearch, a bounded global search over a few coordinates (pagmo).
#pragma once

#include <functional>
#include <memory>
#include <vector>

// A bounded global search over a few continuous coordinates, by pagmo:
// several islands, each a differential-evolution population (Storn & Price,
// J. Global Optimization 11, 1997) followed by monotonic basin hopping around
// a compass search (Wales & Doye 1997; Kolda, Lewis & Torczon, SIAM Review
// 45, 2003), all started from a given point, then a compass search that
// polishes the best point found. The islands run on as many threads as the
// machine has cores, each with its own worker (its own model state), and each
// island stops after a fixed number of evaluations, so the answer depends on
// the seed alone, never on the number of threads or their timing.

// Scores trial points with its own state; one per island, each used by one
// thread at a time.
class SearchWorker {
 public:
  virtual ~SearchWorker() = default;
  // A failed point scores at or above GlobalSearchSettings::failedScore (or
  // is not a number).
  virtual double Score(const std::vector<double>& x) = 0;
};

struct GlobalSearchSettings {
  std::vector<double> lower;  // bounds of each coordinate
  std::vector<double> upper;
  std::vector<double> start;  // where the search starts: the result to beat
  double startScore = 0;
  double failedScore = 0;  // a score at or above it is a failed point
  unsigned seed = 1;
  long islandEvaluations = 0;  // per island
  long polishEvaluations = 0;
  int threads = 0;  // 0: one per core
  // Told on the calling thread about ten times a second: evaluations so far
  // and the best score (the start's until a better one is found). True stops
  // the search, which keeps the best point found so far.
  std::function<bool(long evaluations, double best)> progress;
  // Told on each thread of the search as it ends, to free what the workers
  // left in that thread.
  std::function<void()> threadEnds;
};

struct GlobalSearchResult {
  std::vector<double> x;  // the best point: the start unless a better one was found
  double score = 0;
  long evaluations = 0;
  bool improved = false;  // x is not the start: it scored below startScore
  bool stopped = false;   // progress asked to stop
};

// What a search stage ended with, to show the classic and the thorough
// stage side by side: the score (a fit's score, a cost per pig), the
// evaluations and the seconds it took.
struct SearchStageFigures {
  double score = 0;
  long evaluations = 0;
  double seconds = 0;
};

// Islands of the search; workers must hold at least this many.
inline constexpr int kSearchIslands = 4;

GlobalSearchResult GlobalSearch(const GlobalSearchSettings& settings,
                                const std::vector<std::unique_ptr<SearchWorker>>& workers);
