#include "ui/GridView.h"

#include <QAbstractButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTimer>
#include <QToolTip>
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

  // The user's widening holds against later fitting.
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int width) {
    const bool dragged =
        horizontalHeader()->underMouse() && (QGuiApplication::mouseButtons() & Qt::LeftButton);
    if (!fitting_ && dragged) userWidths_[col] = width;
  });

  corner_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
  if (corner_) corner_->installEventFilter(this);
}

GridView::~GridView() = default;

void GridView::Bind(Grid& grid, Dialogs& dialogs) {
  // The old model lets go of its Grid before a new one listens to it.
  QItemSelectionModel* oldSelection = selectionModel();
  setModel(nullptr);
  delete oldSelection;
  if (ownsModel_) delete model_;
  QItemSelectionModel* emptySelection = selectionModel();

  dialogs_ = &dialogs;
  model_ = new GridModel(grid, this);
  ownsModel_ = true;
  setModel(model_);
  delete emptySelection;
  Listen();
}

void GridView::Share(GridView& other) {
  dialogs_ = other.dialogs_;
  model_ = other.model_;
  ownsModel_ = false;
  setModel(model_);
  Listen();
}

void GridView::Listen() {
  connect(model_, &GridModel::LayoutHintsChanged, this, &GridView::ApplyLayout);
  connect(model_, &GridModel::SelectionMoved, this, &GridView::FollowGridSelection);
  connect(model_, &QAbstractItemModel::dataChanged, this, &GridView::FitSoon);
  connect(model_, &QAbstractItemModel::headerDataChanged, this, &GridView::FitSoon);
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
  horizontalHeader()->setVisible(headRow && !grid.RowHidden(0));
  verticalHeader()->setVisible(headCol && rowHeadings_ && !grid.ColHidden(0) &&
                               grid.ColWidth(0) > 0);
  for (int row = 0; row < rows; ++row) {
    setRowHidden(row,
                 grid.RowHidden(row) || (row == 0 && headRow) || (hideEmpty_ && RowEmpty(row)));
  }
  for (int col = 0; col < cols; ++col) {
    setColumnHidden(col,
                    grid.ColHidden(col) || grid.ColWidth(col) == 0 || (col == 0 && headCol) ||
                        !InBlock(col) || (hideEmpty_ && ColumnEmpty(col)));
  }
  FitColumns();
}

void GridView::ShowColumns(int first, int last, bool rowHeadings, bool hideEmpty) {
  firstCol_ = first;
  lastCol_ = last;
  rowHeadings_ = rowHeadings;
  hideEmpty_ = hideEmpty;
  ApplyLayout();
}

bool GridView::ColumnEmpty(int col) const {
  const Grid& grid = model_->Table();
  for (int row = 0; row < grid.Rows(); ++row)
    if (!grid.Text(row, col).empty()) return false;
  return true;
}

int GridView::ContentHeight() const {
  int height = 2 * frameWidth();
  if (!horizontalHeader()->isHidden()) height += horizontalHeader()->height();
  for (int row = 0; row < model_->rowCount(); ++row)
    if (!isRowHidden(row)) height += rowHeight(row);
  if (horizontalScrollBar()->isVisible()) height += horizontalScrollBar()->height();
  return height;
}

bool GridView::RowEmpty(int row) const {
  const Grid& grid = model_->Table();
  for (int col = 0; col < grid.Cols(); ++col) {
    const bool shown = InBlock(col) || (col == 0 && rowHeadings_ && grid.FixedCols() > 0);
    if (shown && !grid.Text(row, col).empty()) return false;
  }
  return true;
}

namespace {

constexpr int kCellPadding = 12;     // pixels beside a cell's text: the delegate's margins and air
constexpr int kHeadingPadding = 16;  // beside a heading's text
constexpr int kMinColumn = 40;       // pixels: room to click and type
constexpr int kEmptyColumn = 80;     // a column without text keeps room to type into

// A heading turns bold while its column holds the current cell.
QFont HeadingFont(const QHeaderView& header) {
  QFont font = header.font();
  font.setBold(true);
  return font;
}

}  // namespace

