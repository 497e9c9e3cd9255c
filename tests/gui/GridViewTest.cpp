// The table widget: its model over a Grid (headings, edits, alignment,
// notices) and the view's keys, clicks and fitted columns.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "platform/Grid.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/QtDialogs.h"

namespace {

using Cells = std::vector<std::pair<int, int>>;

// "r.c" in every cell, headings included.
void Fill(Grid& grid) {
  for (int r = 0; r < grid.Rows(); ++r)
    for (int c = 0; c < grid.Cols(); ++c)
      grid.SetText(r, c, std::to_string(r) + "." + std::to_string(c));
}

// The Grid's current cell and the far corner of its selection.
Cells Selection(const Grid& grid) {
  return {{grid.Row(), grid.Col()}, {grid.RowSel(), grid.ColSel()}};
}

QString ClipboardText() { return QGuiApplication::clipboard()->text(); }

// A view bound to a grid of its own, filled unless told not to.
struct Bound {
  QtDialogs dialogs;
  Grid grid;
  GridView view;

  Bound(int rows, int cols, bool fill = true) : grid(rows, cols) {
    if (fill) Fill(grid);
    view.Bind(grid, dialogs);
  }
  bool Show(int width, int height) {
    view.resize(width, height);
    view.show();
    return QTest::qWaitForWindowExposed(&view);
  }
  // Highlights a block as a drag from (row, col) to (rowSel, colSel) does.
  void Drag(int row, int col, int rowSel, int colSel) {
    QAbstractItemModel* model = view.model();
    view.selectionModel()->select(
        QItemSelection(model->index(row, col), model->index(rowSel, colSel)),
        QItemSelectionModel::ClearAndSelect);
    view.selectionModel()->setCurrentIndex(model->index(rowSel, colSel),
                                           QItemSelectionModel::NoUpdate);
  }
  QString Shown(int row, int col) const { return view.model()->index(row, col).data().toString(); }
};

}  // namespace

class GridViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QGuiApplication::clipboard()->clear(); }
  void modelFollowsTheGridAndNamesTheChangedCells();
  void editsAndAlignment();
  void clipboardKeys();
  void rightClickActivatesAndKeepsTheHighlight();
  void hiddenRowsWidthsAndHeadings();
};

// The model follows the Grid's shape, under Qt's model tester, and names the
// cells each change touches, clipped to the table, the top headings with row 0.
void GridViewTest::modelFollowsTheGridAndNamesTheChangedCells() {
  Grid grid(6, 5);
  Fill(grid);
  GridModel model(grid);
  QVERIFY(!model.headerData(5, Qt::Horizontal).isValid());
  QVERIFY(!model.headerData(-1, Qt::Vertical).isValid());
  {
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const std::pair<int, int> shapes[] = {{10, 8}, {3, 2}, {0, 4}, {4, 0}, {0, 0}, {5, 5}, {7, 3}};
    for (const auto& [rows, cols] : shapes) {
      grid.Resize(rows, cols);
      QCOMPARE(model.rowCount(), rows);
      QCOMPARE(model.columnCount(), cols);
    }
    grid.SortRows(1, 6, 1, false);
    grid.Clear();
  }
  grid.Resize(5, 4);
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);
  grid.SetText(2, 3, "x");
  grid.ClearRange(4, 3, -2, 1);  // clipped to the table
  grid.SetCellColor(3, 1, kPeach);
  grid.SetText(9, 9, "outside");
  Cells corners;
  for (const QList<QVariant>& notice : changed)
    for (int corner : {0, 1}) {
      const auto index = notice[corner].value<QModelIndex>();
      corners.emplace_back(index.row(), index.column());
    }
  QCOMPARE(corners, (Cells{{2, 3}, {2, 3}, {0, 1}, {4, 3}, {3, 1}, {3, 1}}));
  QCOMPARE(headers.size(), 1);  // the clear's, of the top headings 1 to 3
  QCOMPARE(headers[0][2].toInt(), 3);
}

