// The save commands of the file set: the "Files in Use" table, the "Save
// Files" menu, the "Save Diets" button and the restriction summary. Every
// file is written whole or not at all (TextFile); a multi-file save stops at
// the first file that could not be written, after that file's message.
#include <array>
#include <string>

#include "app/App.h"
#include "app/MainForm.h"
#include "app/StatusTexts.h"
#include "app/UnsavedChanges.h"
#include "formulation/Restrictions.h"
#include "model/DietsFile.h"
#include "platform/NumberFormat.h"
#include "platform/SaveProtocol.h"
#include "platform/TextFile.h"

namespace {

constexpr const char* kNewLocationOffer = "FileCalib";
constexpr const char* kDietCopyTitle =
    "Save Diets, Matrix and Restrictions to New Location.  Choose Folder and Filename. Click OK, "
    "Do not add ending";
constexpr std::array<int, 4> kFormulationRows{kDietsRow, kMatrixRow, kReqNutRow, kReqIngRow};
// The calibration file, the observations, the temperatures and the diets;
// the matrix and its two restriction files with them once it holds two
// ingredients.
constexpr int kSetWithoutFormulation = 4;
constexpr int kFormulationFiles = 3;

}  // namespace

bool MainForm::MatrixHasTwoIngredients() const {
  return app_.formulation.matrix[kWeightRow][2] > 0;
}

bool MainForm::SaveDiets() {
  if (!SaveDietsFile(app_.location, dietsTable, app_.growth.dietCount, filesTable, app_.dialogs))
    return false;
  dietsTable.SetEdited(false);
  return true;
}

bool MainForm::SaveMatrixFile() {
  Location& location = app_.location;
  SaveRequest request = MatrixSaveRequest(
      location.dataFolder, locationName.text, location.saveWithoutAsking[kMatrixRow]);
  if (!SaveMatrix(app_.formulation, app_.dialogs, location.matrixFile, request)) return false;
  filesTable.SetText(kMatrixRow, 0, location.matrixFile);
  return true;
}

bool MainForm::SaveIngredientRestrictionsFile() {
  Location& location = app_.location;
  SaveRequest request = IngSaveRequest(
      location.dataFolder, locationName.text, location.saveWithoutAsking[kReqIngRow]);
  if (!SaveIngRestrictions(app_.formulation,
                           app_.growth.dietCount,
                           app_.dialogs,
                           location.ingRestrictionsFile,
                           request)) {
    return false;
  }
  filesTable.SetText(kReqIngRow, 0, location.ingRestrictionsFile);
  return true;
}

bool MainForm::SaveNutrientRestrictionsFile() {
  Location& location = app_.location;
  SaveRequest request = NutSaveRequest(
      location.dataFolder, locationName.text, location.saveWithoutAsking[kReqNutRow]);
  if (!SaveNutRestrictions(app_.formulation,
                           app_.growth.dietCount,
                           app_.dialogs,
                           location.nutRestrictionsFile,
                           request)) {
    return false;
  }
  filesTable.SetText(kReqNutRow, 0, location.nutRestrictionsFile);
  return true;
}

bool MainForm::SaveCalibrationFile() {
  Location& location = app_.location;
  SaveRequest request;
  request.dataFolder = location.dataFolder;
  request.offeredName = "*pig";
  request.filter = "*.plt";
  request.defaultExt = ".plt";
  request.saveWithoutAsking = location.saveWithoutAsking[kPltRow];
  if (!ChooseSavePath(app_.dialogs, location.calibrationFile, request)) return false;
  return WriteCalibrationFile(location.calibrationFile,
                              PltFromState(coefficientTable, app_.calibration, app_.growth),
                              PltStyle::Saved,
                              app_.dialogs,
                              "SaveCurrent");
}

// The observation rows with a weight; the diet count is left alone, so the
// diets file written next keeps every diet of the table. A ".cal" kept
// because it could not be read does not stop the other files' saves.
bool MainForm::SaveObservationsFile() {
  const Location& location = app_.location;
  if (location.observationsFile.empty()) return false;
  return WriteCalibrationRows(location.observationsFile,
                              app_.calibration,
                              RowsWithWeight(app_.calibration),
                              app_.dialogs) != RowsWrite::Failed;
}

bool MainForm::SaveTemperatureFile() {
  const Location& location = app_.location;
  if (location.temperatureFile.empty()) return false;
  return WriteTemperatureFile(location.temperatureFile, app_.temperatures, app_.dialogs);
}

