#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "WhenModal.h"
#include "platform/Grid.h"
#include "platform/GridClipboard.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/QtDialogs.h"

namespace {

// Headings in row 0 and column 0, "r.c" in the body.
void Fill(Grid& grid) {
  for (int r = 0; r < grid.Rows(); ++r)
    for (int c = 0; c < grid.Cols(); ++c)
      grid.SetText(r, c, std::to_string(r) + "." + std::to_string(c));
}

// Highlights a block as a drag from (row, col) to (rowSel, colSel) does.
void Drag(GridView& view, int row, int col, int rowSel, int colSel) {
  QAbstractItemModel* model = view.model();
  view.selectionModel()->select(
      QItemSelection(model->index(row, col), model->index(rowSel, colSel)),
      QItemSelectionModel::ClearAndSelect);
  view.selectionModel()->setCurrentIndex(model->index(rowSel, colSel),
                                         QItemSelectionModel::NoUpdate);
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
  QString Shown(int row, int col) const { return view.model()->index(row, col).data().toString(); }
};

}  // namespace

class GridViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QGuiApplication::clipboard()->clear(); }
  void copyAndPasteRoundTripThroughTheClipboard();
  void cutUndoAndCopyAll();
  void popupMenuEntriesActOnTheTable();
  void rightClickActivatesAndKeepsTheHighlight();
  void typingIntoACellRunsTheAfterEditHook();
  void hiddenRowsWidthsAndHeadings();
};

void GridViewTest::copyAndPasteRoundTripThroughTheClipboard() {
  const struct {
    const char* name;
    Qt::Key copyKey;
    Qt::KeyboardModifiers copyMods;
    Qt::Key pasteKey;
    Qt::KeyboardModifiers pasteMods;
  } keys[] = {
      {"Ctrl+C, Ctrl+V", Qt::Key_C, Qt::ControlModifier, Qt::Key_V, Qt::ControlModifier},
      {"Ctrl+Insert, Shift+Insert",
       Qt::Key_Insert,
       Qt::ControlModifier,
       Qt::Key_Insert,
       Qt::ShiftModifier},
  };
  for (const auto& k : keys) {
    Bound from(5, 5);
    Bound to(6, 6, false);
    Drag(from.view, 3, 3, 2, 1);
    QTest::keyClick(&from.view, k.copyKey, k.copyMods);
    QVERIFY2(ClipboardText() == QStringLiteral("2.1\t2.2\t2.3\n3.1\t3.2\t3.3"), k.name);
    // The copy leaves (0, 0) current, and the view follows.
    QCOMPARE(from.view.selectionModel()->currentIndex(), from.view.model()->index(0, 0));

    Drag(to.view, 4, 2, 4, 2);
    QTest::keyClick(&to.view, k.pasteKey, k.pasteMods);
    QCOMPARE(to.grid.Text(4, 2), std::string("2.1"));
    QCOMPARE(to.grid.Text(4, 4), std::string("2.3"));
    QCOMPARE(to.grid.Text(5, 2), std::string(""));  // the last row takes no paste
    QCOMPARE(to.Shown(4, 3), QStringLiteral("2.2"));
  }
}

