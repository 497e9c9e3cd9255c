// Start-up and end of the program, the tabs, the input options and every
// button and menu entry of the main window.
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>

#include "app/About.h"
#include "app/AfrmMain.h"
#include "app/App.h"
#include "app/ChangeTracking.h"
#include "app/UnitChange.h"
#include "formulation/LeastCost.h"
#include "model/DietsFile.h"
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

using Control = AfrmMain::Control;
using MenuEntry = AfrmMain::MenuEntry;
using Menu = AfrmMain::Menu;

constexpr MenuEntry kDietDataEntries[] = {
    {"MatrixOpen", "Open Matrix File", "", Control::MatrixOpen},
    {"Open_Restriction", "Open Ingredient Restrictions", "", Control::Open_Restriction},
    {"OpenNuts", "Open Nutrient Restrictions", "", Control::OpenNuts},
    {"OpenTemps", "Open Temperature File", "", Control::OpenTemps},
};
constexpr MenuEntry kFileSaveEntries[] = {
    {"Save1Diet", "Save the Diets/Matrix/Restrictions", "", Control::Save1Diet},
    {"SaveCurrent", "Save all Files to Current Location", "", Control::SaveCurrent},
    {"SaveNewLoc", "Save All Files to New Location/Folder", "", Control::SaveNewLoc},
    {"SaveDietNew", "Save Diets/Matrix/ Restrictions to New Location", "", Control::SaveDietNew},
};
constexpr MenuEntry kPopupEntries[] = {
    {"CopyHot", "Copy Highlighted Cells", "Ctrl+C", Control::CopyHot},
    {"CopyAll", "Copy All", "Ctrl+A", Control::CopyAll},
    {"Clear1", "Clear", "Ctrl+X", Control::Clear1},
    {"aPaste", "Paste ", "Ctrl+V", Control::aPaste},
};
constexpr Menu kMenus[] = {
    {"DietData", "Open Diet Data", true, kDietDataEntries, Control::MatrixOpen},
    {"FileSave", "Save Files", true, kFileSaveEntries, Control::Save1Diet},
    {"UnitPick", "Set Unit - Lbs, KGs", true, {}, Control::UnitPick},
    {"SetTemp", "Set Temperature", true, {}, Control::SetTemp},
    {"Finishing", "Finishing Report", true, {}, Control::Finishing},
    {"About", "About", true, {}, Control::About},
    {"Popup1", "Popup", false, kPopupEntries, Control::CopyHot},
};

bool IsButton(Control control) {
  return static_cast<int>(control) <= static_cast<int>(Control::Command10);
}

int ButtonNumber(Control control) { return static_cast<int>(control) + 1; }

}  // namespace

AfrmMain::StartupEnvironment AfrmMain::StartupEnvironment::OfMachine() {
  return {ProgramFolder(), DetectDecimalComma()};
}

AfrmMain::Control AfrmMain::ButtonControl(int number) { return static_cast<Control>(number - 1); }

std::span<const AfrmMain::Menu> AfrmMain::Menus() { return kMenus; }

void AfrmMain::StartUp(const StartupEnvironment& machine) {
  if (Started) return;
  GrowthState& growth = app_.growth;
  growth.dietCount = kStartDiets;
  // Every relative name is resolved against the data folder, so the
  // process's current folder is left alone.
  app_.programFolder = machine.programFolder;
  app_.location.dataFolder = machine.programFolder;
  FillControls();  // captions, tooltips, the lists and their first choices
  // The tab set starts at its designed size, which a kept window too small
  // to follow then leaves as it is.
  Form_Resize(windowHeight, windowWidth);
  ReadWindowSize();
  MatrixLoaded = true;

  growth.decimalComma = machine.decimalComma;
  caption = std::string(kMainTitle);
  if (growth.decimalComma) caption += " Commas Not Periods";

  dietsTable.SetCols(kDietsCols);
  for (int c = 0; c < kDietsCols; ++c)
    dietsTable.SetColWidth(
        c, static_cast<int>(std::lround(kDietsColumnWidening * dietsTable.ColWidth(c))));
  FillDietLabels(dietsTable);
  LayOutFilesTable();

  Grid& results = app_.Grid1;
  results.SetFixedRows(1);
  const char* headings[] = {
      "Diet Name", "Live Wt.", "Age", "", "", "Age", "Weight", "Daily Feed", "Tot FEED"};
  for (int c = 0; c < static_cast<int>(std::size(headings)); ++c)
    results.SetText(0, c, headings[c]);
  ShowWeightUnit();

  DataInit();
  Form_Resize(windowHeight, windowWidth);
  ShowTab(kTabDiets);
  Started = true;
}

