// The diet optimization: a bounded Nelder-Mead simplex (Nelder & Mead,
// Computer Journal 7, 1965) over the feed amounts, energy and protein minima
// of the diets, scored by the feed-cost objective.

#include "optimization/DietOptimization.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"

namespace {

// ---------------------------------------------------------------------------
// The bounded simplex.

bool Free(const OptSearch& s, int i) { return s.fixedFlags[i] == 0; }

bool ValidCount(const OptSearch& s) { return s.n >= 1 && s.n <= kMaxOptVars; }

void ScoreAt(OptSearch& s, OptObjective& f, const OptVector& point) {
  s.point = point;
  ScoreOptPoint(s, f);
}

// p = a + factor x (b - a) on the free coordinates; fixed ones keep a's.
OptVector Along(const OptSearch& s, const OptVector& a, const OptVector& b, double factor) {
  OptVector p = a;
  for (int i = 1; i <= s.n; ++i) {
    if (Free(s, i)) p[i] = a[i] + factor * (b[i] - a[i]);
  }
  return p;
}

void Replace(OptSearch& s, int vertex, const OptVector& point, double score) {
  s.vertex[vertex] = point;
  s.vertexScore[vertex] = score;
}

void FindWorstAndBest(OptSearch& s) {
  s.worstVertex = 1;
  s.bestVertex = 1;
  for (int j = 2; j <= s.vertices; ++j) {
    if (s.vertexScore[j] > s.vertexScore[s.worstVertex]) s.worstVertex = j;
    if (s.vertexScore[j] < s.vertexScore[s.bestVertex]) s.bestVertex = j;
  }
}

OptVector Centroid(const OptSearch& s) {
  OptVector c = s.vertex[s.worstVertex];
  const int others = s.vertices - 1;
  for (int i = 1; i <= s.n; ++i) {
    if (!Free(s, i)) continue;
    double sum = 0;
    for (int j = 1; j <= s.vertices; ++j) {
      if (j != s.worstVertex) sum += s.vertex[j][i];
    }
    c[i] = sum / others;
  }
  return c;
}

// Every vertex but the best moves half-way towards it.
void Shrink(OptSearch& s, OptObjective& f) {
  const OptVector best = s.vertex[s.bestVertex];
  for (int j = 1; j <= s.vertices; ++j) {
    if (j == s.bestVertex) continue;
    const OptVector p = Along(s, s.vertex[j], best, 0.5);
    ScoreAt(s, f, p);
    Replace(s, j, p, s.score);
  }
}

bool Converged(const OptSearch& s) {
  for (int i = 1; i <= s.n; ++i) {
    if (!Free(s, i)) continue;
    double low = s.vertex[1][i];
    double high = low;
    for (int j = 2; j <= s.vertices; ++j) {
      low = std::min(low, s.vertex[j][i]);
      high = std::max(high, s.vertex[j][i]);
    }
    if (!(high - low <= s.tolerance[i])) return false;
  }
  return true;
}

void CheckStop(OptSearch& s) {
  if (Converged(s)) {
    s.status = OptStatus::Converged;
  } else if (s.evaluations > s.evaluationLimit || s.trials > kOptTrialLimit) {
    s.status = OptStatus::EvaluationLimit;
  } else if (s.cancel && *s.cancel) {
    s.status = OptStatus::Cancelled;
  }
}

}  // namespace

void ScoreOptPoint(OptSearch& s, OptObjective& f) {
  ++s.trials;
  for (int i = 1; i <= s.n; ++i) {
    if (Free(s, i) && !(s.point[i] >= s.lower[i] && s.point[i] <= s.upper[i])) {
      s.score = kOptBig;
      return;
    }
  }
  double score = f.Evaluate(s, s.evaluations);
  if (std::isnan(score)) score = kOptBig;
  s.score = score;
  ++s.evaluations;
  ++s.totalEvaluations;
  if (s.best.Offer(score, s.point)) f.NewBest(s, score);
  if (s.progress) s.progress(s.totalEvaluations, s.best.found ? s.best.bestScore : 0);
}

