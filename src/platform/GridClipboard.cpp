#include "platform/GridClipboard.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

namespace {

// Walks a clipboard text line by line; a line ends at a line feed or at the
// end of the text. A carriage return before the line feed (text copied from
// a spreadsheet) is not part of the line.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  bool Next(std::string_view& line) {
    if (done_) return false;
    const std::size_t lf = text_.find('\n', pos_);
    if (lf == std::string_view::npos) {
      line = text_.substr(pos_);
      done_ = true;
    } else {
      line = text_.substr(pos_, lf - pos_);
      pos_ = lf + 1;
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
  }
  // True when the text ended with a line feed after the last line read.
  bool AtEndAfterLineFeed() const { return !done_ && pos_ == text_.size(); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool done_ = false;
};

int FieldsOf(std::string_view line) {
  return static_cast<int>(std::count(line.begin(), line.end(), '\t')) + 1;
}

bool IsCopyKey(Key key, KeyModifiers modifiers) {
  return modifiers == kControlModifier && (key == Key::C || key == Key::Insert);
}

bool IsPasteKey(Key key, KeyModifiers modifiers) {
  return (modifiers == kControlModifier && key == Key::V) ||
         (modifiers == kShiftModifier && key == Key::Insert);
}

void PasteCells(Grid& grid, std::string_view text) {
  LineReader lines(text);
  std::string_view line;
  for (int row = grid.Row(); lines.Next(line); ++row) {
    // The last row never receives pasted text and a paste adds no rows.
    if (line.empty() || row >= grid.Rows() - 1) return;
    const int fields = FieldsOf(line);
    if (fields > grid.Cols() - 1) grid.SetCols(fields + 1);
    int col = grid.Col();
    std::size_t start = 0;
    for (int f = 0; f < fields; ++f, ++col) {
      const std::size_t tab = line.find('\t', start);
      const std::string_view field = line.substr(start, tab - start);
      start = tab + 1;
      if (col < grid.Cols() - 1) grid.SetText(row, col, field);
    }
  }
}

// One temperature a line, down column 1 from the current row.
void PasteColumn(Grid& grid, std::string_view text) {
  constexpr int kValueCol = 1;
  LineReader lines(text);
  std::string_view line;
  for (int row = grid.Row(); row < grid.Rows() && lines.Next(line); ++row) {
    grid.SetText(row, kValueCol, line);
    if (lines.AtEndAfterLineFeed()) return;
  }
}

}  // namespace

GridRange SelectedRange(const Grid& grid) {
  GridRange range;
  range.firstRow = std::min(grid.Row(), grid.RowSel());
  range.lastRow = std::max(grid.Row(), grid.RowSel());
  range.firstCol = std::min(grid.Col(), grid.ColSel());
  range.lastCol = std::max(grid.Col(), grid.ColSel());
  return range;
}

GridRange UsedRange(const Grid& grid) {
  // Every row that holds text counts, not only those of the last column with
  // text, so a shorter last column does not cut rows off the copy.
  GridRange range;
  for (int col = 0; col < grid.Cols(); ++col) {
    for (int row = 0; row < grid.Rows(); ++row) {
      if (!grid.Text(row, col).empty()) {
        range.lastCol = col;
        range.lastRow = std::max(range.lastRow, row);
      }
    }
  }
  return range;
}

GridRange WholeGrid(const Grid& grid) { return GridRange{grid.Cols() - 1, 0, grid.Rows() - 1, 0}; }

std::string RangeText(const GridRange& range, const Grid& grid) {
  std::string text;
  for (int row = range.firstRow; row <= range.lastRow; ++row) {
    if (row > range.firstRow) text += '\n';
    for (int col = range.firstCol; col <= range.lastCol; ++col) {
      if (col > range.firstCol) text += '\t';
      text += grid.Text(row, col);
    }
  }
  return text;
}