// Ctrl+X copies the block and empties it, Ctrl+Z brings it back; Ctrl+A
// copies the used area; other keys stay the table's own.
void GridViewTest::cutUndoAndCopyAll() {
  Bound t(4, 4);
  Drag(t.view, 1, 1, 2, 2);
  QTest::keyClick(&t.view, Qt::Key_X, Qt::ControlModifier);
  QCOMPARE(ClipboardText(), QStringLiteral("1.1\t1.2\n2.1\t2.2"));
  for (int r = 1; r <= 2; ++r)
    for (int c = 1; c <= 2; ++c) {
      QCOMPARE(t.grid.Text(r, c), std::string());
      QCOMPARE(t.Shown(r, c), QString());
    }
  QCOMPARE(t.grid.Text(3, 3), std::string("3.3"));
  QTest::keyClick(&t.view, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(t.Shown(2, 2), QStringLiteral("2.2"));

  Bound sparse(5, 5, false);
  sparse.grid.SetText(0, 1, "Diet 1");
  sparse.grid.SetText(2, 1, "3.2");
  QTest::keyClick(&sparse.view, Qt::Key_A, Qt::ControlModifier);
  QCOMPARE(ClipboardText(), QStringLiteral("\tDiet 1\n\t\n\t3.2"));
  Drag(sparse.view, 2, 2, 2, 2);
  QTest::keyClick(&sparse.view, Qt::Key_Down);
  QCOMPARE(sparse.grid.Row(), 3);
  QCOMPARE(sparse.grid.Col(), 2);
}

void GridViewTest::popupMenuEntriesActOnTheTable() {
  Bound t(4, 4);
  GridView& view = t.view;
  Grid& grid = t.grid;
  QMenu* menu = view.PopupMenu();
  QCOMPARE(menu, view.findChild<QMenu*>(QStringLiteral("tablePopup")));
  auto entry = [menu](const char* name) {
    return menu->findChild<QAction*>(QString::fromLatin1(name));
  };

  Drag(view, 1, 2, 2, 2);
  entry("copyHighlighted")->trigger();
  QCOMPARE(ClipboardText(), QStringLiteral("1.2\n2.2"));

  Drag(view, 2, 3, 2, 3);
  entry("copyAll")->trigger();
  QVERIFY(ClipboardText().startsWith(QStringLiteral("0.0\t0.1\t0.2\t0.3\n")));
  QVERIFY(ClipboardText().endsWith(QStringLiteral("\n3.0\t3.1\t3.2\t3.3")));
  QCOMPARE(grid.Row(), 2);  // the current cell comes back
  QCOMPARE(view.selectionModel()->currentIndex(), view.model()->index(2, 3));

  QGuiApplication::clipboard()->setText(QStringLiteral("a\tb"));
  Drag(view, 1, 1, 1, 1);
  entry("paste")->trigger();
  QCOMPARE(grid.Text(1, 1), std::string("a"));
  QCOMPARE(grid.Text(1, 2), std::string("b"));

  // "Clear" asks, then empties all but the headings.
  WhenModal(
      [](QWidget* box) { qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click(); });
  entry("clear")->trigger();
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) QCOMPARE(grid.Text(r, c).empty(), r > 0 && c > 0);

  // A window may word an entry its own way and route the entries itself.
  view.SetPopupCaption(PopupAction::Clear, QStringLiteral("Clear Grid"));
  QCOMPARE(entry("clear")->text(), QStringLiteral("Clear Grid"));
  std::vector<PopupAction> routed;
  view.SetPopupHook([&](PopupAction action) { routed.push_back(action); });
  grid.SetText(1, 1, "kept");
  entry("clear")->trigger();
  QCOMPARE(routed, std::vector<PopupAction>{PopupAction::Clear});
  QCOMPARE(grid.Text(1, 1), std::string("kept"));
}

void GridViewTest::rightClickActivatesAndKeepsTheHighlight() {
  Bound t(5, 5);
  GridView& view = t.view;
  Grid& grid = t.grid;
  QVERIFY(t.Show(400, 300));
  std::vector<Grid*> activated;
  view.SetActivateHook([&](Grid& g) { activated.push_back(&g); });

  Drag(view, 1, 1, 3, 2);
  const QPoint cell = view.visualRect(view.model()->index(2, 3)).center();
  QTest::mousePress(view.viewport(), Qt::RightButton, {}, cell);
  QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, cell);
  QCOMPARE(activated.size(), std::size_t{1});
  QCOMPARE(activated[0], &grid);
  QCOMPARE(grid.Row(), 1);
  QCOMPARE(grid.RowSel(), 3);
  QCOMPARE(grid.ColSel(), 2);

  // The context menu opens the pop-up menu.
  QMenu* shown = nullptr;
  QTimer::singleShot(0, [&] {
    shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (shown) shown->close();
  });
  QContextMenuEvent menuEvent(
      QContextMenuEvent::Mouse, cell, view.viewport()->mapToGlobal(cell), Qt::NoModifier);
  QApplication::sendEvent(view.viewport(), &menuEvent);
  QCOMPARE(shown, view.PopupMenu());
  QCOMPARE(activated.size(), std::size_t{2});

  // Any key press makes the table active too.
  QTest::keyClick(&view, Qt::Key_Right);
  QCOMPARE(activated.size(), std::size_t{3});
}

