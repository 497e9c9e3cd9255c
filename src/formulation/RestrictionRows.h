// Formulation: what each row of a diet's linear program restricts.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "formulation/Matrix.h"
#include "model/GrowthState.h"
#include "platform/LpSolver.h"

// What each row of a diet's linear program restricts, so that what the
// solver says about a row can be told in the restrictions' own terms.

enum class RestrictionKind : std::uint8_t {
  None,   // constrains nothing the user set: the empty row, a minimum of 0
  Total,  // the weight row: the inclusions add up to 100 %
  NutrientMinimum,
  NutrientMaximum,
  IngredientMinimum,
  IngredientMaximum,  // a limit of 0 blocks the ingredient
};

struct RestrictionRef {
  RestrictionKind kind = RestrictionKind::None;
  int index = 0;  // nutrient index j (matrix row - 1) or ingredient number
};

// The rows of the program BuildLp made for one diet.
struct DietProgramRows {
  int rowCount = 0;  // 0: no program built since the matrix was loaded, or refused
  std::array<RestrictionRef, kLpMaxRows + 1> row{};
};

// Restrictions of an infeasible diet that cannot all hold together, with
// their limits as the diet was formulated.
struct ConflictingRestriction {
  RestrictionRef restriction;
  double limit = 0;
};
struct ConflictingSet {
  int count = 0;
  std::array<ConflictingRestriction, kLpMaxRows> members{};
};

bool IsNutrient(RestrictionKind kind);
// A restriction the user set (not the total, not an empty row).
bool IsUserRestriction(RestrictionKind kind);

// "Nutrient minimum", "Ingredient maximum", ...
std::string RestrictionKindText(RestrictionKind kind);
// The nutrient's or ingredient's name.
std::string RestrictionName(const FormulationTables& tables, const RestrictionRef& restriction);
// The unit of the limit: the energy unit ("Kcal/Kg"), "%" for protein, the
// amino acids and inclusions, "" for the matrix's free rows (their own unit).
std::string RestrictionUnit(const GrowthState& growth, const RestrictionRef& restriction);
