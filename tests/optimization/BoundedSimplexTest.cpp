#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "optimization/DietOptimization.h"

namespace {

// A function of the coordinates that records every point it was asked for.
class Recorded : public OptObjective {
 public:
  explicit Recorded(std::function<double(const OptVector&)> f) : f_(std::move(f)) {}
  double Evaluate(const OptVariables& x, int) override {
    points.push_back(x.point);
    return f_(x.point);
  }
  void NewBest(const OptVariables&, double score) override { newBests.push_back(score); }
  std::vector<OptVector> points;
  std::vector<double> newBests;

 private:
  std::function<double(const OptVector&)> f_;
};

// n free variables in [lower, upper] starting at `start`.
OptSearch Search(int n, double start, double lower = kCoordLow, double upper = kCoordHigh) {
  OptSearch s;
  s.n = n;
  for (int i = 1; i <= n; ++i) {
    s.point[i] = start;
    s.lower[i] = lower;
    s.upper[i] = upper;
  }
  return s;
}

double Square(double x) { return x * x; }

// Rosenbrock's valley from (-1.2, 1), unbounded, reaches (1, 1); with a
// tolerance it cannot reach, the search stops at 60 evaluations.
TEST(BoundedSimplex, FindsTheRosenbrockMinimumOrStopsAtTheEvaluationLimit) {
  Recorded rosenbrock(
      [](const OptVector& x) { return 100 * Square(x[2] - x[1] * x[1]) + Square(1 - x[1]); });
  for (int limit : {kOptEvaluationLimit, 60}) {
    SCOPED_TRACE(limit);
    OptSearch s = Search(2, 0, 0, 0);  // upper not above lower: unbounded
    s.point[1] = -1.2;
    s.point[2] = 1;
    s.step[1] = s.step[2] = 0.5;
    s.tolerance[1] = s.tolerance[2] = limit == 60 ? 1e-12 : -1e-7;  // made positive
    s.evaluationLimit = limit;
    InitSimplex(s, rosenbrock);
    EXPECT_EQ(s.upper[2], kOptBig);
    while (s.status == OptStatus::Searching) SimplexStep(s, rosenbrock);
    if (limit == 60) {
      EXPECT_EQ(s.status, OptStatus::EvaluationLimit);
      EXPECT_GT(s.evaluations, 60);
      EXPECT_LE(s.evaluations, 60 + 3);  // a shrink of two vertices and the contraction before it
      Optimize(s, rosenbrock);           // every search starts with the limit of 1200
      EXPECT_EQ(s.evaluationLimit, kOptEvaluationLimit);
    } else {
      EXPECT_EQ(s.tolerance[1], 1e-7);
      EXPECT_EQ(s.status, OptStatus::Converged);
      EXPECT_NEAR(s.best.bestVar[1], 1, 1e-3);
      EXPECT_NEAR(s.best.bestVar[2], 1, 2e-3);
      EXPECT_LT(s.best.bestScore, 1e-6);
    }
  }
}

// A step lost in rounding becomes 1 % of the coordinate; the start is
// clamped into the bounds before the simplex is built around it.
TEST(BoundedSimplex, InitialSimplex) {
  struct Case {
    double x, step, upper, start, expected;
  };
  const Case cases[] = {
      {1e17, 5, 0, 1e17, 1e15},  // 1e17 + 5 == 1e17
      {0, 0, 0, 0, 0.01},
      {12, 5, 0, 12, 5},  // a step that counts stays
      {20, 1, kCoordHigh, kCoordHigh, 1},
  };
  Recorded flat([](const OptVector&) { return 1.0; });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    OptSearch s = Search(1, c.x, c.upper > 0 ? kCoordLow : 0, c.upper);
    s.step[1] = c.step;
    InitSimplex(s, flat);
    EXPECT_DOUBLE_EQ(s.step[1], c.expected);
    EXPECT_DOUBLE_EQ(s.vertex[1][1], c.start + c.expected);
    EXPECT_DOUBLE_EQ(s.vertex[s.vertices][1], c.start);
  }
}

// A search where all but the start fails, or every point is NaN, ends where
// it began.
TEST(BoundedSimplex, FailedPointsAreNeverTheBestAndAFailedSearchRestoresTheStart) {
  Recorded failing([](const OptVector& x) { return x[1] == 11 ? 5.0 : kOptBig; });
  OptSearch s = Search(1, 11);
  Optimize(s, failing);
  EXPECT_DOUBLE_EQ(s.point[1], 11);
  EXPECT_DOUBLE_EQ(s.best.bestScore, 5);
  Recorded nan([](const OptVector&) { return std::nan(""); });
  OptSearch t = Search(1, 11);
  double told = -1;
  t.progress = [&told](long, double best) { told = best; };
  Optimize(t, nan);
  EXPECT_FALSE(t.best.found);
  EXPECT_EQ(told, 0);  // no best to tell
  EXPECT_DOUBLE_EQ(t.point[1], 11);
}

// A search converges on a bowl. A second search scores its start, then builds the simplex around
// the best point found before (its stepped vertex, beyond the bound, is not evaluated); without
// resuming, around the start.
TEST(BoundedSimplex, ASecondSearchResumesFromTheBestPoint) {
  Recorded bowl([](const OptVector& x) { return Square(x[1] - 10); });
  OptSearch s = Search(1, 14);
  Optimize(s, bowl);
  EXPECT_EQ(s.status, OptStatus::Converged);
  ASSERT_NEAR(s.best.bestVar[1], 10, 0.2);
  EXPECT_NEAR(s.score, 0, 0.05);
  EXPECT_EQ(s.totalEvaluations, static_cast<long>(bowl.points.size()));
  for (std::size_t k = 1; k < bowl.newBests.size(); ++k)
    EXPECT_LT(bowl.newBests[k], bowl.newBests[k - 1]);  // each new best is lower
  const double best = s.best.bestVar[1];
  for (bool resume : {true, false}) {
    s.point[1] = 14;
    bowl.points.clear();
    Optimize(s, bowl, resume);
    ASSERT_GE(bowl.points.size(), 2u);
    EXPECT_EQ(s.evaluations, static_cast<int>(bowl.points.size()));  // this search's own
    EXPECT_DOUBLE_EQ(bowl.points[0][1], 14);
    EXPECT_DOUBLE_EQ(bowl.points[1][1], resume ? best : 14);
  }
}

}  // namespace
