#include <QAbstractItemModelTester>
#include <QApplication>
#include <QItemSelectionModel>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

#include "platform/Grid.h"
#include "ui/GridModel.h"

namespace {

// Row 0 and column 0 headings, "r.c" in the body.
void Fill(Grid& grid) {
  for (int r = 0; r < grid.Rows(); ++r)
    for (int c = 0; c < grid.Cols(); ++c) {
      std::string text =
          r == 0 ? "Col" + std::to_string(c) : std::to_string(r) + "." + std::to_string(c);
      if (c == 0) text = "Row" + std::to_string(r);
      grid.SetText(r, c, text);
    }
}

QString Text(const GridModel& model, int row, int col) {
  return model.index(row, col).data(Qt::DisplayRole).toString();
}

// The Grid's current cell is (row, col) and the far corner of its
// selection (rowSel, colSel).
void CheckSelection(const Grid& grid, int row, int col, int rowSel, int colSel) {
  QCOMPARE(grid.Row(), row);
  QCOMPARE(grid.Col(), col);
  QCOMPARE(grid.RowSel(), rowSel);
  QCOMPARE(grid.ColSel(), colSel);
}

}  // namespace

class GridModelTest : public QObject {
  Q_OBJECT

 private slots:
  void headingsAndTesterThroughResizesAndEdits();
  void setDataRoundTripAndAfterEdit();
  void editsRefusedOnHeadingsAndReadOnlyGrids();
  void coloursAlignmentAndChecks();
  void notificationsNameTheChangedCells();
  void selectionBetweenTheViewAndTheGrid();
};

void GridModelTest::headingsAndTesterThroughResizesAndEdits() {
  Grid grid(6, 5);
  Fill(grid);
  GridModel model(grid);
  QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Col2"));
  QCOMPARE(model.headerData(1, Qt::Vertical).toString(), QStringLiteral("Row1"));
  QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QStringLiteral("Row0"));
  QVERIFY(!model.headerData(5, Qt::Horizontal).isValid());
  QVERIFY(!model.headerData(-1, Qt::Vertical).isValid());
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
  const std::pair<int, int> shapes[] = {{10, 8}, {3, 2}, {0, 4}, {4, 0}, {0, 0}, {5, 5}, {7, 3}};
  for (const auto& [rows, cols] : shapes) {
    grid.Resize(rows, cols);
    QCOMPARE(model.rowCount(), rows);
    QCOMPARE(model.columnCount(), cols);
    if (QTest::currentTestFailed()) return;
  }
  grid.SetText(2, 1, "edited");
  QCOMPARE(Text(model, 2, 1), QStringLiteral("edited"));
  grid.SortRows(1, 6, 1, false);
  grid.ClearRange(6, 2, 1, 1);
  grid.Clear();
  grid.SetRows(2);
  QCOMPARE(model.rowCount(), 2);
  QVERIFY(model.setData(model.index(1, 1), QStringLiteral("typed")));
  QCOMPARE(grid.Text(1, 1), std::string("typed"));
}

void GridModelTest::setDataRoundTripAndAfterEdit() {
  Grid grid(4, 4);
  Fill(grid);
  GridModel model(grid);
  std::vector<std::pair<int, int>> edits;
  model.SetAfterEdit([&](int row, int col) { edits.emplace_back(row, col); });

  const QString texts[] = {QStringLiteral("12.5"),
                           QStringLiteral("1,5"),
                           QString(),
                           QStringLiteral("25 °C"),
                           QStringLiteral("Soybean meal 48%")};
  for (const QString& text : texts) {
    edits.clear();
    QVERIFY(model.setData(model.index(2, 3), text, Qt::EditRole));
    QCOMPARE(QString::fromStdString(grid.Text(2, 3)), text);
    QCOMPARE(model.index(2, 3).data(Qt::EditRole).toString(), text);
    QCOMPARE(edits.size(), std::size_t{1});
    QCOMPARE(edits[0], std::make_pair(2, 3));
  }
  // An editor closed without a change is no edit.
  edits.clear();
  QVERIFY(model.setData(model.index(2, 3), QStringLiteral("Soybean meal 48%")));
  QVERIFY(edits.empty());

  // Older single-byte text from a location's file still reads.
  grid.SetText(1,
               1,
               std::string("25 \xB0"
                           "C"));
  QCOMPARE(Text(model, 1, 1), QStringLiteral("25 °C"));
}

