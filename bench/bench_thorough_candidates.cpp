// The kept libraries' global searches on the three cases of the thorough
// stage, each started from the classic result within the same bounds, one
// thread, a budget of CPU time: the best score reached, the evaluations and
// the CPU seconds it took to reach the case's target. What the thorough
// stage's search was chosen on.

#include <benchmark/benchmark.h>
#include <oneapi/tbb/global_control.h>

#include <ctime>
#include <functional>
#include <limits>
#include <nlopt.hpp>
#include <pagmo/algorithm.hpp>
#include <pagmo/algorithms/cmaes.hpp>
#include <pagmo/algorithms/compass_search.hpp>
#include <pagmo/algorithms/de.hpp>
#include <pagmo/algorithms/de1220.hpp>
#include <pagmo/algorithms/gaco.hpp>
#include <pagmo/algorithms/mbh.hpp>
#include <pagmo/algorithms/pso.hpp>
#include <pagmo/algorithms/pso_gen.hpp>
#include <pagmo/algorithms/sade.hpp>
#include <pagmo/population.hpp>
#include <pagmo/problem.hpp>
#include <string>
#include <vector>

#include "ThoroughProblems.h"

namespace {

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec * 1e-9;
}

struct OutOfTime {};

// Counts evaluations, keeps the best score and notes when it first reached
// the target; stops the search (by throwing) when the budget is spent.
struct Tracker {
  BenchProblem& problem;
  double target;
  double budget;  // CPU seconds
  double start = CpuSeconds();
  long evaluations = 0;
  double best = std::numeric_limits<double>::infinity();
  long evaluationsAtTarget = -1;
  double secondsAtTarget = -1;
  std::vector<double> bestX;

  double operator()(const std::vector<double>& x) {
    const double elapsed = CpuSeconds() - start;
    if (elapsed > budget) throw OutOfTime{};
    const double score = problem.Score(x);
    ++evaluations;
    if (score < best) {
      best = score;
      bestX = x;
    }
    if (evaluationsAtTarget < 0 && best <= target) {
      evaluationsAtTarget = evaluations;
      secondsAtTarget = CpuSeconds() - start;
    }
    return score;
  }
};

// ---------------------------------------------------------------------------
// NLopt

double NloptScore(const std::vector<double>& x, std::vector<double>&, void* data) {
  return (*static_cast<Tracker*>(data))(x);
}

void RunNlopt(Tracker& t,
              nlopt::algorithm algorithm,
              unsigned seed,
              nlopt::algorithm local = nlopt::LN_SBPLX,
              bool polish = false) {
  BenchProblem& p = t.problem;
  nlopt::srand(seed);
  nlopt::opt o(algorithm, p.Dimension());
  o.set_lower_bounds(p.Lower());
  o.set_upper_bounds(p.Upper());
  o.set_min_objective(NloptScore, &t);
  o.set_maxeval(100000000);
  o.set_xtol_rel(1e-10);
  if (algorithm == nlopt::G_MLSL_LDS || algorithm == nlopt::G_MLSL) {
    nlopt::opt searcher(local, p.Dimension());
    searcher.set_xtol_rel(1e-6);
    searcher.set_maxeval(500);
    o.set_local_optimizer(searcher);
  }
  if (polish) o.set_maxeval(static_cast<int>(p.Dimension() * 2000));
  std::vector<double> x = p.Start();
  double f = 0;
  try {
    o.optimize(x, f);
  } catch (...) {
    // Out of time, or the library's own stop: the tracker has the figures.
  }
  if (!polish) return;
  // The global search's best point polished by the local search.
  x = t.bestX;
  try {
    nlopt::opt o2(local, p.Dimension());
    o2.set_lower_bounds(p.Lower());
    o2.set_upper_bounds(p.Upper());
    o2.set_min_objective(NloptScore, &t);
    o2.set_xtol_rel(1e-8);
    o2.optimize(x, f);
  } catch (...) {
  }
}

// ---------------------------------------------------------------------------
// pagmo

