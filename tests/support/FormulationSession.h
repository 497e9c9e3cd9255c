#pragma once

#include <memory>

#include "formulation/LeastCost.h"
#include "support/ScriptedDialogs.h"

// What a formulation test works on: the matrix and restrictions, the model
// state, the formulation state (large, so on the heap), scripted dialogs
// and a diets table.
struct FormulationSession {
  std::unique_ptr<FormulationTables> t = std::make_unique<FormulationTables>();
  std::unique_ptr<GrowthState> growth = std::make_unique<GrowthState>();
  std::unique_ptr<FormulationState> s = std::make_unique<FormulationState>();
  ScriptedDialogs dialogs;
  LeastCostContext context{*t, *growth, *s, dialogs};
  Grid dietsTable{19, 9};
};
