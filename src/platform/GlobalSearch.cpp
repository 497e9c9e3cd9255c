#include "platform/GlobalSearch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <pagmo/algorithm.hpp>
#include <pagmo/algorithms/compass_search.hpp>
#include <pagmo/algorithms/de.hpp>
#include <pagmo/algorithms/mbh.hpp>
#include <pagmo/population.hpp>
#include <pagmo/problem.hpp>
#include <thread>
#include <utility>

namespace {

// Differential evolution: rand/1/exp with F 0.8 and CR 0.9, for a tenth of an
// island's evaluations; a population of 20 for up to 5 coordinates, 30 above.
constexpr double kDeWeight = 0.8;
constexpr double kDeCrossover = 0.9;
constexpr unsigned kDeVariant = 2;
constexpr double kDeShare = 0.1;
constexpr int kSmallPopulation = 20;
constexpr int kLargePopulation = 30;
constexpr int kSmallDimension = 5;
// Basin hopping: a hop perturbs each coordinate by up to a tenth of its
// range; each compass search starts at a tenth of the range and ends at a
// millionth, within 500 evaluations. Hops go on until the budget is spent.
constexpr double kHopPerturbation = 0.1;
constexpr unsigned kHops = 100000000;
constexpr unsigned kCompassEvaluations = 500;
constexpr double kCompassStart = 0.1;
constexpr double kCompassStop = 1e-6;
// The polish starts at a hundredth of the range and ends at a billionth.
constexpr double kPolishStart = 0.01;
constexpr double kPolishStop = 1e-9;
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

struct StopSearch {};

// One island's evaluations: counted, the best kept, stopped at the budget or
// when the search is told to stop. Failed points all score failedScore.
class Island {
 public:
  Island(SearchWorker& worker, const GlobalSearchSettings& settings, long budget)
      : worker_(worker), settings_(settings), budget_(budget) {}

  double Score(const std::vector<double>& x) {
    if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) throw StopSearch{};
    if (evaluations_.load(std::memory_order_relaxed) >= budget_) throw StopSearch{};
    double score = worker_.Score(x);
    if (!(score < settings_.failedScore)) score = settings_.failedScore;
    evaluations_.fetch_add(1, std::memory_order_relaxed);
    if (score < best_.load(std::memory_order_relaxed)) {
      best_.store(score, std::memory_order_relaxed);
      bestX_ = x;
    }
    return score;
  }

  void Watch(const std::atomic<bool>* stop) { stop_ = stop; }
  long evaluationCount() const { return evaluations_.load(std::memory_order_relaxed); }
  double Best() const { return best_.load(std::memory_order_relaxed); }
  const std::vector<double>& BestX() const { return bestX_; }
  const GlobalSearchSettings& Settings() const { return settings_; }

 private:
  SearchWorker& worker_;
  const GlobalSearchSettings& settings_;
  long budget_;
  const std::atomic<bool>* stop_ = nullptr;
  std::atomic<long> evaluations_{0};
  std::atomic<double> best_{std::numeric_limits<double>::infinity()};
  std::vector<double> bestX_;
};

// The problem as pagmo sees it.
struct IslandProblem {
  Island* island = nullptr;
  pagmo::vector_double fitness(const pagmo::vector_double& x) const { return {island->Score(x)}; }
  std::pair<pagmo::vector_double, pagmo::vector_double> get_bounds() const {
    return {island->Settings().lower, island->Settings().upper};
  }
};

// A population search from the start, then basin hopping from its best.
void Explore(Island& island, unsigned seed) {
  const GlobalSearchSettings& s = island.Settings();
  const int size = s.start.size() <= kSmallDimension ? kSmallPopulation : kLargePopulation;
  const pagmo::problem problem{IslandProblem{&island}};
  pagmo::population population(problem, size, seed);
  population.set_xf(0, s.start, {s.startScore});
  const auto generations =
      static_cast<unsigned>(std::max(1.0, kDeShare * s.islandEvaluations / size));
  population =
      pagmo::algorithm(pagmo::de(generations, kDeWeight, kDeCrossover, kDeVariant, 0, 0, seed))
          .evolve(population);
  pagmo::population best(problem, 0, seed);
  best.push_back(population.champion_x(), population.champion_f());
  const pagmo::compass_search local(kCompassEvaluations, kCompassStart, kCompassStop);
  pagmo::algorithm(pagmo::mbh(local, kHops, kHopPerturbation, seed)).evolve(best);
}

