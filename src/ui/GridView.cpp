#include "ui/GridView.h"

#include <QAbstractButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <algorithm>

#include "ui/GridModel.h"

namespace {

constexpr int kMinRowHeight = 16;  // pixels, the classic 240-twip row

struct PopupEntry {
  PopupAction action;
  const char* name;
  const char* caption;
};

// The main window's pop-up menu, which the other windows repeat.
constexpr PopupEntry kPopupEntries[] = {
    {PopupAction::CopyHighlighted, "copyHighlighted", "Copy Highlighted Cells"},
    {PopupAction::CopyAll, "copyAll", "Copy All"},
    {PopupAction::Clear, "clear", "Clear"},
    {PopupAction::Paste, "paste", "Paste "},
};

// The keys GridKey acts on (Ctrl+Z among them), so they reach the table
// before any shortcut.
bool IsClipboardKey(const QKeyEvent& event) {
  const Key key = CoreKey(event.key());
  const KeyModifiers modifiers = CoreModifiers(event.modifiers());
  if (modifiers == kControlModifier)
    return key == Key::C || key == Key::X || key == Key::A || key == Key::V || key == Key::Z ||
           key == Key::Insert;
  return modifiers == kShiftModifier && key == Key::Insert;
}

}  // namespace

Key CoreKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_A:
      return Key::A;
    case Qt::Key_C:
      return Key::C;
    case Qt::Key_V:
      return Key::V;
    case Qt::Key_X:
      return Key::X;
    case Qt::Key_Z:
      return Key::Z;
    case Qt::Key_Insert:
      return Key::Insert;
    default:
      return Key::Other;
  }
}

KeyModifiers CoreModifiers(Qt::KeyboardModifiers modifiers) {
  KeyModifiers held = kNoModifier;
  if (modifiers & Qt::ShiftModifier) held |= kShiftModifier;
  if (modifiers & Qt::ControlModifier) held |= kControlModifier;
  if (modifiers & Qt::AltModifier) held |= kAltModifier;
  return held;
}

GridView::GridView(QWidget* parent) : QTableView(parent) {
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setContextMenuPolicy(Qt::DefaultContextMenu);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(std::max(kMinRowHeight, fontMetrics().height() + 4));
  verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("tablePopup"));
  for (const PopupEntry& entry : kPopupEntries) {
    QAction* action = menu_->addAction(QString::fromLatin1(entry.caption));
    action->setObjectName(QString::fromLatin1(entry.name));
    connect(action, &QAction::triggered, this, [this, which = entry.action] { RunPopup(which); });
    actions_[static_cast<std::size_t>(entry.action)] = action;
  }

  corner_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
  if (corner_) corner_->installEventFilter(this);
}

GridView::~GridView() = default;

void GridView::Bind(Grid& grid, Dialogs& dialogs) {
  // The old model lets go of its Grid before a new one listens to it.
  QItemSelectionModel* oldSelection = selectionModel();
  setModel(nullptr);
  delete oldSelection;
  delete model_;
  QItemSelectionModel* emptySelection = selectionModel();

  dialogs_ = &dialogs;
  model_ = new GridModel(grid, this);
  setModel(model_);
  delete emptySelection;

  connect(model_, &GridModel::LayoutHintsChanged, this, &GridView::ApplyLayout);
  connect(model_, &GridModel::SelectionMoved, this, &GridView::FollowGridSelection);
  if (corner_) {
    connect(model_, &GridModel::headerDataChanged, corner_, qOverload<>(&QWidget::update));
  }
  connect(
      selectionModel(), &QItemSelectionModel::selectionChanged, this, &GridView::TakeViewSelection);
  connect(
      selectionModel(), &QItemSelectionModel::currentChanged, this, &GridView::TakeViewSelection);
  ApplyLayout();
  FollowGridSelection();
}

Grid* GridView::Table() const { return model_ ? &model_->Table() : nullptr; }

void GridView::SetPopupCaption(PopupAction action, const QString& caption) {
  actions_[static_cast<std::size_t>(action)]->setText(caption);
}

void GridView::SetRowHeight(int pixels) {
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(std::max(pixels, 1));
}

void GridView::ApplyLayout() {
  if (!model_) return;
  const Grid& grid = model_->Table();
  const int rows = model_->rowCount();
  const int cols = model_->columnCount();
  // A fixed row 0 and column 0 become the headings.
  const bool headRow = grid.FixedRows() > 0 && rows > 0;
  const bool headCol = grid.FixedCols() > 0 && cols > 0;
  const int headWidth = grid.ColWidth(0);
  horizontalHeader()->setVisible(headRow && !grid.RowHidden(0));
  verticalHeader()->setVisible(headCol && !grid.ColHidden(0) && headWidth > 0);
  if (headCol) verticalHeader()->setFixedWidth(headWidth);

  for (int row = 0; row < rows; ++row)
    setRowHidden(row, grid.RowHidden(row) || (row == 0 && headRow));
  for (int col = 0; col < cols; ++col) {
    const int width = grid.ColWidth(col);
    if (width > 0) setColumnWidth(col, width);
    setColumnHidden(col, grid.ColHidden(col) || width == 0 || (col == 0 && headCol));
  }
}

bool GridView::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && model_ &&
      IsClipboardKey(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QTableView::event(event);
}

void GridView::keyPressEvent(QKeyEvent* event) {
  Activate();
  if (model_ && dialogs_) {
    const Key key = CoreKey(event->key());
    if (key != Key::Other &&
        GridKey(model_->Table(), key, CoreModifiers(event->modifiers()), *dialogs_, pasteMode_)) {
      event->accept();
      return;
    }
  }
  QTableView::keyPressEvent(event);
}

void GridView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    // The highlight stays for the pop-up menu to copy.
    Activate();
    event->accept();
    return;
  }
  QTableView::mousePressEvent(event);
}

void GridView::contextMenuEvent(QContextMenuEvent* event) {
  Activate();
  if (model_) menu_->exec(event->globalPos());
  event->accept();
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == corner_ && event->type() == QEvent::Paint && model_) return PaintCorner();
  return QTableView::eventFilter(watched, event);
}

// The corner above the row headings shows cell (0, 0), as the headings show
// the rest of row 0 and column 0.
bool GridView::PaintCorner() {
  QStyleOptionHeader option;
  option.initFrom(corner_);
  option.state = corner_->isEnabled() ? QStyle::State_Enabled : QStyle::State_None;
  if (corner_->isDown()) option.state |= QStyle::State_Sunken;
  option.rect = corner_->rect();
  option.position = QStyleOptionHeader::OnlyOneSection;
  option.text = model_->index(0, 0).data().toString();
  option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  QStylePainter painter(corner_);
  painter.drawControl(QStyle::CE_Header, option);
  return true;
}

void GridView::Activate() {
  if (activate_ && model_) activate_(model_->Table());
}

void GridView::RunPopup(PopupAction action) {
  if (popup_) {
    popup_(action);
  } else if (model_ && dialogs_) {
    PopupCommand(action, &model_->Table(), *dialogs_, pasteMode_);
  }
}

void GridView::FollowGridSelection() {
  if (model_) model_->ShowSelection(*selectionModel());
}

void GridView::TakeViewSelection() {
  if (model_) model_->TakeSelection(*selectionModel());
}