MatrixFileSave MainForm::MatrixEditorSave() {
  Location& location = app_.location;
  return {location.matrixFile,
          MatrixSaveRequest(
              location.dataFolder, locationName.text, location.saveWithoutAsking[kMatrixRow]),
          [this] { LoadMatrix(); },
          [this] { return SaveIngredientRestrictionsFile() && SaveNutrientRestrictionsFile(); },
          [this] {
            if (app_.restrictionsForm.visible) app_.restrictionsForm.Fill();
          }};
}

RestrictionFiles MainForm::RestrictionFilesInUse() {
  Location& location = app_.location;
  return {location.ingRestrictionsFile,
          location.nutRestrictionsFile,
          location.dataFolder,
          locationName.text,
          filesTable};
}

// The restriction files follow the matrix file's numbering: after the editor
// moved restrictions with an insertion or deletion, they are written too.
bool MainForm::SaveJustTheMatrix() {
  if (!SaveMatrixFile()) return false;
  return !app_.formulation.restrictionFilesRenumbered ||
         (SaveIngredientRestrictionsFile() && SaveNutrientRestrictionsFile());
}

bool MainForm::SaveFormulationFiles() {
  return SaveIngredientRestrictionsFile() && SaveNutrientRestrictionsFile() && SaveMatrixFile();
}

bool MainForm::SaveAllFiles() {
  if (!(SaveCalibrationFile() && SaveObservationsFile() && SaveTemperatureFile() && SaveDiets()))
    return false;
  return !MatrixHasTwoIngredients() || SaveFormulationFiles();
}

int MainForm::DietAndFormulationFiles() const {
  return 1 + (MatrixHasTwoIngredients() ? kFormulationFiles : 0);
}

int MainForm::FilesOfTheSet() const {
  return kSetWithoutFormulation + (MatrixHasTwoIngredients() ? kFormulationFiles : 0);
}

bool MainForm::SaveAllToCurrentLocation() {
  Location& location = app_.location;
  location.saveWithoutAsking.fill(true);
  const bool saved = SaveAllFiles();
  location.ClearSaveWithoutAsking();
  StatusText =
      saved ? SavedStatus(FilesOfTheSet(), location.dataFolder) : std::string(kSaveStoppedStatus);
  return saved;
}

void MainForm::SaveDietsMatrixRestrictions() {
  Location& location = app_.location;
  for (int row : kFormulationRows) location.saveWithoutAsking[row] = true;
  const bool saved = SaveDiets() && (!MatrixHasTwoIngredients() || SaveFormulationFiles());
  for (int row : kFormulationRows) location.saveWithoutAsking[row] = false;
  StatusText = saved ? SavedStatus(DietAndFormulationFiles(), FolderOf(location.dietsFile))
                     : std::string(kSaveStoppedStatus);
}

void MainForm::SaveChanges() {
  const SavedChanges saved = SaveUnsavedChanges(app_);
  if (saved.stopped) {
    StatusText = std::string(kSaveStoppedStatus);
  } else if (saved.files == 0) {
    StatusText = std::string(kNothingToSaveStatus);
  } else {
    StatusText = SavedStatus(saved.files, saved.folder);
  }
}

void MainForm::FilesTableDoubleClicked(int row) {
  Location& location = app_.location;
  Dialogs& dialogs = app_.dialogs;
  location.ClearSaveWithoutAsking();
  if (row == 1 || row == 2) {
    Answer answer = dialogs.Message("Do you want to Save All Data to the existing location?",
                                    Buttons::YesNoCancel);
    if (answer == Answer::Yes) {
      SaveAllToCurrentLocation();
    } else if (answer == Answer::No) {
      SaveAllToNewLocation();
    }
    location.ClearSaveWithoutAsking();
    return;
  }
  if (row == 9 || row == 10) {
    dialogs.Message(
        "Click Below to Save Ingredient Restriction to an Existing or New Location Name and "
        "Folder Below");
    SaveIngredientRestrictionsFile();  // always through the save dialog
    return;
  }
  struct OneFile {
    int fileRow;
    const char* question;
    bool (MainForm::*save)();
  };
  static constexpr OneFile kOneFile[] = {
      {kDietsRow,
       "Do you want to Save the Current Diets to the existing location?",
       &MainForm::SaveDiets},
      {kMatrixRow,
       "Do you want to Save the Current Matrix Data to the existing location?",
       &MainForm::SaveJustTheMatrix},
      {kReqNutRow,
       "Do you want to Save the  Nutrition Restrictions to the existing location?",
       &MainForm::SaveNutrientRestrictionsFile},
  };
  for (const OneFile& file : kOneFile) {
    if (row != file.fileRow - 1 && row != file.fileRow) continue;
    Answer answer = dialogs.Message(file.question, Buttons::YesNoCancel);
    if (answer == Answer::Cancel) return;
    location.saveWithoutAsking[file.fileRow] = answer == Answer::Yes;
    (this->*file.save)();
    location.saveWithoutAsking[file.fileRow] = false;
    return;
  }
}

