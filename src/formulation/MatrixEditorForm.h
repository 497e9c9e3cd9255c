// Formulation: MatrixEditorForm, the matrix editor's form, shown by MatrixEditorWindow.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "formulation/Matrix.h"
#include "model/GrowthState.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/GridClipboard.h"
#include "platform/SaveProtocol.h"

// Where "Save Changes to File" writes the matrix and how it reads it back.
struct MatrixFileSave {
  std::string& matrixFile;  // receives the chosen name
  SaveRequest request;      // MatrixSaveRequest(...) of the location
  // The location's loadMatrix (matrix, then its restriction files); when empty
  // the matrix file alone is read back.
  std::function<void()> loadMatrix;
  // Writes the location's two restriction files from the restrictions in
  // force; true when both were written.
  std::function<bool()> saveRestrictions;
  // Run once the session's restrictions are back in force after the reading.
  std::function<void()> reloaded;
};

// The matrix editor: the ingredient matrix as one table, ingredients as rows
// and nutrients as columns. Edits stay in the table until "Save Changes"
// stores them into the matrix tables; restrictions then follow their
// ingredient or nutrient through every insertion and deletion made since.
//
// matrixTable: (0,1) "Ing. Price", (0,c) nutrientName(c) for matrix rows c = 2..;
// (i,0) ingredientName(i), (i,1) ingredientPrice(i), (i,c) matrix(c, i). The weight row
// is not shown. The table always has room for 100 ingredients and matrix
// rows up to 121, so a spreadsheet block can be pasted into it.
class MatrixEditorForm {
 public:
  static constexpr int kRows = kMaxIngredients + 1;   // heading + ingredients 1..100
  static constexpr int kCols = kMaxNutrientRows + 1;  // names, price, matrix rows 2..121
  static constexpr int kPriceCol = 1;
  static constexpr int kFirstNutrientCol = 2;                    // column c shows matrix row c
  static constexpr int kMaxNutrientCols = kMaxNutrientRows - 1;  // 120
  static constexpr int kFirstDeletableCol = 14;  // isoleucine onwards may be deleted
  static constexpr int kFirstFreeCol = kStandardNutrientRows + 1;  // rows 16.. are free

  static constexpr std::string_view kTitle = "Feed Ingredient Edit - Save Data when exiting";
  // The captions of the commands and the pop-up entry that differs from the
  // main window's.
  static constexpr std::string_view kAddIngredientCaption = "Add an Ing.";
  static constexpr std::string_view kAddNutrientCaption = "Add a Nutrient";
  static constexpr std::string_view kDeleteIngredientCaption = "Delete Ing.";
  static constexpr std::string_view kDeleteNutrientCaption = "Delete Nutrient";
  static constexpr std::string_view kEnzymeCaption = "Enzyme Matrix Value";
  static constexpr std::string_view kSaveChangesCaption = "Save Changes";
  static constexpr std::string_view kSaveToFileCaption = "Save Changes to File";
  static constexpr std::string_view kPasteCaption = "Paste";
  static constexpr std::string_view kAddIngPrompt =
      "What is the name of the new Ingredient?  If you are adding a new ingredient and want to "
      "copy values from the Clipboard, Save the new ingredient and then open ingredient values "
      "again.";
  static constexpr std::string_view kAddNutPrompt = "What is the name of the new Nutrient?";
  static constexpr std::string_view kEnzymePrompt =
      "Do you want to change the Nutrient Column for your enzyme?";
  static constexpr std::string_view kEnzymeTitle = "Enzyme Nutrient Value";
  static constexpr std::string_view kTooManyIngredients =
      "The matrix holds at most 100 ingredients. Delete one before adding another.";
  static constexpr std::string_view kTooManyNutrients =
      "The matrix holds at most 120 nutrients. Delete one before adding another.";
  static constexpr std::string_view kInstructions1 =
      "Edit Ingredient Names, Values or Restrictions until Matrix is what you want, then save";
  static constexpr std::string_view kInstructions2 =
      "A Maximum Restriction of -1 prevents the use of an ingredient, zero is no restriction!";
  static constexpr std::string_view kInstructions3 =
      "To add an ingredient, highlight the row and click \"Add an Ing.\"  To Add a nutrient, "
      "click on a column and then click \"Add a Nutrient\".  To copy in an ingredient value set, "
      "highlight the row and click \"Import New Ingredient\".  Mouse click on a row to see "
      "ingredient No.";
  static constexpr std::string_view kInstructions4 =
      "Lay out the Data in the Spreadsheet before opening it so that the Ingredient Names are in "
      "column A starting at row 2 and Nutrients are in Row 1 in the order you want.";
  static constexpr std::string_view kAddNutTip =
      "Click on the top of the column where the new Nut goes then click here";
  static constexpr std::string_view kSaveTip =
      "Saves Ing Values, Names and Restrictions for the Session";

