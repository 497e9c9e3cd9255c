// Desktop: GridView, the table control of every window.
#pragma once

#include <QTableView>
#include <array>
#include <functional>
#include <map>

#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/GridClipboard.h"

// A key event of Qt's in the core's terms (Key::Other for a key no table acts
// on).
Key CoreKey(int qtKey);
KeyModifiers CoreModifiers(Qt::KeyboardModifiers modifiers);

class GridModel;
class QAbstractButton;
class QAction;
class QMenu;

// The table control of every window: shows one Grid through a GridModel,
// applies its hidden rows and columns, keeps the Grid's current cell and
// selection in step with its own, hands the clipboard keys to GridKey and
// opens the table pop-up menu. A fixed row 0 and column 0 are shown as the
// table's headings, so they stay in sight while it scrolls. Its columns fit
// their headings and contents (the user may widen them); a text still too
// wide for its column, in a window too small, is elided and shown whole as
// the cell's tooltip.
class GridView : public QTableView {
  Q_OBJECT

 public:
  // Told that this table received a key press or a right click; a window
  // makes it the form's activeGrid.
  using ActivateHook = std::function<void(Grid& grid)>;
  // Runs a pop-up menu entry in place of PopupCommand on this table, for a
  // window whose menu acts on its form's activeGrid.
  using PopupHook = std::function<void(PopupAction action)>;

  explicit GridView(QWidget* parent = nullptr);
  ~GridView() override;

  // Shows `grid` (which must outlive the view); `dialogs` carries the
  // clipboard. A second call shows another grid.
  void Bind(Grid& grid, Dialogs& dialogs);
  // Shows the Grid of `other` through its model: one table in two views,
  // each showing its own block of columns (ShowColumns).
  void Share(GridView& other);
  GridModel* Model() const { return model_; }
  Grid* Table() const;

  void SetActivateHook(ActivateHook hook) { activate_ = std::move(hook); }
  void SetPopupHook(PopupHook hook) { popup_ = std::move(hook); }
  void SetPasteMode(PasteMode mode) { pasteMode_ = mode; }
  // Some windows word an entry differently ("Clear Grid", " Paste").
  void SetPopupCaption(PopupAction action, const QString& caption);
  QMenu* PopupMenu() const { return menu_; }

  // Every row's height in pixels; the Grid keeps none.
  void SetRowHeight(int pixels);
  // Hidden rows and columns and the headings from the Grid, then the widths.
  void ApplyLayout();
  // Columns `first` to `last` only; the row headings (a fixed column 0)
  // shown or not. With `hideEmpty`, rows with no text in those columns and
  // columns with no text at all are hidden too.
  void ShowColumns(int first, int last, bool rowHeadings, bool hideEmpty);
  // Pixels the header and the shown rows take: as tall as the table needs.
  int ContentHeight() const;
  // Every shown column as wide as its widest text (heading or cell), at
  // least as wide as the user made it, at most as wide as the table's view.
  // Runs by itself, once the events of a change are done.
  void FitColumns();
  // True when the text of `index` is wider than its column shows.
  bool Elided(const QModelIndex& index) const;

 protected:
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Listen();
  void FitSoon();
  int NeededWidth(int col) const;
  void FitRowHeadings();
  bool RowEmpty(int row) const;
  bool ColumnEmpty(int col) const;
  bool InBlock(int col) const { return col >= firstCol_ && col <= lastCol_; }
  void Activate();
  void RunPopup(PopupAction action);
  void FollowGridSelection();
  void TakeViewSelection();
  bool PaintCorner();

  GridModel* model_ = nullptr;
  bool ownsModel_ = false;
  int firstCol_ = 0;
  int lastCol_ = 1 << 20;
  bool rowHeadings_ = true;
  bool hideEmpty_ = false;
  bool fitting_ = false;  // widths set here, not by the user
  bool fitPending_ = false;
  std::map<int, int> userWidths_;  // columns the user widened, pixels
  Dialogs* dialogs_ = nullptr;
  PasteMode pasteMode_ = PasteMode::Cells;
  ActivateHook activate_;
  PopupHook popup_;
  QMenu* menu_ = nullptr;
  std::array<QAction*, 4> actions_{};  // by PopupAction
  QAbstractButton* corner_ = nullptr;  // shows cell (0, 0) above the row headings
};
