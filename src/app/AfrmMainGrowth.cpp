// The "Growth" command: one growth run of the herd on the diets of the diets
// table, or on least-cost formulas of them, with its results.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "app/AfrmMain.h"
#include "app/App.h"
#include "app/Comparison.h"
#include "app/GrowthChecks.h"
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
struct AfrmMain::GrowthCurveRead {
  std::array<double, kCoefCount> coef{};
  std::array<double, kCoefCount> defaults{};
  std::array<bool, kCoefCount> fromDefault{};
};

bool AfrmMain::GrowthInputsAccepted(HerdValues& herd) {
  Dialogs& dialogs = app_.dialogs;
  const GrowthState& growth = app_.growth;
  std::optional<std::string> problem;
  if (!app_.location.loaded) problem = NoLocationMessage(app_.location);
  if (!problem) problem = HerdFieldsProblem(Text1.text, Text2.text, Text3.text, growth, herd);
  if (!problem && ComboSex.selected < 0) problem = "Set the Herd Sex before running";
  if (!problem && Combo1.selected != kFeedLeastCost && Combo1.selected != kFeedGrid)
    problem = "Choose Least Cost Feed or Feed from the Grid before running";
  if (!problem && ReadNumber(dietsTable.Text(kDietAmountRow, kDietAmountCol)) == 0)
    problem = "Need Feed Intakes: the Weight of diet 1 (its feed per pig) must be above 0";
  if (problem) {
    dialogs.Message(*problem);
    return false;
  }
  // From here on the run has started: the next step is no longer calibration.
  Command[2].backColor = kButtonFace;
  if ((problem = DietsProblem(dietsTable))) dialogs.Message(*problem);
  return !problem;
}

