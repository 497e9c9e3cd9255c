#include "app/HelpTopics.h"

namespace {

constexpr std::string_view kGettingStarted = R"(# Getting Started

From an empty location to an optimized diet, in ten steps.

1. **Choose a location.** *File > Open Location...* (or a click on the
   location field at the top left) opens a location's calibration file
   (`.plt`). For a new farm, type a new name in a folder of your choice: the
   program asks "You are using this path ... Is this correct?" and keeps the
   location's files there once you save. The demo location (`Demo.plt`) shows
   a whole set.
2. **Set the units.** *Set Unit - Lbs, KGs*: weights in kilograms or pounds,
   feed energy in Kcal/Kg or Kcal/lb, feed cost per tonne or per short ton.
   Every table shows its units beside its headings.
3. **Enter the ingredients.** *Edit Matrix Values*: one ingredient a row with
   its *Ing. Price* and its nutrients (net energy, protein, amino acids, ...).
   *Add an Ing.* and *Add a Nutrient* make room; *Save Changes* uses the
   table in this session, *Save Changes to File* also writes the matrix file.
4. **Enter the restrictions.** *Edit Diet Restrictions*: for each diet the
   minimum and maximum of each nutrient and ingredient (0 means no limit, -1
   as an ingredient's maximum keeps it out). *Keep ...* uses them in this
   session; *Save ...* writes the restriction files.
5. **Describe the diets.** On the *Diets* tab, one diet a column: its name,
   *Weight* (feed per pig in that phase) and the nutrient minimums. Set
   *No. of Diets*.
6. **Describe the herd.** *Starting Weight* (4 to 25 kg), *Starting Age,
   Days*, *Final Weight*, *Herd Sex* and *Number of Pigs*. Choose *Least Cost
   Formulas* under *Feed Formulation* to have the diets formulated, or *Use
   Diets on Grid* to feed them as entered.
7. **Formulate.** *Run LP* formulates every diet at least cost; the *Formulas*
   tab shows the ingredients. Click a diet's cost or a nutrient on the
   *Diets* tab to see which ingredients supply it, and on the *Sensitivity*
   tab what the cost depends on.
8. **Grow.** *Growth* runs the herd to the final weight: the *Daily Growth*
   tab shows the per-diet summary above the daily rows and the growth chart;
   *Cost Per Pig* and *Feed/Gain* show the result, and so does the status bar.
9. **Calibrate (optional).** With the farm's weighings, *Calibration* fits
   the growth curve to them (*Continue Calibration*). *Help > Fit
   Correlations (Ctrl+R)* shows how well the run follows the weighings.
10. **Optimize.** *Run Optimization* opens the diet optimization: set the
    *Target Weight*, press *Program Add Min Max to Current* for limits around
    each value, untick what must stay, then *Run Opt.*. *View Optimization*
    shows the report; *Transfer Optimum to Current* puts the optimum into the
    diets. Run *Growth* again and compare in *Keep Track*.

Then *File > Save* writes every changed file, and *Finishing Report* (or
*File > Print / Export PDF...*) gives the farm its report.
)";

constexpr std::string_view kMainWindow = R"(# The main window

The herd's inputs are on the left, the commands above the tabs.

* **Daily Growth**: the last growth run. Above, the summary: each diet's end
  (live weight, age), its daily gain and its feed per pig, the energy per kg
  of gain and, *At Finishing Wt*, males and females. Below, the daily rows:
  age, weight, daily and total feed, and how many of 20 pigs are at the final
  weight. The chart beside them shows live weight and daily feed against age.
* **Diets**: the diets, one a column. Type or paste values; a changed
  nutrient becomes that diet's minimum restriction for least-cost
  formulation.
* **Formulas**: the growth-curve coefficients, the files in use and the
  formulated diets' ingredients.

Every table copies with Ctrl+C (Ctrl+A: all of it) and pastes with Ctrl+V;
right-click for the same commands. Drag a heading's edge to widen a column.
*File > Export Table...* writes the table you worked in last to a CSV file.
)";