void InitSimplex(OptSearch& s, OptObjective& f) {
  s.status = OptStatus::Searching;
  s.vertices = 0;
  s.notReproducible = false;
  if (!ValidCount(s)) {
    s.status = OptStatus::WrongCount;
    return;
  }
  for (int i = 1; i <= s.n; ++i) {
    if (!Free(s, i)) continue;
    s.tolerance[i] = std::fabs(s.tolerance[i]);
    double& x = s.point[i];
    if (x + s.step[i] == x || x - s.step[i] == x) {
      s.step[i] = x != 0 ? kVanishedStep * x : kVanishedStep;
    }
    if (!(s.upper[i] > s.lower[i])) {
      s.upper[i] = kOptBig;
      s.lower[i] = -kOptBig;
    }
    x = std::clamp(x, s.lower[i], s.upper[i]);
  }
  const OptVector centre = s.point;
  int j = 0;
  for (int i = 1; i <= s.n; ++i) {
    if (!Free(s, i)) continue;
    OptVector p = centre;
    p[i] += s.step[i];
    ScoreAt(s, f, p);
    Replace(s, ++j, p, s.score);
  }
  s.vertices = j + 1;
  ScoreAt(s, f, centre);
  Replace(s, s.vertices, centre, s.score);
  const double first = s.score;
  ScoreOptPoint(s, f);
  s.notReproducible = s.score != first;
}

void SimplexStep(OptSearch& s, OptObjective& f) {
  FindWorstAndBest(s);
  if (s.worstVertex == s.bestVertex) {
    s.status = OptStatus::NoProgress;
    return;
  }
  const int worst = s.worstVertex;
  const OptVector c = Centroid(s);
  const OptVector r = Along(s, c, s.vertex[worst], -kReflection);
  ScoreAt(s, f, r);
  const double fr = s.score;

  if (fr < s.vertexScore[s.bestVertex]) {
    const OptVector e = Along(s, c, r, kExpansion);
    ScoreAt(s, f, e);
    if (s.score < fr) {
      Replace(s, worst, e, s.score);
    } else {
      Replace(s, worst, r, fr);
    }
  } else {
    bool beatsAnother = false;
    for (int j = 1; j <= s.vertices; ++j) {
      if (j != worst && fr < s.vertexScore[j]) beatsAnother = true;
    }
    if (beatsAnother) {
      Replace(s, worst, r, fr);
    } else {
      if (fr < s.vertexScore[worst]) Replace(s, worst, r, fr);
      const OptVector k = Along(s, c, s.vertex[worst], kContraction);
      ScoreAt(s, f, k);
      if (s.score < s.vertexScore[worst]) {
        Replace(s, worst, k, s.score);
      } else {
        Shrink(s, f);
      }
    }
  }
  CheckStop(s);
}

void Optimize(OptSearch& s, OptObjective& f, bool resumeFromBest) {
  s.evaluations = 0;
  s.trials = 0;
  s.evaluationLimit = kOptEvaluationLimit;
  s.status = OptStatus::Searching;
  if (!ValidCount(s)) {
    s.status = OptStatus::WrongCount;
    return;
  }
  for (int i = s.n + 1; i <= kMaxOptVars; ++i) s.point[i] = 0;
  const bool final = s.phase == 2;
  for (int i = 1; i <= s.n; ++i) {
    s.step[i] = final ? kFinalStep : kSearchStep;
    s.tolerance[i] = final ? kFinalTol : kSearchTol;
  }
  s.startPoint = s.point;
  ScoreOptPoint(s, f);
  s.startScore = s.score;
  if (resumeFromBest && s.best.found && s.best.bestScore < s.startScore) s.point = s.best.bestVar;

  InitSimplex(s, f);
  while (s.status == OptStatus::Searching) SimplexStep(s, f);

  FindWorstAndBest(s);
  ScoreAt(s, f, s.vertex[s.bestVertex]);
  if (FailedScore(s.score)) {
    s.score = s.startScore;
    s.point = s.startPoint;
  }
}
