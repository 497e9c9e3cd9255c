#include "platform/Grid.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <utility>

namespace {

const std::string kEmpty;

// The leading number of a cell as the tables write it (either decimal
// separator, whatever the machine's locale); nothing when it holds none.
// Only digits start a number, so "nan" text cannot break the sort order.
std::optional<double> CellNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const bool minus = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  auto digitAt = [&text](std::size_t k) {
    return k < text.size() && text[k] >= '0' && text[k] <= '9';
  };
  const bool point = i < text.size() && (text[i] == '.' || text[i] == ',');
  if (!digitAt(i) && !(point && digitAt(i + 1))) return std::nullopt;
  std::string number = text.substr(i, 64);
  const std::size_t comma = number.find(',');
  if (comma != std::string::npos) number[comma] = '.';
  double value = 0;
  const auto result = std::from_chars(
      number.data(), number.data() + number.size(), value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = std::numeric_limits<double>::max();  // only ordering matters here
  }
  return minus ? -value : value;
}

// Numbers sort by value, numbers before text, text by its characters.
bool LessCell(const std::string& a, const std::string& b) {
  const std::optional<double> x = CellNumber(a);
  const std::optional<double> y = CellNumber(b);
  if (x && y) return *x < *y;
  if (x.has_value() != y.has_value()) return x.has_value();
  return a < b;
}

}  // namespace

Grid::Grid(int rows, int cols) { Resize(rows, cols); }

void Grid::SetRows(int rows) { Resize(rows, cols_); }
void Grid::SetCols(int cols) { Resize(rows_, cols); }

void Grid::Resize(int rows, int cols) {
  rows = std::max(rows, 0);
  cols = std::max(cols, 0);
  if (rows == rows_ && cols == cols_) return;
  std::vector<Cell> cells(static_cast<size_t>(rows) * cols);
  for (int r = 0; r < std::min(rows, rows_); ++r)
    for (int c = 0; c < std::min(cols, cols_); ++c)
      cells[static_cast<size_t>(r) * cols + c] =
          std::move(cells_[static_cast<size_t>(r) * cols_ + c]);
  cells_ = std::move(cells);
  rowHidden_.resize(rows, false);
  colHidden_.resize(cols, false);
  colWidth_.resize(cols, kDefaultColWidth);
  rows_ = rows;
  cols_ = cols;
  row_ = std::min(row_, std::max(rows_ - 1, 0));
  col_ = std::min(col_, std::max(cols_ - 1, 0));
  rowSel_ = std::min(rowSel_, std::max(rows_ - 1, 0));
  colSel_ = std::min(colSel_, std::max(cols_ - 1, 0));
  NotifyShape();
}

Grid::Cell* Grid::At(int row, int col) {
  return Inside(row, col) ? &cells_[static_cast<size_t>(row) * cols_ + col] : nullptr;
}

const Grid::Cell* Grid::At(int row, int col) const {
  return Inside(row, col) ? &cells_[static_cast<size_t>(row) * cols_ + col] : nullptr;
}

const std::string& Grid::Text(int row, int col) const {
  const Cell* cell = At(row, col);
  return cell ? cell->text : kEmpty;
}

void Grid::SetText(int row, int col, std::string_view text) {
  Cell* cell = At(row, col);
  if (!cell || cell->text == text) return;
  cell->text.assign(text);
  NotifyCells(row, col, row, col);
}

void Grid::Clear() {
  for (Cell& cell : cells_) cell.text.clear();
  if (rows_ > 0 && cols_ > 0) NotifyCells(0, 0, rows_ - 1, cols_ - 1);
}

void Grid::ClearRange(int row1, int col1, int row2, int col2) {
  if (row1 > row2) std::swap(row1, row2);
  if (col1 > col2) std::swap(col1, col2);
  // Tell a view only of cells that exist.
  row1 = std::max(row1, 0);
  col1 = std::max(col1, 0);
  row2 = std::min(row2, rows_ - 1);
  col2 = std::min(col2, cols_ - 1);
  if (row1 > row2 || col1 > col2) return;
  for (int r = row1; r <= row2; ++r)
    for (int c = col1; c <= col2; ++c) At(r, c)->text.clear();
  NotifyCells(row1, col1, row2, col2);
}

void Grid::SetCurrent(int row, int col) { SetSelection(row, col, row, col); }

void Grid::SetSelection(int row, int col, int rowSel, int colSel) {
  auto clampRow = [this](int r) { return std::clamp(r, 0, std::max(rows_ - 1, 0)); };
  auto clampCol = [this](int c) { return std::clamp(c, 0, std::max(cols_ - 1, 0)); };
  row = clampRow(row);
  col = clampCol(col);
  rowSel = clampRow(rowSel);
  colSel = clampCol(colSel);
  if (row == row_ && col == col_ && rowSel == rowSel_ && colSel == colSel_) return;
  row_ = row;
  col_ = col;
  rowSel_ = rowSel;
  colSel_ = colSel;
  if (listener_) listener_->SelectionChanged();
}

