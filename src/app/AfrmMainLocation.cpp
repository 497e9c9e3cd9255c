// Choosing and loading a location, and the "Open Diet Data" menu.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "app/AfrmMain.h"
#include "app/App.h"
#include "app/UnitChange.h"
#include "app/UnsavedChanges.h"
#include "formulation/Restrictions.h"
#include "model/DietsFile.h"
#include "platform/SaveProtocol.h"
#include "platform/TextFile.h"

namespace {

// Start values of the coefficients a location's ".plt" file falls back on
// for any coefficient it stores as 0.
constexpr std::array<double, 5> kLocationCoef{6.6, 1.45, 2.7, 0.0011, 1.0};

bool Cancelled(const std::string& chosen, const std::string& offered) {
  return chosen.empty() || chosen == offered || IsPattern(chosen);
}

}  // namespace

bool AfrmMain::LocationName() {
  Location& location = app_.location;
  std::string folder = location.dataFolder;
  std::string chosen;
  bool exists = false;
  // Nothing changes until the user has settled on a file: a cancel after a
  // "No" keeps the location that was open.
  for (;;) {
    FileRequest request{"Select Path and Calibration File", folder, "*.plt", ".plt", "*.plt"};
    chosen = app_.dialogs.OpenFile(request);
    if (Cancelled(chosen, request.fileName)) return false;
    chosen = ResolveInFolder(folder, chosen);
    folder = FolderOf(chosen);
    exists = TextFile::Exists(chosen);
    if (exists) break;
    std::string question = "You are using this path " + folder + " Is this correct?";
    if (app_.dialogs.Message(question, Buttons::YesNo) == Answer::Yes) break;
  }
  if (!SaveChangesFirst(app_)) return false;
  TakeLocation(chosen, exists);
  return true;
}

bool AfrmMain::LocationName(const std::string& path) {
  const std::string chosen = ResolveInFolder(app_.location.dataFolder, path);
  const bool exists = TextFile::Exists(chosen);
  if (!exists) {
    std::string question = "You are using this path " + FolderOf(chosen) + " Is this correct?";
    if (app_.dialogs.Message(question, Buttons::YesNo) != Answer::Yes) return false;
  }
  if (!SaveChangesFirst(app_)) return false;
  TakeLocation(chosen, exists);
  return true;
}

void AfrmMain::TakeLocation(const std::string& chosen, bool exists) {
  Location& location = app_.location;
  const std::string folder = FolderOf(chosen);
  app_.growth.defaultGrowthCoef = kLocationCoef;
  SetFileNames(LocationBaseOf(chosen));
  filesTable.SetText(kPltRow, 0, chosen);
  location.dataFolder = folder;
  // The last run belonged to the location before.
  ClearRunResults();

  if (!exists) {
    // A new location: its files are written by the save commands.
    location.loaded = false;
    Combo1.selected = kFeedGrid;
    Text6.text = location.locationBase;
    return;
  }
  location.loaded = true;
  const UnitCodeSet before = app_.growth.unitCodes;
  LoadExistingLocation();
  // Earlier runs stay in the comparison, shown in this location's weights.
  RescaleComparison(app_.comparison,
                    DisplayRescale(before, app_.growth.unitCodes, kWeightUnit),
                    app_.growth.decimalComma);
}

void AfrmMain::LoadExistingLocation() {
  Location& location = app_.location;
  Dialogs& dialogs = app_.dialogs;
  ResetTemperatures(app_.temperatures);

  PltLoad plt = PltLoad::Missing;
  if (TextFile::Exists(location.calibrationFile))
    plt = LoadCalibrationFile(
        location.calibrationFile, app_.growth, app_.calibration, coefficientTable, dialogs);
  if (plt == PltLoad::Missing)
    dialogs.Message("Cannot find the Calibration file " + location.calibrationFile);
  Option3.checked = plt == PltLoad::Loaded;
  if (plt == PltLoad::Loaded) ShowHerdInputs();
  ShowWeightUnit();
  if (auto odd = UnitsNoScreenOffers(app_.growth.unitCodes)) dialogs.Message(*odd);

  Text6.backColor = kWhite;
  Command[1].backColor = kLightGreen;
  Command[2].backColor = kLightGreen;

  if (TextFile::Exists(location.observationsFile)) {
    const CalRowsLoad rows = LoadCalibrationRows(location.observationsFile, app_.calibration);
    if (!rows.problem.empty()) dialogs.Message(rows.problem);
    if (app_.calibration.observations[2][kObsAge] > 0) Option3.checked = true;
  }
  if (TextFile::Exists(location.temperatureFile)) {
    const TemperatureLoad temps = ReadTemperatureFile(location.temperatureFile, app_.temperatures);
    if (!temps.problem.empty()) dialogs.Message(temps.problem);
  }

  Text6.text = location.locationBase;
  ShowDietsLoaded();

  if (TextFile::Exists(location.matrixFile)) {
    LoadLP();
  } else {
    dialogs.Message("No Matrix File found named " + location.matrixFile);
    MatrixLoaded = false;
    Combo1.selected = kFeedGrid;
  }
  if (MatrixLoaded && app_.formulation.nutrientCount == 0) {
    dialogs.Message("No Nutrient File found");
    Combo1.selected = kFeedGrid;
  }
}