struct PagmoProblem {
  Tracker* tracker = nullptr;
  pagmo::vector_double fitness(const pagmo::vector_double& x) const { return {(*tracker)(x)}; }
  std::pair<pagmo::vector_double, pagmo::vector_double> get_bounds() const {
    return {tracker->problem.Lower(), tracker->problem.Upper()};
  }
};

constexpr unsigned kGenerations = 1000000;

void RunPagmo(Tracker& t, const std::string& name, unsigned seed) {
  const unsigned size = t.problem.Dimension() <= 5 ? 20 : 30;
  pagmo::algorithm algo;
  if (name == "de") algo = pagmo::de(kGenerations, 0.8, 0.9, 2, 0, 0, seed);
  if (name == "sade") algo = pagmo::sade(kGenerations, 2, 1, 0, 0, false, seed);
  if (name == "cmaes")
    algo = pagmo::cmaes(kGenerations, -1, -1, -1, -1, 0.5, 0, 0, false, true, seed);
  if (name == "pso") algo = pagmo::pso(kGenerations, 0.7298, 2.05, 2.05, 0.5, 5, 2, 4, false, seed);
  if (name == "pso_gen")
    algo = pagmo::pso_gen(kGenerations, 0.7298, 2.05, 2.05, 0.5, 5, 2, 4, false, seed);
  if (name == "de1220")
    algo = pagmo::de1220(
        kGenerations, pagmo::de1220_statics<void>::allowed_variants, 1, 0, 0, false, seed);
  if (name == "mbh_compass") {
    algo = pagmo::mbh(pagmo::compass_search(500, 0.1, 1e-6), 1000000, 0.1, seed);
  }
  if (name == "gaco")
    algo = pagmo::gaco(kGenerations, 7, 1, 1000, 0.0, 7, 7, 10000, 10000, 0.0, false, seed);
  try {
    pagmo::population pop(pagmo::problem(PagmoProblem{&t}), size, seed);
    pop.set_xf(0, t.problem.Start(), {t.problem.StartScore()});
    if (name == "de_then_mbh" || name == "pso_gen_then_mbh") {
      // A population search for a while, then basin hopping from its best.
      if (name == "de_then_mbh") {
        pop = pagmo::algorithm(pagmo::de(200, 0.8, 0.9, 2, 0, 0, seed)).evolve(pop);
      } else {
        pop = pagmo::algorithm(pagmo::pso_gen(200, 0.7298, 2.05, 2.05, 0.5, 5, 2, 4, false, seed))
                  .evolve(pop);
      }
      pagmo::population one(pagmo::problem(PagmoProblem{&t}), 0, seed);
      one.push_back(pop.champion_x(), pop.champion_f());
      pop = one;
      algo = pagmo::mbh(pagmo::compass_search(500, 0.1, 1e-6), 1000000, 0.1, seed);
    }
    algo.evolve(pop);
  } catch (const OutOfTime&) {
  } catch (const std::exception&) {
    // The pagmo wrapper turns an exception of a parallel evaluation into its own.
  }
}

// ---------------------------------------------------------------------------

struct Case {
  const char* name;
  std::function<std::unique_ptr<BenchProblem>()> make;
  double target;
  double budget;  // CPU seconds, one thread
};

const Case kCases[] = {
    {"diet_demo", [] { return MakeDietProblem(); }, 10.07, 1.0},
    {"fit_demo", [] { return MakeFitProblem(false); }, 0.20, 4.0},
    {"fit_hard_farm", [] { return MakeFitProblem(true); }, 12.0, 4.0},
};

