#include "app/ControlHelp.h"

namespace {

struct Help {
  std::string_view window;
  std::string_view control;
  std::string_view text;
};

// Main window.
constexpr Help kMainHelp[] = {
    {"AfrmMain",
     "Text6",
     "The location: its folder and name. Click here (or File > Open Location...) to open a "
     "location's calibration file (.plt), or type a new name to start a new location."},
    {"AfrmMain", "Combo2", "The unit of every weight shown and typed: kilograms or pounds."},
    {"AfrmMain",
     "Text1",
     "Starting Weight of the pigs, 4 to 25 kg. Ctrl+V here pastes five "
     "lines: starting weight, starting age, final weight, total feed intake "
     "and final age."},
    {"AfrmMain", "Text2", "Starting Age, Days: the pigs' age at the starting weight (0 to 200)."},
    {"AfrmMain", "Text3", "Final Weight: the weight the growth run stops at, up to 25 kg."},
    {"AfrmMain",
     "Text4",
     "Total Feed Intake per pig: type the farm's figure for a calibration; Growth shows the "
     "run's."},
    {"AfrmMain",
     "Text5",
     "Final Age, Days: type the farm's figure for a calibration; Growth shows the run's."},
    {"AfrmMain",
     "TextPigNo",
     "How many pigs the herd has: the herd's tonnes of each ingredient "
     "in the formula table are for this many (20 when left empty)."},
    {"AfrmMain", "ComboSex", "Herd Sex: Mixed, Males or Females. Growth needs one."},
    {"AfrmMain", "Combo3", "No. of Diets: how many diets (phases) the herd is fed, 1 to 6."},
    {"AfrmMain",
     "Combo1",
     "Least Cost Formulas: Growth first formulates every diet from the matrix and the "
     "restrictions. Use Diets on Grid: Growth feeds the diets as the Diets tab gives them."},
    {"AfrmMain", "TextPrice", "The feed cost per pig of the last growth run (shown, not typed)."},
    {"AfrmMain",
     "TextFeedGain",
     "Feed per unit of gain of the last growth run (shown, not typed)."},
    {"AfrmMain",
     "Check2",
     "Tick to keep the amino acids in proportion when you change a diet's "
     "protein on the Diets tab."},
    {"AfrmMain",
     "Check3",
     "Tick to keep the amino acids in proportion when you change a diet's "
     "lysine on the Diets tab."},
    {"AfrmMain",
     "Option1",
     "Shows the growth-curve coefficients for typing (Formulas tab) and "
     "the DataButton; the formula table cannot be typed in then."},
    {"AfrmMain", "Option2", "Locks the coefficients again; the formula table can be typed in."},
    {"AfrmMain", "Option3", "Set when the location's calibration data (weighings) were found."},
    {"AfrmMain",
     "Command1",
     "Grows the herd from the starting to the final weight on the diets "
     "and shows the daily table, the chart, the cost per pig and "
     "feed/gain."},
    {"AfrmMain",
     "Command2",
     "Fits the growth curve to the farm's weighings: opens the "
     "calibration inputs after asking for the calibration's name."},
    {"AfrmMain",
     "Command3",
     "Opens the diet display: feeds by nutrient levels or by ingredient "
     "weights, to move into the Diets tab."},
    {"AfrmMain",
     "Command4",
     "Opens the nutrient and ingredient restrictions of each diet, used "
     "by least-cost formulation."},
    {"AfrmMain",
     "Command5",
     "Saves the diets to the location's diets file (.dts), then offers "
     "to write a summary of the restrictions."},
    {"AfrmMain", "Command6", "Opens the ingredient matrix: ingredients, prices and nutrients."},
    {"AfrmMain",
     "Command7",
     "Formulates every diet at least cost from the matrix and the "
     "restrictions; the diets table and the formula table show them."},
    {"AfrmMain",
     "Command8",
     "Opens the calibration test: the score of the curve with each "
     "coefficient moved one step."},
    {"AfrmMain",
     "Command9",
     "Opens the diet optimization: searches feed amounts, energy and "
     "protein for a lower feed cost per pig."},
    {"AfrmMain",
     "Command10",
     "Opens change tracking: this run's diets and formulas beside the "
     "previous and the initial ones."},
    {"AfrmMain",
     "Grid1",
     "The per-diet summary and the finishing block of the last growth run. "
     "Ctrl+C copies, Ctrl+A copies all; right-click for more."},
    {"AfrmMain",
     "Grid1Daily",
     "The daily rows of the last growth run: age, weight, daily and "
     "total feed. Ctrl+R shows the fit to the weighings."},
    {"AfrmMain",
     "Griddiets",
     "The diets, one a column: name, cost, feed per pig and nutrient "
     "levels. Type or paste values; click a formulated diet's cost or "
     "nutrient to see its sources."},
    {"AfrmMain",
     "gridFILES",
     "Double-click a row to save that file, or all files; File > Save "
     "writes every changed file without asking."},
    {"AfrmMain",
     "GridWeight",
     "The growth-curve coefficients B0..B4 (typed when Show Input is "
     "chosen) and the last run's score against the weighings."},
    {"AfrmMain",
     "Gridformula",
     "The formulated diets' ingredients in per cent, with the herd's "
     "amount and cost of each."},
};

// Secondary windows.
constexpr Help kWindowHelp[] = {
    {"Restrict", "NUTS", "Minimum and maximum of each nutrient per diet; 0 means no limit."},
    {"Restrict",
     "GridRestrict",
     "Minimum and maximum per cent of each ingredient per diet; 0 "
     "means no limit, -1 as the maximum keeps it out."},
    {"Restrict",
     "SaveIngSes",
     "Takes the ingredient table into this session's formulation. "
     "Writes no file: Save Ingredient Restrictions does."},
    {"Restrict",
     "SaveNutSes",
     "Takes the nutrient table into this session's formulation. "
     "Writes no file: Save Nutrient Restrictions does."},
    {"Restrict",
     "SaveIngFile",
     "Writes the ingredient restrictions to the location's file "
     "(Req.ing)."},
    {"Restrict",
     "SaveNutFile",
     "Writes the nutrient restrictions to the location's file "
     "(Req.nut)."},
    {"Restrict", "SaveFile", "Writes both restriction files."},
    {"frmExcel",
     "GridImport",
     "The ingredient matrix: one ingredient a row, its price and its "
     "nutrients. Type or paste values, then Save Changes."},
    {"frmExcel", "Command4", "Adds an ingredient row at the selected row."},
    {"frmExcel", "Command5", "Adds a nutrient column at the selected column."},
    {"frmExcel", "DeleteIng", "Deletes the selected ingredient, after asking."},
    {"frmExcel", "CmdDeleteNut", "Deletes the selected nutrient, after asking."},
    {"frmExcel",
     "Cmdedit",
     "Lets you type new names for ingredients and nutrients; click again "
     "when done."},
    {"frmExcel", "CmdEnzyme", "Sets the nutrient values an enzyme adds to the matrix."},
    {"frmExcel",
     "Command3",
     "Takes the table into this session's matrix (formulation uses it "
     "now). Writes no file: Save Changes to File does."},
    {"frmExcel",
     "Command1",
     "Takes the table into the matrix and writes the location's matrix "
     "file."},
    {"DietDisplay",
     "Grid2",
     "Feeds by nutrient levels, one a row. Type a diet number (1 to 8) "
     "in the left column to move that feed into that diet."},
    {"DietDisplay",
     "GridIng",
     "Feeds by ingredient weights: type each ingredient's weight in a "
     "feed's column, then Calculate Nutrients."},
    {"DietDisplay", "Command2", "Opens another feed file for the tab shown."},
    {"DietDisplay", "CommandIngOpen", "Opens a file of feeds by ingredient weights."},
    {"DietDisplay", "CmdSave", "Saves the feeds of the tab shown to a file of your choice."},
    {"DietDisplay", "Command8", "Computes each feed's cost and nutrient levels from the matrix."},
    {"DietDisplay", "Command9", "Moves the calculated feeds into the main window's diets."},
    {"DietDisplay",
     "Command3",
     "Moves every nutrient-defined feed into the main window's diets "
     "and closes this window."},
    {"DietDisplay", "CmdClear", "Empties the main window's diets table."},
    {"frmMsgBoxA",
     "Grid1",
     "Each ingredient's share, in per cent, of the nutrient or the cost "
     "you clicked."},
    {"frmMsgBoxA", "Command1", "Computes the shares again from the current formulation."},
    {"frmMsgBoxA",
     "RestrictionSensitivity",
     "What the diet's cost depends on: each "
     "restriction's shadow price and range."},
    {"frmMsgBoxA",
     "IngredientSensitivity",
     "Each ingredient's reduced cost and the range of "
     "its price over which the formula stays."},
    {"frmTrack",
     "griddiff",
     "This run's results beside the previous, an earlier and the "
     "initial run."},
    {"frmTrack", "GridInitDiet", "The diets of the initial run; changed cells are coloured."},
    {"frmTrack", "GridInitForm", "The formulas of the initial run."},
    {"frmTrack", "GridPrevDiet", "The diets of the previous run; changed cells are coloured."},
    {"frmTrack", "GridPrevForm", "The formulas of the previous run."},
    {"frmTrack", "ResetInitial", "Makes the current run the initial one."},
    {"TemperatureWindow",
     "GridCurrTemp",
     "Type the weekly temperatures (degrees C) the herd "
     "will grow in, or paste a column of them."},
    {"TemperatureWindow",
     "gridCalibTemp",
     "The temperatures the program holds for the "
     "calibration and the future."},
    {"UnitsDialog", "Weights", "The unit of weights: Kilograms or Pounds."},
    {"UnitsDialog", "FeedEnergy", "The unit of feed energy: Kcal/Kg or Kcal/lb."},
    {"UnitsDialog", "FeedCost", "The unit of feed prices: per tonne or per short ton."},
    {"UnitsDialog",
     "OK",
     "Uses these units (converting what is shown) and offers to save them "
     "with the location."},
    {"frmCalib",
     "GridCal",
     "The weighings: age in days, live weight and the feed eaten since "
     "the weighing before. The first row is the start, with no feed."},
    {"frmCalib", "Text1", "The starting weight the calibration uses."},
    {"frmCalib", "Text2", "The starting age the calibration uses."},
    {"frmCalib", "Text3", "The final weight the calibration uses."},
    {"frmCalib", "Text4", "The farm's total feed intake per pig, the fit's target."},
    {"frmCalib", "Text5", "The farm's final age, the fit's target."},
    {"frmCalib", "ContinueCalibration", "Fits the growth curve to the weighings (takes a while)."},
    {"frmCalib", "Cancel", "Stops the fit; the best curve so far is kept."},
    {"frmCalib",
     "GridWeighings",
     "After a fit: each weighing beside the fitted curve's weight "
     "and feed at that age, and their differences."},
    {"frmCalib",
     "GridStages",
     "After a fit: the classic search and the thorough stage, each "
     "with its score, its growth runs and the seconds it took."},
    {"frmCalibTest",
     "GridTest",
     "The curve now and with each coefficient one step lower and "
     "higher; Score Trials runs them."},
    {"frmCalibTest", "Command1", "Runs each trial and shows its score, final age and total feed."},
    {"frmOpt", "LocationName", "The location the optimization's files are named after."},
    {"frmOpt", "TargetWeight", "The weight the optimized growth runs stop at."},
    {"frmOpt", "TextOptDiet", "How many diets the optimization moves (1 to 6)."},
    {"frmOpt",
     "GridOpt",
     "Per diet: its feed amount, net energy and protein, each with its "
     "current value and the limits the search keeps to; untick Optimize to "
     "keep a value fixed."},
    {"frmOpt", "GridOptBest", "The best point found so far, per diet."},
    {"frmOpt", "CheckFeedOnly", "Moves only the feed amounts, not energy or protein."},
    {"frmOpt", "CheckCarcass", "Not used."},
    {"frmOpt", "CheckMarrowind", "Not used."},
    {"frmOpt", "CmdRunOpt", "Runs the search for the lowest feed cost per pig."},
    {"frmOpt", "CmdView", "Shows the optimization report."},
    {"frmOpt",
     "CmdTransfer",
     "Puts the optimum's feed amounts, energy and protein into the "
     "main window's diets."},
    {"frmOpt",
     "CmdAddMinMax",
     "Sets limits around each current value: feed x0.8 to x1.2, "
     "energy x0.98 to x1.02, protein x0.95 to x1.05."},
    {"frmOpt", "CmdSaveOpt", "Saves this table to an optimization file."},
    {"frmOpt", "CmdOpenOpt", "Opens a saved optimization table."},
    {"frmOpt", "Cancel", "Stops the running search."},
    {"frmOpt",
     "GridStages",
     "After a run: the classic search and the thorough stage, each "
     "with its cost per pig, its evaluations and the seconds it took."},
    {"frmOpt", "TextOptStart", "The cost per pig the search started from."},
    {"frmOpt", "TextOptBest", "The lowest cost per pig found so far."},
    {"frmOpt", "Evaluations", "How many points the search has scored."},
    {"OptReport", "GridOptimum", "The optimum against the start and the limits, per diet."},
    {"OptReport",
     "GridNutRestrict",
     "The nutrient restrictions the optimum's diets were "
     "formulated with."},
    {"OptReport",
     "GridIngRestrict",
     "The ingredient restrictions the optimum's diets were "
     "formulated with."},
    {"OptReport", "GridFormulation", "The optimum's diets: ingredients in per cent."},
    {"OptReport", "TextTarget", "The weight the optimum's growth run stopped at."},
    {"FinishingReport",
     "Print",
     "Prints the report with the printer dialog (which can also "
     "print to a PDF file)."},
    {"FinishingReport", "ExportPdf", "Writes the report as a PDF file."},
    {"FinishingReport", "ReportText", "The Finishing Report of the current run."},
    {"HelpWindow", "HelpTopics", "The help's sections: click one to read it."},
    {"HelpWindow", "HelpText", "The section chosen."},
    {"frmAbout", "cmdOK", "Closes this window."},
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
