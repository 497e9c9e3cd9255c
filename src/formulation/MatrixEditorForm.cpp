#include "formulation/MatrixEditorForm.h"

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
  FormulationTables::NutrientRestrictionTable nut;
  FormulationTables::IngredientRestrictionTable ing;
};

// A stored value: text that is not a finite number counts as 0.
double CellValue(std::string_view text) {
  double value = ReadNumber(text);
  return std::isfinite(value) ? value : 0;
}

}  // namespace

MatrixEditorForm::MatrixEditorForm(Dialogs& dialogs,
                                   FormulationTables& tables,
                                   GrowthState& growth,
                                   int& dietDisplayNutColumns)
    : dialogs_(dialogs),
      tables_(tables),
      growth_(growth),
      dietDisplayNutColumns_(dietDisplayNutColumns) {
  ResetOrigins();
}

void MatrixEditorForm::ResetOrigins() {
  for (int row = 0; row < kRows; ++row) ingOrigin_[row] = row;
  for (int col = 0; col < kCols; ++col) nutOrigin_[col] = col;
}

void MatrixEditorForm::ShowValue(int row, int col, double value) {
  matrixTable.SetText(row, col, NumberText(value, growth_.decimalComma));
}

void MatrixEditorForm::Fill() {
  const int ingCount = std::clamp<int>(tables_.ingredientCount, 0, kMaxIngredients);
  const int nutCount = std::clamp<int>(tables_.nutrientCount, 0, kMaxNutrientRows);
  matrixTable.Clear();
  ingredientLabel.clear();
  matrixTable.SetText(kHeadingRow, kPriceCol, "Ing. Price");
  enzymeVisible = false;
  for (int r = kFirstNutrientCol; r <= nutCount; ++r) {
    matrixTable.SetText(kHeadingRow, r, tables_.nutrientName[r]);
    if (MentionsEnzyme(tables_.nutrientName[r])) {
      if (!enzymeVisible && enzymeColumn <= 0) enzymeColumn = r;
      enzymeVisible = true;
    }
  }
  for (int i = 1; i <= ingCount; ++i) {
    matrixTable.SetText(i, kNameCol, tables_.ingredientName[i]);
    ShowValue(i, kPriceCol, tables_.ingredientPrice[i]);
    for (int r = kFirstNutrientCol; r <= nutCount; ++r) ShowValue(i, r, tables_.matrix[r][i]);
  }
  matrixTable.SetFixedRows(namesEditable ? 0 : 1);
  matrixTable.SetFixedCols(namesEditable ? 0 : 1);
  ResetOrigins();
  matrixTable.SetEdited(false);
}

int MatrixEditorForm::IngredientRows() const {
  int row = 1;
  while (row < kRows && !CleanName(matrixTable.Text(row, kNameCol)).empty()) ++row;
  return row - 1;
}

int MatrixEditorForm::LastNutrientCol() const {
  int col = kFirstNutrientCol;
  while (col < kCols && CleanName(matrixTable.Text(kHeadingRow, col)).size() >= kMinNutrientName)
    ++col;
  return col - 1;
}

void MatrixEditorForm::MoveRow(int from, int to) {
  for (int col = 0; col < kCols; ++col) matrixTable.SetText(to, col, matrixTable.Text(from, col));
  ingOrigin_[to] = ingOrigin_[from];
}

void MatrixEditorForm::MoveCol(int from, int to) {
  for (int row = 0; row < kRows; ++row) matrixTable.SetText(row, to, matrixTable.Text(row, from));
  nutOrigin_[to] = nutOrigin_[from];
}

void MatrixEditorForm::AddIngredient() {
  const int ingRows = IngredientRows();
  if (ingRows >= kMaxIngredients) {
    dialogs_.Message(kTooManyIngredients);
    return;
  }
  std::string name = dialogs_.Input(kAddIngPrompt, kTitle, "");
  if (name.empty()) return;
  int at = matrixTable.Row();
  if (at < 1 || at > ingRows) at = ingRows + 1;
  for (int row = kRows - 1; row > at; --row) MoveRow(row - 1, row);
  matrixTable.ClearRange(at, 0, at, kCols - 1);
  ingOrigin_[at] = 0;  // a new ingredient starts without restrictions
  matrixTable.SetText(at, kNameCol, name);
  for (int col = kPriceCol; col <= LastNutrientCol(); ++col)
    matrixTable.SetText(at, col, kNewCellText);
  matrixTable.SetCurrent(at, kNameCol);
  matrixTable.SetEdited(true);
}

