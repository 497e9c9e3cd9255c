// Formulation: SensitivityForm, the sensitivity tab's form, shown by SensitivityTab.
#pragma once

#include <string>

#include "formulation/SensitivityTables.h"

// The "Sensitivity" tab of the sources window: for one diet, what its cost
// depends on (restrictions with their shadow prices, ingredients with their
// reduced costs and price ranges), or for an infeasible diet the
// restrictions that cannot all hold. Both tables sort by a click on a
// heading and copy like every table.
class SensitivityForm {
 public:
  SensitivityForm(const FormulationTables& tables,
                  const GrowthState& growth,
                  FormulationState& state);

  // Fills the label and both tables for diet `diet` (1..8), which stays chosen.
  void ShowDiet(int diet);
  // The chosen diet again, after its formulation changed; nothing before a
  // diet was chosen.
  void Follow();

  // A click on the heading of column `col`: the rows sorted by it, a second
  // click on the same heading sorts the other way.
  void SortRestrictions(int col);
  void SortIngredients(int col);

  // How a table was last sorted; col -1 when it is in the order it was filled.
  struct SortOrder {
    int col = -1;
    bool ascending = true;
  };

  int shownDiet = 0;  // 0 until a diet is chosen
  std::string label;
  Grid restrictionsTable{1, kRestrictionColumns};
  Grid ingredientsTable{1, kIngredientColumns};
  SortOrder restrictionsOrder;
  SortOrder ingredientsOrder;

 private:
  static void Sort(Grid& grid, SortOrder& order, int col);

  const FormulationTables& tables_;
  const GrowthState& growth_;
  FormulationState& state_;
};
