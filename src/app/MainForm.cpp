#include "app/MainForm.h"

#include <cmath>
#include <string>

#include "app/App.h"
#include "calibration/CalibrationData.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"
#include "platform/TextFile.h"

namespace {

constexpr int kDesignedHeight = 640;  // pixels
constexpr int kFilesColWidth = 400;   // pixels: room for a full path

constexpr const char* kFilesToolTip =
    "Double Clicking on the File Name below will let you choose a new location and file folder "
    "to store the file(s).  To use that location, use the Location Text on the top left.  To "
    "save files to the current location use the buttons at the top.";

constexpr const char* kDietsInstruction =
    "Enter Diets for the desired analysis, Calibration or Growth and Optimization (may use the "
    "same diets)";

}  // namespace

MainForm::MainForm(App& app)
    : windowHeight(kDesignedHeight), windowWidth(kMainWindowWidth), app_(app) {}

void MainForm::FillControls() {
  caption = std::string(kMainTitle);
  if (app_.growth.decimalComma) caption += " Commas Not Periods";

  startWeight.caption = StartWeightCaption(kKgCode);
  startAge.caption = "Starting Age, Days";
  finalWeight.caption = FinalWeightCaption(kKgCode);
  totalFeedIntake.caption = "Total Feed Intake";
  totalFeedIntake.toolTip = "Total Feed Intake only needed for Calibration";
  finalAge.caption = "Final Age, Days";
  locationName.caption = std::string(kCalibrationNamePlaceholder);
  locationName.text = std::string(kCalibrationNamePlaceholder);
  locationName.backColor = kLightGreen;  // no location chosen yet
  pigCount.caption = "Number of Pigs";
  pigCount.text = "Number of Pigs";
  pigCount.toolTip = "Hog Number Needed if Tonnes of Ingredients are to be calculated - else 20";
  costPerPig.caption = "Cost Per Pig";
  costPerPig.toolTip = "Double Click to see Recent Prices";
  feedGain.caption = "Feed/Gain";

  feedFormulation.Clear();
  feedFormulation.caption = "Feed Formulation";
  feedFormulation.toolTip = "Set to Diets on Grid to Optimize Feed Weights Only";
  for (const char* item : {"Select Diet Formulas", "Least Cost Formulas", "Use Diets on Grid"})
    feedFormulation.AddItem(item);
  feedFormulation.selected = kFeedNotChosen;

  weightUnit.Clear();
  weightUnit.AddItem(StartWeightCaption(kKgCode));
  weightUnit.AddItem(StartWeightCaption(kLbCode));
  weightUnit.selected = 0;

  dietCount.Clear();
  dietCount.caption = "No. of Diets";
  dietCount.AddItem("No. of Diets");
  for (int n = 1; n <= 6; ++n) dietCount.AddItem(std::to_string(n));
  dietCount.selected = 0;

  herdSex.Clear();
  herdSex.caption = "Herd Sex";
  for (const char* item : {"Mixed", "Males", "Females"}) herdSex.AddItem(item);

  showInput.caption = "Show Input";
  turnOffInput.caption = "Turn off Input";
  calibrationDataLoaded.caption = "Calibration Data Loaded";

  const char* captions[] = {"",
                            "Growth",
                            "Calibration",
                            "Open Diets",
                            "Edit Diet Restrictions",
                            "Save Diets",
                            "Edit Matrix Values",
                            "Run LP",
                            "DataButton",
                            "Run Optimization",
                            "Keep Track"};
  for (int i = 1; i < static_cast<int>(buttons.size()); ++i) buttons[i].caption = captions[i];
  Button(Control::RunLp).toolTip = "This Runs The LP without Growth Command";
  Button(Control::CalibrationTest).visible = false;  // only while "Show Input" is chosen

  dietsInstructions = kDietsInstruction;
  ShowTab(kTabDiets);
}

void MainForm::LayOutFilesTable() {
  filesTable.Resize(kFilesRows, 1);
  filesTable.SetFixedRows(1);
  filesTable.SetFixedCols(0);
  filesTable.SetEditable(false);
  filesTable.SetColWidth(0, kFilesColWidth);
  filesTableToolTip = kFilesToolTip;
  filesTable.SetText(
      kFilesHeadingRow,
      0,
      std::string("Files in Use - Double Click Below ") + '\t' + " to Save a File or all Files");
  filesTable.SetText(1, 0, "Save all Data Files");
  filesTable.SetText(3, 0, "Save Just the Diets data");
  filesTable.SetText(5, 0, "Save Just the Matrix ");
  filesTable.SetText(7, 0, "Save Just the Nutrient Restrictions");
  filesTable.SetText(9, 0, "Save Just the Ingredient Restrictions ");
  for (int row : {kPltRow, kDietsRow, kMatrixRow, kReqNutRow, kReqIngRow})
    filesTable.SetText(row, 0, kNotOpen);
}

void MainForm::LayOutCoefficientsTable() {
  const char* headings[kCoefficientCols] = {"", "B0", "B1", "B2", "B3", "B4", "Score"};
  for (int c = 0; c < kCoefficientCols; ++c) coefficientTable.SetText(0, c, headings[c]);
  coefficientTable.SetText(kCoefRow, 0, "In use");
  coefficientTable.SetText(kLoadedCoefRow, 0, "From file");
  for (int row = kCoefRow + 1; row < kLoadedCoefRow; ++row)
    coefficientTable.SetRowHidden(row, true);
}

void MainForm::ReadWindowSize() {
  auto lines = TextFile::ReadLines(app_.programFolder + std::string(kWindowSizeFile));
  if (!lines) return;
  if (!lines->empty()) {
    long height = std::lround(ReadNumber((*lines)[0]));
    if (height > 0) windowHeight = static_cast<int>(height / kTwipsPerPixel);
  }
  windowWidth = kMainWindowWidth;
}

void MainForm::WriteWindowSize() const {
  if (windowHeight == 0 || windowWidth == 0) return;
  TextFile::WriteLines(app_.programFolder + std::string(kWindowSizeFile),
                       {" " + std::to_string(windowHeight * kTwipsPerPixel),
                        " " + std::to_string(windowWidth * kTwipsPerPixel)});
}

void MainForm::ShowTab(int tab) {
  currentTab = tab;
  dietsInstructionsVisible = tab == kTabDiets;
  filesTableVisible = tab == kTabFormulas;
}
