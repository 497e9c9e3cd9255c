// Formulation: LeastCost, each diet formulated at least cost by linear programming.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "formulation/Matrix.h"
#include "formulation/RestrictionRows.h"
#include "model/GrowthState.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/LpSolver.h"

// Least-cost formulation: for each diet the cheapest mix of the matrix
// ingredients that meets the diet's nutrient and ingredient restrictions.
// BuildLp lays the diet out as a linear program, SolveDiet has it solved and
// judges the answer, ShowDietResult puts it into the diets table.
//
// Row layout of a diet's program: rows 1..61 the nutrient minima (row 1 the
// weight row, = 100), row 62 empty, then one row per nutrient maximum, then
// the ingredient minima and maxima. Rows without coefficients constrain
// nothing, so unused rows may keep right-hand sides of earlier diets.

inline constexpr int kMinimumRows = 61;               // minimum rows 1..61; maxima from 62
inline constexpr int kStandardMinimumRows = 15;       // rows 1..15 always present
inline constexpr int kLpRowWarning = 150;             // more rows than this are warned about
inline constexpr double kLevelLowFactor = 0.99;       // a level below 0.99 x minimum fails
inline constexpr double kLevelHighFactor = 1.01;      // a level above 1.01 x maximum fails
inline constexpr double kIngredientLowFactor = 1.01;  // inclusion x 1.01 below its minimum
inline constexpr double kTotalLow = 99.9;             // inclusions must sum to 99.9..100.1
inline constexpr double kTotalHigh = 100.1;
inline constexpr double kProteinBandDefault = 0.25;  // protein maximum = minimum + 0.25
inline constexpr double kNoIngredient = -1;          // an ingredient maximum that blocks it
inline constexpr double kFullInclusion = 100;        // a maximum of 100 % restricts nothing
inline constexpr int kDietCostSlots = 10;            // dietCost and proteinBand hold 1..10
inline constexpr int kRecentCosts = 5;               // the recent-costs list, newest first
inline constexpr int kRecentCostsShown = 4;

// optMode: 0 outside an optimization (messages are shown), 1 while the diet
// optimization runs (findings only set dietProblems).
inline constexpr int kOptModeOff = 0;
inline constexpr int kOptModeRunning = 1;

// Error numbers of the solver call, in the classic numbering.
inline constexpr int kErrorInvalidCall = 5;  // a program the solver cannot hold
inline constexpr int kErrorInternal = 51;    // the solver library failed

// Everything the formulation keeps between calls; the App owns one. About
// 700 kB (the LP tables): keep it in long-lived state, not on the stack.
struct FormulationState {
  // Results of the last formulation of each diet. dietNutrients lives in the
  // model state (GrowthState), which the growth run reads.
  std::array<std::array<double, kMaxIngredients + 1>, kMaxDiets + 1> dietInclusion{};  // %
  std::array<double, kDietCostSlots + 1> dietCost{};       // per unit of feed, price unit
  std::array<std::int16_t, kMaxDiets + 1> dietProblems{};  // above 0: infeasible
  std::array<double, kDietCostSlots + 1> proteinBand{};    // protein maximum - minimum, >= 0

  int optMode = kOptModeOff;

  // The LP tables of the diet built last: matrix, rowType, rowCount,
  // ingredientCount and ingredientPrice in `lp`; the solver's answer (solution) in `answer`.
  LpProblem lp;
  LpResult answer;
  std::array<int, kMaxNutrientRows + 1> rowNutrient{};  // matrix row of minimum row r
  std::array<LpSolver, kMaxDiets + 1> solvers;          // one kept program per diet
  int builtDiet = 0;  // the diet the LP tables hold; 0 when none or refused
  // What each row of a diet's kept program restricts, and the restrictions
  // of an infeasible diet that cannot all hold (found by "Run LP").
  std::array<DietProgramRows, kMaxDiets + 1> programRows;
  std::array<ConflictingSet, kMaxDiets + 1> conflicts;

  // Feed cost per pig of the last runs, newest in [1].
  std::array<double, kRecentCosts + 1> recentCosts{};

  // How far earlier builds wrote coefficients, so a build clears only those.
  int rowsWritten = 0;
  int columnsWritten = 0;
};

// What the formulation reads and changes.
struct LeastCostContext {
  FormulationTables& tables;  // matrix and restrictions (restrictions are changed)
  GrowthState& growth;        // dietCount, dietNutrients, units, decimal comma
  FormulationState& state;
  Dialogs& dialogs;
};

// "Run LP": formulates diets 1..dietCount and writes each result into the
// diets table. "Prices are missing" when ingredient 1 has no price. An
// infeasible diet's message names the restrictions that cannot all hold.
// True when every diet was formulated.
bool RunLp(LeastCostContext& context, Grid& dietsTable);

// Consistency of the restrictions of diets 1..dietCount: an ingredient whose
// maximum lies below its minimum is reported (nothing changed); a nutrient
// maximum below its minimum silently becomes the minimum.
void CheckRestrictions(LeastCostContext& context);

// Fills the LP tables for `diet`. While optMode is 1 the protein maxima are
// rewritten first (band or minimum + 0.25). A diet that needs more than 61
// minimum rows or 320 rows in all is refused with a message before anything
// is built: false, and SolveDiet then finds the diet infeasible.
bool BuildLp(LeastCostContext& context, int diet);

// Solves the tables BuildLp made for `diet` with the diet's kept solver and
// judges the answer (JudgeLpAnswer). A solver failure shows "Error N (...) in
// procedure {LPCOST} of Calculations" and counts as a problem.
void SolveDiet(LeastCostContext& context, int diet);

// The judging part of SolveDiet over a given solver answer (x(c) at index c):
// inclusions, their total, nutrient levels against minima and maxima,
// ingredient minima, and the diet's cost. Sets dietProblems(diet).
void JudgeLpAnswer(LeastCostContext& context,
                   int diet,
                   const std::array<double, kLpMaxColumns + 1>& solution);

// Writes diet `diet`'s result into column `diet` of the diets table: cost and
// nutrient rows, or for an infeasible diet only the weight total + " Infeas".
void ShowDietResult(const LeastCostContext& context, int diet, Grid& dietsTable);

// The protein-margin rule of one diet, as BuildLp applies it while the diet
// optimization runs: protein maximum = minimum + proteinBand(diet), or
// minimum + 0.25 when the band is 0. For the diets table after a protein edit.
void ApplyProteinMargin(LeastCostContext& context, int diet);

// A matrix load empties the LP tables, the inclusions and what the diets'
// programs' rows stood for (they name the old matrix's ingredients). Costs, problems, bands,
// optMode, the kept solvers (they rebuild on a new matrix) and the recent costs stay.
void ClearFormulationTables(FormulationState& state);

// The message text of a solver failure in SolveDiet.
std::string SolveDietErrorText(LpStatus status);
