#include "formulation/DietDisplay.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <optional>

#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "platform/NumberFormat.h"
#include "platform/SaveProtocol.h"
#include "platform/TextFile.h"

namespace {

constexpr int kHeadingRow = 0;
constexpr int kFeedLastCol = kDietSpareRow;  // feed columns 1..18 mirror diets-table rows 1..18
constexpr int kIngNumberCol = 0;
constexpr int kIngNameCol = 1;
constexpr int kFirstIngFeedCol = 2;
constexpr int kIngNumberWidth = 40;  // pixels
constexpr int kIngNameWidth = 80;
constexpr int kIngFeedWidth = 53;
constexpr int kMaxIngFileRows = 1000;  // well above 100 ingredients and a 121-row block
constexpr int kMaxIngFileCols = 64;
constexpr int kErrFileNotFound = 53;
constexpr std::string_view kDescFileNotFound = "File not found";
constexpr std::string_view kOpenProcedure = "CommandIngOpen";
constexpr std::string_view kSaveProcedure = "CmdSave";
constexpr std::string_view kDietsPattern = "*.dts";
constexpr std::string_view kIngPattern = "*.ing";

std::string SystemDate() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
}

// A chosen file, or nothing when the dialog was cancelled.
std::optional<std::string> Chosen(const std::string& answer, std::string_view offered) {
  if (answer.empty() || answer == offered || answer.find('*') != std::string::npos) return {};
  return answer;
}

