#include "formulation/SensitivityForm.h"

#include "app/NumberFormat.h"
#include "formulation/ConflictingRestrictions.h"

namespace {

std::string AnalysedText(const DietSensitivity& sensitivity, const GlobalPig& pig) {
  const std::string per = PriceUnitPhrase(pig);
  return "Diet " + std::to_string(sensitivity.diet) + " costs " +
         NumberText(sensitivity.cost, pig.DecimalComma) + " " + per +
         ". Shadow price: the change in the diet's cost " + per +
         " when a limit rises by the step in \"Per\"; it holds while the limit stays within its "
         "range. Reduced cost: how much cheaper an ingredient left out must get to come in. The "
         "formula stays as it is while an ingredient's price stays within its range.";
}

}  // namespace

SensitivityForm::SensitivityForm(const FormulationTables& tables,
                                 const GlobalPig& pig,
                                 FormulationState& state)
    : tables_(tables), pig_(pig), state_(state) {}

void SensitivityForm::ShowDiet(int diet) {
  if (diet < 1 || diet > kMaxDiets) return;
  Diet = diet;
  RestrictionsOrder = {};
  IngredientsOrder = {};
  const DietSensitivity sensitivity = AnalyzeDietSensitivity(state_, pig_, diet);
  const auto shown = SensitivityNumbers::Shown;
  switch (sensitivity.status) {
    case SensitivityStatus::Analysed:
      Label = AnalysedText(sensitivity, pig_);
      FillRestrictionTable(Restrictions, sensitivity, tables_, pig_, shown);
      break;
    case SensitivityStatus::Infeasible:
      Label = ConflictText(tables_, pig_, diet, state_.conflicts[diet]) +
              " The restrictions window marks them.";
      FillConflictTable(Restrictions, state_.conflicts[diet], tables_, pig_, shown);
      break;
    case SensitivityStatus::NotFormulated:
      Label = "Diet " + std::to_string(diet) +
              " has no least-cost formula to look into: \"Run LP\" formulates it.";
      FillRestrictionTable(Restrictions, sensitivity, tables_, pig_, shown);
      break;
  }
  FillIngredientTable(Ingredients, sensitivity, tables_, pig_, shown);
}

void SensitivityForm::Follow() {
  if (Diet != 0) ShowDiet(Diet);
}

void SensitivityForm::Sort(Grid& grid, SortOrder& order, int col) {
  if (col < 0 || col >= grid.Cols()) return;
  order.ascending = order.col == col ? !order.ascending : true;
  order.col = col;
  grid.SortRows(1, grid.Rows() - 1, col, order.ascending);
}

void SensitivityForm::SortRestrictions(int col) { Sort(Restrictions, RestrictionsOrder, col); }

void SensitivityForm::SortIngredients(int col) { Sort(Ingredients, IngredientsOrder, col); }
