// Nelder & Mead simplex, after O'Neill, Applied Statistics AS 47 (1971)
//
// The steps keep the order of the published procedure, so that a search
// makes the same evaluations, in the same order, as the published one.
#include "calibration/NelderMead.h"

namespace NelderMead {
namespace {

constexpr double kReflection = 1.0;   // rcoeff
constexpr double kExpansion = 2.0;    // ecoeff
constexpr double kContraction = 0.5;  // ccoeff
constexpr double kEps = 0.001;        // probe size and restart scale, times step

struct Simplex {
  std::array<Vector, kMaxVariables + 2> p{};  // vertices 1..n+1
  std::array<double, kMaxVariables + 2> y{};  // their values
};

// The first vertex with the lowest value.
int Lowest(const Simplex& s, int vertices) {
  int ilo = 1;
  for (int i = 2; i <= vertices; ++i) {
    if (s.y[i] < s.y[ilo]) ilo = i;
  }
  return ilo;
}

// The first vertex with the highest value: the one to replace.
int Highest(const Simplex& s, int vertices) {
  int ihi = 1;
  for (int i = 2; i <= vertices; ++i) {
    if (s.y[ihi] < s.y[i]) ihi = i;
  }
  return ihi;
}

void Replace(Simplex& s, int vertex, const Vector& point, double value, int n) {
  for (int i = 1; i <= n; ++i) s.p[vertex][i] = point[i];
  s.y[vertex] = value;
}

// along = base + coefficient * (towards - base), coordinates 1..n.
void Move(Vector& along, const Vector& base, const Vector& towards, double coefficient, int n) {
  for (int i = 1; i <= n; ++i) along[i] = base[i] + coefficient * (towards[i] - base[i]);
}

// Variance test: the sum of squared deviations of the vertex values from
// their mean against reqmin * n.
bool Converged(const Simplex& s, int vertices, double limit) {
  double sum = 0;
  for (int i = 1; i <= vertices; ++i) sum += s.y[i];
  const double mean = sum / vertices;
  double squares = 0;
  for (int i = 1; i <= vertices; ++i) squares += (s.y[i] - mean) * (s.y[i] - mean);
  return squares <= limit;
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

  const int nn = n + 1;
  const double rq = reqmin * n;
  int jcount = konvge;
  double del = 1.0;
  Simplex s;
  Vector pbar{};
  Vector pstar{};
  Vector p2star{};

  for (;;) {
    // The first simplex: the start and one step along each axis from it.
    Replace(s, nn, start, fn(start), n);
    ++icount;
    for (int j = 1; j <= n; ++j) {
      const double kept = start[j];
      start[j] += step[j] * del;
      Replace(s, j, start, fn(start), n);
      ++icount;
      start[j] = kept;
    }

    int ilo = Lowest(s, nn);
    double ylo = s.y[ilo];

    while (icount < kcount) {
      const int ihi = Highest(s, nn);

      // Centroid of the vertices other than the highest.
      for (int i = 1; i <= n; ++i) {
        double z = 0;
        for (int j = 1; j <= nn; ++j) z += s.p[j][i];
        pbar[i] = (z - s.p[ihi][i]) / n;
      }

      for (int i = 1; i <= n; ++i) pstar[i] = pbar[i] + kReflection * (pbar[i] - s.p[ihi][i]);
      const double ystar = fn(pstar);
      ++icount;

      if (ystar < ylo) {
        // The reflection is the best yet: try going twice as far.
        Move(p2star, pbar, pstar, kExpansion, n);
        const double y2star = fn(p2star);
        ++icount;
        if (ystar < y2star) {
          Replace(s, ihi, pstar, ystar, n);
        } else {
          Replace(s, ihi, p2star, y2star, n);
        }
      } else {
        int higher = 0;  // vertices whose value is above the reflection's
        for (int i = 1; i <= nn; ++i) {
          if (ystar < s.y[i]) ++higher;
        }
        if (higher > 1) {
          Replace(s, ihi, pstar, ystar, n);
        } else if (higher == 0) {
          // Contraction on the side of the highest vertex.
          Move(p2star, pbar, s.p[ihi], kContraction, n);
          const double y2star = fn(p2star);
          ++icount;
          if (s.y[ihi] < y2star) {
            // Shrink the whole simplex towards the lowest vertex.
            for (int j = 1; j <= nn; ++j) {
              for (int i = 1; i <= n; ++i) {
                s.p[j][i] = (s.p[j][i] + s.p[ilo][i]) * 0.5;
                xmin[i] = s.p[j][i];
              }
              s.y[j] = fn(xmin);
              ++icount;
            }
            ilo = Lowest(s, nn);
            ylo = s.y[ilo];
            continue;
          }
          Replace(s, ihi, p2star, y2star, n);
        } else {
          // Contraction on the side of the reflection.
          Move(p2star, pbar, pstar, kContraction, n);
          const double y2star = fn(p2star);
          ++icount;
          if (y2star <= ystar) {
            Replace(s, ihi, p2star, y2star, n);
          } else {
            Replace(s, ihi, pstar, ystar, n);
          }
        }
      }

      if (s.y[ihi] < ylo) {
        ylo = s.y[ihi];
        ilo = ihi;
      }

      if (--jcount > 0) continue;
      if (icount <= kcount) {
        jcount = konvge;
        if (Converged(s, nn, rq)) break;
      }
    }

    for (int i = 1; i <= n; ++i) xmin[i] = s.p[ilo][i];
    ynewlo = s.y[ilo];
    if (kcount < icount) {
      ifault = kCountExceeded;
      return;
    }

    // Is it a minimum? Probe a small step either way along every axis.
    ifault = kNoFault;
    bool lower = false;
    for (int i = 1; i <= n; ++i) {
      del = step[i] * kEps;
      xmin[i] += del;
      ++icount;
      if (fn(xmin) < ynewlo) {
        lower = true;
        break;
      }
      xmin[i] -= del + del;
      ++icount;
      if (fn(xmin) < ynewlo) {
        lower = true;
        break;
      }
      xmin[i] += del;
    }
    if (!lower) return;

    // A probe was lower: restart from it (as left, one probe step off the
    // best vertex) with a simplex a thousand times smaller.
    for (int i = 1; i <= n; ++i) start[i] = xmin[i];
    del = kEps;
    ++numres;
  }
}

}  // namespace NelderMead