void MainForm::SaveAllToNewLocation() {
  Location& location = app_.location;
  FileRequest request;
  request.title = "CURRENT FILE IS " + location.calibrationFile +
                  " -  CHOOSE THE LOCATION AND NAME TO SAVE TO NOW";
  request.folder = location.dataFolder;
  request.filter = "*.plt";
  request.defaultExt = ".plt";
  request.fileName = kNewLocationOffer;
  std::string chosen = app_.dialogs.SaveFile(request);
  // A cancelled dialog hands back the offer: there is no new location.
  if (chosen.empty() || chosen == request.fileName) return;
  chosen = ResolveInFolder(location.dataFolder, chosen);
  SetFileNames(LocationBaseOf(chosen));
  // Work goes on at the new location: show it as the current one.
  filesTable.SetText(kPltRow, 0, location.calibrationFile);
  location.dataFolder = FolderOf(chosen);
  locationName.text = location.locationBase;
  SaveAllToCurrentLocation();
}

void MainForm::SaveDietsToNewLocation() {
  Location& location = app_.location;
  FileRequest request;
  request.title = kDietCopyTitle;
  request.folder = location.dataFolder;
  std::string chosen = app_.dialogs.SaveFile(request);
  if (chosen.empty()) return;
  std::string base = LocationBaseOf(ResolveInFolder(location.dataFolder, chosen));

  // The copy is written; work goes on with the current location's files,
  // whose changes are still unsaved.
  const Location kept = location;
  const bool dietsEdited = dietsTable.Edited();
  const FormulationTables::Unsaved unsaved = app_.formulation.unsaved;
  std::array<std::string, kFormulationRows.size()> shown;
  for (std::size_t i = 0; i < kFormulationRows.size(); ++i)
    shown[i] = filesTable.Text(kFormulationRows[i], 0);

  location.dietsFile = base + std::string(kDietsSuffix);
  location.nutRestrictionsFile = base + std::string(kReqNutSuffix);
  location.ingRestrictionsFile = base + std::string(kReqIngSuffix);
  location.matrixFile = base + std::string(kMatrixSuffix);
  for (int row : kFormulationRows) location.saveWithoutAsking[row] = true;
  const bool saved = SaveDiets() && (!MatrixHasTwoIngredients() || SaveFormulationFiles());
  StatusText = saved ? SavedStatus(DietAndFormulationFiles(), FolderOf(base))
                     : std::string(kSaveStoppedStatus);

  location = kept;
  dietsTable.SetEdited(dietsEdited);
  app_.formulation.unsaved = unsaved;
  for (std::size_t i = 0; i < kFormulationRows.size(); ++i)
    filesTable.SetText(kFormulationRows[i], 0, shown[i]);
}

void MainForm::SaveDietsAndSummary() {
  if (ReadNumber(dietsTable.Text(kDietEnergyRow, 1)) == 0) return;
  Location& location = app_.location;
  if (location.dataFolder.empty()) location.dataFolder = app_.programFolder;
  if (location.dietsFile.size() < 2)
    location.dietsFile = ResolveInFolder(location.dataFolder, locationName.text + ".dts");
  if (!SaveDiets()) return;
  StatusText = SavedStatus(1, FolderOf(location.dietsFile));
  app_.dialogs.Message(location.dietsFile + " was saved");
  SaveRestrictSummary();
}

void MainForm::SaveRestrictSummary() {
  const Location& location = app_.location;
  std::string proposed;
  if (!location.locationBase.empty()) {
    proposed = location.locationBase + "restrict.dat";
    StripFolder(proposed);
    proposed = location.dataFolder + proposed;
  }
  std::string answer = app_.dialogs.Input("", "", proposed);
  if (answer.size() < 5) return;
  StripFolder(answer);
  std::string path = ResolveInFolder(location.dataFolder, answer);
  const TextFile::WriteResult written =
      TextFile::WriteLines(path, RestrictSummaryLines(app_.formulation));
  if (!written.ok)
    app_.dialogs.Message("error saving restrictions\n" + path + ": " + written.error);
}
