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
  std::string LocationName;  // the "Calibration Name" text
  Grid& gridFILES;           // "Files in Use"
};

// The restriction window: each diet's nutrient minima and maxima (`NUTS`) and
// ingredient minima and maxima (`GridRestrict`), two columns per diet.
class Restrict {
 public:
  static constexpr int kCols = 18;

  Restrict(Dialogs& dialogs, FormulationTables& tables, GrowthState& growth);

  // Fills both tables from the restrictions, as the window does when shown.
  // Nutrient minima and maxima above 0 are first rounded to 3 decimals.
  void Fill();
  // The window is shown: Fill, and Visible until it is closed.
  void Load();

  // A click on row `row` of the ingredient table: sets `IngLabel`.
  void GridRestrictClick(int row);

  // A key pressed in `grid` (NUTS or GridRestrict): the clipboard keys of the
  // tables, except that the nutrient table has no Ctrl+X. True when handled.
  bool KeyDown(Grid& grid, Key key, KeyModifiers modifiers);

  // Store the tables into the restrictions of diets 1..dietCount.
  void SaveIngSes();
  // Stops at the first diet whose nutrient maximum (above 0) is below its
  // minimum, after saying so; returns false then.
  bool SaveNutSes();
  // Store, then write the file (save protocol). True when the file was written.
  bool SaveIngFile(RestrictionFiles files);
  bool SaveNutFile(RestrictionFiles files);
  // Both of the above; true when both files were written.
  bool SaveFile(RestrictionFiles files);

  Grid NUTS{2, kCols};
  Grid GridRestrict{2, kCols};
  std::string IngLabel;  // "Ingredient # ... is ..." after a click
  // Shown: a matrix or restriction load fills the tables afresh, so that a
  // save cannot store the earlier restrictions over the loaded ones.
  bool visible = false;
  // The window's title and the captions of its commands.
  static constexpr std::string_view kCaption = "Diet Restrictions";
  static constexpr std::string_view kSaveIngSesCaption = "Keep Ingredient Restrictions";
  static constexpr std::string_view kSaveNutSesCaption = "Keep Nutrient Restrictions";
  static constexpr std::string_view kSaveIngFileCaption = "Save Ingredient Restrictions";
  static constexpr std::string_view kSaveNutFileCaption = "Save Nutrient Restrictions";
  static constexpr std::string_view kSaveFileCaption = "Save Both Restriction Files";
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
