#include "app/AfrmMain.h"

#include <cmath>
#include <string>

#include "app/App.h"
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

AfrmMain::AfrmMain(App& app)
    : windowHeight(kDesignedHeight), windowWidth(kMainWindowWidth), app_(app) {}

void AfrmMain::FillControls() {
  caption = std::string(kMainTitle);
  if (app_.growth.decimalComma) caption += " Commas Not Periods";

  Text1.caption = StartWeightCaption(kKgCode);
  Text2.caption = "Starting Age, Days";
  Text3.caption = FinalWeightCaption(kKgCode);
  Text4.caption = "Total Feed Intake";
  Text4.toolTip = "Total Feed Intake only needed for Calibration";
  Text5.caption = "Final Age, Days";
  Text6.caption = std::string(kCalibrationNamePlaceholder);
  Text6.text = std::string(kCalibrationNamePlaceholder);
  Text6.backColor = kLightGreen;  // no location chosen yet
  TextPigNo.caption = "Number of Pigs";
  TextPigNo.text = "Number of Pigs";
  TextPigNo.toolTip = "Hog Number Needed if Tonnes of Ingredients are to be calculated - else 20";
  TextPrice.caption = "Cost Per Pig";
  TextPrice.toolTip = "Double Click to see Recent Prices";
  TextFeedGain.caption = "Feed/Gain";

  Combo1.Clear();
  Combo1.caption = "Feed Formulation";
  Combo1.toolTip = "Set to Diets on Grid to Optimize Feed Weights Only";
  for (const char* item : {"Select Diet Formulas", "Least Cost Formulas", "Use Diets on Grid"})
    Combo1.AddItem(item);
  Combo1.selected = kFeedNotChosen;

  Combo2.Clear();
  Combo2.AddItem(StartWeightCaption(kKgCode));
  Combo2.AddItem(StartWeightCaption(kLbCode));
  Combo2.selected = 0;

  Combo3.Clear();
  Combo3.caption = "No. of Diets";
  Combo3.AddItem("No. of Diets");
  for (int n = 1; n <= 6; ++n) Combo3.AddItem(std::to_string(n));
  Combo3.selected = 0;

  ComboSex.Clear();
  ComboSex.caption = "Herd Sex";
  for (const char* item : {"Mixed", "Males", "Females"}) ComboSex.AddItem(item);

  Option1.caption = "Show Input";
  Option2.caption = "Turn off Input";
  Option3.caption = "Calibration Data Loaded";

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
  for (int i = 1; i < static_cast<int>(Command.size()); ++i) Command[i].caption = captions[i];
  Command[7].toolTip = "This Runs The LP without Growth Command";
  Command[8].visible = false;  // only while "Show Input" is chosen

  RichTextBox1 = kDietsInstruction;
  ShowTab(kTabDiets);
}

void AfrmMain::LayOutFilesTable() {
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

void AfrmMain::ReadWindowSize() {
  auto lines = TextFile::ReadLines(app_.programFolder + std::string(kWindowSizeFile));
  if (!lines) return;
  if (!lines->empty()) {
    long height = std::lround(ReadNumber((*lines)[0]));
    if (height > 0) windowHeight = static_cast<int>(height / kTwipsPerPixel);
  }
  windowWidth = kMainWindowWidth;
}

void AfrmMain::WriteWindowSize() const {
  if (windowHeight == 0 || windowWidth == 0) return;
  TextFile::WriteLines(app_.programFolder + std::string(kWindowSizeFile),
                       {" " + std::to_string(windowHeight * kTwipsPerPixel),
                        " " + std::to_string(windowWidth * kTwipsPerPixel)});
}

void AfrmMain::ShowTab(int tab) {
  currentTab = tab;
  RichTextBox1Visible = tab == kTabDiets;
  filesTableVisible = tab == kTabFormulas;
}
