#pragma once

#include "app/TableFace.h"

class Grid;
struct GrowthState;

// The digits of a fitted coefficient worth showing: the fit's first simplex
// steps are a ten-thousandth of each coefficient (kSimplexStepFraction).
inline constexpr int kCoefficientDigits = 5;

// The face of each table with numbers: the unit of every heading over or
// beside a number, in the units the user chose (the faces read the unit
// codes whenever they are asked, so they follow a change of units).

// Daily growth results: the per-diet summary, the finishing block and the
// daily rows.
TableFace ResultsFace(const GrowthState& growth);
// The diets table's rows (and the stores of earlier diets): cost, feed per
// pig, net energy, per cent of the rest.
TableFace DietsFace(const GrowthState& growth);
// The unit of row `row` of the diets table; the diet display's feed table
// uses it for its columns, which follow the rows' order.
std::string DietsRowUnit(const GrowthState& growth, int row);
// Feeds defined by their nutrient levels: one feed a row, the diets
// table's rows as columns.
TableFace NutrientFeedsFace(const GrowthState& growth);
// The formula table: each diet's inclusions in per cent.
TableFace FormulaFace(const Grid& formula);
// Growth-curve coefficients: B0 in kg, every coefficient shown to the
// digits the fit resolves.
TableFace CoefficientsFace();
// The calibration test's trials: coefficients, final age and total feed.
TableFace CalibrationTrialsFace(const GrowthState& growth);
// The run comparison: each result row's unit.
TableFace ComparisonFace(const GrowthState& growth);
// Nutrient restrictions (a nutrient a row), ingredient restrictions and a
// nutrient's or the cost's sources (per cent).
TableFace NutrientRowsFace(const GrowthState& growth);
TableFace PerCentColumnsFace();
// The optimization report's optimum (feed/gain, age, each diet's energy and
// feed amount) and its nutrient restrictions (each nutrient's name with its
// unit).
TableFace OptimumSheetFace(const GrowthState& growth);
TableFace NutrientSheetFace(const GrowthState& growth);
// The optimization report's ingredient restrictions: minimum and maximum
// per diet, from column 2.
TableFace IngredientSheetFace();
// The ingredient matrix: price, net energy and per cent of each nutrient.
TableFace MatrixFace(const GrowthState& growth);
// The calibration weighings: age, weight and feed.
TableFace WeighingsFace(const GrowthState& growth);
// The diet optimization table and its best point: feed per pig, energy and
// protein by row.
TableFace OptimizationFace(const GrowthState& growth, int labelCol);