constexpr std::string_view kFiles = R"(# Files and locations

A location is a folder and a name: `Farm.plt` (calibration and herd inputs),
`Farm.cal` (weighings), `Farm.dts` (diets), `FarmMatrix.txt` (ingredients),
`FarmReq.nut` and `FarmReq.ing` (restrictions), `Farm.stg` (temperatures).

* *File > Open Location...* (Ctrl+O) opens a location by its `.plt` file;
  *Open Recent* lists the last eight.
* *File > Save* (Ctrl+S) writes every table you changed to its file, without
  asking; the status bar says how many files were written and where.
* *File > Save As New Location...* writes the whole set under a new name.
* *Save Files* keeps the older commands, and a double click on a row of
  *Files in Use* (Formulas tab) saves that file.
* *File > Quit* (Ctrl+Q) asks about changes not yet saved.
)";

constexpr std::string_view kRestrictions = R"(# Diet Restrictions

The upper table holds each nutrient's minimum and maximum per diet, the lower
one each ingredient's (per cent of the diet). 0 means no restriction; -1 as
an ingredient's maximum keeps the ingredient out of that diet.

*Keep Ingredient Restrictions* and *Keep Nutrient Restrictions* use the
tables in this session's formulation and write nothing. *Save Ingredient
Restrictions*, *Save Nutrient Restrictions* and *Save Both Restriction Files*
write the location's files. A restriction that makes a diet infeasible is
marked here after *Run LP*.
)";

constexpr std::string_view kMatrixEditor = R"(# Matrix editor

One ingredient a row: its price and its nutrient levels (net energy in the
energy unit, the rest in per cent of the ingredient).

*Add an Ing.*, *Add a Nutrient*, *Delete Ing.* and *Delete Nutrient* change
the table's shape; *Edit Names* lets you rename. *Save Changes* takes the
table into this session (formulation uses it at once); *Save Changes to File*
also writes the matrix file.
)";

constexpr std::string_view kDietDisplay = R"(# Diet display

*Nutrient Defined Feeds*: feeds by their nutrient levels, one a row. Type a
diet number (1 to 8) in the left column to move that feed into that diet of
the main window; *Transfer All Diets* moves them all.

*Ingredient Defined Feeds*: type each ingredient's weight in a feed's column,
press *Calculate Nutrients*, then *Transfer to Current* moves the feeds'
cost and nutrients into the diets.
)";

constexpr std::string_view kSources = R"(# Nutrient Sources

Opened by a click on a formulated diet's cost or nutrient (Diets tab): each
ingredient's share of it in per cent. The *Sensitivity* tab shows what the
diet's cost depends on: each restriction's shadow price and the range over
which it holds, and each ingredient's reduced cost and price range.
)";

constexpr std::string_view kCalibration = R"(# Calibration

*Calibration* asks for the calibration's name and opens its inputs: the
farm's weighings (age, live weight, feed eaten since the weighing before;
the first row is the start). *Continue Calibration* fits the growth curve's
coefficients B0..B4 to them and offers to save the fitted curve.
*Help > Fit Correlations (Ctrl+R)* then shows the weighings against the run.
)";

constexpr std::string_view kCalibrationTest = R"(# Calibration test

The growth curve now and with each coefficient one step lower and higher.
*Score Trials* grows the herd on each and shows its score, final age and
total feed.
)";

constexpr std::string_view kOptimization = R"(# Diet optimization

Per diet, its feed amount, net energy and protein, each with its current
value and the limits the search keeps to. *Program Add Min Max to Current*
sets limits around every current value; untick *Optimize* to keep a value.
*Use Feed Weights Only* moves only the feed amounts.

*Run Opt.* searches for the lowest feed cost per pig to the *Target Weight*;
*Cancel* stops it. *View Optimization* shows the report, *Transfer Optimum to
Current* puts the optimum into the diets. *Save Opt File* and *Open Existing
Opt File* keep the table.
)";

