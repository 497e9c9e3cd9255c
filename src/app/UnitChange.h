// App: a change of units, converted through everything shown.
#pragma once

#include <string>

#include "model/Units.h"

class App;
class Grid;

// A change of the units the user sees and types (the weight-unit list, the
// units dialog): everything the program shows or keeps in the user's units
// is converted into the new ones, so the same herd on the same diets stays
// the same biology. Weights: the herd fields, the diets' feed amounts, the
// results and comparison tables, the calibration data and screen, the
// optimization table and target. Energy: the diets' net energy, the
// matrix's energy row and the energy restrictions. Price: the diets' costs,
// the ingredient prices and the formulated diet costs. Inputs are written
// in full, so that converting back gives what was typed; result tables keep
// their columns' formats. Text that is no number, and 0, stay as they are.
// The weight captions follow the new weight code.
void ChangeUnits(App& app, const UnitCodeSet& codes);

// The comparison table's weights (live weight, starting weight, diet feeds)
// in every run column, multiplied by `factor`.
void RescaleComparison(Grid& comparison, double factor, bool decimalComma);

// How near a converted typed value is written, relative: weights and energy
// feed the model (a run stays within 1e-9 days and kg of the same run in
// other units), a price only makes the cost ("577.6508" per short ton).
inline constexpr double kModelNear = 1e-11;
inline constexpr double kPriceNear = 1e-7;

// A typed number shown in other units: multiplied by `factor` and written
// with the fewest digits within `near` of the result, so that switching back
// gives what was typed. Empty text, text that is no number, and 0 stay as
// they are.
void RescaleText(std::string& text, double factor, bool decimalComma, double near = kModelNear);
