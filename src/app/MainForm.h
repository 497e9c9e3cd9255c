// App: MainForm, the main window's form, shown by MainWindow (MainForm*.cpp by command group).
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/RecentLocations.h"
#include "calibration/CalibrationCommand.h"
#include "formulation/DietsTableEdit.h"
#include "formulation/MatrixEditorForm.h"
#include "formulation/RestrictionsForm.h"
#include "model/DietsTable.h"
#include "model/Units.h"
#include "platform/FormControls.h"
#include "platform/Grid.h"

class App;
struct HerdValues;
struct OptBestShown;

// The main window, headless: its tables, fields, lists, captions and the
// commands of the location and its file set. The desktop window shows this
// state and calls these commands; tests drive them through scripted dialogs.

inline constexpr int kTabDailyGrowth = 0;
inline constexpr int kTabDiets = 1;
inline constexpr int kTabFormulas = 2;

inline constexpr std::string_view kMainTitle =
    "Tamsel Feed Optimizer - For Weanlings 4 kg to 25 kg";
inline constexpr std::string_view kCalibrationNamePlaceholder = "Calibration Name";
inline constexpr std::string_view kWindowSizeFile = "ROrivoForm.txt";
// The size file holds twips, 15 to a pixel.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kMainWindowWidth = 1038;  // pixels, whatever the size file says

inline constexpr std::string_view kProteinRuleCaption = "When Protein Changes, Ratio Amino Acids";
inline constexpr std::string_view kLysineRuleCaption = "OR When  Lysine Changes, ratio Amino Acids";

// Shape of the main window's tables.
inline constexpr int kFilesRows = 11;
inline constexpr int kFilesRowHeight = 26;  // pixels
inline constexpr int kCoefficientRows = 5;  // rows 1 (now) and 4 (loaded) hold B0..B4
inline constexpr int kCoefficientCols = 7;  // B0..B4 in 1..5, a run's score in 6

class MainForm {
 public:
  explicit MainForm(App& app);
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  // --- State ---------------------------------------------------------------
  Grid dietsTable{kDietsRows, kDietsCols};
  Grid coefficientTable{kCoefficientRows, kCoefficientCols};  // calibration coefficients
  Grid filesTable{kFilesRows, 1};                             // "Files in Use"
  Grid formulaTable{2, 12};                                   // ingredient amounts of the formulas

  TextBox startWeight;      // "Starting Weight, kg"
  TextBox startAge;         // "Starting Age, Days"
  TextBox finalWeight;      // "Final Weight, kg"
  TextBox totalFeedIntake;  // "Total Feed Intake"
  TextBox finalAge;         // "Final Age, Days"
  TextBox locationName;     // "Calibration Name": the location's name
  TextBox pigCount;
  TextBox costPerPig;
  TextBox feedGain;

  ComboBox feedFormulation;  // "Feed Formulation"
  ComboBox weightUnit;       // weight unit of the starting weight
  ComboBox dietCount;        // "No. of Diets"
  ComboBox herdSex;          // "Herd Sex"

  RatioRuleChecks ratioRules;
  OptionButton showInput;              // "Show Input"
  OptionButton turnOffInput;           // "Turn off Input"
  OptionButton calibrationDataLoaded;  // "Calibration Data Loaded"

  std::array<CommandButton, 11> buttons{};  // Growth..KeepTrack by number

  std::string dietsInstructions;  // the instruction text of the "Diets" tab
  bool dietsInstructionsVisible = true;
  bool filesTableVisible = false;
  std::string filesTableToolTip;

  std::string caption;   // window title
  int windowHeight = 0;  // pixels
  int windowWidth = 0;   // pixels
  int currentTab = kTabDiets;
  bool matrixLoaded = true;  // cleared when a location has no usable matrix
  Grid* activeGrid = nullptr;

  // --- Start-up pieces -----------------------------------------------------
  // Captions, tooltips and the items of the choice lists.
  void FillControls();
  // The "Files in Use" table at start: headings, commands, "Not Open".
  void LayOutFilesTable();
  // The coefficient table's headings: B0..B4 and the run's score over the
  // coefficients in use (row 1) and those the location's file gave (row 4).
  void LayOutCoefficientsTable();
  // Reads the window height from the size file in the program's folder; the
  // width is always kMainWindowWidth. A missing or unreadable file keeps the
  // designed size.
  void ReadWindowSize();
  // Writes height and width to the size file when both are non-zero; a
  // failure is not reported.
  void WriteWindowSize() const;
  // The tab the user picks, with the panels that follow it.
  void ShowTab(int tab);

