// Start-up and end of the program, the tabs, the input options and every
// button and menu entry of the main window.
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>

#include "app/AboutForm.h"
#include "app/App.h"
#include "app/ChangeTrackingForm.h"
#include "app/FinishingReport.h"
#include "app/FormulationFindings.h"
#include "app/MainForm.h"
#include "app/StatusTexts.h"
#include "app/UnitChange.h"
#include "formulation/LeastCost.h"
#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "model/Units.h"
#include "platform/GridClipboard.h"
#include "platform/NumberFormat.h"

namespace {

constexpr std::int16_t kStartDiets = 6;
constexpr double kDietsColumnWidening = 1.2;

// Below these sizes (pixels) the tab set keeps its size.
constexpr int kMinFollowWidth = 510;
constexpr int kMinFollowHeight = 334;
constexpr int kTabSetMargin = 16;

// Standard normal distribution function.
double Phi(double x) { return 0.5 * std::erfc(-x / std::sqrt(2.0)); }

using Control = MainForm::Control;
using MenuEntry = MainForm::MenuEntry;
using Menu = MainForm::Menu;

constexpr MenuEntry kFileEntries[] = {
    {"openLocation", "Open Location…", "Ctrl+O", Control::OpenLocation},
    {"openRecent", "Open Recent", "", Control::OpenRecent},
    {"saveChanges", "Save", "Ctrl+S", Control::SaveChanges},
    {"saveAsNewLocation", "Save As New Location…", "", Control::SaveAsNewLocation},
    {"exportTable", "Export Table…", "", Control::ExportTable},
    {"printReport", "Print / Export PDF…", "Ctrl+P", Control::PrintReport},
    {"quit", "Quit", "Ctrl+Q", Control::Quit},
};
constexpr MenuEntry kHelpEntries[] = {
    {"gettingStarted", "Getting Started", "", Control::GettingStarted},
    {"windowHelp", "Help on This Window", "F1", Control::WindowHelp},
    {"fitCorrelations", "Fit Correlations (Ctrl+R)", "Ctrl+R", Control::FitCorrelations},
};
constexpr MenuEntry kDietDataEntries[] = {
    {"openMatrix", "Open Matrix File", "", Control::OpenMatrix},
    {"openIngredientRestrictions",
     "Open Ingredient Restrictions",
     "",
     Control::OpenIngredientRestrictions},
    {"openNutrientRestrictions",
     "Open Nutrient Restrictions",
     "",
     Control::OpenNutrientRestrictions},
    {"openTemperatures", "Open Temperature File", "", Control::OpenTemperatures},
};
constexpr MenuEntry kFileSaveEntries[] = {
    {"saveDietsMatrixRestrictions",
     "Save the Diets/Matrix/Restrictions",
     "",
     Control::SaveDietsMatrixRestrictions},
    {"saveAllToCurrentLocation",
     "Save all Files to Current Location",
     "",
     Control::SaveAllToCurrentLocation},
    {"saveAllToNewLocation",
     "Save All Files to New Location/Folder",
     "",
     Control::SaveAllToNewLocation},
    {"saveDietsToNewLocation",
     "Save Diets/Matrix/ Restrictions to New Location",
     "",
     Control::SaveDietsToNewLocation},
};
constexpr MenuEntry kPopupEntries[] = {
    {"copyHighlighted", "Copy Highlighted Cells", "Ctrl+C", Control::CopyHighlighted},
    {"copyAll", "Copy All", "Ctrl+A", Control::CopyAll},
    {"clear", "Clear", "Ctrl+X", Control::Clear},
    {"paste", "Paste ", "Ctrl+V", Control::Paste},
};
constexpr Menu kMenus[] = {
    {"fileMenu", "File", true, kFileEntries, Control::OpenLocation},
    {"openDietData", "Open Diet Data", true, kDietDataEntries, Control::OpenMatrix},
    {"saveFiles", "Save Files", true, kFileSaveEntries, Control::SaveDietsMatrixRestrictions},
    {"setUnits", "Set Unit - Lbs, KGs", true, {}, Control::SetUnits},
    {"setTemperature", "Set Temperature", true, {}, Control::SetTemperature},
    {"finishingReport", "Finishing Report", true, {}, Control::FinishingReport},
    {"about", "About", true, {}, Control::About},
    {"helpMenu", "Help", true, kHelpEntries, Control::GettingStarted},
    {"tablePopup", "Popup", false, kPopupEntries, Control::CopyHighlighted},
};

bool IsButton(Control control) {
  return static_cast<int>(control) <= static_cast<int>(Control::KeepTrack);
}

int ButtonNumber(Control control) { return static_cast<int>(control) + 1; }

}  // namespace

