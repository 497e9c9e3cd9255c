#include "ui/MainWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QResizeEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/App.h"
#include "app/UnsavedChanges.h"
#include "model/DietsTable.h"
#include "ui/CoreText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/GrowthChart.h"
#include "ui/SecondaryWindow.h"

namespace {

constexpr int kMargin = 8;  // pixels around the inputs and the buttons

MainForm::Control PopupControl(PopupAction action) {
  switch (action) {
    case PopupAction::CopyHighlighted:
      return MainForm::Control::CopyHighlighted;
    case PopupAction::CopyAll:
      return MainForm::Control::CopyAll;
    case PopupAction::Clear:
      return MainForm::Control::Clear;
    case PopupAction::Paste:
      return MainForm::Control::Paste;
  }
  return MainForm::Control::CopyHighlighted;
}

// Widens, never narrows, the columns whose texts the Grid's widths (made for
// a smaller classic font) would clip.
void WidenToText(GridView& view) {
  const Grid* grid = view.Table();
  if (!grid) return;
  constexpr int kPadding = 12;        // pixels beside a cell's text
  constexpr int kWidestColumn = 320;  // pixels: a longer note is cut, the table stays readable
  const bool headRow = grid->FixedRows() > 0;
  const bool headCol = grid->FixedCols() > 0;
  const QFontMetrics cellFont(view.font());
  const QFontMetrics headFont(view.horizontalHeader()->font());
  for (int col = 0; col < grid->Cols(); ++col) {
    if (grid->ColHidden(col) || grid->ColWidth(col) == 0) continue;
    int needed = 0;
    for (int row = 0; row < grid->Rows(); ++row) {
      const std::string& text = grid->Text(row, col);
      if (text.empty() || grid->RowHidden(row)) continue;
      const QFontMetrics& font =
          (row == 0 && headRow) || (col == 0 && headCol) ? headFont : cellFont;
      needed = std::max(needed, font.horizontalAdvance(FromCoreText(text)) + kPadding);
    }
    needed = std::min(needed, kWidestColumn);
    if (col == 0 && headCol) {
      QHeaderView* side = view.verticalHeader();
      if (needed > side->width()) side->setFixedWidth(needed);
    } else if (needed > view.columnWidth(col)) {
      view.setColumnWidth(col, needed);
    }
  }
}

}  // namespace

MainWindow::MainWindow(App& app, QWidget* parent)
    : QMainWindow(parent), app_(app), form_(app.mainForm) {
  setObjectName(QStringLiteral("MainWindow"));
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("MainArea"));
  setCentralWidget(central);

  inputs_ = MakeInputs();
  inputs_->setParent(central);
  buttons_ = MakeButtons();
  buttons_->setParent(central);
  tabs_ = MakeTabs();
  tabs_->setParent(central);
  MakeWindows();
  MakeMenus();  // an entry whose window is missing is disabled

  // Inputs left of the tab set, buttons above it; neither moves on resize.
  const int left = MainForm::kTabSetLeft;
  const int top = MainForm::kTabSetTop;
  inputs_->setGeometry(kMargin, kMargin / 2, left - 2 * kMargin, inputs_->sizeHint().height());
  buttons_->setGeometry(left, kMargin / 2, form_.tabSetWidth, top - kMargin);

  resize(form_.windowWidth, form_.windowHeight);
  Refresh();
}

MainWindow::~MainWindow() = default;

