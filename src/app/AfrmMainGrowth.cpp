// The "Growth" command: one growth run of the herd on the diets of the diets
// table, or on least-cost formulas of them, with its results.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "app/AfrmMain.h"
#include "app/App.h"
#include "app/Comparison.h"
#include "app/NumberFormat.h"
#include "formulation/FeedOpt.h"
#include "formulation/FormulaTable.h"
#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "model/GrowthSummary.h"
#include "model/PigGrowth.h"
#include "model/Units.h"

namespace {

// Starting weights the growth model is made for, as typed.
constexpr double kLightestStart = 4;
constexpr double kHeaviestStart = 25;
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

bool AfrmMain::GrowthInputsAccepted() {
  Dialogs& dialogs = app_.dialogs;
  if (!app_.location.LocationLoaded) return false;
  const double start = ReadNumber(Text1.Text);
  if (start == 0) return false;
  if (start < kLightestStart) {
    dialogs.Message("Starting Weight must be 4 kg or more");
    return false;
  }
  if (start > kHeaviestStart) {
    dialogs.Message("Starting Weight must be 25 kg or less");
    return false;
  }
  if (ComboSex.ListIndex < 0) {
    dialogs.Message("Set the Herd Sex before running");
    return false;
  }
  if (Combo1.ListIndex != kFeedLeastCost && Combo1.ListIndex != kFeedGrid) {
    dialogs.Message("Choose Least Cost Feed or Feed from the Grid before running");
    return false;
  }
  if (ReadNumber(Griddiets.Text(kDietAmountRow, kDietAmountCol)) == 0) {
    dialogs.Message("Need Feed Intakes");
    return false;
  }
  // Without energy in diet 1 there is nothing to feed; the run ends quietly
  // and the results of the last run stay.
  return ReadNumber(Griddiets.Text(kDietEnergyRow, kDietAmountCol)) != 0;
}

bool AfrmMain::ReadGrowthCurve(GrowthCurveRead& curve) {
  curve.defaults = app_.pig.DefaultGrowthCoef;
  if (curve.defaults[0] == 0) curve.defaults = GlobalPig{}.DefaultGrowthCoef;
  for (int k = 0; k < kCoefCount; ++k) {
    const double value = ReadNumber(GridWeight.Text(kCoefRow, k + 1));
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
  GlobalPig& pig = app_.pig;
  pig.DefaultGrowthCoef = curve.defaults;
  pig.GrowthCoef = curve.coef;
  for (int k = 0; k < kCoefCount; ++k) {
    // In full, so the next run reads back what this one used.
    if (curve.fromDefault[k])
      GridWeight.SetText(kCoefRow, k + 1, GeneralNumberText(curve.coef[k], pig.DecimalComma));
  }
}

void AfrmMain::ClearResultsTable() {
  ClearGrid1();
  // ClearGrid1 keeps the last row and the carcass columns: they go too, so
  // nothing of an earlier run is left beside this one's rows.
  Grid& results = app_.Grid1;
  results.Resize(kResultRows, kResultCols);
  results.ClearRange(kResultRows - 1, 0, kResultRows - 1, kResultCols - 1);
  results.ClearRange(1, kPigCountColumn + 1, kResultRows - 1, kResultCols - 1);
}

void AfrmMain::ReadHerdInputs() {
  GlobalPig& pig = app_.pig;
  pig.HerdSex = static_cast<std::int16_t>(ComboSex.ListIndex);
  pig.FeedChoice = static_cast<std::int16_t>(Combo1.ListIndex);
  const double start = ConvertWeight(pig, kToInternal, ReadNumber(Text1.Text));
  const double age = std::trunc(ReadNumber(Text2.Text));
  // Ages outside the day tables are kept out of them: the run then does not
  // start.
  pig.StartAge = static_cast<std::int16_t>(std::clamp(age, -1.0, kMaxAge + 1.0));
  pig.FinalWeight = ConvertWeight(pig, kToInternal, ReadNumber(Text3.Text));
  pig.StartWeight = start;
  if (pig.StartAge >= 0 && pig.StartAge <= kMaxAge) pig.LiveWeight[pig.StartAge][0] = start;
}

void AfrmMain::RunGrowth() {
  GlobalPig& pig = app_.pig;
  if (!GrowthInputsAccepted()) return;
  GrowthCurveRead curve;
  if (!ReadGrowthCurve(curve)) return;

  Command[2].BackColor = kButtonFace;
  ClearResultsTable();
  pig.NumDiets = static_cast<std::int16_t>(DietsInUse(Griddiets));
  WriteResultHeadings(app_.Grid1);
  Option2_Click();  // "Show Input" off
  pig.ShowDailyRows = true;
  TakeGrowthCurve(curve);

  // Nought, blank or negative pig numbers mean the usual group of 20.
  const double pigs = std::nearbyint(ReadNumber(TextPigNo.Text));
  pig.HerdPigs = pigs > 0 ? static_cast<std::int32_t>(std::min(pigs, 1e9)) : kDefaultHerdPigs;
  if (!(pigs > 0)) TextPigNo.Text = std::to_string(kDefaultHerdPigs);

  FeedOptContext lp{app_.formulation, pig, *app_.formulationState, app_.dialogs};
  // A diet that could not be formulated keeps its old nutrients and shows its
  // weight total as its price: growing on it would report a wrong cost per
  // pig as if all were well. The user has been told which diet failed.
  if (Combo1.ListIndex == kFeedLeastCost && !RunLP(lp, Griddiets)) return;
  if (pig.NumDiets == 0) {
    app_.dialogs.Message("Need Diets");
    return;
  }
  TakeDietsFromTable(Griddiets, pig);
  ReadHerdInputs();
  // The sex split owns CumFeed columns 1 and 2: the herd runs in column 0.
  pig.RunSlot = 0;
  if (pig.StartAge < 0 || pig.StartAge > kMaxAge) return;
  pig.GrowthFailed = false;
  pig.CurrentDiet = 1;
  pig.FinalAge = 0;  // a run that stops short must not keep an earlier final age
  PigGrowth::RunGrowthDays(pig, &app_.Grid1, &app_.dialogs);
  if (pig.CancelRun) return;
  if (pig.GrowthFailed) {
    // The fields would otherwise show an earlier run's results beside this
    // one's partial rows.
    TextPrice.Text.clear();
    TextFeedGain.Text.clear();
    return;
  }

  app_.growthResults = SummarizeGrowthRun(pig, Griddiets, ReadNumber(Text1.Text), app_.Grid1);
  ShowGrowthResults();
  ShowRunComparison();
  ShowFormulaCosts();
  TrackRunChanges();
  Command[9].BackColor = kLightGreen;
  ShowTargetScore();
}

void AfrmMain::ShowGrowthResults() {
  GlobalPig& pig = app_.pig;
  const GrowthRunResults& run = app_.growthResults;
  const bool comma = pig.DecimalComma;
  pig.TotalFeedIntake = run.totalFeed;
  // The herd that was run: for a one-sex herd its own sex's feed, which the
  // daily table's "Tot FEED" also shows.
  Text4.Text = NumberText(ConvertWeight(pig, kToDisplay, run.totalFeed), comma);
  Text5.Text = NumberText(pig.FinalAge, comma);
  TextFeedGain.Text = NumberText(run.feedGain, comma);
  TextPrice.Text = NumberText(run.costPerPig, comma);
}

void AfrmMain::ShowRunComparison() {
  const GlobalPig& pig = app_.pig;
  const Grid& results = app_.Grid1;
  const bool comma = pig.DecimalComma;
  ComparisonColumn current;
  current[kCompareHerdSex] = ComboSex.Text();
  current[kCompareLiveWeight] =
      NumberText(ConvertWeight(pig, kToDisplay, app_.growthResults.finalWeight), comma);
  current[kCompareFeedGain] = TextFeedGain.Text;
  current[kCompareFinalAge] = Text5.Text;
  current[kCompareCostPerPig] = TextPrice.Text;
  current[kCompareEnergyPerGain] = results.Text(kEnergyPerGainRow, 1);
  current[kCompareStartWeight] = NumberText(ReadNumber(Text1.Text), comma);
  for (int d = 1; d <= kComparedDietFeeds; ++d)
    current[kCompareFirstDietFeed + d - 1] = results.Text(d, kSummaryFeedColumn);
  for (int d = 1; d <= kComparedChangeAges; ++d)
    current[kCompareFirstChangeAge + d - 1] = results.Text(d, kSummaryAgeColumn);
  PushCurrentRun(app_.comparison, current);
}

void AfrmMain::ShowFormulaCosts() {
  GlobalPig& pig = app_.pig;
  FormulationState& state = *app_.formulationState;
  const double cost = app_.growthResults.costPerPig;
  PushRecentCost(state, cost);
  FeedOptContext lp{app_.formulation, pig, state, app_.dialogs};
  FormulaTableRefresh(lp, Griddiets, Gridformula, TextPigNo.Text);
  // The herd's feed cost under the formulas' own cost column.
  const int row = Gridformula.Rows();
  Gridformula.SetRows(row + 1);
  Gridformula.SetText(row, 1, "Total Cost");
  Gridformula.SetText(
      row, pig.NumDiets + kTotalCostOffset, NumberText(pig.HerdPigs * cost, pig.DecimalComma));
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
  run.score = TargetScore(app_.pig, app_.calibration, run.totalFeed);
  GridWeight.SetText(
      kCoefRow, kScoreCol, FormatNumber(run.score, "######.0#", app_.pig.DecimalComma));
}

void AfrmMain::TextPrice_DblClick() {
  ShowRecentCosts(*app_.formulationState, app_.dialogs, app_.pig.DecimalComma);
}