void Candidate(benchmark::State& bench,
               const Case& c,
               const std::function<void(Tracker&, unsigned)>& search) {
  // One thread for every library, so the CPU seconds compare.
  oneapi::tbb::global_control one(oneapi::tbb::global_control::max_allowed_parallelism, 1);
  const std::unique_ptr<BenchProblem> problem = c.make();
  double best = 0;
  double reached = 0;
  double seconds = 0;
  double evaluations = 0;
  std::vector<double> bestX;
  for (auto _ : bench) {
    Tracker t{*problem, c.target, c.budget};
    search(t, static_cast<unsigned>(bench.range(0)));
    best = std::min(t.best, problem->StartScore());
    reached = t.evaluationsAtTarget >= 0;
    seconds = t.secondsAtTarget;
    evaluations = static_cast<double>(t.evaluationsAtTarget);
    bestX = t.bestX;
  }
  // Where a fit ended: B0..B4, B3 as its logarithm.
  if (problem->Dimension() <= kCoefCount) {
    for (size_t k = 0; k < bestX.size(); ++k) bench.counters["x" + std::to_string(k)] = bestX[k];
  }
  bench.counters["classic"] = problem->StartScore();
  bench.counters["best"] = best;
  bench.counters["reached"] = reached;
  bench.counters["cpu_s_to_target"] = seconds;
  bench.counters["evals_to_target"] = evaluations;
}

const std::pair<const char*, nlopt::algorithm> kNlopt[] = {
    {"nlopt_crs2", nlopt::GN_CRS2_LM},
    {"nlopt_esch", nlopt::GN_ESCH},
    {"nlopt_isres", nlopt::GN_ISRES},
    {"nlopt_direct_l", nlopt::GN_DIRECT_L},
    {"nlopt_mlsl_sbplx", nlopt::G_MLSL_LDS},
    {"nlopt_sbplx", nlopt::LN_SBPLX},
    {"nlopt_bobyqa", nlopt::LN_BOBYQA},
};
const char* const kPagmo[] = {"de",
                              "sade",
                              "de1220",
                              "cmaes",
                              "pso",
                              "pso_gen",
                              "gaco",
                              "mbh_compass",
                              "de_then_mbh",
                              "pso_gen_then_mbh"};

// Seeds of each library's random choices: 1..kSeeds.
constexpr int kSeeds = 3;

const bool kRegistered = [] {
  for (const Case& c : kCases) {
    for (const auto& [name, algorithm] : kNlopt) {
      benchmark::RegisterBenchmark((std::string("BM_Candidate/") + c.name + "/" + name).c_str(),
                                   [&c, algorithm = algorithm](benchmark::State& s) {
                                     Candidate(s, c, [algorithm](Tracker& t, unsigned seed) {
                                       RunNlopt(t, algorithm, seed);
                                     });
                                   })
          ->Iterations(1)
          ->DenseRange(1, kSeeds)
          ->Unit(benchmark::kMillisecond);
    }
    const std::pair<const char*, std::function<void(Tracker&, unsigned)>> combos[] = {
        {"nlopt_crs2_then_sbplx",
         [](Tracker& t, unsigned seed) {
           RunNlopt(t, nlopt::GN_CRS2_LM, seed, nlopt::LN_SBPLX, true);
         }},
        {"nlopt_mlsl_random_sbplx",
         [](Tracker& t, unsigned seed) { RunNlopt(t, nlopt::G_MLSL, seed); }},
        {"nlopt_mlsl_neldermead",
         [](Tracker& t, unsigned seed) {
           RunNlopt(t, nlopt::G_MLSL_LDS, seed, nlopt::LN_NELDERMEAD);
         }},
        {"nlopt_mlsl_bobyqa",
         [](Tracker& t, unsigned seed) { RunNlopt(t, nlopt::G_MLSL_LDS, seed, nlopt::LN_BOBYQA); }},
    };
    for (const auto& [name, run] : combos) {
      benchmark::RegisterBenchmark((std::string("BM_Candidate/") + c.name + "/" + name).c_str(),
                                   [&c, run = run](benchmark::State& s) { Candidate(s, c, run); })
          ->Iterations(1)
          ->DenseRange(1, kSeeds)
          ->Unit(benchmark::kMillisecond);
    }
    for (const char* name : kPagmo) {
      benchmark::RegisterBenchmark(
          (std::string("BM_Candidate/") + c.name + "/pagmo_" + name).c_str(),
          [&c, name](benchmark::State& s) {
            Candidate(s, c, [name](Tracker& t, unsigned seed) { RunPagmo(t, name, seed); });
          })
          ->Iterations(1)
          ->DenseRange(1, kSeeds)
          ->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

}  // namespace