void AfrmMain::DataInit() {
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

void AfrmMain::ClearGrid1() {
  Grid& results = app_.Grid1;
  for (int r = 1; r <= results.Rows() - 2; ++r)
    for (int c = 0; c <= 9; ++c) results.SetText(r, c, "");
}

void AfrmMain::EndProgram() {
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

void AfrmMain::WindowClosed(Window window) {
  switch (window) {
    case Window::DietDisplay:
      app_.dietDisplayForm.visible = false;
      break;
    case Window::MatrixEditor:
      MatrixEditorOpen = false;  // unsaved edits go with the window
      break;
    case Window::ChangeTracking:
      app_.trackForm.Close();
      break;
    case Window::Units:
      app_.unitsForm.Close();
      break;
    case Window::Temperature:
      app_.temperatureForm.CloseWithoutSaving();
      break;
    case Window::About:
      app_.aboutForm.cmdOK_Click();
      break;
    case Window::Calibration:
      app_.calibForm.Close();
      break;
    case Window::CalibrationTest:
      app_.calibTestForm.Close();
      break;
    case Window::Optimization:
      app_.optForm.Close();
      break;
    case Window::Restrictions:  // filled afresh whenever it is shown
      app_.restrictForm.visible = false;
      break;
    case Window::None:
      break;
  }
}

void AfrmMain::Form_Resize(int height, int width) {
  windowHeight = height;
  windowWidth = width;
  if (width >= kMinFollowWidth) TabSetWidth = width - kTabSetLeft - kTabSetMargin;
  if (height >= kMinFollowHeight) TabSetHeight = height - kTabSetTop - kTabSetMargin;
}

bool AfrmMain::Enabled(Control control) const {
  return !IsButton(control) || Command[ButtonNumber(control)].enabled;
}

AfrmMain::Window AfrmMain::Click(Control control) {
  if (!Enabled(control)) return Window::None;
  switch (control) {
    case Control::Command1:
      RunGrowth();
      return Window::None;
    case Control::Command3:
      if (!app_.dietDisplayForm.visible) app_.dietDisplayForm.Load();
      return Window::DietDisplay;
    case Control::Command4:
      app_.restrictForm.Load();
      return Window::Restrictions;
    case Control::Command5:
      Command5_Click();
      return Window::None;
    case Control::Command6:
      if (!MatrixEditorOpen) app_.matrixForm.Fill();
      MatrixEditorOpen = true;
      return Window::MatrixEditor;
    case Control::Command7: {
      LeastCostContext lp{app_.formulation, app_.growth, *app_.formulationState, app_.dialogs};
      RunLp(lp, dietsTable);
      return Window::None;
    }
    case Control::Command10:
      if (!app_.trackForm.Visible()) app_.trackForm.Open(app_.tracking, app_.comparison);
      return Window::ChangeTracking;
    case Control::Command2:
      return CalibrationCommand();
    case Control::Command8:
      return Command8_Click();
    case Control::Command9:
      Command9_Click();
      return Window::Optimization;
    case Control::MatrixOpen:
      MatrixOpen();
      return Window::None;
    case Control::Open_Restriction:
      Open_Restriction();
      return Window::None;
    case Control::OpenNuts:
      OpenNuts();
      return Window::None;
    case Control::OpenTemps:
      OpenTemps();
      return Window::None;
    case Control::Save1Diet:
      Save1Diet();
      return Window::None;
    case Control::SaveCurrent:
      SaveCurrent();
      return Window::None;
    case Control::SaveNewLoc:
      SaveNewLoc();
      return Window::None;
    case Control::SaveDietNew:
      SaveDietNew();
      return Window::None;
    case Control::UnitPick:
      app_.unitsForm.Open(app_.growth);
      return Window::Units;
    case Control::SetTemp:
      app_.temperatureForm.Open(Text2.text, app_.temperatures);
      return Window::Temperature;
    case Control::Finishing:
      FinishingReport(app_.dialogs);
      return Window::None;
    case Control::About:
      app_.aboutForm.Open();
      return Window::About;
    case Control::CopyHot:
      PopupCommand(PopupAction::CopyHighlighted, activeGrid, app_.dialogs);
      return Window::None;
    case Control::CopyAll:
      PopupCommand(PopupAction::CopyAll, activeGrid, app_.dialogs);
      return Window::None;
    case Control::Clear1:
      PopupCommand(PopupAction::Clear, activeGrid, app_.dialogs);
      return Window::None;
    case Control::aPaste:
      PopupCommand(PopupAction::Paste, activeGrid, app_.dialogs);
      return Window::None;
  }
  return Window::None;
}

void AfrmMain::Option1_Click() {
  Option1.checked = true;
  Option2.checked = false;
  ShowTab(kTabFormulas);
  coefficientTable.SetEditable(true);
  formulaTable.SetEditable(false);
  Command[8].visible = true;
}

void AfrmMain::Option2_Click() {
  Option1.checked = false;
  Option2.checked = true;
  coefficientTable.SetEditable(false);
  formulaTable.SetEditable(true);
  Command[8].visible = false;
}

void AfrmMain::Combo2_Click() {
  if (Combo2.selected < 0) return;
  UnitCodeSet codes = app_.growth.unitCodes;
  codes[kWeightUnit] = WeightCodeOfSwitch(Combo2.selected);
  // Choosing the unit already in force changes nothing.
  if (codes == app_.growth.unitCodes) return;
  ApplyUnits(codes);
}

void AfrmMain::Combo3_Click() {
  if (Combo3.selected >= 0) app_.growth.dietCount = static_cast<std::int16_t>(Combo3.selected);
}

void AfrmMain::TextPigNo_KeyPress() {
  if (TextPigNo.text == TextPigNo.caption) TextPigNo.text.clear();
}

void AfrmMain::UnitsOK() {
  app_.unitsForm.Accept();
  const UnitCodeSet codes = app_.unitsForm.ChosenCodes();
  if (codes == app_.growth.unitCodes) return;
  ApplyUnits(codes);
}

void AfrmMain::ApplyUnits(const UnitCodeSet& codes) {
  ChangeUnits(app_, codes);
  if (AskToSaveUnits(Text6.text, app_.dialogs)) SaveCurrent();
}

void AfrmMain::ShowWeightUnit() {
  const int code = app_.growth.unitCodes[kWeightUnit];
  Combo2.selected = SwitchPositionOf(code);
  Text1.caption = StartWeightCaption(code);
  Text3.caption = FinalWeightCaption(code);
  app_.Grid1.SetText(0, kSummaryGainColumn, DailyGainHeading(code));
}

namespace {

TrackedWindow Tracked(AfrmMain& form, App& app) {
  return {form.dietsTable, form.formulaTable, app.comparison, app.growth.dietCount};
}

}  // namespace

void AfrmMain::GridSave() { ::GridSave(app_.tracking, Tracked(*this, app_)); }

void AfrmMain::trackupdate() { ::trackupdate(app_.tracking, Tracked(*this, app_)); }

void AfrmMain::trackwrite() { ::trackwrite(app_.tracking, app_.comparison, app_.trackForm); }

void AfrmMain::ResetInitial() {
  ::ResetInitial(app_.tracking, Tracked(*this, app_), app_.trackForm);
}

void AfrmMain::TrackResetInitial() {
  ResetInitialClick(app_.tracking, Tracked(*this, app_), app_.trackForm);
}

void AfrmMain::TrackCopy() { app_.trackForm.CopyToClipboard(app_.dialogs); }