void MatrixEditorForm::AddNutrient() {
  const int lastCol = LastNutrientCol();
  if (lastCol - 1 >= kMaxNutrientCols) {
    dialogs_.Message(kTooManyNutrients);
    return;
  }
  std::string name = dialogs_.Input(kAddNutPrompt, kTitle, "");
  if (name.empty()) return;
  // Matrix rows 2..15 feed the growth model by position: a new nutrient never
  // pushes them along.
  int at = matrixTable.Col();
  if (at < kFirstFreeCol || at > lastCol) at = lastCol + 1;
  for (int col = kCols - 1; col > at; --col) MoveCol(col - 1, col);
  matrixTable.ClearRange(0, at, kRows - 1, at);
  nutOrigin_[at] = 0;
  matrixTable.SetText(kHeadingRow, at, name);
  matrixTable.SetCurrent(kHeadingRow, at);
  matrixTable.SetEdited(true);
}

void MatrixEditorForm::DeleteIngredient() {
  const int row = matrixTable.Row();
  if (row < 1 || row > IngredientRows()) return;
  std::string question = "Do you want to Delete " + matrixTable.Text(row, kNameCol) + "?";
  if (dialogs_.Message(question, Buttons::OKCancel) != Answer::OK) return;
  for (int r = row; r < kRows - 1; ++r) MoveRow(r + 1, r);
  matrixTable.ClearRange(kRows - 1, 0, kRows - 1, kCols - 1);
  ingOrigin_[kRows - 1] = 0;
  matrixTable.SetEdited(true);
}

void MatrixEditorForm::DeleteNutrient() {
  const int col = matrixTable.Col();
  if (col < kFirstDeletableCol || col > LastNutrientCol()) return;
  std::string question = "Do you want to Delete " + matrixTable.Text(kHeadingRow, col) + "?";
  if (dialogs_.Message(question, Buttons::OKCancel) != Answer::OK) return;
  for (int c = col; c < kCols - 1; ++c) MoveCol(c + 1, c);
  matrixTable.ClearRange(0, kCols - 1, kRows - 1, kCols - 1);
  nutOrigin_[kCols - 1] = 0;
  if (dietDisplayNutColumns_ > 0) --dietDisplayNutColumns_;
  matrixTable.SetEdited(true);
}

void MatrixEditorForm::EditNames() {
  namesEditable = !namesEditable;
  matrixTable.SetFixedRows(namesEditable ? 0 : 1);
  matrixTable.SetFixedCols(namesEditable ? 0 : 1);
  editNamesCaption = namesEditable ? "End Edit" : "Edit Ing Names";
}

void MatrixEditorForm::SetEnzymeColumn() {
  std::string answer = dialogs_.Input(kEnzymePrompt, kEnzymeTitle, std::to_string(enzymeColumn));
  double column = ReadNumber(answer);
  if (column >= 1 && column < kCols) enzymeColumn = static_cast<int>(std::lround(column));
}

void MatrixEditorForm::StoreRestrictions() {
  auto remapNutrients = [this](FormulationTables::NutrientRestrictionTable& table) {
    for (auto& diet : table)
      for (auto& kind : diet) {
        const auto old = kind;
        for (int col = kFirstNutrientCol; col < kCols; ++col) {
          const int origin = nutOrigin_[col];
          kind[col - 1] = origin >= kFirstNutrientCol ? old[origin - 1] : 0;
        }
      }
  };
  auto remapIngredients = [this](FormulationTables::IngredientRestrictionTable& table) {
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
      RestrictionTables{tables_.nutrientRestrictionsInFile, tables_.ingredientRestrictionsInFile});
  remapNutrients(tables_.nutrientRestrictions);
  remapNutrients(tables_.nutrientRestrictionsInFile);
  remapIngredients(tables_.ingredientRestrictions);
  remapIngredients(tables_.ingredientRestrictionsInFile);
  if (before->nut != tables_.nutrientRestrictionsInFile ||
      before->ing != tables_.ingredientRestrictionsInFile)
    tables_.restrictionFilesRenumbered = true;
}

