#include "ui/GridModel.h"

#include <QColor>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QPalette>
#include <algorithm>
#include <string_view>

#include "ui/CoreText.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A cell that reads as a number (either decimal separator, an optional
// exponent); the table's general alignment puts numbers right, text left.
bool LooksNumeric(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  int digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      ++digits;
    } else if ((text[i] == '.' || text[i] == ',') && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i == text.size()) return false;
    while (i < text.size() && IsDigit(text[i])) ++i;
  }
  return i == text.size();
}

Qt::Alignment AlignmentOf(Align align, std::string_view text) {
  switch (align) {
    case Align::Left:
      return Qt::AlignLeft | Qt::AlignVCenter;
    case Align::Center:
      return Qt::AlignCenter;
    case Align::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case Align::General:
      break;
  }
  return (LooksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QColor ColorOf(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

}  // namespace

GridModel::GridModel(Grid& grid, QObject* parent)
    : QAbstractTableModel(parent),
      grid_(grid),
      rows_(grid.Rows()),
      cols_(grid.Cols()),
      fixedRows_(grid.FixedRows()),
      fixedCols_(grid.FixedCols()) {
  grid_.SetListener(this);
}

GridModel::~GridModel() { grid_.SetListener(nullptr); }

void GridModel::SetFace(TableFace face) {
  face_ = std::move(face);
  FaceChanged();
}

QString GridModel::Shown(int row, int col) const {
  return FromCoreText(ShownText(grid_, face_, row, col));
}

void GridModel::FaceChanged() {
  if (rows_ == 0 || cols_ == 0) return;
  emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
  emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
  emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1), {Qt::DisplayRole});
}

bool GridModel::FixedCell(int row, int col) const {
  return row < grid_.FixedRows() || col < grid_.FixedCols();
}

bool GridModel::UserEditable(int row, int col) const {
  return grid_.Editable() && row >= 0 && row < rows_ && col >= 0 && col < cols_ &&
         !FixedCell(row, col);
}

// Any index the views hold, checked quietly: the model tester and the views
// ask with invalid ones on purpose.
bool GridModel::InTable(const QModelIndex& index) const {
  return index.isValid() && index.model() == this && index.row() < rows_ && index.column() < cols_;
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!InTable(index)) return {};
  return CellData(index.row(), index.column(), role);
}

QVariant GridModel::CellData(int row, int col, int role) const {
  const Rgb color = grid_.CellColor(row, col);
  switch (role) {
    case Qt::DisplayRole:
      return Shown(row, col);
    case Qt::EditRole:
      return FromCoreText(grid_.Text(row, col));
    case Qt::BackgroundRole:
      if (color != kWhite) return ColorOf(color);
      if (FixedCell(row, col)) return QGuiApplication::palette().color(QPalette::Button);
      return {};
    case Qt::ForegroundRole:
      // Coloured cells keep dark text whatever the desktop's theme.
      if (color != kWhite) return QColor(Qt::black);
      if (FixedCell(row, col)) return QGuiApplication::palette().color(QPalette::ButtonText);
      return {};
    case Qt::TextAlignmentRole:
      return static_cast<int>(AlignmentOf(grid_.CellAlign(row, col), grid_.Text(row, col)));
    case Qt::CheckStateRole:
      switch (grid_.CellCheck(row, col)) {
        case CheckState::None:
          return {};
        case CheckState::Unchecked:
          return static_cast<int>(Qt::Unchecked);
        case CheckState::Checked:
          return static_cast<int>(Qt::Checked);
      }
      return {};
    case Qt::ToolTipRole:
      if (toolTips_) {
        const std::string tip = toolTips_(row, col);
        if (!tip.empty()) return FromCoreText(tip);
      }
      return {};
    default:
      return {};
  }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!InTable(index)) return false;
  const int row = index.row();
  const int col = index.column();
  if (!UserEditable(row, col)) return false;
  if (role == Qt::EditRole) {
    const std::string text = ToCoreText(value.toString());
    // Closing an editor without a change is no edit for the form.
    if (text == grid_.Text(row, col)) return true;
    grid_.SetText(row, col, text);
  } else if (role == Qt::CheckStateRole) {
    const CheckState before = grid_.CellCheck(row, col);
    if (before == CheckState::None) return false;
    const CheckState after =
        value.toInt() == Qt::Checked ? CheckState::Checked : CheckState::Unchecked;
    if (after == before) return true;
    grid_.SetCellCheck(row, col, after);
  } else {
    return false;
  }
  grid_.SetEdited(true);
  if (afterEdit_) afterEdit_(row, col);
  return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!InTable(index)) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  if (UserEditable(index.row(), index.column())) {
    flags |= Qt::ItemIsEditable;
    if (grid_.CellCheck(index.row(), index.column()) != CheckState::None)
      flags |= Qt::ItemIsUserCheckable;
  }
  return flags;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const bool top = orientation == Qt::Horizontal;
  if (section < 0 || section >= (top ? cols_ : rows_)) return {};
  const int row = top ? 0 : section;
  const int col = top ? section : 0;
  switch (role) {
    case Qt::DisplayRole:
      return Shown(row, col);
    case Qt::TextAlignmentRole:
      if (grid_.CellAlign(row, col) == Align::General) return {};
      return static_cast<int>(AlignmentOf(grid_.CellAlign(row, col), {}));
    case Qt::BackgroundRole:
      if (grid_.CellColor(row, col) != kWhite) return ColorOf(grid_.CellColor(row, col));
      return {};
    case Qt::ToolTipRole: {
      // A heading's own tip, else the heading whole (a narrow window elides it).
      const QVariant tip = CellData(row, col, role);
      return tip.isValid() ? tip : QVariant(Shown(row, col));
    }
    default:
      return {};
  }
}

