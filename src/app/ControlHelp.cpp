#include "app/ControlHelp.h"

namespace {

struct Help {
  std::string_view window;
  std::string_view control;
  std::string_view text;
};

// Main window.
constexpr Help kMainHelp[] = {
    {"MainWindow",
     "locationName",
     "The location: its folder and name. Click here (or File > Open Location...) to open a "
     "location's calibration file (.plt), or type a new name to start a new location."},
    {"MainWindow", "weightUnit", "The unit of every weight shown and typed: kilograms or pounds."},
    {"MainWindow",
     "startWeight",
     "Starting Weight of the pigs, 4 to 25 kg. Ctrl+V here pastes five "
     "lines: starting weight, starting age, final weight, total feed intake "
     "and final age."},
    {"MainWindow",
     "startAge",
     "Starting Age, Days: the pigs' age at the starting weight (0 to 200)."},
    {"MainWindow", "finalWeight", "Final Weight: the weight the growth run stops at, up to 25 kg."},
    {"MainWindow",
     "totalFeedIntake",
     "Total Feed Intake per pig: type the farm's figure for a calibration; Growth shows the "
     "run's."},
    {"MainWindow",
     "finalAge",
     "Final Age, Days: type the farm's figure for a calibration; Growth shows the run's."},
    {"MainWindow",
     "pigCount",
     "How many pigs the herd has: the herd's tonnes of each ingredient "
     "in the formula table are for this many (20 when left empty)."},
    {"MainWindow", "herdSex", "Herd Sex: Mixed, Males or Females. Growth needs one."},
    {"MainWindow", "dietCount", "No. of Diets: how many diets (phases) the herd is fed, 1 to 6."},
    {"MainWindow",
     "feedFormulation",
     "Least Cost Formulas: Growth first formulates every diet from the matrix and the "
     "restrictions. Use Diets on Grid: Growth feeds the diets as the Diets tab gives them."},
    {"MainWindow",
     "costPerPig",
     "The feed cost per pig of the last growth run (shown, not typed)."},
    {"MainWindow", "feedGain", "Feed per unit of gain of the last growth run (shown, not typed)."},
    {"MainWindow",
     "proteinRule",
     "Tick to keep the amino acids in proportion when you change a diet's "
     "protein on the Diets tab."},
    {"MainWindow",
     "lysineRule",
     "Tick to keep the amino acids in proportion when you change a diet's "
     "lysine on the Diets tab."},
    {"MainWindow",
     "showInput",
     "Shows the growth-curve coefficients for typing (Formulas tab) and "
     "the DataButton; the formula table cannot be typed in then."},
    {"MainWindow",
     "turnOffInput",
     "Locks the coefficients again; the formula table can be typed in."},
    {"MainWindow",
     "calibrationDataLoaded",
     "Set when the location's calibration data (weighings) were found."},
    {"MainWindow",
     "growth",
     "Grows the herd from the starting to the final weight on the diets "
     "and shows the daily table, the chart, the cost per pig and "
     "feed/gain."},
    {"MainWindow",
     "calibration",
     "Fits the growth curve to the farm's weighings: opens the "
     "calibration inputs after asking for the calibration's name."},
    {"MainWindow",
     "openDiets",
     "Opens the diet display: feeds by nutrient levels or by ingredient "
     "weights, to move into the Diets tab."},
    {"MainWindow",
     "editRestrictions",
     "Opens the nutrient and ingredient restrictions of each diet, used "
     "by least-cost formulation."},
    {"MainWindow",
     "saveDiets",
     "Saves the diets to the location's diets file (.dts), then offers "
     "to write a summary of the restrictions."},
    {"MainWindow", "editMatrix", "Opens the ingredient matrix: ingredients, prices and nutrients."},
    {"MainWindow",
     "runLp",
     "Formulates every diet at least cost from the matrix and the "
     "restrictions; the diets table and the formula table show them."},
    {"MainWindow",
     "calibrationTest",
     "Opens the calibration test: the score of the curve with each "
     "coefficient moved one step."},
    {"MainWindow",
     "runOptimization",
     "Opens the diet optimization: searches feed amounts, energy and "
     "protein for a lower feed cost per pig."},
    {"MainWindow",
     "keepTrack",
     "Opens change tracking: this run's diets and formulas beside the "
     "previous and the initial ones."},
    {"MainWindow",
     "resultsTable",
     "The per-diet summary and the finishing block of the last growth run. "
     "Ctrl+C copies, Ctrl+A copies all; right-click for more."},
    {"MainWindow",
     "Grid1Daily",
     "The daily rows of the last growth run: age, weight, daily and "
     "total feed. Ctrl+R shows the fit to the weighings."},
    {"MainWindow",
     "dietsTable",
     "The diets, one a column: name, cost, feed per pig and nutrient "
     "levels. Type or paste values; click a formulated diet's cost or "
     "nutrient to see its sources."},
    {"MainWindow",
     "filesTable",
     "Double-click a row to save that file, or all files; File > Save "
     "writes every changed file without asking."},
    {"MainWindow",
     "coefficientTable",
     "The growth-curve coefficients B0..B4 (typed when Show Input is "
     "chosen) and the last run's score against the weighings."},
    {"MainWindow",
     "formulaTable",
     "The formulated diets' ingredients in per cent, with the herd's "
     "amount and cost of each."},
};

// Secondary windows.
constexpr Help kWindowHelp[] = {
    {"RestrictionsWindow",
     "nutrientTable",
     "Minimum and maximum of each nutrient per diet; 0 means no limit."},
    {"RestrictionsWindow",
     "ingredientTable",
     "Minimum and maximum per cent of each ingredient per diet; 0 "
     "means no limit, -1 as the maximum keeps it out."},
    {"RestrictionsWindow",
     "keepIngredientRestrictions",
     "Takes the ingredient table into this session's formulation. "
     "Writes no file: Save Ingredient Restrictions does."},
    {"RestrictionsWindow",
     "keepNutrientRestrictions",
     "Takes the nutrient table into this session's formulation. "
     "Writes no file: Save Nutrient Restrictions does."},
    {"RestrictionsWindow",
     "saveIngredientRestrictionsFile",
     "Writes the ingredient restrictions to the location's file "
     "(Req.ing)."},
    {"RestrictionsWindow",
     "saveNutrientRestrictionsFile",
     "Writes the nutrient restrictions to the location's file "
     "(Req.nut)."},
    {"RestrictionsWindow", "saveBothRestrictionFiles", "Writes both restriction files."},
    {"MatrixEditorWindow",
     "matrixTable",
     "The ingredient matrix: one ingredient a row, its price and its "
     "nutrients. Type or paste values, then Save Changes."},
    {"MatrixEditorWindow", "addIngredient", "Adds an ingredient row at the selected row."},
    {"MatrixEditorWindow", "addNutrient", "Adds a nutrient column at the selected column."},
    {"MatrixEditorWindow", "deleteIngredient", "Deletes the selected ingredient, after asking."},
    {"MatrixEditorWindow", "deleteNutrient", "Deletes the selected nutrient, after asking."},
    {"MatrixEditorWindow",
     "editNames",
     "Lets you type new names for ingredients and nutrients; click again "
     "when done."},
    {"MatrixEditorWindow",
     "setEnzymeColumn",
     "Sets the nutrient values an enzyme adds to the matrix."},
    {"MatrixEditorWindow",
     "saveChanges",
     "Takes the table into this session's matrix (formulation uses it "
     "now). Writes no file: Save Changes to File does."},
    {"MatrixEditorWindow",
     "saveChangesToFile",
     "Takes the table into the matrix and writes the location's matrix "
     "file."},
    {"DietDisplayWindow",
     "feedsTable",
     "Feeds by nutrient levels, one a row. Type a diet number (1 to 8) "
     "in the left column to move that feed into that diet."},
    {"DietDisplayWindow",
     "ingredientFeedsTable",
     "Feeds by ingredient weights: type each ingredient's weight in a "
     "feed's column, then Calculate Nutrients."},
    {"DietDisplayWindow", "openFeedFile", "Opens another feed file for the tab shown."},
    {"DietDisplayWindow", "openIngredientFile", "Opens a file of feeds by ingredient weights."},
    {"DietDisplayWindow", "saveAs", "Saves the feeds of the tab shown to a file of your choice."},
    {"DietDisplayWindow",
     "calculateNutrients",
     "Computes each feed's cost and nutrient levels from the matrix."},
    {"DietDisplayWindow",
     "transferToCurrent",
     "Moves the calculated feeds into the main window's diets."},
    {"DietDisplayWindow",
     "transferAllDiets",
     "Moves every nutrient-defined feed into the main window's diets "
     "and closes this window."},
    {"DietDisplayWindow", "clearMainDiets", "Empties the main window's diets table."},
    {"NutrientSourcesWindow",
     "sharesTable",
     "Each ingredient's share, in per cent, of the nutrient or the cost "
     "you clicked."},
    {"NutrientSourcesWindow",
     "showPercentages",
     "Computes the shares again from the current formulation."},
    {"NutrientSourcesWindow",
     "restrictionsTable",
     "What the diet's cost depends on: each "
     "restriction's shadow price and range."},
    {"NutrientSourcesWindow",
     "ingredientsTable",
     "Each ingredient's reduced cost and the range of "
     "its price over which the formula stays."},
    {"ChangeTrackingWindow",
     "comparisonTable",
     "This run's results beside the previous, an earlier and the "
     "initial run."},
    {"ChangeTrackingWindow",
     "initialDiets",
     "The diets of the initial run; changed cells are coloured."},
    {"ChangeTrackingWindow", "initialFormulas", "The formulas of the initial run."},
    {"ChangeTrackingWindow",
     "previousDiets",
     "The diets of the previous run; changed cells are coloured."},
    {"ChangeTrackingWindow", "previousFormulas", "The formulas of the previous run."},
    {"ChangeTrackingWindow", "ResetInitial", "Makes the current run the initial one."},
    {"TemperatureWindow",
     "entryTable",
     "Type the weekly temperatures (degrees C) the herd "
     "will grow in, or paste a column of them."},
    {"TemperatureWindow",
     "profileTable",
     "The temperatures the program holds for the "
     "calibration and the future."},
    {"UnitsWindow", "weights", "The unit of weights: Kilograms or Pounds."},
    {"UnitsWindow", "feedEnergy", "The unit of feed energy: Kcal/Kg or Kcal/lb."},
    {"UnitsWindow", "feedCost", "The unit of feed prices: per tonne or per short ton."},
    {"UnitsWindow",
     "accept",
     "Uses these units (converting what is shown) and offers to save them "
     "with the location."},
    {"CalibrationInputsWindow",
     "weighingsTable",
     "The weighings: age in days, live weight and the feed eaten since "
     "the weighing before. The first row is the start, with no feed."},
    {"CalibrationInputsWindow", "startWeight", "The starting weight the calibration uses."},
    {"CalibrationInputsWindow", "startAge", "The starting age the calibration uses."},
    {"CalibrationInputsWindow", "finalWeight", "The final weight the calibration uses."},
    {"CalibrationInputsWindow",
     "totalFeedIntake",
     "The farm's total feed intake per pig, the fit's target."},
    {"CalibrationInputsWindow", "finalAge", "The farm's final age, the fit's target."},
    {"CalibrationInputsWindow",
     "ContinueCalibration",
     "Fits the growth curve to the weighings (takes a while)."},
    {"CalibrationInputsWindow", "Cancel", "Stops the fit; the best curve so far is kept."},
    {"CalibrationInputsWindow",
     "weighingFitTable",
     "After a fit: each weighing beside the fitted curve's weight "
     "and feed at that age, and their differences."},
    {"CalibrationInputsWindow",
     "stagesTable",
     "After a fit: the classic search and the thorough stage, each "
     "with its score, its growth runs and the seconds it took."},
    {"CalibrationTestWindow",
     "trialsTable",
     "The curve now and with each coefficient one step lower and "
     "higher; Score Trials runs them."},
    {"CalibrationTestWindow",
     "scoreTrials",
     "Runs each trial and shows its score, final age and total feed."},
    {"OptimizationWindow",
     "locationName",
     "The location the optimization's files are named after."},
    {"OptimizationWindow", "targetWeight", "The weight the optimized growth runs stop at."},
    {"OptimizationWindow", "dietCountText", "How many diets the optimization moves (1 to 6)."},
    {"OptimizationWindow",
     "optimizationTable",
     "Per diet: its feed amount, net energy and protein, each with its "
     "current value and the limits the search keeps to; untick Optimize to "
     "keep a value fixed."},
    {"OptimizationWindow", "optimumDietsTable", "The best point found so far, per diet."},
    {"OptimizationWindow",
     "feedWeightsOnly",
     "Moves only the feed amounts, not energy or protein."},
    {"OptimizationWindow", "setCarcass", "Not used."},
    {"OptimizationWindow", "setMarrowind", "Not used."},
    {"OptimizationWindow", "runOptimization", "Runs the search for the lowest feed cost per pig."},
    {"OptimizationWindow", "viewOptimization", "Shows the optimization report."},
    {"OptimizationWindow",
     "transferOptimum",
     "Puts the optimum's feed amounts, energy and protein into the "
     "main window's diets."},
    {"OptimizationWindow",
     "addMinMax",
     "Sets limits around each current value: feed x0.8 to x1.2, "
     "energy x0.98 to x1.02, protein x0.95 to x1.05."},
    {"OptimizationWindow", "saveTable", "Saves this table to an optimization file."},
    {"OptimizationWindow", "openTable", "Opens a saved optimization table."},
    {"OptimizationWindow", "Cancel", "Stops the running search."},
    {"OptimizationWindow",
     "stagesTable",
     "After a run: the classic search and the thorough stage, each "
     "with its cost per pig, its evaluations and the seconds it took."},
    {"OptimizationWindow", "optimizationStartCost", "The cost per pig the search started from."},
    {"OptimizationWindow", "optimizationBestCost", "The lowest cost per pig found so far."},
    {"OptimizationWindow", "evaluationCount", "How many points the search has scored."},
    {"OptimizationReportWindow",
     "optimumTable",
     "The optimum against the start and the limits, per diet."},
    {"OptimizationReportWindow",
     "nutrientRestrictionTable",
     "The nutrient restrictions the optimum's diets were "
     "formulated with."},
    {"OptimizationReportWindow",
     "ingredientRestrictionTable",
     "The ingredient restrictions the optimum's diets were "
     "formulated with."},
    {"OptimizationReportWindow",
     "formulationTable",
     "The optimum's diets: ingredients in per cent."},
    {"OptimizationReportWindow", "targetText", "The weight the optimum's growth run stopped at."},
    {"FinishingReport",
     "Print",
     "Prints the report with the printer dialog (which can also "
     "print to a PDF file)."},
    {"FinishingReport", "ExportPdf", "Writes the report as a PDF file."},
    {"FinishingReport", "ReportText", "The Finishing Report of the current run."},
    {"HelpWindow", "HelpTopics", "The help's sections: click one to read it."},
    {"HelpWindow", "HelpText", "The section chosen."},
    {"AboutWindow", "close", "Closes this window."},
};

// The same in every window.
constexpr Help kAnyWindowHelp[] = {
    {"", "CopyToClipboard", "Copies the table to the clipboard, to paste into a spreadsheet."},
    {"", "CopyChart", "Copies a picture of the chart to the clipboard."},
    {"", "SaveChart", "Saves the chart as a PNG picture or an SVG drawing."},
    {"", "OK", "Closes this window."},
    {"", "CopyHot", "Copies the highlighted cells to the clipboard."},
    {"", "CopyAll", "Copies the whole table to the clipboard."},
};

template <std::size_t N>
const Help* Find(const Help (&table)[N], std::string_view window, std::string_view control) {
  for (const Help& help : table)
    if (help.window == window && help.control == control) return &help;
  return nullptr;
}

}  // namespace

std::string_view ControlHelp(std::string_view window, std::string_view control) {
  if (const Help* help = Find(kMainHelp, window, control)) return help->text;
  if (const Help* help = Find(kWindowHelp, window, control)) return help->text;
  if (const Help* help = Find(kAnyWindowHelp, "", control)) return help->text;
  return {};
}

std::string ControlToolTip(std::string_view window,
                           std::string_view control,
                           std::string_view screenTip) {
  const std::string_view help = ControlHelp(window, control);
  if (screenTip.empty()) return std::string(help);
  if (help.empty()) return std::string(screenTip);
  return std::string(screenTip) + "\n\n" + std::string(help);
}