  // --- Start-up, menus and buttons ---
  static constexpr std::string_view kInputsNote =
      "Total Feed Intake and Final age are  Needed for Calibration but Calculated by Growth "
      "Command";

  // What start-up learns from the machine; tests pass their own.
  struct StartupEnvironment {
    std::string programFolder;  // ends in a separator
    bool decimalComma = false;  // the machine writes decimal numbers with a comma
    static StartupEnvironment OfMachine();
  };

  // The secondary windows a command asks the desktop layer to show
  // (modeless; one of each for the program's life).
  enum class Window {
    None,
    DietDisplay,
    Restrictions,
    MatrixEditor,
    ChangeTracking,
    Units,
    Temperature,
    About,
    Calibration,      // the calibration inputs screen
    CalibrationTest,  // the calibration test window
    Optimization,     // the "Diet Optimization" window
    FinishingReport,  // the report of the current run
    Help,             // the help, at "Getting Started"
  };

  // Every button and menu entry of the main window, by control name.
  enum class Control {
    Growth,
    Calibration,
    OpenDiets,
    EditRestrictions,
    SaveDiets,
    EditMatrix,
    RunLp,
    CalibrationTest,
    RunOptimization,
    KeepTrack,
    OpenMatrix,
    OpenIngredientRestrictions,
    OpenNutrientRestrictions,
    OpenTemperatures,
    SaveDietsMatrixRestrictions,
    SaveAllToCurrentLocation,
    SaveAllToNewLocation,
    SaveDietsToNewLocation,
    SetUnits,
    SetTemperature,
    FinishingReport,
    About,
    CopyHighlighted,
    CopyAll,
    Clear,
    Paste,
    // The "File" menu. Export, print and quit act on the desktop's own
    // windows: the desktop layer runs them.
    OpenLocation,
    OpenRecent,  // a submenu of the recent locations
    SaveChanges,
    SaveAsNewLocation,
    ExportTable,
    PrintReport,
    Quit,
    // The "Help" menu; help on a window is the desktop's (F1 in it).
    GettingStarted,
    WindowHelp,
    FitCorrelations,  // the weighings and their correlations with the run (Control-R)
  };
  static constexpr std::string_view kFitCorrelationsTip =
      "The weighings of the calibration data below the diets of the Daily Growth table, and the "
      "correlations of observed with simulated weight, age and feed (Control-R in the table)";
  static Control ButtonControl(int number);  // Growth..KeepTrack
  // The state of a button.
  CommandButton& Button(Control control);
  const CommandButton& Button(Control control) const;

  struct MenuEntry {
    std::string_view name;
    std::string_view caption;
    std::string_view shortcut;  // "Ctrl+C", or "" for none
    Control control;
  };
  // "File" first, the classic menus, then "Help".
  struct Menu {
    std::string_view name;
    std::string_view caption;
    bool inMenuBar;                      // false: the tables' pop-up menu
    std::span<const MenuEntry> entries;  // none: the menu title is the command
    Control control;                     // the command of a menu without entries
  };
  // The menu bar in its order, then the pop-up menu "Popup1".
  static std::span<const Menu> Menus();

  // What the last command did, for the status bar ("" after one that only
  // opened a window).
  std::string StatusText;
  // The locations opened last, for "Open Recent".
  RecentLocations Recent;
  // "Open Recent": the location of entry `index`; one no longer there is
  // said so and leaves the list.
  void OpenRecentLocation(int index);
  // "Save": every table with changes its file does not hold, written to
  // that file without asking.
  void SaveChanges();

  // The start-up sequence, once, when the window is created.
  void StartUp(const StartupEnvironment& machine);
  // Start values of the model: coefficient table, normal table.
  void SetModelStartValues();
  // Empties the daily growth table's data rows except the last.
  void ClearDailyRows();
  // The window is closed: saves its size and closes the secondary windows;
  // the desktop layer then ends the program.
  void EndProgram();
  // The window took a new size (pixels); the tab set follows it down to
  // kMinFollowWidth by kMinFollowHeight.
  void WindowResized(int height, int width);
  // The inputs and buttons lie left of and above the tab set, at a fixed place.
  static constexpr int kTabSetLeft = 312;  // pixels
  static constexpr int kTabSetTop = 80;    // pixels
  int tabSetWidth = 0;                     // pixels
  int tabSetHeight = 0;                    // pixels
  bool started = false;                    // start-up has finished