GridRange CopyRange(GridRange range, Grid& grid, Dialogs& dialogs) {
  if (range.firstCol > range.lastCol) std::swap(range.firstCol, range.lastCol);
  if (range.firstRow > range.lastRow) std::swap(range.firstRow, range.lastRow);
  grid.SetCurrent(0, 0);
  range.firstCol = std::max(range.firstCol, 0);
  range.firstRow = std::max(range.firstRow, 0);
  range.lastCol = std::min(range.lastCol, grid.Cols() - 1);
  range.lastRow = std::min(range.lastRow, grid.Rows() - 1);
  dialogs.ClearClipboard();
  dialogs.SetClipboard(RangeText(range, grid));
  return range;
}

void PasteText(Grid& grid, std::string_view text, PasteMode mode) {
  if (mode == PasteMode::TemperatureColumn) {
    PasteColumn(grid, text);
  } else {
    PasteCells(grid, text);
  }
}

bool GridPaste(Grid& grid, Key key, KeyModifiers modifiers, Dialogs& dialogs, PasteMode mode) {
  if (!IsPasteKey(key, modifiers)) return false;
  if (!grid.Editable()) return true;  // the program's own table takes no paste
  const std::string text = dialogs.Clipboard();
  grid.ChangeUndoably([&] { PasteText(grid, text, mode); });
  grid.SetEdited(true);
  return true;
}

void ClearOwnCells(Grid& grid, GridRange range) {
  if (!grid.Editable()) return;  // the program's own table
  range.firstRow = std::max(range.firstRow, grid.FixedRows());
  range.firstCol = std::max(range.firstCol, grid.FixedCols());
  if (range.firstRow > range.lastRow || range.firstCol > range.lastCol) return;
  grid.ChangeUndoably(
      [&] { grid.ClearRange(range.firstRow, range.firstCol, range.lastRow, range.lastCol); });
  grid.SetEdited(true);
}

bool GridKey(Grid& grid, Key key, KeyModifiers modifiers, Dialogs& dialogs, PasteMode mode) {
  if (IsCopyKey(key, modifiers)) {
    CopyRange(SelectedRange(grid), grid, dialogs);
    return true;
  }
  if (modifiers == kControlModifier && key == Key::X) {
    ClearOwnCells(grid, CopyRange(SelectedRange(grid), grid, dialogs));
    return true;
  }
  if (modifiers == kControlModifier && key == Key::Z) {
    if (grid.Editable() && grid.Undo()) grid.SetEdited(true);
    return true;
  }
  if (modifiers == kControlModifier && key == Key::A) {
    CopyRange(UsedRange(grid), grid, dialogs);
    return true;
  }
  return GridPaste(grid, key, modifiers, dialogs, mode);
}

bool HerdInputPaste(Key key,
                    KeyModifiers modifiers,
                    Dialogs& dialogs,
                    std::string& startWeight,
                    std::string& startAge,
                    std::string& finalWeight,
                    std::string& totalFeed,
                    std::string& finalAge) {
  if (!IsPasteKey(key, modifiers)) return false;
  const std::string text = dialogs.Clipboard();
  std::string* fields[] = {&startWeight, &startAge, &finalWeight, &totalFeed, &finalAge};
  LineReader lines(text);
  for (std::string* field : fields) {
    std::string_view line;
    field->assign(lines.Next(line) ? line : std::string_view{});
  }
  dialogs.ClearClipboard();
  return true;
}

void PopupCommand(PopupAction action, Grid* activeGrid, Dialogs& dialogs, PasteMode mode) {
  if (!activeGrid) return;
  Grid& grid = *activeGrid;
  switch (action) {
    case PopupAction::CopyHighlighted:
      GridKey(grid, Key::C, kControlModifier, dialogs, mode);
      break;
    case PopupAction::CopyAll: {
      const int row = grid.Row();
      const int col = grid.Col();
      grid.SetSelection(0, 0, grid.Rows() - 1, grid.Cols() - 1);
      GridKey(grid, Key::A, kControlModifier, dialogs, mode);
      grid.SetCurrent(row, col);
      break;
    }
    case PopupAction::Clear:
      if (grid.Editable() && dialogs.Message(kClearQuestion, Buttons::YesNo) == Answer::Yes)
        ClearOwnCells(grid, WholeGrid(grid));
      break;
    case PopupAction::Paste:
      GridPaste(grid, Key::V, kControlModifier, dialogs, mode);
      break;
  }
}
