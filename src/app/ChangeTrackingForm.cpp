#include "app/ChangeTrackingForm.h"

#include <algorithm>

namespace {

constexpr int kCurrentCol = 1;
constexpr int kInitialCol = 4;
constexpr int kComparisonCols = 5;  // columns 0..4

// `to` takes the shape and fixed rows and columns of `from`; the cells of
// rows 0..lastRow and columns 0..lastCol get from's text, every other cell
// is emptied; all cells are white.
void CopyBlock(const Grid& from, Grid& to, int lastRow, int lastCol) {
  to.Resize(from.Rows(), from.Cols());
  to.SetFixedRows(from.FixedRows());
  to.SetFixedCols(from.FixedCols());
  for (int r = 0; r < from.Rows(); ++r)
    for (int c = 0; c < from.Cols(); ++c) {
      const bool inside = r <= lastRow && c <= lastCol;
      to.SetText(r, c, inside ? std::string_view(from.Text(r, c)) : std::string_view());
      to.SetCellColor(r, c, kWhite);
    }
}

void CopyWhole(const Grid& from, Grid& to) {
  CopyBlock(from, to, from.Rows() - 1, from.Cols() - 1);
}

// Text and colour of every cell, `to` taking from's shape.
void CopyCells(const Grid& from, Grid& to, int cols) {
  to.Resize(from.Rows(), cols);
  to.SetFixedRows(from.FixedRows());
  to.SetFixedCols(from.FixedCols());
  for (int r = 0; r < to.Rows(); ++r)
    for (int c = 0; c < to.Cols(); ++c) {
      to.SetText(r, c, from.Text(r, c));
      to.SetCellColor(r, c, from.Inside(r, c) ? from.CellColor(r, c) : kWhite);
    }
}

void CopyCells(const Grid& from, Grid& to) { CopyCells(from, to, from.Cols()); }

// Diet columns 0..numDiets, bounded by the table.
int LastDietCol(const TrackedWindow& window) {
  return std::clamp(window.numDiets, 0, window.dietsTable.Cols() - 1);
}

}  // namespace

void ChangeTrackingForm::Open(const TrackingTables& tables, const Grid& comparison) {
  ShowTrackedTables(tables, comparison, *this);
  initialDiets.SetText(0, 0, "Init. Diets");
  previousFormulas.SetText(0, 0, "Prev. Formulas");
  visible_ = true;
}

void ChangeTrackingForm::CopyToClipboard(Dialogs& dialogs) {
  CopyRange(WholeGrid(comparisonTable), comparisonTable, dialogs);
}

void ChangeTrackingForm::Popup(PopupAction action, Dialogs& dialogs) {
  PopupCommand(action, activeGrid, dialogs);
}

void SaveRunTables(TrackingTables& tables, const TrackedWindow& window) {
  CopyWhole(window.formulaTable, tables.savedFormulas);
  CopyBlock(
      window.dietsTable, tables.savedDiets, window.dietsTable.Rows() - 1, LastDietCol(window));
}

void UpdatePreviousTables(TrackingTables& tables, const TrackedWindow& window) {
  CopyWhole(tables.savedFormulas, tables.previousFormulas);

  const Grid& saved = tables.savedDiets;
  Grid& previous = tables.previousDiets;
  CopyWhole(saved, previous);
  const int lastCol = std::min(LastDietCol(window), saved.Cols() - 1);
  for (int d = 0; d <= lastCol; ++d)
    for (int r = 0; r < saved.Rows(); ++r) {
      const bool changed = saved.Text(r, d) != window.dietsTable.Text(r, d);
      previous.SetCellColor(r, d, changed ? kPeach : kWhite);
    }
}

void ShowTrackedTables(const TrackingTables& tables,
                       const Grid& comparison,
                       ChangeTrackingForm& track) {
  CopyCells(comparison, track.comparisonTable, kComparisonCols);
  CopyCells(tables.initialDiets, track.initialDiets);
  CopyCells(tables.initialFormulas, track.initialFormulas);
  CopyCells(tables.previousDiets, track.previousDiets);
  CopyCells(tables.previousFormulas, track.previousFormulas);
}

void ResetInitial(TrackingTables& tables, const TrackedWindow& window, ChangeTrackingForm& track) {
  Grid& comparison = window.comparison;
  for (int r = 1; r < comparison.Rows(); ++r)
    comparison.SetText(r, kInitialCol, comparison.Text(r, kCurrentCol));

  CopyWhole(window.formulaTable, tables.initialFormulas);
  tables.initialFormulas.SetText(0, 0, "Init Formulas");
  CopyCells(tables.initialFormulas, track.initialFormulas);

  CopyBlock(
      window.dietsTable, tables.initialDiets, window.dietsTable.Rows() - 1, LastDietCol(window));
  tables.initialDiets.SetText(0, 0, "Init Nutrients");
  CopyCells(tables.initialDiets, track.initialDiets);
}

void ResetInitialClick(TrackingTables& tables,
                       const TrackedWindow& window,
                       ChangeTrackingForm& track) {
  ResetInitial(tables, window, track);
  CopyCells(window.comparison, track.comparisonTable, kComparisonCols);
}
