// Nelder & Mead simplex, after O'Neill, Applied Statistics AS 47 (1971)
//
// The steps keep the order and the control flow of the published procedure,
// so that a search makes the same evaluations, in the same order, as the
// published one (not as its later revisions: there a failed contraction on
// the reflection's side keeps the reflection, a tie after an expansion keeps
// the expansion and the count is checked before every iteration).
#include "calibration/NelderMead.h"

namespace NelderMead {
namespace {

constexpr double kReflection = 1.0;   // rcoeff
constexpr double kExpansion = 2.0;    // ecoeff
constexpr double kContraction = 0.5;  // ccoeff
constexpr double kEps = 0.001;        // probe size and restart scale, times step

// The simplex and the search's counts; nothing here allocates.
struct Search {
  Objective fn;
  int n;
  int nn;  // vertices
  int icount = 0;
  std::array<Vector, kMaxVariables + 2> p{};  // vertices 1..n+1
  std::array<double, kMaxVariables + 2> y{};  // their values
  int ilo = 1;                                // the lowest vertex...
  double ylo = 0;                             // ...and its value

  double Evaluate(const Vector& x) {
    ++icount;
    return fn(x);
  }
  void Replace(int vertex, const Vector& point, double value) {
    for (int i = 1; i <= n; ++i) p[vertex][i] = point[i];
    y[vertex] = value;
  }
  // The first vertex with the lowest value.
  void FindLowest() {
    ilo = 1;
    for (int i = 2; i <= nn; ++i) {
      if (y[i] < y[ilo]) ilo = i;
    }
    ylo = y[ilo];
  }
  // The first vertex with the highest value: the one to replace.
  int Highest() const {
    int ihi = 1;
    for (int i = 2; i <= nn; ++i) {
      if (y[ihi] < y[i]) ihi = i;
    }
    return ihi;
  }
};

// along = base + coefficient * (towards - base), coordinates 1..n.
void Move(Vector& along, const Vector& base, const Vector& towards, double coefficient, int n) {
  for (int i = 1; i <= n; ++i) along[i] = base[i] + coefficient * (towards[i] - base[i]);
}

// The first simplex: the start and one step of step[i] * del along each axis.
void BuildSimplex(Search& s, Vector& start, const Vector& step, double del) {
  s.Replace(s.nn, start, s.Evaluate(start));
  for (int j = 1; j <= s.n; ++j) {
    const double kept = start[j];
    start[j] += step[j] * del;
    s.Replace(j, start, s.Evaluate(start));
    start[j] = kept;
  }
  s.FindLowest();
}

// Halves every vertex's distance to the lowest one.
void Shrink(Search& s, Vector& scratch) {
  for (int j = 1; j <= s.nn; ++j) {
    for (int i = 1; i <= s.n; ++i) {
      s.p[j][i] = (s.p[j][i] + s.p[s.ilo][i]) * 0.5;
      scratch[i] = s.p[j][i];
    }
    s.y[j] = s.Evaluate(scratch);
  }
  s.FindLowest();
}

enum class Step { Replaced, Shrunk };

// One iteration: the highest vertex is replaced by its reflection through
// the centroid of the others, its expansion or a contraction; when the
// contraction is no better, the whole simplex shrinks instead.
Step Iterate(Search& s, Vector& scratch) {
  const int n = s.n;
  const int ihi = s.Highest();
  Vector pbar{};
  for (int i = 1; i <= n; ++i) {
    double z = 0;
    for (int j = 1; j <= s.nn; ++j) z += s.p[j][i];
    pbar[i] = (z - s.p[ihi][i]) / n;
  }
  Vector pstar{};
  for (int i = 1; i <= n; ++i) pstar[i] = pbar[i] + kReflection * (pbar[i] - s.p[ihi][i]);
  const double ystar = s.Evaluate(pstar);
  Vector p2star{};
  if (ystar < s.ylo) {
    // The reflection is the best yet: try going twice as far; a tie keeps
    // the reflection.
    Move(p2star, pbar, pstar, kExpansion, n);
    const double y2star = s.Evaluate(p2star);
    if (y2star < ystar) {
      s.Replace(ihi, p2star, y2star);
    } else {
      s.Replace(ihi, pstar, ystar);
    }
  } else {
    int higher = 0;  // vertices whose value is above the reflection's
    for (int i = 1; i <= s.nn; ++i) {
      if (ystar < s.y[i]) ++higher;
    }
    // With one vertex above it, the reflection takes the highest's place
    // and the contraction is on its side; with none, on the highest's side.
    if (higher >= 1) s.Replace(ihi, pstar, ystar);
    if (higher <= 1) {
      Move(p2star, pbar, s.p[ihi], kContraction, n);
      const double y2star = s.Evaluate(p2star);
      if (s.y[ihi] < y2star) {
        Shrink(s, scratch);
        return Step::Shrunk;
      }
      s.Replace(ihi, p2star, y2star);
    }
  }
  if (s.y[ihi] < s.ylo) {
    s.ylo = s.y[ihi];
    s.ilo = ihi;
  }
  return Step::Replaced;
}

// Variance test: the sum of squared deviations of the vertex values from
// their mean against reqmin * n.
bool Converged(const Search& s, double limit) {
  double sum = 0;
  for (int i = 1; i <= s.nn; ++i) sum += s.y[i];
  const double mean = sum / s.nn;
  double squares = 0;
  for (int i = 1; i <= s.nn; ++i) squares += (s.y[i] - mean) * (s.y[i] - mean);
  return squares <= limit;
}

// Is xmin a minimum? Probes step[i] * eps either way along every axis; true
// when a probe is lower, with xmin left at that probe.
bool ProbeLower(Search& s, Vector& xmin, double ynewlo, const Vector& step) {
  for (int i = 1; i <= s.n; ++i) {
    const double del = step[i] * kEps;
    xmin[i] += del;
    if (s.Evaluate(xmin) < ynewlo) return true;
    xmin[i] -= del + del;
    if (s.Evaluate(xmin) < ynewlo) return true;
    xmin[i] += del;
  }
  return false;
}

}  // namespace

void NelderMead(Objective fn,
                int n,
                Vector& start,
                Vector& xmin,
                double& ynewlo,
                double reqmin,
                const Vector& step,
                int konvge,
                int kcount,
                int& icount,
                int& numres,
                int& ifault) {
  icount = 0;
  numres = 0;
  if (reqmin <= 0 || n < 1 || n > kMaxVariables || konvge < 1) {
    ifault = kBadArguments;
    return;
  }
  Search s{fn, n, n + 1};
  const double rq = reqmin * n;
  int jcount = konvge;
  double del = 1.0;
  for (;;) {
    BuildSimplex(s, start, step, del);
    // The count is checked only after a shrink and at the periodic
    // convergence test, so a search may go past kcount.
    bool countExceeded = false;
    for (;;) {
      if (Iterate(s, xmin) == Step::Shrunk) {
        countExceeded = kcount < s.icount;
        if (countExceeded) break;
        continue;
      }
      if (--jcount > 0) continue;
      countExceeded = kcount < s.icount;
      if (countExceeded) break;
      jcount = konvge;
      if (Converged(s, rq)) break;
    }
    for (int i = 1; i <= n; ++i) xmin[i] = s.p[s.ilo][i];
    ynewlo = s.y[s.ilo];
    icount = s.icount;
    if (countExceeded) {
      ifault = kCountExceeded;
      return;
    }
    ifault = kNoFault;
    if (!ProbeLower(s, xmin, ynewlo, step)) {
      icount = s.icount;
      return;
    }
    // A probe was lower: restart from it (as left, one probe step off the
    // best vertex) with a simplex a thousand times smaller.
    for (int i = 1; i <= n; ++i) start[i] = xmin[i];
    del = kEps;
    ++numres;
  }
}

}  // namespace NelderMead
