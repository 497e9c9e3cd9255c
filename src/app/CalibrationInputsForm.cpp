#include "app/CalibrationInputsForm.h"

#include <algorithm>
#include <string>

#include "app/App.h"
#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"

namespace {

constexpr int kAgeCol = 0;
constexpr int kWeightCol = 1;
constexpr int kFeedCol = 2;
constexpr int kStartRow = 1;

constexpr const char* kFieldCaptions[] = {
    "", "Starting Weight", "Starting Age", "Final Weight", "Total Feed Intake", "Final Age"};

constexpr int kColumnWidth = 100;  // pixels

}  // namespace

CalibrationInputsForm::CalibrationInputsForm(App& app) : app_(app) {
  for (int k = 1; k <= kHerdInputs; ++k) herdFields[k].caption = kFieldCaptions[k];
  herdFields[kHerdTotalFeed].toolTip = "Total Feed Intake only needed for Calibration";
  // Column 0 holds the ages the user types, not headings.
  weighingsTable.SetFixedCols(0);
  // Wide enough for the headings ("Feed Intake" and the like).
  for (int col = kAgeCol; col <= kFeedCol; ++col) weighingsTable.SetColWidth(col, kColumnWidth);
}

void CalibrationInputsForm::ShowUnitCaptions() {
  // The weight's own code: with energy in Mcal or MJ the two codes differ.
  const bool kg = app_.growth.unitCodes[kWeightUnit] == 0;
  weighingsTable.SetText(0, kAgeCol, "Age , Days");
  weighingsTable.SetText(0, kWeightCol, kg ? "Weight,Kg" : "Weight,lbs");
  weighingsTable.SetText(0, kFeedCol, "Feed Intake");
  herdFields[kHerdStartWeight].caption = kg ? "Starting Weight,Kg" : "Starting Weight,lbs";
  herdFields[kHerdFinalWeight].caption = kg ? "Final Weight,Kg" : "Final Weight,lbs";
}

void CalibrationInputsForm::Open() {
  GrowthState& growth = app_.growth;
  const CalibrationData& calib = app_.calibration;
  const Grid& diets = app_.mainForm.dietsTable;
  const bool comma = growth.decimalComma;
  for (int k = 1; k <= kHerdInputs; ++k)
    herdFields[k].text = HerdInputText(calib.herdInputs[k], comma);

  if (auto codes = UnitCodesForEnergy(growth, ReadNumber(diets.Text(kDietEnergyRow, 1))))
    growth.unitCodes = *codes;
  ShowUnitCaptions();

  resultShown = false;
  // Nothing of an earlier opening stays in the table.
  weighingsTable.ClearRange(1, 0, weighingsTable.Rows() - 1, weighingsTable.Cols() - 1);
  weighingsTable.SetText(
      kStartRow, kAgeCol, GeneralNumberText(calib.herdInputs[kHerdStartAge], comma));
  weighingsTable.SetText(
      kStartRow, kWeightCol, GeneralNumberText(calib.herdInputs[kHerdStartWeight], comma));
  weighingsTable.SetText(kStartRow, kFeedCol, "0");

  int numDiets = 0;
  for (int d = 1; d <= kRunDietColumns; ++d)
    if (ReadNumber(diets.Text(kDietAmountRow, d)) > 0) numDiets = d;
  growth.dietCount = static_cast<std::int16_t>(numDiets);
  for (int d = 1; d <= numDiets; ++d)
    weighingsTable.SetText(d + 1, kFeedCol, diets.Text(kDietAmountRow, d));

  // Every row loaded, with the feed recorded for it (a row without one
  // keeps its diet's feed amount); then, unless a weighing stands there,
  // the final age and weight at the end of the last diet.
  const int loaded = RowsHeld(calib);
  for (int r = 1; r <= loaded; ++r) {
    const auto& obs = calib.observations[r];
    weighingsTable.SetText(r, kAgeCol, GeneralNumberText(obs[kObsAge], comma));
    weighingsTable.SetText(r, kWeightCol, GeneralNumberText(obs[kObsWeight], comma));
    if (obs[kObsFeed] != 0)
      weighingsTable.SetText(r, kFeedCol, GeneralNumberText(obs[kObsFeed], comma));
  }
  if (numDiets + 1 > loaded) {
    weighingsTable.SetText(
        numDiets + 1, kAgeCol, GeneralNumberText(calib.herdInputs[kHerdFinalAge], comma));
    weighingsTable.SetText(
        numDiets + 1, kWeightCol, GeneralNumberText(calib.herdInputs[kHerdFinalWeight], comma));
  }
  weighingsTable.SetEdited(false);
  working = false;
  visible = true;
}

