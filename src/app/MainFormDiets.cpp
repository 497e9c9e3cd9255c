// The diets table's own events: an edit sets the diet's restrictions, a click
// on a price or nutrient cell asks the sources window about it.
#include "app/App.h"
#include "app/MainForm.h"
#include "formulation/DietsTableEdit.h"
#include "formulation/LeastCost.h"
#include "model/DietsTable.h"

void MainForm::DietsTableEdited(int row, int col) {
  LeastCostContext lp{app_.formulation, app_.growth, *app_.formulationState, app_.dialogs};
  DietsEditContext context{dietsTable,
                           app_.growth,
                           app_.formulation.nutrientRestrictions,
                           ratioRules,
                           app_.dialogs,
                           [&lp](int diet) { ApplyProteinMargin(lp, diet); }};
  DietsCellEdited(context, row, col);
}

bool MainForm::DietsTableClicked(int row, int col) {
  std::optional<SourcesRequest> request = DietsCellClicked(dietsTable, row, col);
  if (!request) return false;
  app_.nutrientSourcesForm.Show(*request);
  app_.sensitivityForm.ShowDiet(request->diet);
  return true;
}
