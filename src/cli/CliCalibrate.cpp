#include "cli/CliCalibrate.h"

#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/CalibrationInputsForm.h"
#include "calibration/CalibrationCommand.h"
#include "cli/CliOutput.h"
#include "cli/CliSearchStages.h"
#include "cli/CliSession.h"
#include "model/Units.h"
#include "platform/Location.h"
#include "platform/NumberFormat.h"

namespace {

// The herd summary "Continue Calibration" stores from the inputs screen's
// table (its columns are those of the observation rows): the start in row 1,
// the end in the last row with feed, the feed of every row. The fit aims at
// the final age and total feed from the starting weight; without one of
// them every growth run fails or the fit has nothing to aim at. The screen's
// own messages for the herd inputs that are zero.
std::vector<std::string> MissingTargets(const Grid& table) {
  int last = 0;
  double totalFeed = 0;
  for (int r = 1; r <= kMaxCalibRows; ++r) {
    const double feed = ReadNumber(table.Text(r, kObsFeed));
    totalFeed += feed;
    if (feed != 0) last = r;
  }
  auto cell = [&](int row, int col) { return row > 0 ? ReadNumber(table.Text(row, col)) : 0.0; };
  const std::pair<int, double> targets[] = {{kHerdStartWeight, cell(1, kObsWeight)},
                                            {kHerdFinalWeight, cell(last, kObsWeight)},
                                            {kHerdTotalFeed, totalFeed},
                                            {kHerdFinalAge, cell(last, kObsAge)}};
  std::vector<std::string> missing;
  for (const auto& [input, value] : targets)
    if (value == 0) missing.emplace_back(kHerdZeroMessages[input]);
  return missing;
}

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : ", ") + text;
  return joined;
}

void PrintCoefficients(const App& app, Precision precision) {
  PrintRow({"Coefficient", "Value"});
  for (int k = 0; k < kCoefCount; ++k) {
    const std::string shown = app.mainForm.coefficientTable.Text(kCoefRow, k + 1);
    PrintRow({"B" + std::to_string(k), NumberCell(precision, app.growth.growthCoef[k], shown)});
  }
  EndBlock();
}

// The run with the fitted curve against what the farm observed.
void PrintAgainstObserved(const App& app, const CalibrationOutcome& outcome, Precision precision) {
  const MainForm& form = app.mainForm;
  const CalibrationInputsForm& screen = app.calibrationInputsForm;
  const CalibrationData& calib = app.calibration;
  const bool comma = app.growth.decimalComma;
  auto row = [&](const std::string& caption, double simulated, int input) {
    PrintRow({caption,
              NumberCell(precision, simulated, ShortNumberText(simulated, comma)),
              NumberCell(precision, calib.herdInputs[input], screen.herdFields[input].text)});
  };
  PrintRow({"Result", "Simulated", "Observed"});
  row(form.finalAge.caption, outcome.finalAge, kHerdFinalAge);
  row(form.totalFeedIntake.caption, outcome.totalFeed, kHerdTotalFeed);
  EndBlock();
}

// Each weighing against the run with the fitted curve.
void PrintWeighings(const App& app, const WeighingFitTable& table, Precision precision) {
  const std::string unit = ", " + WeightUnitName(app.growth.unitCodes[kWeightUnit]);
  const bool comma = app.growth.decimalComma;
  auto cell = [&](double value) {
    return NumberCell(precision, value, ShortNumberText(value, comma));
  };
  PrintRow({"Age, Days",
            "Observed Weight" + unit,
            "Simulated Weight" + unit,
            "Weight Difference" + unit,
            "Observed Feed" + unit,
            "Simulated Feed" + unit,
            "Feed Difference" + unit});
  for (int r = 1; r <= table.count; ++r) {
    const WeighingFit& w = table.rows[r];
    PrintRow({cell(w.age),
              cell(w.observedWeight),
              cell(w.simulatedWeight),
              cell(w.simulatedWeight - w.observedWeight),
              cell(w.observedFeed),
              cell(w.simulatedFeed),
              cell(w.simulatedFeed - w.observedFeed)});
  }
  EndBlock();
}