void GridModelTest::editsRefusedOnHeadingsAndReadOnlyGrids() {
  Grid grid(3, 3);
  Fill(grid);
  GridModel model(grid);
  int edits = 0;
  model.SetAfterEdit([&](int, int) { ++edits; });
  const struct {
    int row, col;
    bool editable;
  } cells[] = {{0, 0, false}, {0, 2, false}, {2, 0, false}, {1, 1, true}, {2, 2, true}};
  for (const auto& c : cells) {
    const QModelIndex index = model.index(c.row, c.col);
    QCOMPARE(model.flags(index).testFlag(Qt::ItemIsEditable), c.editable);
    QCOMPARE(model.setData(index, QStringLiteral("x")), c.editable);
  }
  QCOMPARE(grid.Text(0, 2), std::string("Col2"));
  QCOMPARE(edits, 2);

  // The matrix editor's name editing: no fixed rows or columns left.
  grid.SetFixedRows(0);
  grid.SetFixedCols(0);
  QVERIFY(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
  QVERIFY(!model.index(2, 0).data(Qt::BackgroundRole).isValid());  // no heading's colour

  grid.SetEditable(false);
  QVERIFY(!model.flags(model.index(1, 1)).testFlag(Qt::ItemIsEditable));
  QVERIFY(!model.setData(model.index(1, 1), QStringLiteral("y")));
  QCOMPARE(grid.Text(1, 1), std::string("x"));
  QCOMPARE(edits, 2);
}

void GridModelTest::coloursAlignmentAndChecks() {
  Grid grid(3, 8);
  GridModel model(grid);
  const QPalette palette = QApplication::palette();

  // Background and text colour by cell colour and heading.
  grid.SetCellColor(1, 1, kLightGreen);
  grid.SetCellColor(1, 2, kPeach);
  grid.SetCellColor(0, 3, kLightCyan);
  const struct {
    int row, col;
    QVariant background, foreground;
  } colours[] = {
      {1, 1, QColor(128, 255, 128), QColor(Qt::black)},
      {1, 2, QColor(250, 225, 210), QColor(Qt::black)},
      {0, 3, QColor(128, 255, 255), QColor(Qt::black)},
      {1, 3, QVariant(), QVariant()},
      {0, 4, palette.color(QPalette::Button), palette.color(QPalette::ButtonText)},
      {2, 0, palette.color(QPalette::Button), palette.color(QPalette::ButtonText)},
  };
  for (const auto& c : colours) {
    QCOMPARE(model.index(c.row, c.col).data(Qt::BackgroundRole), c.background);
    QCOMPARE(model.index(c.row, c.col).data(Qt::ForegroundRole), c.foreground);
  }

  // General alignment: numbers right, text left; set alignments win.
  const struct {
    const char* text;
    Align align;
    Qt::Alignment expected;
  } alignments[] = {
      {"12.5", Align::General, Qt::AlignRight | Qt::AlignVCenter},
      {"-1,5", Align::General, Qt::AlignRight | Qt::AlignVCenter},
      {".5", Align::General, Qt::AlignRight | Qt::AlignVCenter},
      {"1e-5", Align::General, Qt::AlignRight | Qt::AlignVCenter},
      {"12 kg", Align::General, Qt::AlignLeft | Qt::AlignVCenter},
      {"Lysine", Align::General, Qt::AlignLeft | Qt::AlignVCenter},
      {"1e", Align::General, Qt::AlignLeft | Qt::AlignVCenter},
      {"12.5", Align::Left, Qt::AlignLeft | Qt::AlignVCenter},
      {"Diet 1", Align::Center, Qt::AlignCenter},
      {"Diet 1", Align::Right, Qt::AlignRight | Qt::AlignVCenter},
  };
  for (const auto& a : alignments) {
    grid.SetText(2, 1, a.text);
    grid.SetCellAlign(2, 1, a.align);
    QCOMPARE(Qt::Alignment(model.index(2, 1).data(Qt::TextAlignmentRole).toInt()), a.expected);
  }

  // Check boxes: shown and ticked by the user; each change is an edit.
  std::vector<std::pair<int, int>> edits;
  model.SetAfterEdit([&](int row, int col) { edits.emplace_back(row, col); });
  grid.SetCellCheck(1, 2, CheckState::Checked);
  const QModelIndex box = model.index(1, 2);
  QVERIFY(!model.index(1, 3).data(Qt::CheckStateRole).isValid());
  QVERIFY(!model.flags(model.index(1, 3)).testFlag(Qt::ItemIsUserCheckable));
  QVERIFY(model.flags(box).testFlag(Qt::ItemIsUserCheckable));
  QCOMPARE(box.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
  QVERIFY(model.setData(box, int(Qt::Unchecked), Qt::CheckStateRole));
  QCOMPARE(grid.CellCheck(1, 2), CheckState::Unchecked);
  QVERIFY(model.setData(box, int(Qt::Unchecked), Qt::CheckStateRole));  // no change
  QVERIFY(!model.setData(model.index(1, 3), int(Qt::Checked), Qt::CheckStateRole));
  QCOMPARE(grid.CellCheck(1, 3), CheckState::None);
  QCOMPARE(edits.size(), std::size_t{1});
}

void GridModelTest::notificationsNameTheChangedCells() {
  Grid grid(5, 4);
  GridModel model(grid);
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);

  grid.SetText(2, 3, "x");
  grid.ClearRange(4, 3, -2, 1);  // clipped to the table
  grid.SetCellColor(3, 1, kPeach);
  grid.SetText(9, 9, "outside");
  QCOMPARE(changed.size(), 3);
  const struct {
    int row1, col1, row2, col2;
  } expected[] = {{2, 3, 2, 3}, {0, 1, 4, 3}, {3, 1, 3, 1}};
  for (int i = 0; i < 3; ++i) {
    const auto topLeft = changed[i][0].value<QModelIndex>();
    const auto bottomRight = changed[i][1].value<QModelIndex>();
    QCOMPARE(topLeft, model.index(expected[i].row1, expected[i].col1));
    QCOMPARE(bottomRight, model.index(expected[i].row2, expected[i].col2));
  }
  // Only the clear touched row 0: the top headings change with it.
  QCOMPARE(headers.size(), 1);
  QCOMPARE(headers[0][0].value<Qt::Orientation>(), Qt::Horizontal);
  QCOMPARE(headers[0][1].toInt(), 1);
  QCOMPARE(headers[0][2].toInt(), 3);
}

// A drag ends with the view's current cell on the far corner; the Grid's
// own moves reach the view, but the view's do not bounce back to it.
void GridModelTest::selectionBetweenTheViewAndTheGrid() {
  Grid grid(8, 6);
  GridModel model(grid);
  QItemSelectionModel selection(&model);
  QSignalSpy moved(&model, &GridModel::SelectionMoved);
  const struct {
    int fromRow, fromCol, toRow, toCol;
  } drags[] = {{4, 3, 2, 1}, {2, 1, 4, 3}, {5, 5, 5, 5}, {1, 4, 6, 2}};
  for (const auto& d : drags) {
    selection.select(
        QItemSelection(model.index(d.fromRow, d.fromCol), model.index(d.toRow, d.toCol)),
        QItemSelectionModel::ClearAndSelect);
    selection.setCurrentIndex(model.index(d.toRow, d.toCol), QItemSelectionModel::NoUpdate);
    model.TakeSelection(selection);
    CheckSelection(grid, d.fromRow, d.fromCol, d.toRow, d.toCol);
  }
  // A current cell outside the highlight stands alone.
  selection.setCurrentIndex(model.index(7, 0), QItemSelectionModel::NoUpdate);
  model.TakeSelection(selection);
  CheckSelection(grid, 7, 0, 7, 0);
  QCOMPARE(moved.size(), 0);

  grid.SetSelection(5, 4, 2, 1);
  QCOMPARE(moved.size(), 1);
  model.ShowSelection(selection);
  QCOMPARE(selection.currentIndex(), model.index(2, 1));
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 6; ++c)
      QCOMPARE(selection.isSelected(model.index(r, c)), r >= 2 && r <= 5 && c >= 1 && c <= 4);
  // Taking it back gives the same Grid selection.
  model.TakeSelection(selection);
  CheckSelection(grid, 5, 4, 2, 1);
  grid.SetSelection(5, 4, 2, 1);  // unchanged: no notice
  QCOMPARE(moved.size(), 1);
  grid.SetCurrent(3, 3);
  QCOMPARE(moved.size(), 2);
  model.ShowSelection(selection);
  QCOMPARE(selection.selectedIndexes(), QModelIndexList{model.index(3, 3)});
  // A shrink moves the Grid's cell inside the table; the view hears of it.
  grid.Resize(2, 2);
  QCOMPARE(moved.size(), 3);
  model.ShowSelection(selection);
  QCOMPARE(selection.currentIndex(), model.index(1, 1));
}

QTEST_MAIN(GridModelTest)
#include "GridModelTest.moc"
