// The "Calibration" command and the calibration run, the correlations of a
// run with the weighings, and the calibration test window's button.
#include <algorithm>
#include <array>
#include <string>

#include "app/App.h"
#include "app/MainForm.h"
#include "calibration/CalibrationCommand.h"
#include "calibration/GrowthCurveFit.h"
#include "calibration/ThoroughFit.h"
#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "model/PigGrowth.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"
#include "platform/TextFile.h"

namespace {

void ShowCoefficients(Grid& coefficientTable,
                      const std::array<double, kCoefCount>& coef,
                      bool comma) {
  for (int k = 0; k < kCoefCount; ++k)
    coefficientTable.SetText(kCoefRow, k + 1, CoefficientText(coef[k], comma));
}

// Where a fit starts: the coefficient table, B0..B4 from the start set when
// it has no B0, or the restart set after a fit that ended on a negative B3.
std::array<double, kCoefCount> FitStart(Grid& coefficientTable,
                                        const GrowthCurveFit::FitState& fit,
                                        bool comma) {
  std::array<double, kCoefCount> start{};
  for (int k = 0; k < kCoefCount; ++k)
    start[k] = ReadNumber(coefficientTable.Text(kCoefRow, k + 1));
  if (start[0] == 0) {
    start = kCalibStartCoef;
    ShowCoefficients(coefficientTable, start, comma);
  }
  if (fit.fitValue == GrowthCurveFit::kNegativeB3Score) start = kCalibRestartCoef;
  return start;
}

// One run with the fitted curve from the start of the herd: its final age
// and its feed from the start to the day after the final age, against what
// the farm observed.
FitAgainstObserved RunFittedCurve(GrowthState& growth,
                                  const CalibrationData& calib,
                                  CalibrationOutcome& outcome) {
  FitAgainstObserved fit;
  fit.observedAge = calib.herdInputs[kHerdFinalAge];
  fit.observedFeed = calib.herdInputs[kHerdTotalFeed];
  if (growth.startAge < 0 || growth.startAge > kMaxAge) return fit;
  growth.growthFailed = false;
  growth.finalAge = 0;
  growth.currentDiet = 1;
  growth.liveWeight[growth.startAge][kHerdColumn] = growth.startWeight;
  PigGrowth::RunGrowthDays(growth);
  const int last = std::min(GrowthCurveFit::RoundDay(growth.finalAge + 1), kMaxAge);
  double feed = 0;
  for (int d = growth.startAge; d <= last; ++d) feed += growth.dailyFeed[d][kHerdColumn];
  growth.cumFeed[growth.runSlot] = feed;
  outcome.finalAge = growth.finalAge;
  outcome.totalFeed = ConvertWeight(growth, kToDisplay, feed);
  fit.grew =
      !growth.growthFailed &&
      growth.liveWeight[GrowthCurveFit::RunEndDay(growth)][kHerdColumn] >= growth.finalWeight;
  fit.finalAge = outcome.finalAge;
  fit.totalFeed = outcome.totalFeed;
  return fit;
}

// "Yes" to the save question: the calibration name becomes the location,
// its ".plt" file gets the fitted curve, and the "Growth" command shows it.
bool SaveFittedCurve(MainForm& form, App& app) {
  form.SetFileNames(form.CalibrationBase());
  const Location& location = app.location;
  form.filesTable.SetText(kPltRow, 0, location.calibrationFile);
  const bool saved =
      WriteCalibrationFile(location.calibrationFile,
                           PltFromState(form.coefficientTable, app.calibration, app.growth),
                           PltStyle::Fitted,
                           app.dialogs,
                           "CalibrationRun");
  form.Growth();
  return saved;
}

// The save question, which names a poor fit, so that one is saved only on
// the user's own Yes; run unattended, a poor fit is reported and not saved.
// Anything but a save leaves "Growth" waiting for a location.
void OfferToSave(MainForm& form, App& app, CalibrationOutcome& outcome) {
  Dialogs& dialogs = app.dialogs;
  const bool poor = !outcome.poorFit.empty();
  if (poor && app.calibrationInputsForm.unattended) {
    dialogs.Message(outcome.poorFit + "  It was not saved.");
    app.location.loaded = false;
    return;
  }
  std::string question = SaveCalibrationQuestion(
      outcome.finalAge, outcome.totalFeed, form.locationName.text, app.growth.decimalComma);
  if (poor) question = outcome.poorFit + "  " + question;
  if (dialogs.Message(question, Buttons::YesNo) != Answer::Yes) {
    app.location.loaded = false;
    return;
  }
  outcome.saved = SaveFittedCurve(form, app);
}

}  // namespace

