#include "formulation/frmExcel.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <ranges>

#include "platform/NumberFormat.h"

namespace {

constexpr int kNameCol = 0;
constexpr int kHeadingRow = 0;
constexpr size_t kMinNutrientName = 2;  // a shorter heading ends the nutrient columns
constexpr unsigned char kFirstPrintable = 20;
constexpr int kTrailingControls = 2;  // a spreadsheet's CR LF after a pasted name
constexpr std::string_view kNewCellText = "0";
constexpr std::string_view kEnzymeWord = "enzyme";

// A name as pasted from a spreadsheet may carry its line end.
std::string CleanName(std::string_view text) {
  std::string name(text);
  for (int k = 0; k < kTrailingControls && !name.empty(); ++k) {
    if (static_cast<unsigned char>(name.back()) >= kFirstPrintable) break;
    name.pop_back();
  }
  return name;
}

bool MentionsEnzyme(std::string_view name) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) {
    return static_cast<char>(std::tolower(ch));
  });
  return lower.find(kEnzymeWord) != std::string::npos;
}

// One set of restriction tables (about 100 kB: kept off the stack).
struct RestrictionTables {
  FormulationTables::NutTable nut;
  FormulationTables::IngTable ing;
};

// A stored value: text that is not a finite number counts as 0.
double CellValue(std::string_view text) {
  double value = ReadNumber(text);
  return std::isfinite(value) ? value : 0;
}

}  // namespace

frmExcel::frmExcel(Dialogs& dialogs,
                   FormulationTables& tables,
                   GrowthState& growth,
                   int& dietDisplayNutColumns)
    : dialogs_(dialogs),
      tables_(tables),
      growth_(growth),
      dietDisplayNutColumns_(dietDisplayNutColumns) {
  ResetOrigins();
}

void frmExcel::ResetOrigins() {
  for (int row = 0; row < kRows; ++row) ingOrigin_[row] = row;
  for (int col = 0; col < kCols; ++col) nutOrigin_[col] = col;
}

void frmExcel::ShowValue(int row, int col, double value) {
  GridImport.SetText(row, col, NumberText(value, growth_.decimalComma));
}

void frmExcel::Fill() {
  const int ingCount = std::clamp<int>(tables_.ingredientCount, 0, kMaxIngredients);
  const int nutCount = std::clamp<int>(tables_.NutCount, 0, kMaxNutrientRows);
  GridImport.Clear();
  IngLabel.clear();
  GridImport.SetText(kHeadingRow, kPriceCol, "Ing. Price");
  CmdEnzymeVisible = false;
  for (int r = kFirstNutrientCol; r <= nutCount; ++r) {
    GridImport.SetText(kHeadingRow, r, tables_.NutName[r]);
    if (MentionsEnzyme(tables_.NutName[r])) {
      if (!CmdEnzymeVisible && EnzymeColumn <= 0) EnzymeColumn = r;
      CmdEnzymeVisible = true;
    }
  }
  for (int i = 1; i <= ingCount; ++i) {
    GridImport.SetText(i, kNameCol, tables_.IngName[i]);
    ShowValue(i, kPriceCol, tables_.ingredientPrice[i]);
    for (int r = kFirstNutrientCol; r <= nutCount; ++r) ShowValue(i, r, tables_.IngMatrix[r][i]);
  }
  GridImport.SetFixedRows(NamesEditable ? 0 : 1);
  GridImport.SetFixedCols(NamesEditable ? 0 : 1);
  ResetOrigins();
  GridImport.SetEdited(false);
}

int frmExcel::IngredientRows() const {
  int row = 1;
  while (row < kRows && !CleanName(GridImport.Text(row, kNameCol)).empty()) ++row;
  return row - 1;
}

int frmExcel::LastNutrientCol() const {
  int col = kFirstNutrientCol;
  while (col < kCols && CleanName(GridImport.Text(kHeadingRow, col)).size() >= kMinNutrientName)
    ++col;
  return col - 1;
}

void frmExcel::MoveRow(int from, int to) {
  for (int col = 0; col < kCols; ++col) GridImport.SetText(to, col, GridImport.Text(from, col));
  ingOrigin_[to] = ingOrigin_[from];
}

void frmExcel::MoveCol(int from, int to) {
  for (int row = 0; row < kRows; ++row) GridImport.SetText(row, to, GridImport.Text(row, from));
  nutOrigin_[to] = nutOrigin_[from];
}