  // A button or menu entry: runs its command and names the window to show.
  // A disabled button does nothing.
  Window Click(Control control);
  bool Enabled(Control control) const;
  // The user closed a secondary window: the next command that shows it
  // loads it afresh.
  void WindowClosed(Window window);
  bool matrixEditorOpen = false;  // loaded: a second click keeps its edits

  void ShowInput();     // "Show Input"
  void TurnOffInput();  // "Turn off Input"
  // Weight unit of the starting weight: the weight code changes, and what is
  // shown in weights is converted (energy and price stay as they are).
  void WeightUnitChosen();
  void DietCountChosen();     // "No. of Diets"
  void PigCountKeyPressed();  // the first key clears the caption text

  // The units dialog's OK: its units are applied as the list's are.
  void AcceptUnits();
  // Takes new unit codes: converts what is shown into them and, in a named
  // location, asks whether to write the location's files in them.
  void ApplyUnits(const UnitCodeSet& codes);
  // The weight-unit list at the weight code, and every caption that carries
  // the weight unit.
  void ShowWeightUnit();

  // Change tracking at the end of a growth run (see ChangeTracking.h).
  void SaveRunTables();
  void UpdatePreviousTables();
  void ShowTrackedTables();
  void ResetInitial();
  // The change-tracking window's buttons.
  void TrackResetInitial();  // "Reset Initial "
  void TrackCopy();          // "Copy to Clipboard"
  // --- end of start-up, menus and buttons ---

  // --- Location ------------------------------------------------------------
  // Chooses a location by its calibration file and loads every file of its
  // set that exists. False when the dialog was cancelled (nothing changed).
  bool ChooseLocation();
  // The "Calibration Name" field's handlers around ChooseLocation.
  void LocationNameClicked();
  void LocationNameDoubleClicked();
  void LocationNameKeyPressed();
  // A location named without the file dialog (the program's command line):
  // loaded as a chosen one, a missing file asked about as a new location.
  // False when the user declined.
  bool ChooseLocation(const std::string& path);
  // As a click on the "Calibration Name" field with `path` chosen.
  void OpenLocationFile(const std::string& path);
  // All names of the set from `base`, shown in the file table.
  void SetFileNames(const std::string& base);
  // Reads the matrix file, then its restrictions; records the names in use.
  void LoadMatrix();

  // --- Diets table ---------------------------------------------------------
  // After the user changed a cell: the diet's restrictions and the ratio rules.
  void DietsTableEdited(int row, int col);
  // A click on a price or nutrient cell hands its request to the sources
  // window; true when that window is to be shown.
  bool DietsTableClicked(int row, int col);

  // --- Saving --------------------------------------------------------------
  void FilesTableDoubleClicked(int row);
  void SaveDietsMatrixRestrictions();
  // True when every file was written.
  bool SaveAllToCurrentLocation();
  void SaveAllToNewLocation();
  void SaveDietsToNewLocation();
  void SaveDietsAndSummary();  // "Save Diets"
  void SaveRestrictSummary();

  // The writers behind the save commands, each following the save protocol
  // for its row of the file table. True when the file was written.
  bool SaveDiets();
  bool SaveMatrixFile();
  bool SaveIngredientRestrictionsFile();
  bool SaveNutrientRestrictionsFile();
  bool SaveCalibrationFile();
  bool SaveObservationsFile();
  bool SaveTemperatureFile();
  // Where the matrix editor and the restriction window save: the location's
  // files, recorded in "Files in Use".
  MatrixFileSave MatrixEditorSave();
  RestrictionFiles RestrictionFilesInUse();

  // --- Menu "Open Diet Data" -----------------------------------------------
  void OpenMatrix();
  void OpenIngredientRestrictions();
  void OpenNutrientRestrictions();
  void OpenTemperatures();

