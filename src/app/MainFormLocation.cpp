// Choosing and loading a location, and the "Open Diet Data" menu.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "app/App.h"
#include "app/MainForm.h"
#include "app/StatusTexts.h"
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

bool MainForm::ChooseLocation() {
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

bool MainForm::ChooseLocation(const std::string& path) {
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

void MainForm::TakeLocation(const std::string& chosen, bool exists) {
  Location& location = app_.location;
  const std::string folder = FolderOf(chosen);
  app_.growth.defaultGrowthCoef = kLocationCoef;
  SetFileNames(LocationBaseOf(chosen));
  filesTable.SetText(kPltRow, 0, chosen);
  location.dataFolder = folder;
  // The last run belonged to the location before.
  ClearRunResults();

  Recent.Add(chosen);
  StatusText = OpenedStatus(location.locationBase, exists);
  if (!exists) {
    // A new location: its files are written by the save commands.
    location.loaded = false;
    feedFormulation.selected = kFeedGrid;
    locationName.text = location.locationBase;
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

void MainForm::LoadExistingLocation() {
  Location& location = app_.location;
  Dialogs& dialogs = app_.dialogs;
  ResetTemperatures(app_.temperatures);

  PltLoad plt = PltLoad::Missing;
  if (TextFile::Exists(location.calibrationFile))
    plt = LoadCalibrationFile(
        location.calibrationFile, app_.growth, app_.calibration, coefficientTable, dialogs);
  if (plt == PltLoad::Missing)
    dialogs.Message("Cannot find the Calibration file " + location.calibrationFile);
  calibrationDataLoaded.checked = plt == PltLoad::Loaded;
  if (plt == PltLoad::Loaded) ShowHerdInputs();
  ShowWeightUnit();
  if (auto odd = UnitsNoScreenOffers(app_.growth.unitCodes)) dialogs.Message(*odd);

  locationName.backColor = kWhite;
  Button(Control::Growth).backColor = kLightGreen;
  Button(Control::Calibration).backColor = kLightGreen;

  if (TextFile::Exists(location.observationsFile)) {
    const CalRowsLoad rows = LoadCalibrationRows(location.observationsFile, app_.calibration);
    if (!rows.problem.empty()) dialogs.Message(rows.problem);
    if (app_.calibration.observations[2][kObsAge] > 0) calibrationDataLoaded.checked = true;
  }
  if (TextFile::Exists(location.temperatureFile)) {
    const TemperatureLoad temps = ReadTemperatureFile(location.temperatureFile, app_.temperatures);
    if (!temps.problem.empty()) dialogs.Message(temps.problem);
  }

  locationName.text = location.locationBase;
  ShowDietsLoaded();

  if (TextFile::Exists(location.matrixFile)) {
    LoadMatrix();
  } else {
    dialogs.Message("No Matrix File found named " + location.matrixFile);
    matrixLoaded = false;
    feedFormulation.selected = kFeedGrid;
  }
  if (matrixLoaded && app_.formulation.nutrientCount == 0) {
    dialogs.Message("No Nutrient File found");
    feedFormulation.selected = kFeedGrid;
  }
}

void MainForm::ShowHerdInputs() {
  const CalibrationData& calib = app_.calibration;
  bool comma = app_.growth.decimalComma;
  TextBox* fields[] = {nullptr, &startWeight, &startAge, &finalWeight, &totalFeedIntake, &finalAge};
  for (int k = 1; k <= kHerdInputs; ++k) {
    fields[k]->text = HerdInputText(calib.herdInputs[k], comma);
    fields[k]->toolTip = InitialValueTip(calib.herdInputs[k], comma);
  }
  int sex = app_.growth.herdSex;
  herdSex.selected = sex >= 0 && sex < herdSex.Count() ? sex : -1;
}

void MainForm::ShowDietsLoaded() {
  const DietsLoad load = ReadDietsFile(app_.location.dietsFile, dietsTable, app_.growth);
  if (!load.problem.empty())
    app_.dialogs.Message(load.problem);
  else if (!load.found)
    app_.dialogs.Message("No Diets File found named " + app_.location.dietsFile);
  if (dietsTable.Text(4, 0).empty()) FillDietLabels(dietsTable);
  int numDiets = app_.growth.dietCount;
  dietCount.selected = numDiets >= 0 && numDiets < dietCount.Count() ? numDiets : -1;
}

void MainForm::OpenRecentLocation(int index) {
  const std::vector<std::string>& paths = Recent.Paths();
  if (index < 0 || index >= static_cast<int>(paths.size())) return;
  const std::string path = paths[static_cast<std::size_t>(index)];
  StatusText.clear();
  if (!TextFile::Exists(path)) {
    app_.dialogs.Message("Cannot find the Calibration file " + path);
    Recent.Remove(path);
    return;
  }
  OpenLocationFile(path);
}

void MainForm::LocationNameClicked() {
  ChooseLocation();
  ShowChosenLocation();
}

void MainForm::OpenLocationFile(const std::string& path) {
  ChooseLocation(path);
  ShowChosenLocation();
}

void MainForm::ShowChosenLocation() {
  if (app_.formulation.matrix[kWeightRow][1] > 0) ShowTab(kTabDiets);
}

void MainForm::LocationNameDoubleClicked() {
  ChooseLocation();
  ShowTab(kTabDiets);
  Button(Control::Growth).backColor = kLightGreen;
}

void MainForm::LocationNameKeyPressed() {
  ChooseLocation();
  Button(Control::Growth).backColor = kLightGreen;
}

void MainForm::SetFileNames(const std::string& base) {
  ::SetFileNames(app_.location, base, filesTable);
}

void MainForm::LoadMatrix() {
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
    matrixLoaded = true;
    ReadRestrictions();
  }
  app_.matrixEditorForm.Fill();
  if (app_.restrictionsForm.visible) app_.restrictionsForm.Fill();
  if (app_.dietDisplayForm.visible) app_.dietDisplayForm.Load();
  if (app_.nutrientSourcesForm.visible) app_.nutrientSourcesForm.ShowPercentages();
}

void MainForm::ReadRestrictions() {
  Location& location = app_.location;
  std::int16_t feedChoice = static_cast<std::int16_t>(feedFormulation.selected);
  RestrictionLoad restrictions = LoadRestrictions(app_.formulation,
                                                  app_.dialogs,
                                                  location.ingRestrictionsFile,
                                                  location.nutRestrictionsFile,
                                                  feedChoice);
  feedFormulation.selected = feedChoice;
  if (restrictions.ingRead) filesTable.SetText(kReqIngRow, 0, location.ingRestrictionsFile);
  if (restrictions.nutRead) filesTable.SetText(kReqNutRow, 0, location.nutRestrictionsFile);
  if (restrictions.noEnergyMinimum) matrixLoaded = false;
}

// A file opened over unsaved changes: they are saved first, under the
// names in use, or forgotten.
void MainForm::OpenMatrix() {
  std::string chosen;
  if (!ChooseMatrixFile(app_.dialogs, app_.location.dataFolder, chosen)) return;
  if (!SaveChangesFirst(app_, kFormulationData)) return;
  app_.location.matrixFile = chosen;
  LoadMatrix();
}

void MainForm::OpenIngredientRestrictions() {
  Location& location = app_.location;
  std::string chosen;
  if (!ChooseIngRestrictionFile(app_.dialogs, location.dataFolder, chosen)) return;
  if (!SaveChangesFirst(app_, kRestrictionData)) return;
  location.ingRestrictionsFile = chosen;
  ReadRestrictions();
  if (app_.restrictionsForm.visible) app_.restrictionsForm.Fill();
}

void MainForm::OpenNutrientRestrictions() {
  Location& location = app_.location;
  std::string chosen;
  if (!ChooseNutRestrictionFile(app_.dialogs, location.dataFolder, chosen)) return;
  if (!SaveChangesFirst(app_, kNutRestrictionData)) return;
  location.nutRestrictionsFile = chosen;
  std::int16_t feedChoice = static_cast<std::int16_t>(feedFormulation.selected);
  LoadNutRestrictions(app_.formulation, app_.dialogs, location.nutRestrictionsFile, feedChoice);
  feedFormulation.selected = feedChoice;
  if (app_.restrictionsForm.visible) app_.restrictionsForm.Fill();
}

void MainForm::OpenTemperatures() {
  OpenTemperatureFile(app_.location, app_.temperatures, app_.dialogs);
}
