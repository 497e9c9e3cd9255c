// Optimization: OptimizationReportForm, the report's form, shown by OptimizationReportWindow.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formulation/Matrix.h"
#include "model/GrowthState.h"
#include "optimization/DietOptimization.h"
#include "optimization/OptChartData.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/GridClipboard.h"

// The optimization report, headless: the outcome of the last diet
// optimization in four tables on four tabs (the optimum against the start
// and the limits, the nutrient and the ingredient restrictions the
// formulations used, and the ingredients of the formulated diets), and the
// results file written at the end of every optimization.

// What the report and the results file read.
struct OptimizationReportSource {
  const OptResult& result;
  const FormulationTables& tables;  // names and the ingredient restrictions
  const GrowthState& growth;        // unit codes and decimal comma
  double startWeight = 0;           // kg, where the optimum's run started
  std::string initialFeedGain;      // the main window's "Feed/Gain" text
  std::string initialFinalAge;      // the main window's "Final Age, Days" text
};

// Unit labels of the report by the unit codes.
std::string ReportCostLabel(int priceCode);    // "Cost /kg", "Cost /tonne", ...
std::string ReportWeightLabel(int priceCode);  // "kg" for codes 0 and 1, "lb" beyond

class OptimizationReportForm {
 public:
  static constexpr std::string_view kCaption = "Optimization Report";
  static constexpr std::string_view kCopyCaption = "Copy to Clipboard";
  static constexpr std::string_view kShowCurrentCaption = "Show Current";
  static constexpr std::string_view kTabCaptions[] = {
      "Optimum", "Nutrient Restrict.", "Ingredient Restrict.", " Diet Formulation"};
  static constexpr int kOptimumTab = 0;
  static constexpr int kNutrientTab = 1;
  static constexpr int kIngredientTab = 2;
  static constexpr int kFormulationTab = 3;
  static constexpr int kHeight = 476;  // pixels
  static constexpr int kWidth = 731;

  // Optimum table: summary rows 0..5, headings in row 7, diet d's block of
  // four rows from row 8 + 4(d - 1).
  static constexpr int kOptimumCols = 9;
  static constexpr int kHeadingRow = 7;
  static constexpr int kFirstBlockRow = 8;
  static constexpr int kBlockRows = 4;
  static constexpr int kNutRestrictRows = 123;
  static constexpr int kIngRestrictRows = 100;
  static constexpr int kRestrictCols = 20;

  explicit OptimizationReportForm(Dialogs& dialogs) : dialogs_(dialogs) {}

  // Opening the window: its size and title, the four tables filled (the
  // optimum, the ingredient and the nutrient restrictions, the diet
  // formulation), tab 0 shown and the optimum table's current cell (3, 3).
  void Open(const OptimizationReportSource& source);
  void Close() { visible = false; }

  void FillOptimum(const OptimizationReportSource& source);
  void FillNutrientRestrictions(const OptimizationReportSource& source);
  void FillIngredientRestrictions(const OptimizationReportSource& source);
  void FillDietFormulation(const OptimizationReportSource& source);

  // "Copy to Clipboard": on tab 0 the whole optimum table; on another tab
  // the optimum table's selection.
  void CopyToClipboard();
  // Clipboard keys of the report's tables (the table becomes activeGrid);
  // true when handled.
  bool KeyDown(Grid& grid, Key key, KeyModifiers modifiers);
  void Popup(PopupAction action);

  Grid optimumTable{2, kOptimumCols};
  Grid nutrientRestrictionTable{kNutRestrictRows, kRestrictCols};
  Grid ingredientRestrictionTable{kIngRestrictRows, kRestrictCols};
  Grid formulationTable{2, 2};
  Grid* activeGrid = nullptr;

  std::string caption{kCaption};
  std::string targetText;  // "Target Wt. " + the target weight
  bool showCurrentVisible = false;
  bool visible = false;
  int currentTab = kOptimumTab;
  int windowHeight = 0;  // pixels
  int windowWidth = 0;

  // FillOptimum's totals from the optimized diets: feed cost per pig and feed
  // per pig (kg).
  double optimizedCost = 0;
  double totalFeed = 0;
  // The chart of the start against the optimum, by diet.
  OptChartData chart;

 private:
  Dialogs& dialogs_;
};

// The results file's name: the location name, "OPT", the month's
// abbreviation, a blank and the year of `today` ("dd/mm/yyyy"), ".txt".
std::string OptResultsFileName(std::string_view locationName, std::string_view today);

// The results file's lines in its five blocks: the formulated diets, their
// ingredients, the optimum's daily growth, the nutrient and the ingredient
// restrictions. Numbers always carry a period.
std::vector<std::string> OptResultsFileLines(const OptimizationReportSource& source);

// Today as "dd/mm/yyyy".
std::string TodayText();
