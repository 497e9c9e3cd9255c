// Formulation: DietDisplayForm, the diet display's form, shown by DietDisplayWindow.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formulation/Matrix.h"
#include "model/GrowthState.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/GridClipboard.h"
#include "platform/Location.h"

// An ingredient-defined feed file: the signature, the row count and the
// column count separated by tabs, then one line per table row with its cells
// separated by tabs (a tab or line end inside a cell becomes a blank).
std::vector<std::string> IngredientFeedFileLines(const Grid& ingredientFeedsTable);
// Loads such a file's lines into `ingredientFeedsTable`; false, leaving it untouched,
// when the lines are not such a file or their counts are out of bounds.
bool ReadIngredientFeedFile(const std::vector<std::string>& lines, Grid& ingredientFeedsTable);

// The diet display: a feed workbench with two tabs. Feeds defined by their
// nutrient levels (feedsTable, kept in diets files) and feeds defined by
// ingredient weights (ingredientFeedsTable, whose cost and levels come from the matrix).
// Either kind can be moved into the main window's diets table.
//
// feedsTable holds one feed per row (rows 1..8) laid out as a diets-table column
// turned on its side: column c holds what the diets table holds in row c.
// So column 1 is the name, 2 the cost, 3 the feed allowance and nutrient
// index j stands in column j + 3 (4 energy, 5 protein, ..., 17 valine, 18
// the first free nutrient), the diets file's eighteen records in file order.
// Filling, assigning one feed, "Transfer All Diets" and the restriction rows
// below the feeds all use this one correspondence. Column 0 takes the diet
// number a feed is assigned to.
//
// Below the feeds: row 10 heads the minima ("Min Restricts Below", column 2),
// one row per diet 1..dietCount from row 11; then the maxima, headed in the
// next row. Those rows show the restrictions as last read from the files.
//
// ingredientFeedsTable: column 0 the ingredient number, 1 its name, 2..6 the weight of
// that ingredient in feeds 1..5. "Calculate Nutrients" writes each feed's
// cost and levels below the first row without an ingredient number (row E):
// the cost in row E + 1 and the level of matrix row j in row E + j.
class DietDisplayForm {
 public:
  static constexpr int kNutrientTab = 0;
  static constexpr int kIngredientTab = 1;

  static constexpr int kFeedRows = kMaxDiets;  // feed rows 1..8 of feedsTable
  static constexpr int kFeedCols = 19;         // feedsTable columns 0..18
  static constexpr int kNameCol = 1;
  static constexpr int kCostCol = 2;
  static constexpr int kEnergyCol = 4;          // a feed is in use when its energy is above 0
  static constexpr int kNutrientColOffset = 3;  // nutrient index j in column j + 3
  static constexpr int kMinHeadingRow = 10;
  static constexpr int kRestrictHeadingCol = 2;
  static constexpr int kStandardNutrients = 14;  // energy .. valine, when no matrix is loaded

  static constexpr int kIngFeeds = 5;  // ingredientFeedsTable feed columns 2..6
  static constexpr int kIngCols = kIngFeeds + 2;

  static constexpr std::string_view kCaption = "Marrowind Feeds - Diet Display       ";
  static constexpr std::string_view kIngInstructions =
      "Enter the ingredient weights in each feed.  Nutritional content will be used by the main "
      "program for growth calculations.";
  static constexpr std::string_view kNutInstructions =
      "Enter Diet Number ( 1 up to 8) in left column to identify the diet contents to be "
      "transferred to the current diet grid on the main program. ";
  static constexpr std::string_view kRestrictTip = "See Min and Max Values";
  static constexpr std::string_view kTransferTip =
      "Moves the nutrients in these diets to the Current Flock Diet Grid";
  static constexpr std::string_view kClearTip =
      "Clears Diets from Main Form before transferring Diets from this form.";
  // The tabs, the commands and the pop-up entries that differ from the main
  // window's.
  static constexpr std::string_view kNutrientTabCaption = "Nutrient Defined Feeds";
  static constexpr std::string_view kIngredientTabCaption = "Ingredient Defined Feeds";
  static constexpr std::string_view kOpenFeedFileCaption = "Open Other Feed Files";
  static constexpr std::string_view kOpenIngredientFileCaption = "Open Ing. File";
  static constexpr std::string_view kSaveAsCaption = "Save As";
  static constexpr std::string_view kCalculateNutrientsCaption = "Calculate Nutrients";
  static constexpr std::string_view kTransferToCurrentCaption = "Transfer to Current ";
  static constexpr std::string_view kTransferAllCaption = "Transfer All Diets";
  static constexpr std::string_view kClearMainDietsCaption = "Clear Diets on Main Form";
  static constexpr std::string_view kClearGridCaption = "Clear Grid";
  static constexpr std::string_view kPasteCaption = " Paste";
  static constexpr std::string_view kDietTooHigh = "Diet No. too High";
  static constexpr std::string_view kOpenNutTitle = "Select Nutrient Defined Feed Input File";
  static constexpr std::string_view kOpenIngTitle = "Select Ingredient defined Feeds Input File";
  static constexpr std::string_view kSaveTitle = "Select Feed Input File";
  // First line of an ingredient-defined feed file, then rows and columns.
  static constexpr std::string_view kIngFileSignature = "Ingredient Defined Feeds";