int GridView::NeededWidth(int col) const {
  const Grid& grid = model_->Table();
  const QFontMetrics cellFont(font());
  const QFontMetrics headFont(HeadingFont(*horizontalHeader()));
  int needed = 0;
  const QString heading = model_->Shown(0, col);
  // Shown or not, a heading the view does not hide counts: a table on a tab
  // not yet chosen is fitted too.
  if (!horizontalHeader()->isHidden() && !heading.isEmpty())
    needed = headFont.horizontalAdvance(heading) + kHeadingPadding;
  const int indicator = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
  for (int row = 0; row < grid.Rows(); ++row) {
    if (isRowHidden(row)) continue;
    int width = 0;
    if (!grid.Text(row, col).empty())
      width = cellFont.horizontalAdvance(model_->Shown(row, col)) + kCellPadding;
    if (grid.CellCheck(row, col) != CheckState::None) width += indicator + kCellPadding;
    needed = std::max(needed, width);
  }
  return needed;
}

void GridView::FitColumns() {
  fitPending_ = false;
  if (!model_) return;
  fitting_ = true;
  const int widest = std::max(viewport()->width(), kEmptyColumn);
  for (int col = 0; col < model_->columnCount(); ++col) {
    if (isColumnHidden(col)) continue;
    const int needed = NeededWidth(col);
    const auto user = userWidths_.find(col);
    const int userWidth = user == userWidths_.end() ? 0 : user->second;
    int width = std::max(needed > 0 ? std::max(needed, kMinColumn) : kEmptyColumn, userWidth);
    // Wider than the view can show, the text is elided (its tooltip shows it).
    width = std::min(width, std::max(widest, userWidth));
    if (columnWidth(col) != width) setColumnWidth(col, width);
  }
  fitting_ = false;
  FitRowHeadings();
}
void GridView::FitRowHeadings() {
  QHeaderView* side = verticalHeader();
  if (side->isHidden()) return;
  const QFontMetrics headFont(HeadingFont(*side));
  // The corner shows cell (0, 0) above the row headings.
  int needed = headFont.horizontalAdvance(model_->Shown(0, 0));
  for (int row = 1; row < model_->rowCount(); ++row)
    if (!isRowHidden(row))
      needed = std::max(needed, headFont.horizontalAdvance(model_->Shown(row, 0)));
  needed = std::min(needed + kHeadingPadding, std::max(width() / 2, kEmptyColumn));
  if (side->width() == needed) return;
  side->setFixedWidth(needed);
  updateGeometries();  // the cells start after the headings' new width
}

void GridView::FitSoon() {
  if (fitPending_) return;
  fitPending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (!fitPending_) return;
    // Rows that were empty may hold text now, and the other way round.
    if (hideEmpty_)
      ApplyLayout();
    else
      FitColumns();
  });
}

bool GridView::Elided(const QModelIndex& index) const {
  if (!index.isValid() || isColumnHidden(index.column())) return false;
  const QString text = index.data().toString();
  return !text.isEmpty() &&
         fontMetrics().horizontalAdvance(text) + kCellPadding / 2 > columnWidth(index.column());
}

// Over a cell: its text whole when it is elided, then the cell's own tip,
// or else the table's.
bool GridView::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip || !model_) return QTableView::viewportEvent(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QModelIndex index = indexAt(help->pos());
  QStringList tip;
  if (Elided(index)) tip << index.data().toString();
  const QString own = index.isValid() ? index.data(Qt::ToolTipRole).toString() : QString();
  if (!own.isEmpty())
    tip << own;
  else if (!toolTip().isEmpty())
    tip << toolTip();
  if (tip.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(
        help->globalPos(), tip.join(QStringLiteral("\n\n")), viewport(), visualRect(index));
  return true;
}

void GridView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  FitSoon();  // a column elided in a narrower view may show whole now
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