// A compass search from `from`, with small steps.
void Polish(Island& island, const std::vector<double>& from, double score, unsigned seed) {
  const pagmo::problem problem{IslandProblem{&island}};
  pagmo::population one(problem, 0, seed);
  one.push_back(from, {score});
  const auto evaluations = static_cast<unsigned>(island.Settings().polishEvaluations);
  pagmo::algorithm(pagmo::compass_search(evaluations, kPolishStart, kPolishStop)).evolve(one);
}

// Runs tasks 0..count-1 on up to `threads` threads while the calling thread
// reports progress; a true answer sets `stop`.
template <typename Task, typename Report>
void RunTasks(int count,
              int threads,
              Task task,
              Report report,
              std::atomic<bool>& stop,
              const std::function<void()>& threadEnds) {
  std::mutex mutex;
  std::condition_variable ended;
  int done = 0;
  std::atomic<int> next{0};
  std::vector<std::jthread> pool;
  for (int t = 0; t < std::clamp(threads, 1, count); ++t) {
    pool.emplace_back([&] {
      for (int i = next++; i < count; i = next++) {
        task(i);
        const std::lock_guard lock(mutex);
        ++done;
        ended.notify_one();
      }
      if (threadEnds) threadEnds();
    });
  }
  std::unique_lock lock(mutex);
  while (!ended.wait_for(lock, kProgressInterval, [&] { return done == count; })) {
    lock.unlock();
    if (report()) stop = true;
    lock.lock();
  }
}

int Threads(const GlobalSearchSettings& s) {
  if (s.threads > 0) return s.threads;
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace

GlobalSearchResult GlobalSearch(const GlobalSearchSettings& settings,
                                const std::vector<std::unique_ptr<SearchWorker>>& workers) {
  GlobalSearchResult result{settings.start, settings.startScore, 0, false, false};
  const int islandCount = std::min<int>(kSearchIslands, static_cast<int>(workers.size()));
  if (islandCount == 0 || settings.start.empty()) return result;
  std::atomic<bool> stop{false};
  std::vector<std::unique_ptr<Island>> islands;
  for (int i = 0; i < islandCount; ++i) {
    islands.push_back(std::make_unique<Island>(*workers[i], settings, settings.islandEvaluations));
    islands.back()->Watch(&stop);
  }
  auto evaluations = [&] {
    long sum = 0;
    for (const auto& island : islands) sum += island->evaluationCount();
    return sum;
  };
  auto best = [&] {
    double b = settings.startScore;
    for (const auto& island : islands) b = std::min(b, island->Best());
    return b;
  };
  auto report = [&] { return settings.progress && settings.progress(evaluations(), best()); };

  auto explore = [&](int i) {
    try {
      Explore(*islands[i], settings.seed + static_cast<unsigned>(i));
    } catch (const StopSearch&) {
      // The budget is spent, or the search was stopped: the island keeps its best.
    }
  };
  RunTasks(islandCount, Threads(settings), explore, report, stop, settings.threadEnds);

  // The best island, the first among equals; it must beat the start.
  const Island* winner = nullptr;
  for (const auto& island : islands) {
    if (!(island->Best() < settings.failedScore) || !(island->Best() < result.score)) continue;
    if (winner == nullptr || island->Best() < winner->Best()) winner = island.get();
  }
  if (winner != nullptr) {
    result.x = winner->BestX();
    result.score = winner->Best();
  }

  if (!stop && settings.polishEvaluations > 0) {
    islands.push_back(std::make_unique<Island>(*workers[0], settings, settings.polishEvaluations));
    Island& polish = *islands.back();
    polish.Watch(&stop);
    auto run = [&](int) {
      try {
        Polish(polish, result.x, result.score, settings.seed);
      } catch (const StopSearch&) {
      }
    };
    RunTasks(1, 1, run, report, stop, settings.threadEnds);
    if (polish.Best() < result.score && polish.Best() < settings.failedScore) {
      result.x = polish.BestX();
      result.score = polish.Best();
    }
  }
  result.evaluations = evaluations();
  result.improved = result.score < settings.startScore;
  result.stopped = stop;
  return result;
}
