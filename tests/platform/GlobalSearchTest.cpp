#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "platform/GlobalSearch.h"

namespace {

constexpr double kFailed = 1e8;

enum class Landscape { Bowl, EveryPointFails, EveryPointWorse, EveryPointTies };

// A shifted bowl with many shallow dips, or a landscape with nothing better
// than the start (a tie is not better); every score it gives is kept, for the lowest one.
class TestWorker : public SearchWorker {
 public:
  TestWorker(Landscape landscape, std::atomic<double>& lowest)
      : landscape_(landscape), lowest_(lowest) {}

  double Score(const std::vector<double>& x) override {
    double score = 0;
    for (double xi : x) score += (xi - 0.3) * (xi - 0.3) + 0.1 * (1 - std::cos(20 * xi));
    if (landscape_ == Landscape::EveryPointFails) score = std::nan("");
    if (landscape_ == Landscape::EveryPointWorse) score = 50 + score;
    if (landscape_ == Landscape::EveryPointTies) score = 10;  // the start's score
    double seen = lowest_.load();
    while (score < seen && !lowest_.compare_exchange_weak(seen, score)) {
    }
    return score;
  }

 private:
  Landscape landscape_;
  std::atomic<double>& lowest_;
};

struct Search {
  explicit Search(Landscape landscape) {
    settings.lower = {-2, -2, -2};
    settings.upper = {2, 2, 2};
    settings.start = {-1.5, 1.5, 1};
    settings.startScore = 10;
    settings.failedScore = kFailed;
    settings.islandEvaluations = 2000;
    settings.polishEvaluations = 300;
    for (int i = 0; i < kSearchIslands; ++i) {
      workers.push_back(std::make_unique<TestWorker>(landscape, lowest));
    }
  }
  GlobalSearchResult Run() { return GlobalSearch(settings, workers); }

  GlobalSearchSettings settings;
  std::atomic<double> lowest{std::numeric_limits<double>::infinity()};
  std::vector<std::unique_ptr<SearchWorker>> workers;
};

// The start is the result to beat: a search that finds nothing better, or
// only failures, returns it as it was. The answer depends on the seed alone:
// runs on one thread and on three give the same point.
TEST(GlobalSearch, NeverReturnsAPointWorseThanTheStartAndRepeatsItself) {
  for (Landscape landscape : {Landscape::Bowl,
                              Landscape::EveryPointFails,
                              Landscape::EveryPointWorse,
                              Landscape::EveryPointTies}) {
    SCOPED_TRACE(static_cast<int>(landscape));
    Search search(landscape);
    const GlobalSearchResult r = search.Run();
    EXPECT_LE(r.score, search.settings.startScore);
    EXPECT_GT(r.evaluations, 0);
    EXPECT_EQ(r.improved, landscape == Landscape::Bowl);
    if (landscape != Landscape::Bowl) {
      EXPECT_EQ(r.x, search.settings.start);
      EXPECT_EQ(r.score, search.settings.startScore);
      continue;
    }
    EXPECT_LT(r.score, 0.05);  // the bowl's floor is 0 near (0.3, 0.3, 0.3)
    EXPECT_EQ(r.score, search.lowest.load());
    for (int threads : {1, 3, 0}) {
      Search again(Landscape::Bowl);
      again.settings.threads = threads;
      const GlobalSearchResult other = again.Run();
      EXPECT_EQ(other.x, r.x);
      EXPECT_EQ(other.score, r.score);
      EXPECT_EQ(other.evaluations, r.evaluations);
    }
  }
}

}  // namespace
