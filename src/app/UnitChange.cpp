#include "app/UnitChange.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/App.h"
#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "model/PigGrowth.h"
#include "platform/NumberFormat.h"

namespace {

struct Rescale {
  double weight = 1;
  double energy = 1;
  double price = 1;
};

// The matrix row of net energy (nutrient index 1 is matrix row 2).
constexpr int kEnergyMatrixRow = kEnergy + 1;

// Columns of the calibration inputs screen.
constexpr int kCalWeightCol = 1;
constexpr int kCalFeedCol = 2;

// The number of fewest significant digits within `near` (relative) of
// `value`: 2448 kcal/kg in kcal/lb is 1110.20408163, and back 2448 again,
// not 2447.99999999999.
double ShortestNear(double value, double near) {
  std::array<char, 40> text{};
  for (int digits = 1; digits < 15; ++digits) {
    std::snprintf(text.data(), text.size(), "%.*e", digits - 1, value);
    const double found = std::strtod(text.data(), nullptr);
    if (std::fabs(found - value) <= near * std::fabs(value)) return found;
  }
  return value;
}

void RescaleCell(
    Grid& grid, int row, int col, double factor, bool comma, double near = kModelNear) {
  std::string text = grid.Text(row, col);
  RescaleText(text, factor, comma, near);
  grid.SetText(row, col, text);
}

// A result cell in other units, in the format the run wrote it with.
template <typename Format>
void RescaleResult(Grid& grid, int row, int col, double factor, const Format& format) {
  if (factor == 1) return;
  const std::string& text = grid.Text(row, col);
  const double value = ReadNumber(text);
  if (text.empty() || value == 0 || !std::isfinite(value)) return;
  grid.SetText(row, col, format(value * factor));
}

void RescaleResultNumber(Grid& grid, int row, int col, double factor, bool comma) {
  RescaleResult(grid, row, col, factor, [&](double v) { return NumberText(v, comma); });
}

// Diets as the diets table lays them out: price, feed amount, energy.
void RescaleDiets(Grid& diets, const Rescale& by, bool comma) {
  for (int c = 1; c <= kMaxDiets; ++c) {
    RescaleCell(diets, kDietCostRow, c, by.price, comma, kPriceNear);
    RescaleCell(diets, kDietAmountRow, c, by.weight, comma);
    RescaleCell(diets, kDietEnergyRow, c, by.energy, comma);
  }
}

// A number of the results table in its column's format.
struct ResultFormat {
  std::string_view pattern;  // "" for NumberText
  bool comma;
  std::string operator()(double value) const {
    return pattern.empty() ? NumberText(value, comma) : FormatNumber(value, pattern, comma);
  }
};

// A result cell: while it shows the run's value (`runKg`, kg or kg per day
// in the model's state), that value in the new unit, so that nothing is
// rounded twice; otherwise the cell's text converted.
void RescaleRunCell(Grid& results,
                    int row,
                    int col,
                    double factor,
                    const GrowthState& growth,
                    double runKg,
                    const ResultFormat& format) {
  const double now = ConvertWeight(growth, kToDisplay, runKg);
  if (results.Text(row, col) == format(now / factor)) {
    results.SetText(row, col, format(now));
  } else {
    RescaleResult(results, row, col, factor, format);
  }
}

// The daily rows: row r is the day startAge + r - 1; the final part-day
// (a fractional age) has formats of its own and ends at the final weight.
void RescaleDailyRows(Grid& results, const GrowthState& growth, double factor) {
  using namespace PigGrowth;
  const bool comma = growth.decimalComma;
  for (int row = 1; row < results.Rows() && !results.Text(row, kAgeColumn).empty(); ++row) {
    const int day = std::clamp(growth.startAge + row - 1, 0, kMaxAge);
    const bool partDay = results.Text(row, kAgeColumn).find_first_of(".,") != std::string::npos;
    const double weight =
        partDay && row > 1 ? growth.finalWeight : growth.liveWeight[day][kHerdColumn];
    const double feed = growth.dailyFeed[day][kHerdColumn];
    const ResultFormat weightFormat{partDay ? "####.0" : "###.#", comma};
    const ResultFormat feedFormat{partDay ? "###.00#" : "##.0", comma};
    RescaleRunCell(results, row, kWeightColumn, factor, growth, weight, weightFormat);
    RescaleRunCell(results, row, kDailyFeedColumn, factor, growth, feed, feedFormat);
    RescaleResult(
        results, row, kTotFeedColumn, factor, ResultFormat{partDay ? "##.0" : "###.0", comma});
  }
}

// The per-diet rows and the finishing block's weight and feed.
void RescaleResults(Grid& results, const GrowthState& growth, double factor) {
  if (factor == 1) return;
  RescaleDailyRows(results, growth, factor);
  const bool comma = growth.decimalComma;
  for (int r = 1; r <= kRunDietColumns; ++r) {
    const PhaseEnd& before = growth.dietPhaseLog[r - 1];
    const PhaseEnd& end = growth.dietPhaseLog[r];
    const double days = end.age - before.age;
    const double gain = days > 0 ? (end.weight - before.weight) / days : 0;
    RescaleRunCell(results, r, kSummaryWeightColumn, factor, growth, end.weight, {"", comma});
    RescaleRunCell(results, r, kSummaryGainColumn, factor, growth, gain, {"#0.0##", comma});
    RescaleRunCell(
        results, r, kSummaryFeedColumn, factor, growth, DietPhaseFeed(growth, r), {"", comma});
  }
  const SexWeights finish =
      SplitWeight(growth.liveWeight[FinishDay(growth)][kHerdColumn], growth.herdSex);
  const double weight[3] = {0, finish.male, finish.female};
  for (int c = kMaleColumn; c <= kFemaleColumn; ++c) {
    RescaleRunCell(results, kFinishWeightRow, c, factor, growth, weight[c], {"###.0", comma});
    RescaleRunCell(results, kFinishFeedRow, c, factor, growth, growth.cumFeed[c], {"###.0", comma});
  }
}

void RescaleMainWindow(MainForm& form, const Rescale& by, bool comma) {
  form.RescaleHerdFields(by.weight);
  RescaleDiets(form.dietsTable, by, comma);
  for (int d = 1; d <= kMaxDiets; ++d) {
    RescaleResultNumber(form.optimumDietsTable, kFeedKind, d, by.weight, comma);
    RescaleResultNumber(form.optimumDietsTable, kEnergyKind, d, by.energy, comma);
  }
}

// The stores of earlier diets: a converted diet must not show as changed.
void RescaleTracking(App& app, const Rescale& by, bool comma) {
  TrackingTables& t = app.tracking;
  for (Grid* diets : {&t.savedDiets, &t.previousDiets, &t.initialDiets})
    RescaleDiets(*diets, by, comma);
  RescaleComparison(app.comparison, by.weight, comma);
  if (app.changeTrackingForm.Visible())
    ShowTrackedTables(t, app.comparison, app.changeTrackingForm);
}

void RescaleCalibration(App& app, double factor, bool comma) {
  if (factor == 1) return;
  CalibrationData& calib = app.calibration;
  for (int k : {kHerdStartWeight, kHerdFinalWeight, kHerdTotalFeed}) calib.herdInputs[k] *= factor;
  for (auto& row : calib.observations) {
    row[kObsWeight] *= factor;
    row[kObsFeed] *= factor;
  }
  CalibrationInputsForm& screen = app.calibrationInputsForm;
  if (!screen.visible) return;
  for (int k : {kHerdStartWeight, kHerdFinalWeight, kHerdTotalFeed})
    RescaleText(screen.herdFields[k].text, factor, comma);
  for (int row = 1; row < screen.weighingsTable.Rows(); ++row) {
    RescaleCell(screen.weighingsTable, row, kCalWeightCol, factor, comma);
    RescaleCell(screen.weighingsTable, row, kCalFeedCol, factor, comma);
  }
  screen.ShowUnitCaptions();
}

// The matrix and the restrictions are in the units the diets state.
void RescaleFormulation(App& app, const Rescale& by, bool comma) {
  FormulationTables& t = app.formulation;
  for (int i = 1; i <= kMaxIngredients; ++i) {
    t.ingredientPrice[i] *= by.price;
    t.matrix[kEnergyMatrixRow][i] *= by.energy;
  }
  for (auto* table : {&t.nutrientRestrictions, &t.nutrientRestrictionsInFile})
    for (auto& diet : *table)
      for (auto& kind : diet) kind[kEnergy] *= by.energy;
  for (double& cost : app.formulationState->dietCost) cost *= by.price;
  if (!app.mainForm.matrixEditorOpen) return;
  Grid& editor = app.matrixEditorForm.matrixTable;
  for (int row = 1; row < editor.Rows(); ++row) {
    RescaleCell(editor, row, MatrixEditorForm::kPriceCol, by.price, comma, kPriceNear);
    RescaleCell(editor, row, kEnergyMatrixRow, by.energy, comma);
  }
}

void RescaleOptimization(OptimizationForm& screen, const Rescale& by, bool comma) {
  RescaleText(screen.targetWeight, by.weight, comma);
  for (int d = 1; d <= kOptDiets; ++d) {
    for (int col = kOptCurrentCol; col <= kOptMaximumCol; ++col) {
      RescaleCell(screen.optimizationTable, VariableOf(d, kFeedKind), col, by.weight, comma);
      RescaleCell(screen.optimizationTable, VariableOf(d, kEnergyKind), col, by.energy, comma);
    }
  }
}

}  // namespace

