// App: OptimizationForm, the "Diet Optimization" form, shown by OptimizationWindow.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/SearchStagesTable.h"
#include "optimization/DietOptimization.h"
#include "optimization/OptimizationReportForm.h"
#include "platform/FormControls.h"
#include "platform/Grid.h"
#include "platform/GridClipboard.h"

class App;

// The "Diet Optimization" window, headless: the optimization table
// (optimizationTable, laid out as "Run Opt." reads it), the target and the number of
// diets, the tick and colour rules, the edit checks, and the commands that set
// limits around the current values, run the optimization, open its report,
// transfer the optimum to the main window and keep the table in a file.

// The colour of the limits of a row that is not optimized: the system's
// inactive-border colour.
inline constexpr Rgb kInactiveBorder{212, 208, 200};

// Limits "Program Add Min Max to Current" sets around each kind's current
// value (kinds 1..3: feed amount, net energy, protein).
inline constexpr std::array<double, 4> kAddMinFactor{0, 0.8, 0.98, 0.95};
inline constexpr std::array<double, 4> kAddMaxFactor{0, 1.2, 1.02, 1.05};

// A command button with its caption.
inline CommandButton Captioned(std::string_view caption) {
  CommandButton button;
  button.caption = caption;
  return button;
}

// An optimization table file: a signature line, the target weight and the
// number of diets, then one line per diet row: tick (1 or 0), current,
// minimum and maximum, tab-separated.
std::vector<std::string> OptTableFileLines(const Grid& optimizationTable,
                                           std::string_view targetWeight,
                                           std::string_view diets);
// Loads such lines into the table and fields; false, changing nothing, when
// they are not such a file.
bool ReadOptTableFile(const std::vector<std::string>& lines,
                      Grid& optimizationTable,
                      std::string& targetWeight,
                      std::string& diets);

class OptimizationForm {
 public:
  static constexpr std::string_view kCaption = "Diet Optimization";
  static constexpr std::string_view kLocationCaption = "Location Name";
  static constexpr std::string_view kTargetCaption = "Target Weight";
  static constexpr std::string_view kDietsCaption = "No. of Diets";
  static constexpr std::string_view kWorkingCaption = "WORKING...";
  // The desktop's progress of a run and its way to stop one.
  static constexpr std::string_view kEvaluationsCaption = "Evaluations";
  static constexpr std::string_view kCancelCaption = "Cancel";
  static constexpr std::string_view kUncheckNote =
      "Uncheck the Optimize Box to Fix at the Current Value";
  static constexpr std::string_view kRestrictNote = "Enter Diet Restrictions for Least Cost";
  static constexpr std::string_view kThoroughCaption = "Thorough search";
  static constexpr std::string_view kThoroughTip =
      "After the classic search, search every ticked value within its limits for a lower cost "
      "(under a second more); the classic result is kept unless a cheaper one is found";
  static constexpr std::string_view kLastDietNote =
      "The last diet is fed to the target weight, so its feed amount has no effect on the cost: "
      "the thorough search holds it.";
  static constexpr std::string_view kCostCaption = "Cost Per Pig";
  static constexpr std::string_view kEvaluationsCountCaption = "Evaluations";
  static constexpr std::string_view kNotCorrect = "The value is not correct";
  static constexpr std::string_view kNotAppropriate = "Value is not appropriate";
  static constexpr std::string_view kFileSignature = "Diet Optimization Table";
  static constexpr std::string_view kOpenTitle = "Select an Optimization File";
  static constexpr std::string_view kFilePattern = "*.opt";
  static constexpr std::string_view kFileExt = ".opt";
  static constexpr std::string_view kKindCaptions[] = {"", "Feed Wt.", "Net Energy", "Protein"};

  OptimizationForm(App& app, DietOptState& opt, OptimizationReportForm& report);
  OptimizationForm(const OptimizationForm&) = delete;
  OptimizationForm& operator=(const OptimizationForm&) = delete;

  // --- State ---------------------------------------------------------------
  Grid optimizationTable{kOptTableRows, kOptTableCols};
  std::string locationName;   // "Location Name"
  std::string targetWeight;   // "Target Weight", the user's weight unit
  std::string dietCountText;  // "No. of Diets"