// A view shows fixed rows and columns as headings, so it must hear of them.
void Grid::SetFixedRows(int rows) {
  if (rows == fixedRows_) return;
  fixedRows_ = rows;
  NotifyShape();
}

void Grid::SetFixedCols(int cols) {
  if (cols == fixedCols_) return;
  fixedCols_ = cols;
  NotifyShape();
}

Rgb Grid::CellColor(int row, int col) const {
  const Cell* cell = At(row, col);
  return cell ? cell->color : kWhite;
}

void Grid::SetCellColor(int row, int col, Rgb color) {
  Cell* cell = At(row, col);
  if (!cell || cell->color == color) return;
  cell->color = color;
  NotifyCells(row, col, row, col);
}

Align Grid::CellAlign(int row, int col) const {
  const Cell* cell = At(row, col);
  return cell ? cell->align : Align::General;
}

void Grid::SetCellAlign(int row, int col, Align align) {
  if (Cell* cell = At(row, col)) {
    cell->align = align;
    NotifyCells(row, col, row, col);
  }
}

CheckState Grid::CellCheck(int row, int col) const {
  const Cell* cell = At(row, col);
  return cell ? cell->check : CheckState::None;
}

void Grid::SetCellCheck(int row, int col, CheckState state) {
  if (Cell* cell = At(row, col)) {
    cell->check = state;
    NotifyCells(row, col, row, col);
  }
}

bool Grid::RowHidden(int row) const { return row >= 0 && row < rows_ && rowHidden_[row]; }

void Grid::SetRowHidden(int row, bool hidden) {
  if (row < 0 || row >= rows_) return;
  rowHidden_[row] = hidden;
  NotifyShape();
}

bool Grid::ColHidden(int col) const { return col >= 0 && col < cols_ && colHidden_[col]; }

void Grid::SetColHidden(int col, bool hidden) {
  if (col < 0 || col >= cols_) return;
  colHidden_[col] = hidden;
  NotifyShape();
}

int Grid::ColWidth(int col) const { return col >= 0 && col < cols_ ? colWidth_[col] : 0; }

void Grid::SetColWidth(int col, int pixels) {
  if (col < 0 || col >= cols_) return;
  colWidth_[col] = std::max(pixels, 0);
  NotifyShape();
}

void Grid::SortRows(int row1, int row2, int keyCol, bool ascending) {
  row1 = std::max(row1, 0);
  row2 = std::min(row2, rows_ - 1);
  if (row1 >= row2 || keyCol < 0 || keyCol >= cols_) return;
  std::vector<std::vector<Cell>> block;
  for (int r = row1; r <= row2; ++r)
    block.emplace_back(cells_.begin() + static_cast<long>(r) * cols_,
                       cells_.begin() + static_cast<long>(r + 1) * cols_);
  std::stable_sort(block.begin(), block.end(), [&](const auto& a, const auto& b) {
    return ascending ? LessCell(a[keyCol].text, b[keyCol].text)
                     : LessCell(b[keyCol].text, a[keyCol].text);
  });
  for (int r = row1; r <= row2; ++r)
    std::move(block[r - row1].begin(),
              block[r - row1].end(),
              cells_.begin() + static_cast<long>(r) * cols_);
  NotifyCells(row1, 0, row2, cols_ - 1);
}

void Grid::CopyTextFrom(const Grid& other) {
  for (int r = 0; r < std::min(rows_, other.rows_); ++r)
    for (int c = 0; c < std::min(cols_, other.cols_); ++c) {
      Cell& cell = *At(r, c);
      cell.text = other.At(r, c)->text;
      cell.color = other.At(r, c)->color;
    }
  if (rows_ > 0 && cols_ > 0) NotifyCells(0, 0, rows_ - 1, cols_ - 1);
}

void Grid::KeepForUndo() {
  kept_.rows = rows_;
  kept_.cols = cols_;
  kept_.texts.clear();
  kept_.texts.reserve(cells_.size());
  for (const Cell& cell : cells_) kept_.texts.push_back(cell.text);
  undoAt_ = -1;
}

bool Grid::Undo() {
  // A later change, the program's or the user's, was made over the kept
  // texts: bringing them back would undo that change too.
  if (undoAt_ < 0 || undoAt_ != changes_) return false;
  undoAt_ = -1;
  Resize(kept_.rows, kept_.cols);
  for (std::size_t k = 0; k < cells_.size(); ++k) cells_[k].text = std::move(kept_.texts[k]);
  kept_.texts.clear();
  if (rows_ > 0 && cols_ > 0) NotifyCells(0, 0, rows_ - 1, cols_ - 1);
  edited_ = true;
  return true;
}

void Grid::NotifyCells(int row1, int col1, int row2, int col2) {
  ++changes_;
  if (listener_) listener_->CellsChanged(row1, col1, row2, col2);
}

void Grid::NotifyShape() {
  ++changes_;
  if (listener_) listener_->ShapeChanged();
}