MainForm::StartupEnvironment MainForm::StartupEnvironment::OfMachine() {
  return {ProgramFolder(), DetectDecimalComma()};
}

MainForm::Control MainForm::ButtonControl(int number) { return static_cast<Control>(number - 1); }

CommandButton& MainForm::Button(Control control) { return buttons[ButtonNumber(control)]; }

const CommandButton& MainForm::Button(Control control) const {
  return buttons[ButtonNumber(control)];
}

std::span<const MainForm::Menu> MainForm::Menus() { return kMenus; }

void MainForm::StartUp(const StartupEnvironment& machine) {
  if (started) return;
  GrowthState& growth = app_.growth;
  growth.dietCount = kStartDiets;
  // Every relative name is resolved against the data folder, so the
  // process's current folder is left alone.
  app_.programFolder = machine.programFolder;
  app_.location.dataFolder = machine.programFolder;
  FillControls();  // captions, tooltips, the lists and their first choices
  // The tab set starts at its designed size, which a kept window too small
  // to follow then leaves as it is.
  WindowResized(windowHeight, windowWidth);
  ReadWindowSize();
  matrixLoaded = true;

  growth.decimalComma = machine.decimalComma;
  caption = std::string(kMainTitle);
  if (growth.decimalComma) caption += " Commas Not Periods";

  dietsTable.SetCols(kDietsCols);
  for (int c = 0; c < kDietsCols; ++c)
    dietsTable.SetColWidth(
        c, static_cast<int>(std::lround(kDietsColumnWidening * dietsTable.ColWidth(c))));
  FillDietLabels(dietsTable);
  LayOutFilesTable();
  LayOutCoefficientsTable();

  Grid& results = app_.resultsTable;
  results.SetFixedRows(1);
  const char* headings[] = {
      "Diet Name", "Live Wt.", "Age", "", "", "Age", "Weight", "Daily Feed", "Tot FEED"};
  for (int c = 0; c < static_cast<int>(std::size(headings)); ++c)
    results.SetText(0, c, headings[c]);
  ShowWeightUnit();

  SetModelStartValues();
  WindowResized(windowHeight, windowWidth);
  ShowTab(kTabDiets);
  started = true;
}

void MainForm::SetModelStartValues() {
  GrowthState& growth = app_.growth;
  for (int i = 0; i <= 3; ++i) {
    coefficientTable.SetText(
        kCoefRow, i + 1, GeneralNumberText(growth.growthCoef[i], growth.decimalComma));
    growth.defaultGrowthCoef[i] = growth.growthCoef[i];
  }
  // lipidCurve and aminoAcidPattern hold their constants from the model
  // state's construction; the normal table is computed here.
  for (int k = 0; k < static_cast<int>(growth.normalTable.size()); ++k)
    growth.normalTable[k] = std::round(Phi(0.05 * k) * 1e5) / 1e5;
}

void MainForm::ClearDailyRows() {
  Grid& results = app_.resultsTable;
  for (int r = 1; r <= results.Rows() - 2; ++r)
    for (int c = 0; c <= 9; ++c) results.SetText(r, c, "");
}

void MainForm::EndProgram() {
  // Files are read and written whole, so none is open here.
  WriteWindowSize();
  for (Window window : {Window::DietDisplay,
                        Window::MatrixEditor,
                        Window::Restrictions,
                        Window::ChangeTracking,
                        Window::Units,
                        Window::Temperature,
                        Window::About,
                        Window::Calibration,
                        Window::CalibrationTest}) {
    WindowClosed(window);
  }
}

