// Desktop: GridModel, the one item model of every Grid.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <string>

#include "app/TableFace.h"
#include "platform/Grid.h"

class QItemSelectionModel;

// The one item model of every table: a Grid's cells, cell for cell, with
// row 0 and column 0 kept as cells that code reads and writes (a view may
// show them as its headings, see headerData). The Grid stays the only store;
// the model keeps nothing but the shape it last told its views, so the
// Grid's after-the-fact notices can still be turned into Qt's before/after
// signals. One model per Grid (a Grid has one listener); the Grid outlives
// the model.
class GridModel : public QAbstractTableModel, private GridListener {
  Q_OBJECT

 public:
  // Runs after the user changed a cell's text or ticked or unticked its check
  // box; the form's after-edit handler goes here.
  using EditHook = std::function<void(int row, int col)>;
  // The tip shown over a cell; "" for none.
  using TipHook = std::function<std::string(int row, int col)>;

  explicit GridModel(Grid& grid, QObject* parent = nullptr);
  ~GridModel() override;
  GridModel(const GridModel&) = delete;
  GridModel& operator=(const GridModel&) = delete;

  Grid& Table() const { return grid_; }
  void SetAfterEdit(EditHook hook) { afterEdit_ = std::move(hook); }
  void SetToolTips(TipHook hook) { toolTips_ = std::move(hook); }
  // How the cells read: headings with their units, numbers with their
  // leading zero (see TableFace). Every table shows a face; the editor
  // shows the cell as it is.
  void SetFace(TableFace face);
  const TableFace& Face() const { return face_; }
  // The text a cell shows, as the face makes it.
  QString Shown(int row, int col) const;
  // The unit codes changed: every heading and cell is shown again.
  void FaceChanged();

  // A fixed heading row or column, or a grid the user may not edit, takes no
  // typing and no ticks.
  bool UserEditable(int row, int col) const;

  // The Grid's current cell and selection from a view's: the selected
  // rectangle around the view's current cell; the view's current cell is the
  // far corner (RowSel, ColSel), the opposite corner the Grid's current cell
  // (Row, Col), as a drag from one to the other leaves them.
  void TakeSelection(const QItemSelectionModel& selection);
  // The reverse: selects the Grid's rectangle and makes its far corner the
  // view's current cell.
  void ShowSelection(QItemSelectionModel& selection);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Heading texts for a view that shows row 0 and column 0 as its headers:
  // section c of the top header is cell (0, c), section r of the side header
  // is cell (r, 0).
  QVariant headerData(int section,
                      Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 signals:
  // Hidden rows and columns, widths or the fixed rows and columns changed.
  void LayoutHintsChanged();
  // The core moved the current cell or the selection.
  void SelectionMoved();

 private:
  void CellsChanged(int row1, int col1, int row2, int col2) override;
  void ShapeChanged() override;
  void SelectionChanged() override;

  void FollowRows();
  void FollowCols();
  bool FixedCell(int row, int col) const;
  bool InTable(const QModelIndex& index) const;
  QVariant CellData(int row, int col, int role) const;

  Grid& grid_;
  int rows_ = 0;  // the shape the views know
  int cols_ = 0;
  int fixedRows_ = 0;
  int fixedCols_ = 0;
  bool syncing_ = false;  // a selection passing one way must not bounce back
  EditHook afterEdit_;
  TipHook toolTips_;
  TableFace face_;
};
