#include "app/UnsavedChanges.h"

#include <string_view>

#include "app/App.h"
#include "platform/Location.h"

namespace {

// One kind of data: where it is written, whether the user changed it, its
// own save and how its changes are forgotten.
struct Kind {
  std::string_view what;  // named in the question while there is no file
  std::string (*file)(const App&);
  bool (*changed)(const App&);
  bool (*save)(App&);
  void (*forget)(App&);
};

// The file's own save, under its current name without the save dialog; the
// dialog comes only when there is no name yet.
bool SaveUnderCurrentName(App& app, int row, bool named, bool (MainForm::*save)()) {
  bool& withoutAsking = app.location.saveWithoutAsking[row];
  withoutAsking = named;
  const bool written = (app.mainForm.*save)();
  withoutAsking = false;
  return written;
}

// The matrix editor's edits count while it is open: closing it drops them.
bool EditorEdited(const App& app) {
  return app.mainForm.matrixEditorOpen && app.matrixEditorForm.matrixTable.Edited();
}

constexpr Kind kDiets{
    "the diets",
    [](const App& app) { return app.location.dietsFile; },
    [](const App& app) { return app.mainForm.dietsTable.Edited(); },
    [](App& app) {
      return SaveUnderCurrentName(
          app, kDietsRow, !app.location.dietsFile.empty(), &MainForm::SaveDiets);
    },
    [](App& app) { app.mainForm.dietsTable.SetEdited(false); },
};

constexpr Kind kMatrix{
    "the ingredient matrix",
    [](const App& app) { return app.location.matrixFile; },
    [](const App& app) { return app.formulation.unsaved.matrix || EditorEdited(app); },
    [](App& app) {
      if (EditorEdited(app)) app.matrixEditorForm.SaveChanges();  // "Save Changes" first
      return SaveUnderCurrentName(
          app, kMatrixRow, !app.location.matrixFile.empty(), &MainForm::SaveMatrixFile);
    },
    [](App& app) {
      app.formulation.unsaved.matrix = false;
      app.matrixEditorForm.matrixTable.SetEdited(false);
    },
};

constexpr Kind kIngRestrictions{
    "the ingredient restrictions",
    [](const App& app) { return app.location.ingRestrictionsFile; },
    [](const App& app) {
      return app.formulation.unsaved.ingRestrictions ||
             app.restrictionsForm.ingredientTable.Edited();
    },
    [](App& app) {
      // "Keep Ingredient Restrictions" first.
      if (app.restrictionsForm.ingredientTable.Edited())
        app.restrictionsForm.KeepIngredientRestrictions();
      return SaveUnderCurrentName(app,
                                  kReqIngRow,
                                  !app.location.ingRestrictionsFile.empty(),
                                  &MainForm::SaveIngredientRestrictionsFile);
    },
    [](App& app) {
      app.formulation.unsaved.ingRestrictions = false;
      app.restrictionsForm.ingredientTable.SetEdited(false);
    },
};

constexpr Kind kNutRestrictions{
    "the nutrient restrictions",
    [](const App& app) { return app.location.nutRestrictionsFile; },
    [](const App& app) {
      return app.formulation.unsaved.nutRestrictions || app.restrictionsForm.nutrientTable.Edited();
    },
    [](App& app) {
      // "Keep Nutrient Restrictions" first; a minimum above its maximum stops.
      if (app.restrictionsForm.nutrientTable.Edited() &&
          !app.restrictionsForm.KeepNutrientRestrictions())
        return false;
      return SaveUnderCurrentName(app,
                                  kReqNutRow,
                                  !app.location.nutRestrictionsFile.empty(),
                                  &MainForm::SaveNutrientRestrictionsFile);
    },
    [](App& app) {
      app.formulation.unsaved.nutRestrictions = false;
      app.restrictionsForm.nutrientTable.SetEdited(false);
    },
};

constexpr Kind kCalibrationInputs{
    "the calibration inputs",
    [](const App& app) { return app.mainForm.CalibrationBase() + std::string(kCalSuffix); },
    [](const App& app) { return app.calibrationInputsForm.weighingsTable.Edited(); },
    [](App& app) { return app.calibrationInputsForm.SaveInputs(); },
    [](App& app) { app.calibrationInputsForm.weighingsTable.SetEdited(false); },
};

constexpr Kind kOptimizationTable{
    "the optimization table",
    [](const App& app) { return app.optimizationForm.tableFile; },
    [](const App& app) { return app.optimizationForm.optimizationTable.Edited(); },
    [](App& app) { return app.optimizationForm.SaveTable(true); },
    [](App& app) { app.optimizationForm.optimizationTable.SetEdited(false); },
};

const Kind& KindOf(UnsavedData data) {
  switch (data) {
    case UnsavedData::Diets:
      return kDiets;
    case UnsavedData::Matrix:
      return kMatrix;
    case UnsavedData::IngRestrictions:
      return kIngRestrictions;
    case UnsavedData::NutRestrictions:
      return kNutRestrictions;
    case UnsavedData::CalibrationInputs:
      return kCalibrationInputs;
    case UnsavedData::OptimizationTable:
      return kOptimizationTable;
  }
  return kDiets;
}

}  // namespace

bool HasUnsavedChanges(const App& app, UnsavedData data) { return KindOf(data).changed(app); }

std::string SaveChangesQuestion(const App& app, UnsavedData data) {
  const Kind& kind = KindOf(data);
  std::string file = kind.file(app);
  return "Save changes to " + (file.empty() ? std::string(kind.what) : file) + "?";
}

SavedChanges SaveUnsavedChanges(App& app) {
  SavedChanges saved;
  for (UnsavedData each : kAllData) {
    const Kind& kind = KindOf(each);
    if (!kind.changed(app)) continue;
    if (!kind.save(app)) {
      saved.stopped = true;
      break;
    }
    ++saved.files;
    saved.folder = FolderOf(kind.file(app));
  }
  return saved;
}

bool SaveChangesFirst(App& app, std::span<const UnsavedData> data) {
  for (UnsavedData each : data) {
    const Kind& kind = KindOf(each);
    if (!kind.changed(app)) continue;
    switch (app.dialogs.Message(SaveChangesQuestion(app, each), Buttons::SaveDiscardCancel)) {
      case Answer::Save:
        if (!kind.save(app)) return false;
        break;
      case Answer::Discard:
        kind.forget(app);
        break;
      default:
        return false;
    }
  }
  return true;
}
