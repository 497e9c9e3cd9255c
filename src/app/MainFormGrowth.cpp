// The "Growth" command: one growth run of the herd on the diets of the diets
// table, or on least-cost formulas of them, with its results.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "app/App.h"
#include "app/Comparison.h"
#include "app/GrowthChecks.h"
#include "app/MainForm.h"
#include "app/StatusTexts.h"
#include "app/UnitChange.h"
#include "calibration/TargetScore.h"
#include "formulation/FormulaTable.h"
#include "formulation/LeastCost.h"
#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "model/GrowthSummary.h"
#include "model/PigGrowth.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"

namespace {

constexpr int kDietAmountCol = 1;    // diet 1's cells decide whether a run can start
constexpr int kScoreCol = 6;         // coefficient table: the run's score beside B0..B4
constexpr int kTotalCostOffset = 5;  // formula table: the cost column after the diets

const char* const kCoefMissing[] = {"The calibration curve B0 is missing",
                                    "The calibration curve B1 is missing"};

}  // namespace

// Coefficients as the run will use them, and which cells were left at 0.
struct MainForm::GrowthCurveRead {
  std::array<double, kCoefCount> coef{};
  std::array<double, kCoefCount> defaults{};
  std::array<bool, kCoefCount> fromDefault{};
};

bool MainForm::GrowthInputsAccepted(HerdValues& herd) {
  Dialogs& dialogs = app_.dialogs;
  const GrowthState& growth = app_.growth;
  std::optional<std::string> problem;
  if (!app_.location.loaded) problem = NoLocationMessage(app_.location);
  if (!problem)
    problem = HerdFieldsProblem(startWeight.text, startAge.text, finalWeight.text, growth, herd);
  if (!problem && herdSex.selected < 0) problem = "Set the Herd Sex before running";
  if (!problem && feedFormulation.selected != kFeedLeastCost &&
      feedFormulation.selected != kFeedGrid)
    problem = "Choose Least Cost Feed or Feed from the Grid before running";
  if (!problem && ReadNumber(dietsTable.Text(kDietAmountRow, kDietAmountCol)) == 0)
    problem = "Need Feed Intakes: the Weight of diet 1 (its feed per pig) must be above 0";
  if (problem) {
    dialogs.Message(*problem);
    return false;
  }
  // From here on the run has started: the next step is no longer calibration.
  Button(Control::Calibration).backColor = kButtonFace;
  if ((problem = DietsProblem(dietsTable))) dialogs.Message(*problem);
  return !problem;
}

bool MainForm::ReadGrowthCurve(const HerdValues& herd, GrowthCurveRead& curve) {
  curve.defaults = app_.growth.defaultGrowthCoef;
  if (curve.defaults[0] == 0) curve.defaults = GrowthState{}.defaultGrowthCoef;
  for (int k = 0; k < kCoefCount; ++k) {
    const double value = ReadNumber(coefficientTable.Text(kCoefRow, k + 1));
    curve.fromDefault[k] = value == 0;
    curve.coef[k] = curve.fromDefault[k] ? curve.defaults[k] : value;
    if (!curve.fromDefault[k]) curve.defaults[k] = value;
  }
  for (int k = 0; k < 2; ++k) {
    if (curve.coef[k] == 0) {
      app_.dialogs.Message(kCoefMissing[k]);
      return false;
    }
  }
  return true;
}

void MainForm::TakeGrowthCurve(const GrowthCurveRead& curve) {
  GrowthState& growth = app_.growth;
  growth.defaultGrowthCoef = curve.defaults;
  growth.growthCoef = curve.coef;
  for (int k = 0; k < kCoefCount; ++k) {
    // In full, so the next run reads back what this one used.
    if (curve.fromDefault[k])
      coefficientTable.SetText(
          kCoefRow, k + 1, GeneralNumberText(curve.coef[k], growth.decimalComma));
  }
}

