#pragma once

#include <memory>

#include "formulation/FeedOpt.h"
#include "support/ScriptedDialogs.h"

// What a formulation test works on: the matrix and restrictions, the model
// state, the formulation state (large, so on the heap), scripted dialogs
// and a diets table.
struct FormulationSession {
  std::unique_ptr<FormulationTables> t = std::make_unique<FormulationTables>();
  std::unique_ptr<GlobalPig> pig = std::make_unique<GlobalPig>();
  std::unique_ptr<FormulationState> s = std::make_unique<FormulationState>();
  ScriptedDialogs dialogs;
  FeedOptContext context{*t, *pig, *s, dialogs};
  Grid Griddiets{19, 9};
};