void RescaleText(std::string& text, double factor, bool decimalComma, double near) {
  if (factor == 1) return;
  const double value = ReadNumber(text);
  if (value == 0 || !std::isfinite(value)) return;
  text = GeneralNumberText(ShortestNear(value * factor, near), decimalComma);
}

void RescaleComparison(Grid& comparison, double factor, bool decimalComma) {
  if (factor == 1) return;
  for (int col = kCurrentRun; col <= kInitialRun; ++col) {
    RescaleResultNumber(comparison, kCompareLiveWeight, col, factor, decimalComma);
    RescaleResultNumber(comparison, kCompareStartWeight, col, factor, decimalComma);
    for (int d = 0; d < kComparedDietFeeds; ++d)
      RescaleResultNumber(comparison, kCompareFirstDietFeed + d, col, factor, decimalComma);
  }
}

void ChangeUnits(App& app, const UnitCodeSet& codes) {
  GrowthState& growth = app.growth;
  const UnitCodeSet before = growth.unitCodes;
  growth.unitCodes = codes;
  const Rescale by{DisplayRescale(before, codes, kWeightUnit),
                   DisplayRescale(before, codes, kEnergyUnit),
                   DisplayRescale(before, codes, kPriceUnit)};
  const bool comma = growth.decimalComma;
  RescaleMainWindow(app.mainForm, by, comma);
  RescaleResults(app.resultsTable, growth, by.weight);
  RescaleTracking(app, by, comma);
  RescaleCalibration(app, by.weight, comma);
  RescaleFormulation(app, by, comma);
  RescaleOptimization(app.optimizationForm, by, comma);
  app.mainForm.ShowWeightUnit();
}