  // --- Growth run ---
  // "Growth": checks the inputs, reads the diets and the growth curve into
  // the model (formulating the diets first for "Least Cost Formulas"), runs
  // the model once, fills the results table, the result fields, the formula
  // table and the run comparison table, and records the change-tracking
  // state. A failed check shows its message and changes nothing.
  void Growth();
  // Double click on "Cost Per Pig": the recent costs per pig.
  void CostPerPigDoubleClicked();
  // Empties every result of the last run: the results table, "Cost Per
  // Pig", "Feed/Gain", the run's score, and "Total Feed Intake" and "Final
  // Age, Days" while they show what the run wrote there.
  void ClearRunResults();
  // The weights of the herd fields shown `factor` times larger (another
  // unit): typed values in full, the run's total feed as the run shows it.
  void RescaleHerdFields(double factor);
  bool initialRunDone = false;  // the first successful run fills the "Initial" column

 private:
  struct GrowthCurveRead;
  bool GrowthInputsAccepted(HerdValues& herd);
  bool ReadGrowthCurve(const HerdValues& herd, GrowthCurveRead& curve);
  void TakeGrowthCurve(const GrowthCurveRead& curve);
  void ReadHerdInputs(const HerdValues& herd);
  void ShowGrowthResults();
  void ShowRunComparison();
  void ShowFormulaCosts();
  void TrackRunChanges();
  void ShowTargetScore();
  // What the last run wrote into "Total Feed Intake" and "Final Age, Days".
  struct RunShown {
    std::string totalFeed;
    std::string finalAge;
  } runShown_;

 public:
  // --- end of growth run ---

  // --- Calibration ---
  // "Calibration": needs a herd sex and diet 1's energy, asks for the
  // calibration name (unless `name` is given, as the command line gives it)
  // and opens the calibration inputs screen (Window::Calibration).
  // Window::None when a check or an empty name ended it.
  Window Calibration(std::optional<std::string> name = std::nullopt);
  // Where the calibration's files go: the "Calibration Name" field, in the
  // data folder when it names no folder.
  std::string CalibrationBase() const;
  // Checks the diets, fits the growth curve to the calibration data, shows
  // the fitted coefficients in full in the coefficient table and offers to
  // save them; "Yes" writes the ".plt" file under the calibration name and
  // runs the "Growth" command. A failed check changes no coefficient.
  CalibrationOutcome CalibrationRun();
  // The diets in use (1..8 with energy) and the herd inputs read into the
  // model as a calibration runs them. Shows kDietInfoMessage and returns
  // false when no diet has energy or the diets with feed amounts differ.
  bool CalibrationDietsReady();
  // Control-R in the daily results table: the weighings and their
  // correlations with the last run (see WriteFitCorrelations).
  void ShowFitCorrelations();
  // "DataButton": the calibration test window.
  Window OpenCalibrationTest();
  // --- end of calibration ---

  // --- Optimization ---
  // "Run Optimization": each diet's cost (diets table row 2) into the diet
  // costs, and the optimization window filled when it is not open.
  void OpenOptimization();
  // The starting cost per pig of a diet optimization, and the best found so
  // far with each diet's feed amount, energy and protein there (optimumDietsTable:
  // rows 1..3 by kind, diets in columns 1..8).
  static constexpr std::string_view kOptStartCaption = "Starting Cost Per Pig";
  static constexpr std::string_view kOptBestCaption = "Optimized Cost Per Pig";
  TextBox optimizationStartCost;
  TextBox optimizationBestCost;
  Grid optimumDietsTable{4, kDietsCols};
  void ShowOptStartingCost(double cost);
  void ShowOptNewBest(const OptBestShown& best);
  // --- end of optimization ---

 private:
  bool MatrixHasTwoIngredients() const;
  int FilesOfTheSet() const;            // how many files SaveAllToCurrentLocation writes
  int DietAndFormulationFiles() const;  // how many SaveDietsMatrixRestrictions writes
  bool SaveAllFiles();
  bool SaveFormulationFiles();
  bool SaveJustTheMatrix();
  void ReadRestrictions();
  void ShowDietsLoaded();
  void ShowHerdInputs();
  void LoadExistingLocation();
  void TakeLocation(const std::string& chosen, bool exists);
  void ShowChosenLocation();  // after a location was chosen by a click

  App& app_;
};
