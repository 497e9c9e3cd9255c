// App: CalibrationInputsForm, the calibration inputs' form, shown by CalibrationInputsWindow.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "app/SearchStagesTable.h"
#include "calibration/CalibrationCommand.h"
#include "calibration/CalibrationData.h"
#include "calibration/GrowthCurveFit.h"
#include "calibration/WeighingFit.h"
#include "platform/FormControls.h"
#include "platform/Grid.h"
#include "platform/GridClipboard.h"

class App;

// The calibration inputs screen, headless: the farm's weighings at the end
// of each diet with the feed eaten in that phase, and the herd summary. Its
// "Continue Calibration" stores them, writes the ".cal" file and starts the
// calibration run of the main window. The desktop window shows this state;
// while the fit runs it shows the "WORKING..." label and may follow the fit
// through onProgress, setting cancelRun to stop it. The table shows every
// row a ".cal" file holds, so writing it back loses no weighing.
class CalibrationInputsForm {
 public:
  explicit CalibrationInputsForm(App& app);
  CalibrationInputsForm(const CalibrationInputsForm&) = delete;
  CalibrationInputsForm& operator=(const CalibrationInputsForm&) = delete;

  static constexpr std::string_view kCaption = "Calibration Inputs";
  static constexpr std::string_view kInstruction =
      "Enter Live Weights at an age and feed weight consumed in that period.  First weight should "
      "be starting with no feed consumed.";
  static constexpr std::string_view kContinueNote =
      "Give all the Data you can then click Continue Calibration";
  static constexpr std::string_view kTimeNote =
      "Calibration Takes Time.  To see the quality of the fit, click the Daily Growth table and "
      "press Control-R: the weighings and their correlations with the run are shown below the "
      "diets.";
  static constexpr std::string_view kWorkingCaption = "WORKING...";
  static constexpr std::string_view kContinueCaption = "Continue Calibration";
  static constexpr std::string_view kCancelCaption = "Cancel";
  // The fit's progress: "Growth runs 1200   Best score 3.25".
  static constexpr std::string_view kRunsCaption = "Growth runs ";
  static constexpr std::string_view kBestCaption = "   Best score ";
  static constexpr std::string_view kThoroughCaption = "Thorough search";
  static constexpr std::string_view kThoroughTip =
      "After the classic fit, search every coefficient within wide bounds for a closer fit "
      "(a few seconds more); the classic result is kept unless a better one is found";
  static constexpr std::string_view kResultCaption = "Fit to the weighings";
  static constexpr std::string_view kScoreCaption = "Score";
  static constexpr std::string_view kRunsCountCaption = "Growth Runs";
  // Captions of the table's pop-up menu, in PopupAction order.
  static constexpr std::array<std::string_view, 4> kPopupCaptions{
      "Copy Highlighted Cells", "Copy All", "Clear Grid", "Paste"};

  // Rows 1..15: age (column 0), weight (1), feed eaten since the row before
  // (2); row 1 is the start, row r the end of diet r - 1.
  Grid weighingsTable{kMaxCalibRows + 1, 3};
  // herdInputs 1..5: "Starting Weight", "Starting Age", "Final Weight",
  // "Total Feed Intake", "Final Age"; entry 0 is not used.
  std::array<TextBox, kHerdInputs + 1> herdFields{};
  bool visible = false;
  bool working = false;  // the "WORKING..." label is shown
  // "Thorough search": the thorough stage follows the classic fit.
  OptionButton thoroughSearch{.caption = std::string(kThoroughCaption), .checked = true};
  // After a fit: the screen stays open and shows each weighing against the
  // run with the fitted curve, and the classic and thorough stages side by
  // side (score, growth runs, seconds).
  bool resultShown = false;
  Grid weighingFitTable{1, kWeighingColumns};
  Grid stagesTable{kStagesRows, kStagesCols};

  // Told once when the label shows (0 runs, best 0), then as the fit goes on;
  // may set the model's cancelRun.
  GrowthCurveFit::FitProgress onProgress;
  long progressEvery = 1000;  // growth runs between reports
  // Run with no one to ask (the command line): "Continue Calibration" writes
  // no ".cal" file (WriteRows does, once the curve is saved), and a poor fit
  // is reported instead of offered for saving.
  bool unattended = false;

  // Fills the screen as it opens (the "Calibration" command calls it).
  void Open();
  // "Continue Calibration": stores the weighings and the herd summary (each
  // check only warns), writes the ".cal" file, copies the summary to the main
  // window and runs the calibration; a fit stays on the screen with its
  // result, a run a check stopped closes the screen.
  CalibrationOutcome ContinueCalibration();
  // Writes the rows stored by ContinueCalibration, up to the last one
  // holding anything, to the calibration name's ".cal" file.
  RowsWrite WriteRows();
  // The table's pop-up menu.
  void Popup(PopupAction action);
  // The weighings stored and written to the calibration name's ".cal" file,
  // without the calibration run: the save of unsaved changes. True when
  // written.
  bool SaveInputs();
  // "Cancel", while the fit runs: it stops at its next trial point, keeping
  // the best point found.
  void Cancel();
  // What the window shows of a report through onProgress; no best score
  // before the first growth run.
  std::string ProgressText(long growthRuns, double bestFit) const;
  // The user closed the window.
  void Close() { visible = false; }
  // The weight captions of the table and the fields, in the weight unit.
  void ShowUnitCaptions();

 private:
  int StoreRows(double& totalFeed);
  void ShowResult(const CalibrationOutcome& outcome);
  void WarnAboutWeights();
  void StoreHerdInputs(double totalFeed);

  App& app_;
};
