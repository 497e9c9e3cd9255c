// The bounded simplex on functions with known minima, apart from the diets.

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

TEST(BoundedSimplex, FindsTheMinimumOfABowlInsideTheBounds) {
  Recorded bowl([](const OptVector& x) { return Square(x[1] - 10) + 2 * Square(x[2] - 12.5) + 3; });
  OptSearch s = Search(2, 8);
  Optimize(s, bowl);
  EXPECT_EQ(s.status, OptStatus::Converged);
  EXPECT_NEAR(s.point[1], 10, 0.2);
  EXPECT_NEAR(s.point[2], 12.5, 0.2);
  EXPECT_NEAR(s.score, 3, 0.05);
  EXPECT_EQ(s.totalEvaluations, static_cast<long>(bowl.points.size()));
  // Each new best is lower than the one before.
  for (std::size_t k = 1; k < bowl.newBests.size(); ++k)
    EXPECT_LT(bowl.newBests[k], bowl.newBests[k - 1]);
}

// Rosenbrock's valley from (-1.2, 1), without bounds and with fine steps and
// tolerances: the minimum is (1, 1), value 0; with a tolerance it cannot
// reach in 60 evaluations, the search stops at that limit.
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
      // Every search starts with the limit of 1200.
      Optimize(s, rosenbrock);
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

// A current value at the table's maximum starts on the upper bound; the
// function falls beyond it, but a point outside is never evaluated nor kept.
TEST(BoundedSimplex, APointOutsideTheBoundsScoresBigAndIsNeverTheBest) {
  Recorded falling([](const OptVector& x) { return 100 - x[1] - x[2]; });
  OptSearch s = Search(2, kCoordHigh);
  Optimize(s, falling);
  for (const OptVector& p : falling.points) EXPECT_LE(std::max(p[1], p[2]), kCoordHigh);
  EXPECT_DOUBLE_EQ(s.point[1], kCoordHigh);
  EXPECT_DOUBLE_EQ(s.best.bestScore, 100 - 2 * kCoordHigh);
  EXPECT_NE(s.status, OptStatus::EvaluationLimit);

  // Scoring a point outside directly: 1e35, no evaluation, the best stays.
  const long before = s.totalEvaluations;
  const std::size_t calls = falling.points.size();
  s.point[2] = kCoordHigh + 1e-9;
  ScoreOptPoint(s, falling);
  EXPECT_EQ(s.score, 1e35);
  EXPECT_EQ(s.totalEvaluations, before);
  EXPECT_DOUBLE_EQ(s.best.bestScore, 100 - 2 * kCoordHigh);
  // A coordinate that is not a number is outside every bound.
  s.point[2] = std::nan("");
  ScoreOptPoint(s, falling);
  EXPECT_EQ(s.score, kOptBig);
  EXPECT_EQ(falling.points.size(), calls);
}

TEST(BoundedSimplex, NoFreeVariableKeepsTheStartingPoint) {
  Recorded bowl([](const OptVector& x) { return Square(x[1] - 10); });
  OptSearch s = Search(3, 12);
  s.fixedFlags.fill(1);
  Optimize(s, bowl);
  EXPECT_EQ(s.status, OptStatus::NoProgress);
  EXPECT_EQ(s.vertices, 1);
  EXPECT_DOUBLE_EQ(s.score, 4);
}

TEST(BoundedSimplex, AVanishingStepBecomesOnePercentOfTheCoordinate) {
  struct Case {
    double x, step, expected;
  };
  const Case cases[] = {
      {1e17, 5, 1e15},  // 1e17 + 5 == 1e17
      {0, 0, 0.01},
      {12, 5, 5},  // a step that counts stays
  };
  Recorded flat([](const OptVector&) { return 1.0; });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    OptSearch s = Search(1, c.x, 0, 0);
    s.step[1] = c.step;
    InitSimplex(s, flat);
    EXPECT_DOUBLE_EQ(s.step[1], c.expected);
    EXPECT_DOUBLE_EQ(s.vertex[1][1], c.x + c.expected);
  }
}

TEST(BoundedSimplex, ClampsTheStartIntoTheBounds) {
  Recorded bowl([](const OptVector& x) { return Square(x[1] - 9); });
  OptSearch s = Search(1, 20);
  s.step[1] = 1;
  InitSimplex(s, bowl);
  EXPECT_DOUBLE_EQ(s.vertex[s.vertices][1], kCoordHigh);
}

TEST(BoundedSimplex, WrongNumberOfVariablesEvaluatesNothing) {
  Recorded bowl([](const OptVector& x) { return Square(x[1]); });
  for (int n : {0, kMaxOptVars + 1}) {
    SCOPED_TRACE(n);
    OptSearch s;
    s.n = n;
    Optimize(s, bowl);
    EXPECT_EQ(s.status, OptStatus::WrongCount);
    EXPECT_TRUE(bowl.points.empty());
  }
}

TEST(BoundedSimplex, FailedPointsAreNeverTheBestAndAFailedSearchRestoresTheStart) {
  // Every point fails but the start: the search ends where it began.
  Recorded failing([](const OptVector& x) { return x[1] == 11 ? 5.0 : kOptBig; });
  OptSearch s = Search(1, 11);
  Optimize(s, failing);
  EXPECT_DOUBLE_EQ(s.point[1], 11);
  EXPECT_DOUBLE_EQ(s.best.bestScore, 5);

  // Not a number counts as a failure.
  Recorded nan([](const OptVector&) { return std::nan(""); });
  OptSearch t = Search(1, 11);
  Optimize(t, nan);
  EXPECT_FALSE(t.best.found);
  EXPECT_DOUBLE_EQ(t.point[1], 11);
}

TEST(BoundedSimplex, ASecondSearchResumesFromTheBestPoint) {
  Recorded bowl([](const OptVector& x) { return Square(x[1] - 10); });
  OptSearch s = Search(1, 14);
  Optimize(s, bowl);
  ASSERT_NEAR(s.best.bestVar[1], 10, 0.2);
  const double best = s.best.bestVar[1];
  s.point[1] = 14;
  bowl.points.clear();
  Optimize(s, bowl);
  // The first point is the start; the simplex is then built around the best
  // (its stepped vertex lies beyond the bound and is not evaluated).
  ASSERT_GE(bowl.points.size(), 3u);
  EXPECT_DOUBLE_EQ(bowl.points[0][1], 14);
  EXPECT_DOUBLE_EQ(bowl.points[1][1], best);

  // Without resuming, the simplex is built around the start.
  s.point[1] = 14;
  bowl.points.clear();
  Optimize(s, bowl, false);
  ASSERT_GE(bowl.points.size(), 2u);
  EXPECT_DOUBLE_EQ(bowl.points[1][1], 14);
}

}  // namespace