void GridViewTest::typingIntoACellRunsTheAfterEditHook() {
  Bound t(4, 4, false);
  GridView& view = t.view;
  Grid& grid = t.grid;
  std::vector<std::pair<int, int>> edits;
  view.Model()->SetAfterEdit([&](int row, int col) {
    edits.emplace_back(row, col);
    // The form's handler sees the new text and may change other cells.
    grid.SetText(row, col + 1, grid.Text(row, col) + "!");
  });
  QVERIFY(t.Show(400, 300));
  const QModelIndex cell = view.model()->index(2, 1);
  view.setCurrentIndex(cell);
  view.edit(cell);
  auto* editor = view.findChild<QLineEdit*>();
  QVERIFY(editor);
  editor->selectAll();
  QTest::keyClicks(editor, QStringLiteral("12.5"));
  QVERIFY(!grid.Edited());
  QTest::keyClick(editor, Qt::Key_Return);
  // The delegate commits the typed text on its next turn.
  QTRY_COMPARE(grid.Text(2, 1), std::string("12.5"));
  QVERIFY(grid.Edited());  // the form's unsaved-changes mark
  QCOMPARE(edits, (std::vector<std::pair<int, int>>{{2, 1}}));
  QCOMPARE(view.model()->index(2, 2).data().toString(), QStringLiteral("12.5!"));
}

void GridViewTest::hiddenRowsWidthsAndHeadings() {
  QtDialogs dialogs;
  Grid grid(5, 5);
  Fill(grid);
  grid.SetColWidth(2, 100);
  grid.SetColWidth(0, 120);
  grid.SetRowHidden(3, true);
  GridView view;
  view.Bind(grid, dialogs);  // widths and hidden rows set before the binding
  view.resize(500, 300);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));

  // A fixed row 0 and column 0 are the headings, not cells.
  QVERIFY(!view.horizontalHeader()->isHidden());
  QVERIFY(!view.verticalHeader()->isHidden());
  QVERIFY(view.isRowHidden(0));
  QVERIFY(view.isColumnHidden(0));
  // Columns fit their texts, not the widths the Grid was designed with.
  const QFontMetrics font(view.font());
  QVERIFY(view.columnWidth(2) < 100);
  QVERIFY(view.columnWidth(1) >= font.horizontalAdvance(QStringLiteral("4.1")));
  QVERIFY(view.verticalHeader()->width() < 120);
  grid.SetText(2, 2, "a note much longer than the column was made for");
  QCoreApplication::processEvents();
  const QModelIndex note = view.model()->index(2, 2);
  QVERIFY(view.columnWidth(2) > font.horizontalAdvance(note.data().toString()));
  QVERIFY(!view.Elided(note));
  // A window too small for it: the note is cut, and whole in its tip.
  view.resize(160, 300);
  QCoreApplication::processEvents();
  QVERIFY(view.Elided(note));
  grid.SetText(2, 2, "2.2");
  QVERIFY(view.isRowHidden(3));
  QVERIFY(!view.isRowHidden(2));

  // Changes made by the core afterwards reach the view.
  grid.SetColHidden(4, true);
  grid.SetRowHidden(3, false);
  grid.SetColWidth(1, 0);
  QVERIFY(view.isColumnHidden(4));
  QVERIFY(!view.isRowHidden(3));
  QVERIFY(view.isColumnHidden(1));
  view.SetRowHeight(26);
  QCOMPARE(view.rowHeight(2), 26);
  grid.Resize(8, 7);
  QVERIFY(!view.isRowHidden(7));
  QVERIFY(view.columnWidth(6) > 0);  // room to type into

  // Without fixed rows and columns row 0 and column 0 are plain cells.
  grid.SetFixedRows(0);
  grid.SetFixedCols(0);
  QVERIFY(view.horizontalHeader()->isHidden());
  QVERIFY(view.verticalHeader()->isHidden());
  QVERIFY(!view.isRowHidden(0));
  QVERIFY(!view.isColumnHidden(0));
}

QTEST_MAIN(GridViewTest)
#include "GridViewTest.moc"