void MatrixEditorForm::SaveChanges() {
  const int ingRows = IngredientRows();
  const int lastCol = LastNutrientCol();
  tables_.nutrientName[kWeightRow] = StandardNutrientName(kWeightRow);
  for (int r = kFirstNutrientCol; r <= kMaxNutrientRows; ++r)
    tables_.nutrientName[r] = r <= lastCol ? CleanName(matrixTable.Text(kHeadingRow, r)) : "";
  for (int i = 1; i <= kMaxIngredients; ++i) {
    const bool inUse = i <= ingRows;
    tables_.ingredientName[i] = inUse ? CleanName(matrixTable.Text(i, kNameCol)) : "";
    tables_.ingredientPrice[i] = inUse ? CellValue(matrixTable.Text(i, kPriceCol)) : 0;
    tables_.matrix[kWeightRow][i] = inUse ? kWeightRowValue : 0;
    for (int r = kFirstNutrientCol; r <= kMaxNutrientRows; ++r)
      tables_.matrix[r][i] = inUse && r <= lastCol ? CellValue(matrixTable.Text(i, r)) : 0;
  }
  tables_.nutrientCount = lastCol;  // the nutrient columns and the weight row
  tables_.ingredientCount = static_cast<std::int16_t>(ingRows);
  // The edits move from the table into the matrix, still unsaved; so do
  // restrictions that followed a moved ingredient or nutrient.
  if (matrixTable.Edited()) tables_.unsaved.matrix = true;
  if (!std::ranges::equal(ingOrigin_, std::views::iota(0, kRows)))
    tables_.unsaved.ingRestrictions = true;
  if (!std::ranges::equal(nutOrigin_, std::views::iota(0, kCols)))
    tables_.unsaved.nutRestrictions = true;
  matrixTable.SetEdited(false);
  StoreRestrictions();
  ResetOrigins();
}

bool MatrixEditorForm::SaveChangesToFile(MatrixFileSave save) {
  SaveChanges();
  if (!SaveMatrix(tables_, dialogs_, save.matrixFile, save.request)) return false;
  const bool renumbered = tables_.restrictionFilesRenumbered;
  const bool filesRewritten = renumbered && save.saveRestrictions && save.saveRestrictions();
  // Reading the restriction files back must neither pin restrictions on
  // other rows (when they could not be rewritten) nor lose unsaved ones.
  const auto working = std::make_unique<RestrictionTables>(
      RestrictionTables{tables_.nutrientRestrictions, tables_.ingredientRestrictions});
  const auto files = std::make_unique<RestrictionTables>(
      RestrictionTables{tables_.nutrientRestrictionsInFile, tables_.ingredientRestrictionsInFile});
  if (save.loadMatrix)
    save.loadMatrix();
  else
    ReadMatrixFile(tables_, save.matrixFile, dialogs_);
  tables_.nutrientRestrictions = working->nut;
  tables_.ingredientRestrictions = working->ing;
  if (!filesRewritten) {
    tables_.nutrientRestrictionsInFile = files->nut;
    tables_.ingredientRestrictionsInFile = files->ing;
    tables_.restrictionFilesRenumbered = renumbered;
  }
  Fill();
  if (save.reloaded) save.reloaded();
  return true;
}

void MatrixEditorForm::IngredientRowClicked(int row) {
  ingredientLabel =
      "Ingredient Number " + std::to_string(row) + " " + matrixTable.Text(row, kNameCol);
}

bool MatrixEditorForm::KeyDown(Key key, KeyModifiers modifiers) {
  return GridKey(matrixTable, key, modifiers, dialogs_);
}

void MatrixEditorForm::Popup(PopupAction action) { PopupCommand(action, &matrixTable, dialogs_); }