void frmExcel::Command4() {
  const int ingRows = IngredientRows();
  if (ingRows >= kMaxIngredients) {
    dialogs_.Message(kTooManyIngredients);
    return;
  }
  std::string name = dialogs_.Input(kAddIngPrompt, kTitle, "");
  if (name.empty()) return;
  int at = GridImport.Row();
  if (at < 1 || at > ingRows) at = ingRows + 1;
  for (int row = kRows - 1; row > at; --row) MoveRow(row - 1, row);
  GridImport.ClearRange(at, 0, at, kCols - 1);
  ingOrigin_[at] = 0;  // a new ingredient starts without restrictions
  GridImport.SetText(at, kNameCol, name);
  for (int col = kPriceCol; col <= LastNutrientCol(); ++col)
    GridImport.SetText(at, col, kNewCellText);
  GridImport.SetCurrent(at, kNameCol);
  GridImport.SetEdited(true);
}

void frmExcel::Command5() {
  const int lastCol = LastNutrientCol();
  if (lastCol - 1 >= kMaxNutrientCols) {
    dialogs_.Message(kTooManyNutrients);
    return;
  }
  std::string name = dialogs_.Input(kAddNutPrompt, kTitle, "");
  if (name.empty()) return;
  // Matrix rows 2..15 feed the growth model by position: a new nutrient never
  // pushes them along.
  int at = GridImport.Col();
  if (at < kFirstFreeCol || at > lastCol) at = lastCol + 1;
  for (int col = kCols - 1; col > at; --col) MoveCol(col - 1, col);
  GridImport.ClearRange(0, at, kRows - 1, at);
  nutOrigin_[at] = 0;
  GridImport.SetText(kHeadingRow, at, name);
  GridImport.SetCurrent(kHeadingRow, at);
  GridImport.SetEdited(true);
}

void frmExcel::DeleteIng() {
  const int row = GridImport.Row();
  if (row < 1 || row > IngredientRows()) return;
  std::string question = "Do you want to Delete " + GridImport.Text(row, kNameCol) + "?";
  if (dialogs_.Message(question, Buttons::OKCancel) != Answer::OK) return;
  for (int r = row; r < kRows - 1; ++r) MoveRow(r + 1, r);
  GridImport.ClearRange(kRows - 1, 0, kRows - 1, kCols - 1);
  ingOrigin_[kRows - 1] = 0;
  GridImport.SetEdited(true);
}

void frmExcel::CmdDeleteNut() {
  const int col = GridImport.Col();
  if (col < kFirstDeletableCol || col > LastNutrientCol()) return;
  std::string question = "Do you want to Delete " + GridImport.Text(kHeadingRow, col) + "?";
  if (dialogs_.Message(question, Buttons::OKCancel) != Answer::OK) return;
  for (int c = col; c < kCols - 1; ++c) MoveCol(c + 1, c);
  GridImport.ClearRange(0, kCols - 1, kRows - 1, kCols - 1);
  nutOrigin_[kCols - 1] = 0;
  if (dietDisplayNutColumns_ > 0) --dietDisplayNutColumns_;
  GridImport.SetEdited(true);
}

void frmExcel::Cmdedit() {
  NamesEditable = !NamesEditable;
  GridImport.SetFixedRows(NamesEditable ? 0 : 1);
  GridImport.SetFixedCols(NamesEditable ? 0 : 1);
  CmdeditCaption = NamesEditable ? "End Edit" : "Edit Ing Names";
}

void frmExcel::CmdEnzyme() {
  std::string answer = dialogs_.Input(kEnzymePrompt, kEnzymeTitle, std::to_string(EnzymeColumn));
  double column = ReadNumber(answer);
  if (column >= 1 && column < kCols) EnzymeColumn = static_cast<int>(std::lround(column));
}

