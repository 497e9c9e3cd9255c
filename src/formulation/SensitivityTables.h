// Formulation: a diet's sensitivity as two tables.
#pragma once

#include <string>

#include "formulation/DietSensitivity.h"
#include "platform/Grid.h"

// The sensitivity of a diet as two tables (the desktop's "Sensitivity" tab
// and `tamsel-cli formulate --sensitivity` show the same): restrictions and
// ingredients, one row each, row 0 the headings; and, for an infeasible
// diet, the restrictions that cannot all hold.

// How the tables write numbers: as every table shows them, or in full
// (15 significant digits, with a point).
enum class SensitivityNumbers { Shown, Full };

inline constexpr int kRestrictionColumns = 9;
inline constexpr int kIngredientColumns = 6;
inline constexpr int kConflictColumns = 4;

// "Cost/tonne", "Cost/sht ton", ... for the price unit.
std::string PriceUnitHeading(const GrowthState& growth);
// "per tonne", "per short ton", ... for the price unit.
std::string PriceUnitPhrase(const GrowthState& growth);

// Restriction, Kind, Limit, Level, Binding, Shadow price, Per (the step and
// its unit), Range from, Range to. Binding rows are peach.
void FillRestrictionTable(Grid& grid,
                          const DietSensitivity& sensitivity,
                          const FormulationTables& tables,
                          const GrowthState& growth,
                          SensitivityNumbers numbers);

// Ingredient, Inclusion, Price, Reduced cost, Price from, Price to.
void FillIngredientTable(Grid& grid,
                         const DietSensitivity& sensitivity,
                         const FormulationTables& tables,
                         const GrowthState& growth,
                         SensitivityNumbers numbers);

// Conflicting restriction, Kind, Limit, Unit.
void FillConflictTable(Grid& grid,
                       const ConflictingSet& conflict,
                       const FormulationTables& tables,
                       const GrowthState& growth,
                       SensitivityNumbers numbers);