// The rows of the table become the observation rows.
int CalibrationInputsForm::StoreRows(double& totalFeed) {
  CalibrationData& calib = app_.calibration;
  totalFeed = 0;
  calib.observationCount = 0;
  for (int r = 1; r <= kMaxCalibRows; ++r) {
    auto& obs = calib.observations[r];
    obs = {ReadNumber(weighingsTable.Text(r, kAgeCol)),
           ReadNumber(weighingsTable.Text(r, kWeightCol)),
           ReadNumber(weighingsTable.Text(r, kFeedCol))};
    totalFeed += obs[kObsFeed];
    if (obs[kObsFeed] != 0) calib.observationCount = static_cast<std::int16_t>(r);
  }
  return calib.observationCount;
}

void CalibrationInputsForm::WarnAboutWeights() {
  const CalibrationData& calib = app_.calibration;
  Dialogs& dialogs = app_.dialogs;
  if (calib.observations[kStartRow][kObsWeight] < kCalibLightestStart)
    dialogs.Message(kLightStartMessage);
  if (calib.observations[calib.observationCount][kObsWeight] > kCalibHeaviestFinish)
    dialogs.Message(kHeavyFinishMessage);
}

void CalibrationInputsForm::StoreHerdInputs(double totalFeed) {
  CalibrationData& calib = app_.calibration;
  const auto& first = calib.observations[kStartRow];
  const auto& last = calib.observations[calib.observationCount];
  calib.herdInputs = {
      0, first[kObsWeight], first[kObsAge], last[kObsWeight], totalFeed, last[kObsAge]};
  const bool comma = app_.growth.decimalComma;
  for (int k = 1; k <= kHerdInputs; ++k) {
    herdFields[k].text = GeneralNumberText(calib.herdInputs[k], comma);
    if (calib.herdInputs[k] == 0) app_.dialogs.Message(kHerdZeroMessages[k]);
  }
}

CalibrationOutcome CalibrationInputsForm::ContinueCalibration() {
  GrowthState& growth = app_.growth;
  CalibrationData& calib = app_.calibration;
  MainForm& main = app_.mainForm;
  working = true;
  // A stop asked for before this run must not end it.
  growth.cancelRun = false;
  if (onProgress) onProgress(0, 0);

  double totalFeed = 0;
  if (StoreRows(totalFeed) >= 1) {
    growth.dietCount = static_cast<std::int16_t>(calib.observationCount - 1);
    if (calib.observations[2][kObsAge] != 0) main.calibrationDataLoaded.checked = true;
  }
  WarnAboutWeights();
  if (!unattended) WriteRows();
  StoreHerdInputs(totalFeed);

  const bool comma = growth.decimalComma;
  main.totalFeedIntake.toolTip = InitialValueTip(calib.herdInputs[kHerdTotalFeed], comma);
  main.finalAge.toolTip = InitialValueTip(calib.herdInputs[kHerdFinalAge], comma);
  TextBox* fields[] = {nullptr,
                       &main.startWeight,
                       &main.startAge,
                       &main.finalWeight,
                       &main.totalFeedIntake,
                       &main.finalAge};
  for (int k = 1; k <= kHerdInputs; ++k) fields[k]->text = herdFields[k].text;

  const CalibrationOutcome outcome = main.CalibrationRun();
  working = false;
  weighingsTable.SetEdited(false);  // stored, and written or said why not
  // A fit stays on the screen with its result; a run a check stopped closes it.
  resultShown = outcome.status != CalibrationStatus::Stopped;
  visible = resultShown;
  if (resultShown) ShowResult(outcome);
  return outcome;
}

void CalibrationInputsForm::ShowResult(const CalibrationOutcome& outcome) {
  const bool comma = app_.growth.decimalComma;
  const std::string unit = WeightUnitName(app_.growth.unitCodes[kWeightUnit]);
  FillWeighingGrid(weighingFitTable, outcome.weighings, unit, comma);
  FillSearchStagesGrid(stagesTable,
                       kScoreCaption,
                       kRunsCountCaption,
                       outcome.classic,
                       outcome.thoroughRan ? &outcome.thorough : nullptr,
                       comma);
}

RowsWrite CalibrationInputsForm::WriteRows() {
  const CalibrationData& calib = app_.calibration;
  const std::string path = app_.mainForm.CalibrationBase() + std::string(kCalSuffix);
  return WriteCalibrationRows(path, calib, RowsHeld(calib), app_.dialogs);
}

void CalibrationInputsForm::Popup(PopupAction action) {
  PopupCommand(action, &weighingsTable, app_.dialogs);
}

void CalibrationInputsForm::Cancel() {
  if (working) app_.growth.cancelRun = true;
}

std::string CalibrationInputsForm::ProgressText(long growthRuns, double bestFit) const {
  std::string text = std::string(kRunsCaption) + std::to_string(growthRuns);
  if (growthRuns > 0)
    text += std::string(kBestCaption) + ShortNumberText(bestFit, app_.growth.decimalComma);
  return text;
}

bool CalibrationInputsForm::SaveInputs() {
  double totalFeed = 0;
  StoreRows(totalFeed);
  if (WriteRows() != RowsWrite::Written) return false;
  weighingsTable.SetEdited(false);
  return true;
}