void frmExcel::StoreRestrictions() {
  auto remapNutrients = [this](FormulationTables::NutTable& table) {
    for (auto& diet : table)
      for (auto& kind : diet) {
        const auto old = kind;
        for (int col = kFirstNutrientCol; col < kCols; ++col) {
          const int origin = nutOrigin_[col];
          kind[col - 1] = origin >= kFirstNutrientCol ? old[origin - 1] : 0;
        }
      }
  };
  auto remapIngredients = [this](FormulationTables::IngTable& table) {
    for (auto& diet : table)
      for (auto& kind : diet) {
        const auto old = kind;
        for (int row = 1; row < kRows; ++row)
          kind[row] = ingOrigin_[row] >= 1 ? old[ingOrigin_[row]] : 0;
      }
  };
  // The file copies hold what the restriction files say: when they move, the
  // files number ingredients or nutrients as before the edit.
  const auto before = std::make_unique<RestrictionTables>(
      RestrictionTables{tables_.NutRestrictFile, tables_.IngRestrictFile});
  remapNutrients(tables_.NutRestrict);
  remapNutrients(tables_.NutRestrictFile);
  remapIngredients(tables_.IngRestrict);
  remapIngredients(tables_.IngRestrictFile);
  if (before->nut != tables_.NutRestrictFile || before->ing != tables_.IngRestrictFile)
    tables_.RestrictionFilesRenumbered = true;
}

void frmExcel::Command3() {
  const int ingRows = IngredientRows();
  const int lastCol = LastNutrientCol();
  tables_.NutName[kWeightRow] = StandardNutrientName(kWeightRow);
  for (int r = kFirstNutrientCol; r <= kMaxNutrientRows; ++r)
    tables_.NutName[r] = r <= lastCol ? CleanName(GridImport.Text(kHeadingRow, r)) : "";
  for (int i = 1; i <= kMaxIngredients; ++i) {
    const bool inUse = i <= ingRows;
    tables_.IngName[i] = inUse ? CleanName(GridImport.Text(i, kNameCol)) : "";
    tables_.ingredientPrice[i] = inUse ? CellValue(GridImport.Text(i, kPriceCol)) : 0;
    tables_.IngMatrix[kWeightRow][i] = inUse ? kWeightRowValue : 0;
    for (int r = kFirstNutrientCol; r <= kMaxNutrientRows; ++r)
      tables_.IngMatrix[r][i] = inUse && r <= lastCol ? CellValue(GridImport.Text(i, r)) : 0;
  }
  tables_.NutCount = lastCol;  // the nutrient columns and the weight row
  tables_.ingredientCount = static_cast<std::int16_t>(ingRows);
  // The edits move from the table into the matrix, still unsaved; so do
  // restrictions that followed a moved ingredient or nutrient.
  if (GridImport.Edited()) tables_.unsaved.matrix = true;
  if (!std::ranges::equal(ingOrigin_, std::views::iota(0, kRows)))
    tables_.unsaved.ingRestrictions = true;
  if (!std::ranges::equal(nutOrigin_, std::views::iota(0, kCols)))
    tables_.unsaved.nutRestrictions = true;
  GridImport.SetEdited(false);
  StoreRestrictions();
  ResetOrigins();
}

bool frmExcel::Command1(MatrixFileSave save) {
  Command3();
  if (!SaveMatrix(tables_, dialogs_, save.matrixFile, save.request)) return false;
  const bool renumbered = tables_.RestrictionFilesRenumbered;
  const bool filesRewritten = renumbered && save.SaveRestrictions && save.SaveRestrictions();
  // Reading the restriction files back must neither pin restrictions on
  // other rows (when they could not be rewritten) nor lose unsaved ones.
  const auto working = std::make_unique<RestrictionTables>(
      RestrictionTables{tables_.NutRestrict, tables_.IngRestrict});
  const auto files = std::make_unique<RestrictionTables>(
      RestrictionTables{tables_.NutRestrictFile, tables_.IngRestrictFile});
  if (save.LoadLP)
    save.LoadLP();
  else
    ReadMatrixFile(tables_, save.matrixFile, dialogs_);
  tables_.NutRestrict = working->nut;
  tables_.IngRestrict = working->ing;
  if (!filesRewritten) {
    tables_.NutRestrictFile = files->nut;
    tables_.IngRestrictFile = files->ing;
    tables_.RestrictionFilesRenumbered = renumbered;
  }
  Fill();
  if (save.Reloaded) save.Reloaded();
  return true;
}

void frmExcel::GridImportClick(int row) {
  IngLabel = "Ingredient Number " + std::to_string(row) + " " + GridImport.Text(row, kNameCol);
}

bool frmExcel::KeyDown(Key key, KeyModifiers modifiers) {
  return GridKey(GridImport, key, modifiers, dialogs_);
}

void frmExcel::Popup(PopupAction action) { PopupCommand(action, &GridImport, dialogs_); }