void MainForm::ClearRunResults() {
  ClearDailyRows();
  // ClearDailyRows keeps the last row and the carcass columns: they go too, so
  // nothing of an earlier run is left beside this one's rows.
  Grid& results = app_.resultsTable;
  results.Resize(kResultRows, kResultCols);
  results.ClearRange(kResultRows - 1, 0, kResultRows - 1, kResultCols - 1);
  results.ClearRange(1, kPigCountColumn + 1, kResultRows - 1, kResultCols - 1);
  costPerPig.text.clear();
  feedGain.text.clear();
  // The two herd fields a run fills are also calibration inputs: what the
  // user typed or a location loaded there stays.
  if (totalFeedIntake.text == runShown_.totalFeed) totalFeedIntake.text.clear();
  if (finalAge.text == runShown_.finalAge) finalAge.text.clear();
  runShown_ = {};
  coefficientTable.SetText(kCoefRow, kScoreCol, "");
  app_.growthResults = {};
}

void MainForm::RescaleHerdFields(double factor) {
  const GrowthState& growth = app_.growth;
  for (TextBox* field : {&startWeight, &finalWeight})
    RescaleText(field->text, factor, growth.decimalComma);
  if (!runShown_.totalFeed.empty() && totalFeedIntake.text == runShown_.totalFeed) {
    totalFeedIntake.text = NumberText(
        ConvertWeight(growth, kToDisplay, app_.growthResults.totalFeed), growth.decimalComma);
    runShown_.totalFeed = totalFeedIntake.text;
  } else {
    RescaleText(totalFeedIntake.text, factor, growth.decimalComma);
  }
}

void MainForm::ReadHerdInputs(const HerdValues& herd) {
  GrowthState& growth = app_.growth;
  growth.herdSex = static_cast<std::int16_t>(herdSex.selected);
  growth.feedChoice = static_cast<std::int16_t>(feedFormulation.selected);
  growth.startAge = static_cast<std::int16_t>(herd.startAge);
  growth.startWeight = herd.startKg;
  growth.finalWeight = herd.finalKg;
  growth.liveWeight[growth.startAge][kHerdColumn] = herd.startKg;
}

void MainForm::Growth() {
  GrowthState& growth = app_.growth;
  // Whatever this press ends in, no result of an earlier run stays shown.
  ClearRunResults();
  StatusText = std::string(kGrowthStoppedStatus);
  HerdValues herd;
  if (!GrowthInputsAccepted(herd)) return;
  GrowthCurveRead curve;
  if (!ReadGrowthCurve(herd, curve)) return;

  growth.dietCount = static_cast<std::int16_t>(DietsInUse(dietsTable));
  WriteResultHeadings(app_.resultsTable, growth.unitCodes[kWeightUnit]);
  TurnOffInput();  // "Show Input" off
  growth.showDailyRows = true;
  TakeGrowthCurve(curve);

  // Nought, blank or negative pig numbers mean the usual group of 20.
  const double pigs = std::nearbyint(ReadNumber(pigCount.text));
  growth.pigCount = pigs > 0 ? static_cast<std::int32_t>(std::min(pigs, 1e9)) : kDefaultHerdPigs;
  if (!(pigs > 0)) pigCount.text = std::to_string(kDefaultHerdPigs);

  LeastCostContext lp{app_.formulation, growth, *app_.formulationState, app_.dialogs};
  // A diet that could not be formulated keeps its old nutrients and shows its
  // weight total as its price: growing on it would report a wrong cost per
  // pig as if all were well. The user has been told which diet failed.
  if (feedFormulation.selected == kFeedLeastCost && !RunLp(lp, dietsTable)) return;
  if (growth.dietCount == 0) {
    app_.dialogs.Message("Need Diets");
    return;
  }
  TakeDietsFromTable(dietsTable, growth);
  ReadHerdInputs(herd);
  // The sex split owns cumFeed columns 1 and 2: the herd runs in column 0.
  growth.runSlot = 0;
  growth.growthFailed = false;
  growth.currentDiet = 1;
  growth.finalAge = 0;  // a run that stops short must not keep an earlier final age
  PigGrowth::RunGrowthDays(growth, &app_.resultsTable, &app_.dialogs);
  if (growth.cancelRun) return;
  if (growth.growthFailed) {
    app_.dialogs.Message(GrowthFailedMessage(growth, app_.resultsTable, dietsTable));
    return;
  }

  app_.growthResults =
      SummarizeGrowthRun(growth, dietsTable, ReadNumber(startWeight.text), app_.resultsTable);
  ShowGrowthResults();
  ShowRunComparison();
  ShowFormulaCosts();
  TrackRunChanges();
  Button(Control::RunOptimization).backColor = kLightGreen;
  ShowTargetScore();
  StatusText = GrowthStatus(ConvertWeight(growth, kToDisplay, app_.growthResults.finalWeight),
                            WeightUnitName(growth.unitCodes[kWeightUnit]),
                            growth.finalAge,
                            app_.growthResults.costPerPig,
                            growth.decimalComma);
  if (auto shortOf = ShortOfFinalWeight(growth)) app_.dialogs.Message(*shortOf);
}

