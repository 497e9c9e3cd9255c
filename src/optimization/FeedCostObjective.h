// Optimization: the feed cost per pig, the objective of the diet optimization.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "formulation/LeastCost.h"
#include "model/GrowthState.h"

class Grid;

// The feed-cost objective of the diet optimization: a trial point (a feed
// amount, a net-energy minimum and a protein minimum per diet) is scored by
// re-formulating the diets at least cost for the tried energy and protein,
// running the growth model with the tried feed amounts to the target weight,
// and pricing the feed each diet's phase ate: the feed cost per pig.

inline constexpr int kMaxOptVars = 20;  // the search handles variables 1..20
inline constexpr int kOptKinds = 3;     // per diet: feed amount, net energy, protein
inline constexpr int kOptDiets = kMaxOptVars / kOptKinds;  // diets the search can hold: 6
inline constexpr double kOptBig = 1e35;  // the score of a point outside the bounds or a failure

// Kinds of a variable, 1-based as the table's rows of a diet.
inline constexpr int kFeedKind = 1;
inline constexpr int kEnergyKind = 2;
inline constexpr int kProteinKind = 3;

// Columns of tableValues, in table units (the user's weight and energy units).
inline constexpr int kOptCurrent = 0;
inline constexpr int kOptMinimum = 1;
inline constexpr int kOptMaximum = 2;

// Search coordinates are normalised: the table's minimum lies at 7 and its
// maximum at 15.
inline constexpr double kCoordLow = 7.0;
inline constexpr double kCoordHigh = 15.0;
inline constexpr double kCoordSpan = kCoordHigh - kCoordLow;

inline constexpr double kInfeasiblePenalty = 1000;  // an infeasible diet scores its cost x 1000

using OptVector = std::array<double, kMaxOptVars + 1>;  // 1-based; [0] unused
using OptFlags = std::array<std::int16_t, kMaxOptVars + 1>;
// tableValues[d][kind 1..3][current, minimum, maximum]; row 0 of each unused.
using OptTableValues = std::array<std::array<std::array<double, 3>, kOptKinds + 1>, kMaxDiets + 1>;

inline int VariableDiet(int i) { return (i + 2) / kOptKinds; }
inline int VariableKind(int i) { return i - kOptKinds * (VariableDiet(i) - 1); }
inline int VariableOf(int diet, int kind) { return kOptKinds * (diet - 1) + kind; }

// The search coordinates and their flags and bounds: what an objective reads.
struct OptVariables {
  int n = 0;              // variables 1..n take part: 3 x dietCount
  OptVector point{};      // search coordinates
  OptFlags fixedFlags{};  // 0 free, 1 fixed
  OptVector upper{};
  OptVector lower{};
};

// A function the bounded simplex minimises.
class OptObjective {
 public:
  virtual ~OptObjective() = default;
  // The score of x.point; `evaluations` counts the evaluations of the
  // current search made before this one. kOptBig (or more) or a value that
  // is not a number marks a failed point.
  virtual double Evaluate(const OptVariables& x, int evaluations) = 0;
  // Called after an evaluation that gave a new best score.
  virtual void NewBest(const OptVariables& /*x*/, double /*score*/) {}
};

// The lowest score so far (bestScore) and the coordinates that gave it.
struct OptBestRecord {
  bool found = false;
  double bestScore = 0;
  OptVector bestVar{};
  // Takes `score` when it is the first successful one or below bestScore;
  // failures are never taken. True when taken.
  bool Offer(double score, const OptVector& x);
};

// A failure score: the bound penalty, a failed growth run, or not a number.
bool FailedScore(double score);

// What a new best shows in the main window: the cost per pig and, per diet,
// the feed amount, energy and protein that produced it (table units).
struct OptBestShown {
  double costPerPig = 0;
  int diets = 0;
  std::array<double, kMaxDiets + 1> feedAmount{};
  std::array<double, kMaxDiets + 1> energy{};
  std::array<double, kMaxDiets + 1> protein{};
};

// Per-diet state of the objective, kept between evaluations of one run.
struct FeedCostState {
  OptTableValues tableValues{};
  OptVector scale{};  // table units per coordinate unit: (maximum - minimum) / 8
  std::array<double, kMaxDiets + 1> triedFeedAmount{};  // as tried, table units
  std::array<double, kMaxDiets + 1> energyBand{};       // energy maximum - minimum; -1: none
  // The energy and protein minima each diet was last formulated at.
  std::array<std::array<double, 2>, kMaxDiets + 1> formulatedAt{};
  std::array<bool, kMaxDiets + 1> formulated{};  // formulatedAt holds a formulation
  // Each diet's restriction minima before the optimization: energy and
  // protein give the fixed values, protein and the amino acids the ratios.
  std::array<std::array<double, kMaxNutrientIndex + 1>, kMaxDiets + 1> baseDiet{};

  int feedChoice = kFeedLeastCost;  // "Use Diets on Grid": no formulation
  double targetWeight = 0;          // kg
  double startWeight = 0;           // kg at startAge

  // Counters for progress reports and benchmarks.
  long evaluations = 0;
  long lpSolves = 0;
  long growthRuns = 0;

  std::function<void(const OptBestShown&)> showNewBest;  // may be empty
};

// Rounds a tried energy minimum as the formulation takes it: to whole units
// above 900, to 2 decimals above 10, to 3 decimals otherwise; halves to even.
double RoundTriedEnergy(double energy);
// A tried protein minimum to 1 decimal, halves to even.
double RoundTriedProtein(double protein);

// Readies the state for a run: the base diets and energy bands of diets
// 1..dietCount from the restrictions, the scales from tableValues, an empty cache
// and zeroed counters.
void PrepareFeedCost(FeedCostState& state, const FormulationTables& tables, int diets);

// The objective: reads the variables, writes the tried minima into the
// restrictions of each diet, formulates the diets whose energy or protein
// changed (or takes the diets' given costs for "Use Diets on Grid"), leaving
// each diet's protein maximum as its last formulation used it, runs the
// growth model to the target weight and returns the feed cost per pig. An
// infeasible diet scores its cost x 1000; a failed run, a run that does not
// reach the target weight and an infeasible diet without a cost score
// kOptBig. Allocates nothing of its own.
class FeedCostObjective : public OptObjective {
 public:
  FeedCostObjective(LeastCostContext& lp, const Grid& dietsTable, FeedCostState& state)
      : lp_(lp), dietsTable_(dietsTable), state_(state) {}

  double Evaluate(const OptVariables& x, int evaluations) override;
  void NewBest(const OptVariables& x, double score) override;

  // The value of variable i in table units at x.
  double TableValue(const OptVariables& x, int i) const;

 private:
  void SetTriedDiet(int diet);
  void FormulateDiets(int diets);
  double PriceRun(int diets);

  LeastCostContext& lp_;
  const Grid& dietsTable_;
  FeedCostState& state_;
};