  OptionButton feedWeightsOnly{.caption = "Use Feed Weights Only"};
  OptionButton setCarcass{.caption = "Set Carcass"};      // hidden
  OptionButton setMarrowind{.caption = "Set Marrowind"};  // disabled
  bool setCarcassVisible = false;
  bool setMarrowindEnabled = false;
  bool feedWeightsOnlyEnabled = true;

  CommandButton runOptimization = Captioned("Run Opt.");
  CommandButton viewOptimization = Captioned("View Optimization");
  CommandButton transferOptimum = Captioned("Transfer Optimum to Current");
  CommandButton addMinMax = Captioned("Program Add Min Max to Current");
  CommandButton saveTable = Captioned("Save Opt File");
  CommandButton openTable = Captioned("Open Existing Opt File");
  bool workingVisible = false;  // the "WORKING..." label
  // "Thorough search": the thorough stage follows the classic searches.
  OptionButton thoroughSearch{.caption = std::string(kThoroughCaption), .checked = true};
  // The classic and the thorough stage side by side after a run.
  Grid stagesTable{kStagesRows, kStagesCols};
  bool stagesShown = false;

  bool visible = false;        // loaded; closing lets the next opening fill it afresh
  bool runInProgress = false;  // a run is under way: the run commands are disabled
  Grid* activeGrid = nullptr;

  // Progress of a run: evaluations so far and the best cost per pig found
  // (0 before any). `onProgress` is told after every evaluation (the desktop
  // repaints and lets "Cancel" through); it may be empty.
  long evaluationCount = 0;
  double bestCost = 0;
  std::function<void()> onProgress;

  // The table file last saved or opened; the results file of the last run.
  std::string tableFile;
  std::string resultsFile;
  // Today as "dd/mm/yyyy", for the results file's name.
  std::function<std::string()> today{TodayText};

  // --- Commands ------------------------------------------------------------
  // Opening the window: the fields from the main window, the table's
  // headings, captions and ticks, the colours, each diet's current feed
  // amount, energy and protein, and the number of diets.
  void Open();
  void Close() { visible = false; }

  // The colour rule on every row: the limits of an unticked row, and of
  // every row not in use (unticked here), are greyed.
  void ColorRows();
  // A value above `limit` becomes the limit with "The value is not correct";
  // true when it was changed.
  bool LimitValue(double limit, double& value);

  // "Use Feed Weights Only" ticked or unticked by the user.
  void FeedWeightsOnlyClicked(bool ticked);
  // After the user changed cell (row, col) of the table.
  void TableEdited(int row, int col);
  // "Program Add Min Max to Current".
  void AddMinMaxToCurrent();
  // "Run Opt.": the optimization with this window's table (see
  // RunOptimization), progress through `onProgress`, the results file.
  void Run();
  // Stops a run at the next evaluation, keeping the best point found.
  void Cancel();
  // "View Optimization": fills the report; true when it is to be shown.
  bool ViewOptimization();
  // "Transfer Optimum to Current": each diet's nutrient restrictions (1..14)
  // and the diets table's feed amount take the last optimum.
  void TransferOptimum();
  // "Save Opt File": the table and fields through the save protocol; true
  // when written. `withoutAsking` writes to tableFile without the dialog when
  // it names a file.
  bool SaveTable(bool withoutAsking = false);
  // "Open Existing Opt File": reads a saved table; true when one was read.
  bool OpenTable();

  // Clipboard keys of the table (it becomes activeGrid); true when handled.
  bool KeyDown(Key key, KeyModifiers modifiers);
  void Popup(PopupAction action);

  // Diet rows in use: 3 x dietCount, within the table.
  int RowsInUse() const;
  // What the report and the results file read.
  OptimizationReportSource ReportSource() const;

 private:
  void ColorRow(int row);
  void SetCommandsRunning(bool running);
  void WriteResults();
  std::string Number(double value) const;

  App& app_;
  DietOptState& opt_;
  OptimizationReportForm& report_;
  std::array<bool, 11> mainEnabled_{};  // main window buttons before a run
};
