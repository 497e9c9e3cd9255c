#include "formulation/NutrientSourcesForm.h"

#include <algorithm>

#include "platform/GridClipboard.h"
#include "platform/NumberFormat.h"

namespace {

constexpr int kCostIndex = -1;
constexpr double kPercent = 100;

std::string DietHeading(int diet) { return "Diet # " + std::to_string(diet); }

}  // namespace

NutrientSourcesForm::NutrientSourcesForm(Dialogs& dialogs,
                                         const FormulationTables& tables,
                                         const GrowthState& growth,
                                         const FormulationState& state)
    : dialogs_(dialogs), tables_(tables), growth_(growth), state_(state) {}

void NutrientSourcesForm::Show(const SourcesRequest& request) {
  shownRequest = request;
  ShowPercentages();
  visible = true;
}

bool NutrientSourcesForm::DietInRange() const {
  return shownRequest.diet >= 1 && shownRequest.diet <= kMaxDiets;
}

void NutrientSourcesForm::AddShare(std::string_view name, double share) {
  const int row = sharesTable.Rows();
  sharesTable.SetRows(row + 1);
  sharesTable.SetText(row, 0, name);
  sharesTable.SetText(row, 1, NumberText(share, growth_.decimalComma));
}

void NutrientSourcesForm::FinishLayout() {
  sharesTable.SetColWidth(0, kNameWidth);
  sharesTable.SetColWidth(1, kShareWidth);
  tableHeight = (sharesTable.Rows() + 1) * kRowHeight + kGridMargin;
  windowHeight = tableHeight + kWindowMargin;
}

void NutrientSourcesForm::ShowPercentages() {
  label = shownRequest.caption;
  sharesTable.Resize(1, 2);
  sharesTable.Clear();
  const int d = shownRequest.diet;
  const int k = shownRequest.index;
  const int ingCount = std::clamp<int>(tables_.ingredientCount, 0, kMaxIngredients);
  const int nutCount = std::clamp<int>(tables_.nutrientCount, 0, kMaxNutrientRows);
  const auto& inclusion = state_.dietInclusion[std::clamp(d, 0, kMaxDiets)];
  const auto& levels = growth_.dietNutrients[std::clamp(d, 0, kMaxDiets)];

  if (!DietInRange()) {
    // nothing to explain
  } else if (shownRequest.flag != 0) {
    if (k >= 1 && k <= ingCount) {
      label += "\n" + std::string(kIngredientHeading);
      sharesTable.SetText(0, 0, DietHeading(d));
      sharesTable.SetText(0, 1, tables_.ingredientName[k]);
      for (int j = 1; j < nutCount; ++j)
        if (levels[j] > 0 && tables_.matrix[j + 1][k] > 0)
          AddShare(tables_.nutrientName[j + 1],
                   inclusion[k] * tables_.matrix[j + 1][k] / levels[j]);
    }
  } else if (k == kCostIndex) {
    // Prices and the diet's cost are in the same unit, so the shares need no
    // conversion and add up to 100 whatever the price unit.
    const double cost = state_.dietCost[d];
    if (cost > 0) {
      sharesTable.SetText(0, 0, DietHeading(d));
      sharesTable.SetText(0, 1, "Feed Cost");
      for (int i = 1; i <= ingCount; ++i)
        if (inclusion[i] > 0 && tables_.ingredientPrice[i] > 0)
          AddShare(tables_.ingredientName[i],
                   inclusion[i] * tables_.ingredientPrice[i] / kPercent * kPercent / cost);
    }
  } else if (k >= 1 && k < nutCount && levels[k] != 0) {
    label += "\n" + std::string(kNutrientHeading);
    sharesTable.SetText(0, 0, DietHeading(d));
    sharesTable.SetText(0, 1, tables_.nutrientName[k + 1]);
    for (int i = 1; i <= ingCount; ++i)
      if (inclusion[i] > 0 && tables_.matrix[k + 1][i] > 0)
        AddShare(tables_.ingredientName[i], tables_.matrix[k + 1][i] * inclusion[i] / levels[k]);
  }
  FinishLayout();
}

void NutrientSourcesForm::CopyToClipboard() {
  CopyRange(WholeGrid(sharesTable), sharesTable, dialogs_);
}
