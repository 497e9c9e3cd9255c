// Formulation: RestrictionsForm, the restriction window's form, shown by RestrictionsWindow.
#pragma once

#include <string>

#include "formulation/Matrix.h"
#include "model/GrowthState.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/GridClipboard.h"

// The location's restriction files as the restriction window saves them: the
// names are the location's own and receive the chosen names, which "Files in
// Use" then shows.
struct RestrictionFiles {
  std::string& ingRestrictionsFile;
  std::string& nutRestrictionsFile;
  std::string dataFolder;
  std::string locationName;  // the "Calibration Name" text
  Grid& filesTable;          // "Files in Use"
};

// The restriction window: each diet's nutrient minima and maxima (`nutrientTable`) and
// ingredient minima and maxima (`ingredientTable`), two columns per diet.
class RestrictionsForm {
 public:
  static constexpr int kCols = 18;

  RestrictionsForm(Dialogs& dialogs, FormulationTables& tables, GrowthState& growth);

  // Fills both tables from the restrictions, as the window does when shown.
  // Nutrient minima and maxima above 0 are first rounded to 3 decimals.
  void Fill();
  // The window is shown: Fill, and `visible` until it is closed.
  void Load();

  // A click on row `row` of the ingredient table: sets `ingredientLabel`.
  void IngredientRowClicked(int row);

  // A key pressed in `grid` (nutrientTable or ingredientTable): the clipboard keys of the
  // tables, except that the nutrient table has no Ctrl+X. True when handled.
  bool KeyDown(Grid& grid, Key key, KeyModifiers modifiers);

  // Store the tables into the restrictions of diets 1..dietCount.
  void KeepIngredientRestrictions();
  // Stops at the first diet whose nutrient maximum (above 0) is below its
  // minimum, after saying so; returns false then.
  bool KeepNutrientRestrictions();
  // Store, then write the file (save protocol). True when the file was written.
  bool SaveIngredientRestrictionsFile(RestrictionFiles files);
  bool SaveNutrientRestrictionsFile(RestrictionFiles files);
  // Both of the above; true when both files were written.
  bool SaveBothRestrictionFiles(RestrictionFiles files);

  Grid nutrientTable{2, kCols};
  Grid ingredientTable{2, kCols};
  std::string ingredientLabel;  // "Ingredient # ... is ..." after a click
  // Shown: a matrix or restriction load fills the tables afresh, so that a
  // save cannot store the earlier restrictions over the loaded ones.
  bool visible = false;
  // The window's title and the captions of its commands.
  static constexpr std::string_view kCaption = "Diet Restrictions";
  static constexpr std::string_view kKeepIngredientCaption = "Keep Ingredient Restrictions";
  static constexpr std::string_view kKeepNutrientCaption = "Keep Nutrient Restrictions";
  static constexpr std::string_view kSaveIngredientCaption = "Save Ingredient Restrictions";
  static constexpr std::string_view kSaveNutrientCaption = "Save Nutrient Restrictions";
  static constexpr std::string_view kSaveBothCaption = "Save Both Restriction Files";
  static constexpr std::string_view kInstructions =
      "Change Values and Reformulate.  0 means NO Restriction.  -1 In the Maximum Value Column "
      "BLOCKS the USE of an Ingredient.           SAVE to File when done.";

 private:
  int DietsInUse() const;
  void FillHeadings(Grid& grid, std::string_view corner);
  void ShowValue(Grid& grid, int row, int col, double value);

  Dialogs& dialogs_;
  FormulationTables& tables_;
  GrowthState& growth_;
};