void PrintFit(const App& app, const GrowthCurveFit::FitSummary& fit, Precision precision) {
  PrintRow({"Fit", "Value"});
  PrintRow({"Score",
            NumberCell(precision, fit.best, ShortNumberText(fit.best, app.growth.decimalComma))});
  PrintRow({"Growth Runs", std::to_string(fit.evaluations)});
  EndBlock();
}

// Which of the location's two files the calibration wrote.
void PrintFiles(const App& app, bool pltSaved, std::optional<RowsWrite> rows) {
  const std::string base = app.mainForm.CalibrationBase();
  PrintRow({"File", "Written"});
  PrintRow({base + std::string(kPltSuffix), pltSaved ? "Yes" : "No"});
  const char* cal = "No";
  if (rows == RowsWrite::Written) cal = "Yes";
  if (rows == RowsWrite::Kept) cal = "No, it could not be read and is kept as it is";
  PrintRow({base + std::string(kCalSuffix), cal});
}

// False, saying why, for a run that ended without a fitted curve.
bool FitFinished(const CalibrationOutcome& outcome) {
  switch (outcome.status) {
    case CalibrationStatus::Stopped:
      return false;  // a check said why
    case CalibrationStatus::Cancelled:
      std::fputs("tamsel-cli: the calibration was cancelled\n", stderr);
      return false;
    case CalibrationStatus::Finished:
      break;
  }
  if (outcome.fit.best >= GrowthCurveFit::kFailedRunScore) {
    std::fputs("tamsel-cli: every growth run of the fit failed; no curve was fitted\n", stderr);
    return false;
  }
  return true;
}

}  // namespace

int RunCalibrateCommand(const CliOptions& options) {
  CliSession session;
  if (!session.OpenLocation(options.location)) return kExitRunFailed;
  App& app = *session.app;
  MainForm& form = app.mainForm;
  // The name question answered with the location's own name.
  if (form.Calibration(form.locationName.text) != MainForm::Window::Calibration)
    return kExitRunFailed;

  CalibrationInputsForm& screen = app.calibrationInputsForm;
  if (const auto missing = MissingTargets(screen.weighingsTable); !missing.empty()) {
    std::fprintf(stderr,
                 "tamsel-cli: the location has no observations to calibrate to (%s)\n",
                 Joined(missing).c_str());
    return kExitRunFailed;
  }

  // Nothing is written before the fitted curve is saved, and that only with
  // --save and for a fit that is not poor.
  screen.unattended = true;
  screen.thoroughSearch.checked = !options.classic;
  const bool showProgress = options.progress || ::isatty(STDERR_FILENO);
  screen.onProgress = [showProgress](long runs, double best) {
    if (showProgress && runs > 0) {
      std::fprintf(stderr,
                   "calibrating: %ld growth runs, best score %s\n",
                   runs,
                   ShortNumberText(best).c_str());
    }
  };
  CliDialogs& dialogs = session.dialogs;
  dialogs.AnswerYesNo(options.save ? Answer::Yes : Answer::No);
  const CalibrationOutcome outcome = screen.ContinueCalibration();
  dialogs.AnswerYesNo(Answer::No);

  if (!FitFinished(outcome)) return kExitRunFailed;
  std::optional<RowsWrite> rows;
  if (outcome.saved) rows = screen.WriteRows();
  PrintCoefficients(app, options.precision);
  PrintAgainstObserved(app, outcome, options.precision);
  PrintWeighings(app, outcome.weighings, options.precision);
  PrintFit(app, outcome.fit, options.precision);
  PrintSearchStages(std::string(CalibrationInputsForm::kScoreCaption),
                    std::string(CalibrationInputsForm::kRunsCountCaption),
                    outcome.classic,
                    outcome.thoroughRan ? &outcome.thorough : nullptr,
                    options.precision,
                    app.growth.decimalComma);
  PrintFiles(app, outcome.saved, rows);
  // The poor fit's message and a file that could not be written or was
  // kept went to standard error.
  if (!outcome.poorFit.empty()) return kExitRunFailed;
  return options.save && !(outcome.saved && rows == RowsWrite::Written) ? kExitRunFailed : kExitOk;
}