  // `dietDisplayNutColumns` is the diet display's count of nutrient columns,
  // lowered when a nutrient is deleted here.
  MatrixEditorForm(Dialogs& dialogs,
                   FormulationTables& tables,
                   GrowthState& growth,
                   int& dietDisplayNutColumns);

  // Shows the matrix tables in the table, forgetting unsaved edits; run when
  // the window loads and after every matrix load.
  void Fill();

  // "Add an Ing.": a named row at the current row (or after the last).
  void AddIngredient();
  // "Add a Nutrient": a named column at the current column when that is a
  // free nutrient column, else after the last nutrient column.
  void AddNutrient();
  // "Delete Ing.": removes the current ingredient row after OK.
  void DeleteIngredient();
  // "Delete Nutrient": removes the current column after OK when it shows
  // matrix row 14 or later.
  void DeleteNutrient();
  // "Edit Names": heading row and name column editable, or fixed again.
  void EditNames();
  // "Enzyme Matrix Value": records the enzyme's nutrient column.
  void SetEnzymeColumn();
  // "Save Changes": stores the table into the matrix tables and moves the
  // restrictions with their ingredients and nutrients.
  void SaveChanges();
  // "Save Changes to File": SaveChanges, then the matrix file is written (save
  // protocol) and read back; the session's restrictions, which follow the
  // edited rows, stay in force. When an insertion or deletion moved
  // restrictions, the restriction files are written too, so that they number
  // ingredients and nutrients as the new matrix file does. True when the
  // matrix file was written.
  bool SaveChangesToFile(MatrixFileSave save);

  // A click on row `row`: "Ingredient Number " + row + " " + name.
  void IngredientRowClicked(int row);
  // The clipboard keys of the table; true when handled.
  bool KeyDown(Key key, KeyModifiers modifiers);
  // "Copy Highlighted Cells", "Copy All", "Clear", "Paste".
  void Popup(PopupAction action);

  // Rows 1.. with a name in column 0; columns 2.. with a heading of at least
  // two characters: what "Save Changes" would store.
  int IngredientRows() const;
  int LastNutrientCol() const;

  Grid matrixTable{kRows, kCols};
  std::string caption{kTitle};
  std::string ingredientLabel;  // after a click on a row
  std::string editNamesCaption = "Edit Names";
  bool namesEditable = false;
  bool enzymeVisible = false;  // shown when a nutrient's name mentions an enzyme
  int enzymeColumn = 0;

 private:
  void ShowValue(int row, int col, double value);
  void MoveRow(int from, int to);
  void MoveCol(int from, int to);
  void StoreRestrictions();
  void ResetOrigins();

  Dialogs& dialogs_;
  FormulationTables& tables_;
  GrowthState& growth_;
  int& dietDisplayNutColumns_;
  // Which stored ingredient (matrix row) each table row (column) shows; 0 for
  // one added since the last store. Restrictions follow these at a store.
  std::array<int, kRows> ingOrigin_{};
  std::array<int, kCols> nutOrigin_{};
};
