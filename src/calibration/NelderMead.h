// Nelder & Mead simplex, after O'Neill, Applied Statistics AS 47 (1971)
//
// Minimises a function of up to 20 variables without derivatives. The
// simplex of n + 1 vertices is reflected (coefficient 1), expanded (2) or
// contracted (0.5) away from its worst vertex; every konvge iterations the
// search stops when the variance of the vertex values falls to reqmin. A
// found minimum is then probed at +- step[i] * 0.001 along every axis and the
// search restarts from it, with a simplex a thousand times smaller, when a
// probe is lower. Nothing is allocated: the simplex lives on the stack.
//
// Reference: R. O'Neill, Algorithm AS 47: Function minimization using a
// simplex procedure, Applied Statistics 20 (1971) 338-345; J. A. Nelder and
// R. Mead, Computer Journal 7 (1965) 308-313.
#pragma once

#include <array>
#include <type_traits>

namespace NelderMead {

inline constexpr int kMaxVariables = 20;

// A point: entries 1..n are used, entry 0 is not.
using Vector = std::array<double, kMaxVariables + 1>;

// ifault values.
inline constexpr int kNoFault = 0;
inline constexpr int kBadArguments = 1;   // n outside 1..20, reqmin <= 0 or konvge < 1
inline constexpr int kCountExceeded = 2;  // kcount evaluations without convergence

// The function to minimise: a non-owning reference to any callable taking a
// point and returning its value. The callable must outlive the search.
class Objective {
 public:
  template <typename F, typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, Objective>>>
  Objective(F& f)  // NOLINT(google-explicit-constructor): passed like a function
      : object_(const_cast<void*>(static_cast<const void*>(&f))),
        call_([](void* object, const Vector& x) -> double {
          return (*static_cast<F*>(object))(x);
        }) {}
  double operator()(const Vector& x) const { return call_(object_, x); }

 private:
  void* object_;
  double (*call_)(void*, const Vector&);
};

// The published algorithm with its arguments in their order:
//   fn      the function;
//   n       number of variables, 1..20;
//   start   starting point, entries 1..n (overwritten by restarts);
//   xmin    out: the best point found;
//   ynewlo  out: its value;
//   reqmin  convergence limit for the variance of the vertex values;
//   step    size of the first simplex along each axis;
//   konvge  iterations between convergence checks;
//   kcount  evaluations allowed (checked only after a shrink of the whole
//           simplex and at the convergence test every konvge iterations, as
//           published, so a search may make more);
//   icount  out: evaluations made;
//   numres  out: restarts made;
//   ifault  out: kNoFault, kBadArguments (nothing evaluated) or kCountExceeded.
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
                int& ifault);

}  // namespace NelderMead
