// Desktop: GridView, the table control of every window.
#pragma once

#include <QTableView>
#include <array>
#include <functional>

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
// applies its hidden rows and columns and its widths, keeps the Grid's
// current cell and selection in step with its own, hands the clipboard keys
// to GridKey and opens the table pop-up menu. A fixed row 0 and column 0 are
// shown as the table's headings, so they stay in sight while it scrolls.
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
  // Hidden rows and columns, widths and headings from the Grid.
  void ApplyLayout();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Activate();
  void RunPopup(PopupAction action);
  void FollowGridSelection();
  void TakeViewSelection();
  bool PaintCorner();

  GridModel* model_ = nullptr;
  Dialogs* dialogs_ = nullptr;
  PasteMode pasteMode_ = PasteMode::Cells;
  ActivateHook activate_;
  PopupHook popup_;
  QMenu* menu_ = nullptr;
  std::array<QAction*, 4> actions_{};  // by PopupAction
  QAbstractButton* corner_ = nullptr;  // shows cell (0, 0) above the row headings
};