constexpr std::string_view kOptimizationReport = R"(# Optimization report

The optimum against the start: cost per pig, feed/gain, age and the per cent
saved, then per diet each value with its limits and the value of changing it
alone. The other tabs show the restrictions the optimum's diets were
formulated with, their ingredients, and a chart of the start against the
optimum.
)";

constexpr std::string_view kChangeTracking = R"(# Change tracking

The current run's results beside the previous, an earlier and the initial
run, and the diets and formulas of the initial and the previous run with the
changed cells coloured. *Reset Initial* makes the current run the initial
one.
)";

constexpr std::string_view kTemperatures = R"(# Temperatures

Type the weekly temperatures (degrees C) the herd grows in, or paste a column
of them. The menus save them with the location or transfer them to the
program.
)";

constexpr std::string_view kUnits = R"(# Units

Weights in kilograms or pounds, feed energy in Kcal/Kg or Kcal/lb, feed cost
per tonne or per short ton. OK converts what is shown into the new units and
offers to save the choice with the location.
)";

constexpr std::string_view kFinishingReport = R"(# Finishing Report

*Finishing Report* shows the report of the current run, to hand to the farm:
the location and date, the herd's inputs, each diet's formula, nutrient
levels and cost, the growth chart, the per-diet summary, the results (final
age, feed, feed/gain, cost per pig, by sex), the last calibration's fit and
the last optimization's saving. *Print...* prints it, *Export PDF...* writes
it as a PDF file; so does *File > Print / Export PDF...*. Without a display,
`tamsel-cli report LOCATION.plt --pdf FILE` writes the same report.
)";

constexpr HelpTopic kTopics[] = {
    {HelpSection::GettingStarted, "Getting Started", kGettingStarted},
    {HelpSection::MainWindow, "The main window", kMainWindow},
    {HelpSection::Files, "Files and locations", kFiles},
    {HelpSection::Restrictions, "Diet Restrictions", kRestrictions},
    {HelpSection::MatrixEditor, "Matrix editor", kMatrixEditor},
    {HelpSection::DietDisplayForm, "Diet display", kDietDisplay},
    {HelpSection::Sources, "Nutrient Sources", kSources},
    {HelpSection::Calibration, "Calibration", kCalibration},
    {HelpSection::CalibrationTest, "Calibration test", kCalibrationTest},
    {HelpSection::Optimization, "Diet optimization", kOptimization},
    {HelpSection::OptimizationReport, "Optimization report", kOptimizationReport},
    {HelpSection::ChangeTracking, "Change tracking", kChangeTracking},
    {HelpSection::Temperatures, "Temperatures", kTemperatures},
    {HelpSection::Units, "Units", kUnits},
    {HelpSection::FinishingReport, "Finishing Report", kFinishingReport},
};

}  // namespace

std::span<const HelpTopic> HelpTopics() { return kTopics; }

const HelpTopic& HelpTopicOf(HelpSection section) {
  for (const HelpTopic& topic : kTopics)
    if (topic.section == section) return topic;
  return kTopics[0];
}

HelpSection HelpSectionOf(MainForm::Window window) {
  using Window = MainForm::Window;
  switch (window) {
    case Window::DietDisplay:
      return HelpSection::DietDisplayForm;
    case Window::Restrictions:
      return HelpSection::Restrictions;
    case Window::MatrixEditor:
      return HelpSection::MatrixEditor;
    case Window::ChangeTracking:
      return HelpSection::ChangeTracking;
    case Window::Units:
      return HelpSection::Units;
    case Window::Temperature:
      return HelpSection::Temperatures;
    case Window::Calibration:
      return HelpSection::Calibration;
    case Window::CalibrationTest:
      return HelpSection::CalibrationTest;
    case Window::Optimization:
      return HelpSection::Optimization;
    case Window::FinishingReport:
      return HelpSection::FinishingReport;
    case Window::Help:
      return HelpSection::GettingStarted;
    default:
      return HelpSection::MainWindow;
  }
}