  DietDisplayForm(Dialogs& dialogs,
                  FormulationTables& tables,
                  GrowthState& growth,
                  Grid& dietsTable,
                  Location& location,
                  Grid& filesTable);

  // The window's load: caption, counts, both tables.
  void Load();
  // feedsTable from the diets table, then dietCount from the feeds in use, then
  // the restriction rows.
  void FillNutrientTab();
  // ingredientFeedsTable with the matrix's ingredient numbers and names, no weights.
  void FillIngredientTab();

  // "Open Other Feed Files": a diets file (nutrient tab) or an
  // ingredient-defined feed file (ingredient tab).
  void OpenFeedFile();
  // "Open Ing. File".
  void OpenIngredientFile();
  // "Save As": the nutrient tab writes the diets table as a diets file (which
  // becomes the location's), the ingredient tab its feeds table. True when
  // written.
  bool SaveAs();
  // "Calculate Nutrients".
  void CalculateNutrients();
  // "Transfer to Current ": the calculated feeds into the diets table.
  void TransferToCurrent();
  // "Transfer All Diets": the nutrient-defined feeds into the diets table,
  // restrictions as last read from the files; closes the window.
  void TransferAllDiets();
  // "Clear Diets on Main Form".
  void ClearMainDiets();

  // A character typed in feedsTable: a digit 1..8 in column 0 of a feed row
  // assigns that feed to the diet of that number. True when handled.
  bool FeedsTableKeyPress(char key);
  // Clipboard keys of either table (Ctrl+C, Ctrl+X, Ctrl+Insert, Ctrl+V,
  // Shift+Insert). True when handled.
  bool KeyDown(Grid& grid, Key key, KeyModifiers modifiers);
  // "Copy Highlighted Cells", "Copy All", "Clear Grid", " Paste".
  void Popup(Grid& grid, PopupAction action);
  // A cell of ingredientFeedsTable was edited: weights change the calculated feeds.
  void IngredientFeedsEdited(int row, int col);
  // Tooltip of a feedsTable row.
  std::string_view FeedsTableToolTip(int row) const;

  // The first ingredientFeedsTable row without an ingredient number (row E).
  int IngredientEndRow() const;

  Grid feedsTable{kMinHeadingRow + 2, kFeedCols};
  Grid ingredientFeedsTable{2, kIngCols};
  int currentTab = kNutrientTab;
  std::string caption{kCaption};
  bool visible = false;
  // The window's own counts: diets it works with, nutrient indices shown
  // (1..nutrientColumns; the matrix's nutrientCount - 1, or 14 without a matrix) and
  // ingredient rows.
  int dietCount = 0;
  int nutrientColumns = 0;
  int ingredientRows = 0;
  // Today's date for a feed assigned without a name; the system date unless
  // replaced.
  std::function<std::string()> today;

 private:
  void FillRestrictionRows();
  void OpenNutrientFile();
  bool SaveNutrientFile();
  bool SaveIngredientFile();
  void AssignFeed(int row, int diet);
  void RestoreRestrictions(int fromDiet, int toDiet);
  int NutrientIndexCount() const;
  std::string Number(double value) const;

  Dialogs& dialogs_;
  FormulationTables& tables_;
  GrowthState& growth_;
  Grid& dietsTable_;
  Location& location_;
  Grid& filesTable_;
  bool calculated_ = false;
  int resultRow_ = 0;  // row E when the feeds were calculated
  std::array<bool, kIngFeeds + 1> feedCalculated_{};
};