void MainForm::WindowClosed(Window window) {
  switch (window) {
    case Window::DietDisplay:
      app_.dietDisplayForm.visible = false;
      break;
    case Window::MatrixEditor:
      matrixEditorOpen = false;  // unsaved edits go with the window
      break;
    case Window::ChangeTracking:
      app_.changeTrackingForm.Close();
      break;
    case Window::Units:
      app_.unitsForm.Close();
      break;
    case Window::Temperature:
      app_.temperatureForm.CloseWithoutSaving();
      break;
    case Window::About:
      app_.aboutForm.Close();
      break;
    case Window::Calibration:
      app_.calibrationInputsForm.Close();
      break;
    case Window::CalibrationTest:
      app_.calibrationTestForm.Close();
      break;
    case Window::Optimization:
      app_.optimizationForm.Close();
      break;
    case Window::Restrictions:  // filled afresh whenever it is shown
      app_.restrictionsForm.visible = false;
      break;
    case Window::FinishingReport:  // made afresh whenever it is shown
    case Window::Help:
    case Window::None:
      break;
  }
}

void MainForm::WindowResized(int height, int width) {
  windowHeight = height;
  windowWidth = width;
  if (width >= kMinFollowWidth) tabSetWidth = width - kTabSetLeft - kTabSetMargin;
  if (height >= kMinFollowHeight) tabSetHeight = height - kTabSetTop - kTabSetMargin;
}

bool MainForm::Enabled(Control control) const {
  return !IsButton(control) || Button(control).enabled;
}

MainForm::Window MainForm::Click(Control control) {
  if (!Enabled(control)) return Window::None;
  StatusText.clear();  // a command that says nothing leaves no older word
  switch (control) {
    case Control::Growth:
      Growth();
      FollowFormulation(app_);
      return Window::None;
    case Control::OpenDiets:
      if (!app_.dietDisplayForm.visible) app_.dietDisplayForm.Load();
      return Window::DietDisplay;
    case Control::EditRestrictions:
      app_.restrictionsForm.Load();
      FollowFormulation(app_);
      return Window::Restrictions;
    case Control::SaveDiets:
      SaveDietsAndSummary();
      return Window::None;
    case Control::EditMatrix:
      if (!matrixEditorOpen) app_.matrixEditorForm.Fill();
      matrixEditorOpen = true;
      return Window::MatrixEditor;
    case Control::RunLp: {
      LeastCostContext lp{app_.formulation, app_.growth, *app_.formulationState, app_.dialogs};
      const bool formulated = RunLp(lp, dietsTable);
      StatusText = FormulatedStatus(DietsInUse(dietsTable), formulated);
      FollowFormulation(app_);
      return Window::None;
    }
    case Control::KeepTrack:
      if (!app_.changeTrackingForm.Visible())
        app_.changeTrackingForm.Open(app_.tracking, app_.comparison);
      return Window::ChangeTracking;
    case Control::Calibration:
      return Calibration();
    case Control::CalibrationTest:
      return OpenCalibrationTest();
    case Control::RunOptimization:
      OpenOptimization();
      return Window::Optimization;
    case Control::OpenMatrix:
      OpenMatrix();
      return Window::None;
    case Control::OpenIngredientRestrictions:
      OpenIngredientRestrictions();
      return Window::None;
    case Control::OpenNutrientRestrictions:
      OpenNutrientRestrictions();
      return Window::None;
    case Control::OpenTemperatures:
      OpenTemperatures();
      return Window::None;
    case Control::SaveDietsMatrixRestrictions:
      SaveDietsMatrixRestrictions();
      return Window::None;
    case Control::SaveAllToCurrentLocation:
      SaveAllToCurrentLocation();
      return Window::None;
    case Control::SaveAllToNewLocation:
      SaveAllToNewLocation();
      return Window::None;
    case Control::SaveDietsToNewLocation:
      SaveDietsToNewLocation();
      return Window::None;
    case Control::SetUnits:
      app_.unitsForm.Open(app_.growth);
      return Window::Units;
    case Control::SetTemperature:
      app_.temperatureForm.Open(startAge.text, app_.temperatures);
      return Window::Temperature;
    case Control::FinishingReport:
    case Control::PrintReport:
      if (auto problem = FinishingReportProblem(app_)) {
        app_.dialogs.Message(*problem);
        return Window::None;
      }
      return Window::FinishingReport;
    case Control::About:
      app_.aboutForm.Open();
      return Window::About;
    case Control::CopyHighlighted:
      PopupCommand(PopupAction::CopyHighlighted, activeGrid, app_.dialogs);
      return Window::None;
    case Control::CopyAll:
      PopupCommand(PopupAction::CopyAll, activeGrid, app_.dialogs);
      return Window::None;
    case Control::Clear:
      PopupCommand(PopupAction::Clear, activeGrid, app_.dialogs);
      return Window::None;
    case Control::Paste:
      PopupCommand(PopupAction::Paste, activeGrid, app_.dialogs);
      return Window::None;
    case Control::OpenLocation:
      LocationNameClicked();
      return Window::None;
    case Control::SaveChanges:
      SaveChanges();
      return Window::None;
    case Control::SaveAsNewLocation:
      SaveAllToNewLocation();
      return Window::None;
    case Control::GettingStarted:
      return Window::Help;
    case Control::FitCorrelations:
      ShowTab(kTabDailyGrowth);
      ShowFitCorrelations();
      return Window::None;
    case Control::OpenRecent:   // its entries call OpenRecentLocation
    case Control::ExportTable:  // the desktop's: a table as a view shows it
    case Control::Quit:         // the desktop's: its window closes
    case Control::WindowHelp:   // the desktop's: the help of the window in front
      return Window::None;
  }
  return Window::None;
}