bool AfrmMain::ReadGrowthCurve(const HerdValues& herd, GrowthCurveRead& curve) {
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

void AfrmMain::TakeGrowthCurve(const GrowthCurveRead& curve) {
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

void AfrmMain::ClearRunResults() {
  ClearGrid1();
  // ClearGrid1 keeps the last row and the carcass columns: they go too, so
  // nothing of an earlier run is left beside this one's rows.
  Grid& results = app_.Grid1;
  results.Resize(kResultRows, kResultCols);
  results.ClearRange(kResultRows - 1, 0, kResultRows - 1, kResultCols - 1);
  results.ClearRange(1, kPigCountColumn + 1, kResultRows - 1, kResultCols - 1);
  TextPrice.text.clear();
  TextFeedGain.text.clear();
  // The two herd fields a run fills are also calibration inputs: what the
  // user typed or a location loaded there stays.
  if (Text4.text == runShown_.totalFeed) Text4.text.clear();
  if (Text5.text == runShown_.finalAge) Text5.text.clear();
  runShown_ = {};
  coefficientTable.SetText(kCoefRow, kScoreCol, "");
  app_.growthResults = {};
}

void AfrmMain::RescaleHerdFields(double factor) {
  const GrowthState& growth = app_.growth;
  for (TextBox* field : {&Text1, &Text3}) RescaleText(field->text, factor, growth.decimalComma);
  if (!runShown_.totalFeed.empty() && Text4.text == runShown_.totalFeed) {
    Text4.text = NumberText(ConvertWeight(growth, kToDisplay, app_.growthResults.totalFeed),
                            growth.decimalComma);
    runShown_.totalFeed = Text4.text;
  } else {
    RescaleText(Text4.text, factor, growth.decimalComma);
  }
}

void AfrmMain::ReadHerdInputs(const HerdValues& herd) {
  GrowthState& growth = app_.growth;
  growth.herdSex = static_cast<std::int16_t>(ComboSex.selected);
  growth.feedChoice = static_cast<std::int16_t>(Combo1.selected);
  growth.startAge = static_cast<std::int16_t>(herd.startAge);
  growth.startWeight = herd.startKg;
  growth.finalWeight = herd.finalKg;
  growth.liveWeight[growth.startAge][kHerdColumn] = herd.startKg;
}

void AfrmMain::RunGrowth() {
  GrowthState& growth = app_.growth;
  // Whatever this press ends in, no result of an earlier run stays shown.
  ClearRunResults();
  HerdValues herd;
  if (!GrowthInputsAccepted(herd)) return;
  GrowthCurveRead curve;
  if (!ReadGrowthCurve(herd, curve)) return;

  growth.dietCount = static_cast<std::int16_t>(DietsInUse(dietsTable));
  WriteResultHeadings(app_.Grid1, growth.unitCodes[kWeightUnit]);
  Option2_Click();  // "Show Input" off
  growth.showDailyRows = true;
  TakeGrowthCurve(curve);

  // Nought, blank or negative pig numbers mean the usual group of 20.
  const double pigs = std::nearbyint(ReadNumber(TextPigNo.text));
  growth.pigCount = pigs > 0 ? static_cast<std::int32_t>(std::min(pigs, 1e9)) : kDefaultHerdPigs;
  if (!(pigs > 0)) TextPigNo.text = std::to_string(kDefaultHerdPigs);

  LeastCostContext lp{app_.formulation, growth, *app_.formulationState, app_.dialogs};
  // A diet that could not be formulated keeps its old nutrients and shows its
  // weight total as its price: growing on it would report a wrong cost per
  // pig as if all were well. The user has been told which diet failed.
  if (Combo1.selected == kFeedLeastCost && !RunLp(lp, dietsTable)) return;
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
  PigGrowth::RunGrowthDays(growth, &app_.Grid1, &app_.dialogs);
  if (growth.cancelRun) return;
  if (growth.growthFailed) {
    app_.dialogs.Message(GrowthFailedMessage(growth, app_.Grid1, dietsTable));
    return;
  }

  app_.growthResults = SummarizeGrowthRun(growth, dietsTable, ReadNumber(Text1.text), app_.Grid1);
  ShowGrowthResults();
  ShowRunComparison();
  ShowFormulaCosts();
  TrackRunChanges();
  Command[9].backColor = kLightGreen;
  ShowTargetScore();
  if (auto shortOf = ShortOfFinalWeight(growth)) app_.dialogs.Message(*shortOf);
}

void AfrmMain::ShowGrowthResults() {
  GrowthState& growth = app_.growth;
  const GrowthRunResults& run = app_.growthResults;
  const bool comma = growth.decimalComma;
  growth.totalFeedIntake = run.totalFeed;
  // The herd that was run: for a one-sex herd its own sex's feed, which the
  // daily table's "Tot FEED" also shows.
  Text4.text = NumberText(ConvertWeight(growth, kToDisplay, run.totalFeed), comma);
  Text5.text = NumberText(growth.finalAge, comma);
  runShown_ = {Text4.text, Text5.text};
  TextFeedGain.text = NumberText(run.feedGain, comma);
  TextPrice.text = NumberText(run.costPerPig, comma);
}

void AfrmMain::ShowRunComparison() {
  const GrowthState& growth = app_.growth;
  const Grid& results = app_.Grid1;
  const bool comma = growth.decimalComma;
  ComparisonColumn current;
  current[kCompareHerdSex] = ComboSex.Text();
  current[kCompareLiveWeight] =
      NumberText(ConvertWeight(growth, kToDisplay, app_.growthResults.finalWeight), comma);
  current[kCompareFeedGain] = TextFeedGain.text;
  current[kCompareFinalAge] = Text5.text;
  current[kCompareCostPerPig] = TextPrice.text;
  current[kCompareEnergyPerGain] = results.Text(kEnergyPerGainRow, 1);
  current[kCompareStartWeight] = NumberText(ReadNumber(Text1.text), comma);
  for (int d = 1; d <= kComparedDietFeeds; ++d)
    current[kCompareFirstDietFeed + d - 1] = results.Text(d, kSummaryFeedColumn);
  for (int d = 1; d <= kComparedChangeAges; ++d)
    current[kCompareFirstChangeAge + d - 1] = results.Text(d, kSummaryAgeColumn);
  PushCurrentRun(app_.comparison, current);
}

void AfrmMain::ShowFormulaCosts() {
  GrowthState& growth = app_.growth;
  FormulationState& state = *app_.formulationState;
  const double cost = app_.growthResults.costPerPig;
  PushRecentCost(state, cost);
  LeastCostContext lp{app_.formulation, growth, state, app_.dialogs};
  FormulaTableRefresh(lp, dietsTable, formulaTable, TextPigNo.text);
  // The herd's feed cost under the formulas' own cost column.
  const int row = formulaTable.Rows();
  formulaTable.SetRows(row + 1);
  formulaTable.SetText(row, 1, "Total Cost");
  formulaTable.SetText(row,
                       growth.dietCount + kTotalCostOffset,
                       NumberText(growth.pigCount * cost, growth.decimalComma));
}

void AfrmMain::TrackRunChanges() {
  // The last run's saved tables become the previous ones, marked where this
  // run's diets differ, before this run's tables are saved for the next;
  // saving first would compare the diets with themselves. The first run has
  // no earlier tables: its own are saved first, so its previous tables equal
  // the current ones.
  if (!InitialRunDone) {
    ResetInitial();
    GridSave();
    InitialRunDone = true;
  }
  trackupdate();
  GridSave();
  trackwrite();
}

void AfrmMain::ShowTargetScore() {
  GrowthRunResults& run = app_.growthResults;
  run.scored = HasCalibrationTargets(app_.calibration);
  if (!run.scored) return;
  run.score = TargetScore(app_.growth, app_.calibration, run.totalFeed);
  coefficientTable.SetText(
      kCoefRow, kScoreCol, FormatNumber(run.score, "######.0#", app_.growth.decimalComma));
}

void AfrmMain::TextPrice_DblClick() {
  ShowRecentCosts(*app_.formulationState, app_.dialogs, app_.growth.decimalComma);
}
