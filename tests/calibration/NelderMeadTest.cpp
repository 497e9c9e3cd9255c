#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "calibration/NelderMead.h"

namespace {

using NelderMead::Vector;

// The test functions of the published algorithm's test program.
double Rosenbrock(const Vector& x) {
  const double a = x[2] - x[1] * x[1];
  const double b = 1 - x[1];
  return 100 * a * a + b * b;
}

double PowellQuartic(const Vector& x) {
  const double a = x[1] + 10 * x[2];
  const double b = x[3] - x[4];
  const double c = x[2] - 2 * x[3];
  const double d = x[1] - x[4];
  return a * a + 5 * b * b + c * c * c * c + 10 * d * d * d * d;
}

// Fletcher and Powell's helical valley.
double HelicalValley(const Vector& x) {
  double theta = 0.25;
  if (x[1] > 0) {
    theta = std::atan2(x[2], x[1]) / 2 / std::numbers::pi;
  } else if (x[1] < 0) {
    theta = 0.5 + std::atan2(x[2], x[1]) / 2 / std::numbers::pi;
  }
  const double a = x[3] - 10 * theta;
  const double r = std::sqrt(x[1] * x[1] + x[2] * x[2]);
  return 100 * a * a + r * r + x[3] * x[3];
}

double TenQuartic(const Vector& x) {
  double sum = 0;
  for (int i = 1; i <= 10; ++i) sum += x[i] * x[i] * x[i] * x[i];
  return sum;
}

// One search from `start` with every step 1, reqmin 1e-8, konvge 10 and
// kcount 500.
struct Search {
  Search(double (*f)(const Vector&), int n, Vector start) {
    Vector step{};
    step.fill(1);
    NelderMead::NelderMead(f, n, start, xmin, ynewlo, 1e-8, step, 10, 500, icount, numres, ifault);
  }
  Vector xmin{};
  double ynewlo = 0;
  int icount = -1;
  int numres = -1;
  int ifault = -1;
};

struct Published {
  double (*function)(const Vector&);
  std::vector<double> start, xmin;  // xmin as printed; empty: not checked
  double xminPrecision;             // below 0: relative, six significant digits
  double ynewlo, ynewloPrecision;   // half a unit of the last printed place
  std::array<int, 3> counts;        // icount, numres, ifault
};

// The figures of the published test problems (reqmin 1e-8, every step 1,
// konvge 10, kcount 500): the minimising points to six places (the helical
// valley's to six significant digits), the values to six significant digits
// (the ten-variable quartic's to ten), the counts exactly. The quartic runs
// out of its count: the published form checks it only after a shrink and
// every konvge iterations, so it makes 523 evaluations, not 500 or so.
TEST(NelderMeadTest, PublishedTestProblems) {
  const std::vector<double> powell{0.021256, -0.002209, -0.006344, -0.006248};
  const std::vector<double> helical{0.00751841, -1.12238e-05, -0.00203779};
  const Published runs[] = {
      {Rosenbrock, {-1.2, 1}, {1.000985, 1.001919}, 5e-7, 1.23903e-06, 5e-12, {157, 0, 0}},
      {PowellQuartic, {3, -1, 0, 1}, powell, 5e-7, 6.47322e-06, 5e-12, {281, 4, 0}},
      {HelicalValley, {-1, 0, 0}, helical, -5e-6, 7.21133e-05, 5e-11, {280, 2, 0}},
      {TenQuartic, std::vector<double>(10, 1.0), {}, 0, 6.317622584e-06, 5e-16, {523, 11, 2}},
  };

  for (const Published& run : runs) {
    SCOPED_TRACE(run.start.size());  // 2: Rosenbrock, 4: Powell, 3: helical, 10: quartic
    const int n = static_cast<int>(run.start.size());
    Vector start{};
    for (int i = 1; i <= n; ++i) start[i] = run.start[i - 1];
    const Search search(run.function, n, start);
    EXPECT_EQ((std::array<int, 3>{search.icount, search.numres, search.ifault}), run.counts);
    for (int i = 1; i <= static_cast<int>(run.xmin.size()); ++i) {
      const double want = run.xmin[i - 1];
      const double precision =
          run.xminPrecision < 0 ? -run.xminPrecision * std::fabs(want) : run.xminPrecision;
      EXPECT_NEAR(search.xmin[i], want, precision) << "x[" << i << "]";
    }
    EXPECT_NEAR(search.ynewlo, run.ynewlo, run.ynewloPrecision);
    // xmin is the point of ynewlo, up to the rounding of the probes' steps.
    EXPECT_NEAR(run.function(search.xmin), search.ynewlo, 1e-9 * search.ynewlo);
  }
}

}  // namespace
