// Formulation: the conflicting restrictions marked in the restriction tables.
#pragma once

#include "formulation/LeastCost.h"
#include "formulation/RestrictionsForm.h"
#include "platform/Grid.h"

// The restrictions window marks the restrictions of an infeasible diet that
// cannot all hold together, in a colour of their own.
inline constexpr Rgb kConflictRed{255, 150, 150};

// Marks the cells of every diet's conflicting restrictions (state.conflicts)
// in both tables of the restrictions window; a cell marked before whose
// restriction is in no conflict now gets its usual colour back.
void MarkConflictingRestrictions(RestrictionsForm& form, const FormulationState& state);
