// Formulation: the main window's formula table and the recent costs per pig.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "formulation/LeastCost.h"

// The formula table of the main window ("Formulas" tab, formulaTable): the
// ingredients of the formulated diets, largest amount eaten first, with the
// herd's tonnage and cost of each; and the recent feed costs per pig.

// Columns after the diets: dietCount + 2 is left empty, then the herd amount,
// its unit and its cost.
inline constexpr int kFormulaExtraColumns = 6;
inline constexpr double kListedTotal = 0.00001;  // smaller amounts per pig are not listed
inline constexpr double kBulkAmount = 1000;      // from here amounts show in tonnes or tons

// Feed per pig eaten of each diet 1..dietCount, in display weight units, from
// the cumulative feed at the end of each diet's phase (dietPhaseLog, kg).
std::array<double, kMaxDiets + 1> DietFeedEaten(const GrowthState& growth);

// T(i): feed per pig of ingredient i over all diets, display weight units.
std::array<double, kMaxIngredients + 1> IngredientTotals(const LeastCostContext& context);

// Orders ingredients 1..count by total, largest first, with the formula
// table's exchange sort: for p = 1..count, q = p..count, a pair at p whose
// total is below the one at q swaps with it. Equal totals never swap
// directly. ingredient[p] is the ingredient at position p afterwards.
void SortByTotal(std::array<double, kMaxIngredients + 1>& total,
                 std::array<int, kMaxIngredients + 1>& ingredient,
                 int count);

// Refills formulaTable (dietCount + 6 columns): headings "NO", "Ing. Name" and
// the diets' names (diets table row 1), then one row per ingredient eaten,
// largest total first, with its inclusion in each diet; then HerdTonnage.
// `pigCountText` is the "Number of Pigs" box, read when pigCount is 0.
void FormulaTableRefresh(LeastCostContext& context,
                         const Grid& dietsTable,
                         Grid& formulaTable,
                         std::string_view pigCountText);

// The herd's amount of each listed ingredient (pigCount x T) with its unit
// ("Kg"/"Tonnes" or "lbs"/"Tons") and cost, in columns dietCount + 3..5.
void HerdTonnage(LeastCostContext& context, Grid& formulaTable, std::string_view pigCountText);

// The growth run's new feed cost per pig becomes the newest of the list.
void PushRecentCost(FormulationState& state, double costPerPig);

// "Last Cost " + the newest, then "  # 2 " + the second and so on for the
// older entries above 0 (up to the fourth), rounded to 2 decimals.
std::string RecentCostsText(const FormulationState& state, bool decimalComma);

// Double-click on the "Cost Per Pig" box: shows RecentCostsText.
void ShowRecentCosts(const FormulationState& state, Dialogs& dialogs, bool decimalComma);
