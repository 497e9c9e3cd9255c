// Formulation: DietSensitivity, what a formulated diet's cost depends on.
#pragma once

#include <string>
#include <vector>

#include "formulation/LeastCost.h"

// What a formulated diet's cost depends on, read from the optimum of its kept
// program (sensitivity analysis): the shadow price of every restriction and
// the range of its limit over which that price holds; for every ingredient
// its reduced cost and the range of its price over which the formula stays.
//
// In the user's units: costs in the price unit of the matrix (per tonne, per
// short ton, ...), as the diet's cost is; a shadow price per step of its
// limit: 100 kcal of energy (0.1 Mcal, 1 MJ), 1 % of protein, an amino acid
// or an inclusion, 1 of a free matrix row in its own unit.

struct RestrictionSensitivity {
  RestrictionRef restriction;
  double limit = 0;        // as formulated, in the restriction's unit
  double level = 0;        // the diet's level (inclusion for an ingredient)
  bool binding = false;    // the level is at the limit
  double step = 1;         // what the shadow price is per, in the restriction's unit
  double shadowPrice = 0;  // change of the diet's cost per step up of the limit
  double limitLow = 0;     // the shadow price holds while the limit stays
  double limitHigh = 0;    // between these (an infinity: no end)
};

struct IngredientSensitivity {
  int ingredient = 0;
  double inclusion = 0;    // %
  double price = 0;        // as formulated
  double reducedCost = 0;  // how much cheaper it must get to come in; 0 when it is in
  bool blocked = false;    // held out by a maximum of 0: no price brings it in
  double priceLow = 0;     // the formula stays as it is while the price stays
  double priceHigh = 0;    // between these (an infinity: no end)
};

enum class SensitivityStatus {
  Analysed,       // a formulated diet: both lists filled
  Infeasible,     // no mix meets the restrictions; state.conflicts says why
  NotFormulated,  // no least-cost formula of the diet to look into
};

struct DietSensitivity {
  int diet = 0;
  SensitivityStatus status = SensitivityStatus::NotFormulated;
  double cost = 0;  // the diet's cost, price unit
  // The user's restrictions, binding ones first (the dearest first), the
  // others in the program's order.
  std::vector<RestrictionSensitivity> restrictions;
  // Ingredients in the diet first (largest first), then those left out,
  // the nearest to coming in first, the blocked ones last.
  std::vector<IngredientSensitivity> ingredients;
};

// The step a shadow price is per, for a restriction of that kind and index.
double ShadowPriceStep(const GrowthState& growth, const RestrictionRef& restriction);

// Reads the sensitivity of diet `diet` from its kept program (solved again
// only when it changed since its formulation).
DietSensitivity AnalyzeDietSensitivity(FormulationState& state,
                                       const GrowthState& growth,
                                       int diet);