void MainForm::ShowGrowthResults() {
  GrowthState& growth = app_.growth;
  const GrowthRunResults& run = app_.growthResults;
  const bool comma = growth.decimalComma;
  growth.totalFeedIntake = run.totalFeed;
  // The herd that was run: for a one-sex herd its own sex's feed, which the
  // daily table's "Tot FEED" also shows.
  totalFeedIntake.text = NumberText(ConvertWeight(growth, kToDisplay, run.totalFeed), comma);
  finalAge.text = NumberText(growth.finalAge, comma);
  runShown_ = {totalFeedIntake.text, finalAge.text};
  feedGain.text = NumberText(run.feedGain, comma);
  costPerPig.text = NumberText(run.costPerPig, comma);
}

void MainForm::ShowRunComparison() {
  const GrowthState& growth = app_.growth;
  const Grid& results = app_.resultsTable;
  const bool comma = growth.decimalComma;
  ComparisonColumn current;
  current[kCompareHerdSex] = herdSex.Text();
  current[kCompareLiveWeight] =
      NumberText(ConvertWeight(growth, kToDisplay, app_.growthResults.finalWeight), comma);
  current[kCompareFeedGain] = feedGain.text;
  current[kCompareFinalAge] = finalAge.text;
  current[kCompareCostPerPig] = costPerPig.text;
  current[kCompareEnergyPerGain] = results.Text(kEnergyPerGainRow, 1);
  current[kCompareStartWeight] = NumberText(ReadNumber(startWeight.text), comma);
  for (int d = 1; d <= kComparedDietFeeds; ++d)
    current[kCompareFirstDietFeed + d - 1] = results.Text(d, kSummaryFeedColumn);
  for (int d = 1; d <= kComparedChangeAges; ++d)
    current[kCompareFirstChangeAge + d - 1] = results.Text(d, kSummaryAgeColumn);
  PushCurrentRun(app_.comparison, current);
}

void MainForm::ShowFormulaCosts() {
  GrowthState& growth = app_.growth;
  FormulationState& state = *app_.formulationState;
  const double cost = app_.growthResults.costPerPig;
  PushRecentCost(state, cost);
  LeastCostContext lp{app_.formulation, growth, state, app_.dialogs};
  FormulaTableRefresh(lp, dietsTable, formulaTable, pigCount.text);
  // The herd's feed cost under the formulas' own cost column.
  const int row = formulaTable.Rows();
  formulaTable.SetRows(row + 1);
  formulaTable.SetText(row, 1, "Total Cost");
  formulaTable.SetText(row,
                       growth.dietCount + kTotalCostOffset,
                       NumberText(growth.pigCount * cost, growth.decimalComma));
}

void MainForm::TrackRunChanges() {
  // The last run's saved tables become the previous ones, marked where this
  // run's diets differ, before this run's tables are saved for the next;
  // saving first would compare the diets with themselves. The first run has
  // no earlier tables: its own are saved first, so its previous tables equal
  // the current ones.
  if (!initialRunDone) {
    ResetInitial();
    SaveRunTables();
    initialRunDone = true;
  }
  UpdatePreviousTables();
  SaveRunTables();
  ShowTrackedTables();
}

void MainForm::ShowTargetScore() {
  GrowthRunResults& run = app_.growthResults;
  run.scored = HasCalibrationTargets(app_.calibration);
  if (!run.scored) return;
  run.score = TargetScore(app_.growth, app_.calibration, run.totalFeed);
  coefficientTable.SetText(
      kCoefRow, kScoreCol, FormatNumber(run.score, "######.0#", app_.growth.decimalComma));
}

void MainForm::CostPerPigDoubleClicked() {
  ShowRecentCosts(*app_.formulationState, app_.dialogs, app_.growth.decimalComma);
}
