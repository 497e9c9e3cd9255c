// Formulation: NutrientSourcesForm, the nutrient sources' form, shown by NutrientSourcesWindow.
#pragma once

#include <string>
#include <string_view>

#include "formulation/LeastCost.h"
#include "formulation/Matrix.h"
#include "model/DietsTable.h"
#include "model/GrowthState.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"

// The sources window: explains one formulated diet in percentages computed
// from its inclusions, its nutrient levels, its cost and the matrix.
//   flag 0, index -1: each ingredient's share of the diet's cost;
//   flag 0, index j:  each ingredient's share of nutrient j (matrix row j+1);
//   flag not 0, index i: ingredient i's share of each nutrient of the diet.
class NutrientSourcesForm {
 public:
  static constexpr int kNameWidth = 133;     // pixels
  static constexpr int kShareWidth = 107;    // pixels
  static constexpr int kRowHeight = 17;      // pixels
  static constexpr int kGridMargin = 7;      // pixels below the last row
  static constexpr int kWindowMargin = 133;  // pixels of window around the table

  static constexpr std::string_view kCaption = "Nutrient Sources";
  static constexpr std::string_view kShowPercentagesCaption = "Show Percentages";
  static constexpr std::string_view kCopyCaption = "Copy to Clipboard";

  static constexpr std::string_view kIngredientHeading = "     PERCENT OF NUTRIENTS from This Ing.";
  static constexpr std::string_view kNutrientHeading = "     SOURCES OF THIS NUTRIENT, PERCENT";

  NutrientSourcesForm(Dialogs& dialogs,
                      const FormulationTables& tables,
                      const GrowthState& growth,
                      const FormulationState& state);

  // The caller's request (a click in the diets table): stored, and its
  // shares computed (ShowPercentages), so the window opens with its table filled.
  void Show(const SourcesRequest& request);

  // Computes the shares of the stored request into sharesTable. A nutrient the
  // diet does not contain, a diet without cost or an index outside the
  // matrix leaves the table empty.
  void ShowPercentages();

  // "Copy to Clipboard": the whole table.
  void CopyToClipboard();

  SourcesRequest shownRequest;
  std::string label;  // the request's caption and, after ShowPercentages, what is shown
  Grid sharesTable{1, 2};
  int tableHeight = 0;   // pixels
  int windowHeight = 0;  // pixels
  bool visible = false;

 private:
  void AddShare(std::string_view name, double share);
  void FinishLayout();
  bool DietInRange() const;

  Dialogs& dialogs_;
  const FormulationTables& tables_;
  const GrowthState& growth_;
  const FormulationState& state_;
};
