#include "formulation/SensitivityForm.h"

#include "formulation/ConflictingRestrictions.h"
#include "platform/NumberFormat.h"

namespace {

std::string AnalysedText(const DietSensitivity& sensitivity, const GrowthState& growth) {
  const std::string per = PriceUnitPhrase(growth);
  return "Diet " + std::to_string(sensitivity.diet) + " costs " +
         NumberText(sensitivity.cost, growth.decimalComma) + " " + per +
         ". Shadow price: the change in the diet's cost " + per +
         " when a limit rises by the step in \"Per\"; it holds while the limit stays within its "
         "range. Reduced cost: how much cheaper an ingredient left out must get to come in. The "
         "formula stays as it is while an ingredient's price stays within its range.";
}

}  // namespace

SensitivityForm::SensitivityForm(const FormulationTables& tables,
                                 const GrowthState& growth,
                                 FormulationState& state)
    : tables_(tables), growth_(growth), state_(state) {}

void SensitivityForm::ShowDiet(int diet) {
  if (diet < 1 || diet > kMaxDiets) return;
  shownDiet = diet;
  restrictionsOrder = {};
  ingredientsOrder = {};
  const DietSensitivity sensitivity = AnalyzeDietSensitivity(state_, growth_, diet);
  const auto shown = SensitivityNumbers::Shown;
  switch (sensitivity.status) {
    case SensitivityStatus::Analysed:
      label = AnalysedText(sensitivity, growth_);
      FillRestrictionTable(restrictionsTable, sensitivity, tables_, growth_, shown);
      break;
    case SensitivityStatus::Infeasible:
      label = ConflictText(tables_, growth_, diet, state_.conflicts[diet]) +
              " The restrictions window marks them.";
      FillConflictTable(restrictionsTable, state_.conflicts[diet], tables_, growth_, shown);
      break;
    case SensitivityStatus::NotFormulated:
      label = "Diet " + std::to_string(diet) +
              " has no least-cost formula to look into: \"Run LP\" formulates it.";
      FillRestrictionTable(restrictionsTable, sensitivity, tables_, growth_, shown);
      break;
  }
  FillIngredientTable(ingredientsTable, sensitivity, tables_, growth_, shown);
}

void SensitivityForm::Follow() {
  if (shownDiet != 0) ShowDiet(shownDiet);
}

void SensitivityForm::Sort(Grid& grid, SortOrder& order, int col) {
  if (col < 0 || col >= grid.Cols()) return;
  order.ascending = order.col == col ? !order.ascending : true;
  order.col = col;
  grid.SortRows(1, grid.Rows() - 1, col, order.ascending);
}

void SensitivityForm::SortRestrictions(int col) { Sort(restrictionsTable, restrictionsOrder, col); }

void SensitivityForm::SortIngredients(int col) { Sort(ingredientsTable, ingredientsOrder, col); }
