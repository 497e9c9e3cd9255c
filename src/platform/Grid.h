// Platform: Grid, the table of text cells every form and window shares.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A table of text cells, the one table control of every screen. Row 0 and
// column 0 hold headings. Reading outside the table gives ""; writing outside
// it is dropped. Numbers live in cells as text.

struct Rgb {
  std::uint8_t red = 255;
  std::uint8_t green = 255;
  std::uint8_t blue = 255;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kLightGreen{128, 255, 128};  // next step to take, optimized values
inline constexpr Rgb kLightCyan{128, 255, 255};   // initial values
inline constexpr Rgb kPeach{250, 225, 210};       // active restrictions, changed cells

enum class Align : std::uint8_t { General, Left, Center, Right };
enum class CheckState : std::uint8_t { None, Unchecked, Checked };

// Told of every change, so a view can repaint; the core never needs one.
class GridListener {
 public:
  virtual ~GridListener() = default;
  virtual void CellsChanged(int row1, int col1, int row2, int col2) = 0;
  virtual void ShapeChanged() = 0;
  // The current cell or the selection moved; a view follows it.
  virtual void SelectionChanged() {}
};

class Grid {
 public:
  static constexpr int kDefaultColWidth = 64;  // pixels

  Grid() : Grid(2, 2) {}
  Grid(int rows, int cols);

  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  // Keeps the cells that stay inside; new cells are empty and white.
  void SetRows(int rows);
  void SetCols(int cols);
  void Resize(int rows, int cols);

  bool Inside(int row, int col) const { return row >= 0 && row < rows_ && col >= 0 && col < cols_; }

  const std::string& Text(int row, int col) const;
  void SetText(int row, int col, std::string_view text);
  // Empties every cell's text, keeping the shape, colours and widths.
  void Clear();
  // Empties the text of the rectangle between the two corners, in any order.
  void ClearRange(int row1, int col1, int row2, int col2);

  // Current cell and the far corner of the selection.
  int Row() const { return row_; }
  int Col() const { return col_; }
  int RowSel() const { return rowSel_; }
  int ColSel() const { return colSel_; }
  // Makes (row, col) current and collapses the selection onto it.
  void SetCurrent(int row, int col);
  void SetSelection(int row, int col, int rowSel, int colSel);

  Rgb CellColor(int row, int col) const;
  void SetCellColor(int row, int col, Rgb color);
  Align CellAlign(int row, int col) const;
  void SetCellAlign(int row, int col, Align align);
  CheckState CellCheck(int row, int col) const;
  void SetCellCheck(int row, int col, CheckState state);

  bool RowHidden(int row) const;
  void SetRowHidden(int row, bool hidden);
  bool ColHidden(int col) const;
  void SetColHidden(int col, bool hidden);

  int ColWidth(int col) const;  // pixels
  void SetColWidth(int col, int pixels);

  int FixedRows() const { return fixedRows_; }
  int FixedCols() const { return fixedCols_; }
  void SetFixedRows(int rows);
  void SetFixedCols(int cols);

  bool Editable() const { return editable_; }
  void SetEditable(bool editable) { editable_ = editable; }

  // Sorts rows row1..row2 by the text of column `keyCol`, numbers by value.
  void SortRows(int row1, int row2, int keyCol, bool ascending);

  // Copies every cell's text (and colour) of `other` into this grid's cells
  // that exist in both; used for the stores of earlier tables.
  void CopyTextFrom(const Grid& other);

  void SetListener(GridListener* listener) { listener_ = listener; }

  // The user changed cells (typing, a tick, a paste, a cut, a clear or an
  // undo) since the form last filled, stored or saved the table; the
  // program's own writes leave the mark alone.
  bool Edited() const { return edited_; }
  void SetEdited(bool edited) { edited_ = edited; }

  // Runs `change`, a user's change of many cells at once (a clear, a cut, a
  // paste), keeping the texts and the shape before it for Undo.
  template <typename Change>
  void ChangeUndoably(Change&& change) {
    KeepForUndo();
    change();
    undoAt_ = changes_;
  }
  // Brings back the texts and the shape before the last undoable change,
  // as long as nothing else has changed the table since. False when there is
  // nothing to undo.
  bool Undo();

 private:
  struct Cell {
    std::string text;
    Rgb color = kWhite;
    Align align = Align::General;
    CheckState check = CheckState::None;
  };

  struct Kept {
    int rows = 0;
    int cols = 0;
    std::vector<std::string> texts;  // row-major
  };

  void KeepForUndo();
  Cell* At(int row, int col);
  const Cell* At(int row, int col) const;
  void NotifyCells(int row1, int col1, int row2, int col2);
  void NotifyShape();

  int rows_ = 0;
  int cols_ = 0;
  std::vector<Cell> cells_;  // row-major
  std::vector<bool> rowHidden_;
  std::vector<bool> colHidden_;
  std::vector<int> colWidth_;
  int row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
  int fixedRows_ = 1, fixedCols_ = 1;
  bool editable_ = true;
  bool edited_ = false;
  long changes_ = 0;  // every change of a cell or the shape counts one
  long undoAt_ = -1;  // changes_ right after the undoable change; -1: none
  Kept kept_;
  GridListener* listener_ = nullptr;
};