QTabWidget* MainWindow::MakeTabs() {
  auto* tabs = new QTabWidget;
  tabs->setObjectName(QStringLiteral("TabSet"));

  // Tab 0: the daily growth table and its chart side by side.
  auto* daily = new QWidget;
  auto* dailyLayout = new QVBoxLayout(daily);
  resultsTable_ = AddTable(app_.resultsTable, "resultsTable");
  resultsTable_->installEventFilter(this);  // Control-R: the fit's correlations
  growthChart_ = new GrowthChart(app_);
  auto* dailySplit = new QSplitter(Qt::Horizontal);
  dailySplit->setObjectName(QStringLiteral("DailySplit"));
  dailySplit->setChildrenCollapsible(false);
  dailySplit->addWidget(resultsTable_);
  dailySplit->addWidget(growthChart_);
  connect(resultsTable_->Model(), &GridModel::dataChanged, growthChart_, &GrowthChart::FollowSoon);
  dailySplit->setStretchFactor(0, 3);
  dailySplit->setStretchFactor(1, 2);
  dailyLayout->addWidget(dailySplit);

  // Tab 1: the instruction text above the diets table.
  auto* diets = new QWidget;
  auto* dietsLayout = new QVBoxLayout(diets);
  dietsInstructions_ = new QTextEdit;
  dietsInstructions_->setObjectName(QStringLiteral("dietsInstructions"));
  dietsInstructions_->setReadOnly(true);
  dietsInstructions_->setFrameShape(QFrame::NoFrame);
  dietsInstructions_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  dietsInstructions_->setFixedHeight(2 * fontMetrics().lineSpacing() + kMargin);
  dietsInstructions_->viewport()->setAutoFillBackground(false);
  dietsLayout->addWidget(dietsInstructions_);
  dietsTable_ = AddTable(form_.dietsTable, "dietsTable");
  dietsTable_->Model()->SetToolTips([](int row, int) { return DietsToolTip(row); });
  dietsTable_->Model()->SetAfterEdit([this](int row, int col) {
    form_.DietsTableEdited(row, col);
    Refresh();
  });
  connect(dietsTable_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    if (form_.DietsTableClicked(index.row(), index.column())) ShowSources();
  });
  dietsLayout->addWidget(dietsTable_, 1);

  // Tab 2: the coefficients and the files in use side by side, the formulas
  // below them.
  auto* formulas = new QWidget;
  auto* formulasLayout = new QGridLayout(formulas);
  coefficientTable_ = AddTable(form_.coefficientTable, "coefficientTable");
  filesTable_ = AddTable(form_.filesTable, "filesTable");
  filesTable_->SetRowHeight(kFilesRowHeight);
  filesTable_->Model()->SetToolTips([this](int, int) { return form_.filesTableToolTip; });
  filesTable_->horizontalHeader()->setStretchLastSection(true);
  connect(filesTable_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    form_.FilesTableDoubleClicked(index.row());
    Refresh();
  });
  formulaTable_ = AddTable(form_.formulaTable, "formulaTable");
  formulasLayout->addWidget(coefficientTable_, 0, 0);
  formulasLayout->addWidget(filesTable_, 0, 1);
  formulasLayout->addWidget(formulaTable_, 1, 0, 1, 2);
  formulasLayout->setColumnStretch(0, 2);
  formulasLayout->setColumnStretch(1, 3);
  formulasLayout->setRowStretch(1, 1);

  tabs->addTab(daily, QStringLiteral("Daily Growth"));
  tabs->addTab(diets, QStringLiteral("Diets"));
  tabs->addTab(formulas, QStringLiteral("Formulas"));
  connect(tabs, &QTabWidget::currentChanged, this, [this](int tab) {
    if (refreshing_) return;
    form_.ShowTab(tab);
    Refresh();
  });
  return tabs;
}

GridView* MainWindow::AddTable(Grid& grid, const char* name) {
  auto* view = new GridView;
  view->setObjectName(QString::fromLatin1(name));
  view->Bind(grid, app_.dialogs);
  view->SetActivateHook([this](Grid& active) { form_.activeGrid = &active; });
  view->SetPopupHook([this](PopupAction action) { Run(PopupControl(action)); });
  // After the view has taken the Grid's widths again.
  connect(view->Model(), &GridModel::LayoutHintsChanged, view, [view] { WidenToText(*view); });
  return view;
}

void MainWindow::Refresh() {
  refreshing_ = true;
  RefreshFrame();
  RefreshInputs();
  RefreshButtons();
  for (GridView* view : {resultsTable_, dietsTable_, coefficientTable_, formulaTable_, filesTable_})
    WidenToText(*view);
  growthChart_->Follow();  // after a run, a calibration or a unit change
  // A matrix load fills these afresh: their captions and buttons follow.
  using Window = MainForm::Window;
  for (Window kind : {Window::MatrixEditor, Window::Restrictions, Window::DietDisplay})
    if (SecondaryWindow* window = WindowOf(kind); window && window->isVisible()) window->Refresh();
  refreshing_ = false;
}

void MainWindow::RefreshFrame() {
  setWindowTitle(FromCoreText(form_.caption));
  tabs_->setCurrentIndex(form_.currentTab);
  dietsInstructions_->setVisible(form_.dietsInstructionsVisible);
  if (dietsInstructions_->toPlainText() != FromCoreText(form_.dietsInstructions))
    dietsInstructions_->setPlainText(FromCoreText(form_.dietsInstructions));
  filesTable_->setVisible(form_.filesTableVisible);
  filesTable_->setToolTip(FromCoreText(form_.filesTableToolTip));
}

// The tab set follows the window as the form's resize rule says; the menu
// bar lies above the area the form measures from.
void MainWindow::PlaceTabSet() {
  const int top = MainForm::kTabSetTop;
  tabs_->setGeometry(
      MainForm::kTabSetLeft, top, form_.tabSetWidth, form_.tabSetHeight - menuBar()->height());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  form_.WindowResized(height(), width());
  PlaceTabSet();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!SaveChangesFirst(app_)) {
    event->ignore();
    Refresh();  // a save may have named a file before another was cancelled
    return;
  }
  form_.WindowResized(height(), width());
  form_.EndProgram();
  for (auto& [kind, window] : windows_) {
    QSignalBlocker quiet(window);  // the form has closed them already
    window->close();
  }
  event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (FieldEvent(watched, event)) return true;
  if (watched == resultsTable_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_R && key->modifiers() == Qt::ControlModifier) {
      form_.ShowFitCorrelations();
      Refresh();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