void MainForm::ShowInput() {
  showInput.checked = true;
  turnOffInput.checked = false;
  ShowTab(kTabFormulas);
  coefficientTable.SetEditable(true);
  formulaTable.SetEditable(false);
  Button(Control::CalibrationTest).visible = true;
}

void MainForm::TurnOffInput() {
  showInput.checked = false;
  turnOffInput.checked = true;
  coefficientTable.SetEditable(false);
  formulaTable.SetEditable(true);
  Button(Control::CalibrationTest).visible = false;
}

void MainForm::WeightUnitChosen() {
  if (weightUnit.selected < 0) return;
  UnitCodeSet codes = app_.growth.unitCodes;
  codes[kWeightUnit] = WeightCodeOfSwitch(weightUnit.selected);
  // Choosing the unit already in force changes nothing.
  if (codes == app_.growth.unitCodes) return;
  ApplyUnits(codes);
}

void MainForm::DietCountChosen() {
  if (dietCount.selected >= 0)
    app_.growth.dietCount = static_cast<std::int16_t>(dietCount.selected);
}

void MainForm::PigCountKeyPressed() {
  if (pigCount.text == pigCount.caption) pigCount.text.clear();
}

void MainForm::AcceptUnits() {
  app_.unitsForm.Accept();
  const UnitCodeSet codes = app_.unitsForm.ChosenCodes();
  if (codes == app_.growth.unitCodes) return;
  ApplyUnits(codes);
}

void MainForm::ApplyUnits(const UnitCodeSet& codes) {
  ChangeUnits(app_, codes);
  if (AskToSaveUnits(locationName.text, app_.dialogs)) SaveAllToCurrentLocation();
}

void MainForm::ShowWeightUnit() {
  const int code = app_.growth.unitCodes[kWeightUnit];
  weightUnit.selected = SwitchPositionOf(code);
  startWeight.caption = StartWeightCaption(code);
  finalWeight.caption = FinalWeightCaption(code);
  app_.resultsTable.SetText(0, kSummaryGainColumn, DailyGainHeading(code));
}

namespace {

TrackedWindow Tracked(MainForm& form, App& app) {
  return {form.dietsTable, form.formulaTable, app.comparison, app.growth.dietCount};
}

}  // namespace

void MainForm::SaveRunTables() { ::SaveRunTables(app_.tracking, Tracked(*this, app_)); }

void MainForm::UpdatePreviousTables() {
  ::UpdatePreviousTables(app_.tracking, Tracked(*this, app_));
}

void MainForm::ShowTrackedTables() {
  ::ShowTrackedTables(app_.tracking, app_.comparison, app_.changeTrackingForm);
}

void MainForm::ResetInitial() {
  ::ResetInitial(app_.tracking, Tracked(*this, app_), app_.changeTrackingForm);
}

void MainForm::TrackResetInitial() {
  ResetInitialClick(app_.tracking, Tracked(*this, app_), app_.changeTrackingForm);
}

void MainForm::TrackCopy() { app_.changeTrackingForm.CopyToClipboard(app_.dialogs); }
