// The main window's side of the diet optimization: the "Run Optimization"
// button and the starting and best costs per pig of a run.
#include <algorithm>
#include <string>

#include "app/App.h"
#include "app/MainForm.h"
#include "app/OptimizationForm.h"
#include "model/DietsTable.h"
#include "platform/NumberFormat.h"

void MainForm::OpenOptimization() {
  const int diets = std::clamp<int>(app_.growth.dietCount, 0, kMaxDiets);
  for (int d = 1; d <= diets; ++d)
    app_.formulationState->dietCost[d] = ReadNumber(dietsTable.Text(kDietCostRow, d));
  if (!app_.optimizationForm.visible) app_.optimizationForm.Open();
}

void MainForm::ShowOptStartingCost(double cost) {
  const bool comma = app_.growth.decimalComma;
  optimizationStartCost.caption = std::string(kOptStartCaption);
  optimizationStartCost.text = NumberText(cost, comma);
  optimizationBestCost.caption = std::string(kOptBestCaption);
  optimizationBestCost.text.clear();
  optimumDietsTable.Clear();
  for (int k = 1; k <= kOptKinds; ++k)
    optimumDietsTable.SetText(k, 0, OptimizationForm::kKindCaptions[k]);
}

void MainForm::ShowOptNewBest(const OptBestShown& best) {
  const bool comma = app_.growth.decimalComma;
  optimizationBestCost.text = NumberText(best.costPerPig, comma);
  for (int d = 1; d <= std::clamp(best.diets, 0, kMaxDiets); ++d) {
    optimumDietsTable.SetText(0, d, "Diet " + std::to_string(d));
    optimumDietsTable.SetText(kFeedKind, d, NumberText(best.feedAmount[d], comma));
    optimumDietsTable.SetText(kEnergyKind, d, NumberText(best.energy[d], comma));
    optimumDietsTable.SetText(kProteinKind, d, NumberText(best.protein[d], comma));
  }
}
