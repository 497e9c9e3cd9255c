#include "formulation/DietDisplayForm.h"

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

std::vector<std::string> IngredientFeedFileLines(const Grid& ingredientFeedsTable) {
  std::vector<std::string> lines;
  lines.push_back(std::string(DietDisplayForm::kIngFileSignature) + "\t" +
                  std::to_string(ingredientFeedsTable.Rows()) + "\t" +
                  std::to_string(ingredientFeedsTable.Cols()));
  for (int row = 0; row < ingredientFeedsTable.Rows(); ++row) {
    std::string line;
    for (int col = 0; col < ingredientFeedsTable.Cols(); ++col) {
      if (col > 0) line += '\t';
      line += CellForFile(ingredientFeedsTable.Text(row, col));
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

bool ReadIngredientFeedFile(const std::vector<std::string>& lines, Grid& ingredientFeedsTable) {
  if (lines.empty()) return false;
  std::vector<std::string> head = SplitTabs(lines.front());
  if (head.size() != 3 || head[0] != DietDisplayForm::kIngFileSignature) return false;
  const int rows = ReadInteger(head[1]);
  const int cols = ReadInteger(head[2]);
  if (rows < 1 || rows > kMaxIngFileRows || cols < 1 || cols > kMaxIngFileCols) return false;
  ingredientFeedsTable.Resize(std::max(rows, 2), std::max(cols, DietDisplayForm::kIngCols));
  ingredientFeedsTable.Clear();
  for (int row = 0; row < rows && row + 1 < static_cast<int>(lines.size()); ++row) {
    std::vector<std::string> cells = SplitTabs(lines[static_cast<size_t>(row) + 1]);
    for (int col = 0; col < cols && col < static_cast<int>(cells.size()); ++col)
      ingredientFeedsTable.SetText(row, col, cells[static_cast<size_t>(col)]);
  }
  return true;
}

DietDisplayForm::DietDisplayForm(Dialogs& dialogs,
                                 FormulationTables& tables,
                                 GrowthState& growth,
                                 Grid& dietsTable,
                                 Location& location,
                                 Grid& filesTable)
    : today(SystemDate),
      dialogs_(dialogs),
      tables_(tables),
      growth_(growth),
      dietsTable_(dietsTable),
      location_(location),
      filesTable_(filesTable) {
  feedsTable.SetFixedCols(0);  // the user types diet numbers into column 0
}

std::string DietDisplayForm::Number(double value) const {
  return NumberText(value, growth_.decimalComma);
}

int DietDisplayForm::NutrientIndexCount() const {
  return std::clamp(nutrientColumns, 0, kMaxNutrientRows - 1);
}

void DietDisplayForm::Load() {
  caption = std::string(kCaption) + location_.locationBase;
  if (dietCount == 0) dietCount = growth_.dietCount;
  nutrientColumns = tables_.nutrientCount > 1 ? tables_.nutrientCount - 1 : kStandardNutrients;
  ingredientRows = std::clamp<int>(tables_.ingredientCount, 0, kMaxIngredients);
  FillIngredientTab();
  FillNutrientTab();
  visible = true;
}

void DietDisplayForm::FillIngredientTab() {
  const int nutCount = std::clamp<int>(tables_.nutrientCount, 0, kMaxNutrientRows);
  ingredientFeedsTable.Resize(ingredientRows + 2 + nutCount, kIngCols);
  ingredientFeedsTable.Clear();
  ingredientFeedsTable.SetText(kHeadingRow, kIngNumberCol, "Ing. No.");
  ingredientFeedsTable.SetText(kHeadingRow, kIngNameCol, " Ing. Name");
  for (int f = 1; f <= kIngFeeds; ++f)
    ingredientFeedsTable.SetText(kHeadingRow, f + 1, "Diet " + std::to_string(f));
  ingredientFeedsTable.SetColWidth(kIngNumberCol, kIngNumberWidth);
  ingredientFeedsTable.SetColWidth(kIngNameCol, kIngNameWidth);
  for (int col = kFirstIngFeedCol; col < kIngCols; ++col)
    ingredientFeedsTable.SetColWidth(col, kIngFeedWidth);
  for (int i = 1; i <= ingredientRows; ++i) {
    ingredientFeedsTable.SetText(i, kIngNumberCol, std::to_string(i));
    ingredientFeedsTable.SetText(i, kIngNameCol, tables_.ingredientName[i]);
  }
  calculated_ = false;
}

void DietDisplayForm::FillNutrientTab() {
  feedsTable.Resize(kMinHeadingRow + 2, kFeedCols);
  feedsTable.Clear();
  feedsTable.SetText(kHeadingRow, 0, "Diet No.");
  const int nutCount = std::clamp<int>(tables_.nutrientCount, 0, kMaxNutrientRows);
  for (int c = 1; c <= kFeedLastCol; ++c) {
    std::string heading = dietsTable_.Text(c, 0);
    const int matrixRow = c - kNutrientColOffset + 1;
    if (heading.empty() && matrixRow >= 2 && matrixRow <= nutCount)
      heading = tables_.nutrientName[matrixRow];
    feedsTable.SetText(kHeadingRow, c, heading);
    for (int d = 1; d <= kFeedRows; ++d) feedsTable.SetText(d, c, dietsTable_.Text(c, d));
  }
  int last = 0;
  for (int d = 1; d <= kFeedRows; ++d)
    if (feedsTable.Text(d, kEnergyCol).size() > 1) last = d;
  if (last > 0) {
    dietCount = last;
    growth_.dietCount = static_cast<std::int16_t>(last);
  }
  FillRestrictionRows();
}

void DietDisplayForm::FillRestrictionRows() {
  const int diets = std::clamp(dietCount, 0, kMaxDiets);
  const int nutrients = NutrientIndexCount();
  const int maxHeadingRow = kMinHeadingRow + diets + 1;
  feedsTable.Resize(maxHeadingRow + diets + 1,
                    std::max(kFeedCols, nutrients + kNutrientColOffset + 1));
  feedsTable.ClearRange(kFeedRows + 1, 0, feedsTable.Rows() - 1, feedsTable.Cols() - 1);
  for (int j = kFeedLastCol - kNutrientColOffset + 1; j <= nutrients; ++j)
    feedsTable.SetText(kHeadingRow, j + kNutrientColOffset, tables_.nutrientName[j + 1]);
  feedsTable.SetText(kMinHeadingRow, kRestrictHeadingCol, "Min Restricts Below");
  feedsTable.SetText(maxHeadingRow, kRestrictHeadingCol, "Max Restricts Below");
  for (int d = 1; d <= diets; ++d) {
    const int rows[] = {kMinHeadingRow + d, maxHeadingRow + d};
    for (int k = kMinKind; k <= kMaxKind; ++k) {
      const int row = rows[k - kMinKind];
      feedsTable.SetText(row, kNameCol, feedsTable.Text(d, kNameCol));
      feedsTable.SetText(row, kCostCol, feedsTable.Text(d, kCostCol));
      for (int j = 1; j <= nutrients; ++j)
        feedsTable.SetText(
            row, j + kNutrientColOffset, Number(tables_.nutrientRestrictionsInFile[d][k][j]));
    }
  }
}

void DietDisplayForm::OpenFeedFile() {
  if (currentTab == kNutrientTab)
    OpenNutrientFile();
  else
    OpenIngredientFile();
}

void DietDisplayForm::OpenNutrientFile() {
  FileRequest request{std::string(kOpenNutTitle),
                      location_.dataFolder,
                      std::string(kDietsPattern),
                      ".dts",
                      std::string(kDietsPattern)};
  std::optional<std::string> path = Chosen(dialogs_.OpenFile(request), request.fileName);
  if (!path) return;
  location_.dietsFile = *path;
  if (ReadDietsFile(*path, dietsTable_, growth_).found)
    filesTable_.SetText(kDietsRow, 0, location_.dietsFile);
  FillNutrientTab();
}

void DietDisplayForm::OpenIngredientFile() {
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
  if (!ReadIngredientFeedFile(*lines, ingredientFeedsTable)) {
    dialogs_.Message(ErrorText(kErrTypeMismatch, kDescTypeMismatch, kOpenProcedure));
    return;
  }
  calculated_ = false;
}

bool DietDisplayForm::SaveAs() {
  return currentTab == kNutrientTab ? SaveNutrientFile() : SaveIngredientFile();
}

// The diets table, as every diets file holds it: feeds edited here but not
// moved into the table are not part of it.
bool DietDisplayForm::SaveNutrientFile() {
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
  filesTable_.SetText(kDietsRow, 0, location_.dietsFile);
  return true;
}

bool DietDisplayForm::SaveIngredientFile() {
  FileRequest request{std::string(kSaveTitle),
                      location_.dataFolder,
                      std::string(kIngPattern),
                      ".ing",
                      std::string(kIngPattern)};
  std::optional<std::string> path = Chosen(dialogs_.SaveFile(request), request.fileName);
  if (!path) return false;
  return WriteFileOrReport(
      dialogs_, *path, IngredientFeedFileLines(ingredientFeedsTable), kSaveProcedure);
}

int DietDisplayForm::IngredientEndRow() const {
  int row = 1;
  while (row < ingredientFeedsTable.Rows() &&
         !ingredientFeedsTable.Text(row, kIngNumberCol).empty())
    ++row;
  return row;
}

void DietDisplayForm::CalculateNutrients() {
  const int ingCount = std::clamp<int>(tables_.ingredientCount, 0, kMaxIngredients);
  const int nutCount = std::clamp<int>(tables_.nutrientCount, 0, kMaxNutrientRows);
  const int endRow = IngredientEndRow();
  if (ingredientFeedsTable.Rows() < endRow + nutCount + 1)
    ingredientFeedsTable.SetRows(endRow + nutCount + 1);
  ingredientFeedsTable.ClearRange(
      endRow + 1, kIngNameCol, endRow + std::max(nutCount, 1), kIngCols - 1);
  for (int j = 2; j <= nutCount; ++j)
    ingredientFeedsTable.SetText(endRow + j, kIngNameCol, tables_.nutrientName[j]);

  std::array<double, kMaxIngredients + 1> weight{};
  feedCalculated_.fill(false);
  for (int f = 1; f <= std::min(dietCount, kIngFeeds); ++f) {
    const int col = f + 1;
    weight.fill(0);
    // An ingredient on two rows weighs what both rows give it.
    for (int row = 1; row < endRow; ++row) {
      const int i = ReadInteger(ingredientFeedsTable.Text(row, kIngNumberCol));
      if (i >= 1 && i <= ingCount) weight[i] += ReadNumber(ingredientFeedsTable.Text(row, col));
    }
    double total = 0;
    for (int i = 1; i <= ingCount; ++i) total += weight[i];
    if (!(total > 0) || !std::isfinite(total)) continue;  // no defined levels
    double cost = 0;
    for (int i = 1; i <= ingCount; ++i) cost += weight[i] * tables_.ingredientPrice[i] / total;
    ingredientFeedsTable.SetText(endRow + 1, col, Number(cost));
    for (int j = 2; j <= nutCount; ++j) {
      double level = 0;
      for (int i = 1; i <= ingCount; ++i) level += weight[i] * tables_.matrix[j][i] / total;
      ingredientFeedsTable.SetText(endRow + j, col, Number(level));
    }
    feedCalculated_[f] = true;
  }
  calculated_ = true;
  resultRow_ = endRow;
}

void DietDisplayForm::TransferToCurrent() {
  if (!calculated_) CalculateNutrients();
  const int endRow = resultRow_;
  if (ReadNumber(ingredientFeedsTable.Text(endRow + 1, kFirstIngFeedCol)) == 0) return;
  const int lastRow = std::min<int>(kStandardNutrientRows, tables_.nutrientCount);
  for (int d = 1; d <= std::min(dietCount, kIngFeeds); ++d) {
    // A feed without weights has nothing to give: its diet keeps its values.
    if (!feedCalculated_[d]) continue;
    const int col = d + 1;
    dietsTable_.SetText(kDietCostRow, d, ingredientFeedsTable.Text(endRow + 1, col));
    for (int j = 2; j <= lastRow; ++j)
      dietsTable_.SetText(j + kDietRowOffset - 1, d, ingredientFeedsTable.Text(endRow + j, col));
  }
}

void DietDisplayForm::RestoreRestrictions(int fromDiet, int toDiet) {
  const int ingRows = std::clamp(ingredientRows, 0, kMaxIngredients);
  for (int k = kMinKind; k <= kMaxKind; ++k) {
    for (int i = 1; i <= ingRows; ++i)
      tables_.ingredientRestrictions[toDiet][k][i] =
          tables_.ingredientRestrictionsInFile[fromDiet][k][i];
    for (int j = 1; j <= NutrientIndexCount(); ++j)
      tables_.nutrientRestrictions[toDiet][k][j] =
          tables_.nutrientRestrictionsInFile[fromDiet][k][j];
  }
}

void DietDisplayForm::TransferAllDiets() {
  int last = 0;
  for (int d = 1; d <= kFeedRows; ++d)
    if (ReadNumber(feedsTable.Text(d, kEnergyCol)) > 0) last = d;
  if (last > 0) {
    dietCount = last;
    growth_.dietCount = static_cast<std::int16_t>(last);
  }
  for (int c = 1; c <= kFeedLastCol; ++c)
    if (!feedsTable.Text(kHeadingRow, c).empty())
      dietsTable_.SetText(c, 0, feedsTable.Text(kHeadingRow, c));
  const int diets = std::clamp<int>(growth_.dietCount, 0, kMaxDiets);
  for (int d = 1; d <= diets; ++d) {
    for (int c = 1; c <= kFeedLastCol; ++c) dietsTable_.SetText(c, d, feedsTable.Text(d, c));
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

void DietDisplayForm::ClearMainDiets() {
  dietsTable_.ClearRange(1, 1, dietsTable_.Rows() - 1, dietsTable_.Cols() - 1);
}

void DietDisplayForm::AssignFeed(int row, int diet) {
  const std::string number = std::to_string(diet);
  for (int r = 1; r <= kFeedRows; ++r)
    if (r != row && feedsTable.Text(r, 0) == number) feedsTable.SetText(r, 0, "");
  for (int r = 1; r <= kFeedRows; ++r) {
    bool holdsFeed = false;
    for (int c = 1; c <= kFeedLastCol && !holdsFeed; ++c)
      holdsFeed = !feedsTable.Text(r, c).empty();
    if (holdsFeed && feedsTable.Text(r, kNameCol).empty()) feedsTable.SetText(r, kNameCol, today());
  }
  for (int c = 1; c <= kFeedLastCol; ++c) dietsTable_.SetText(c, diet, feedsTable.Text(row, c));
  // The working restrictions follow the feed; the file copies stay as read,
  // so "Transfer All Diets" still restores each diet from its own.
  RestoreRestrictions(row, diet);
}

bool DietDisplayForm::FeedsTableKeyPress(char key) {
  if (key < '1' || key > '8') return false;
  const int diet = key - '0';
  const int row = feedsTable.Row();
  const int col = feedsTable.Col();
  if (row < 1 || !feedsTable.Inside(row, col)) return true;
  const std::string previous = feedsTable.Text(row, col);
  feedsTable.SetText(row, col, std::string(1, key));
  if (col != 0 || row > kFeedRows) return true;
  if (diet > dietCount) {
    if (dialogs_.Message(kDietTooHigh, Buttons::YesNo) != Answer::Yes) {
      feedsTable.SetText(row, col, previous);
      return true;
    }
    dietCount = diet;
    growth_.dietCount = static_cast<std::int16_t>(diet);
  }
  AssignFeed(row, diet);
  FillRestrictionRows();
  return true;
}

bool DietDisplayForm::KeyDown(Grid& grid, Key key, KeyModifiers modifiers) {
  return GridKey(grid, key, modifiers, dialogs_);
}

void DietDisplayForm::Popup(Grid& grid, PopupAction action) {
  PopupCommand(action, &grid, dialogs_);
}

void DietDisplayForm::IngredientFeedsEdited(int row, int /*col*/) {
  if (row <= resultRow_) calculated_ = false;
}

std::string_view DietDisplayForm::FeedsTableToolTip(int row) const {
  return row >= kMinHeadingRow ? kRestrictTip : std::string_view{};
}
