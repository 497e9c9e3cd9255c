#pragma once

#include "formulation/FeedOpt.h"
#include "formulation/Restrict.h"
#include "platform/Grid.h"

// The restrictions window marks the restrictions of an infeasible diet that
// cannot all hold together, in a colour of their own.
inline constexpr Rgb kConflictRed{255, 150, 150};

// Marks the cells of every diet's conflicting restrictions (state.conflicts)
// in both tables of the restrictions window; a cell marked before whose
// restriction is in no conflict now gets its usual colour back.
void MarkConflictingRestrictions(Restrict& form, const FormulationState& state);