void AfrmMain::ShowHerdInputs() {
  const CalibrationData& calib = app_.calibration;
  bool comma = app_.growth.decimalComma;
  TextBox* fields[] = {nullptr, &Text1, &Text2, &Text3, &Text4, &Text5};
  for (int k = 1; k <= kHerdInputs; ++k) {
    fields[k]->text = HerdInputText(calib.herdInputs[k], comma);
    fields[k]->toolTip = InitialValueTip(calib.herdInputs[k], comma);
  }
  int sex = app_.growth.herdSex;
  ComboSex.selected = sex >= 0 && sex < ComboSex.Count() ? sex : -1;
}

void AfrmMain::ShowDietsLoaded() {
  const DietsLoad load = ReadDietsFile(app_.location.dietsFile, dietsTable, app_.growth);
  if (!load.problem.empty())
    app_.dialogs.Message(load.problem);
  else if (!load.found)
    app_.dialogs.Message("No Diets File found named " + app_.location.dietsFile);
  if (dietsTable.Text(4, 0).empty()) FillDietLabels(dietsTable);
  int numDiets = app_.growth.dietCount;
  Combo3.selected = numDiets >= 0 && numDiets < Combo3.Count() ? numDiets : -1;
}

void AfrmMain::Text6_Click() {
  LocationName();
  ShowChosenLocation();
}

void AfrmMain::OpenLocationFile(const std::string& path) {
  LocationName(path);
  ShowChosenLocation();
}

void AfrmMain::ShowChosenLocation() {
  if (app_.formulation.matrix[kWeightRow][1] > 0) ShowTab(kTabDiets);
}

void AfrmMain::Text6_DblClick() {
  LocationName();
  ShowTab(kTabDiets);
  Command[1].backColor = kLightGreen;
}

void AfrmMain::Text6_KeyPress() {
  LocationName();
  Command[1].backColor = kLightGreen;
}

void AfrmMain::SetFileNames(const std::string& base) {
  ::SetFileNames(app_.location, base, filesTable);
}

void AfrmMain::LoadLP() {
  Location& location = app_.location;
  MatrixLoad read = ReadMatrixFile(app_.formulation, location.matrixFile, app_.dialogs);
  // Formulas, the formula table and the open editors showed the matrix that
  // was: shown under the new names they would be wrong, and the editors'
  // saves would store the old matrix or restrictions over the new ones.
  ClearFormulationTables(*app_.formulationState);
  if (formulaTable.Rows() > 1)
    formulaTable.ClearRange(1, 0, formulaTable.Rows() - 1, formulaTable.Cols() - 1);
  if (read != MatrixLoad::Missing) filesTable.SetText(kMatrixRow, 0, location.matrixFile);
  if (read == MatrixLoad::Loaded) {
    MatrixLoaded = true;
    ReadRestrictions();
  }
  app_.matrixForm.Fill();
  if (app_.restrictForm.visible) app_.restrictForm.Fill();
  if (app_.dietDisplayForm.visible) app_.dietDisplayForm.Load();
  if (app_.sourcesForm.visible) app_.sourcesForm.ShowPercentages();
}

void AfrmMain::ReadRestrictions() {
  Location& location = app_.location;
  std::int16_t feedChoice = static_cast<std::int16_t>(Combo1.selected);
  RestrictionLoad restrictions = LoadRestrictions(app_.formulation,
                                                  app_.dialogs,
                                                  location.ingRestrictionsFile,
                                                  location.nutRestrictionsFile,
                                                  feedChoice);
  Combo1.selected = feedChoice;
  if (restrictions.ingRead) filesTable.SetText(kReqIngRow, 0, location.ingRestrictionsFile);
  if (restrictions.nutRead) filesTable.SetText(kReqNutRow, 0, location.nutRestrictionsFile);
  if (restrictions.noEnergyMinimum) MatrixLoaded = false;
}

// A file opened over unsaved changes: they are saved first, under the
// names in use, or forgotten.
void AfrmMain::MatrixOpen() {
  std::string chosen;
  if (!ChooseMatrixFile(app_.dialogs, app_.location.dataFolder, chosen)) return;
  if (!SaveChangesFirst(app_, kFormulationData)) return;
  app_.location.matrixFile = chosen;
  LoadLP();
}

void AfrmMain::Open_Restriction() {
  Location& location = app_.location;
  std::string chosen;
  if (!ChooseIngRestrictionFile(app_.dialogs, location.dataFolder, chosen)) return;
  if (!SaveChangesFirst(app_, kRestrictionData)) return;
  location.ingRestrictionsFile = chosen;
  ReadRestrictions();
  if (app_.restrictForm.visible) app_.restrictForm.Fill();
}

void AfrmMain::OpenNuts() {
  Location& location = app_.location;
  std::string chosen;
  if (!ChooseNutRestrictionFile(app_.dialogs, location.dataFolder, chosen)) return;
  if (!SaveChangesFirst(app_, kNutRestrictionData)) return;
  location.nutRestrictionsFile = chosen;
  std::int16_t feedChoice = static_cast<std::int16_t>(Combo1.selected);
  LoadNutRestrictions(app_.formulation, app_.dialogs, location.nutRestrictionsFile, feedChoice);
  Combo1.selected = feedChoice;
  if (app_.restrictForm.visible) app_.restrictForm.Fill();
}

void AfrmMain::OpenTemps() { OpenTemperatureFile(app_.location, app_.temperatures, app_.dialogs); }