std::string CellForFile(std::string text) {
  std::replace_if(
      text.begin(),
      text.end(),
      [](char ch) { return ch == '\t' || ch == '\r' || ch == '\n'; },
      ' ');
  return text;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (true) {
    size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

}  // namespace

std::vector<std::string> IngredientFeedFileLines(const Grid& GridIng) {
  std::vector<std::string> lines;
  lines.push_back(std::string(DietDisplay::kIngFileSignature) + "\t" +
                  std::to_string(GridIng.Rows()) + "\t" + std::to_string(GridIng.Cols()));
  for (int row = 0; row < GridIng.Rows(); ++row) {
    std::string line;
    for (int col = 0; col < GridIng.Cols(); ++col) {
      if (col > 0) line += '\t';
      line += CellForFile(GridIng.Text(row, col));
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

bool ReadIngredientFeedFile(const std::vector<std::string>& lines, Grid& GridIng) {
  if (lines.empty()) return false;
  std::vector<std::string> head = SplitTabs(lines.front());
  if (head.size() != 3 || head[0] != DietDisplay::kIngFileSignature) return false;
  const int rows = ReadInteger(head[1]);
  const int cols = ReadInteger(head[2]);
  if (rows < 1 || rows > kMaxIngFileRows || cols < 1 || cols > kMaxIngFileCols) return false;
  GridIng.Resize(std::max(rows, 2), std::max(cols, DietDisplay::kIngCols));
  GridIng.Clear();
  for (int row = 0; row < rows && row + 1 < static_cast<int>(lines.size()); ++row) {
    std::vector<std::string> cells = SplitTabs(lines[static_cast<size_t>(row) + 1]);
    for (int col = 0; col < cols && col < static_cast<int>(cells.size()); ++col)
      GridIng.SetText(row, col, cells[static_cast<size_t>(col)]);
  }
  return true;
}

DietDisplay::DietDisplay(Dialogs& dialogs,
                         FormulationTables& tables,
                         GrowthState& growth,
                         Grid& dietsTable,
                         Location& location,
                         Grid& gridFILES)
    : Today(SystemDate),
      dialogs_(dialogs),
      tables_(tables),
      growth_(growth),
      dietsTable_(dietsTable),
      location_(location),
      gridFILES_(gridFILES) {
  Grid2.SetFixedCols(0);  // the user types diet numbers into column 0
}

std::string DietDisplay::Number(double value) const {
  return NumberText(value, growth_.decimalComma);
}

int DietDisplay::NutrientIndexCount() const {
  return std::clamp(NutColumns, 0, kMaxNutrientRows - 1);
}

void DietDisplay::Load() {
  caption = std::string(kCaption) + location_.locationBase;
  if (dietCount == 0) dietCount = growth_.dietCount;
  NutColumns = tables_.NutCount > 1 ? tables_.NutCount - 1 : kStandardNutrients;
  IngRows = std::clamp<int>(tables_.ingredientCount, 0, kMaxIngredients);
  FillIngredientTab();
  FillNutrientTab();
  visible = true;
}

void DietDisplay::FillIngredientTab() {
  const int nutCount = std::clamp<int>(tables_.NutCount, 0, kMaxNutrientRows);
  GridIng.Resize(IngRows + 2 + nutCount, kIngCols);
  GridIng.Clear();
  GridIng.SetText(kHeadingRow, kIngNumberCol, "Ing. No.");
  GridIng.SetText(kHeadingRow, kIngNameCol, " Ing. Name");
  for (int f = 1; f <= kIngFeeds; ++f)
    GridIng.SetText(kHeadingRow, f + 1, "Diet " + std::to_string(f));
  GridIng.SetColWidth(kIngNumberCol, kIngNumberWidth);
  GridIng.SetColWidth(kIngNameCol, kIngNameWidth);
  for (int col = kFirstIngFeedCol; col < kIngCols; ++col) GridIng.SetColWidth(col, kIngFeedWidth);
  for (int i = 1; i <= IngRows; ++i) {
    GridIng.SetText(i, kIngNumberCol, std::to_string(i));
    GridIng.SetText(i, kIngNameCol, tables_.IngName[i]);
  }
  calculated_ = false;
}

void DietDisplay::FillNutrientTab() {
  Grid2.Resize(kMinHeadingRow + 2, kFeedCols);
  Grid2.Clear();
  Grid2.SetText(kHeadingRow, 0, "Diet No.");
  const int nutCount = std::clamp<int>(tables_.NutCount, 0, kMaxNutrientRows);
  for (int c = 1; c <= kFeedLastCol; ++c) {
    std::string heading = dietsTable_.Text(c, 0);
    const int matrixRow = c - kNutrientColOffset + 1;
    if (heading.empty() && matrixRow >= 2 && matrixRow <= nutCount)
      heading = tables_.NutName[matrixRow];
    Grid2.SetText(kHeadingRow, c, heading);
    for (int d = 1; d <= kFeedRows; ++d) Grid2.SetText(d, c, dietsTable_.Text(c, d));
  }
  int last = 0;
  for (int d = 1; d <= kFeedRows; ++d)
    if (Grid2.Text(d, kEnergyCol).size() > 1) last = d;
  if (last > 0) {
    dietCount = last;
    growth_.dietCount = static_cast<std::int16_t>(last);
  }
  FillRestrictionRows();
}

void DietDisplay::FillRestrictionRows() {
  const int diets = std::clamp(dietCount, 0, kMaxDiets);
  const int nutrients = NutrientIndexCount();
  const int maxHeadingRow = kMinHeadingRow + diets + 1;
  Grid2.Resize(maxHeadingRow + diets + 1, std::max(kFeedCols, nutrients + kNutrientColOffset + 1));
  Grid2.ClearRange(kFeedRows + 1, 0, Grid2.Rows() - 1, Grid2.Cols() - 1);
  for (int j = kFeedLastCol - kNutrientColOffset + 1; j <= nutrients; ++j)
    Grid2.SetText(kHeadingRow, j + kNutrientColOffset, tables_.NutName[j + 1]);
  Grid2.SetText(kMinHeadingRow, kRestrictHeadingCol, "Min Restricts Below");
  Grid2.SetText(maxHeadingRow, kRestrictHeadingCol, "Max Restricts Below");
  for (int d = 1; d <= diets; ++d) {
    const int rows[] = {kMinHeadingRow + d, maxHeadingRow + d};
    for (int k = kMinKind; k <= kMaxKind; ++k) {
      const int row = rows[k - kMinKind];
      Grid2.SetText(row, kNameCol, Grid2.Text(d, kNameCol));
      Grid2.SetText(row, kCostCol, Grid2.Text(d, kCostCol));
      for (int j = 1; j <= nutrients; ++j)
        Grid2.SetText(row, j + kNutrientColOffset, Number(tables_.NutRestrictFile[d][k][j]));
    }
  }
}

void DietDisplay::Command2() {
  if (Tab == kNutrientTab)
    OpenNutrientFile();
  else
    CommandIngOpen();
}

void DietDisplay::OpenNutrientFile() {
  FileRequest request{std::string(kOpenNutTitle),
                      location_.dataFolder,
                      std::string(kDietsPattern),
                      ".dts",
                      std::string(kDietsPattern)};
  std::optional<std::string> path = Chosen(dialogs_.OpenFile(request), request.fileName);
  if (!path) return;
  location_.dietsFile = *path;
  if (ReadDietsFile(*path, dietsTable_, growth_).found)
    gridFILES_.SetText(kDietsRow, 0, location_.dietsFile);
  FillNutrientTab();
}

void DietDisplay::CommandIngOpen() {
  FileRequest request{std::string(kOpenIngTitle),
                      location_.dataFolder,
                      std::string(kIngPattern),
                      ".ing",
                      std::string(kIngPattern)};
  std::optional<std::string> path = Chosen(dialogs_.OpenFile(request), request.fileName);
  if (!path) return;
  std::optional<std::vector<std::string>> lines = TextFile::ReadLines(*path);
  if (!lines) {
    dialogs_.Message(ErrorText(kErrFileNotFound, kDescFileNotFound, kOpenProcedure));
    return;
  }
  if (!ReadIngredientFeedFile(*lines, GridIng)) {
    dialogs_.Message(ErrorText(kErrTypeMismatch, kDescTypeMismatch, kOpenProcedure));
    return;
  }
  calculated_ = false;
}

bool DietDisplay::CmdSave() {
  return Tab == kNutrientTab ? SaveNutrientFile() : SaveIngredientFile();
}

// The diets table, as every diets file holds it: feeds edited here but not
// moved into the table are not part of it.
bool DietDisplay::SaveNutrientFile() {
  const int diets = std::clamp<int>(growth_.dietCount, 0, kMaxDiets);
  if (diets == 0) return false;
  FileRequest request{std::string(kSaveTitle),
                      location_.dataFolder,
                      std::string(kDietsPattern),
                      ".dts",
                      std::string(kDietsPattern)};
  std::optional<std::string> path = Chosen(dialogs_.SaveFile(request), request.fileName);
  if (!path) return false;
  if (!WriteFileOrReport(dialogs_, *path, DietsFileLines(dietsTable_, diets), kSaveProcedure))
    return false;
  location_.dietsFile = *path;
  gridFILES_.SetText(kDietsRow, 0, location_.dietsFile);
  return true;
}

bool DietDisplay::SaveIngredientFile() {
  FileRequest request{std::string(kSaveTitle),
                      location_.dataFolder,
                      std::string(kIngPattern),
                      ".ing",
                      std::string(kIngPattern)};
  std::optional<std::string> path = Chosen(dialogs_.SaveFile(request), request.fileName);
  if (!path) return false;
  return WriteFileOrReport(dialogs_, *path, IngredientFeedFileLines(GridIng), kSaveProcedure);
}

int DietDisplay::IngredientEndRow() const {
  int row = 1;
  while (row < GridIng.Rows() && !GridIng.Text(row, kIngNumberCol).empty()) ++row;
  return row;
}

void DietDisplay::Command8() {
  const int ingCount = std::clamp<int>(tables_.ingredientCount, 0, kMaxIngredients);
  const int nutCount = std::clamp<int>(tables_.NutCount, 0, kMaxNutrientRows);
  const int endRow = IngredientEndRow();
  if (GridIng.Rows() < endRow + nutCount + 1) GridIng.SetRows(endRow + nutCount + 1);
  GridIng.ClearRange(endRow + 1, kIngNameCol, endRow + std::max(nutCount, 1), kIngCols - 1);
  for (int j = 2; j <= nutCount; ++j) GridIng.SetText(endRow + j, kIngNameCol, tables_.NutName[j]);

  std::array<double, kMaxIngredients + 1> weight{};
  feedCalculated_.fill(false);
  for (int f = 1; f <= std::min(dietCount, kIngFeeds); ++f) {
    const int col = f + 1;
    weight.fill(0);
    // An ingredient on two rows weighs what both rows give it.
    for (int row = 1; row < endRow; ++row) {
      const int i = ReadInteger(GridIng.Text(row, kIngNumberCol));
      if (i >= 1 && i <= ingCount) weight[i] += ReadNumber(GridIng.Text(row, col));
    }
    double total = 0;
    for (int i = 1; i <= ingCount; ++i) total += weight[i];
    if (!(total > 0) || !std::isfinite(total)) continue;  // no defined levels
    double cost = 0;
    for (int i = 1; i <= ingCount; ++i) cost += weight[i] * tables_.ingredientPrice[i] / total;
    GridIng.SetText(endRow + 1, col, Number(cost));
    for (int j = 2; j <= nutCount; ++j) {
      double level = 0;
      for (int i = 1; i <= ingCount; ++i) level += weight[i] * tables_.IngMatrix[j][i] / total;
      GridIng.SetText(endRow + j, col, Number(level));
    }
    feedCalculated_[f] = true;
  }
  calculated_ = true;
  resultRow_ = endRow;
}

void DietDisplay::Command9() {
  if (!calculated_) Command8();
  const int endRow = resultRow_;
  if (ReadNumber(GridIng.Text(endRow + 1, kFirstIngFeedCol)) == 0) return;
  const int lastRow = std::min<int>(kStandardNutrientRows, tables_.NutCount);
  for (int d = 1; d <= std::min(dietCount, kIngFeeds); ++d) {
    // A feed without weights has nothing to give: its diet keeps its values.
    if (!feedCalculated_[d]) continue;
    const int col = d + 1;
    dietsTable_.SetText(kDietCostRow, d, GridIng.Text(endRow + 1, col));
    for (int j = 2; j <= lastRow; ++j)
      dietsTable_.SetText(j + kDietRowOffset - 1, d, GridIng.Text(endRow + j, col));
  }
}

void DietDisplay::RestoreRestrictions(int fromDiet, int toDiet) {
  const int ingRows = std::clamp(IngRows, 0, kMaxIngredients);
  for (int k = kMinKind; k <= kMaxKind; ++k) {
    for (int i = 1; i <= ingRows; ++i)
      tables_.IngRestrict[toDiet][k][i] = tables_.IngRestrictFile[fromDiet][k][i];
    for (int j = 1; j <= NutrientIndexCount(); ++j)
      tables_.NutRestrict[toDiet][k][j] = tables_.NutRestrictFile[fromDiet][k][j];
  }
}

void DietDisplay::Command3() {
  int last = 0;
  for (int d = 1; d <= kFeedRows; ++d)
    if (ReadNumber(Grid2.Text(d, kEnergyCol)) > 0) last = d;
  if (last > 0) {
    dietCount = last;
    growth_.dietCount = static_cast<std::int16_t>(last);
  }
  for (int c = 1; c <= kFeedLastCol; ++c)
    if (!Grid2.Text(kHeadingRow, c).empty()) dietsTable_.SetText(c, 0, Grid2.Text(kHeadingRow, c));
  const int diets = std::clamp<int>(growth_.dietCount, 0, kMaxDiets);
  for (int d = 1; d <= diets; ++d) {
    for (int c = 1; c <= kFeedLastCol; ++c) dietsTable_.SetText(c, d, Grid2.Text(d, c));
    RestoreRestrictions(d, d);
  }
  if (dietsTable_.Text(kDietEnergyRow, 0).empty()) {
    Grid labels(kDietsRows, 1);
    FillDietLabels(labels);
    for (int r = kDietEnergyRow; r <= kDietLastNutrientRow; ++r)
      dietsTable_.SetText(r, 0, labels.Text(r, 0));
  }
  visible = false;
}

void DietDisplay::CmdClear() {
  dietsTable_.ClearRange(1, 1, dietsTable_.Rows() - 1, dietsTable_.Cols() - 1);
}

void DietDisplay::AssignFeed(int row, int diet) {
  const std::string number = std::to_string(diet);
  for (int r = 1; r <= kFeedRows; ++r)
    if (r != row && Grid2.Text(r, 0) == number) Grid2.SetText(r, 0, "");
  for (int r = 1; r <= kFeedRows; ++r) {
    bool holdsFeed = false;
    for (int c = 1; c <= kFeedLastCol && !holdsFeed; ++c) holdsFeed = !Grid2.Text(r, c).empty();
    if (holdsFeed && Grid2.Text(r, kNameCol).empty()) Grid2.SetText(r, kNameCol, Today());
  }
  for (int c = 1; c <= kFeedLastCol; ++c) dietsTable_.SetText(c, diet, Grid2.Text(row, c));
  // The working restrictions follow the feed; the file copies stay as read,
  // so "Transfer All Diets" still restores each diet from its own.
  RestoreRestrictions(row, diet);
}

bool DietDisplay::Grid2KeyPress(char key) {
  if (key < '1' || key > '8') return false;
  const int diet = key - '0';
  const int row = Grid2.Row();
  const int col = Grid2.Col();
  if (row < 1 || !Grid2.Inside(row, col)) return true;
  const std::string previous = Grid2.Text(row, col);
  Grid2.SetText(row, col, std::string(1, key));
  if (col != 0 || row > kFeedRows) return true;
  if (diet > dietCount) {
    if (dialogs_.Message(kDietTooHigh, Buttons::YesNo) != Answer::Yes) {
      Grid2.SetText(row, col, previous);
      return true;
    }
    dietCount = diet;
    growth_.dietCount = static_cast<std::int16_t>(diet);
  }
  AssignFeed(row, diet);
  FillRestrictionRows();
  return true;
}

bool DietDisplay::KeyDown(Grid& grid, Key key, KeyModifiers modifiers) {
  return GridKey(grid, key, modifiers, dialogs_);
}

void DietDisplay::Popup(Grid& grid, PopupAction action) { PopupCommand(action, &grid, dialogs_); }

void DietDisplay::GridIngEdited(int row, int /*col*/) {
  if (row <= resultRow_) calculated_ = false;
}

std::string_view DietDisplay::Grid2ToolTip(int row) const {
  return row >= kMinHeadingRow ? kRestrictTip : std::string_view{};
}