// Body cells take typed text (an unchanged one is no edit) and check boxes
// tick; headings, a read-only grid and other roles refuse. Cells align by
// their text or as set.
void GridViewTest::editsAndAlignment() {
  Grid grid(3, 4);
  Fill(grid);
  GridModel model(grid);
  Cells edits;
  model.SetAfterEdit([&](int row, int col) { edits.emplace_back(row, col); });
  const struct {
    int row, col;
    bool editable;
  } cells[] = {{0, 0, false}, {0, 2, false}, {2, 0, false}, {1, 1, true}, {2, 2, true}};
  for (const auto& c : cells) {
    const QModelIndex index = model.index(c.row, c.col);
    QCOMPARE(model.flags(index).testFlag(Qt::ItemIsEditable), c.editable);
    QCOMPARE(model.setData(index, QStringLiteral("25 °C")), c.editable);
  }
  QVERIFY(model.setData(model.index(2, 2), QStringLiteral("25 °C")));  // unchanged
  QVERIFY(!model.setData(model.index(2, 2), 1, Qt::DisplayRole));
  QCOMPARE(edits, (Cells{{1, 1}, {2, 2}}));
  QCOMPARE(model.index(1, 1).data(Qt::EditRole).toString(), QStringLiteral("25 °C"));
  // Older single-byte text from a location's file still reads.
  grid.SetText(1, 2, "25 \260C");
  QCOMPARE(model.index(1, 2).data().toString(), QStringLiteral("25 °C"));

  // Check boxes: shown and ticked by the user; each change is an edit.
  grid.SetCellCheck(1, 2, CheckState::Checked);
  const QModelIndex box = model.index(1, 2);
  QVERIFY(!model.flags(model.index(1, 3)).testFlag(Qt::ItemIsUserCheckable));
  QVERIFY(model.flags(box).testFlag(Qt::ItemIsUserCheckable));
  QCOMPARE(box.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
  QVERIFY(model.setData(box, int(Qt::Unchecked), Qt::CheckStateRole));
  QVERIFY(model.setData(box, int(Qt::Unchecked), Qt::CheckStateRole));  // no change
  QVERIFY(!model.setData(model.index(1, 3), int(Qt::Checked), Qt::CheckStateRole));
  QVERIFY(!model.index(1, 3).data(Qt::CheckStateRole).isValid());

  // General alignment: numbers right, text left; set alignments win.
  const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
  const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
  const struct {
    const char* text;
    Align align;
    Qt::Alignment expected;
  } alignments[] = {
      {" -1,5 ", Align::General, right},
      {".5", Align::General, right},
      {"1e-5", Align::General, right},
      {"12 kg", Align::General, left},
      {"1.2.3", Align::General, left},
      {"Lysine", Align::General, left},
      {"1e", Align::General, left},
      {"12.5", Align::Left, left},
      {"Diet 1", Align::Center, Qt::AlignCenter},
      {"Diet 1", Align::Right, right},
  };
  for (const auto& a : alignments) {
    grid.SetText(2, 1, a.text);
    grid.SetCellAlign(2, 1, a.align);
    QCOMPARE(Qt::Alignment(model.index(2, 1).data(Qt::TextAlignmentRole).toInt()), a.expected);
  }

  // The matrix editor's name editing: no fixed rows or columns left.
  grid.SetFixedRows(0);
  grid.SetFixedCols(0);
  QVERIFY(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
  QVERIFY(!model.index(2, 0).data(Qt::BackgroundRole).isValid());  // no heading's colour
  grid.SetEditable(false);
  QVERIFY(!model.setData(model.index(1, 1), QStringLiteral("y")));
  QCOMPARE(edits.size(), std::size_t{3});
}

// Ctrl+C and Ctrl+V, or Ctrl+Insert and Shift+Insert, copy a block and
// paste it at the current cell; Ctrl+X empties it and Ctrl+Z brings it
// back; Ctrl+A copies the used area; other keys stay the table's own.
void GridViewTest::clipboardKeys() {
  const struct {
    Qt::Key copyKey, pasteKey;
    Qt::KeyboardModifier pasteMods;
  } keys[] = {{Qt::Key_C, Qt::Key_V, Qt::ControlModifier},
              {Qt::Key_Insert, Qt::Key_Insert, Qt::ShiftModifier}};
  for (const auto& k : keys) {
    Bound from(5, 5);
    Bound to(6, 6, false);
    from.Drag(3, 3, 2, 1);
    QTest::keyClick(&from.view, k.copyKey, Qt::ControlModifier);
    QCOMPARE(ClipboardText(), QStringLiteral("2.1\t2.2\t2.3\n3.1\t3.2\t3.3"));
    // The copy leaves (0, 0) current, and the view follows.
    QCOMPARE(from.view.selectionModel()->currentIndex(), from.view.model()->index(0, 0));
    to.Drag(4, 2, 4, 2);
    QTest::keyClick(&to.view, k.pasteKey, k.pasteMods);
    QCOMPARE(to.grid.Text(5, 2), std::string(""));  // the last row takes no paste
    QCOMPARE(to.Shown(4, 3), QStringLiteral("2.2"));
  }

  Bound t(5, 5, false);
  t.grid.SetText(0, 1, "Diet 1");
  t.grid.SetText(2, 1, "3.2");
  QTest::keyClick(&t.view, Qt::Key_A, Qt::ControlModifier);
  QCOMPARE(ClipboardText(), QStringLiteral("\tDiet 1\n\t\n\t3.2"));
  t.Drag(1, 1, 2, 1);
  QTest::keyClick(&t.view, Qt::Key_X, Qt::ControlModifier);
  QCOMPARE(ClipboardText(), QStringLiteral("\n3.2"));
  QCOMPARE(t.Shown(2, 1), QString());
  QTest::keyClick(&t.view, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(t.Shown(2, 1), QStringLiteral("3.2"));
  t.Drag(2, 2, 2, 2);
  QTest::keyClick(&t.view, Qt::Key_Down);
  QCOMPARE(Selection(t.grid), (Cells{{3, 2}, {3, 2}}));
}

// A right click makes the table active and keeps the highlight for the
// pop-up menu, which the context menu opens; a key makes it active too.
void GridViewTest::rightClickActivatesAndKeepsTheHighlight() {
  Bound t(5, 5);
  GridView& view = t.view;
  Grid& grid = t.grid;
  QVERIFY(t.Show(400, 300));
  int activated = 0;
  view.SetActivateHook([&](Grid& g) { activated += &g == &grid; });
  t.Drag(1, 1, 3, 2);
  const QPoint cell = view.visualRect(view.model()->index(2, 3)).center();
  QTest::mousePress(view.viewport(), Qt::RightButton, {}, cell);
  QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, cell);
  QCOMPARE(activated, 1);
  QCOMPARE(Selection(grid), (Cells{{1, 1}, {3, 2}}));
  QMenu* shown = nullptr;
  QTimer::singleShot(0, [&] {
    shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (shown) shown->close();
  });
  QContextMenuEvent menuEvent(
      QContextMenuEvent::Mouse, cell, view.viewport()->mapToGlobal(cell), Qt::NoModifier);
  QApplication::sendEvent(view.viewport(), &menuEvent);
  QCOMPARE(shown, view.PopupMenu());
  QTest::keyClick(&view, Qt::Key_Right);
  QCOMPARE(activated, 3);
}

void GridViewTest::hiddenRowsWidthsAndHeadings() {
  Bound t(5, 5);
  Grid& grid = t.grid;
  GridView& view = t.view;
  grid.SetColWidth(2, 100);
  grid.SetColWidth(0, 120);
  grid.SetRowHidden(3, true);
  QVERIFY(t.Show(500, 300));

  // A fixed row 0 and column 0 are the headings, not cells.
  QVERIFY(!view.horizontalHeader()->isHidden() && !view.verticalHeader()->isHidden());
  QVERIFY(view.isRowHidden(0) && view.isColumnHidden(0) && view.isRowHidden(3));
  // Columns fit their texts, not the widths the Grid was designed with.
  QVERIFY(view.columnWidth(2) < 100);
  grid.SetText(2, 2, "a note much longer than the column was made for");
  QCoreApplication::processEvents();
  const QModelIndex note = view.model()->index(2, 2);
  QVERIFY(!view.Elided(note));
  // A window too small for it: the note is cut, and whole in its tip.
  view.resize(160, 300);
  QCoreApplication::processEvents();
  QVERIFY(view.Elided(note));

  // Changes made by the core afterwards reach the view.
  grid.SetColHidden(4, true);
  grid.SetRowHidden(3, false);
  grid.SetColWidth(1, 0);
  QVERIFY(view.isColumnHidden(4) && !view.isRowHidden(3) && view.isColumnHidden(1));

  // Without fixed rows and columns row 0 and column 0 are plain cells.
  grid.SetFixedRows(0);
  grid.SetFixedCols(0);
  QVERIFY(view.horizontalHeader()->isHidden() && view.verticalHeader()->isHidden());
  QVERIFY(!view.isRowHidden(0) && !view.isColumnHidden(0));
}

QTEST_MAIN(GridViewTest)
#include "GridViewTest.moc"
