// Formulation: the restrictions of an infeasible diet that cannot all hold.
#pragma once

#include <string>

#include "formulation/LeastCost.h"

// Why a diet is infeasible: the restrictions that cannot all hold together,
// none of them to spare, found on the diet's kept program (the total of
// 100 % always holds; it is no restriction the user set).

// Fills state.conflicts[diet] when the diet's last formulation found no mix
// that meets its restrictions; empties it otherwise. Solves the diet's
// program again about once per restriction, from its kept basis.
void FindConflictingRestrictions(FormulationState& state, int diet);

// "Diet 1: the minimum of LYSINE 1.6 %, the maximum of Soybean meal 20 % and
// the minimum of Net ENERGY 2,500 Kcal/Kg cannot all hold."
std::string ConflictText(const FormulationTables& tables,
                         const GrowthState& growth,
                         int diet,
                         const ConflictingSet& conflict);

// One restriction as the sentence above names it: "the maximum of Soybean
// meal 20 %", "the block on Fish meal" (a maximum of 0).
std::string RestrictionPhrase(const FormulationTables& tables,
                              const GrowthState& growth,
                              const ConflictingRestriction& member);

// A number for a sentence: at most four decimals, no trailing zeros, the
// thousands grouped ("2,500"; "2.500" where the decimal separator is a comma).
std::string SentenceNumber(double value, bool decimalComma);