MainForm::Window MainForm::Calibration(std::optional<std::string> given) {
  Dialogs& dialogs = app_.dialogs;
  CalibrationData& calib = app_.calibration;
  const std::string name = locationName.text;
  if (herdSex.selected < 0) {
    dialogs.Message(kNoHerdSexMessage);
    return Window::None;
  }
  if (ReadNumber(dietsTable.Text(kDietEnergyRow, 1)) == 0) {
    dialogs.Message(kNoDietsMessage);
    return Window::None;
  }
  const std::string answer =
      given ? *given : dialogs.Input(CalibrationNamePrompt(name), kCalibrationNameTitle, name);
  if (answer.empty()) return Window::None;

  ShowWeightUnit();
  locationName.text = answer;

  const std::string& calFile = app_.location.observationsFile;
  if (!calFile.empty() && TextFile::Exists(calFile)) {
    if (LoadCalibrationRows(calFile, calib).dataLoaded) calibrationDataLoaded.checked = true;
  }
  TextBox* fields[] = {nullptr, &startWeight, &startAge, &finalWeight, &totalFeedIntake, &finalAge};
  const bool fromFields = calib.herdInputs[kHerdStartWeight] == 0;
  for (int k = 1; k <= kHerdInputs; ++k) {
    if (fromFields) {
      calib.herdInputs[k] = ReadNumber(fields[k]->text);
    } else {
      fields[k]->text = HerdInputText(calib.herdInputs[k], app_.growth.decimalComma);
    }
  }
  app_.calibrationInputsForm.Open();
  return Window::Calibration;
}

std::string MainForm::CalibrationBase() const {
  return ResolveInFolder(app_.location.dataFolder, locationName.text);
}

bool MainForm::CalibrationDietsReady() {
  GrowthState& growth = app_.growth;
  const CalibrationData& calib = app_.calibration;
  growth.dietCount = static_cast<std::int16_t>(DietsInUse(dietsTable, kMaxDiets));
  int fed = 0;  // the last of the first six diets with a feed amount
  for (int d = 1; d <= kRunDietColumns; ++d)
    if (ReadNumber(dietsTable.Text(kDietAmountRow, d)) != 0) fed = d;
  if (growth.dietCount == 0 || fed != growth.dietCount) {
    app_.dialogs.Message(kDietInfoMessage);
    return false;
  }
  growth.currentDiet = 1;
  TakeDietsFromTable(dietsTable, growth);

  // Ages outside the day tables leave the run without a day to start from.
  const double age = std::clamp(calib.herdInputs[kHerdStartAge], -1.0, kMaxAge + 1.0);
  growth.startAge = static_cast<std::int16_t>(age);
  growth.startWeight = ConvertWeight(growth, kToInternal, calib.herdInputs[kHerdStartWeight]);
  if (growth.startAge >= 0 && growth.startAge <= kMaxAge)
    growth.liveWeight[growth.startAge][kHerdColumn] = growth.startWeight;
  growth.finalWeight = ConvertWeight(growth, kToInternal, calib.herdInputs[kHerdFinalWeight]);
  growth.totalFeedIntake = ConvertWeight(growth, kToInternal, calib.herdInputs[kHerdTotalFeed]);
  return true;
}

CalibrationOutcome MainForm::CalibrationRun() {
  GrowthState& growth = app_.growth;
  Dialogs& dialogs = app_.dialogs;
  CalibrationOutcome outcome;
  // Every check comes before any change of the coefficients.
  if (auto message = DietCheckMessage(dietsTable, growth, growth.dietCount)) {
    dialogs.Message(*message);
    return outcome;
  }
  ShowTab(kTabDailyGrowth);
  if (!CalibrationDietsReady()) return outcome;

  const auto start = FitStart(coefficientTable, app_.fitState, growth.decimalComma);
  growth.growthCoef = start;
  growth.defaultGrowthCoef = start;
  app_.location.loaded = true;  // lets the "Growth" command run
  if (app_.calibration.observations[1][kObsAge] != 0) calibrationDataLoaded.checked = true;

  const CalibrationInputsForm& screen = app_.calibrationInputsForm;
  GrowthCurveFit::FitContext fit{growth,
                                 app_.calibration,
                                 app_.fitState,
                                 &coefficientTable,
                                 &dialogs,
                                 screen.onProgress,
                                 screen.progressEvery,
                                 {}};
  const FitStages stages = CalibrateInStages(fit, screen.thoroughSearch.checked);
  outcome.fit = stages.summary;
  outcome.classic = stages.classic;
  outcome.thorough = stages.thorough;
  outcome.thoroughRan = stages.thoroughRan;
  outcome.status = outcome.fit.status == GrowthCurveFit::FitStatus::Cancelled
                       ? CalibrationStatus::Cancelled
                       : CalibrationStatus::Finished;
  // The fit grows a mixed herd; the location keeps the sex the user chose.
  growth.herdSex = static_cast<std::int16_t>(herdSex.selected);
  growth.cancelRun = false;  // the run below and the next "Growth" must run

  const FitAgainstObserved fitted = RunFittedCurve(growth, app_.calibration, outcome);
  outcome.weighings = CompareWeighings(growth, app_.calibration);
  const std::string unit = WeightUnitName(growth.unitCodes[kWeightUnit]);
  outcome.poorFit = PoorFitMessage(fitted, unit, growth.decimalComma).value_or("");
  OfferToSave(*this, app_, outcome);
  return outcome;
}

void MainForm::ShowFitCorrelations() {
  WriteFitCorrelations(app_.resultsTable,
                       app_.calibration,
                       app_.growth.dietCount,
                       app_.growth.decimalComma,
                       app_.dialogs);
}

MainForm::Window MainForm::OpenCalibrationTest() {
  app_.calibrationTestForm.Open();
  return Window::CalibrationTest;
}