void GridModel::TakeSelection(const QItemSelectionModel& selection) {
  if (syncing_) return;
  const QModelIndex current = selection.currentIndex();
  if (!current.isValid() || current.model() != this) return;
  int top = current.row(), bottom = top, left = current.column(), right = left;
  const QItemSelection selected = selection.selection();
  if (!selected.isEmpty()) {
    int t = rows_, b = -1, l = cols_, r = -1;
    for (const QItemSelectionRange& range : selected) {
      t = std::min(t, range.top());
      b = std::max(b, range.bottom());
      l = std::min(l, range.left());
      r = std::max(r, range.right());
    }
    // A current cell outside the highlight (a Ctrl+click that unselected it)
    // stands alone.
    if (current.row() >= t && current.row() <= b && current.column() >= l &&
        current.column() <= r) {
      top = t, bottom = b, left = l, right = r;
    }
  }
  const int row = current.row() == top ? bottom : top;
  const int col = current.column() == left ? right : left;
  syncing_ = true;
  grid_.SetSelection(row, col, row == top ? bottom : top, col == left ? right : left);
  syncing_ = false;
}

void GridModel::ShowSelection(QItemSelectionModel& selection) {
  if (rows_ == 0 || cols_ == 0) return;
  auto clampRow = [this](int r) { return std::clamp(r, 0, rows_ - 1); };
  auto clampCol = [this](int c) { return std::clamp(c, 0, cols_ - 1); };
  const int row = clampRow(grid_.Row()), rowSel = clampRow(grid_.RowSel());
  const int col = clampCol(grid_.Col()), colSel = clampCol(grid_.ColSel());
  syncing_ = true;
  selection.select(QItemSelection(index(std::min(row, rowSel), std::min(col, colSel)),
                                  index(std::max(row, rowSel), std::max(col, colSel))),
                   QItemSelectionModel::ClearAndSelect);
  selection.setCurrentIndex(index(rowSel, colSel), QItemSelectionModel::NoUpdate);
  syncing_ = false;
}

void GridModel::CellsChanged(int row1, int col1, int row2, int col2) {
  row1 = std::max(row1, 0);
  col1 = std::max(col1, 0);
  row2 = std::min(row2, rows_ - 1);
  col2 = std::min(col2, cols_ - 1);
  if (row1 > row2 || col1 > col2) return;
  emit dataChanged(index(row1, col1), index(row2, col2));
  if (row1 == 0) emit headerDataChanged(Qt::Horizontal, col1, col2);
  if (col1 == 0) emit headerDataChanged(Qt::Vertical, row1, row2);
}

void GridModel::FollowRows() {
  const int rows = grid_.Rows();
  if (rows > rows_) {
    beginInsertRows(QModelIndex(), rows_, rows - 1);
    rows_ = rows;
    endInsertRows();
  } else if (rows < rows_) {
    beginRemoveRows(QModelIndex(), rows, rows_ - 1);
    rows_ = rows;
    endRemoveRows();
  }
}

void GridModel::FollowCols() {
  const int cols = grid_.Cols();
  if (cols > cols_) {
    beginInsertColumns(QModelIndex(), cols_, cols - 1);
    cols_ = cols;
    endInsertColumns();
  } else if (cols < cols_) {
    beginRemoveColumns(QModelIndex(), cols, cols_ - 1);
    cols_ = cols;
    endRemoveColumns();
  }
}

// The Grid tells of a new shape after the fact; the views are told in Qt's
// order (about to change, changed) against the shape they knew.
void GridModel::ShapeChanged() {
  const bool resized = grid_.Rows() != rows_ || grid_.Cols() != cols_;
  FollowRows();
  FollowCols();
  if (grid_.FixedRows() != fixedRows_ || grid_.FixedCols() != fixedCols_) {
    fixedRows_ = grid_.FixedRows();
    fixedCols_ = grid_.FixedCols();
    // Heading colours and editability follow the fixed rows and columns.
    if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
  }
  emit LayoutHintsChanged();
  if (resized) emit SelectionMoved();
}

void GridModel::SelectionChanged() {
  if (!syncing_) emit SelectionMoved();
}
