#include "formulation/frmMsgBoxA.h"

#include <algorithm>

#include "platform/GridClipboard.h"
#include "platform/NumberFormat.h"

namespace {

constexpr int kCostIndex = -1;
constexpr double kPercent = 100;

std::string DietHeading(int diet) { return "Diet # " + std::to_string(diet); }

}  // namespace

frmMsgBoxA::frmMsgBoxA(Dialogs& dialogs,
                       const FormulationTables& tables,
                       const GrowthState& growth,
                       const FormulationState& state)
    : dialogs_(dialogs), tables_(tables), growth_(growth), state_(state) {}

void frmMsgBoxA::Show(const SourcesRequest& request) {
  Request = request;
  Label = request.caption;
  Grid1.Resize(1, 2);
  Grid1.Clear();
  FinishLayout();
  visible = true;
}

bool frmMsgBoxA::DietInRange() const { return Request.diet >= 1 && Request.diet <= kMaxDiets; }

void frmMsgBoxA::AddShare(std::string_view name, double share) {
  const int row = Grid1.Rows();
  Grid1.SetRows(row + 1);
  Grid1.SetText(row, 0, name);
  Grid1.SetText(row, 1, NumberText(share, growth_.decimalComma));
}

void frmMsgBoxA::FinishLayout() {
  Grid1.SetColWidth(0, kNameWidth);
  Grid1.SetColWidth(1, kShareWidth);
  GridHeight = (Grid1.Rows() + 1) * kRowHeight + kGridMargin;
  Height = GridHeight + kWindowMargin;
}

void frmMsgBoxA::Command1() {
  Label = Request.caption;
  Grid1.Resize(1, 2);
  Grid1.Clear();
  const int d = Request.diet;
  const int k = Request.index;
  const int ingCount = std::clamp<int>(tables_.ingredientCount, 0, kMaxIngredients);
  const int nutCount = std::clamp<int>(tables_.NutCount, 0, kMaxNutrientRows);
  const auto& inclusion = state_.DietInclusion[std::clamp(d, 0, kMaxDiets)];
  const auto& levels = growth_.dietNutrients[std::clamp(d, 0, kMaxDiets)];

  if (!DietInRange()) {
    // nothing to explain
  } else if (Request.flag != 0) {
    if (k >= 1 && k <= ingCount) {
      Label += "\n" + std::string(kIngredientHeading);
      Grid1.SetText(0, 0, DietHeading(d));
      Grid1.SetText(0, 1, tables_.IngName[k]);
      for (int j = 1; j < nutCount; ++j)
        if (levels[j] > 0 && tables_.IngMatrix[j + 1][k] > 0)
          AddShare(tables_.NutName[j + 1], inclusion[k] * tables_.IngMatrix[j + 1][k] / levels[j]);
    }
  } else if (k == kCostIndex) {
    // Prices and the diet's cost are in the same unit, so the shares need no
    // conversion and add up to 100 whatever the price unit.
    const double cost = state_.DietCost[d];
    if (cost > 0) {
      Grid1.SetText(0, 0, DietHeading(d));
      Grid1.SetText(0, 1, "Feed Cost");
      for (int i = 1; i <= ingCount; ++i)
        if (inclusion[i] > 0 && tables_.ingredientPrice[i] > 0)
          AddShare(tables_.IngName[i],
                   inclusion[i] * tables_.ingredientPrice[i] / kPercent * kPercent / cost);
    }
  } else if (k >= 1 && k < nutCount && levels[k] != 0) {
    Label += "\n" + std::string(kNutrientHeading);
    Grid1.SetText(0, 0, DietHeading(d));
    Grid1.SetText(0, 1, tables_.NutName[k + 1]);
    for (int i = 1; i <= ingCount; ++i)
      if (inclusion[i] > 0 && tables_.IngMatrix[k + 1][i] > 0)
        AddShare(tables_.IngName[i], tables_.IngMatrix[k + 1][i] * inclusion[i] / levels[k]);
  }
  FinishLayout();
}

void frmMsgBoxA::CopyToClipboard() { CopyRange(WholeGrid(Grid1), Grid1, dialogs_); }
